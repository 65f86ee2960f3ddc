#include "system/FakeMediaSessionSource.h"

#include <stdexcept>

namespace orvane {

class FakeMediaSessionSource::Scope final : public ThreadScope {
 public:
  explicit Scope(FakeMediaSessionSource& owner) : owner_(owner) {
    std::lock_guard guard(owner_.mutex_);
    ++owner_.openScopes_;
  }
  ~Scope() override {
    std::lock_guard guard(owner_.mutex_);
    --owner_.openScopes_;
  }

 private:
  FakeMediaSessionSource& owner_;
};

void FakeMediaSessionSource::SetTrack(std::optional<FakeMediaTrack> track) {
  std::lock_guard guard(mutex_);
  track_ = std::move(track);
}

void FakeMediaSessionSource::SetReadsFail(bool fail) {
  std::lock_guard guard(mutex_);
  readsFail_ = fail;
}

void FakeMediaSessionSource::SetDuringRead(std::function<void()> hook) {
  std::lock_guard guard(mutex_);
  duringRead_ = std::move(hook);
}

void FakeMediaSessionSource::SetCommandResult(bool accepted) {
  std::lock_guard guard(mutex_);
  commandResult_ = accepted;
}

int FakeMediaSessionSource::ReadCount() const {
  std::lock_guard guard(mutex_);
  return reads_;
}

int FakeMediaSessionSource::ArtReadCount() const {
  std::lock_guard guard(mutex_);
  return artReads_;
}

int FakeMediaSessionSource::OpenThreadScopes() const {
  std::lock_guard guard(mutex_);
  return openScopes_;
}

std::vector<MediaCommand> FakeMediaSessionSource::SentCommands() const {
  std::lock_guard guard(mutex_);
  return sent_;
}

std::vector<MediaCommand> FakeMediaSessionSource::InjectedKeys() const {
  std::lock_guard guard(mutex_);
  return injected_;
}

std::unique_ptr<MediaSessionSource::ThreadScope> FakeMediaSessionSource::EnterWorkerThread() {
  return std::make_unique<Scope>(*this);
}

std::unique_ptr<MediaSessionRead> FakeMediaSessionSource::ReadCurrentSession() {
  std::function<void()> hook;
  {
    std::lock_guard guard(mutex_);
    ++reads_;
    hook = duringRead_;
  }
  if (hook) hook();

  std::lock_guard guard(mutex_);
  if (readsFail_) throw std::runtime_error("media session read failed");
  if (!track_) return nullptr;
  auto read = std::make_unique<MediaSessionRead>();
  read->isPlaying = track_->isPlaying;
  read->title = track_->title;
  read->artist = track_->artist;
  read->appUserModelId = track_->appUserModelId;
  read->position = track_->position;
  read->duration = track_->duration;
  read->readCoverArt = [this, art = track_->art] {
    std::lock_guard artGuard(mutex_);
    ++artReads_;
    return art;
  };
  return read;
}

bool FakeMediaSessionSource::SendCommand(MediaCommand command) {
  std::lock_guard guard(mutex_);
  if (readsFail_) throw std::runtime_error("media session command failed");
  if (!track_) return false;
  sent_.push_back(command);
  return commandResult_;
}

void FakeMediaSessionSource::InjectMediaKey(MediaCommand command) {
  std::lock_guard guard(mutex_);
  injected_.push_back(command);
}

}  // namespace orvane
