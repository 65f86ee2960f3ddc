// The one main() of orvane_bench; each benchmarks/*.cpp only registers benchmarks.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
