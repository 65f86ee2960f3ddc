#pragma once
// Scripted system counters for tests and the preview tool: each call hands
// out the next queued reading; an empty queue or a queued nullopt answers as
// a failing GetSystemTimes does.

#include <deque>
#include <optional>

#include "system/SystemStats.h"

namespace orvane {

class FakeSystemStatsSource : public SystemStatsSource {
 public:
  std::deque<std::optional<SystemTimes>> times;
  std::optional<MemoryStatus> memory;  // nullopt: GlobalMemoryStatusEx fails

  std::optional<SystemTimes> SampleSystemTimes() override {
    if (times.empty()) return std::nullopt;
    std::optional<SystemTimes> next = times.front();
    times.pop_front();
    return next;
  }
  std::optional<MemoryStatus> SampleMemoryStatus() override { return memory; }
};

}  // namespace orvane
