#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "JoinableWorkers.h"
#include "TestData.h"
#include "system/FakeHttpClient.h"
#include "system/WeatherService.h"

namespace orvane {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

const std::string kComplete = TestDataPath("weather/complete.json");

// Jobs wait in a queue until the test runs them on its own thread.
struct QueuedWorkers {
  std::vector<std::function<void()>> jobs;
  WorkerStarter Starter() {
    return [this](std::function<void()> job) { jobs.push_back(std::move(job)); };
  }
  void RunAll() {
    auto pending = std::move(jobs);
    jobs.clear();
    for (auto& job : pending) job();
  }
};

using testing::JoinableWorkers;

class WeatherServiceTest : public ::testing::Test {
 protected:
  WeatherServiceDeps Deps(WorkerStarter starter) {
    WeatherServiceDeps deps;
    deps.http = http_;
    deps.now = [this] { return now_; };
    deps.startWorker = std::move(starter);
    return deps;
  }

  std::shared_ptr<FakeHttpClient> http_ = std::make_shared<FakeHttpClient>();
  Clock::time_point now_ = Clock::time_point{} + 1000h;
  QueuedWorkers queued_;
};

TEST_F(WeatherServiceTest, FetchesOnWorkerAndPublishes) {
  http_->ServeFile(WeatherRequestPath(L"北京"), kComplete);
  WeatherService service(Deps(queued_.Starter()));

  service.Refresh(L"北京", false);
  EXPECT_TRUE(service.Snapshot().fetching);
  EXPECT_FALSE(service.Snapshot().valid);
  service.Refresh(L"北京", true);  // the queued fetch will deliver
  ASSERT_EQ(queued_.jobs.size(), 1u);
  queued_.RunAll();

  const WeatherSnapshot s = service.Snapshot();
  EXPECT_TRUE(s.valid);
  EXPECT_FALSE(s.fetching);
  EXPECT_EQ(s.city, L"北京");
  EXPECT_EQ(s.temperature, L"5");
  const auto requests = http_->Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].host, L"wttr.in");
  EXPECT_EQ(requests[0].pathAndQuery, L"/%E5%8C%97%E4%BA%AC?format=j1&lang=zh-cn");
  EXPECT_EQ(requests[0].timeouts, kWeatherHttpTimeouts);
}

TEST_F(WeatherServiceTest, RefreshAfterSuccessFetchesOnlyWhenStaleForcedOrAnotherCity) {
  struct Case {
    const char* name;
    Clock::duration later;
    std::wstring city;
    bool force;
    bool fetches;
  };
  const Case cases[] = {
      {"same city just after", 1s, L"北京", false, false},
      {"24 minutes 59 seconds is still fresh", 24min + 59s, L"北京", false, false},
      {"25 whole minutes is stale", 25min, L"北京", false, true},
      {"forced", 1s, L"北京", true, true},
      {"another city", 1s, L"上海", false, true},
      {"the located city is not a named one", 1s, L"", false, true},
  };
  http_->ServeByDefault(ReadTestData("weather/complete.json"));
  for (const Case& c : cases) {
    WeatherService service(Deps(queued_.Starter()));
    service.Refresh(L"北京", false);
    queued_.RunAll();
    ASSERT_TRUE(service.Snapshot().valid);

    now_ += c.later;
    service.Refresh(c.city, c.force);
    EXPECT_EQ(queued_.jobs.size(), c.fetches ? 1u : 0u) << c.name;
    EXPECT_EQ(service.Snapshot().fetching, c.fetches) << c.name;
    queued_.RunAll();
  }
}

TEST_F(WeatherServiceTest, FailedFetchGoesOfflineButKeepsEarlierData) {
  WeatherService service(Deps(queued_.Starter()));
  service.Refresh(L"北京", false);  // nothing served: like a 404 or no network
  queued_.RunAll();
  WeatherSnapshot offline;
  offline.city = L"北京";
  offline.description = L"离线（点击刷新）";
  EXPECT_EQ(service.Snapshot(), offline);

  http_->ServeFile(WeatherRequestPath(L"北京"), kComplete);
  service.Refresh(L"北京", false);  // the offline text is not fresh data
  queued_.RunAll();
  const WeatherSnapshot good = service.Snapshot();
  ASSERT_TRUE(good.valid);

  http_->Serve(WeatherRequestPath(L"北京"), R"({"current_condition":[{"temp_C":)");  // cut-off body
  service.Refresh(L"北京", true);
  queued_.RunAll();
  EXPECT_EQ(service.Snapshot(), good);
}

TEST_F(WeatherServiceTest, FailedFetchForAnotherCityShowsThatCityOffline) {
  http_->ServeFile(WeatherRequestPath(L"北京"), kComplete);
  WeatherService service(Deps(queued_.Starter()));
  service.Refresh(L"北京", false);
  queued_.RunAll();
  ASSERT_TRUE(service.Snapshot().valid);

  service.Refresh(L"上海", false);  // nothing served for it
  queued_.RunAll();
  WeatherSnapshot offline;
  offline.city = L"上海";
  offline.description = L"离线（点击刷新）";
  EXPECT_EQ(service.Snapshot(), offline);

  // The earlier city is fetched again rather than taken for fresh.
  service.Refresh(L"北京", false);
  EXPECT_EQ(queued_.jobs.size(), 1u);
  queued_.RunAll();
  EXPECT_TRUE(service.Snapshot().valid);
  EXPECT_EQ(service.Snapshot().city, L"北京");
}

TEST_F(WeatherServiceTest, UnlocatedFailureKeepsTheDefaultCityName) {
  WeatherService service(Deps(queued_.Starter()));
  service.Refresh(L"", false);
  queued_.RunAll();
  EXPECT_EQ(service.Snapshot().city, L"本地天气");
  EXPECT_EQ(service.Snapshot().description, L"离线（点击刷新）");
}

TEST_F(WeatherServiceTest, ThreadThatCannotBePreparedOrStartedEndsOffline) {
  http_->ServeFile(WeatherRequestPath(L"北京"), kComplete);
  WeatherServiceDeps unprepared = Deps(queued_.Starter());
  unprepared.prepareThread = [] { return std::unique_ptr<WorkerThreadScope>(); };
  WeatherService service(std::move(unprepared));
  service.Refresh(L"北京", false);
  queued_.RunAll();
  EXPECT_TRUE(http_->Requests().empty());
  EXPECT_EQ(service.Snapshot().description, L"离线（点击刷新）");

  bool refuse = true;
  WeatherServiceDeps flaky = Deps([&](std::function<void()> job) {
    if (refuse) throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
    queued_.jobs.push_back(std::move(job));
  });
  WeatherService starved(std::move(flaky));
  starved.Refresh(L"北京", false);
  EXPECT_FALSE(starved.Snapshot().fetching);  // nothing runs that would lower it
  EXPECT_EQ(starved.Snapshot().description, L"离线（点击刷新）");
  refuse = false;
  starved.Refresh(L"北京", false);  // the busy flag was released
  queued_.RunAll();
  EXPECT_TRUE(starved.Snapshot().valid);
}

// The worker tests below use real threads; they are meant for the tsan preset.

TEST_F(WeatherServiceTest, OneFetchAtATimeOnRealThreads) {
  http_->ServeFile(WeatherRequestPath(L"北京"), kComplete);
  JoinableWorkers workers;
  WeatherServiceDeps deps = Deps(workers.Starter());
  deps.now = [] { return Clock::now(); };
  WeatherService service(std::move(deps));

  http_->HoldRequests();
  for (int i = 0; i < 50; ++i) service.Refresh(L"北京", true);
  http_->WaitForRequests(1);
  for (int i = 0; i < 50; ++i) service.Refresh(L"北京", true);
  EXPECT_EQ(http_->Requests().size(), 1u);
  EXPECT_TRUE(service.Snapshot().fetching);
  http_->ReleaseRequests();
  workers.JoinAll();
  EXPECT_TRUE(service.Snapshot().valid);
  EXPECT_FALSE(service.Snapshot().fetching);

  service.Refresh(L"北京", true);
  workers.JoinAll();
  EXPECT_EQ(http_->Requests().size(), 2u);
}

TEST_F(WeatherServiceTest, LateWorkerOutlivesTheServiceAndDropsItsResult) {
  http_->ServeFile(WeatherRequestPath(L"北京"), kComplete);
  JoinableWorkers workers;
  WeatherServiceDeps deps = Deps(workers.Starter());
  deps.now = [] { return Clock::now(); };
  std::weak_ptr<FakeHttpClient> watch = http_;
  {
    WeatherService service(std::move(deps));
    http_->HoldRequests();
    service.Refresh(L"北京", false);
    http_->WaitForRequests(1);
  }
  http_->ReleaseRequests();
  workers.JoinAll();
  // The worker let go of everything it held once it had finished.
  http_.reset();
  EXPECT_TRUE(watch.expired());
}

TEST_F(WeatherServiceTest, RefreshesRacingWorkersAndDestruction) {
  http_->ServeFile(WeatherRequestPath(L"北京"), kComplete);
  http_->ServeFile(WeatherRequestPath(L"上海"), kComplete);
  JoinableWorkers workers;
  for (int round = 0; round < 20; ++round) {
    WeatherServiceDeps deps = Deps(workers.Starter());
    deps.now = [] { return Clock::now(); };
    WeatherService service(std::move(deps));
    for (int i = 0; i < 100; ++i) {
      service.Refresh(i % 3 == 0 ? L"上海" : L"北京", i % 2 == 0);
      const WeatherSnapshot s = service.Snapshot();
      if (s.valid) {
        EXPECT_EQ(s.temperature, L"5");
      }
    }
    // Destroyed with a worker possibly still running.
  }
  workers.JoinAll();
}

}  // namespace
}  // namespace orvane
