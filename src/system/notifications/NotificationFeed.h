#pragma once
// NotificationFeed mirrors the toasts the system has shown, for the
// notification center and the banners. Polls run on a one-shot worker and
// publish into shared state the UI thread reads under a lock; the feed
// remembers what the user dismissed here and which ids are new since the
// first good poll (those become banners).

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "system/BackgroundWorker.h"
#include "system/CivilClock.h"
#include "system/notifications/NotificationRecord.h"
#include "system/notifications/NotificationSource.h"

namespace orvane {

struct NotificationFeedOptions {
  // Where polls and removals run; empty: a new detached thread each.
  WorkerStarter starter;
  // Prepares each worker thread (COM on Windows); may be empty.
  WorkerThreadSetup threadSetup;
  // The steady clock the banner queue ages its entries by; empty: the
  // system's.
  std::function<std::chrono::steady_clock::time_point()> steadyNow;
  // Takes each distinct reason a source gave (or a worker failed for), once
  // per run, for the log; empty: the process log, as "NotificationFeed:
  // <reason>". Called on worker threads.
  std::function<void(const std::wstring&)> log;
  // Arrivals waiting for a banner, oldest dropped beyond this.
  std::size_t bannerQueueCapacity = 8;
  // An arrival older than this is no longer worth a banner.
  std::chrono::seconds bannerMaxAge{60};
};

class NotificationFeed {
 public:
  // Held by the owner and by every worker, so a worker that outlives the
  // feed still has it (defined with the feed's code).
  struct SharedState;

  // Sources are asked in this order on every poll.
  NotificationFeed(std::vector<std::shared_ptr<NotificationSource>> sources, std::shared_ptr<const CivilClock> clock,
                   NotificationFeedOptions options = {});
  ~NotificationFeed();  // Stop()
  NotificationFeed(const NotificationFeed&) = delete;
  NotificationFeed& operator=(const NotificationFeed&) = delete;

  // Starts a poll unless one is running (then the request is dropped).
  // After three failed polls in a row requests are dropped for a while,
  // twice as long after each further failure, at most a minute.
  // Returns whether a poll started. Also restarts removals still waiting.
  bool RequestRefresh();

  // The current list, newest first as the source gave it, without what the
  // user dismissed.
  std::vector<NotificationRecord> Items() const;
  std::size_t Count() const;
  // Bumped by every published poll and every dismissal, so a reader can
  // tell the list changed.
  std::uint64_t Generation() const;
  // Whether a good poll has been published yet.
  bool Initialised() const;

  // The oldest arrival still worth a banner, removed from the queue; skips
  // arrivals the user dismissed, that left the list, or that waited too long.
  std::optional<NotificationRecord> PopNewArrival();

  // Hides the notification for the rest of the run and removes it from the
  // system when it came from the listener (on a worker).
  void Dismiss(std::int64_t id);
  // Dismiss for every listed notification (removed one by one, so toasts
  // the user never saw here stay in the system).
  void ClearAll();

  // The owner is going: workers still running publish nothing and no new
  // one starts. The list stays readable.
  void Stop();

 private:
  std::shared_ptr<SharedState> state_;
};

}  // namespace orvane
