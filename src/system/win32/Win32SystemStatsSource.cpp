#include "system/win32/Win32SystemStatsSource.h"

#include <windows.h>

namespace orvane {
namespace {

std::uint64_t FromFileTime(const FILETIME& time) {
  return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

}  // namespace

std::optional<SystemTimes> Win32SystemStatsSource::SampleSystemTimes() {
  FILETIME idle{};
  FILETIME kernel{};
  FILETIME user{};
  if (!GetSystemTimes(&idle, &kernel, &user)) return std::nullopt;
  return SystemTimes{FromFileTime(idle), FromFileTime(kernel), FromFileTime(user)};
}

std::optional<MemoryStatus> Win32SystemStatsSource::SampleMemoryStatus() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof(status);
  if (!GlobalMemoryStatusEx(&status)) return std::nullopt;
  return MemoryStatus{status.dwMemoryLoad, status.ullTotalPhys, status.ullAvailPhys};
}

}  // namespace orvane
