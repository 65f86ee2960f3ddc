#pragma once
// Windows.Foundation.Collections interfaces the system services read.

#include "render/win32/winrt/WinRtBase.h"

namespace orvane::winrt {

// IVectorView<T>: parameterised, so its IID depends on T and it is never
// queried for; a method that hands one out already returns this interface.
// TAbi is the ABI form of an element (an interface pointer for objects).
// Slot order checked against the Wine IDL
// (include/windows.foundation.collections.idl).
template <class TAbi>
struct IVectorView : IInspectable {
  virtual HRESULT STDMETHODCALLTYPE GetAt(UINT32 index, TAbi* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Size(UINT32* value) = 0;
};

}  // namespace orvane::winrt
