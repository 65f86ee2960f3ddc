#pragma once
// Windows.Devices.Radios: the radio statics and one radio. IIDs, enum values
// and slot order checked against the Wine IDL
// (include/windows.devices.radios.idl); every slot is declared.

#include "platform/win32/winrt/WinRtBase.h"
#include "platform/win32/winrt/AsyncAbi.h"
#include "platform/win32/winrt/VectorViewAbi.h"

namespace orvane::winrt {

enum RadioAccessStatus : std::int32_t {
  RadioAccessStatus_Unspecified = 0,
  RadioAccessStatus_Allowed = 1,
  RadioAccessStatus_DeniedByUser = 2,
  RadioAccessStatus_DeniedBySystem = 3,
};

enum RadioKind : std::int32_t {
  RadioKind_Other = 0,
  RadioKind_WiFi = 1,
  RadioKind_MobileBroadband = 2,
  RadioKind_Bluetooth = 3,
  RadioKind_FM = 4,
};

enum RadioState : std::int32_t {
  RadioState_Unknown = 0,
  RadioState_On = 1,
  RadioState_Off = 2,
  RadioState_Disabled = 3,
};

// Default interface of Windows.Devices.Radios.Radio.
struct IRadio : IInspectable {
  static constexpr GUID kIid{0x252118df, 0xb33e, 0x416a, {0x87, 0x5f, 0x1c, 0xf3, 0x8a, 0xe2, 0xd8, 0x3e}};
  virtual HRESULT STDMETHODCALLTYPE SetStateAsync(RadioState value,
                                                  IAsyncOperation<RadioAccessStatus>** operation) = 0;
  // TypedEventHandler<Radio, IInspectable>; never subscribed.
  virtual HRESULT STDMETHODCALLTYPE add_StateChanged(IUnknown* handler, EventRegistrationToken* token) = 0;
  virtual HRESULT STDMETHODCALLTYPE remove_StateChanged(EventRegistrationToken token) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_State(RadioState* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Name(HSTRING* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Kind(RadioKind* value) = 0;
};

// Statics of Windows.Devices.Radios.Radio.
struct IRadioStatics : IInspectable {
  static constexpr GUID kIid{0x5fb6a12e, 0x67cb, 0x46ae, {0xaa, 0xe9, 0x65, 0x91, 0x9f, 0x86, 0xef, 0xf4}};
  virtual HRESULT STDMETHODCALLTYPE GetRadiosAsync(IAsyncOperation<IVectorView<IRadio*>*>** operation) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetDeviceSelector(HSTRING* selector) = 0;
  virtual HRESULT STDMETHODCALLTYPE FromIdAsync(HSTRING deviceId, IAsyncOperation<IRadio*>** operation) = 0;
  virtual HRESULT STDMETHODCALLTYPE RequestAccessAsync(IAsyncOperation<RadioAccessStatus>** operation) = 0;
};

inline constexpr const wchar_t* kRadioClassName = L"Windows.Devices.Radios.Radio";

}  // namespace orvane::winrt
