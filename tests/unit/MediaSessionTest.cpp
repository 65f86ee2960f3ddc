#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <deque>
#include <memory>
#include <thread>
#include <vector>

#include "CapturedLog.h"
#include "system/FailureLog.h"
#include "system/FakeHttpClient.h"
#include "system/FakeMediaSessionSource.h"
#include "system/MediaSession.h"

namespace orvane {
namespace {

constexpr std::int64_t kSecond = 1'000'000'000;

TEST(MediaSessionTest, SourceAppNameTable) {
  const struct {
    std::wstring aumid;
    std::wstring expected;
  } cases[] = {
      {L"Player.exe", L"Player"},
      {L"C:\\Program Files\\Tune\\Tune.exe", L"Tune"},
      {L"C:/tools/x/Radio.exe", L"Radio"},
      {L"Vendor.MusicApp_8wekyb3d8bbwe!App", L"Vendor.MusicApp_8wekyb3d8bbwe"},
      {L"Player.EXE", L"Player.EXE"},        // only the exact lower-case suffix
      {L"my.exe.player.exe", L"my.exe.player.exe"},  // the first ".exe" is not at the end
      {L"Player.exe!x", L"Player"},
      {L"", L"音乐"},
      {L"C:\\dir\\", L"音乐"},
      {L"!App", L"音乐"},
      {L".exe", L"音乐"},
  };
  for (const auto& c : cases) EXPECT_EQ(SourceAppName(c.aumid), c.expected) << c.aumid;
}

TEST(MediaSessionTest, ExtrapolatedPositionTable) {
  const struct {
    const char* name;
    double atUpdate;
    bool playing;
    std::int64_t lastUpdate;
    std::int64_t now;
    double duration;
    double expected;
  } cases[] = {
      {"paused stays", 30.0, false, 10 * kSecond, 15 * kSecond, 200.0, 30.0},
      {"playing advances by wall time", 30.0, true, 10 * kSecond, 12 * kSecond + kSecond / 2, 200.0, 32.5},
      {"at most ten seconds", 30.0, true, 10 * kSecond, 100 * kSecond, 200.0, 40.0},
      {"clock going backwards adds nothing", 30.0, true, 10 * kSecond, 5 * kSecond, 200.0, 30.0},
      {"never beyond the duration", 198.0, true, 10 * kSecond, 15 * kSecond, 200.0, 200.0},
      {"polled beyond the duration", 250.0, false, 10 * kSecond, 10 * kSecond, 200.0, 200.0},
      {"unknown duration does not clamp", 250.0, true, 10 * kSecond, 11 * kSecond, 0.0, 251.0},
      {"never updated", 5.0, true, 0, 50 * kSecond, 0.0, 5.0},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(ExtrapolatedPosition(c.atUpdate, c.playing, c.lastUpdate, c.now, c.duration), c.expected)
        << c.name;
  }
}

IconImage Art(int side, std::uint8_t value) {
  return IconImage{side, side, std::vector<std::uint8_t>(static_cast<size_t>(side) * side * 4, value)};
}

FakeMediaTrack Track(std::wstring title, std::wstring artist = L"Ann") {
  FakeMediaTrack track;
  track.title = std::move(title);
  track.artist = std::move(artist);
  track.appUserModelId = L"C:\\Apps\\Player.exe";
  track.position = 9.5;
  track.duration = 180.0;
  track.art = Art(2, 0x80);
  return track;
}

// Workers are queued and run when the test says so; the clock is a number.
class MediaSessionFixture : public ::testing::Test {
 protected:
  MediaSessionFixture() {
    MediaSessionServices services;
    services.source = source;
    services.http = http;
    services.lyricsHost = L"lyrics.test";
    services.starter = [this](std::function<void()> job) { queued.push_back(std::move(job)); };
    services.steadyNowNs = [this] { return now; };
    session = std::make_unique<MediaSession>(std::move(services));
  }

  void RunWorkers() {
    while (!queued.empty()) {
      std::function<void()> job = std::move(queued.front());
      queued.pop_front();
      job();
    }
  }
  void Poll() {
    session->RequestRefresh();
    RunWorkers();
  }
  void ServeLyrics(const std::wstring& title, const char* lrc) {
    http->Serve(L"/api/get?track_name=" + title + L"&artist_name=Ann",
                std::string(R"({"syncedLyrics":")") + lrc + "\"}");
  }

  std::shared_ptr<FakeMediaSessionSource> source = std::make_shared<FakeMediaSessionSource>();
  std::shared_ptr<FakeHttpClient> http = std::make_shared<FakeHttpClient>();
  std::deque<std::function<void()>> queued;
  std::int64_t now = 100 * kSecond;
  std::unique_ptr<MediaSession> session;
};

TEST_F(MediaSessionFixture, PollPublishesTheTrackAndItsLyrics) {
  source->SetTrack(Track(L"Song"));
  ServeLyrics(L"Song", R"([00:05.00]one\n[00:10.00]two\n[00:20.00]three)");
  Poll();

  MediaInfo info = session->Snapshot();
  EXPECT_TRUE(info.hasSession);
  EXPECT_TRUE(info.isPlaying);
  EXPECT_EQ(info.title, L"Song");
  EXPECT_EQ(info.artist, L"Ann");
  EXPECT_EQ(info.sourceApp, L"Player");
  EXPECT_EQ(info.artWidth, 2);
  EXPECT_EQ(info.artPixels, Art(2, 0x80).pixels);
  EXPECT_EQ(info.artVersion, 1);
  EXPECT_EQ(info.duration, 180.0);
  EXPECT_TRUE(info.hasLyrics);
  EXPECT_EQ(info.position, 9.5);
  EXPECT_EQ(info.currentLine, L"one");
  EXPECT_EQ(info.nextLine, L"two");

  now += kSecond / 4;  // 9.75 s: the line at 10 s shows a quarter second early
  info = session->Snapshot();
  EXPECT_EQ(info.currentLine, L"two");
  EXPECT_EQ(info.nextLine, L"three");

  now += 20 * kSecond;  // extrapolation stops after ten seconds
  info = session->Snapshot();
  EXPECT_DOUBLE_EQ(info.position, 19.5);
  EXPECT_EQ(info.currentLine, L"two");

  // The same track again: no new art, version or lyrics request.
  Poll();
  info = session->Snapshot();
  EXPECT_EQ(info.artVersion, 1);
  EXPECT_TRUE(info.hasLyrics);
  EXPECT_EQ(source->ArtReadCount(), 1);
  EXPECT_EQ(http->Requests().size(), 1u);
  EXPECT_EQ(source->OpenThreadScopes(), 0);
}

TEST_F(MediaSessionFixture, OnePollAtATime) {
  source->SetTrack(Track(L"Song"));
  session->RequestRefresh();
  session->RequestRefresh();
  EXPECT_EQ(queued.size(), 1u);
  RunWorkers();
  session->RequestRefresh();
  EXPECT_EQ(queued.size(), 1u);
}

TEST_F(MediaSessionFixture, TrackChangeBringsNewArtVersionAndLyrics) {
  source->SetTrack(Track(L"Song"));
  ServeLyrics(L"Song", R"([00:01]old)");
  ServeLyrics(L"Other", R"([00:01]new)");
  Poll();

  FakeMediaTrack next = Track(L"Other");  // same app, new title
  next.art = Art(3, 0x40);
  source->SetTrack(next);
  Poll();
  const MediaInfo info = session->Snapshot();
  EXPECT_EQ(info.artVersion, 2);
  EXPECT_EQ(info.artWidth, 3);
  EXPECT_EQ(info.currentLine, L"new");
  EXPECT_EQ(http->Requests().size(), 2u);

  // A new artist alone is a new track as well.
  source->SetTrack(Track(L"Other", L"Bob"));
  Poll();
  EXPECT_EQ(session->Snapshot().artVersion, 3);
  EXPECT_FALSE(session->Snapshot().hasLyrics);
}

TEST_F(MediaSessionFixture, LateLyricsForAnEarlierTrackGiveWayToTheTrackNowPlaying) {
  ServeLyrics(L"First", R"([00:01]first)");
  ServeLyrics(L"Second", R"([00:01]second)");
  ServeLyrics(L"Third", R"([00:01]third)");
  source->SetTrack(Track(L"First"));
  session->RequestRefresh();
  queued.front()();  // the poll
  queued.pop_front();
  ASSERT_EQ(queued.size(), 1u);

  // The fetch for First waits for its answer on a thread of its own.
  http->HoldRequests();
  std::thread fetching(std::move(queued.front()));
  queued.pop_front();
  http->WaitForRequests(1);

  // Two changes while it waits: neither poll can start a fetch of its own.
  for (const wchar_t* title : {L"Second", L"Third"}) {
    source->SetTrack(Track(title));
    Poll();
    EXPECT_FALSE(session->Snapshot().hasLyrics);
  }

  // The answer for First is thrown away and the same worker asks for Third.
  http->ReleaseRequests();
  fetching.join();
  const MediaInfo info = session->Snapshot();
  EXPECT_EQ(info.title, L"Third");
  EXPECT_TRUE(info.hasLyrics);
  EXPECT_EQ(info.currentLine, L"third");
  const auto requests = http->Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[1].pathAndQuery, L"/api/get?track_name=Third&artist_name=Ann");

  // Later polls of the same track ask for nothing more.
  Poll();
  EXPECT_EQ(http->Requests().size(), 2u);
}

TEST_F(MediaSessionFixture, AFetchThatHasNotBegunAsksForTheTrackNowPlaying) {
  ServeLyrics(L"First", R"([00:01]first)");
  ServeLyrics(L"Second", R"([00:01]second)");
  source->SetTrack(Track(L"First"));
  session->RequestRefresh();
  queued.front()();  // the poll; the fetch for First waits in the queue
  queued.pop_front();
  source->SetTrack(Track(L"Second"));
  session->RequestRefresh();
  std::function<void()> poll = std::move(queued.back());
  queued.pop_back();
  poll();

  RunWorkers();
  EXPECT_EQ(session->Snapshot().currentLine, L"second");
  const auto requests = http->Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].pathAndQuery, L"/api/get?track_name=Second&artist_name=Ann");
}

TEST_F(MediaSessionFixture, NoSessionOrFailedReadEmptiesEverythingButTheArtVersion) {
  ServeLyrics(L"Song", R"([00:01]a)");
  for (const bool failRead : {false, true}) {
    source->SetReadsFail(false);
    source->SetTrack(Track(L"Song"));
    Poll();
    ASSERT_TRUE(session->Snapshot().hasLyrics);
    const int version = session->Snapshot().artVersion;

    if (failRead) {
      source->SetReadsFail(true);
    } else {
      source->SetTrack(std::nullopt);
    }
    Poll();
    const MediaInfo info = session->Snapshot();
    MediaInfo expected;
    expected.artVersion = version;
    EXPECT_EQ(info, expected) << failRead;
  }
  // The session coming back counts as a new track.
  source->SetReadsFail(false);
  now += kMediaPollRetryMaxNs;
  Poll();
  EXPECT_TRUE(session->Snapshot().hasLyrics);
  EXPECT_EQ(source->ArtReadCount(), 3);
}

TEST_F(MediaSessionFixture, FailingReadsAreLoggedOnceNotOnEveryPoll) {
  BackgroundFailures().Clear();
  CapturedLog log;
  source->SetTrack(Track(L"Song"));
  source->SetReadsFail(true);
  for (int i = 0; i < 5; ++i) {
    Poll();
    now += kMediaPollRetryMaxNs;
  }
  EXPECT_EQ(source->ReadCount(), 5);
  ASSERT_EQ(log.lines.size(), 1u);
  EXPECT_EQ(log.lines[0], L"[00:00:00.000] Media session poll failed: media session read failed\r\n");
}

TEST_F(MediaSessionFixture, FailingReadsSpaceOutThePollsUntilOneSucceeds) {
  source->SetTrack(Track(L"Song"));
  source->SetReadsFail(true);
  // Each row: seconds since the previous poll request, whether it reads.
  const struct {
    double seconds;
    bool reads;
  } steps[] = {
      {0, true},      // fails: the next read waits 1 s
      {0.5, false},   {0.6, true},   // fails again: 2 s
      {1.9, false},   {0.2, true},   // 4 s
      {3.9, false},   {0.2, true},   // 8 s
      {8, true},      {16, true},    {32, true},  // 16 s, 32 s, then a minute at most
      {59, false},    {1, true},
  };
  int reads = 0;
  for (const auto& step : steps) {
    now += static_cast<std::int64_t>(step.seconds * kSecond);
    Poll();
    if (step.reads) ++reads;
    ASSERT_EQ(source->ReadCount(), reads) << "after " << step.seconds << " s";
  }
  // A read that succeeds ends the waiting: the next request reads at once.
  source->SetReadsFail(false);
  now += kMediaPollRetryMaxNs;
  Poll();
  Poll();
  EXPECT_EQ(source->ReadCount(), reads + 2);
  EXPECT_EQ(session->Snapshot().title, L"Song");
}

TEST_F(MediaSessionFixture, TimelineValuesBelowZeroReadAsZero) {
  FakeMediaTrack track = Track(L"");
  track.position = -3.0;
  track.duration = -1.0;
  track.isPlaying = false;
  track.art = IconImage{};
  source->SetTrack(track);
  Poll();
  const MediaInfo info = session->Snapshot();
  EXPECT_TRUE(info.hasSession);
  EXPECT_EQ(info.position, 0.0);
  EXPECT_EQ(info.duration, 0.0);
  EXPECT_EQ(info.artWidth, 0);
  EXPECT_EQ(info.artVersion, 1);
  EXPECT_TRUE(http->Requests().empty());  // no title, no lyrics request
}

TEST_F(MediaSessionFixture, WorkersFinishingAfterStopPublishNothing) {
  source->SetTrack(Track(L"Song"));
  ServeLyrics(L"Song", R"([00:01]a)");
  session->RequestRefresh();
  session->Stop();
  RunWorkers();
  EXPECT_EQ(source->ReadCount(), 1);
  EXPECT_TRUE(http->Requests().empty());  // nothing published, so no fetch
  EXPECT_EQ(session->Snapshot(), MediaInfo{});
  session->RequestRefresh();
  session->TogglePlayPause();
  EXPECT_TRUE(queued.empty());
  EXPECT_EQ(source.use_count(), 1);  // the shared state went with the last worker
}

TEST_F(MediaSessionFixture, CommandsFallBackToMediaKeys) {
  const struct {
    const char* name;
    bool session;
    bool accepted;
    bool fails;
    bool keyPressed;
  } cases[] = {
      {"accepted", true, true, false, false},
      {"refused", true, false, false, true},
      {"no media application open", false, true, false, true},
      {"call fails", true, true, true, true},
  };
  for (const auto& c : cases) {
    auto fresh = std::make_shared<FakeMediaSessionSource>();
    if (c.session) fresh->SetTrack(Track(L"Song"));
    fresh->SetCommandResult(c.accepted);
    fresh->SetReadsFail(c.fails);
    MediaSessionServices services;
    services.source = fresh;
    services.starter = [this](std::function<void()> job) { queued.push_back(std::move(job)); };
    services.steadyNowNs = [] { return std::int64_t{1}; };
    MediaSession commands(services);

    commands.TogglePlayPause();
    commands.Next();
    commands.Previous();
    EXPECT_TRUE(fresh->InjectedKeys().empty()) << "commands run on workers: " << c.name;
    RunWorkers();
    const std::vector<MediaCommand> all = {MediaCommand::TogglePlayPause, MediaCommand::Next,
                                           MediaCommand::Previous};
    EXPECT_EQ(fresh->InjectedKeys(), c.keyPressed ? all : std::vector<MediaCommand>{}) << c.name;
    EXPECT_EQ(fresh->OpenThreadScopes(), 0);
  }
}

TEST(MediaSessionTest, MediaKeysAreTheStandardVirtualKeys) {
  EXPECT_EQ(MediaKeyCode(MediaCommand::TogglePlayPause), 0xB3);
  EXPECT_EQ(MediaKeyCode(MediaCommand::Next), 0xB0);
  EXPECT_EQ(MediaKeyCode(MediaCommand::Previous), 0xB1);
}

// Real threads, for the ThreadSanitizer run.

void WaitUntilReleased(const std::shared_ptr<FakeMediaSessionSource>& source) {
  // Services hold the source; the last worker's exit frees them.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (source.use_count() > 1 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ASSERT_EQ(source.use_count(), 1);
}

class OverlapWatchingHttp final : public HttpClient {
 public:
  explicit OverlapWatchingHttp(std::shared_ptr<FakeHttpClient> inner) : inner_(std::move(inner)) {}
  std::string Get(std::wstring_view host, std::wstring_view path, const HttpTimeouts& timeouts) override {
    if (inside_.fetch_add(1) != 0) overlapped = true;
    std::string body = inner_->Get(host, path, timeouts);
    inside_.fetch_sub(1);
    return body;
  }
  std::atomic<bool> overlapped{false};

 private:
  std::shared_ptr<FakeHttpClient> inner_;
  std::atomic<int> inside_{0};
};

TEST(MediaSessionThreadsTest, ManyPollsRacingWithTrackChangesAndStop) {
  auto source = std::make_shared<FakeMediaSessionSource>();
  auto fake = std::make_shared<FakeHttpClient>();
  fake->ServeByDefault(R"({"syncedLyrics":"[00:00.10]a\n[00:00.20]b"})");
  auto http = std::make_shared<OverlapWatchingHttp>(fake);
  std::atomic<int> readsInside{0};
  std::atomic<bool> readsOverlapped{false};
  source->SetDuringRead([&] {
    if (readsInside.fetch_add(1) != 0) readsOverlapped = true;
    std::this_thread::sleep_for(std::chrono::microseconds(200));
    readsInside.fetch_sub(1);
  });

  auto session = std::make_unique<MediaSession>(DefaultMediaSessionServices(source, http));
  std::atomic<bool> done{false};
  std::thread changer([&] {
    for (int i = 0; !done; ++i) {
      if (i % 7 == 0) {
        source->SetTrack(std::nullopt);
      } else {
        source->SetTrack(Track(L"T" + std::to_wstring(i % 5)));
      }
      std::this_thread::sleep_for(std::chrono::microseconds(300));
    }
  });
  for (int i = 0; i < 2000; ++i) {
    session->RequestRefresh();
    const MediaInfo info = session->Snapshot();
    EXPECT_EQ(info.artPixels.size(), static_cast<size_t>(info.artWidth) * info.artHeight * 4);
    if (i % 97 == 0) session->TogglePlayPause();
    std::this_thread::sleep_for(std::chrono::microseconds(50));
  }
  session->Stop();
  done = true;
  changer.join();
  WaitUntilReleased(source);
  EXPECT_FALSE(readsOverlapped);
  EXPECT_FALSE(http->overlapped);
  EXPECT_GT(source->ReadCount(), 0);
}

TEST(MediaSessionThreadsTest, LyricsAnswerArrivingAfterTheOwnerIsGone) {
  auto source = std::make_shared<FakeMediaSessionSource>();
  auto http = std::make_shared<FakeHttpClient>();
  http->ServeByDefault(R"({"syncedLyrics":"[00:01]a"})");
  http->HoldRequests();
  source->SetTrack(Track(L"Song"));
  {
    MediaSession session(DefaultMediaSessionServices(source, http));
    session.RequestRefresh();
    http->WaitForRequests(1);  // the lyrics worker is waiting for its answer
    EXPECT_TRUE(session.Snapshot().hasSession);
    EXPECT_FALSE(session.Snapshot().hasLyrics);
  }  // the owner goes away (its destructor stops the session)
  http->ReleaseRequests();
  WaitUntilReleased(source);
  EXPECT_EQ(http->Requests().size(), 1u);
}

}  // namespace
}  // namespace orvane
