#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#include "IconFakeSources.h"
#include "app/TextUtil.h"
#include "system/IconService.h"
#include "system/PngCodec.h"
#include <stdlib.h>

namespace orvane {
namespace {

// Worker jobs wait here until the test runs them; each extraction is
// recorded and answers a 1 x 1 picture whose blue channel is the request size.
class IconServiceTest : public ::testing::Test {
 protected:
  IconService::Deps Deps() {
    IconService::Deps deps;
    deps.extract = [this](const IconRequest& request) {
      extracted.push_back(request);
      if (throwOn && *throwOn == request) throw std::runtime_error("source failed");
      return IconImage{1, 1, {static_cast<std::uint8_t>(request.size), 0, 0, 255}};
    };
    deps.startWorker = [this](std::function<void()> job) {
      if (refuseThreads) throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
      jobs.push_back(std::move(job));
    };
    deps.arrived = [this] { ++signals; };
    return deps;
  }
  void RunJobs() {
    while (!jobs.empty()) {
      auto job = std::move(jobs.front());
      jobs.erase(jobs.begin());
      job();
    }
  }
  static std::vector<unsigned> Sizes(const std::vector<IconArrival>& arrivals) {
    std::vector<unsigned> sizes;
    for (const IconArrival& arrival : arrivals) sizes.push_back(arrival.request.size);
    return sizes;
  }

  std::vector<std::function<void()>> jobs;
  std::vector<IconRequest> extracted;
  std::optional<IconRequest> throwOn;
  bool refuseThreads = false;
  int signals = 0;
  IconService service{Deps()};
};

TEST_F(IconServiceTest, QueuedRequestsArriveInOrderOnOneWorker) {
  service.Request(TargetIconRequest(L"C:\\a.exe", 64));
  service.Request(TargetIconRequest(L"C:\\b.exe", 96));
  service.Request(TargetIconRequest(L"C:\\a.exe", 64));  // asked again while queued
  EXPECT_EQ(jobs.size(), 1u) << "one worker drains the queue";
  EXPECT_EQ(service.Outstanding(), 2u);
  EXPECT_TRUE(service.TakeArrivals().empty());

  RunJobs();
  EXPECT_EQ(extracted.size(), 2u);
  EXPECT_EQ(signals, 1) << "the owner is told once until it takes the arrivals";
  const std::vector<IconArrival> arrivals = service.TakeArrivals();
  EXPECT_EQ(Sizes(arrivals), (std::vector<unsigned>{64, 96}));
  EXPECT_EQ(arrivals[1].image.pixels[0], 96);
  EXPECT_EQ(service.Outstanding(), 0u);

  // Taken arrivals are gone; asking again extracts again and signals again.
  service.Request(TargetIconRequest(L"C:\\a.exe", 64));
  RunJobs();
  EXPECT_EQ(extracted.size(), 3u);
  EXPECT_EQ(signals, 2);
}

TEST_F(IconServiceTest, ARequestArrivedButUntakenIsNotQueuedAgain) {
  service.Request(StockIconRequest(31, 128));
  RunJobs();
  service.Request(StockIconRequest(31, 128));
  EXPECT_TRUE(jobs.empty());
  EXPECT_EQ(service.TakeArrivals().size(), 1u);
}

TEST_F(IconServiceTest, ForgetDropsTheQueueAndAResultUnderWay) {
  // The worker takes the first request, then the surface forgets everything.
  bool forgotten = false;
  IconService::Deps deps = Deps();
  IconService* self = nullptr;
  deps.extract = [&](const IconRequest& request) {
    extracted.push_back(request);
    if (!forgotten) {
      forgotten = true;
      self->Forget();
      self->Request(TargetIconRequest(L"C:\\b.exe", 32));  // asked anew meanwhile
    }
    return IconImage{1, 1, {1, 1, 1, 255}};
  };
  IconService forgetful(std::move(deps));
  self = &forgetful;
  forgetful.Request(TargetIconRequest(L"C:\\a.exe", 16));
  forgetful.Request(TargetIconRequest(L"C:\\c.exe", 48));
  RunJobs();

  ASSERT_EQ(extracted.size(), 2u) << "the queued request was dropped";
  EXPECT_EQ(extracted[1].path, L"C:\\b.exe");
  EXPECT_EQ(Sizes(forgetful.TakeArrivals()), std::vector<unsigned>{32}) << "the result under way was dropped";
  EXPECT_EQ(forgetful.Outstanding(), 0u);
}

TEST_F(IconServiceTest, FailuresArriveEmptyAndTheServiceGoesOn) {
  throwOn = TargetIconRequest(L"C:\\broken.lnk", 64);
  service.Request(*throwOn);
  service.Request(TargetIconRequest(L"C:\\fine.exe", 64));
  RunJobs();
  const std::vector<IconArrival> arrivals = service.TakeArrivals();
  ASSERT_EQ(arrivals.size(), 2u);
  EXPECT_TRUE(arrivals[0].image.empty());
  EXPECT_FALSE(arrivals[1].image.empty());

  // A thread that cannot start leaves the request queued for the next try.
  refuseThreads = true;
  service.Request(TargetIconRequest(L"C:\\later.exe", 64));
  EXPECT_TRUE(jobs.empty());
  refuseThreads = false;
  service.Request(TargetIconRequest(L"C:\\later2.exe", 64));
  RunJobs();
  EXPECT_EQ(service.TakeArrivals().size(), 2u);
}

TEST_F(IconServiceTest, NothingIsPublishedAfterStop) {
  service.Request(TargetIconRequest(L"C:\\a.exe", 64));
  service.Stop();
  RunJobs();  // a late worker
  service.Request(TargetIconRequest(L"C:\\b.exe", 64));
  EXPECT_TRUE(jobs.empty());
  EXPECT_TRUE(extracted.empty());
  EXPECT_TRUE(service.TakeArrivals().empty());
  EXPECT_EQ(signals, 0);
}

TEST_F(IconServiceTest, RequestsOfOneRunningAppShareOneExtraction) {
  service.Request(RunningAppIconRequest(5, L"C:\\a.exe", L"", 64));
  service.Request(RunningAppIconRequest(6, L"C:\\a.exe", L"", 64));
  service.Request(RunningAppIconRequest(7, L"", L"", 64));  // only the window identifies it
  service.Request(RunningAppIconRequest(8, L"", L"", 64));
  RunJobs();
  EXPECT_EQ(extracted.size(), 3u);
}

// The real thing: a detached thread extracting through the extractor from
// fake sources, the arrival signalled from that thread.
TEST(IconServiceThreadTest, ExtractsOnAWorkerThreadThroughTheExtractor) {
  std::string pattern = (std::filesystem::temp_directory_path() / "orvane-iconservice-XXXXXX").string();
  const std::filesystem::path folder(::mkdtemp(pattern.data()));
  FakeIconSources sources;
  sources.shellImages[L"C:\\Apps\\a.exe"] = TestIcon(48, 48, 7);
  IconExtractor extractor(sources, IconCache(PlatformPngCodec(), PlatformIconCacheFiles(), Utf8ToWide(folder.string())));

  std::mutex mutex;
  std::condition_variable cv;
  bool arrived = false;
  IconService::Deps deps;
  deps.extract = [&extractor](const IconRequest& request) { return ExtractRequestedIcon(extractor, request); };
  deps.arrived = [&] {
    std::lock_guard lock(mutex);
    arrived = true;
    cv.notify_all();
  };
  {
    IconService service(std::move(deps));
    service.Request(TargetIconRequest(L"C:\\Apps\\a.exe", 48));
    {
      std::unique_lock lock(mutex);
      ASSERT_TRUE(cv.wait_for(lock, std::chrono::seconds(20), [&] { return arrived; }));
    }
    // The signal comes after the arrival is stored.
    const std::vector<IconArrival> arrivals = service.TakeArrivals();
    ASSERT_EQ(arrivals.size(), 1u);
    EXPECT_EQ(arrivals[0].image, TestIcon(48, 48, 7));
    EXPECT_EQ(service.Outstanding(), 0u);
  }
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
}

}  // namespace
}  // namespace orvane
