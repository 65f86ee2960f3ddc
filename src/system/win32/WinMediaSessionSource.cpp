#include "system/win32/WinMediaSessionSource.h"

#include <windows.h>

#include <chrono>
#include <span>

#include "platform/win32/WinRt.h"
#include "system/win32/WicPictureFile.h"
#include "system/win32/WinRtAsync.h"
#include "platform/win32/winrt/MediaControlAbi.h"

namespace orvane {
namespace {

using namespace winrt;
using Session = IGlobalSystemMediaTransportControlsSession;

// No call into the media service may hold a worker (and with it the poll's
// busy flag) forever.
constexpr std::chrono::milliseconds kCallTimeout{5000};

constexpr double kTicksPerSecond = 1e7;  // TimeSpan counts 100 ns


// The current session, or the first one when none is current; empty when
// there is none at all.
ComPtr<Session> FindSession() {
  auto statics = GetActivationFactory<IGlobalSystemMediaTransportControlsSessionManagerStatics>(kSessionManagerClass);
  ComPtr<IAsyncOperation<IGlobalSystemMediaTransportControlsSessionManager*>> request;
  ThrowIfFailed(statics->RequestAsync(request.Put()));
  ComPtr<IGlobalSystemMediaTransportControlsSessionManager> manager = AwaitObject(request.Get(), kCallTimeout);
  if (!manager) return {};

  ComPtr<Session> session;
  ThrowIfFailed(manager->GetCurrentSession(session.Put()));
  if (session) return session;
  ComPtr<IVectorView<Session*>> sessions;
  ThrowIfFailed(manager->GetSessions(sessions.Put()));
  UINT32 count = 0;
  if (sessions && SUCCEEDED(sessions->get_Size(&count)) && count > 0) {
    ThrowIfFailed(sessions->GetAt(0, session.Put()));
  }
  return session;
}

double Seconds(const TimeSpan& span) { return static_cast<double>(span.Duration) / kTicksPerSecond; }

IconImage ReadThumbnail(IRandomAccessStreamReference* thumbnail) {
  if (thumbnail == nullptr) return {};
  ComPtr<IAsyncOperation<IRandomAccessStreamWithContentType*>> open;
  ThrowIfFailed(thumbnail->OpenReadAsync(open.Put()));
  ComPtr<IRandomAccessStreamWithContentType> stream = AwaitObject(open.Get(), kCallTimeout);
  if (!stream) return {};

  UINT64 size = 0;
  ThrowIfFailed(stream.As<IRandomAccessStream>()->get_Size(&size));
  if (size == 0 || size > kMaxCoverArtBytes) return {};

  auto factory = GetActivationFactory<IBufferFactory>(L"Windows.Storage.Streams.Buffer");
  ComPtr<IBuffer> buffer;
  ThrowIfFailed(factory->Create(static_cast<UINT32>(size), buffer.Put()));
  ComPtr<IAsyncOperationWithProgress<IBuffer*, UINT32>> read;
  ThrowIfFailed(stream.As<IInputStream>()->ReadAsync(buffer.Get(), static_cast<UINT32>(size),
                                                     InputStreamOptions_None, read.Put()));
  ComPtr<IBuffer> filled = AwaitObject(read.Get(), kCallTimeout);
  if (!filled) return {};

  UINT32 length = 0;
  BYTE* bytes = nullptr;
  ThrowIfFailed(filled->get_Length(&length));
  ThrowIfFailed(filled.As<IBufferByteAccess>()->Buffer(&bytes));
  if (bytes == nullptr || length == 0) return {};
  return DecodePictureBytes(std::span<const std::uint8_t>(bytes, length));
}

class WinMediaSessionSource final : public MediaSessionSource {
 public:
  std::unique_ptr<ThreadScope> EnterWorkerThread() override { return std::make_unique<ApartmentScope>(); }

  std::unique_ptr<MediaSessionRead> ReadCurrentSession() override {
    ComPtr<Session> session = FindSession();
    if (!session) return nullptr;

    ComPtr<IGlobalSystemMediaTransportControlsSessionPlaybackInfo> playback;
    ThrowIfFailed(session->GetPlaybackInfo(playback.Put()));
    GlobalSystemMediaTransportControlsSessionPlaybackStatus status = PlaybackStatus_Closed;
    ThrowIfFailed(playback->get_PlaybackStatus(&status));
    if (status == PlaybackStatus_Closed) return nullptr;

    auto read = std::make_unique<MediaSessionRead>();
    read->isPlaying = status == PlaybackStatus_Playing;
    HString aumid;
    ThrowIfFailed(session->get_SourceAppUserModelId(aumid.Put()));
    read->appUserModelId = ToWString(aumid.Get());

    ComPtr<IGlobalSystemMediaTransportControlsSessionTimelineProperties> timeline;
    ThrowIfFailed(session->GetTimelineProperties(timeline.Put()));
    TimeSpan position{};
    TimeSpan end{};
    ThrowIfFailed(timeline->get_Position(&position));
    ThrowIfFailed(timeline->get_EndTime(&end));
    read->position = Seconds(position);
    read->duration = Seconds(end);

    ComPtr<IAsyncOperation<IGlobalSystemMediaTransportControlsSessionMediaProperties*>> request;
    ThrowIfFailed(session->TryGetMediaPropertiesAsync(request.Put()));
    ComPtr<IGlobalSystemMediaTransportControlsSessionMediaProperties> properties =
        AwaitObject(request.Get(), kCallTimeout);
    if (properties) {
      HString title;
      HString artist;
      ThrowIfFailed(properties->get_Title(title.Put()));
      ThrowIfFailed(properties->get_Artist(artist.Put()));
      read->title = ToWString(title.Get());
      read->artist = ToWString(artist.Get());
      ComPtr<IRandomAccessStreamReference> thumbnail;
      if (SUCCEEDED(properties->get_Thumbnail(thumbnail.Put())) && thumbnail) {
        read->readCoverArt = [thumbnail] { return ReadThumbnail(thumbnail.Get()); };
      }
    }
    return read;
  }

  bool SendCommand(MediaCommand command) override {
    ComPtr<Session> session = FindSession();
    if (!session) return false;
    ComPtr<IAsyncOperation<boolean>> operation;
    HRESULT hr = E_INVALIDARG;
    switch (command) {
      case MediaCommand::TogglePlayPause:
        hr = session->TryTogglePlayPauseAsync(operation.Put());
        break;
      case MediaCommand::Next:
        hr = session->TrySkipNextAsync(operation.Put());
        break;
      case MediaCommand::Previous:
        hr = session->TrySkipPreviousAsync(operation.Put());
        break;
    }
    if (FAILED(hr)) return false;
    return AwaitValue(operation.Get(), kCallTimeout) != 0;
  }

  void InjectMediaKey(MediaCommand command) override {
    INPUT inputs[2] = {};
    for (INPUT& input : inputs) {
      input.type = INPUT_KEYBOARD;
      input.ki.wVk = MediaKeyCode(command);
    }
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
  }

 private:
  class ApartmentScope final : public ThreadScope {
    MultithreadedApartment apartment_;
  };
};

}  // namespace

std::shared_ptr<MediaSessionSource> CreateWinMediaSessionSource() { return std::make_shared<WinMediaSessionSource>(); }

}  // namespace orvane
