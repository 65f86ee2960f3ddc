#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <latch>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "ReturnsInTime.h"
#include "app/ExitRestores.h"

namespace orvane {
namespace {

using namespace std::chrono_literals;

class ExitRestoresTest : public ::testing::Test {
 protected:
  void SetUp() override { Reset(); }
  void TearDown() override { Reset(); }
  static void Reset() {
    ProcessExitRestores() = ExitRestores{};
    TaskbarHidden().store(false);
  }

  // Registers three restores that record their names.
  void RegisterRecorders() {
    ProcessExitRestores() = ExitRestores{
        [this] { Record("gamma"); },
        [this] { Record("stage windows"); },
        [this] { Record("taskbar"); },
    };
  }
  void Record(const char* name) {
    std::lock_guard<std::mutex> guard(mutex_);
    calls_.emplace_back(name);
  }
  std::vector<std::string> Calls() {
    std::lock_guard<std::mutex> guard(mutex_);
    return calls_;
  }

 private:
  std::mutex mutex_;
  std::vector<std::string> calls_;
};

TEST_F(ExitRestoresTest, EmptyRestoresAreNoOps) {
  TaskbarHidden().store(true);
  RunExitRestores();
  EXPECT_FALSE(TaskbarHidden().load());
}

TEST_F(ExitRestoresTest, RunInOrderAndShowTheTaskbarOnlyWhenHidden) {
  RegisterRecorders();
  RunExitRestores();
  EXPECT_EQ(Calls(), (std::vector<std::string>{"gamma", "stage windows"}));

  TaskbarHidden().store(true);
  RunExitRestores();
  RunExitRestores();  // the exit path repeating what a quit command already did
  EXPECT_EQ(Calls(), (std::vector<std::string>{"gamma", "stage windows", "gamma", "stage windows", "taskbar",
                                               "gamma", "stage windows"}));
  EXPECT_FALSE(TaskbarHidden().load());
}

TEST_F(ExitRestoresTest, RacingCallersShowTheTaskbarOncePerHide) {
  std::atomic<int> shown{0};
  ProcessExitRestores().showTaskbar = [&] { shown.fetch_add(1); };
  constexpr int kRounds = 200;
  constexpr int kCallers = 6;
  for (int round = 0; round < kRounds; ++round) {
    TaskbarHidden().store(true);
    std::latch start(kCallers);
    std::vector<std::thread> callers;
    for (int i = 0; i < kCallers; ++i) {
      callers.emplace_back([&] {
        start.arrive_and_wait();
        RunExitRestores();
      });
    }
    for (std::thread& caller : callers) caller.join();
    ASSERT_EQ(shown.load(), round + 1) << "round " << round;
  }
}

TEST_F(ExitRestoresTest, AThrowingRestoreDoesNotStopTheOthers) {
  std::vector<std::string> ran;
  ProcessExitRestores() = ExitRestores{
      [&] {
        ran.push_back("gamma");
        throw std::runtime_error("SetDeviceGammaRamp failed");
      },
      [&] {
        ran.push_back("stage windows");
        throw 42;
      },
      [&] { ran.push_back("taskbar"); },
  };
  TaskbarHidden().store(true);
  EXPECT_NO_THROW(RunExitRestores());
  EXPECT_EQ(ran, (std::vector<std::string>{"gamma", "stage windows", "taskbar"}));
}

// What an owner such as the gamma controller shares with its restore.
struct GuardedState {
  RestoreLock lock;
  std::atomic<bool> restored{false};
  std::atomic<bool> stageRan{false};
};

void RegisterGuarded(const std::shared_ptr<GuardedState>& state) {
  ProcessExitRestores() = ExitRestores{
      [state] { RunUnderRestoreLock(state->lock, [&] { state->restored = true; }); },
      [state] { state->stageRan = true; },
      nullptr,
  };
}

TEST_F(ExitRestoresTest, RestoreSkipsWhenAnotherThreadHoldsItsLock) {
  auto state = std::make_shared<GuardedState>();
  RegisterGuarded(state);
  state->lock.lock();  // held by this thread, restores run on another

  const bool returned = ReturnsInTime([] { RunExitRestores(); });
  state->lock.unlock();
  ASSERT_TRUE(returned) << "the restore waited without bound";
  EXPECT_FALSE(state->restored);
  EXPECT_TRUE(state->stageRan);
}

TEST_F(ExitRestoresTest, RestoreSkipsWhenTheFaultingThreadHoldsItsLock) {
  // The crash filter runs on the thread that faulted while holding the lock.
  auto state = std::make_shared<GuardedState>();
  RegisterGuarded(state);
  const bool returned = ReturnsInTime([state] {
    state->lock.lock();
    RunExitRestores();
    state->lock.unlock();
  });
  ASSERT_TRUE(returned) << "the restore deadlocked on its own thread's lock";
  EXPECT_FALSE(state->restored);
  EXPECT_TRUE(state->stageRan);
}

TEST_F(ExitRestoresTest, RestoreRunsOnceTheLockIsFree) {
  auto state = std::make_shared<GuardedState>();
  RegisterGuarded(state);
  RunExitRestores();
  EXPECT_TRUE(state->restored);
  EXPECT_TRUE(state->lock.try_lock()) << "the restore left its lock held";
}

TEST(RestoreLockTest, ReleasedWhenTheRestoreThrows) {
  RestoreLock lock;
  EXPECT_THROW(RunUnderRestoreLock(lock, [] { throw std::runtime_error("boom"); }), std::runtime_error);
  EXPECT_TRUE(lock.try_lock());
  EXPECT_FALSE(lock.try_lock());
  EXPECT_FALSE(lock.try_lock_for(1ms));
  lock.unlock();
  EXPECT_TRUE(lock.try_lock_for(1ms));
}

}  // namespace
}  // namespace orvane
