#include "platform/headless/FakeTimers.h"

namespace orvane {

void FakeTimers::Start(TimerId id, unsigned intervalMs, TimerKind kind) {
  const unsigned interval = ClampTimerInterval(intervalMs);
  timers_[id] = Entry{interval, kind, now_ + interval, nextOrder_++};
}

void FakeTimers::Stop(TimerId id) { timers_.erase(id); }

void FakeTimers::Advance(std::uint64_t ms) {
  const std::uint64_t end = now_ + ms;
  for (;;) {
    // The next timer due by the end of this step; callbacks change the set,
    // so it is looked for again after every firing.
    auto next = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
      if (it->second.dueMs > end) continue;
      if (next == timers_.end() || it->second.dueMs < next->second.dueMs ||
          (it->second.dueMs == next->second.dueMs && it->second.order < next->second.order)) {
        next = it;
      }
    }
    if (next == timers_.end()) break;
    const TimerId id = next->first;
    now_ = next->second.dueMs;
    if (next->second.kind == TimerKind::OneShot) {
      timers_.erase(next);
    } else {
      next->second.dueMs += next->second.intervalMs;
    }
    if (onFire_) onFire_(id);
  }
  now_ = end;
}

}  // namespace orvane
