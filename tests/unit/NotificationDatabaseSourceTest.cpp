#include <gtest/gtest.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "system/notifications/NotificationDatabaseSource.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kSelf = 4242;

std::string Toast(const std::string& title, const std::string& body = {}) {
  std::string xml = "<toast><visual><binding template=\"ToastGeneric\"><text>" + title + "</text>";
  if (!body.empty()) xml += "<text>" + body + "</text>";
  return xml + "</binding></visual></toast>";
}

// The platform's files, with the copies counted, failures on request, and
// the process ids the test says.
class TestFileOps final : public NotificationFileOps {
 public:
  bool Exists(const std::wstring& path) override { return real_->Exists(path); }
  std::optional<FileStamp> Stamp(const std::wstring& path) override { return real_->Stamp(path); }
  bool Copy(const std::wstring& from, const std::wstring& to) override {
    ++copies;
    if (failWalCopy && from.ends_with(L"-wal")) return false;
    if (copyWritesNothing) return true;
    return real_->Copy(from, to);
  }
  void Remove(const std::wstring& path) override { real_->Remove(path); }
  std::vector<std::wstring> FileNames(const std::wstring& folder) override { return real_->FileNames(folder); }
  std::uint32_t CurrentProcessId() override { return kSelf; }
  bool ProcessAlive(std::uint32_t processId) override { return alive.contains(processId); }

  int copies = 0;
  bool failWalCopy = false;
  bool copyWritesNothing = false;
  std::set<std::uint32_t> alive;

 private:
  std::unique_ptr<NotificationFileOps> real_ = CreatePlatformNotificationFileOps();
};

// The library's entry points with the handles they hand out counted, so a
// test can tell every one was given back.
struct HandleCounts {
  int databases = 0;
  int closes = 0;
  int statements = 0;
  int finalizes = 0;
};
HandleCounts counts;
std::shared_ptr<const SqliteApi> real;

std::shared_ptr<const SqliteApi> CountingApi() {
  std::wstring reason;
  real = LoadSqliteApi(reason);
  counts = {};
  SqliteApi api = *real;
  api.open_v2 = [](const char* path, SqliteDb** db, int flags, const char* vfs) {
    const int result = real->open_v2(path, db, flags, vfs);
    if (*db != nullptr) ++counts.databases;
    return result;
  };
  api.close = [](SqliteDb* db) {
    ++counts.closes;
    return real->close(db);
  };
  api.prepare_v2 = [](SqliteDb* db, const char* sql, int bytes, SqliteStatement** statement, const char** tail) {
    const int result = real->prepare_v2(db, sql, bytes, statement, tail);
    if (*statement != nullptr) ++counts.statements;
    return result;
  };
  api.finalize = [](SqliteStatement* statement) {
    ++counts.finalizes;
    return real->finalize(statement);
  };
  return std::make_shared<const SqliteApi>(api);
}

class NotificationDatabaseSourceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "orvane-wpn-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    fs::create_directories(root_ / "system");
    fs::create_directories(root_ / "cache");
    databasePath_ = root_ / "system" / "wpndatabase.db";
  }
  void TearDown() override {
    if (fixture_ != nullptr) sqlite3_close(fixture_);
    fs::remove_all(root_);
  }

  // The system's database with the tables the query reads, open for writing.
  sqlite3* Fixture() {
    if (fixture_ != nullptr) return fixture_;
    EXPECT_EQ(sqlite3_open(databasePath_.c_str(), &fixture_), SQLITE_OK);
    Exec(
        "CREATE TABLE Notification(Id INTEGER PRIMARY KEY, HandlerId INTEGER, Type TEXT, Payload BLOB, "
        "ArrivalTime INTEGER);"
        "CREATE TABLE NotificationHandler(RecordId INTEGER PRIMARY KEY, PrimaryId TEXT);");
    return fixture_;
  }
  void CloseFixture() {
    sqlite3_close(fixture_);
    fixture_ = nullptr;
  }
  void Exec(const std::string& sql) {
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(Fixture(), sql.c_str(), nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
    sqlite3_free(error);
  }
  void AddHandler(std::int64_t recordId, const std::string& primaryId) {
    Exec("INSERT INTO NotificationHandler VALUES(" + std::to_string(recordId) + ", '" + primaryId + "');");
  }
  void AddNotification(std::int64_t id, std::int64_t handlerId, const char* type,
                       const std::optional<std::string>& payload, std::int64_t arrival) {
    sqlite3_stmt* statement = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(Fixture(), "INSERT INTO Notification VALUES(?, ?, ?, ?, ?);", -1, &statement, nullptr),
              SQLITE_OK);
    sqlite3_bind_int64(statement, 1, id);
    sqlite3_bind_int64(statement, 2, handlerId);
    sqlite3_bind_text(statement, 3, type, -1, SQLITE_TRANSIENT);
    if (payload) {
      sqlite3_bind_blob(statement, 4, payload->data(), static_cast<int>(payload->size()), SQLITE_TRANSIENT);
    } else {
      sqlite3_bind_null(statement, 4);
    }
    sqlite3_bind_int64(statement, 5, arrival);
    EXPECT_EQ(sqlite3_step(statement), SQLITE_DONE);
    sqlite3_finalize(statement);
  }

  std::unique_ptr<NotificationDatabaseSource> Source(std::shared_ptr<const SqliteApi> api) {
    return std::make_unique<NotificationDatabaseSource>(std::move(api), L"no SQLite library (winsqlite3.dll)", files_,
                                                        databasePath_.wstring(), (root_ / "cache").wstring());
  }
  std::unique_ptr<NotificationDatabaseSource> Source() {
    std::wstring reason;
    return Source(LoadSqliteApi(reason));
  }
  std::vector<std::string> CacheFiles() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(root_ / "cache")) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path root_;
  fs::path databasePath_;
  sqlite3* fixture_ = nullptr;
  std::shared_ptr<TestFileOps> files_ = std::make_shared<TestFileOps>();
};

std::vector<std::int64_t> Ids(const NotificationPoll& poll) {
  std::vector<std::int64_t> ids;
  for (const NotificationRecord& record : poll.records) ids.push_back(record.id);
  return ids;
}

TEST_F(NotificationDatabaseSourceTest, RowsBecomeRecordsNewestFirst) {
  AddHandler(1, "Microsoft.WindowsStore_8wekyb3d8bbwe!App");
  AddHandler(2, "Windows.SystemToast.SecurityAndMaintenance");
  AddNotification(10, 1, "toast", Toast("Store", "Update &amp; more"), 1000);
  AddNotification(11, 2, "toast", Toast("Protected"), 3000);
  AddNotification(12, 99, "toast", Toast("Orphan"), 2000);  // no handler row
  AddNotification(13, 1, "tile", Toast("Tile"), 5000);
  AddNotification(14, 1, "toast", std::nullopt, 6000);
  AddNotification(15, 1, "toast", "<toast><visual><binding><image src='a.png'/></binding></visual></toast>", 7000);
  AddNotification(16, 1, "toast", std::string(), 8000);
  CloseFixture();

  const NotificationPoll poll = Source()->Poll();
  ASSERT_EQ(poll.status, NotificationPollStatus::Listed);
  ASSERT_EQ(poll.records.size(), 3u);
  NotificationRecord expected;
  expected.id = 11;
  expected.appName = L"安全与维护";
  expected.title = L"Protected";
  expected.arrival = 3000;
  EXPECT_EQ(poll.records[0], expected);
  expected.id = 12;
  expected.appName = L"系统通知";
  expected.title = L"Orphan";
  expected.arrival = 2000;
  EXPECT_EQ(poll.records[1], expected);
  expected.id = 10;
  expected.appName = L"WindowsStore";
  expected.title = L"Store";
  expected.body = L"Update & more";
  expected.arrival = 1000;
  EXPECT_EQ(poll.records[2], expected);
  EXPECT_TRUE(CacheFiles().empty());
}

TEST_F(NotificationDatabaseSourceTest, OnlyTheNewest36AreRead) {
  AddHandler(1, "App");
  std::vector<std::pair<std::int64_t, std::int64_t>> byArrival;  // arrival, id
  Exec("BEGIN;");
  for (std::int64_t id = 1; id <= 40; ++id) {
    const std::int64_t arrival = 1000 + (id * 17) % 41;  // distinct, out of id order
    AddNotification(id, 1, "toast", Toast("T" + std::to_string(id)), arrival);
    byArrival.emplace_back(arrival, id);
  }
  Exec("COMMIT;");
  CloseFixture();
  std::sort(byArrival.rbegin(), byArrival.rend());
  std::vector<std::int64_t> expected;
  for (std::size_t i = 0; i < 36; ++i) expected.push_back(byArrival[i].second);

  EXPECT_EQ(Ids(Source()->Poll()), expected);
}

TEST_F(NotificationDatabaseSourceTest, CopiesOnlyWhenTheDatabaseChanged) {
  AddHandler(1, "App");
  AddNotification(1, 1, "toast", Toast("First"), 1000);
  auto source = Source();
  EXPECT_EQ(Ids(source->Poll()), std::vector<std::int64_t>{1});
  EXPECT_EQ(Ids(source->Poll()), std::vector<std::int64_t>{1});
  EXPECT_EQ(files_->copies, 1);

  // A large row grows the file, whatever the clock's resolution.
  AddNotification(2, 1, "toast", Toast("Second", std::string(20000, 'x')), 2000);
  EXPECT_EQ(Ids(source->Poll()), (std::vector<std::int64_t>{2, 1}));
  EXPECT_EQ(files_->copies, 2);
  EXPECT_TRUE(CacheFiles().empty());

  // Gone: nothing is listed, and nothing is remembered.
  CloseFixture();
  fs::remove(databasePath_);
  const NotificationPoll gone = source->Poll();
  EXPECT_EQ(gone.status, NotificationPollStatus::Listed);
  EXPECT_TRUE(gone.records.empty());
  EXPECT_EQ(files_->copies, 2);
}

TEST_F(NotificationDatabaseSourceTest, RowsStillInTheWalAreRead) {
  AddHandler(1, "App");
  Exec("PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0;");
  AddNotification(1, 1, "toast", Toast("Logged"), 1000);
  // The fixture stays open, as the system keeps its database: the row is
  // only in the "-wal".
  ASSERT_TRUE(fs::exists(databasePath_.string() + "-wal"));
  auto source = Source();
  EXPECT_EQ(Ids(source->Poll()), std::vector<std::int64_t>{1});
  EXPECT_EQ(files_->copies, 2);
  EXPECT_TRUE(CacheFiles().empty());

  files_->failWalCopy = true;
  AddNotification(2, 1, "toast", Toast("Next"), 2000);
  const NotificationPoll failed = source->Poll();
  EXPECT_EQ(failed.status, NotificationPollStatus::Failed);
  EXPECT_FALSE(failed.reason.empty());
  EXPECT_TRUE(CacheFiles().empty());

  files_->failWalCopy = false;
  EXPECT_EQ(Ids(source->Poll()), (std::vector<std::int64_t>{2, 1}));
}

TEST_F(NotificationDatabaseSourceTest, FailuresGiveBackEveryHandle) {
  // Not a database: the open succeeds, the query cannot be prepared.
  std::ofstream(databasePath_) << "not a database at all, only text";
  const NotificationPoll garbage = Source(CountingApi())->Poll();
  EXPECT_EQ(garbage.status, NotificationPollStatus::Failed);
  EXPECT_EQ(counts.databases, 1);
  EXPECT_EQ(counts.closes, 1);
  EXPECT_EQ(counts.statements, counts.finalizes);
  EXPECT_TRUE(CacheFiles().empty());

  // No snapshot to open: sqlite3_open_v2 fails yet hands out a handle.
  fs::remove(databasePath_);
  AddNotification(1, 1, "toast", Toast("T"), 1);
  files_->copyWritesNothing = true;
  const NotificationPoll unopened = Source(CountingApi())->Poll();
  EXPECT_EQ(unopened.status, NotificationPollStatus::Failed);
  EXPECT_EQ(counts.databases, 1);
  EXPECT_EQ(counts.closes, 1);
  EXPECT_EQ(counts.statements, 0);
}

TEST_F(NotificationDatabaseSourceTest, WithoutTheLibraryEveryPollFails) {
  AddNotification(1, 1, "toast", Toast("T"), 1);
  auto source = Source(nullptr);
  for (int poll = 0; poll < 2; ++poll) {
    const NotificationPoll result = source->Poll();
    EXPECT_EQ(result.status, NotificationPollStatus::Failed);
    EXPECT_EQ(result.reason, L"no SQLite library (winsqlite3.dll)");
  }
  EXPECT_EQ(files_->copies, 0);
}

TEST_F(NotificationDatabaseSourceTest, MissingDatabaseListsNothing) {
  const NotificationPoll poll = Source()->Poll();
  EXPECT_EQ(poll.status, NotificationPollStatus::Listed);
  EXPECT_TRUE(poll.records.empty());
  EXPECT_EQ(files_->copies, 0);
}

TEST_F(NotificationDatabaseSourceTest, UnknownFoldersFailInsteadOfListingNothing) {
  // Without the known folders there is no telling whether toasts exist.
  std::wstring reason;
  const auto api = LoadSqliteApi(reason);
  const NotificationPoll noDatabase =
      NotificationDatabaseSource(api, {}, files_, L"", (root_ / "cache").wstring()).Poll();
  EXPECT_EQ(noDatabase.status, NotificationPollStatus::Failed);
  AddNotification(1, 1, "toast", Toast("T"), 1);
  const NotificationPoll noCache = NotificationDatabaseSource(api, {}, files_, databasePath_.wstring(), L"").Poll();
  EXPECT_EQ(noCache.status, NotificationPollStatus::Failed);
  EXPECT_EQ(files_->copies, 0);
}

TEST_F(NotificationDatabaseSourceTest, SnapshotsOfEndedProcessesAreSwept) {
  const char* names[] = {
      "orvane_wpn_snap_111.db",      "orvane_wpn_snap_111.db-wal", "orvane_wpn_snap_111.db-shm",  // ended
      "orvane_wpn_snap_222.db",                                                                   // still running
      "orvane_wpn_snap_4242.db-wal",                                                              // this process
      "orvane_wpn_snap_x.db",        "orvane_wpn_snap_333.dbx",    "other.db",
      "0123456789abcdef.png",
  };
  for (const char* name : names) std::ofstream(root_ / "cache" / name) << "x";
  files_->alive = {222};
  Source();
  EXPECT_EQ(CacheFiles(),
            (std::vector<std::string>{"0123456789abcdef.png", "orvane_wpn_snap_222.db", "orvane_wpn_snap_333.dbx",
                                      "orvane_wpn_snap_4242.db-wal", "orvane_wpn_snap_x.db", "other.db"}));
  EXPECT_EQ(NotificationSnapshotName(kSelf), L"orvane_wpn_snap_4242.db");
}

TEST_F(NotificationDatabaseSourceTest, LeftoverWalBesideTheSnapshotIsNotApplied) {
  // An earlier process with this id ended during a read and left a "-wal"
  // of another database beside the snapshot. SQLite would replay it into
  // the fresh copy.
  const fs::path foreignPath = root_ / "foreign.db";
  sqlite3* foreign = nullptr;
  ASSERT_EQ(sqlite3_open(foreignPath.c_str(), &foreign), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(foreign,
                         "PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0;"
                         "CREATE TABLE Notification(Id INTEGER PRIMARY KEY, HandlerId INTEGER, Type TEXT, "
                         "Payload BLOB, ArrivalTime INTEGER);"
                         "CREATE TABLE NotificationHandler(RecordId INTEGER PRIMARY KEY, PrimaryId TEXT);"
                         "INSERT INTO Notification VALUES(99, 1, 'toast', '<text>Foreign</text>', 9000);",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  fs::copy_file(foreignPath.string() + "-wal", root_ / "cache" / "orvane_wpn_snap_4242.db-wal");
  sqlite3_close(foreign);

  AddHandler(1, "App");
  AddNotification(1, 1, "toast", Toast("Real"), 1000);
  CloseFixture();
  EXPECT_EQ(Ids(Source()->Poll()), std::vector<std::int64_t>{1});
  EXPECT_TRUE(CacheFiles().empty());
}

}  // namespace
}  // namespace orvane
