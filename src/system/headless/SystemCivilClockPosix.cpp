// The system clock and the local time zone on Linux.
#include <time.h>

#include <limits>

#include "system/CivilClock.h"

namespace orvane {
namespace {

class SystemCivilClock final : public CivilClock {
 public:
  std::int64_t NowFileTime() const override {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return kFileTimeUnixEpoch + static_cast<std::int64_t>(now.tv_sec) * kFileTimeTicksPerSecond + now.tv_nsec / 100;
  }

  CivilTime LocalNow() const override { return ToLocal(NowFileTime()).value_or(CivilTime{}); }

  std::optional<CivilTime> ToLocal(std::int64_t fileTime) const override {
    if (fileTime < 0) return std::nullopt;
    // Floor division: instants before 1970 count back from the second below.
    std::int64_t seconds = (fileTime - kFileTimeUnixEpoch) / kFileTimeTicksPerSecond;
    std::int64_t ticks = (fileTime - kFileTimeUnixEpoch) % kFileTimeTicksPerSecond;
    if (ticks < 0) {
      --seconds;
      ticks += kFileTimeTicksPerSecond;
    }
    if (seconds > std::numeric_limits<time_t>::max() || seconds < std::numeric_limits<time_t>::min()) {
      return std::nullopt;
    }
    const auto whole = static_cast<time_t>(seconds);
    tm local{};
    if (localtime_r(&whole, &local) == nullptr) return std::nullopt;
    CivilTime out;
    out.year = local.tm_year + 1900;
    out.month = local.tm_mon + 1;
    out.day = local.tm_mday;
    out.weekday = local.tm_wday;
    out.hour = local.tm_hour;
    out.minute = local.tm_min;
    // A leap second (60) reads as the last second of its minute, as on Windows.
    out.second = local.tm_sec > 59 ? 59 : local.tm_sec;
    out.millisecond = static_cast<int>(ticks / 10000);
    return out;
  }
};

}  // namespace

std::unique_ptr<CivilClock> CreateSystemCivilClock() { return std::make_unique<SystemCivilClock>(); }

}  // namespace orvane
