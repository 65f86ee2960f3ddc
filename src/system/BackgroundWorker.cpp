#include "system/BackgroundWorker.h"

#include <thread>
#include <utility>

#include "system/FailureLog.h"

namespace orvane {

WorkerStarter DetachedThreadStarter() {
  return [](std::function<void()> job) { std::thread(std::move(job)).detach(); };
}

bool StartClaimedWorker(std::atomic<bool>& busy, const WorkerStarter& starter,
                        std::function<void()> job, std::wstring_view kind) {
  bool expected = false;
  if (!busy.compare_exchange_strong(expected, true)) return false;
  try {
    // The flag is cleared inside the job's thread before the job (and the
    // references it holds) is destroyed, so busy is still alive then.
    starter([&busy, job = std::move(job), kind]() mutable {
      try {
        job();
      } catch (...) {
        ReportCurrentException(kind);
      }
      busy.exchange(false);
    });
  } catch (...) {
    ReportCurrentException(kind);
    busy.exchange(false);
    return false;
  }
  return true;
}

}  // namespace orvane
