#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <system_error>
#include <thread>
#include <vector>

#include "CapturedLog.h"
#include "app/Errors.h"
#include "system/BackgroundWorker.h"
#include "system/FailureLog.h"
#include "system/FakeHttpClient.h"

namespace orvane {
namespace {

struct CountingState {
  std::atomic<bool> busy{false};
  std::atomic<int> runs{0};
};

TEST(BackgroundWorkerTest, OneJobAtATimeAndFlagClearedAfterwards) {
  std::vector<std::function<void()>> queued;
  WorkerStarter queue = [&](std::function<void()> job) { queued.push_back(std::move(job)); };
  auto state = std::make_shared<CountingState>();

  EXPECT_TRUE(StartClaimedWorker(state->busy, queue, [state] { ++state->runs; }));
  EXPECT_FALSE(StartClaimedWorker(state->busy, queue, [state] { ++state->runs; }));
  ASSERT_EQ(queued.size(), 1u);
  EXPECT_TRUE(state->busy);
  queued[0]();
  EXPECT_FALSE(state->busy);
  EXPECT_EQ(state->runs, 1);
}

TEST(BackgroundWorkerTest, ThrowingJobOrFailedStartReleasesTheFlag) {
  WorkerStarter inline_ = [](std::function<void()> job) { job(); };
  WorkerStarter refusing = [](std::function<void()>) {
    throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
  };
  std::atomic<bool> busy{false};

  EXPECT_TRUE(StartClaimedWorker(busy, inline_, [] { throw std::runtime_error("boom"); }));
  EXPECT_FALSE(busy);
  EXPECT_FALSE(StartClaimedWorker(busy, refusing, [] {}));
  EXPECT_FALSE(busy);
}

TEST(BackgroundWorkerTest, ThrowingJobIsLoggedOncePerKindNotOnEveryRun) {
  BackgroundFailures().Clear();
  CapturedLog log;
  WorkerStarter inline_ = [](std::function<void()> job) { job(); };
  std::atomic<bool> busy{false};
  for (int i = 0; i < 3; ++i) {
    StartClaimedWorker(busy, inline_, [] { throw HResultError(static_cast<std::int32_t>(0x80070005), L"Access is denied."); },
                       L"Test poll");
  }
  StartClaimedWorker(busy, inline_, [] { throw 42; }, L"Other job");
  const std::vector<std::wstring> expected = {
      L"[00:00:00.000] Test poll failed: 0x80070005 Access is denied.\r\n",
      L"[00:00:00.000] Other job failed: unknown exception\r\n",
  };
  EXPECT_EQ(log.lines, expected);
}

TEST(FailureLogTest, EachKindOnceAMinuteWithTheCountLeftOut) {
  using namespace std::chrono_literals;
  std::chrono::steady_clock::time_point now{};
  FailureLog failures([&] { return now; });
  CapturedLog log;
  const struct {
    std::chrono::seconds later;
    const wchar_t* kind;
    bool logged;
  } steps[] = {
      {0s, L"A", true},  {1s, L"A", false}, {0s, L"B", true},  {58s, L"A", false},
      {1s, L"A", true},  {59s, L"A", false}, {1s, L"A", true}, {0s, L"B", true},
  };
  for (const auto& step : steps) {
    now += step.later;
    EXPECT_EQ(failures.Report(step.kind, L"x"), step.logged) << static_cast<int>(&step - steps);
  }
  const std::vector<std::wstring> expected = {
      L"[00:00:00.000] A failed: x\r\n",
      L"[00:00:00.000] B failed: x\r\n",
      L"[00:00:00.000] A failed: x (2 more since)\r\n",
      L"[00:00:00.000] A failed: x (1 more since)\r\n",
      L"[00:00:00.000] B failed: x\r\n",
  };
  EXPECT_EQ(log.lines, expected);
}

// Real threads racing for the flag while the owner drops its reference: the
// shared state stays alive for the last worker and at most one runs at once.
TEST(BackgroundWorkerTest, RacingStartsOnRealThreadsRunOneAtATime) {
  auto state = std::make_shared<CountingState>();
  std::atomic<int> inside{0};
  std::atomic<bool> overlap{false};
  std::weak_ptr<CountingState> watch = state;

  std::vector<std::thread> callers;
  for (int i = 0; i < 4; ++i) {
    callers.emplace_back([&, state] {
      for (int j = 0; j < 200; ++j) {
        StartClaimedWorker(state->busy, DetachedThreadStarter(), [state, &inside, &overlap] {
          if (inside.fetch_add(1) != 0) overlap = true;
          ++state->runs;
          inside.fetch_sub(1);
        });
      }
    });
  }
  for (auto& caller : callers) caller.join();
  state.reset();
  while (!watch.expired()) std::this_thread::yield();
  EXPECT_FALSE(overlap);
}

TEST(FakeHttpClientTest, ServesByPathRecordsRequestsAndAnswersUnknownPathsEmpty) {
  FakeHttpClient http;
  http.Serve(L"/a?x=1", "body-a");
  http.ServeFile(L"/missing", "/nonexistent/orvane-test-file");
  EXPECT_EQ(http.Get(L"h", L"/a?x=1", kLyricsHttpTimeouts), "body-a");
  EXPECT_EQ(http.Get(L"h", L"/missing", kLyricsHttpTimeouts), "");
  EXPECT_EQ(http.Get(L"h", L"/other", kWeatherHttpTimeouts), "");
  auto requests = http.Requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[2].pathAndQuery, L"/other");
  EXPECT_EQ(requests[2].timeouts, kWeatherHttpTimeouts);
}

}  // namespace
}  // namespace orvane
