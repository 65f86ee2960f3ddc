#pragma once
// Processor and memory use for the notification center's widgets tab and the
// system monitor widget. Sampled synchronously on the UI thread by callers on
// their own timers; each Sample() measures processor use since the previous one.

#include <cstdint>
#include <optional>

namespace orvane {

// GetSystemTimes: 100 ns counts since boot, summed over all processors.
// Kernel time includes idle time.
struct SystemTimes {
  std::uint64_t idle = 0;
  std::uint64_t kernel = 0;
  std::uint64_t user = 0;
  bool operator==(const SystemTimes&) const = default;
};

// The fields of GlobalMemoryStatusEx that are read.
struct MemoryStatus {
  std::uint32_t memoryLoad = 0;  // percent of physical memory in use
  std::uint64_t totalPhysical = 0;
  std::uint64_t availablePhysical = 0;
};

// What the sampler asks of the platform. Windows: win32/Win32SystemStatsSource;
// tests and the preview tool: FakeSystemStatsSource.
class SystemStatsSource {
 public:
  virtual ~SystemStatsSource() = default;
  virtual std::optional<SystemTimes> SampleSystemTimes() = 0;   // nullopt when the call fails
  virtual std::optional<MemoryStatus> SampleMemoryStatus() = 0;  // nullopt when the call fails
};

// Every field is 0 when unavailable.
struct SystemSample {
  float cpuPercent = 0.0f;     // 0-100
  float memoryPercent = 0.0f;  // the system's memory load, 0-100
  float memoryUsedGiB = 0.0f;
  float memoryTotalGiB = 0.0f;
  bool operator==(const SystemSample&) const = default;
};

// Busy share of the processor time between two samples, 0-100. Any counter
// that went backwards (a reset or a bogus reading) or a span with no elapsed
// time carries no information and gives 0, as the first sample does.
float CpuPercentBetween(const SystemTimes& previous, const SystemTimes& current);

// Fills the three memory fields; leaves them 0 when the total is 0.
void ApplyMemoryStatus(const MemoryStatus& status, SystemSample& sample);

class SystemStats {
 public:
  // The source must outlive the sampler.
  explicit SystemStats(SystemStatsSource& source) : source_(source) {}

  // Memory figures and processor use since the previous successful sample;
  // the first sample always reports 0 % processor use.
  SystemSample Sample();

 private:
  SystemStatsSource& source_;
  SystemTimes previous_;
  bool hasPrevious_ = false;
};

}  // namespace orvane
