#include "system/win32/Win32Radios.h"

#include <chrono>

#include "platform/win32/WinRt.h"
#include "system/win32/WinRtAsync.h"
#include "platform/win32/winrt/RadiosAbi.h"

namespace orvane {
namespace {

// The radio service answers within a second or two; the bound only keeps a
// stuck service from freezing the UI thread, which waits for it.
constexpr std::chrono::milliseconds kRadioOperationTimeout{15000};

class Win32Radio : public Radio {
 public:
  explicit Win32Radio(ComPtr<winrt::IRadio> radio) : radio_(std::move(radio)) {}

  RadioKind Kind() override {
    winrt::RadioKind kind = winrt::RadioKind_Other;
    ThrowIfFailed(radio_->get_Kind(&kind));
    return static_cast<RadioKind>(kind);
  }

  bool IsOn() override {
    winrt::RadioState state = winrt::RadioState_Unknown;
    ThrowIfFailed(radio_->get_State(&state));
    return state == winrt::RadioState_On;
  }

  RadioAccess SetState(bool on) override {
    ComPtr<winrt::IAsyncOperation<winrt::RadioAccessStatus>> operation;
    ThrowIfFailed(radio_->SetStateAsync(on ? winrt::RadioState_On : winrt::RadioState_Off, operation.Put()));
    return static_cast<RadioAccess>(AwaitValue(operation.Get(), kRadioOperationTimeout));
  }

 private:
  ComPtr<winrt::IRadio> radio_;
};

}  // namespace

std::vector<std::unique_ptr<Radio>> ListWin32Radios() {
  const auto statics = GetActivationFactory<winrt::IRadioStatics>(winrt::kRadioClassName);
  ComPtr<winrt::IAsyncOperation<winrt::IVectorView<winrt::IRadio*>*>> operation;
  ThrowIfFailed(statics->GetRadiosAsync(operation.Put()));
  const ComPtr<winrt::IVectorView<winrt::IRadio*>> list = AwaitObject(operation.Get(), kRadioOperationTimeout);

  std::vector<std::unique_ptr<Radio>> radios;
  if (!list) return radios;
  UINT32 count = 0;
  ThrowIfFailed(list->get_Size(&count));
  for (UINT32 i = 0; i < count; ++i) {
    ComPtr<winrt::IRadio> radio;
    ThrowIfFailed(list->GetAt(i, radio.Put()));
    if (radio) radios.push_back(std::make_unique<Win32Radio>(std::move(radio)));
  }
  return radios;
}

RadioAccess RequestWin32RadioAccess() {
  const auto statics = GetActivationFactory<winrt::IRadioStatics>(winrt::kRadioClassName);
  ComPtr<winrt::IAsyncOperation<winrt::RadioAccessStatus>> operation;
  ThrowIfFailed(statics->RequestAccessAsync(operation.Put()));
  return static_cast<RadioAccess>(AwaitValue(operation.Get(), kRadioOperationTimeout));
}

}  // namespace orvane
