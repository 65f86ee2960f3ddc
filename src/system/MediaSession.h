#pragma once
// Mirrors the system's current media session (track, cover art, position)
// and fetches synchronised lyrics for it. All platform and network calls run
// on one-shot background workers; the UI thread only requests refreshes and
// copies snapshots, so it never waits on the media service or the network.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "system/BackgroundWorker.h"
#include "system/HttpClient.h"
#include "system/MediaInfo.h"
#include "system/MediaSessionSource.h"

namespace orvane {

inline constexpr std::int64_t kMediaPollRetryFirstNs = 1'000'000'000;
inline constexpr std::int64_t kMediaPollRetryMaxNs = 60'000'000'000;

// Short display name of the playing application from its AUMID: the last
// path element, cut at "!", without a trailing ".exe"; "音乐" when nothing
// is left.
std::wstring SourceAppName(std::wstring_view appUserModelId);

// The position a snapshot shows: the polled position, advanced by the time
// since the poll while playing (at most 10 s, never backwards), and never
// beyond a known duration.
double ExtrapolatedPosition(double positionAtUpdate, bool isPlaying, std::int64_t lastUpdateNs,
                            std::int64_t nowNs, double duration);

struct MediaSessionServices {
  std::shared_ptr<MediaSessionSource> source;
  std::shared_ptr<HttpClient> http;
  std::wstring lyricsHost;
  WorkerStarter starter;
  std::function<std::int64_t()> steadyNowNs;  // steady clock, nanoseconds
};

// The steady clock and detached threads, for the program itself.
MediaSessionServices DefaultMediaSessionServices(std::shared_ptr<MediaSessionSource> source,
                                                 std::shared_ptr<HttpClient> http);

class MediaSession {
 public:
  // Held by the owner and by every worker; workers keep it alive after Stop.
  struct SharedState {
    explicit SharedState(MediaSessionServices services) : services(std::move(services)) {}
    const MediaSessionServices services;

    std::mutex lock;  // guards everything below except the atomic flags
    MediaInfo info;   // its lyric-line fields are not used
    std::wstring trackKey;
    std::vector<LyricLine> lyrics;  // sorted by time; empty when none
    std::wstring lyricsKey;         // the track whose lyrics were fetched or are being fetched
    std::int64_t lastUpdateNs = 0;
    double positionAtUpdate = 0.0;

    int failedPolls = 0;                // in a row
    std::int64_t pollNotBeforeNs = 0;   // after failures: no poll before this
    std::atomic<bool> pollRunning{false};
    std::atomic<bool> lyricsRunning{false};
    std::atomic<bool> stopping{false};
  };

  explicit MediaSession(MediaSessionServices services);
  ~MediaSession();
  MediaSession(const MediaSession&) = delete;
  MediaSession& operator=(const MediaSession&) = delete;

  // Starts one poll unless one is running already. After a poll that
  // failed (a media service that is missing or broken), polls wait 1 s, then
  // twice as long after each further failure, up to a minute; a good read
  // ends the wait.
  void RequestRefresh();
  // The last polled state with the position brought up to now and the lyric
  // lines for it; an empty record after Stop.
  MediaInfo Snapshot() const;

  // Each runs on its own worker and returns at once; when the session cannot
  // do it, the media key is pressed instead.
  void TogglePlayPause();
  void Next();
  void Previous();

  // Running workers finish on their own references and publish nothing more.
  void Stop();

 private:
  void Command(MediaCommand command);

  std::shared_ptr<SharedState> state_;
};

}  // namespace orvane
