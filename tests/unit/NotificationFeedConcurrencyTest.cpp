// The feed's workers on real threads against the UI thread's calls; meant
// for the tsan preset, where a missing lock shows as a reported race.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "JoinableWorkers.h"
#include "system/CivilClock.h"
#include "system/notifications/NotificationFeed.h"

namespace orvane {
namespace {

using namespace std::chrono_literals;

using testing::JoinableWorkers;

// A listener whose list grows by one toast per poll, slowly enough that the
// UI thread's calls overlap every poll.
class SlowSource final : public NotificationSource {
 public:
  NotificationPoll Poll() override {
    const int inside = ++pollsInside_;
    maxPollsInside_ = std::max(maxPollsInside_.load(), inside);
    std::this_thread::sleep_for(1ms);
    NotificationPoll poll;
    poll.status = NotificationPollStatus::Listed;
    const std::uint32_t newest = ++polls_;
    for (std::uint32_t id = newest; id > 0 && id + 20 > newest; --id) {
      NotificationRecord record;
      record.id = kListenerIdOffset + id;
      record.systemId = id;
      record.title = L"Toast";
      record.arrival = 133'000'000'000'000'000 + id;
      poll.records.push_back(record);
    }
    --pollsInside_;
    return poll;
  }

  void Remove(std::span<const std::uint32_t> systemIds) override {
    std::this_thread::sleep_for(200us);
    std::lock_guard lock(mutex_);
    for (const std::uint32_t id : systemIds) {
      if (!removed_.insert(id).second) ++removedTwice_;
    }
  }

  int MaxPollsInside() const { return maxPollsInside_; }
  std::uint32_t Polls() const { return polls_; }
  int RemovedTwice() const {
    std::lock_guard lock(mutex_);
    return removedTwice_;
  }

 private:
  std::atomic<int> pollsInside_{0};
  std::atomic<int> maxPollsInside_{0};
  std::atomic<std::uint32_t> polls_{0};
  mutable std::mutex mutex_;
  std::set<std::uint32_t> removed_;
  int removedTwice_ = 0;
};

TEST(NotificationFeedConcurrencyTest, UiCallsRaceWorkersAndDestruction) {
  JoinableWorkers workers;
  std::vector<std::shared_ptr<SlowSource>> sources;
  auto clock = std::make_shared<FixedCivilClock>(133'000'000'000'000'000, 480);
  std::atomic<int> logLines{0};
  for (int round = 0; round < 5; ++round) {
    auto source = sources.emplace_back(std::make_shared<SlowSource>());
    NotificationFeedOptions options;
    options.starter = workers.Starter();
    options.log = [&](const std::wstring&) { ++logLines; };
    NotificationFeed feed({source}, clock, options);
    const auto until = std::chrono::steady_clock::now() + 100ms;
    for (int tick = 0; std::chrono::steady_clock::now() < until; ++tick) {
      feed.RequestRefresh();
      const std::vector<NotificationRecord> items = feed.Items();
      for (const NotificationRecord& item : items) EXPECT_FALSE(item.timeText.empty());
      feed.Count();
      feed.Generation();
      if (const std::optional<NotificationRecord> banner = feed.PopNewArrival()) {
        EXPECT_GT(banner->id, kListenerIdOffset);
      }
      if (tick % 7 == 0 && !items.empty()) feed.Dismiss(items.front().id);
      if (tick % 50 == 49) feed.ClearAll();
      std::this_thread::sleep_for(100us);
    }
    // Destroyed with workers possibly running.
  }
  workers.JoinAll();
  for (const auto& source : sources) {
    EXPECT_GT(source->Polls(), 0u);
    EXPECT_EQ(source->MaxPollsInside(), 1);
    EXPECT_EQ(source->RemovedTwice(), 0);
  }
  EXPECT_EQ(logLines, 0);
}

}  // namespace
}  // namespace orvane
