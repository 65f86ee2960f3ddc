#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "JoinableWorkers.h"
#include "system/BrightnessWheel.h"
#include "system/FakeSystemControlsPlatform.h"

namespace orvane {
namespace {

using Calls = std::vector<std::wstring>;

constexpr float kNotch = 0.05f;
constexpr MonitorHandle kPanel = 0;        // the internal panel WMI drives
constexpr MonitorHandle kExternal = 0x51;  // DDC/CI only

// Jobs wait in a queue until the test runs them on its own thread.
struct QueuedWorkers {
  std::vector<std::function<void()>> jobs;
  bool failNextStart = false;
  WorkerStarter Starter() {
    return [this](std::function<void()> job) {
      if (std::exchange(failNextStart, false)) throw std::runtime_error("no thread");
      jobs.push_back(std::move(job));
    };
  }
  void RunAll() {
    auto pending = std::move(jobs);
    jobs.clear();
    for (auto& job : pending) job();
  }
};

class BrightnessWheelTest : public ::testing::Test {
 protected:
  BrightnessWheelTest() {
    controls_->monitors[kExternal] = L"\\\\.\\DISPLAY2";
    controls_->deviceInterfaces[L"\\\\.\\DISPLAY2"] =
        L"\\\\?\\DISPLAY#GSM5B08#5&1b&0&UID4352#{e6f07b5f-ee97-4a90-b076-33f57bf4eaa7}";
  }

  BrightnessWheel::Deps Deps() {
    BrightnessWheel::Deps deps;
    deps.controls = controls_;
    deps.startWorker = workers_.Starter();
    deps.arrived = [this] {
      ++arrivals_;
      if (duringArrival_) std::exchange(duringArrival_, nullptr)();
    };
    return deps;
  }

  std::shared_ptr<FakeSystemControlsPlatform> controls_ = std::make_shared<FakeSystemControlsPlatform>();
  QueuedWorkers workers_;
  int arrivals_ = 0;
  std::function<void()> duringArrival_;  // runs once, on the worker, inside the next `arrived`
};

TEST_F(BrightnessWheelTest, NotchesBeforeTheWorkerRunsBecomeOneReadAndOneWrite) {
  controls_->wmiBrightness = 50;
  BrightnessWheel wheel(Deps());
  wheel.Step(kPanel, kNotch);
  wheel.Step(kPanel, kNotch);
  wheel.Step(kPanel, kNotch);
  ASSERT_EQ(workers_.jobs.size(), 1u);
  EXPECT_EQ(wheel.TakeResult(), std::nullopt);

  workers_.RunAll();
  EXPECT_EQ(controls_->calls, (Calls{L"wmi 65"}));
  EXPECT_EQ(arrivals_, 1);
  const std::optional<BrightnessWheelResult> result = wheel.TakeResult();
  ASSERT_TRUE(result && result->level);
  EXPECT_EQ(result->monitor, kPanel);
  EXPECT_FLOAT_EQ(*result->level, 0.65f);
  EXPECT_EQ(wheel.TakeResult(), std::nullopt);

  // Once the worker is done, the next notch starts another.
  wheel.Step(kPanel, -kNotch);
  ASSERT_EQ(workers_.jobs.size(), 1u);
  workers_.RunAll();
  EXPECT_EQ(controls_->calls, (Calls{L"wmi 65", L"wmi 60"}));
  EXPECT_EQ(arrivals_, 2);
}

TEST_F(BrightnessWheelTest, NotchesDuringAPassAreAppliedByTheSameWorkerNext) {
  controls_->wmiBrightness = 50;
  BrightnessWheel wheel(Deps());
  duringArrival_ = [&] {
    wheel.Step(kPanel, kNotch);
    wheel.Step(kPanel, kNotch);
  };
  wheel.Step(kPanel, kNotch);
  workers_.RunAll();

  EXPECT_TRUE(workers_.jobs.empty());  // no second worker was started
  EXPECT_EQ(controls_->calls, (Calls{L"wmi 55", L"wmi 65"}));
  EXPECT_EQ(arrivals_, 1);  // the first outcome was never taken
  const std::optional<BrightnessWheelResult> result = wheel.TakeResult();
  ASSERT_TRUE(result && result->level);
  EXPECT_FLOAT_EQ(*result->level, 0.65f);
}

TEST_F(BrightnessWheelTest, ReadsThroughWmiThenDdcAndSetsNothingWhenNeitherAnswers) {
  const struct {
    const char* name;
    std::optional<std::int64_t> wmi;
    std::optional<MonitorBrightnessRange> ddc;
    MonitorHandle monitor;
    float delta;
    Calls calls;
    std::optional<float> level;
  } cases[] = {
      {"wmi", 40, MonitorBrightnessRange{0, 90, 100}, kPanel, kNotch, {L"wmi 45"}, 0.45f},
      // The write still goes to WMI first, which takes it.
      {"wmi out of range reads ddc", 101, MonitorBrightnessRange{0, 90, 100}, kPanel, -kNotch, {L"wmi 85"},
       0.85f},
      {"ddc only", std::nullopt, MonitorBrightnessRange{0, 30, 100}, kPanel, kNotch, {L"ddc 35"}, 0.35f},
      {"external monitor, wmi ignored", 40, MonitorBrightnessRange{0, 30, 100}, kExternal, kNotch, {L"ddc 35"},
       0.35f},
      {"clamped at the top", 98, std::nullopt, kPanel, kNotch, {L"wmi 100"}, 1.0f},
      {"clamped at the bottom", 2, std::nullopt, kPanel, -kNotch, {L"wmi 0"}, 0.0f},
      {"neither answers", std::nullopt, std::nullopt, kPanel, kNotch, {}, std::nullopt},
      {"ddc without a range", std::nullopt, MonitorBrightnessRange{50, 50, 50}, kPanel, kNotch, {}, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto controls = std::make_shared<FakeSystemControlsPlatform>(*controls_);
    controls->wmiBrightness = c.wmi;
    if (c.ddc) {
      const std::wstring device = c.monitor == kPanel ? L"\\\\.\\DISPLAY1" : L"\\\\.\\DISPLAY2";
      controls->displays[device].ddc = c.ddc;
    }
    QueuedWorkers workers;
    BrightnessWheel::Deps deps;
    deps.controls = controls;
    deps.startWorker = workers.Starter();
    BrightnessWheel wheel(std::move(deps));

    wheel.Step(c.monitor, c.delta);
    workers.RunAll();
    EXPECT_EQ(controls->calls, c.calls);
    const std::optional<BrightnessWheelResult> result = wheel.TakeResult();
    ASSERT_TRUE(result);
    EXPECT_EQ(result->monitor, c.monitor);
    ASSERT_EQ(result->level.has_value(), c.level.has_value());
    if (c.level) {
      EXPECT_FLOAT_EQ(*result->level, *c.level);
    }
  }
}

TEST_F(BrightnessWheelTest, AFailedWriteIsReportedAsAFailure) {
  controls_->wmiBrightness = 50;
  controls_->wmiSetFails = true;
  BrightnessWheel wheel(Deps());
  wheel.Step(kPanel, kNotch);
  workers_.RunAll();
  EXPECT_EQ(wheel.TakeResult(), (BrightnessWheelResult{kPanel, std::nullopt}));
}

TEST_F(BrightnessWheelTest, EachMonitorKeepsItsOwnSteps) {
  controls_->wmiBrightness = 50;
  controls_->displays[L"\\\\.\\DISPLAY2"].ddc = MonitorBrightnessRange{0, 20, 100};
  BrightnessWheel wheel(Deps());
  wheel.Step(kPanel, kNotch);
  wheel.Step(kExternal, -kNotch);
  wheel.Step(kPanel, kNotch);
  workers_.RunAll();
  EXPECT_EQ(controls_->calls, (Calls{L"wmi 60", L"ddc 15"}));
}

TEST_F(BrightnessWheelTest, StopDropsPendingStepsAndALateWorkerPublishesNothing) {
  controls_->wmiBrightness = 50;
  BrightnessWheel wheel(Deps());
  wheel.Step(kPanel, kNotch);
  wheel.Stop();
  workers_.RunAll();
  EXPECT_TRUE(controls_->calls.empty());
  EXPECT_EQ(arrivals_, 0);

  wheel.Step(kPanel, kNotch);
  EXPECT_TRUE(workers_.jobs.empty());
  EXPECT_EQ(wheel.TakeResult(), std::nullopt);
}

TEST_F(BrightnessWheelTest, AWorkerOutlivesTheWheel) {
  controls_->wmiBrightness = 50;
  {
    BrightnessWheel wheel(Deps());
    wheel.Step(kPanel, kNotch);
  }
  workers_.RunAll();
  EXPECT_TRUE(controls_->calls.empty());
  EXPECT_EQ(arrivals_, 0);
}

TEST_F(BrightnessWheelTest, StepsSurviveAWorkerThatCouldNotStart) {
  controls_->wmiBrightness = 50;
  BrightnessWheel wheel(Deps());
  workers_.failNextStart = true;
  wheel.Step(kPanel, kNotch);
  EXPECT_TRUE(workers_.jobs.empty());

  wheel.Step(kPanel, kNotch);
  workers_.RunAll();
  EXPECT_EQ(controls_->calls, (Calls{L"wmi 60"}));
}

TEST_F(BrightnessWheelTest, AnUnpreparedThreadSetsNothingAndReportsAFailure) {
  controls_->wmiBrightness = 50;
  BrightnessWheel::Deps deps = Deps();
  deps.prepareThread = [] { return std::unique_ptr<WorkerThreadScope>(); };
  BrightnessWheel wheel(std::move(deps));
  wheel.Step(kPanel, kNotch);
  workers_.RunAll();
  EXPECT_TRUE(controls_->calls.empty());
  EXPECT_EQ(wheel.TakeResult(), (BrightnessWheelResult{kPanel, std::nullopt}));
}

TEST_F(BrightnessWheelTest, ANonFiniteStepIsIgnored) {
  controls_->wmiBrightness = 50;
  BrightnessWheel wheel(Deps());
  wheel.Step(kPanel, std::numeric_limits<float>::quiet_NaN());
  wheel.Step(kPanel, std::numeric_limits<float>::infinity());
  EXPECT_TRUE(workers_.jobs.empty());
  wheel.Step(kPanel, kNotch);
  workers_.RunAll();
  EXPECT_EQ(controls_->calls, (Calls{L"wmi 55"}));
}

// Notches from the UI thread while real workers read and write: every notch
// lands exactly once, whichever pass takes it.
TEST(BrightnessWheelThreadTest, EveryNotchLandsOnceAcrossRealWorkers) {
  auto controls = std::make_shared<FakeSystemControlsPlatform>();
  controls->wmiBrightness = 20;
  testing::JoinableWorkers workers;
  std::atomic<int> arrivals{0};
  BrightnessWheel::Deps deps;
  deps.controls = controls;
  deps.startWorker = workers.Starter();
  deps.arrived = [&arrivals] { ++arrivals; };
  BrightnessWheel wheel(std::move(deps));

  for (int i = 0; i < 10; ++i) {
    wheel.Step(kPanel, kNotch);
    if (i % 3 == 0) (void)wheel.TakeResult();
  }
  workers.JoinAll();

  EXPECT_EQ(controls->wmiBrightness, 70);
  EXPECT_GE(arrivals.load(), 1);
  ASSERT_FALSE(controls->calls.empty());
  EXPECT_EQ(controls->calls.back(), L"wmi 70");
}

}  // namespace
}  // namespace orvane
