// The system clock and the user's time zone on Windows.
#include <windows.h>

#include "system/CivilClock.h"

namespace orvane {
namespace {

CivilTime FromSystemTime(const SYSTEMTIME& time) {
  CivilTime out;
  out.year = time.wYear;
  out.month = time.wMonth;
  out.day = time.wDay;
  out.weekday = time.wDayOfWeek;
  out.hour = time.wHour;
  out.minute = time.wMinute;
  out.second = time.wSecond;
  out.millisecond = time.wMilliseconds;
  return out;
}

FILETIME ToFileTime(std::int64_t value) {
  const auto bits = static_cast<std::uint64_t>(value);
  FILETIME out;
  out.dwLowDateTime = static_cast<DWORD>(bits & 0xFFFFFFFFu);
  out.dwHighDateTime = static_cast<DWORD>(bits >> 32);
  return out;
}

class SystemCivilClock final : public CivilClock {
 public:
  std::int64_t NowFileTime() const override {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return static_cast<std::int64_t>((std::uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime);
  }

  CivilTime LocalNow() const override {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return FromSystemTime(now);
  }

  // FileTimeToLocalFileTime applies today's bias, daylight saving included,
  // which is also what GetLocalTime reports, so "today" compares alike.
  std::optional<CivilTime> ToLocal(std::int64_t fileTime) const override {
    if (fileTime < 0) return std::nullopt;
    const FILETIME utc = ToFileTime(fileTime);
    FILETIME local;
    SYSTEMTIME time;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &time)) return std::nullopt;
    return FromSystemTime(time);
  }
};

}  // namespace

std::unique_ptr<CivilClock> CreateSystemCivilClock() { return std::make_unique<SystemCivilClock>(); }

}  // namespace orvane
