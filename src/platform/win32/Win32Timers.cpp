#include "platform/win32/Win32Timers.h"

namespace orvane {

Win32Timers::~Win32Timers() {
  for (const auto& [id, kind] : running_) KillTimer(window_, id);
}

void Win32Timers::Start(TimerId id, unsigned intervalMs, TimerKind kind) {
  // SetTimer on a running id replaces it: the interval counts from now.
  if (SetTimer(window_, id, ClampTimerInterval(intervalMs), nullptr) != 0) {
    running_[id] = kind;
  } else {
    running_.erase(id);
  }
}

void Win32Timers::Stop(TimerId id) {
  if (running_.erase(id) != 0) KillTimer(window_, id);
}

bool Win32Timers::OnTimerMessage(WPARAM id) {
  const auto found = running_.find(static_cast<TimerId>(id));
  if (found == running_.end()) return false;
  if (found->second == TimerKind::OneShot) {
    KillTimer(window_, found->first);
    running_.erase(found);
  }
  if (onFire_) onFire_(static_cast<TimerId>(id));
  return true;
}

}  // namespace orvane
