#pragma once
// Windows Runtime plumbing: owned HSTRINGs and class activation through
// RoGetActivationFactory / RoActivateInstance.

#include <windows.h>
#include <roapi.h>
#include <winstring.h>

#include <string>
#include <string_view>

#include "platform/win32/ComPtr.h"

namespace orvane {

// An HSTRING owned by this object (WindowsCreateString/WindowsDeleteString).
class HString {
 public:
  HString() = default;
  explicit HString(std::wstring_view text);  // throws on failure
  ~HString();
  HString(const HString&) = delete;
  HString& operator=(const HString&) = delete;
  HString(HString&& other) noexcept : value_(std::exchange(other.value_, nullptr)) {}
  HString& operator=(HString&& other) noexcept;

  HSTRING Get() const { return value_; }
  // For out-parameters: frees the current string first.
  HSTRING* Put();

 private:
  HSTRING value_ = nullptr;
};

// The text of any HSTRING (null is the empty string).
std::wstring ToWString(HSTRING value);

// The activation factory (or statics interface) T of a runtime class.
HRESULT TryGetActivationFactory(std::wstring_view classId, const IID& iid, void** factory);

template <class T>
ComPtr<T> GetActivationFactory(std::wstring_view classId,
                               std::source_location where = std::source_location::current()) {
  ComPtr<T> factory;
  ThrowIfFailed(TryGetActivationFactory(classId, IidOf<T>(), factory.PutVoid()), where);
  return factory;
}

// A new instance of a runtime class with a default constructor, as T.
HRESULT TryActivateInstance(std::wstring_view classId, const IID& iid, void** instance);

}  // namespace orvane
