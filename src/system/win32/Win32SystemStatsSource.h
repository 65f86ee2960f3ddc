#pragma once
// System counters on Windows: GetSystemTimes and GlobalMemoryStatusEx.

#include "system/SystemStats.h"

namespace orvane {

class Win32SystemStatsSource : public SystemStatsSource {
 public:
  std::optional<SystemTimes> SampleSystemTimes() override;
  std::optional<MemoryStatus> SampleMemoryStatus() override;
};

}  // namespace orvane
