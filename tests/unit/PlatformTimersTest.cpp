#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/FakeTimers.h"

namespace orvane {
namespace {

struct FiredAt {
  TimerId id;
  std::uint64_t ms;
  bool operator==(const FiredAt&) const = default;
};

class FakeTimersTest : public testing::Test {
 protected:
  std::vector<FiredAt> fired;
  std::function<void(TimerId)> react;
  FakeTimers timers{[this](TimerId id) {
    fired.push_back({id, timers.NowMs()});
    if (react) react(id);
  }};
};

TEST_F(FakeTimersTest, DueTimersFireInTimeOrderAndRepeatingOnesKeepTheirPeriod) {
  timers.Start(2, 260, TimerKind::Repeating);
  timers.Start(1, 45, TimerKind::OneShot);
  timers.Start(5, 520, TimerKind::OneShot);  // due together with timer 2's second tick, started after it
  timers.Advance(600);
  EXPECT_EQ(fired, (std::vector<FiredAt>{{1, 45}, {2, 260}, {2, 520}, {5, 520}}));
  EXPECT_FALSE(timers.Running(1));
  EXPECT_TRUE(timers.Running(2));
  EXPECT_EQ(timers.NowMs(), 600u);

  fired.clear();
  timers.Advance(179);  // timer 2's next tick is at 780
  EXPECT_TRUE(fired.empty());
  timers.Advance(1);
  EXPECT_EQ(fired, (std::vector<FiredAt>{{2, 780}}));
}

TEST_F(FakeTimersTest, RestartingDelaysAndStoppingSilences) {
  timers.Start(1, 45, TimerKind::OneShot);
  timers.Advance(30);
  timers.Start(1, 45, TimerKind::OneShot);  // re-armed: counts from now
  timers.Advance(44);
  EXPECT_TRUE(fired.empty());
  timers.Advance(1);
  EXPECT_EQ(fired, (std::vector<FiredAt>{{1, 75}}));

  timers.Start(2, 100, TimerKind::Repeating);
  timers.Stop(2);
  timers.Stop(3);  // never started
  timers.Advance(1000);
  EXPECT_EQ(fired.size(), 1u);
}

TEST_F(FakeTimersTest, CallbacksMayStartAndStopTimersDuringAnAdvance) {
  timers.Start(1, 100, TimerKind::Repeating);
  timers.Start(2, 100, TimerKind::Repeating);
  react = [this](TimerId id) {
    if (id == 1 && timers.NowMs() == 100) {
      timers.Stop(2);                            // due at the same moment: it must not fire
      timers.Start(3, 30, TimerKind::OneShot);   // falls due inside this advance
    }
    if (id == 3) timers.Stop(1);
  };
  timers.Advance(250);
  EXPECT_EQ(fired, (std::vector<FiredAt>{{1, 100}, {3, 130}}));
}

TEST_F(FakeTimersTest, IntervalsBelowTheSystemMinimumRunAtIt) {
  timers.Start(1, 0, TimerKind::Repeating);
  timers.Advance(25);
  EXPECT_EQ(fired, (std::vector<FiredAt>{{1, 10}, {1, 20}}));
}

}  // namespace
}  // namespace orvane
