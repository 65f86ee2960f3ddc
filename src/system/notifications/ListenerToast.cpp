#include "system/notifications/ListenerToast.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "system/notifications/NotificationText.h"

namespace orvane {
namespace {

// Toasts the system sends itself come without an app; the database source
// names those the same way.
constexpr wchar_t kSystemSenderName[] = L"系统通知";

NotificationPoll NoAccess(std::wstring reason) {
  return NotificationPoll{NotificationPollStatus::NoAccess, {}, std::move(reason)};
}

}  // namespace

std::optional<NotificationPoll> ListenerAccessRefusal(ListenerAccessStatus status) {
  switch (status) {
    case ListenerAccessStatus::Allowed:
      return std::nullopt;
    case ListenerAccessStatus::Unspecified:
      return NoAccess(L"notification listener access: unspecified");
    case ListenerAccessStatus::Denied:
      return NoAccess(L"notification listener access: denied");
  }
  // A status newer than this program grants nothing it could rely on.
  return NoAccess(L"notification listener access: status " + std::to_wstring(static_cast<std::int32_t>(status)));
}

std::vector<std::size_t> NewestListenerToasts(std::span<const std::int64_t> creationTimes, std::size_t limit) {
  std::vector<std::size_t> positions(creationTimes.size());
  std::iota(positions.begin(), positions.end(), std::size_t{0});
  if (positions.size() <= limit) return positions;

  std::stable_sort(positions.begin(), positions.end(),
                   [&](std::size_t a, std::size_t b) { return creationTimes[a] > creationTimes[b]; });
  positions.resize(limit);
  std::sort(positions.begin(), positions.end());
  return positions;
}

std::optional<NotificationRecord> ListenerRecord(const ListenerToast& toast) {
  ToastText text;
  for (const std::wstring& line : toast.lines) AppendToastLine(text, line);
  if (text.title.empty() && text.body.empty()) return std::nullopt;

  NotificationRecord record;
  record.id = kListenerIdOffset + toast.id;
  record.systemId = toast.id;
  record.appName = toast.appName.empty() ? std::wstring(kSystemSenderName) : toast.appName;
  record.title = std::move(text.title);
  record.body = std::move(text.body);
  // timeText stays empty: the feed words the arrival when it publishes.
  record.arrival = toast.creationTime;
  return record;
}

}  // namespace orvane
