#include "system/CivilClock.h"

#include <limits>

namespace orvane {
namespace {

constexpr std::int64_t kTicksPerMinute = 60 * kFileTimeTicksPerSecond;
constexpr std::int64_t kTicksPerDay = 24 * 60 * kTicksPerMinute;

// Days between 1970-01-01 and the given date of the proleptic Gregorian
// calendar (negative before 1970).
constexpr std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t yearOfEra = year - era * 400;
  const std::int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

constexpr std::int64_t kDays1601To1970 = -DaysFromCivil(1601, 1, 1);
static_assert(kDays1601To1970 * kTicksPerDay == kFileTimeUnixEpoch);

// The date `days` after 1970-01-01; the inverse of DaysFromCivil.
void CivilFromDays(std::int64_t days, CivilTime& out) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t dayOfEra = days - era * 146097;
  const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;  // March is 0
  out.day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  out.month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  out.year = static_cast<int>(yearOfEra + era * 400 + (out.month <= 2 ? 1 : 0));
  // 1970-01-01 was a Thursday.
  out.weekday = static_cast<int>(((days - 719468) % 7 + 7 + 4) % 7);
}

}  // namespace

std::int64_t FixedCivilClock::FileTimeOf(const CivilTime& local, int utcOffsetMinutes) {
  const std::int64_t days = DaysFromCivil(local.year, local.month, local.day) + kDays1601To1970;
  const std::int64_t minutes = std::int64_t{local.hour} * 60 + local.minute - utcOffsetMinutes;
  return days * kTicksPerDay + minutes * kTicksPerMinute + std::int64_t{local.second} * kFileTimeTicksPerSecond +
         std::int64_t{local.millisecond} * 10000;
}

CivilTime FixedCivilClock::LocalNow() const { return ToLocal(now_).value_or(CivilTime{}); }

std::optional<CivilTime> FixedCivilClock::ToLocal(std::int64_t fileTime) const {
  // Like FileTimeToSystemTime: negative values (the top bit set) are refused.
  if (fileTime < 0) return std::nullopt;
  const std::int64_t offset = std::int64_t{offsetMinutes_} * kTicksPerMinute;
  if (offset > 0 && fileTime > std::numeric_limits<std::int64_t>::max() - offset) return std::nullopt;
  const std::int64_t local = fileTime + offset;
  if (local < 0) return std::nullopt;

  CivilTime out;
  CivilFromDays(local / kTicksPerDay - kDays1601To1970, out);
  std::int64_t rest = local % kTicksPerDay;
  out.hour = static_cast<int>(rest / (60 * kTicksPerMinute));
  rest %= 60 * kTicksPerMinute;
  out.minute = static_cast<int>(rest / kTicksPerMinute);
  rest %= kTicksPerMinute;
  out.second = static_cast<int>(rest / kFileTimeTicksPerSecond);
  out.millisecond = static_cast<int>(rest % kFileTimeTicksPerSecond / 10000);
  return out;
}

}  // namespace orvane
