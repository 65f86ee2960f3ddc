#pragma once
// The one-shot worker pattern shared by the background services (media,
// notifications, weather): a service claims its busy flag, hands a job to a
// detached thread that holds its own reference to the service's shared
// state, and the flag is cleared when the job ends, whatever happens in it.
// The owner never joins: a late worker finds the stopping flag set and
// publishes nothing.

#include <atomic>
#include <functional>
#include <memory>
#include <string_view>

namespace orvane {

// Runs a job somewhere, normally on a new detached thread. Tests may run it
// at once or queue it. Throws (std::system_error) when no thread can start.
using WorkerStarter = std::function<void(std::function<void()>)>;

// Whatever a worker thread must set up before its platform calls (COM on
// Windows), held for the life of the returned object; nullptr when the
// thread cannot be prepared, and the job then counts as failed.
struct WorkerThreadScope {
  virtual ~WorkerThreadScope() = default;
};
using WorkerThreadSetup = std::function<std::unique_ptr<WorkerThreadScope>()>;

// Starts every job on its own detached std::thread.
WorkerStarter DetachedThreadStarter();

// Claims busy (false -> true) and starts job with starter; the flag is cleared
// after the job returns or throws. Services never raise out of their threads:
// an exception from the job, like a thread that cannot start, ends there and
// is reported to BackgroundFailures() under kind (a static string naming the
// job). Returns false, starting nothing, when the flag was already set or the
// thread could not start (the flag is then cleared again). job should own
// what it needs: busy must outlive it, so keep busy in the shared state the
// job holds a reference to.
bool StartClaimedWorker(std::atomic<bool>& busy, const WorkerStarter& starter,
                        std::function<void()> job, std::wstring_view kind = L"Background job");

}  // namespace orvane
