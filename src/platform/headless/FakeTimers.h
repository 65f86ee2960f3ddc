#pragma once
// Timers on a manual clock: Advance moves time forward and fires every timer
// that falls due on the way, in the order of their due times (timers due at
// the same moment in the order they were started). A callback may start and
// stop timers, itself included; a timer stopped by an earlier callback does
// not fire.

#include <cstdint>
#include <map>
#include <utility>

#include "platform/Timers.h"

namespace orvane {

class FakeTimers final : public Timers {
 public:
  explicit FakeTimers(FireCallback onFire) : onFire_(std::move(onFire)) {}

  void Start(TimerId id, unsigned intervalMs, TimerKind kind) override;
  void Stop(TimerId id) override;
  bool Running(TimerId id) const override { return timers_.contains(id); }

  void Advance(std::uint64_t ms);
  std::uint64_t NowMs() const { return now_; }

 private:
  struct Entry {
    unsigned intervalMs = 0;
    TimerKind kind = TimerKind::Repeating;
    std::uint64_t dueMs = 0;
    std::uint64_t order = 0;  // equal due times: the timer started (or restarted) first fires first
  };

  FireCallback onFire_;
  std::map<TimerId, Entry> timers_;
  std::uint64_t now_ = 0;
  std::uint64_t nextOrder_ = 0;
};

}  // namespace orvane
