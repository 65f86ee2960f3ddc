#pragma once
// The user notification listener (Windows.UI.Notifications.Management) and
// what it hands out: the shown notifications (Windows.UI.Notifications), the
// sending app (Windows.ApplicationModel) and Windows.Foundation.DateTime.
// The mingw-w64 headers lack all of them.
//
// Where the IIDs, slot order and enum values were checked:
// - Windows.UI.Notifications (IUserNotification, INotification,
//   INotificationVisual, INotificationBinding, IAdaptiveNotificationText,
//   IKnownNotificationBindingsStatics, NotificationKinds): the Wine IDL
//   (include/windows.ui.notifications.idl); IIDs also against the C++/WinRT
//   projection headers published by Microsoft
//   (microsoft/cppwinrt, Windows.UI.Notifications.0.h for SDK 10.0.15063).
// - Windows.UI.Notifications.Management, which Wine lacks: the Windows SDK's
//   public windows.ui.notifications.management.h (as recompiled in
//   microsoft/win32metadata) and microsoft/cppwinrt
//   Windows.UI.Notifications.Management.0.h.
// - IAppInfo, which Wine lacks: microsoft/cppwinrt
//   Windows.ApplicationModel.0.h (guid and ABI slot order). IAppDisplayInfo:
//   the Wine IDL (include/windows.applicationmodel.idl), and the same header.
// - DateTime: the Wine IDL (include/windows.foundation.idl).
//
// Every interface lists its methods in vtable order up to the last slot.
// Parameters of types the program never touches (IMap, IVector, IReference,
// event handlers) are declared as IInspectable / IUnknown pointers; the slot
// stays the same.

#include "platform/win32/winrt/WinRtBase.h"
#include "platform/win32/winrt/AsyncAbi.h"
#include "platform/win32/winrt/VectorViewAbi.h"

namespace orvane::winrt {

struct IRandomAccessStreamReference;  // StreamsAbi.h; only in a slot never called here

// Windows.Foundation.DateTime: 100-nanosecond ticks since 1601-01-01 UTC,
// the FILETIME scale.
struct DateTime {
  INT64 UniversalTime;
};
static_assert(sizeof(DateTime) == 8);

// Windows.UI.Notifications.NotificationKinds, a flags enum (unsigned in the
// metadata).
enum NotificationKinds : std::uint32_t {
  NotificationKinds_Unknown = 0x0,
  NotificationKinds_Toast = 0x1,
};

enum UserNotificationListenerAccessStatus : std::int32_t {
  UserNotificationListenerAccessStatus_Unspecified = 0,
  UserNotificationListenerAccessStatus_Allowed = 1,
  UserNotificationListenerAccessStatus_Denied = 2,
};

// ---------------------------------------------------- Windows.ApplicationModel

// Default interface of Windows.ApplicationModel.AppDisplayInfo.
struct IAppDisplayInfo : IInspectable {
  static constexpr GUID kIid{0x1aeb1103, 0xe4d4, 0x41aa, {0xa4, 0xf6, 0xc4, 0xa2, 0x76, 0xe7, 0x9e, 0xac}};
  virtual HRESULT STDMETHODCALLTYPE get_DisplayName(HSTRING* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Description(HSTRING* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetLogo(FoundationSize size, IRandomAccessStreamReference** value) = 0;
};

// Default interface of Windows.ApplicationModel.AppInfo.
struct IAppInfo : IInspectable {
  static constexpr GUID kIid{0xcf7f59b3, 0x6a09, 0x4de8, {0xa6, 0xc0, 0x57, 0x92, 0xd5, 0x68, 0x80, 0xd1}};
  virtual HRESULT STDMETHODCALLTYPE get_Id(HSTRING* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_AppUserModelId(HSTRING* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_DisplayInfo(IAppDisplayInfo** value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_PackageFamilyName(HSTRING* value) = 0;
};

// ------------------------------------------------- Windows.UI.Notifications

// Default interface of Windows.UI.Notifications.AdaptiveNotificationText.
struct IAdaptiveNotificationText : IInspectable {
  static constexpr GUID kIid{0x46d4a3be, 0x609a, 0x4326, {0xa4, 0x0b, 0xbf, 0xde, 0x87, 0x20, 0x34, 0xa3}};
  virtual HRESULT STDMETHODCALLTYPE get_Text(HSTRING* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Text(HSTRING value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Language(HSTRING* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Language(HSTRING value) = 0;
};

// Default interface of Windows.UI.Notifications.NotificationBinding.
struct INotificationBinding : IInspectable {
  static constexpr GUID kIid{0xf29e4b85, 0x0370, 0x4ad3, {0xb4, 0xea, 0xda, 0x9e, 0x35, 0xe7, 0xea, 0xbf}};
  virtual HRESULT STDMETHODCALLTYPE get_Template(HSTRING* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Template(HSTRING value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Language(HSTRING* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Language(HSTRING value) = 0;
  // IMap<HSTRING, HSTRING>, never read.
  virtual HRESULT STDMETHODCALLTYPE get_Hints(IInspectable** value) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetTextElements(IVectorView<IAdaptiveNotificationText*>** result) = 0;
};

// Default interface of Windows.UI.Notifications.NotificationVisual.
struct INotificationVisual : IInspectable {
  static constexpr GUID kIid{0x68835b8e, 0xaa56, 0x4e11, {0x86, 0xd3, 0x5f, 0x9a, 0x69, 0x57, 0xbc, 0x5b}};
  virtual HRESULT STDMETHODCALLTYPE get_Language(HSTRING* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Language(HSTRING value) = 0;
  // IVector<NotificationBinding>, never read.
  virtual HRESULT STDMETHODCALLTYPE get_Bindings(IInspectable** value) = 0;
  // Null when the notification has no binding with that template name.
  virtual HRESULT STDMETHODCALLTYPE GetBinding(HSTRING templateName, INotificationBinding** result) = 0;
};

// Default interface of Windows.UI.Notifications.Notification.
struct INotification : IInspectable {
  static constexpr GUID kIid{0x108037fe, 0xeb76, 0x4f82, {0x97, 0xbc, 0xda, 0x07, 0x53, 0x0a, 0x2e, 0x20}};
  // IReference<DateTime>, never read or written.
  virtual HRESULT STDMETHODCALLTYPE get_ExpirationTime(IInspectable** value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_ExpirationTime(IInspectable* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Visual(INotificationVisual** value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Visual(INotificationVisual* value) = 0;
};

// Statics of Windows.UI.Notifications.KnownNotificationBindings.
struct IKnownNotificationBindingsStatics : IInspectable {
  static constexpr GUID kIid{0x79427bae, 0xa8b7, 0x4d58, {0x89, 0xea, 0x76, 0xa7, 0xb7, 0xbc, 0xcd, 0xed}};
  virtual HRESULT STDMETHODCALLTYPE get_ToastGeneric(HSTRING* value) = 0;
};

// Default interface of Windows.UI.Notifications.UserNotification: one
// notification as the listener sees it.
struct IUserNotification : IInspectable {
  static constexpr GUID kIid{0xadf7e52f, 0x4e53, 0x42d5, {0x9c, 0x33, 0xeb, 0x5e, 0xa5, 0x15, 0xb2, 0x3e}};
  virtual HRESULT STDMETHODCALLTYPE get_Notification(INotification** value) = 0;
  // Null for notifications the system sends itself.
  virtual HRESULT STDMETHODCALLTYPE get_AppInfo(IAppInfo** value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Id(UINT32* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_CreationTime(DateTime* value) = 0;
};

// ------------------------------------- Windows.UI.Notifications.Management

// Default interface of Windows.UI.Notifications.Management.UserNotificationListener.
struct IUserNotificationListener : IInspectable {
  static constexpr GUID kIid{0x62553e41, 0x8a06, 0x4cef, {0x82, 0x15, 0x60, 0x33, 0xa5, 0xbe, 0x4b, 0x03}};
  virtual HRESULT STDMETHODCALLTYPE RequestAccessAsync(
      IAsyncOperation<UserNotificationListenerAccessStatus>** operation) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetAccessStatus(UserNotificationListenerAccessStatus* result) = 0;
  // TypedEventHandler<UserNotificationListener, UserNotificationChangedEventArgs>;
  // never subscribed.
  virtual HRESULT STDMETHODCALLTYPE add_NotificationChanged(IUnknown* handler, EventRegistrationToken* token) = 0;
  virtual HRESULT STDMETHODCALLTYPE remove_NotificationChanged(EventRegistrationToken token) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetNotificationsAsync(
      NotificationKinds kinds, IAsyncOperation<IVectorView<IUserNotification*>*>** operation) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetNotification(UINT32 notificationId, IUserNotification** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE ClearNotifications() = 0;
  virtual HRESULT STDMETHODCALLTYPE RemoveNotification(UINT32 notificationId) = 0;
};

// Statics of Windows.UI.Notifications.Management.UserNotificationListener.
struct IUserNotificationListenerStatics : IInspectable {
  static constexpr GUID kIid{0xff6123cf, 0x4386, 0x4aa3, {0xb7, 0x3d, 0xb8, 0x04, 0xe5, 0xb6, 0x3b, 0x23}};
  virtual HRESULT STDMETHODCALLTYPE get_Current(IUserNotificationListener** value) = 0;
};

inline constexpr wchar_t kUserNotificationListenerClass[] =
    L"Windows.UI.Notifications.Management.UserNotificationListener";
inline constexpr wchar_t kKnownNotificationBindingsClass[] = L"Windows.UI.Notifications.KnownNotificationBindings";

}  // namespace orvane::winrt
