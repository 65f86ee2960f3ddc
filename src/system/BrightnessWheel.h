#pragma once
// Wheel notches over the brightness glyph, applied off the UI thread: a WMI
// query can take over a second, and a notch must never wait for one. The UI
// thread only adds steps; one worker at a time reads the monitor's level
// (WMI, else DDC/CI), adds the steps gathered so far and sets the sum. Notches
// that arrive meanwhile are added up for the worker's next pass, so a fast
// spin costs one read and one write per pass, not per notch, and none is lost.
//
// The outcome is kept until the UI thread takes it; `arrived` tells the owner
// (called on the worker, at most once until the next TakeResult) so it can
// post a message. After Stop nothing is set or published again; a worker
// still running holds the shared state and finishes on its own.

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

#include "system/BackgroundWorker.h"
#include "system/SystemControlsPlatform.h"

namespace orvane {

// One pass's outcome for a monitor.
struct BrightnessWheelResult {
  MonitorHandle monitor = 0;
  std::optional<float> level;  // the level set; nothing when it could not be read or set
  bool operator==(const BrightnessWheelResult&) const = default;
};

class BrightnessWheel {
 public:
  struct Deps {
    // Used only on the worker, after prepareThread; every worker holds it,
    // so it may outlive the wheel. Required.
    std::shared_ptr<SystemControlsPlatform> controls;
    WorkerStarter startWorker = DetachedThreadStarter();
    WorkerThreadSetup prepareThread;  // COM on Windows; empty: nothing to set up
    // Called on the worker, possibly after the wheel is gone: it must not
    // reach into the owner (post a message instead).
    std::function<void()> arrived;
  };

  explicit BrightnessWheel(Deps deps);
  ~BrightnessWheel();
  BrightnessWheel(const BrightnessWheel&) = delete;
  BrightnessWheel& operator=(const BrightnessWheel&) = delete;

  // Adds delta (a notch is +0.05 or -0.05) to the monitor's pending change
  // and starts the worker unless it is running.
  void Step(MonitorHandle monitor, float delta);
  // The latest outcome since the last call; an earlier one untaken is
  // superseded.
  std::optional<BrightnessWheelResult> TakeResult();
  // Drops pending steps and the untaken outcome; later steps do nothing.
  void Stop();

 private:
  struct SharedState {
    std::mutex mutex;
    std::map<MonitorHandle, float> pending;  // summed steps per monitor
    std::optional<BrightnessWheelResult> result;
    bool working = false;    // a worker is draining `pending`
    bool signalled = false;  // `arrived` was called since the last TakeResult
    bool stopped = false;
  };
  static void Drain(const std::shared_ptr<SharedState>& state, const Deps& deps);

  std::shared_ptr<SharedState> state_ = std::make_shared<SharedState>();
  std::shared_ptr<const Deps> deps_;
};

}  // namespace orvane
