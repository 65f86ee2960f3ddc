#include "system/SystemStats.h"

#include <algorithm>
#include <limits>

namespace orvane {

float CpuPercentBetween(const SystemTimes& previous, const SystemTimes& current) {
  // Deltas are taken per counter so a counter that went backwards is seen as
  // such instead of wrapping into a huge unsigned span.
  if (current.idle < previous.idle || current.kernel < previous.kernel || current.user < previous.user) return 0.0f;
  const std::uint64_t kernel = current.kernel - previous.kernel;
  const std::uint64_t user = current.user - previous.user;
  if (kernel > std::numeric_limits<std::uint64_t>::max() - user) return 0.0f;
  const std::uint64_t total = kernel + user;  // kernel time includes idle time
  if (total == 0) return 0.0f;
  const std::uint64_t idle = current.idle - previous.idle;
  const std::uint64_t busy = total - std::min(total, idle);
  // In double: the spans can exceed a float's 24-bit mantissa.
  const double percent = static_cast<double>(busy) / static_cast<double>(total) * 100.0;
  return static_cast<float>(std::clamp(percent, 0.0, 100.0));
}

void ApplyMemoryStatus(const MemoryStatus& status, SystemSample& sample) {
  if (status.totalPhysical == 0) return;
  constexpr double kGiB = 1024.0 * 1024.0 * 1024.0;
  sample.memoryPercent = static_cast<float>(std::min<std::uint32_t>(status.memoryLoad, 100));
  sample.memoryTotalGiB = static_cast<float>(static_cast<double>(status.totalPhysical) / kGiB);
  // More available than installed is a bogus reading; never let it wrap.
  const std::uint64_t available = std::min(status.availablePhysical, status.totalPhysical);
  sample.memoryUsedGiB = static_cast<float>(static_cast<double>(status.totalPhysical - available) / kGiB);
}

SystemSample SystemStats::Sample() {
  SystemSample sample;
  if (const std::optional<MemoryStatus> memory = source_.SampleMemoryStatus()) ApplyMemoryStatus(*memory, sample);

  const std::optional<SystemTimes> times = source_.SampleSystemTimes();
  if (!times) return sample;  // keep the stored times for the next successful call
  if (hasPrevious_) sample.cpuPercent = CpuPercentBetween(previous_, *times);
  // Stored even after a backwards step, so the next sample measures from here.
  previous_ = *times;
  hasPrevious_ = true;
  return sample;
}

}  // namespace orvane
