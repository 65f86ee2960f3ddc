#pragma once
// The toasts Windows has shown, read through the user notification listener
// (Windows.UI.Notifications.Management). Answers only when the user allowed
// this program to read notifications; otherwise, and on any failure, it
// reports NoAccess so the feed asks its next source.
//
// Poll and Remove run on worker threads the feed has already put in the
// multithreaded apartment.

#include <cstdint>
#include <span>

#include "system/notifications/NotificationSource.h"

namespace orvane {

class UserNotificationListenerSource final : public NotificationSource {
 public:
  NotificationPoll Poll() override;
  // Removes the toasts from the system; ids already gone are skipped.
  void Remove(std::span<const std::uint32_t> systemIds) override;
};

}  // namespace orvane
