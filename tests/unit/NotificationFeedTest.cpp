#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "system/CivilClock.h"
#include "system/notifications/NotificationFeed.h"

namespace orvane {
namespace {

using namespace std::chrono_literals;

constexpr int kBeijing = 8 * 60;
const std::int64_t kNow = FixedCivilClock::FileTimeOf(CivilTime{2024, 3, 15, 5, 14, 30}, kBeijing);
constexpr std::int64_t kMinute = 60 * kFileTimeTicksPerSecond;

NotificationRecord Record(std::int64_t id, std::uint32_t systemId = 0) {
  NotificationRecord record;
  record.id = id;
  record.systemId = systemId;
  record.appName = L"App";
  record.title = L"Title " + std::to_wstring(id);
  record.arrival = kNow - (100 - id) * kMinute;  // higher ids are newer
  return record;
}

// Newest first, as the sources list them.
std::vector<NotificationRecord> Records(std::initializer_list<std::int64_t> ids) {
  std::vector<NotificationRecord> records;
  for (const std::int64_t id : ids) records.push_back(Record(id));
  return records;
}

NotificationPoll Listed(std::vector<NotificationRecord> records) {
  return NotificationPoll{NotificationPollStatus::Listed, std::move(records), {}};
}
NotificationPoll NoAccess(std::wstring reason) {
  return NotificationPoll{NotificationPollStatus::NoAccess, {}, reason};
}
NotificationPoll Failed(std::wstring reason) { return NotificationPoll{NotificationPollStatus::Failed, {}, reason}; }

class FakeSource final : public NotificationSource {
 public:
  NotificationPoll Poll() override {
    ++polls;
    if (onPoll) onPoll();
    return answer;
  }
  void Remove(std::span<const std::uint32_t> systemIds) override {
    removals.emplace_back(systemIds.begin(), systemIds.end());
  }

  NotificationPoll answer = NoAccess(L"not set up");
  std::function<void()> onPoll;
  int polls = 0;
  std::vector<std::vector<std::uint32_t>> removals;
};

std::vector<std::int64_t> Ids(const std::vector<NotificationRecord>& records) {
  std::vector<std::int64_t> ids;
  for (const NotificationRecord& record : records) ids.push_back(record.id);
  return ids;
}

class NotificationFeedTest : public ::testing::Test {
 protected:
  // Workers run at once on the calling thread unless queue is set.
  std::unique_ptr<NotificationFeed> MakeFeed(std::vector<std::shared_ptr<NotificationSource>> sources,
                                             NotificationFeedOptions options = {}) {
    options.starter = [this](std::function<void()> job) {
      if (queue) {
        queued.push_back(std::move(job));
      } else {
        job();
      }
    };
    options.steadyNow = [this] { return steadyNow; };
    options.log = [this](const std::wstring& line) { logged.push_back(line); };
    return std::make_unique<NotificationFeed>(std::move(sources), clock, std::move(options));
  }
  std::unique_ptr<NotificationFeed> MakeFeed(NotificationFeedOptions options = {}) {
    return MakeFeed({listener, database}, std::move(options));
  }
  void RunQueued() {
    while (!queued.empty()) {
      std::function<void()> job = std::move(queued.front());
      queued.pop_front();
      job();
    }
  }
  std::vector<std::int64_t> PopAll(NotificationFeed& feed) {
    std::vector<std::int64_t> ids;
    while (const std::optional<NotificationRecord> record = feed.PopNewArrival()) ids.push_back(record->id);
    return ids;
  }

  std::shared_ptr<FakeSource> listener = std::make_shared<FakeSource>();
  std::shared_ptr<FakeSource> database = std::make_shared<FakeSource>();
  std::shared_ptr<FixedCivilClock> clock = std::make_shared<FixedCivilClock>(kNow, kBeijing);
  std::chrono::steady_clock::time_point steadyNow = std::chrono::steady_clock::time_point{} + 1000h;
  bool queue = false;
  std::deque<std::function<void()>> queued;
  std::vector<std::wstring> logged;
};

TEST_F(NotificationFeedTest, FirstPollListsWhatIsThereAndLaterOnesBringArrivals) {
  auto feed = MakeFeed();
  listener->answer = NoAccess(L"listener access denied");
  database->answer = Listed(Records({10, 9, 8, 7, 6, 5, 4, 3, 2, 1}));
  EXPECT_FALSE(feed->Initialised());
  EXPECT_TRUE(feed->RequestRefresh());

  EXPECT_TRUE(feed->Initialised());
  EXPECT_EQ(feed->Count(), 10u);
  EXPECT_EQ(Ids(feed->Items()), (std::vector<std::int64_t>{10, 9, 8, 7, 6, 5, 4, 3, 2, 1}));
  EXPECT_EQ(feed->Items()[0].timeText, L"13:00");  // filled in at publish
  EXPECT_FALSE(feed->PopNewArrival().has_value());

  database->answer = Listed(Records({11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1}));
  feed->RequestRefresh();
  const std::optional<NotificationRecord> banner = feed->PopNewArrival();
  ASSERT_TRUE(banner.has_value());
  EXPECT_EQ(banner->id, 11);
  EXPECT_EQ(banner->timeText, L"13:01");
  EXPECT_FALSE(feed->PopNewArrival().has_value());
  EXPECT_EQ(feed->Generation(), 2u);

  // The same list again: nothing new.
  feed->RequestRefresh();
  EXPECT_FALSE(feed->PopNewArrival().has_value());
  EXPECT_EQ(logged, std::vector<std::wstring>{L"listener access denied"});
}

TEST_F(NotificationFeedTest, SourcesAreAskedInOrder) {
  const struct {
    const char* name;
    NotificationPoll listener;
    NotificationPoll database;
    bool initialised;
    std::vector<std::int64_t> items;
    int databasePolls;
  } cases[] = {
      {"listener answers",
       Listed(Records({kListenerIdOffset + 1})),
       Listed(Records({5})),
       true,
       {kListenerIdOffset + 1},
       0},
      {"an empty list is an answer", Listed({}), Listed(Records({5})), true, {}, 0},
      {"no access asks the next", NoAccess(L"denied"), Listed(Records({5})), true, {5}, 1},
      {"a failure ends the poll", Failed(L"broken"), Listed(Records({5})), false, {}, 0},
      {"the last source failing", NoAccess(L"denied"), Failed(L"no SQLite library"), false, {}, 1},
      {"nobody answering", NoAccess(L"denied"), NoAccess(L"also denied"), false, {}, 1},
  };
  for (const auto& c : cases) {
    listener = std::make_shared<FakeSource>();
    database = std::make_shared<FakeSource>();
    listener->answer = c.listener;
    database->answer = c.database;
    auto feed = MakeFeed();
    feed->RequestRefresh();
    EXPECT_EQ(feed->Initialised(), c.initialised) << c.name;
    EXPECT_EQ(Ids(feed->Items()), c.items) << c.name;
    EXPECT_EQ(database->polls, c.databasePolls) << c.name;
    EXPECT_EQ(feed->Generation(), c.initialised ? 1u : 0u) << c.name;
  }
}

TEST_F(NotificationFeedTest, FailedPollsKeepTheListAndLogTheirReasonOnce) {
  auto feed = MakeFeed({database});
  database->answer = Failed(L"copying the notification database failed");
  feed->RequestRefresh();
  feed->RequestRefresh();
  EXPECT_FALSE(feed->Initialised());

  // The first good poll after failures is still the first: no burst.
  database->answer = Listed(Records({3, 2, 1}));
  feed->RequestRefresh();
  EXPECT_TRUE(feed->Initialised());
  EXPECT_FALSE(feed->PopNewArrival().has_value());

  database->answer = Failed(L"copying the notification database failed");
  feed->RequestRefresh();
  database->answer = Failed(L"opening the notification database snapshot failed (SQLite 26)");
  feed->RequestRefresh();
  feed->RequestRefresh();
  EXPECT_EQ(Ids(feed->Items()), (std::vector<std::int64_t>{3, 2, 1}));
  EXPECT_EQ(feed->Generation(), 1u);
  EXPECT_EQ(logged, (std::vector<std::wstring>{
                        L"copying the notification database failed",
                        L"opening the notification database snapshot failed (SQLite 26)"}));

  // A source that throws fails the poll the same way (after the pause that
  // three failures in a row bring).
  steadyNow += 60s;
  database->onPoll = [] { throw std::runtime_error("boom"); };
  EXPECT_TRUE(feed->RequestRefresh());
  EXPECT_EQ(feed->Count(), 3u);
  database->onPoll = nullptr;
  database->answer = Listed(Records({4, 3, 2, 1}));
  feed->RequestRefresh();
  EXPECT_EQ(PopAll(*feed), std::vector<std::int64_t>{4});
}

// With nothing to read (no listener access, no SQLite library) polls thin
// out to one a minute instead of a worker every two seconds; the first good
// poll brings the usual pace back.
TEST_F(NotificationFeedTest, PollsThatKeepFailingComeLessOften) {
  auto feed = MakeFeed();
  listener->answer = NoAccess(L"notification listener access: denied");
  database->answer = Failed(L"no SQLite library (winsqlite3.dll)");
  for (int request = 0; request < 150; ++request) {  // five minutes of the two-second poll
    feed->RequestRefresh();
    steadyNow += 2s;
  }
  EXPECT_GE(database->polls, 8);
  EXPECT_LE(database->polls, 12);
  EXPECT_EQ(logged.size(), 2u);

  database->answer = Listed(Records({1}));
  steadyNow += 60s;
  EXPECT_TRUE(feed->RequestRefresh());
  const int polls = database->polls;
  for (int request = 0; request < 5; ++request) {
    EXPECT_TRUE(feed->RequestRefresh());
    steadyNow += 2s;
  }
  EXPECT_EQ(database->polls, polls + 5);
}

TEST_F(NotificationFeedTest, DismissedNotificationsStayHidden) {
  auto feed = MakeFeed({database});
  database->answer = Listed(Records({3, 2, 1}));
  feed->RequestRefresh();
  feed->Dismiss(2);
  EXPECT_EQ(Ids(feed->Items()), (std::vector<std::int64_t>{3, 1}));
  EXPECT_EQ(feed->Generation(), 2u);

  // Still in the system's database on every later poll.
  feed->RequestRefresh();
  feed->RequestRefresh();
  EXPECT_EQ(Ids(feed->Items()), (std::vector<std::int64_t>{3, 1}));
  // Database rows cannot be removed from the system.
  EXPECT_TRUE(database->removals.empty());
  EXPECT_FALSE(feed->PopNewArrival().has_value());
}

TEST_F(NotificationFeedTest, SwitchingSourcesBringsNoArrivalsAndKeepsDismissals) {
  auto feed = MakeFeed();
  const std::int64_t l1 = kListenerIdOffset + 1;
  const std::int64_t l2 = kListenerIdOffset + 2;
  listener->answer = Listed({Record(l2, 2), Record(l1, 1)});
  feed->RequestRefresh();
  feed->Dismiss(l2);

  // Access withdrawn: the database lists the same toasts under its own ids.
  listener->answer = NoAccess(L"denied");
  database->answer = Listed(Records({21, 20}));
  feed->RequestRefresh();
  EXPECT_EQ(Ids(feed->Items()), (std::vector<std::int64_t>{21, 20}));
  EXPECT_FALSE(feed->PopNewArrival().has_value());

  database->answer = Listed(Records({22, 21, 20}));
  feed->RequestRefresh();
  EXPECT_EQ(PopAll(*feed), std::vector<std::int64_t>{22});

  // Access back: a toast that came meanwhile is listed, not announced again.
  const std::int64_t l3 = kListenerIdOffset + 3;
  listener->answer = Listed({Record(l3, 3), Record(l2, 2), Record(l1, 1)});
  feed->RequestRefresh();
  EXPECT_EQ(Ids(feed->Items()), (std::vector<std::int64_t>{l3, l1}));
  EXPECT_FALSE(feed->PopNewArrival().has_value());
}

TEST_F(NotificationFeedTest, BannerQueueIsCappedOldestFirst) {
  NotificationFeedOptions options;
  options.bannerQueueCapacity = 3;
  auto feed = MakeFeed({database}, options);
  database->answer = Listed(Records({1}));
  feed->RequestRefresh();
  database->answer = Listed(Records({6, 5, 4, 3, 2, 1}));
  feed->RequestRefresh();
  // Shown in the order they came; the two oldest did not fit.
  EXPECT_EQ(PopAll(*feed), (std::vector<std::int64_t>{4, 5, 6}));
}

TEST_F(NotificationFeedTest, BannerQueueSkipsWhatIsNoLongerWorthShowing) {
  auto feed = MakeFeed({database});
  database->answer = Listed(Records({1}));
  feed->RequestRefresh();

  database->answer = Listed(Records({4, 3, 2, 1}));
  feed->RequestRefresh();
  feed->Dismiss(3);
  EXPECT_EQ(PopAll(*feed), (std::vector<std::int64_t>{2, 4}));

  // Gone from the system before its banner.
  database->answer = Listed(Records({6, 5, 4, 2, 1}));
  feed->RequestRefresh();
  database->answer = Listed(Records({6, 4, 2, 1}));
  feed->RequestRefresh();
  EXPECT_EQ(PopAll(*feed), std::vector<std::int64_t>{6});

  // Waited too long (banners off, a full-screen game).
  database->answer = Listed(Records({8, 7, 6, 4, 2, 1}));
  feed->RequestRefresh();
  steadyNow += 61s;
  database->answer = Listed(Records({9, 8, 7, 6, 4, 2, 1}));
  feed->RequestRefresh();
  EXPECT_EQ(PopAll(*feed), std::vector<std::int64_t>{9});

  // Clearing empties the queue.
  database->answer = Listed(Records({10, 9, 8, 7, 6, 4, 2, 1}));
  feed->RequestRefresh();
  feed->ClearAll();
  EXPECT_FALSE(feed->PopNewArrival().has_value());
}

TEST_F(NotificationFeedTest, ClearAllRemovesTheListedNotificationsOneByOne) {
  auto feed = MakeFeed();
  const std::int64_t l = kListenerIdOffset;
  listener->answer = Listed({Record(l + 9, 9), Record(l + 8, 8), Record(l + 7, 7)});
  feed->RequestRefresh();
  feed->Dismiss(l + 8);
  EXPECT_EQ(listener->removals, (std::vector<std::vector<std::uint32_t>>{{8}}));
  feed->Dismiss(l + 8);  // already gone: nothing more to remove
  feed->Dismiss(12345);  // never listed
  EXPECT_EQ(listener->removals.size(), 1u);

  feed->ClearAll();
  EXPECT_EQ(feed->Count(), 0u);
  EXPECT_EQ(listener->removals, (std::vector<std::vector<std::uint32_t>>{{8}, {9, 7}}));

  // Still in the system until the removal lands: hidden all the same, while
  // a new toast shows.
  listener->answer = Listed({Record(l + 10, 10), Record(l + 9, 9), Record(l + 7, 7)});
  feed->RequestRefresh();
  EXPECT_EQ(Ids(feed->Items()), std::vector<std::int64_t>{l + 10});
  EXPECT_EQ(PopAll(*feed), std::vector<std::int64_t>{l + 10});

  feed->ClearAll();
  feed->ClearAll();  // nothing listed: nothing removed
  EXPECT_EQ(listener->removals.back(), std::vector<std::uint32_t>{10});
  EXPECT_EQ(listener->removals.size(), 3u);
}

TEST_F(NotificationFeedTest, RemovalsQueuedWhileOneRunsAreAllMade) {
  queue = true;
  auto feed = MakeFeed();
  const std::int64_t l = kListenerIdOffset;
  listener->answer = Listed({Record(l + 3, 3), Record(l + 2, 2), Record(l + 1, 1)});
  feed->RequestRefresh();
  RunQueued();
  feed->Dismiss(l + 3);
  feed->Dismiss(l + 2);  // the worker of the first has not run yet
  ASSERT_EQ(queued.size(), 1u);
  RunQueued();
  EXPECT_EQ(listener->removals, (std::vector<std::vector<std::uint32_t>>{{3, 2}}));
  feed->Dismiss(l + 1);
  RunQueued();
  EXPECT_EQ(listener->removals.back(), std::vector<std::uint32_t>{1});
}

TEST_F(NotificationFeedTest, WorkersRunInsideTheThreadSetup) {
  struct Scope final : WorkerThreadScope {
    explicit Scope(int& open) : open_(open) { ++open_; }
    ~Scope() override { --open_; }
    int& open_;
  };
  int open = 0;
  bool refuse = false;
  NotificationFeedOptions options;
  options.threadSetup = [&]() -> std::unique_ptr<WorkerThreadScope> {
    if (refuse) return nullptr;
    return std::make_unique<Scope>(open);
  };
  auto feed = MakeFeed({listener}, options);
  int openDuringPoll = 0;
  listener->onPoll = [&] { openDuringPoll = open; };
  listener->answer = Listed({Record(kListenerIdOffset + 1, 1)});
  feed->RequestRefresh();
  EXPECT_EQ(openDuringPoll, 1);
  EXPECT_EQ(open, 0);

  refuse = true;
  feed->Dismiss(kListenerIdOffset + 1);
  EXPECT_TRUE(listener->removals.empty());
  listener->polls = 0;
  feed->RequestRefresh();
  EXPECT_EQ(listener->polls, 0);
  EXPECT_EQ(logged.size(), 2u);  // once for the poll, once for the removal

  // The removal waited and goes out with the next request.
  refuse = false;
  feed->RequestRefresh();
  EXPECT_EQ(listener->removals, (std::vector<std::vector<std::uint32_t>>{{1}}));
}

TEST_F(NotificationFeedTest, StopEndsPublishing) {
  queue = true;
  auto feed = MakeFeed({database});
  database->answer = Listed(Records({2, 1}));
  EXPECT_TRUE(feed->RequestRefresh());
  EXPECT_FALSE(feed->RequestRefresh());  // one poll at a time
  RunQueued();
  EXPECT_EQ(feed->Count(), 2u);

  // The owner stops while a poll is in the source.
  database->answer = Listed(Records({3, 2, 1}));
  database->onPoll = [&] { feed->Stop(); };
  EXPECT_TRUE(feed->RequestRefresh());
  RunQueued();
  EXPECT_EQ(Ids(feed->Items()), (std::vector<std::int64_t>{2, 1}));
  EXPECT_EQ(feed->Generation(), 1u);
  EXPECT_FALSE(feed->RequestRefresh());
  EXPECT_TRUE(queued.empty());

  // A worker that starts after Stop asks no source.
  auto late = MakeFeed({database});
  database->polls = 0;
  late->RequestRefresh();
  late->Stop();
  RunQueued();
  EXPECT_EQ(database->polls, 0);
  EXPECT_FALSE(late->Initialised());
}

}  // namespace
}  // namespace orvane
