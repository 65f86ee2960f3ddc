#pragma once
// Windows.Storage.Streams interfaces for reading a stream reference (cover
// art thumbnails) into memory. The mingw-w64 header declares IBuffer and
// IBufferFactory but cannot be included from C++ (its windows.foundation.h
// uses an enum before declaring it), so they are declared here as well.
// IBuffer and IBufferFactory checked against the Wine IDL
// (include/windows.storage.streams.idl); the others, which Wine lacks,
// against the Windows SDK's public windows.storage.streams.h and robuffer.h.
// Every interface is declared up to the last slot used.

#include "platform/win32/winrt/WinRtBase.h"
#include "platform/win32/winrt/AsyncAbi.h"

namespace orvane::winrt {

struct IBuffer : IInspectable {
  static constexpr GUID kIid{0x905a0fe0, 0xbc53, 0x11df, {0x8c, 0x49, 0x00, 0x1e, 0x4f, 0xc6, 0x86, 0xda}};
  virtual HRESULT STDMETHODCALLTYPE get_Capacity(UINT32* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Length(UINT32* value) = 0;
};

// Activation factory of Windows.Storage.Streams.Buffer.
struct IBufferFactory : IInspectable {
  static constexpr GUID kIid{0x71af914d, 0xc10f, 0x484b, {0xbc, 0x50, 0x14, 0xbc, 0x62, 0x3b, 0x3a, 0x27}};
  virtual HRESULT STDMETHODCALLTYPE Create(UINT32 capacity, IBuffer** value) = 0;
};

enum InputStreamOptions : std::int32_t {
  InputStreamOptions_None = 0,
  InputStreamOptions_Partial = 1,
  InputStreamOptions_ReadAhead = 2,
};

// Only queried for IRandomAccessStream and IInputStream; no own methods.
struct IRandomAccessStreamWithContentType : IInspectable {
  static constexpr GUID kIid{0xcc254827, 0x4b3d, 0x438f, {0x92, 0x32, 0x10, 0xc7, 0x6b, 0xc7, 0xe0, 0x38}};
};

struct IRandomAccessStreamReference : IInspectable {
  static constexpr GUID kIid{0x33ee3134, 0x1dd6, 0x4e3a, {0x80, 0x67, 0xd1, 0xc1, 0x62, 0xe8, 0x64, 0x2b}};
  virtual HRESULT STDMETHODCALLTYPE OpenReadAsync(
      IAsyncOperation<IRandomAccessStreamWithContentType*>** operation) = 0;
};

struct IRandomAccessStream : IInspectable {
  static constexpr GUID kIid{0x905a0fe1, 0xbc53, 0x11df, {0x8c, 0x49, 0x00, 0x1e, 0x4f, 0xc6, 0x86, 0xda}};
  virtual HRESULT STDMETHODCALLTYPE get_Size(UINT64* value) = 0;
};

struct IInputStream : IInspectable {
  static constexpr GUID kIid{0x905a0fe2, 0xbc53, 0x11df, {0x8c, 0x49, 0x00, 0x1e, 0x4f, 0xc6, 0x86, 0xda}};
  virtual HRESULT STDMETHODCALLTYPE ReadAsync(IBuffer* buffer, UINT32 count, InputStreamOptions options,
                                              IAsyncOperationWithProgress<IBuffer*, UINT32>** operation) = 0;
};

// The bytes behind an IBuffer (a classic COM interface, not IInspectable).
struct IBufferByteAccess : IUnknown {
  static constexpr GUID kIid{0x905a0fef, 0xbc53, 0x11df, {0x8c, 0x49, 0x00, 0x1e, 0x4f, 0xc6, 0x86, 0xda}};
  virtual HRESULT STDMETHODCALLTYPE Buffer(BYTE** value) = 0;
};

}  // namespace orvane::winrt
