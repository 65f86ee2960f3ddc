#pragma once
// Windows.Foundation.Collections.IVectorView<T>, a parameterised interface:
// its IID differs per element type, so it is never queried for. Methods
// returning one already hand back this interface. TAbi is the ABI form of
// the element (an interface pointer for runtime classes: their default
// interface). Slot order checked against the Wine IDL
// (include/windows.foundation.collections.idl).

#include "platform/win32/winrt/WinRtBase.h"

namespace orvane::winrt {

template <class TAbi>
struct IVectorView : IInspectable {
  virtual HRESULT STDMETHODCALLTYPE GetAt(UINT32 index, TAbi* item) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Size(UINT32* size) = 0;
  virtual HRESULT STDMETHODCALLTYPE IndexOf(TAbi item, UINT32* index, BOOLEAN* found) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetMany(UINT32 startIndex, UINT32 capacity, TAbi* items, UINT32* count) = 0;
};

}  // namespace orvane::winrt
