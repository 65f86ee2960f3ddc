#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "system/FakeSystemStatsSource.h"
#include "system/SystemStats.h"

namespace orvane::testing {
namespace {

constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
constexpr std::uint64_t kGiB = 1ull << 30;
// A machine that has been up a while: counters far beyond a float's precision.
constexpr std::uint64_t kUptime = 4'000'000'000'000'000ull;

struct CpuCase {
  const char* name;
  SystemTimes previous;
  SystemTimes current;
  float percent;
};

void PrintTo(const CpuCase& c, std::ostream* os) { *os << c.name; }

class CpuPercentTest : public ::testing::TestWithParam<CpuCase> {};

TEST_P(CpuPercentTest, ComputesBusyShare) {
  EXPECT_FLOAT_EQ(CpuPercentBetween(GetParam().previous, GetParam().current), GetParam().percent);
}

// Fields are {idle, kernel, user}; kernel includes idle.
const CpuCase kCpuCases[] = {
    {"NoTimeElapsed", {100, 300, 200}, {100, 300, 200}, 0.0f},
    {"FullyIdle", {100, 300, 200}, {1100, 1300, 200}, 0.0f},
    {"FullyBusy", {100, 300, 200}, {100, 800, 700}, 100.0f},
    {"HalfBusy", {0, 0, 0}, {500, 600, 400}, 50.0f},
    {"KernelWorkCountsAsBusy", {0, 0, 0}, {250, 1000, 0}, 75.0f},
    {"NotRounded", {0, 0, 0}, {2, 3, 0}, 100.0f / 3.0f},
    {"LargeCounters", {kUptime, 2 * kUptime, kUptime}, {kUptime + 7'500'000, 2 * kUptime + 8'000'000, kUptime + 2'000'000}, 25.0f},
    // Bogus readings and counters that went backwards carry no information.
    {"IdleExceedsTotal", {0, 0, 0}, {2000, 1000, 0}, 0.0f},
    {"KernelWentBackwards", {100, 5000, 200}, {200, 4000, 900}, 0.0f},
    {"UserWentBackwards", {100, 300, 5000}, {200, 900, 4000}, 0.0f},
    {"IdleWentBackwards", {5000, 9000, 200}, {4000, 9900, 300}, 0.0f},
    {"KernelWrapped", {0, kMax - 10, 0}, {0, 5, 100}, 0.0f},
    {"SpanOverflows", {0, 0, 0}, {0, kMax, 10}, 0.0f},
};

INSTANTIATE_TEST_SUITE_P(Samples, CpuPercentTest, ::testing::ValuesIn(kCpuCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct MemoryCase {
  const char* name;
  MemoryStatus status;
  SystemSample expected;  // cpuPercent stays 0
};

void PrintTo(const MemoryCase& c, std::ostream* os) { *os << c.name; }

class MemoryStatusTest : public ::testing::TestWithParam<MemoryCase> {};

TEST_P(MemoryStatusTest, FillsMemoryFields) {
  SystemSample sample;
  ApplyMemoryStatus(GetParam().status, sample);
  EXPECT_EQ(sample, GetParam().expected);
}

const MemoryCase kMemoryCases[] = {
    {"SixteenWithFourAvailable", {75, 16 * kGiB, 4 * kGiB}, {0.0f, 75.0f, 12.0f, 16.0f}},
    {"FractionalGiB", {50, 3 * kGiB, kGiB + kGiB / 2}, {0.0f, 50.0f, 1.5f, 3.0f}},
    {"LoadAboveHundredClamped", {140, 8 * kGiB, 0}, {0.0f, 100.0f, 8.0f, 8.0f}},
    {"AvailableAboveTotalIsNoneUsed", {0, 8 * kGiB, 9 * kGiB}, {0.0f, 0.0f, 0.0f, 8.0f}},
    {"ZeroTotalLeavesAllZero", {60, 0, 0}, {}},
};

INSTANTIATE_TEST_SUITE_P(Statuses, MemoryStatusTest, ::testing::ValuesIn(kMemoryCases),
                         [](const auto& info) { return std::string(info.param.name); });

class SystemStatsSamplerTest : public ::testing::Test {
 protected:
  FakeSystemStatsSource source;
  SystemStats stats{source};
};

TEST_F(SystemStatsSamplerTest, FirstSampleReportsNoProcessorUse) {
  source.times = {SystemTimes{0, 1000, 1000}, SystemTimes{500, 1500, 1500}};
  EXPECT_EQ(stats.Sample().cpuPercent, 0.0f);
  EXPECT_FLOAT_EQ(stats.Sample().cpuPercent, 50.0f);
}

TEST_F(SystemStatsSamplerTest, FailedReadingKeepsThePreviousTimes) {
  source.times = {SystemTimes{0, 0, 0}, std::nullopt, SystemTimes{100, 400, 0}};
  stats.Sample();
  EXPECT_EQ(stats.Sample().cpuPercent, 0.0f);
  // Measured against the first reading, not against the failure.
  EXPECT_FLOAT_EQ(stats.Sample().cpuPercent, 75.0f);
}

TEST_F(SystemStatsSamplerTest, BackwardsReadingBecomesTheNewBaseline) {
  source.times = {SystemTimes{9000, 9000, 9000}, SystemTimes{0, 0, 0}, SystemTimes{0, 1000, 0}};
  stats.Sample();
  EXPECT_EQ(stats.Sample().cpuPercent, 0.0f);
  EXPECT_FLOAT_EQ(stats.Sample().cpuPercent, 100.0f);
}

TEST_F(SystemStatsSamplerTest, MemoryAndProcessorFailIndependently) {
  source.memory = std::nullopt;
  source.times = {SystemTimes{0, 0, 0}, SystemTimes{0, 10, 10}};
  stats.Sample();
  EXPECT_EQ(stats.Sample(), (SystemSample{100.0f, 0.0f, 0.0f, 0.0f}));

  source.memory = MemoryStatus{25, 4 * kGiB, 3 * kGiB};
  EXPECT_EQ(stats.Sample(), (SystemSample{0.0f, 25.0f, 1.0f, 4.0f}));
}

}  // namespace
}  // namespace orvane::testing
