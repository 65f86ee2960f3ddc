#pragma once
// The panel's view of the notification feed.

#include "system/notifications/NotificationFeed.h"
#include "ui/notifications/NotificationCenterModel.h"

namespace orvane {

class FeedNotificationList final : public NotificationList {
 public:
  explicit FeedNotificationList(NotificationFeed& feed) : feed_(feed) {}
  void RequestRefresh() override { feed_.RequestRefresh(); }
  std::vector<NotificationRecord> Items() override { return feed_.Items(); }
  void Dismiss(std::int64_t id) override { feed_.Dismiss(id); }
  void ClearAll() override { feed_.ClearAll(); }

 private:
  NotificationFeed& feed_;
};

}  // namespace orvane
