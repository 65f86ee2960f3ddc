#pragma once
// A media session held in memory, for tests and the preview tool: the track
// it reports can be changed at any time from any thread, reads can be made to
// fail, commands are recorded and answered as configured, and media keys are
// recorded instead of pressed.

#include <functional>
#include <mutex>
#include <optional>
#include <vector>

#include "system/MediaSessionSource.h"

namespace orvane {

struct FakeMediaTrack {
  bool isPlaying = true;
  std::wstring title;
  std::wstring artist;
  std::wstring appUserModelId;
  double position = 0.0;
  double duration = 0.0;
  IconImage art;
};

class FakeMediaSessionSource final : public MediaSessionSource {
 public:
  // nullopt: no session (or a closed one).
  void SetTrack(std::optional<FakeMediaTrack> track);
  // Reads throw while set, as a failing platform call does.
  void SetReadsFail(bool fail);
  // Runs inside every read, before it answers (lets tests interleave workers).
  void SetDuringRead(std::function<void()> hook);
  // What SendCommand answers while a session exists (without one it answers
  // false and records nothing).
  void SetCommandResult(bool accepted);

  int ReadCount() const;
  int ArtReadCount() const;
  int OpenThreadScopes() const;
  std::vector<MediaCommand> SentCommands() const;
  std::vector<MediaCommand> InjectedKeys() const;

  std::unique_ptr<ThreadScope> EnterWorkerThread() override;
  std::unique_ptr<MediaSessionRead> ReadCurrentSession() override;
  bool SendCommand(MediaCommand command) override;
  void InjectMediaKey(MediaCommand command) override;

 private:
  class Scope;

  mutable std::mutex mutex_;
  std::optional<FakeMediaTrack> track_;
  bool readsFail_ = false;
  bool commandResult_ = true;
  std::function<void()> duringRead_;
  int reads_ = 0;
  int artReads_ = 0;
  int openScopes_ = 0;
  std::vector<MediaCommand> sent_;
  std::vector<MediaCommand> injected_;
};

}  // namespace orvane
