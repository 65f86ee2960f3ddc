#include "app/ExitRestores.h"

#include <thread>

namespace orvane {

void RestoreLock::lock() {
  while (!try_lock()) std::this_thread::yield();
}

bool RestoreLock::try_lock() {
  // Cheap read first so waiters do not keep the cache line bouncing.
  return !held_.load(std::memory_order_relaxed) && !held_.exchange(true, std::memory_order_acquire);
}

bool RestoreLock::try_lock_for(std::chrono::milliseconds wait) {
  const auto deadline = std::chrono::steady_clock::now() + wait;
  for (;;) {
    if (try_lock()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

void RestoreLock::unlock() { held_.store(false, std::memory_order_release); }

ExitRestores& ProcessExitRestores() {
  static ExitRestores restores;
  return restores;
}

std::atomic<bool>& TaskbarHidden() {
  static std::atomic<bool> hidden{false};
  return hidden;
}

namespace {

void RunQuietly(const std::function<void()>& restore) noexcept {
  if (!restore) return;
  try {
    restore();
  } catch (...) {
    // One failed restore must not cost the others.
  }
}

}  // namespace

void RunExitRestores() {
  const ExitRestores& restores = ProcessExitRestores();
  RunQuietly(restores.restoreGamma);
  RunQuietly(restores.restoreStageWindows);
  // One atomic exchange: the exit path, the crash filter and the taskbar
  // controller never show the taskbar twice or lose a pending show.
  if (TaskbarHidden().exchange(false)) RunQuietly(restores.showTaskbar);
}

}  // namespace orvane
