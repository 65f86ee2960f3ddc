#pragma once
// The system's notification database as a NotificationSource, for when the
// notification listener is not available. The live file is held open by the
// system, so each read works on a private copy ("snapshot") in the program's
// cache folder, named with the process id so that two copies of the program
// never share one; the copy and its companions are deleted after each read,
// and snapshots left by processes that are gone are swept when the source
// is made. While the database and its "-wal" keep their size and write time
// nothing is copied and the last answer stands (the file can be tens of MB
// and is polled every two seconds).

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "system/notifications/NotificationSource.h"
#include "system/notifications/SqliteApi.h"

namespace orvane {

inline constexpr char kNotificationQuery[] =
    "SELECT n.Id, COALESCE(h.PrimaryId, ''), n.Payload, n.ArrivalTime FROM Notification n LEFT JOIN "
    "NotificationHandler h ON n.HandlerId = h.RecordId WHERE n.Type = 'toast' AND n.Payload IS NOT NULL ORDER BY "
    "n.ArrivalTime DESC LIMIT 36;";

struct FileStamp {
  std::uint64_t size = 0;
  std::int64_t lastWrite = 0;  // only compared; the unit is the platform's
  bool operator==(const FileStamp&) const = default;
};

// The file and process calls the source makes. Windows: GetFileAttributesExW,
// CopyFileW, DeleteFileW, FindFirstFileW, OpenProcess; Linux: POSIX.
class NotificationFileOps {
 public:
  virtual ~NotificationFileOps() = default;
  // False only when the system says there is no such file: a file that
  // cannot be looked at counts as there.
  virtual bool Exists(const std::wstring& path) = 0;
  // Size and last write time of a file; nullopt when they cannot be read.
  virtual std::optional<FileStamp> Stamp(const std::wstring& path) = 0;
  // Copies a file over `to` (replacing it); false when any of it failed.
  virtual bool Copy(const std::wstring& from, const std::wstring& to) = 0;
  // Deletes a file; a missing one is no error.
  virtual void Remove(const std::wstring& path) = 0;
  // The names of the files in a folder; empty when it cannot be listed.
  virtual std::vector<std::wstring> FileNames(const std::wstring& folder) = 0;
  virtual std::uint32_t CurrentProcessId() = 0;
  // Whether a process with this id exists; true when it cannot be told.
  virtual bool ProcessAlive(std::uint32_t processId) = 0;
};

// The platform's (headless/ and win32/NotificationFileOps*.cpp).
std::unique_ptr<NotificationFileOps> CreatePlatformNotificationFileOps();

// "orvane_wpn_snap_<pid>.db"; the companions add "-wal" and "-shm".
std::wstring NotificationSnapshotName(std::uint32_t processId);

class NotificationDatabaseSource final : public NotificationSource {
 public:
  // api: nullptr when no SQLite library could be bound; every poll then
  // fails with unavailableReason. databasePath: the system's
  // "wpndatabase.db"; cacheFolder: where the snapshot is made (it exists).
  NotificationDatabaseSource(std::shared_ptr<const SqliteApi> api, std::wstring unavailableReason,
                             std::shared_ptr<NotificationFileOps> files, std::wstring databasePath,
                             std::wstring cacheFolder);

  // Listed (empty) when there is no database; Failed when the library is
  // missing or the copy, the open or the query fails.
  NotificationPoll Poll() override;

 private:
  struct Answer {
    FileStamp database;
    std::optional<FileStamp> wal;
    std::vector<NotificationRecord> records;
  };

  void SweepStaleSnapshots();
  NotificationPoll ReadSnapshot(bool withWal);
  NotificationPoll Query(const std::wstring& snapshot);

  const std::shared_ptr<const SqliteApi> api_;
  const std::wstring unavailableReason_;
  const std::shared_ptr<NotificationFileOps> files_;
  const std::wstring databasePath_;
  const std::wstring cacheFolder_;
  const std::wstring snapshotPath_;  // empty without a cache folder
  std::optional<Answer> last_;       // polls run one at a time
};

}  // namespace orvane
