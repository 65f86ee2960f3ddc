#pragma once
// One toast notification as the notification center lists it.

#include <cstdint>
#include <string>

namespace orvane {

// Listener ids are moved above every database row id so the two sources
// never share an id.
inline constexpr std::int64_t kListenerIdOffset = std::int64_t{1} << 32;

struct NotificationRecord {
  std::int64_t id = 0;          // database row id, or listener id + kListenerIdOffset
  std::uint32_t systemId = 0;   // the listener's id; 0 for database rows (cannot be removed)
  std::wstring appName;         // display name of the sending application
  std::wstring title;           // first non-empty text line
  std::wstring body;            // the further lines, joined with " · "
  std::wstring timeText;        // arrival as shown (RelativeTimeText)
  std::int64_t arrival = 0;     // FILETIME: 100-ns units since 1601-01-01 UTC

  bool operator==(const NotificationRecord&) const = default;
};

}  // namespace orvane
