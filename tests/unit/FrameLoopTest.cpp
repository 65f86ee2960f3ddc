#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "app/FrameLoop.h"

namespace orvane {
namespace {

// A message queue and clock that behave like the thread's Win32 queue: a
// message is visible to PeekMessage once its arrival time has come; GetMessage
// blocks (advances the clock) until the next one arrives. Every call the loop
// makes is written to `events`.
class ScriptedPlatform : public FramePlatform {
 public:
  struct Message {
    double arrival = 0.0;
    std::string name;
    std::function<void()> handler;  // empty for a quit message
    int quitCode = 0;
  };

  void Post(double arrival, std::string name, std::function<void()> handler = [] {}) {
    queue.push_back({arrival, std::move(name), std::move(handler), 0});
  }
  void PostQuit(int code) { queue.push_back({now, "quit", nullptr, code}); }

  bool DispatchPending(int& exitCode) override {
    while (!queue.empty() && queue.front().arrival <= now) {
      if (TakeQuit(exitCode)) return true;
      Dispatch();
    }
    return false;
  }

  WaitResult WaitAndDispatch(int& exitCode) override {
    events.push_back("wait");
    if (getMessageFails) return WaitResult::Failed;
    if (queue.empty()) {
      ADD_FAILURE() << "GetMessage would block forever";
      exitCode = -1;
      return WaitResult::Quit;
    }
    if (queue.front().arrival > now) now = queue.front().arrival;
    if (TakeQuit(exitCode)) return WaitResult::Quit;
    Dispatch();
    return WaitResult::Dispatched;
  }

  double NowSeconds() override { return now; }
  bool HasCompositorClock() override { return hasClock; }
  bool WaitForCompositorClock(unsigned timeoutMs) override {
    events.push_back("clock " + std::to_string(timeoutMs));
    now += frameInterval;
    return clockSucceeds;
  }
  bool FlushComposition() override {
    events.push_back("flush");
    now += frameInterval;
    return flushSucceeds;
  }
  void SleepMs(unsigned ms) override {
    events.push_back("sleep " + std::to_string(ms));
    now += ms / 1000.0;
  }

  double now = 0.0;
  double frameInterval = 1.0 / 60.0;
  bool hasClock = true;
  bool clockSucceeds = true;
  bool flushSucceeds = true;
  bool getMessageFails = false;
  std::deque<Message> queue;
  std::vector<std::string> events;

 private:
  bool TakeQuit(int& exitCode) {
    if (queue.front().handler) return false;
    exitCode = queue.front().quitCode;
    queue.pop_front();
    events.push_back("quit");
    return true;
  }
  void Dispatch() {
    Message message = std::move(queue.front());
    queue.pop_front();
    events.push_back(message.name);
    message.handler();
  }
};

// The dock's frame step: records each step and wants `framesWanted` more frames.
class FrameLoopTest : public ::testing::Test {
 protected:
  int Run(bool startWithFrames) {
    framesRequested = startWithFrames;
    return RunFrameLoop(platform, framesRequested, [this](float step) {
      steps.push_back(step);
      platform.events.push_back("step");
      if (onStep) onStep(steps.size());
      return --framesWanted > 0;
    });
  }

  ScriptedPlatform platform;
  bool framesRequested = false;
  int framesWanted = 1;
  std::function<void(size_t)> onStep;
  std::vector<float> steps;
};

TEST(FrameStepTest, ClampTable) {
  const struct {
    double measured, clamped;
  } cases[] = {
      {2.0, kMaxFrameStep},
      {kMaxFrameStep, kMaxFrameStep},
      {0.0167, 0.0167},
      {0.00001, kMinFrameStep},
      {0.0, kMinFrameStep},
      {-1.0, kMinFrameStep},
      {std::numeric_limits<double>::quiet_NaN(), kMinFrameStep},
  };
  for (const auto& c : cases) EXPECT_EQ(ClampFrameStep(c.measured), c.clamped) << c.measured;
}

TEST_F(FrameLoopTest, StartingWithFramesRequestedRunsAFrameFirst) {
  platform.Post(0.0, "input A");
  platform.Post(0.0, "input B");
  platform.Post(1.0, "later");
  platform.queue.push_back({2.0, "quit", nullptr, 7});
  framesWanted = 1;

  EXPECT_EQ(Run(true), 7);
  // Everything pending is handled before the frame; then the loop idles.
  EXPECT_EQ(platform.events, (std::vector<std::string>{"input A", "input B", "step", "clock 50", "wait", "later",
                                                       "wait", "quit"}));
  EXPECT_EQ(steps, std::vector<float>{static_cast<float>(kMinFrameStep)});
}

TEST_F(FrameLoopTest, AnimatingStepsAreTheMeasuredFrameTime) {
  framesWanted = 3;
  platform.queue.push_back({10.0, "quit", nullptr, 0});
  EXPECT_EQ(Run(true), 0);
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_FLOAT_EQ(steps[1], 1.0f / 60.0f);
  EXPECT_FLOAT_EQ(steps[2], 1.0f / 60.0f);
}

TEST_F(FrameLoopTest, StallIsClampedAndTinyStepIsRaised) {
  const struct {
    const char* label;
    double frameCost;  // time the first frame step takes
    double interval;   // time the pacing wait takes
    float second;
  } cases[] = {
      {"2 s stall", 2.0, 1.0 / 60.0, static_cast<float>(kMaxFrameStep)},
      {"back-to-back frames", 0.0, 0.00001, static_cast<float>(kMinFrameStep)},
  };
  for (const auto& c : cases) {
    platform = ScriptedPlatform();
    steps.clear();
    platform.frameInterval = c.interval;
    platform.queue.push_back({100.0, "quit", nullptr, 0});
    framesWanted = 2;
    onStep = [&](size_t n) {
      if (n == 1) platform.now += c.frameCost;
    };
    Run(true);
    ASSERT_EQ(steps.size(), 2u) << c.label;
    EXPECT_EQ(steps[1], c.second) << c.label;
  }
}

TEST_F(FrameLoopTest, QuitWhileAnimatingEndsBeforeTheNextFrame) {
  for (int code : {0, 3}) {
    platform = ScriptedPlatform();
    steps.clear();
    framesWanted = 1000;
    platform.Post(0.04, "menu quit", [&, code] { platform.PostQuit(code); });
    EXPECT_EQ(Run(true), code);
    ASSERT_GE(platform.events.size(), 2u);
    EXPECT_EQ(platform.events[platform.events.size() - 2], "menu quit");
    EXPECT_EQ(platform.events.back(), "quit");
    EXPECT_EQ(steps.size(), 3u) << "frames at 0, 1/60 and 2/60 s; none after the quit";
  }
}

TEST_F(FrameLoopTest, IdleMessageThatStartsAnAnimationStepsAtOnce) {
  platform.Post(1.0, "pointer enters", [&] { framesRequested = true; });
  platform.Post(5.0, "next message");
  platform.queue.push_back({6.0, "quit", nullptr, 0});
  framesWanted = 1;

  EXPECT_EQ(Run(false), 0);
  // One fixed first step, no pacing, and only then the next message.
  EXPECT_EQ(platform.events, (std::vector<std::string>{"wait", "pointer enters", "step", "wait", "next message",
                                                       "wait", "quit"}));
  EXPECT_EQ(steps, std::vector<float>{kFirstStepAfterIdle});
  EXPECT_FALSE(framesRequested);
}

TEST_F(FrameLoopTest, AnimationStartedWhileIdleMeasuresFromAfterTheHandler) {
  // A slow handler must not count as frame time.
  platform.Post(1.0, "slow handler", [&] {
    platform.now += 0.5;
    framesRequested = true;
  });
  platform.queue.push_back({9.0, "quit", nullptr, 0});
  framesWanted = 2;
  onStep = [&](size_t) { platform.now += 0.004; };

  Run(false);
  ASSERT_EQ(steps.size(), 2u);
  EXPECT_EQ(steps[0], kFirstStepAfterIdle);
  EXPECT_FLOAT_EQ(steps[1], 0.004f);
}

TEST_F(FrameLoopTest, GetMessageFailureEndsWithOne) {
  platform.getMessageFails = true;
  EXPECT_EQ(Run(false), 1);
  EXPECT_TRUE(steps.empty());
}

TEST(PaceFrameTest, FallbackTable) {
  const struct {
    bool hasClock, clockSucceeds, flushSucceeds;
    double flushTakes;  // seconds the flush blocks
    std::vector<std::string> events;
  } cases[] = {
      {true, true, true, 1.0 / 60, {"clock 50"}},
      {true, false, true, 1.0 / 60, {"clock 50", "flush"}},
      {true, false, false, 1.0 / 60, {"clock 50", "flush", "sleep 4"}},
      {false, true, true, 1.0 / 60, {"flush"}},
      {false, true, false, 1.0 / 60, {"flush", "sleep 4"}},
      // A flush that does not wait: the frame is held to 1/60 s from its
      // start (here 5 ms ago).
      {false, true, true, 0.0, {"flush", "sleep 12"}},
      {false, true, true, 0.0005, {"flush", "sleep 12"}},
  };
  for (const auto& c : cases) {
    ScriptedPlatform platform;
    platform.hasClock = c.hasClock;
    platform.clockSucceeds = c.clockSucceeds;
    platform.flushSucceeds = c.flushSucceeds;
    platform.frameInterval = c.flushTakes;
    platform.now = 0.005;
    PaceFrame(platform, 0.0);
    EXPECT_EQ(platform.events, c.events) << c.hasClock << c.clockSucceeds << c.flushSucceeds << c.flushTakes;
  }
}

TEST(PaceFrameTest, ALongFrameWithAnInstantFlushIsNotHeldBack) {
  ScriptedPlatform platform;
  platform.hasClock = false;
  platform.frameInterval = 0.0;
  platform.now = 0.030;  // the frame took longer than a display period
  PaceFrame(platform, 0.0);
  EXPECT_EQ(platform.events, (std::vector<std::string>{"flush"}));
}

}  // namespace
}  // namespace orvane
