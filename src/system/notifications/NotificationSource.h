#pragma once
// Where the feed reads the system's notifications from. The feed asks its
// sources in order on a worker thread; the first that answers with a list
// (even an empty one) or fails decides the poll.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "system/notifications/NotificationRecord.h"

namespace orvane {

enum class NotificationPollStatus {
  Listed,       // records holds the source's whole current list
  NoAccess,     // this source cannot answer (denied, missing): ask the next one
  Failed,       // the source should have answered and could not: the poll fails
};

struct NotificationPoll {
  NotificationPollStatus status = NotificationPollStatus::NoAccess;
  std::vector<NotificationRecord> records;
  // A short English reason for the log when the status is not Listed
  // (written once per distinct reason, never per poll).
  std::wstring reason;
};

class NotificationSource {
 public:
  virtual ~NotificationSource() = default;
  // Runs on a worker thread, one poll at a time.
  virtual NotificationPoll Poll() = 0;
  // Removes these notifications from the system (listener ids, never 0).
  // Runs on a worker thread; sources that cannot remove ignore it.
  virtual void Remove(std::span<const std::uint32_t> /*systemIds*/) {}
};

}  // namespace orvane
