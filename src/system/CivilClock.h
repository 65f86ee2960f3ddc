#pragma once
// Wall-clock time as people read it: now, and a stored instant (FILETIME)
// in the local calendar. The notification feed, the menu bar's clock and the
// widgets share it; tests and the preview tool use a fixed clock.

#include <cstdint>
#include <memory>
#include <optional>

namespace orvane {

struct CivilTime {
  int year = 1601;
  int month = 1;     // 1-12
  int day = 1;       // 1-31
  int weekday = 0;   // 0 Sunday ... 6 Saturday
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
  bool operator==(const CivilTime&) const = default;
};

// 100-ns units between 1601-01-01 and 1970-01-01 (UTC).
inline constexpr std::int64_t kFileTimeUnixEpoch = 116444736000000000;
inline constexpr std::int64_t kFileTimeTicksPerSecond = 10000000;

class CivilClock {
 public:
  virtual ~CivilClock() = default;
  // Now, as a FILETIME value (UTC).
  virtual std::int64_t NowFileTime() const = 0;
  // The local date and time now.
  virtual CivilTime LocalNow() const = 0;
  // A FILETIME value in local time; nullopt when it cannot be converted.
  virtual std::optional<CivilTime> ToLocal(std::int64_t fileTime) const = 0;
};

// The system's clock and time zone (Windows: GetSystemTimeAsFileTime,
// FileTimeToLocalFileTime; Linux: clock_gettime and localtime_r).
std::unique_ptr<CivilClock> CreateSystemCivilClock();

// A clock standing at a fixed instant, `utcOffsetMinutes` east of UTC, for
// tests and previews. Set moves it.
class FixedCivilClock final : public CivilClock {
 public:
  FixedCivilClock(std::int64_t nowFileTime, int utcOffsetMinutes)
      : now_(nowFileTime), offsetMinutes_(utcOffsetMinutes) {}
  // The instant whose local time (at this clock's offset) is `local`.
  static std::int64_t FileTimeOf(const CivilTime& local, int utcOffsetMinutes);

  void Set(std::int64_t nowFileTime) { now_ = nowFileTime; }
  std::int64_t NowFileTime() const override { return now_; }
  CivilTime LocalNow() const override;
  std::optional<CivilTime> ToLocal(std::int64_t fileTime) const override;

 private:
  std::int64_t now_;
  int offsetMinutes_;
};

}  // namespace orvane
