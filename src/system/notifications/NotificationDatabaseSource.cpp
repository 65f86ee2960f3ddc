#include "system/notifications/NotificationDatabaseSource.h"

#include <string_view>
#include <utility>

#include "app/DataDirs.h"
#include "app/Format.h"
#include "app/TextUtil.h"
#include "system/notifications/NotificationText.h"

namespace orvane {
namespace {

constexpr std::wstring_view kSnapshotPrefix = L"orvane_wpn_snap_";
constexpr std::wstring_view kSnapshotExtension = L".db";
constexpr std::wstring_view kWal = L"-wal";
constexpr std::wstring_view kShm = L"-shm";

NotificationPoll Failed(std::wstring reason) {
  NotificationPoll poll;
  poll.status = NotificationPollStatus::Failed;
  poll.reason = std::move(reason);
  return poll;
}

NotificationPoll Listed(std::vector<NotificationRecord> records) {
  NotificationPoll poll;
  poll.status = NotificationPollStatus::Listed;
  poll.records = std::move(records);
  return poll;
}

// The process id in a snapshot's file name (or a companion's); nullopt for
// any other name.
std::optional<std::uint32_t> SnapshotOwner(std::wstring_view name) {
  if (!name.starts_with(kSnapshotPrefix)) return std::nullopt;
  name.remove_prefix(kSnapshotPrefix.size());
  if (name.ends_with(kWal) || name.ends_with(kShm)) name.remove_suffix(kWal.size());
  if (!name.ends_with(kSnapshotExtension)) return std::nullopt;
  name.remove_suffix(kSnapshotExtension.size());
  if (name.empty() || name.size() > 10) return std::nullopt;
  std::uint64_t id = 0;
  for (const wchar_t c : name) {
    if (c < L'0' || c > L'9') return std::nullopt;
    id = id * 10 + static_cast<std::uint64_t>(c - L'0');
  }
  if (id > 0xFFFFFFFFu) return std::nullopt;
  return static_cast<std::uint32_t>(id);
}

// The snapshot and its companions go when a read ends, however it ends.
class SnapshotFiles {
 public:
  SnapshotFiles(NotificationFileOps& files, const std::wstring& path) : files_(files), path_(path) {}
  SnapshotFiles(const SnapshotFiles&) = delete;
  SnapshotFiles& operator=(const SnapshotFiles&) = delete;
  ~SnapshotFiles() { RemoveAll(); }
  void RemoveAll() {
    files_.Remove(path_);
    files_.Remove(path_ + std::wstring(kWal));
    files_.Remove(path_ + std::wstring(kShm));
  }

 private:
  NotificationFileOps& files_;
  const std::wstring& path_;
};

// sqlite3_open_v2 hands out a handle even when it fails; it must be closed
// either way. Statements are finalized before their connection closes.
class OpenDatabase {
 public:
  explicit OpenDatabase(const SqliteApi& api) : api_(api) {}
  OpenDatabase(const OpenDatabase&) = delete;
  OpenDatabase& operator=(const OpenDatabase&) = delete;
  ~OpenDatabase() {
    if (statement != nullptr) api_.finalize(statement);
    if (db != nullptr) api_.close(db);
  }
  SqliteDb* db = nullptr;
  SqliteStatement* statement = nullptr;

 private:
  const SqliteApi& api_;
};

std::string_view ColumnBytesOf(const SqliteApi& api, SqliteStatement* statement, int column, const void* data) {
  const int bytes = api.column_bytes(statement, column);
  if (data == nullptr || bytes <= 0) return {};
  return std::string_view(static_cast<const char*>(data), static_cast<std::size_t>(bytes));
}

}  // namespace

std::wstring NotificationSnapshotName(std::uint32_t processId) {
  return std::wstring(kSnapshotPrefix) + std::to_wstring(processId) + std::wstring(kSnapshotExtension);
}

NotificationDatabaseSource::NotificationDatabaseSource(std::shared_ptr<const SqliteApi> api,
                                                       std::wstring unavailableReason,
                                                       std::shared_ptr<NotificationFileOps> files,
                                                       std::wstring databasePath, std::wstring cacheFolder)
    : api_(std::move(api)),
      unavailableReason_(unavailableReason.empty() ? L"no SQLite library" : std::move(unavailableReason)),
      files_(std::move(files)),
      databasePath_(std::move(databasePath)),
      cacheFolder_(std::move(cacheFolder)),
      snapshotPath_(cacheFolder_.empty()
                        ? std::wstring()
                        : JoinPath(cacheFolder_, NotificationSnapshotName(files_->CurrentProcessId()))) {
  SweepStaleSnapshots();
}

void NotificationDatabaseSource::SweepStaleSnapshots() {
  if (cacheFolder_.empty()) return;
  const std::uint32_t self = files_->CurrentProcessId();
  for (const std::wstring& name : files_->FileNames(cacheFolder_)) {
    const std::optional<std::uint32_t> owner = SnapshotOwner(name);
    if (owner && *owner != self && !files_->ProcessAlive(*owner)) files_->Remove(JoinPath(cacheFolder_, name));
  }
}

NotificationPoll NotificationDatabaseSource::Poll() {
  if (!api_) return Failed(unavailableReason_);
  if (databasePath_.empty()) return Failed(L"no path for the notification database");
  if (snapshotPath_.empty()) return Failed(L"no cache folder for the notification database snapshot");
  if (!files_->Exists(databasePath_)) {
    last_.reset();
    return Listed({});
  }
  const std::optional<FileStamp> database = files_->Stamp(databasePath_);
  if (!database) return Failed(L"cannot read the notification database's size and time");
  const std::wstring wal = databasePath_ + std::wstring(kWal);
  std::optional<FileStamp> walStamp;
  const bool withWal = files_->Exists(wal);
  if (withWal) {
    walStamp = files_->Stamp(wal);
    if (!walStamp) return Failed(L"cannot read the notification database's -wal size and time");
  }
  if (last_ && last_->database == *database && last_->wal == walStamp) return Listed(last_->records);

  last_.reset();
  NotificationPoll poll = ReadSnapshot(withWal);
  if (poll.status == NotificationPollStatus::Listed) last_ = Answer{*database, walStamp, poll.records};
  return poll;
}

// The stamps are taken before the copy: a database written during the copy
// has a newer stamp by the next poll, which then copies again.
NotificationPoll NotificationDatabaseSource::ReadSnapshot(bool withWal) {
  SnapshotFiles snapshot(*files_, snapshotPath_);
  // A "-wal" left beside the snapshot by an earlier run would be applied to
  // this copy.
  snapshot.RemoveAll();
  if (!files_->Copy(databasePath_, snapshotPath_)) return Failed(L"copying the notification database failed");
  // The "-shm" is never copied: it only describes the live file's readers,
  // and SQLite rebuilds it from the "-wal".
  if (withWal && !files_->Copy(databasePath_ + std::wstring(kWal), snapshotPath_ + std::wstring(kWal))) {
    return Failed(L"copying the notification database's -wal failed");
  }
  return Query(snapshotPath_);
}

NotificationPoll NotificationDatabaseSource::Query(const std::wstring& snapshot) {
  const SqliteApi& api = *api_;
  OpenDatabase open(api);
  const int opened = api.open_v2(WideToUtf8(snapshot).c_str(), &open.db, kSqliteOpenReadOnly, nullptr);
  if (opened != kSqliteOk || open.db == nullptr) {
    return Failed(FormatWide(L"opening the notification database snapshot failed (SQLite %d)", opened));
  }
  const int prepared = api.prepare_v2(open.db, kNotificationQuery, -1, &open.statement, nullptr);
  if (prepared != kSqliteOk || open.statement == nullptr) {
    return Failed(FormatWide(L"the notification query could not be prepared (SQLite %d)", prepared));
  }

  std::vector<NotificationRecord> records;
  int stepped = kSqliteRow;
  while ((stepped = api.step(open.statement)) == kSqliteRow) {
    const std::string_view payload = ColumnBytesOf(api, open.statement, 2, api.column_blob(open.statement, 2));
    if (payload.empty()) continue;
    ToastText text = ExtractToastText(payload);
    if (text.title.empty() && text.body.empty()) continue;
    NotificationRecord record;
    record.id = api.column_int64(open.statement, 0);
    const std::string_view handler = ColumnBytesOf(api, open.statement, 1, api.column_text(open.statement, 1));
    record.appName = AppDisplayName(Utf8ToWide(handler));
    record.title = std::move(text.title);
    record.body = std::move(text.body);
    record.arrival = api.column_int64(open.statement, 3);
    records.push_back(std::move(record));
  }
  // A read that stops early is not the whole list.
  if (stepped != kSqliteDone) {
    return Failed(FormatWide(L"reading the notification database snapshot failed (SQLite %d)", stepped));
  }
  return Listed(std::move(records));
}

}  // namespace orvane
