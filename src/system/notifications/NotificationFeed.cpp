#include "system/notifications/NotificationFeed.h"

#include <algorithm>
#include <deque>
#include <mutex>
#include <set>
#include <string_view>
#include <unordered_set>
#include <utility>

#include "app/Log.h"
#include "system/notifications/NotificationText.h"

namespace orvane {

struct NotificationFeed::SharedState {
  SharedState(std::vector<std::shared_ptr<NotificationSource>> sources, std::shared_ptr<const CivilClock> clock,
              NotificationFeedOptions options)
      : sources(std::move(sources)), clock(std::move(clock)), options(std::move(options)) {}

  const std::vector<std::shared_ptr<NotificationSource>> sources;
  const std::shared_ptr<const CivilClock> clock;
  const NotificationFeedOptions options;

  struct Arrival {
    NotificationRecord record;
    std::chrono::steady_clock::time_point found;
  };

  mutable std::mutex lock;  // guards everything below except the atomic flags
  std::vector<NotificationRecord> items;
  std::unordered_set<std::int64_t> dismissed;
  std::unordered_set<std::int64_t> seen;
  std::deque<Arrival> arrivals;
  bool initialised = false;
  // The source that answered the last published poll.
  const NotificationSource* lastSource = nullptr;
  std::uint64_t generation = 0;
  std::set<std::wstring> loggedReasons;
  // Listener ids waiting for the removal worker.
  std::vector<std::uint32_t> pendingRemovals;
  // Polls that failed in a row, and until when requests are not polled.
  int failedPolls = 0;
  std::chrono::steady_clock::time_point quietUntil{};

  std::atomic<bool> pollRunning{false};
  std::atomic<bool> removalRunning{false};
  std::atomic<bool> stopping{false};
};

namespace {

using State = NotificationFeed::SharedState;

// Each distinct reason once per run: sources that cannot answer say so on
// every poll, every two seconds.
void LogReasonOnce(State& state, const std::wstring& reason) {
  if (reason.empty()) return;
  {
    std::lock_guard guard(state.lock);
    if (!state.loggedReasons.insert(reason).second) return;
  }
  state.options.log(reason);
}

// Runs the thread setup, when there is one, into scope; false when the
// thread could not be prepared.
bool EnterWorker(State& state, std::unique_ptr<WorkerThreadScope>& scope, std::wstring_view job) {
  if (!state.options.threadSetup) return true;
  scope = state.options.threadSetup();
  if (scope) return true;
  LogReasonOnce(state, L"the " + std::wstring(job) + L" thread could not be prepared");
  return false;
}

void Publish(State& state, const NotificationSource* source, std::vector<NotificationRecord> records) {
  const auto now = state.options.steadyNow();
  for (NotificationRecord& record : records) record.timeText = RelativeTimeText(*state.clock, record.arrival);

  std::lock_guard guard(state.lock);
  if (state.stopping) return;
  // Another source speaks in other ids: everything it lists would look new.
  const bool arrivalsCount = state.initialised && source == state.lastSource;
  std::vector<NotificationRecord> items;
  std::vector<NotificationRecord> arrived;
  items.reserve(records.size());
  for (NotificationRecord& record : records) {
    if (state.dismissed.contains(record.id)) continue;
    const bool firstSeen = state.seen.insert(record.id).second;
    if (firstSeen && arrivalsCount) arrived.push_back(record);
    items.push_back(std::move(record));
  }
  // Banners show in the order the toasts came (the list is newest first),
  // and a full queue lets go of the oldest.
  std::stable_sort(arrived.begin(), arrived.end(),
                   [](const NotificationRecord& a, const NotificationRecord& b) { return a.arrival < b.arrival; });
  for (NotificationRecord& record : arrived) state.arrivals.push_back({std::move(record), now});
  while (state.arrivals.size() > state.options.bannerQueueCapacity) state.arrivals.pop_front();
  state.items = std::move(items);
  state.initialised = true;
  state.lastSource = source;
  ++state.generation;
}

// After a few failed polls in a row the feed asks less often, up to once a
// minute: a system without a readable source (no listener access and no
// SQLite library) would otherwise start a worker every two seconds for ever.
std::chrono::seconds QuietAfter(int failedPolls) {
  if (failedPolls <= 2) return std::chrono::seconds{0};
  const int doublings = std::min(failedPolls - 2, 5);
  return std::min(std::chrono::seconds{2 << doublings}, std::chrono::seconds{60});
}

void PollFailed(State& state) {
  const auto now = state.options.steadyNow();
  std::lock_guard guard(state.lock);
  ++state.failedPolls;
  state.quietUntil = now + QuietAfter(state.failedPolls);
}

// A poll that no source answers publishes nothing: the list keeps what the
// last good poll found, and the first good poll still counts as the first.
void PollJob(const std::shared_ptr<State>& state) {
  std::unique_ptr<WorkerThreadScope> scope;
  if (!EnterWorker(*state, scope, L"poll")) return;
  for (const std::shared_ptr<NotificationSource>& source : state->sources) {
    if (state->stopping) return;
    NotificationPoll poll = source->Poll();
    switch (poll.status) {
      case NotificationPollStatus::Listed: {
        Publish(*state, source.get(), std::move(poll.records));
        std::lock_guard guard(state->lock);
        state->failedPolls = 0;
        return;
      }
      case NotificationPollStatus::NoAccess:
        LogReasonOnce(*state, poll.reason);
        continue;
      case NotificationPollStatus::Failed:
        LogReasonOnce(*state, poll.reason);
        PollFailed(*state);
        return;
    }
  }
  PollFailed(*state);
}

// Removes what Dismiss and ClearAll queued, in batches, until the queue is
// empty.
void RemovalJob(const std::shared_ptr<State>& state) {
  std::unique_ptr<WorkerThreadScope> scope;
  if (!EnterWorker(*state, scope, L"removal")) return;
  for (;;) {
    std::vector<std::uint32_t> batch;
    {
      std::lock_guard guard(state->lock);
      batch.swap(state->pendingRemovals);
    }
    if (batch.empty()) return;
    for (const std::shared_ptr<NotificationSource>& source : state->sources) source->Remove(batch);
  }
}

// A removal queued while the previous worker was finishing finds the flag
// still set; it is picked up by the next dismissal or refresh.
void StartRemovals(const std::shared_ptr<State>& state) {
  if (state->stopping) return;
  {
    std::lock_guard guard(state->lock);
    if (state->pendingRemovals.empty()) return;
  }
  StartClaimedWorker(
      state->removalRunning, state->options.starter, [state] { RemovalJob(state); }, L"Notification removal");
}

NotificationFeedOptions WithDefaults(NotificationFeedOptions options) {
  if (!options.starter) options.starter = DetachedThreadStarter();
  if (!options.steadyNow) options.steadyNow = [] { return std::chrono::steady_clock::now(); };
  if (!options.log) options.log = [](const std::wstring& reason) { Log(L"NotificationFeed: %s", reason); };
  return options;
}

bool Listed(const std::vector<NotificationRecord>& items, std::int64_t id) {
  return std::any_of(items.begin(), items.end(), [id](const NotificationRecord& item) { return item.id == id; });
}

}  // namespace

NotificationFeed::NotificationFeed(std::vector<std::shared_ptr<NotificationSource>> sources,
                                   std::shared_ptr<const CivilClock> clock, NotificationFeedOptions options)
    : state_(std::make_shared<SharedState>(std::move(sources), std::move(clock), WithDefaults(std::move(options)))) {}

NotificationFeed::~NotificationFeed() { Stop(); }

bool NotificationFeed::RequestRefresh() {
  if (state_->stopping) return false;
  StartRemovals(state_);
  {
    const auto now = state_->options.steadyNow();
    std::lock_guard guard(state_->lock);
    if (now < state_->quietUntil) return false;
  }
  return StartClaimedWorker(
      state_->pollRunning, state_->options.starter, [state = state_] { PollJob(state); }, L"Notification poll");
}

std::vector<NotificationRecord> NotificationFeed::Items() const {
  std::lock_guard guard(state_->lock);
  return state_->items;
}

std::size_t NotificationFeed::Count() const {
  std::lock_guard guard(state_->lock);
  return state_->items.size();
}

std::uint64_t NotificationFeed::Generation() const {
  std::lock_guard guard(state_->lock);
  return state_->generation;
}

bool NotificationFeed::Initialised() const {
  std::lock_guard guard(state_->lock);
  return state_->initialised;
}

std::optional<NotificationRecord> NotificationFeed::PopNewArrival() {
  const auto now = state_->options.steadyNow();
  std::lock_guard guard(state_->lock);
  while (!state_->arrivals.empty()) {
    SharedState::Arrival arrival = std::move(state_->arrivals.front());
    state_->arrivals.pop_front();
    if (now - arrival.found > state_->options.bannerMaxAge) continue;
    if (state_->dismissed.contains(arrival.record.id) || !Listed(state_->items, arrival.record.id)) continue;
    return std::move(arrival.record);
  }
  return std::nullopt;
}

void NotificationFeed::Dismiss(std::int64_t id) {
  {
    std::lock_guard guard(state_->lock);
    state_->dismissed.insert(id);
    std::erase_if(state_->arrivals, [id](const SharedState::Arrival& arrival) { return arrival.record.id == id; });
    const std::size_t removed = std::erase_if(state_->items, [&](const NotificationRecord& item) {
      if (item.id != id) return false;
      if (item.systemId != 0) state_->pendingRemovals.push_back(item.systemId);
      return true;
    });
    if (removed == 0) return;
    ++state_->generation;
  }
  StartRemovals(state_);
}

void NotificationFeed::ClearAll() {
  {
    std::lock_guard guard(state_->lock);
    for (const NotificationRecord& item : state_->items) {
      state_->dismissed.insert(item.id);
      if (item.systemId != 0) state_->pendingRemovals.push_back(item.systemId);
    }
    if (!state_->items.empty()) ++state_->generation;
    state_->items.clear();
    state_->arrivals.clear();
  }
  StartRemovals(state_);
}

void NotificationFeed::Stop() { state_->stopping.exchange(true); }

}  // namespace orvane
