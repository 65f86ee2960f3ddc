#pragma once
// The rules of the user notification listener source, kept apart from its
// Windows calls: whether the access the user granted lets it read, which
// notifications a poll reads, and how one becomes a record.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "system/notifications/NotificationRecord.h"
#include "system/notifications/NotificationSource.h"

namespace orvane {

// Values as the system's UserNotificationListenerAccessStatus.
enum class ListenerAccessStatus : std::int32_t {
  Unspecified = 0,  // the user was never asked
  Allowed = 1,
  Denied = 2,
};

// Nothing when the listener may be read; otherwise the NoAccess answer the
// source gives, with the reason for the log.
std::optional<NotificationPoll> ListenerAccessRefusal(ListenerAccessStatus status);

// A poll reads at most this many notifications fully (each costs a dozen
// calls into the notification platform).
inline constexpr std::size_t kMaxListenerToasts = 64;

// Which of the listed notifications to read, given their creation times in
// the listener's order: the `limit` newest, as positions in ascending order
// so the listener's order is kept.
std::vector<std::size_t> NewestListenerToasts(std::span<const std::int64_t> creationTimes, std::size_t limit);

// What the source read from one notification.
struct ListenerToast {
  std::uint32_t id = 0;
  std::wstring appName;             // the sender's display name; empty when unknown
  std::int64_t creationTime = 0;    // FILETIME
  std::vector<std::wstring> lines;  // the generic toast binding's text elements, in order
};

// The record the feed lists, or nothing for a toast without text (an image
// alone).
std::optional<NotificationRecord> ListenerRecord(const ListenerToast& toast);

}  // namespace orvane
