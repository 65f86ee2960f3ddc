#include "platform/win32/WinRt.h"

namespace orvane {

HString::HString(std::wstring_view text) {
  ThrowIfFailed(WindowsCreateString(text.data(), static_cast<UINT32>(text.size()), &value_));
}

HString::~HString() {
  if (value_ != nullptr) WindowsDeleteString(value_);
}

HString& HString::operator=(HString&& other) noexcept {
  if (this != &other) {
    if (value_ != nullptr) WindowsDeleteString(value_);
    value_ = std::exchange(other.value_, nullptr);
  }
  return *this;
}

HSTRING* HString::Put() {
  if (value_ != nullptr) WindowsDeleteString(value_);
  value_ = nullptr;
  return &value_;
}

std::wstring ToWString(HSTRING value) {
  UINT32 length = 0;
  const wchar_t* text = WindowsGetStringRawBuffer(value, &length);
  return text != nullptr ? std::wstring(text, length) : std::wstring();
}

HRESULT TryGetActivationFactory(std::wstring_view classId, const IID& iid, void** factory) {
  *factory = nullptr;
  HSTRING name = nullptr;
  HRESULT hr = WindowsCreateString(classId.data(), static_cast<UINT32>(classId.size()), &name);
  if (FAILED(hr)) return hr;
  hr = RoGetActivationFactory(name, iid, factory);
  WindowsDeleteString(name);
  return hr;
}

HRESULT TryActivateInstance(std::wstring_view classId, const IID& iid, void** instance) {
  *instance = nullptr;
  HSTRING name = nullptr;
  HRESULT hr = WindowsCreateString(classId.data(), static_cast<UINT32>(classId.size()), &name);
  if (FAILED(hr)) return hr;
  IInspectable* inspectable = nullptr;
  hr = RoActivateInstance(name, &inspectable);
  WindowsDeleteString(name);
  if (FAILED(hr)) return hr;
  hr = inspectable->QueryInterface(iid, instance);
  inspectable->Release();
  return hr;
}

}  // namespace orvane
