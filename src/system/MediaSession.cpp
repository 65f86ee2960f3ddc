#include "system/MediaSession.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <utility>

#include "system/FailureLog.h"
#include "system/Lyrics.h"

namespace orvane {
namespace {

using State = MediaSession::SharedState;

constexpr double kMaxExtrapolationSeconds = 10.0;

std::wstring TrackKey(const MediaInfo& info) { return info.title + L"|" + info.artist + L"|" + info.sourceApp; }

// Polls start no fetch while one runs, so a track that began meanwhile is
// fetched next, on the same worker, once the answer for the earlier one is
// in (and thrown away).
void FetchLyricsJob(const std::shared_ptr<State>& state, std::wstring key, std::wstring title, std::wstring artist) {
  const MediaSessionServices& services = state->services;
  std::unique_ptr<MediaSessionSource::ThreadScope> scope = services.source->EnterWorkerThread();
  for (;;) {
    {
      std::lock_guard guard(state->lock);
      if (state->stopping) return;
      if (state->trackKey != key) {
        if (!state->info.hasSession || state->info.title.empty() || !state->lyrics.empty()) return;
        key = state->trackKey;
        title = state->info.title;
        artist = state->info.artist;
      }
      state->lyricsKey = key;
    }

    std::vector<LyricLine> lines;
    if (services.http) lines = FetchLyrics(*services.http, services.lyricsHost, title, artist);

    std::lock_guard guard(state->lock);
    if (state->stopping) return;
    if (state->trackKey == key) {
      state->info.hasLyrics = !lines.empty();
      state->lyrics = std::move(lines);
      return;
    }
  }
}

IconImage ReadCoverArt(const MediaSessionRead& read) {
  if (!read.readCoverArt) return {};
  try {
    IconImage art = read.readCoverArt();
    return art.empty() ? IconImage{} : art;
  } catch (...) {
    ReportCurrentException(L"Cover art read");
    return {};
  }
}

void PollJob(const std::shared_ptr<State>& state) {
  const MediaSessionServices& services = state->services;
  std::unique_ptr<MediaSessionSource::ThreadScope> scope = services.source->EnterWorkerThread();

  std::wstring previousKey;
  MediaInfo info;
  {
    std::lock_guard guard(state->lock);
    previousKey = state->trackKey;
    info.artWidth = state->info.artWidth;
    info.artHeight = state->info.artHeight;
    info.artPixels = state->info.artPixels;
    info.artVersion = state->info.artVersion;
  }

  std::unique_ptr<MediaSessionRead> read;
  bool failed = false;
  try {
    read = services.source->ReadCurrentSession();
  } catch (...) {
    ReportCurrentException(L"Media session poll");
    read.reset();
    failed = true;
  }

  std::wstring key;
  bool trackChanged = false;
  if (read) {
    info.hasSession = true;
    info.isPlaying = read->isPlaying;
    info.title = read->title;
    info.artist = read->artist;
    info.sourceApp = SourceAppName(read->appUserModelId);
    info.position = std::max(0.0, read->position);
    info.duration = std::max(0.0, read->duration);
    key = TrackKey(info);
    trackChanged = key != previousKey;
    if (trackChanged) {
      IconImage art = ReadCoverArt(*read);
      info.artWidth = art.width;
      info.artHeight = art.height;
      info.artPixels = std::move(art.pixels);
      ++info.artVersion;
    }
  } else {
    info.artWidth = 0;
    info.artHeight = 0;
    info.artPixels.clear();
  }

  const std::wstring title = info.title;
  const std::wstring artist = info.artist;
  bool startLyrics = false;
  {
    std::lock_guard guard(state->lock);
    if (state->stopping) return;
    if (failed) {
      ++state->failedPolls;
      const int doublings = std::min(state->failedPolls - 1, 6);
      state->pollNotBeforeNs =
          services.steadyNowNs() + std::min(kMediaPollRetryFirstNs << doublings, kMediaPollRetryMaxNs);
    } else {
      state->failedPolls = 0;
      state->pollNotBeforeNs = 0;
    }
    if (trackChanged || !info.hasSession) {
      state->lyrics.clear();
      state->lyricsKey.clear();
    } else {
      // Same track: keep what a lyrics worker may have published since this
      // poll began.
      info.hasLyrics = state->info.hasLyrics;
    }
    state->info = std::move(info);
    state->trackKey = key;
    state->positionAtUpdate = state->info.position;
    state->lastUpdateNs = services.steadyNowNs();
    // Also after the change itself: a fetch that was finishing while this
    // track began may have missed it.
    startLyrics = !title.empty() && state->lyricsKey != key;
  }
  if (startLyrics) {
    // A fetch still running for an earlier track keeps the flag; it moves on
    // to this track when it ends.
    StartClaimedWorker(
        state->lyricsRunning, services.starter,
        [state, key, title, artist] { FetchLyricsJob(state, key, title, artist); },
        L"Lyrics fetch");
  }
}

void CommandJob(const std::shared_ptr<State>& state, MediaCommand command) {
  MediaSessionSource& source = *state->services.source;
  std::unique_ptr<MediaSessionSource::ThreadScope> scope = source.EnterWorkerThread();
  bool done = false;
  try {
    done = source.SendCommand(command);
  } catch (...) {
    ReportCurrentException(L"Media command");
    done = false;
  }
  if (!done) source.InjectMediaKey(command);
}

}  // namespace

std::wstring SourceAppName(std::wstring_view appUserModelId) {
  static const std::wstring kFallback = L"音乐";
  std::wstring_view name = appUserModelId;
  if (const std::size_t slash = name.find_last_of(L"\\/"); slash != std::wstring_view::npos) {
    name.remove_prefix(slash + 1);
  }
  if (const std::size_t bang = name.find(L'!'); bang != std::wstring_view::npos) name = name.substr(0, bang);
  if (const std::size_t exe = name.find(L".exe"); exe != std::wstring_view::npos && exe + 4 == name.size()) {
    name.remove_suffix(4);
  }
  return name.empty() ? kFallback : std::wstring(name);
}

double ExtrapolatedPosition(double positionAtUpdate, bool isPlaying, std::int64_t lastUpdateNs,
                            std::int64_t nowNs, double duration) {
  double position = positionAtUpdate;
  if (isPlaying && lastUpdateNs > 0) {
    const double elapsed = static_cast<double>(nowNs - lastUpdateNs) / 1e9;
    position += std::clamp(elapsed, 0.0, kMaxExtrapolationSeconds);
  }
  if (duration > 0.0 && position > duration) position = duration;
  return position;
}

MediaSessionServices DefaultMediaSessionServices(std::shared_ptr<MediaSessionSource> source,
                                                 std::shared_ptr<HttpClient> http) {
  MediaSessionServices services;
  services.source = std::move(source);
  services.http = std::move(http);
  services.lyricsHost = std::wstring(kLyricsHost);
  services.starter = DetachedThreadStarter();
  services.steadyNowNs = [] {
    return static_cast<std::int64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count());
  };
  return services;
}

MediaSession::MediaSession(MediaSessionServices services)
    : state_(std::make_shared<SharedState>(std::move(services))) {}

MediaSession::~MediaSession() { Stop(); }

void MediaSession::RequestRefresh() {
  if (!state_) return;
  {
    std::lock_guard guard(state_->lock);
    if (state_->pollNotBeforeNs != 0 && state_->services.steadyNowNs() < state_->pollNotBeforeNs) return;
  }
  StartClaimedWorker(state_->pollRunning, state_->services.starter, [state = state_] { PollJob(state); },
                     L"Media session poll");
}

MediaInfo MediaSession::Snapshot() const {
  if (!state_) return {};
  const std::int64_t now = state_->services.steadyNowNs();
  std::lock_guard guard(state_->lock);
  MediaInfo snapshot = state_->info;
  snapshot.currentLine.clear();
  snapshot.nextLine.clear();
  if (!snapshot.hasSession) return snapshot;
  snapshot.position = ExtrapolatedPosition(state_->positionAtUpdate, snapshot.isPlaying, state_->lastUpdateNs,
                                           now, snapshot.duration);
  const std::vector<LyricLine>& lyrics = state_->lyrics;
  if (!lyrics.empty()) {
    const std::size_t index = LyricIndexAt(lyrics, snapshot.position);
    snapshot.currentLine = lyrics[index].text;
    if (index + 1 < lyrics.size()) snapshot.nextLine = lyrics[index + 1].text;
    snapshot.hasLyrics = true;
  }
  return snapshot;
}

void MediaSession::TogglePlayPause() { Command(MediaCommand::TogglePlayPause); }
void MediaSession::Next() { Command(MediaCommand::Next); }
void MediaSession::Previous() { Command(MediaCommand::Previous); }

void MediaSession::Command(MediaCommand command) {
  if (!state_) return;
  try {
    state_->services.starter([state = state_, command] {
      try {
        CommandJob(state, command);
      } catch (...) {
        ReportCurrentException(L"Media command");
      }
    });
  } catch (...) {
    // No thread could start; the click is lost, as a failed key press would be.
    ReportCurrentException(L"Media command");
  }
}

void MediaSession::Stop() {
  if (!state_) return;
  state_->stopping.exchange(true);
  state_.reset();
}

}  // namespace orvane
