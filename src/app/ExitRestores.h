#pragma once
// The system-wide changes the program must undo however it ends (display
// gamma, windows the stage manager minimised, the hidden native taskbar), run
// in a fixed order by the exit path and by the crash filter.
//
// The crash filter runs on whichever thread faulted, possibly one that was in
// the middle of a restore-related change. So a restore never waits on an
// ordinary mutex: its owner guards its state with a RestoreLock and gives up
// after a bounded wait.

#include <atomic>
#include <chrono>
#include <functional>

namespace orvane {

// A lock a restore can take from a crash filter without hanging the dying process:
// an atomic flag, owner-agnostic (a faulting thread that already holds it just fails to take it again).
class RestoreLock {
 public:
  void lock();
  bool try_lock();
  bool try_lock_for(std::chrono::milliseconds wait);
  void unlock();

 private:
  std::atomic<bool> held_{false};
};

inline constexpr std::chrono::milliseconds kRestoreLockWait{200};

// Runs restore under lock when the lock can be had within kRestoreLockWait;
// returns false (restore not run) otherwise. The lock is released even when
// restore throws.
template <class Restore>
bool RunUnderRestoreLock(RestoreLock& lock, Restore&& restore) {
  if (!lock.try_lock_for(kRestoreLockWait)) return false;
  struct Release {
    RestoreLock& lock;
    ~Release() { lock.unlock(); }
  } release{lock};
  restore();
  return true;
}

struct ExitRestores {
  std::function<void()> restoreGamma;         // owners take their RestoreLock with try_lock_for(kRestoreLockWait) and skip when it fails
  std::function<void()> restoreStageWindows;
  std::function<void()> showTaskbar;
};

// Registered by the features that own them, on the UI thread during start-up
// (before the crash filter can see a half-written function); empty = no-op.
ExitRestores& ProcessExitRestores();

std::atomic<bool>& TaskbarHidden();           // true while the program keeps the native taskbar hidden

// gamma, then stage windows, then exchange TaskbarHidden() to false and, if it was true, showTaskbar.
// Catches every exception from the callbacks; never blocks indefinitely.
// Logs nothing: the log's lock may belong to the faulting thread.
void RunExitRestores();

}  // namespace orvane
