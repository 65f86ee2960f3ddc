#include "system/notifications/win32/UserNotificationListenerSource.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/WinRt.h"
#include "platform/win32/winrt/NotificationsAbi.h"
#include "system/FailureLog.h"
#include "system/notifications/ListenerToast.h"
#include "system/notifications/NotificationText.h"
#include "system/win32/WinRtAsync.h"

namespace orvane {
namespace {

using namespace winrt;

static_assert(static_cast<std::int32_t>(ListenerAccessStatus::Unspecified) ==
              UserNotificationListenerAccessStatus_Unspecified);
static_assert(static_cast<std::int32_t>(ListenerAccessStatus::Allowed) == UserNotificationListenerAccessStatus_Allowed);
static_assert(static_cast<std::int32_t>(ListenerAccessStatus::Denied) == UserNotificationListenerAccessStatus_Denied);

// The platform answers from memory within milliseconds; the bound keeps a
// stuck service from holding the feed's one poll, and every later one, for
// good.
constexpr std::chrono::milliseconds kListTimeout{3000};

// Fetched for every call rather than kept: the feed's workers are one-shot
// threads, and the multithreaded apartment a kept reference came from may
// have been torn down, with the objects it held, before the next worker
// starts.
ComPtr<IUserNotificationListener> CurrentListener() {
  const auto statics = GetActivationFactory<IUserNotificationListenerStatics>(kUserNotificationListenerClass);
  ComPtr<IUserNotificationListener> listener;
  ThrowIfFailed(statics->get_Current(listener.Put()));
  if (!listener) ThrowHResult(E_POINTER);
  return listener;
}

HString ToastGenericTemplate() {
  const auto statics = GetActivationFactory<IKnownNotificationBindingsStatics>(kKnownNotificationBindingsClass);
  HString name;
  ThrowIfFailed(statics->get_ToastGeneric(name.Put()));
  return name;
}

// Empty when the system sent the toast itself (no app) or the app has no
// display information.
std::wstring SenderName(IUserNotification& notification) {
  ComPtr<IAppInfo> app;
  ThrowIfFailed(notification.get_AppInfo(app.Put()));
  if (!app) return {};
  ComPtr<IAppDisplayInfo> display;
  ThrowIfFailed(app->get_DisplayInfo(display.Put()));
  if (!display) return {};
  HString name;
  ThrowIfFailed(display->get_DisplayName(name.Put()));
  return ToWString(name.Get());
}

// The text elements of the generic toast binding; none for a toast that
// has no such binding (legacy templates, images alone).
std::vector<std::wstring> TextLines(IUserNotification& notification, HSTRING toastGeneric) {
  ComPtr<INotification> content;
  ThrowIfFailed(notification.get_Notification(content.Put()));
  if (!content) return {};
  ComPtr<INotificationVisual> visual;
  ThrowIfFailed(content->get_Visual(visual.Put()));
  if (!visual) return {};
  ComPtr<INotificationBinding> binding;
  ThrowIfFailed(visual->GetBinding(toastGeneric, binding.Put()));
  if (!binding) return {};
  ComPtr<IVectorView<IAdaptiveNotificationText*>> elements;
  ThrowIfFailed(binding->GetTextElements(elements.Put()));
  if (!elements) return {};

  UINT32 count = 0;
  ThrowIfFailed(elements->get_Size(&count));
  count = std::min<UINT32>(count, kMaxToastTextElements);
  std::vector<std::wstring> lines;
  for (UINT32 i = 0; i < count; ++i) {
    ComPtr<IAdaptiveNotificationText> element;
    ThrowIfFailed(elements->GetAt(i, element.Put()));
    if (!element) continue;
    HString text;
    ThrowIfFailed(element->get_Text(text.Put()));
    lines.push_back(ToWString(text.Get()));
  }
  return lines;
}

NotificationPoll ReadNotifications(IUserNotificationListener& listener) {
  ComPtr<IAsyncOperation<IVectorView<IUserNotification*>*>> request;
  ThrowIfFailed(listener.GetNotificationsAsync(NotificationKinds_Toast, request.Put()));
  const ComPtr<IVectorView<IUserNotification*>> list = AwaitObject(request.Get(), kListTimeout);

  NotificationPoll poll{NotificationPollStatus::Listed, {}, {}};
  if (!list) return poll;

  // Creation times first (one call each), so that beyond the limit the
  // newest toasts are the ones read in full.
  UINT32 count = 0;
  ThrowIfFailed(list->get_Size(&count));
  std::vector<ComPtr<IUserNotification>> notifications;
  std::vector<std::int64_t> creationTimes;
  for (UINT32 i = 0; i < count; ++i) {
    ComPtr<IUserNotification> notification;
    ThrowIfFailed(list->GetAt(i, notification.Put()));
    if (!notification) continue;
    DateTime created{};
    ThrowIfFailed(notification->get_CreationTime(&created));
    notifications.push_back(std::move(notification));
    creationTimes.push_back(created.UniversalTime);
  }

  const HString toastGeneric = ToastGenericTemplate();
  for (const std::size_t i : NewestListenerToasts(creationTimes, kMaxListenerToasts)) {
    IUserNotification& notification = *notifications[i].Get();
    ListenerToast toast;
    ThrowIfFailed(notification.get_Id(&toast.id));
    toast.appName = SenderName(notification);
    toast.creationTime = creationTimes[i];
    toast.lines = TextLines(notification, toastGeneric.Get());
    if (auto record = ListenerRecord(toast)) poll.records.push_back(std::move(*record));
  }
  return poll;
}

}  // namespace

NotificationPoll UserNotificationListenerSource::Poll() {
  try {
    const ComPtr<IUserNotificationListener> listener = CurrentListener();
    UserNotificationListenerAccessStatus status = UserNotificationListenerAccessStatus_Unspecified;
    ThrowIfFailed(listener->GetAccessStatus(&status));
    if (auto refusal = ListenerAccessRefusal(static_cast<ListenerAccessStatus>(status))) return std::move(*refusal);
    return ReadNotifications(*listener.Get());
  } catch (...) {
    // A system without the listener, a failed call or a timeout: the feed
    // falls back to the database as it does without access.
    return NotificationPoll{NotificationPollStatus::NoAccess, {},
                            L"notification listener: " + DescribeCurrentException()};
  }
}

void UserNotificationListenerSource::Remove(std::span<const std::uint32_t> systemIds) {
  if (systemIds.empty()) return;
  try {
    const ComPtr<IUserNotificationListener> listener = CurrentListener();
    // Each failure is ignored: the toast may be gone already, and the feed
    // keeps it hidden either way.
    for (const std::uint32_t id : systemIds) listener->RemoveNotification(id);
  } catch (...) {
    // No listener here (older system, no access): nothing can be removed.
  }
}

}  // namespace orvane
