#pragma once
// What MediaSession asks of the platform's media transport controls. Every
// call is made on a background worker thread, inside the scope returned by
// EnterWorkerThread. Windows: win32/WinMediaSessionSource; tests and the
// preview tool: FakeMediaSessionSource.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "system/IconImage.h"

namespace orvane {

enum class MediaCommand { TogglePlayPause, Next, Previous };

// The virtual-key code of the media key that does the same as command.
constexpr std::uint16_t MediaKeyCode(MediaCommand command) {
  switch (command) {
    case MediaCommand::Next:
      return 0xB0;  // VK_MEDIA_NEXT_TRACK
    case MediaCommand::Previous:
      return 0xB1;  // VK_MEDIA_PREV_TRACK
    case MediaCommand::TogglePlayPause:
      break;
  }
  return 0xB3;  // VK_MEDIA_PLAY_PAUSE
}

// Thumbnail streams of no bytes or more than this give no cover art.
inline constexpr std::uint64_t kMaxCoverArtBytes = 8 * 1024 * 1024;

// The current session as read in one poll.
struct MediaSessionRead {
  bool isPlaying = false;
  std::wstring title;
  std::wstring artist;
  std::wstring appUserModelId;  // SourceAppUserModelId
  double position = 0.0;        // seconds, as reported (may be negative)
  double duration = 0.0;        // the timeline's end time in seconds
  // Decodes the track's thumbnail (empty art on failure or when there is
  // none). Called at most once, only when the track changed, on the same
  // thread before the next read.
  std::function<IconImage()> readCoverArt;
};

class MediaSessionSource {
 public:
  // Whatever a worker thread must hold while it calls the platform (on
  // Windows: COM in the multithreaded apartment).
  class ThreadScope {
   public:
    virtual ~ThreadScope() = default;
  };

  virtual ~MediaSessionSource() = default;

  virtual std::unique_ptr<ThreadScope> EnterWorkerThread() = 0;
  // The current session, or nullptr when there is none or it is closed.
  // May throw; the caller treats that as no session.
  virtual std::unique_ptr<MediaSessionRead> ReadCurrentSession() = 0;
  // Asks the current session to perform command. False when there is no
  // session, the call fails or the session refuses.
  virtual bool SendCommand(MediaCommand command) = 0;
  // Presses and releases the matching media key for whoever listens.
  virtual void InjectMediaKey(MediaCommand command) = 0;
};

}  // namespace orvane
