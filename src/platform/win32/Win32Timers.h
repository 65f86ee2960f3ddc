#pragma once
// Timers on a window: SetTimer / KillTimer. The window procedure hands each
// WM_TIMER to OnTimerMessage, which stops a one-shot timer before it fires.

#include <windows.h>

#include <map>
#include <utility>

#include "platform/Timers.h"

namespace orvane {

class Win32Timers final : public Timers {
 public:
  Win32Timers(HWND window, FireCallback onFire) : window_(window), onFire_(std::move(onFire)) {}
  // Kills the timers still running.
  ~Win32Timers() override;
  Win32Timers(const Win32Timers&) = delete;
  Win32Timers& operator=(const Win32Timers&) = delete;

  void Start(TimerId id, unsigned intervalMs, TimerKind kind) override;
  void Stop(TimerId id) override;
  bool Running(TimerId id) const override { return running_.contains(id); }

  // True when the WM_TIMER belonged to one of these timers (and it fired).
  bool OnTimerMessage(WPARAM id);

 private:
  HWND window_;
  FireCallback onFire_;
  std::map<TimerId, TimerKind> running_;
};

}  // namespace orvane
