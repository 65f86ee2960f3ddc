#pragma once
// Window timers: a timer has an id chosen by its owner (platform/MessageIds.h)
// and fires after its interval, once or again every interval until it is
// stopped. Starting an id that runs already restarts it with the new
// interval, as SetTimer does. Windows: win32/Win32Timers (SetTimer on a
// window); tests and the preview tool: headless/FakeTimers (a manual clock).
// UI thread only; the fire callback runs on that thread.

#include <cstdint>
#include <functional>

namespace orvane {

using TimerId = std::uintptr_t;

enum class TimerKind { Repeating, OneShot };

// SetTimer's limits (USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM): shorter
// intervals run at the minimum, longer ones at the maximum.
inline constexpr unsigned kTimerMinimumMs = 0x0000000A;
inline constexpr unsigned kTimerMaximumMs = 0x7FFFFFFF;

inline unsigned ClampTimerInterval(unsigned intervalMs) {
  return intervalMs < kTimerMinimumMs ? kTimerMinimumMs : intervalMs > kTimerMaximumMs ? kTimerMaximumMs : intervalMs;
}

class Timers {
 public:
  using FireCallback = std::function<void(TimerId)>;

  virtual ~Timers() = default;
  // Starts or restarts the timer.
  virtual void Start(TimerId id, unsigned intervalMs, TimerKind kind) = 0;
  // Stopping a timer that does not run does nothing.
  virtual void Stop(TimerId id) = 0;
  virtual bool Running(TimerId id) const = 0;
};

}  // namespace orvane
