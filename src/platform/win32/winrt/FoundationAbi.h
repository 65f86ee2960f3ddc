#pragma once
// Windows.Foundation boxed values and the Windows.System dispatcher queue,
// plus the C entry point of CoreMessaging that creates a queue for the
// current thread.

#include "platform/win32/winrt/WinRtBase.h"

namespace orvane::winrt {

struct IAsyncAction;  // Windows.Foundation.IAsyncAction, never called here

// A boxed value. Only passed through (from IPropertyValueStatics to the
// compositor), so no methods are declared. IID checked against the Wine IDL
// (include/windows.foundation.idl).
struct IPropertyValue : IInspectable {
  static constexpr GUID kIid{0x4bd682dd, 0x7554, 0x40e9, {0x9a, 0x9b, 0x82, 0x65, 0x4e, 0xde, 0x7e, 0x62}};
};

// Statics of Windows.Foundation.PropertyValue. Order checked against the Wine
// IDL (include/windows.foundation.idl), declared up to the last slot used.
struct IPropertyValueStatics : IInspectable {
  static constexpr GUID kIid{0x629bdbc8, 0xd932, 0x4ff4, {0x96, 0xb9, 0x8d, 0x96, 0xc5, 0xc1, 0xe8, 0x58}};
  virtual HRESULT STDMETHODCALLTYPE CreateEmpty(IInspectable** propertyValue) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateUInt8(BYTE value, IInspectable** propertyValue) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateInt16(INT16 value, IInspectable** propertyValue) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateUInt16(UINT16 value, IInspectable** propertyValue) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateInt32(INT32 value, IInspectable** propertyValue) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateUInt32(UINT32 value, IInspectable** propertyValue) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateInt64(INT64 value, IInspectable** propertyValue) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateUInt64(UINT64 value, IInspectable** propertyValue) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateSingle(FLOAT value, IInspectable** propertyValue) = 0;
};

// Windows.System.DispatcherQueue; only held and compared with null. IID
// checked against the Wine IDL (include/windows.system.idl).
struct IDispatcherQueue : IInspectable {
  static constexpr GUID kIid{0x603e88e4, 0xa338, 0x4ffe, {0xa4, 0x57, 0xa5, 0xcf, 0xb9, 0xce, 0xb8, 0x99}};
};

// Order checked against the Wine IDL (include/windows.system.idl).
struct IDispatcherQueueStatics : IInspectable {
  static constexpr GUID kIid{0xa96d83d7, 0x9371, 0x4517, {0x92, 0x45, 0xd0, 0x82, 0x4a, 0xc1, 0x2c, 0x74}};
  virtual HRESULT STDMETHODCALLTYPE GetForCurrentThread(IDispatcherQueue** result) = 0;
};

// Order checked against the Wine IDL (include/windows.system.idl). Kept alive
// for the life of the compositor; nothing is called on it.
struct IDispatcherQueueController : IInspectable {
  static constexpr GUID kIid{0x22f34e66, 0x50db, 0x4e36, {0xa9, 0x8d, 0x61, 0xc0, 0x1b, 0x38, 0x4d, 0x20}};
  virtual HRESULT STDMETHODCALLTYPE get_DispatcherQueue(IDispatcherQueue** value) = 0;
  virtual HRESULT STDMETHODCALLTYPE ShutdownQueueAsync(IAsyncAction** operation) = 0;
};

// CoreMessaging's CreateDispatcherQueueController (dispatcherqueue.h).
enum DISPATCHERQUEUE_THREAD_APARTMENTTYPE : std::int32_t {
  DQTAT_COM_NONE = 0,
  DQTAT_COM_ASTA = 1,
  DQTAT_COM_STA = 2,
};
enum DISPATCHERQUEUE_THREAD_TYPE : std::int32_t {
  DQTYPE_THREAD_DEDICATED = 1,
  DQTYPE_THREAD_CURRENT = 2,
};
struct DispatcherQueueOptions {
  DWORD dwSize;
  DISPATCHERQUEUE_THREAD_TYPE threadType;
  DISPATCHERQUEUE_THREAD_APARTMENTTYPE apartmentType;
};
static_assert(sizeof(DispatcherQueueOptions) == 12);

using CreateDispatcherQueueControllerFn = HRESULT(WINAPI*)(DispatcherQueueOptions options,
                                                           IDispatcherQueueController** controller);

}  // namespace orvane::winrt
