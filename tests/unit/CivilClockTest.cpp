#include <gtest/gtest.h>

#include <cstdlib>

#include "system/CivilClock.h"

namespace orvane {
namespace {

CivilTime Civil(int year, int month, int day, int weekday, int hour = 0, int minute = 0, int second = 0,
                int millisecond = 0) {
  CivilTime time;
  time.year = year;
  time.month = month;
  time.day = day;
  time.weekday = weekday;
  time.hour = hour;
  time.minute = minute;
  time.second = second;
  time.millisecond = millisecond;
  return time;
}

TEST(CivilClockTest, FixedClockCalendarTable) {
  const struct {
    const char* name;
    CivilTime local;
    int offsetMinutes;
    std::int64_t fileTime;
  } cases[] = {
      {"the FILETIME epoch", Civil(1601, 1, 1, 1), 0, 0},
      {"the Unix epoch", Civil(1970, 1, 1, 4), 0, kFileTimeUnixEpoch},
      {"east of UTC", Civil(1970, 1, 1, 4, 8), 480, kFileTimeUnixEpoch},
      {"west of UTC, the day before", Civil(1969, 12, 31, 3, 19), -300, kFileTimeUnixEpoch},
      {"leap day", Civil(2024, 2, 29, 4, 12, 34, 56, 789), 0, kFileTimeUnixEpoch + (1709210096LL * 1000 + 789) * 10000},
      {"century without leap day", Civil(2100, 3, 1, 1), 0,
       kFileTimeUnixEpoch + 4107542400LL * kFileTimeTicksPerSecond},
      {"2000 keeps its leap day", Civil(2000, 2, 29, 2), 0, kFileTimeUnixEpoch + 951782400LL * kFileTimeTicksPerSecond},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FixedCivilClock::FileTimeOf(c.local, c.offsetMinutes), c.fileTime) << c.name;
    const FixedCivilClock clock(c.fileTime, c.offsetMinutes);
    EXPECT_EQ(clock.ToLocal(c.fileTime), c.local) << c.name;
    EXPECT_EQ(clock.LocalNow(), c.local) << c.name;
  }
}

TEST(CivilClockTest, FixedClockRefusesWhatWindowsRefuses) {
  const FixedCivilClock east(0, 60);
  EXPECT_FALSE(east.ToLocal(-1).has_value());
  EXPECT_FALSE(east.ToLocal(INT64_MAX).has_value());  // beyond the range after the offset
  const FixedCivilClock west(0, -60);
  EXPECT_FALSE(west.ToLocal(kFileTimeTicksPerSecond).has_value());  // before 1601 in local time
  EXPECT_EQ(west.LocalNow(), CivilTime{});
}

TEST(CivilClockTest, SystemClockAgreesWithItself) {
  const std::unique_ptr<CivilClock> clock = CreateSystemCivilClock();
  const std::int64_t now = clock->NowFileTime();
  EXPECT_GT(now, FixedCivilClock::FileTimeOf(Civil(2020, 1, 1, 3), 0));
  const std::optional<CivilTime> converted = clock->ToLocal(now);
  ASSERT_TRUE(converted.has_value());
  const CivilTime local = clock->LocalNow();
  // Both read the same clock moments apart; compare to the minute unless the
  // minute turned in between.
  const auto minutes = [](const CivilTime& t) {
    return FixedCivilClock::FileTimeOf(t, 0) / (60 * kFileTimeTicksPerSecond);
  };
  EXPECT_LE(std::abs(minutes(local) - minutes(*converted)), 1);
  EXPECT_FALSE(clock->ToLocal(-1).has_value());
}

}  // namespace
}  // namespace orvane
