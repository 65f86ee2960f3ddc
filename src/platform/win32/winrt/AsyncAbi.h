#pragma once
// Windows.Foundation asynchronous operations as *Async methods hand them out.

#include <windows.h>
#include <inspectable.h>

namespace orvane {

namespace winrt {

// Windows.Foundation.IAsyncOperation<TResult>. A parameterised interface: its
// IID differs per TResult, so it is never queried for; the pointer a *Async
// method hands back already is this interface. TResultAbi is the ABI form of
// the result: boolean, an enum, or an interface pointer. Slot order checked
// against the Wine IDL (include/windows.foundation.collections.idl). The handler
// parameters are IAsyncOperationCompletedHandler<TResult>, never used here.
template <class TResultAbi>
struct IAsyncOperation : IInspectable {
  virtual HRESULT STDMETHODCALLTYPE put_Completed(IUnknown* handler) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Completed(IUnknown** handler) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetResults(TResultAbi* results) = 0;
};

// Windows.Foundation.IAsyncOperationWithProgress<TResult, TProgress>, likewise
// parameterised. Slot order checked against the Windows SDK's public
// windows.foundation.collections.h (IAsyncOperationWithProgress_impl); the
// progress and completion handlers are never used here.
template <class TResultAbi, class TProgressAbi>
struct IAsyncOperationWithProgress : IInspectable {
  virtual HRESULT STDMETHODCALLTYPE put_Progress(IUnknown* handler) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Progress(IUnknown** handler) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Completed(IUnknown* handler) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Completed(IUnknown** handler) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetResults(TResultAbi* results) = 0;
};

}  // namespace winrt

}  // namespace orvane
