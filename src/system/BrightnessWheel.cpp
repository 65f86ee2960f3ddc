#include "system/BrightnessWheel.h"

#include <cmath>
#include <utility>

#include "system/FailureLog.h"
#include "system/SystemControls.h"

namespace orvane {
namespace {

constexpr wchar_t kWheelJob[] = L"Brightness wheel";

// The level set, or nothing when neither WMI nor DDC/CI reads the monitor
// (then nothing is written) or the write fails.
std::optional<float> ApplySteps(SystemControlsPlatform& controls, MonitorHandle monitor, float delta) {
  float current = 0.0f;
  if (!GetBrightnessWmi(controls, monitor, current) && !GetBrightnessDdc(controls, monitor, current)) {
    return std::nullopt;
  }
  const float level = ClampUnit(current + delta);
  if (!SetBrightness(controls, monitor, level)) return std::nullopt;
  return level;
}

}  // namespace

BrightnessWheel::BrightnessWheel(Deps deps) : deps_(std::make_shared<const Deps>(std::move(deps))) {}

BrightnessWheel::~BrightnessWheel() { Stop(); }

void BrightnessWheel::Step(MonitorHandle monitor, float delta) {
  // A NaN would read as level 0 once summed: a black screen.
  if (!std::isfinite(delta)) return;
  {
    std::lock_guard lock(state_->mutex);
    if (state_->stopped) return;
    state_->pending[monitor] += delta;
    if (state_->working) return;
    state_->working = true;
  }
  // Started outside the lock: a starter may run the job at once.
  try {
    deps_->startWorker([state = state_, deps = deps_] { Drain(state, *deps); });
  } catch (...) {
    ReportCurrentException(kWheelJob);
    std::lock_guard lock(state_->mutex);
    state_->working = false;  // the steps stay; the next notch tries again
  }
}

// The working flag is lowered under the same lock that finds nothing
// pending, so a notch either lands before that look or starts a new worker.
void BrightnessWheel::Drain(const std::shared_ptr<SharedState>& state, const Deps& deps) {
  std::unique_ptr<WorkerThreadScope> scope;
  try {
    scope = deps.prepareThread ? deps.prepareThread() : std::make_unique<WorkerThreadScope>();
  } catch (...) {
    ReportCurrentException(kWheelJob);
  }
  // Without a prepared thread every pass counts as failed.
  if (!scope) BackgroundFailures().Report(kWheelJob, L"the worker thread could not be prepared");

  for (;;) {
    std::map<MonitorHandle, float> steps;
    {
      std::lock_guard lock(state->mutex);
      if (state->stopped || state->pending.empty()) {
        state->working = false;
        return;
      }
      steps.swap(state->pending);
    }
    for (const auto& [monitor, delta] : steps) {
      std::optional<float> level;
      if (scope && deps.controls) {
        try {
          level = ApplySteps(*deps.controls, monitor, delta);
        } catch (...) {
          ReportCurrentException(kWheelJob);
          level.reset();
        }
      }
      bool notify = false;
      {
        std::lock_guard lock(state->mutex);
        if (state->stopped) {
          state->working = false;
          return;
        }
        state->result = BrightnessWheelResult{monitor, level};
        notify = !std::exchange(state->signalled, true);
      }
      if (notify && deps.arrived) deps.arrived();
    }
  }
}

std::optional<BrightnessWheelResult> BrightnessWheel::TakeResult() {
  std::lock_guard lock(state_->mutex);
  state_->signalled = false;
  return std::exchange(state_->result, std::nullopt);
}

void BrightnessWheel::Stop() {
  std::lock_guard lock(state_->mutex);
  state_->stopped = true;
  state_->pending.clear();
  state_->result.reset();
}

}  // namespace orvane
