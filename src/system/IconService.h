#pragma once
// Icons off the UI thread. A surface asks for an icon by request and shows
// a placeholder meanwhile; one worker at a time takes the queued requests
// in order and extracts each through the extractor (disk cache first, then
// the sources). Every arrival is kept until the UI thread takes it, and the
// owner is told through `arrived` (called on the worker, at most once until
// the next TakeArrivals) so it can post the news to the UI thread.
//
// A request asked for again while it is queued or being extracted is not
// queued twice. Forget drops what is queued and what arrived untaken (a
// hidden surface releases its icons); an extraction under way then finishes
// and its picture is dropped. The service may be destroyed while a worker
// runs: the worker holds the shared state and publishes nothing after Stop.

#include <atomic>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "system/BackgroundWorker.h"
#include "system/IconExtractor.h"
#include "system/IconImage.h"
#include "system/IconRequest.h"

namespace orvane {

// What the extractor answers for a request (ForTarget, ForCustomImage, ...).
IconImage ExtractRequestedIcon(IconExtractor& extractor, const IconRequest& request);

struct IconArrival {
  IconRequest request;
  IconImage image;  // empty when the source had nothing (custom pictures, stock icons)
};

class IconService {
 public:
  // Extracts one request on the worker (normally ExtractRequestedIcon).
  using Extract = std::function<IconImage(const IconRequest&)>;

  struct Deps {
    Extract extract;  // required
    WorkerStarter startWorker = DetachedThreadStarter();
    WorkerThreadSetup prepareThread;  // COM on Windows; empty: nothing to set up
    // Called on the worker, possibly after the service is gone: it must not
    // reach into the owner (post a message instead).
    std::function<void()> arrived;
  };

  explicit IconService(Deps deps);
  ~IconService();
  IconService(const IconService&) = delete;
  IconService& operator=(const IconService&) = delete;

  // Queues the request unless it is queued, under way or arrived untaken.
  void Request(const IconRequest& request);
  // The arrivals since the last call, in the order they arrived.
  std::vector<IconArrival> TakeArrivals();
  // Drops the queue and the untaken arrivals.
  void Forget();
  // After Stop nothing is queued or published again.
  void Stop();

  // Requests queued or under way.
  std::size_t Outstanding();

 private:
  struct SharedState {
    std::mutex mutex;
    std::deque<IconRequest> queue;
    std::map<IconRequest, bool> outstanding;  // value: under way (else queued)
    std::vector<IconArrival> arrivals;
    std::uint64_t generation = 0;  // bumped by Forget: a result of an older one is dropped
    bool working = false;          // a worker is draining the queue
    bool signalled = false;        // `arrived` was called since the last TakeArrivals
    bool stopped = false;
  };
  static void Drain(const std::shared_ptr<SharedState>& state, const Deps& deps);
  void StartWorkerLocked();

  std::shared_ptr<SharedState> state_ = std::make_shared<SharedState>();
  std::shared_ptr<const Deps> deps_;
};

}  // namespace orvane
