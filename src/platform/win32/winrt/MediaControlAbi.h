#pragma once
// Windows.Media.Control: the system media transport controls sessions, which
// the mingw-w64 headers lack (no public Wine IDL exists for them either).
// IIDs, slot order and enum values checked against the Windows SDK's public
// windows.media.control.h (Windows.Foundation.UniversalApiContract 7.0);
// every interface declared up to the last slot used.

#include "platform/win32/winrt/WinRtBase.h"
#include "platform/win32/winrt/AsyncAbi.h"
#include "platform/win32/winrt/VectorViewAbi.h"
#include "platform/win32/winrt/StreamsAbi.h"

namespace orvane::winrt {

// Windows.Foundation.TimeSpan (layout from the Wine IDL,
// include/windows.foundation.idl): 100-nanosecond ticks.
struct TimeSpan {
  INT64 Duration;
};

enum GlobalSystemMediaTransportControlsSessionPlaybackStatus : std::int32_t {
  PlaybackStatus_Closed = 0,
  PlaybackStatus_Opened = 1,
  PlaybackStatus_Changing = 2,
  PlaybackStatus_Stopped = 3,
  PlaybackStatus_Playing = 4,
  PlaybackStatus_Paused = 5,
};

struct IGlobalSystemMediaTransportControlsSessionTimelineProperties : IInspectable {
  static constexpr GUID kIid{0xede34136, 0x6f25, 0x588d, {0x8e, 0xcf, 0xea, 0x5b, 0x67, 0x35, 0xaa, 0xa5}};
  virtual HRESULT STDMETHODCALLTYPE get_StartTime(TimeSpan* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_EndTime(TimeSpan* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_MinSeekTime(TimeSpan* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_MaxSeekTime(TimeSpan* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Position(TimeSpan* value) = 0;
};

struct IGlobalSystemMediaTransportControlsSessionPlaybackInfo : IInspectable {
  static constexpr GUID kIid{0x94b4b6cf, 0xe8ba, 0x51ad, {0x87, 0xa7, 0xc1, 0x0a, 0xde, 0x10, 0x61, 0x27}};
  // IGlobalSystemMediaTransportControlsSessionPlaybackControls, never read.
  virtual HRESULT STDMETHODCALLTYPE get_Controls(IInspectable** value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_PlaybackStatus(
      GlobalSystemMediaTransportControlsSessionPlaybackStatus* value) = 0;
};

struct IGlobalSystemMediaTransportControlsSessionMediaProperties : IInspectable {
  static constexpr GUID kIid{0x68856cf6, 0xadb4, 0x54b2, {0xac, 0x16, 0x05, 0x83, 0x79, 0x07, 0xac, 0xb6}};
  virtual HRESULT STDMETHODCALLTYPE get_Title(HSTRING* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Subtitle(HSTRING* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_AlbumArtist(HSTRING* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Artist(HSTRING* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_AlbumTitle(HSTRING* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_TrackNumber(INT32* value) = 0;
  // IVectorView<HSTRING>, never read.
  virtual HRESULT STDMETHODCALLTYPE get_Genres(IInspectable** value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_AlbumTrackCount(INT32* value) = 0;
  // IReference<MediaPlaybackType>, never read.
  virtual HRESULT STDMETHODCALLTYPE get_PlaybackType(IInspectable** value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Thumbnail(IRandomAccessStreamReference** value) = 0;
};

struct IGlobalSystemMediaTransportControlsSession : IInspectable {
  static constexpr GUID kIid{0x7148c835, 0x9b14, 0x5ae2, {0xab, 0x85, 0xdc, 0x9b, 0x1c, 0x14, 0xe1, 0xa8}};
  virtual HRESULT STDMETHODCALLTYPE get_SourceAppUserModelId(HSTRING* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE TryGetMediaPropertiesAsync(
      IAsyncOperation<IGlobalSystemMediaTransportControlsSessionMediaProperties*>** operation) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetTimelineProperties(
      IGlobalSystemMediaTransportControlsSessionTimelineProperties** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetPlaybackInfo(IGlobalSystemMediaTransportControlsSessionPlaybackInfo** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE TryPlayAsync(IAsyncOperation<boolean>** operation) = 0;
  virtual HRESULT STDMETHODCALLTYPE TryPauseAsync(IAsyncOperation<boolean>** operation) = 0;
  virtual HRESULT STDMETHODCALLTYPE TryStopAsync(IAsyncOperation<boolean>** operation) = 0;
  virtual HRESULT STDMETHODCALLTYPE TryRecordAsync(IAsyncOperation<boolean>** operation) = 0;
  virtual HRESULT STDMETHODCALLTYPE TryFastForwardAsync(IAsyncOperation<boolean>** operation) = 0;
  virtual HRESULT STDMETHODCALLTYPE TryRewindAsync(IAsyncOperation<boolean>** operation) = 0;
  virtual HRESULT STDMETHODCALLTYPE TrySkipNextAsync(IAsyncOperation<boolean>** operation) = 0;
  virtual HRESULT STDMETHODCALLTYPE TrySkipPreviousAsync(IAsyncOperation<boolean>** operation) = 0;
  virtual HRESULT STDMETHODCALLTYPE TryChangeChannelUpAsync(IAsyncOperation<boolean>** operation) = 0;
  virtual HRESULT STDMETHODCALLTYPE TryChangeChannelDownAsync(IAsyncOperation<boolean>** operation) = 0;
  virtual HRESULT STDMETHODCALLTYPE TryTogglePlayPauseAsync(IAsyncOperation<boolean>** operation) = 0;
};

struct IGlobalSystemMediaTransportControlsSessionManager : IInspectable {
  static constexpr GUID kIid{0xcace8eac, 0xe86e, 0x504a, {0xab, 0x31, 0x5f, 0xf8, 0xff, 0x1b, 0xce, 0x49}};
  virtual HRESULT STDMETHODCALLTYPE GetCurrentSession(IGlobalSystemMediaTransportControlsSession** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetSessions(
      IVectorView<IGlobalSystemMediaTransportControlsSession*>** result) = 0;
};

struct IGlobalSystemMediaTransportControlsSessionManagerStatics : IInspectable {
  static constexpr GUID kIid{0x2050c4ee, 0x11a0, 0x57de, {0xae, 0xd7, 0xc9, 0x7c, 0x70, 0x33, 0x82, 0x45}};
  virtual HRESULT STDMETHODCALLTYPE RequestAsync(
      IAsyncOperation<IGlobalSystemMediaTransportControlsSessionManager*>** operation) = 0;
};

inline constexpr wchar_t kSessionManagerClass[] = L"Windows.Media.Control.GlobalSystemMediaTransportControlsSessionManager";

}  // namespace orvane::winrt
