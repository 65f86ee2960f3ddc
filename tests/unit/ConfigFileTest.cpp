#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "ConfigTestProbe.h"
#include "app/Log.h"
#include "app/TextUtil.h"
#include "config/ConfigFile.h"
#include "config/ConfigJson.h"

namespace orvane {
namespace {

using testing::FakeMachine;
using testing::ProbeOf;

// Collects log messages (without the time stamp) while a test runs.
class LogCapture final : public LogBackend {
 public:
  LogCapture() { SetLogBackend(this); }
  ~LogCapture() override { SetLogBackend(nullptr); }

  LogTime Now() override { return {}; }
  void DebugOutput(const std::wstring& line) override {
    std::lock_guard<std::mutex> lock(mutex_);
    // "[00:00:00.000] message\r\n"
    const size_t start = line.find(L"] ");
    const size_t end = line.rfind(L"\r\n");
    lines_.push_back(line.substr(start + 2, end - start - 2));
  }
  bool OpenFile(const std::wstring&) override { return false; }
  void Append(std::string_view) override {}

  std::vector<std::wstring> lines() {
    std::lock_guard<std::mutex> lock(mutex_);
    return lines_;
  }

 private:
  std::mutex mutex_;
  std::vector<std::wstring> lines_;
};

// An in-memory volume with switches for the failures a real disk can have.
class FakeFileSystem final : public ConfigFileSystem {
 public:
  std::map<std::wstring, std::string> files;
  std::set<std::wstring> folders;
  std::set<std::wstring> unreadable;  // exist, but reading fails (locked)
  std::set<std::wstring> failWrites;  // writing starts, then fails half-way
  bool failMoves = false;
  int writes = 0;

  FileReadResult Read(const std::wstring& path) override {
    const auto it = files.find(path);
    if (it == files.end()) return {FileReadStatus::NotFound, {}};
    if (unreadable.count(path)) return {FileReadStatus::Unreadable, {}};
    return {FileReadStatus::Ok, it->second};
  }
  bool CreateFolders(const std::wstring& path) override {
    folders.insert(path);
    return true;
  }
  bool WriteFlushed(const std::wstring& path, std::string_view bytes) override {
    ++writes;
    if (failWrites.count(path)) {
      files[path] = std::string(bytes.substr(0, bytes.size() / 2));
      return false;
    }
    files[path] = std::string(bytes);
    return true;
  }
  bool MoveReplacing(const std::wstring& from, const std::wstring& to) override {
    if (failMoves || !files.count(from) || unreadable.count(to)) return false;
    files[to] = files[from];
    files.erase(from);
    return true;
  }
  void Remove(const std::wstring& path) override { files.erase(path); }
};

const std::wstring kPath = L"C:\\Users\\u\\AppData\\Roaming\\Orvane\\config.json";
const std::wstring kTemp = kPath + L".tmp";
const std::wstring kBackup = kPath + L".bad";
const std::string kGarbage = "{\"iconSize\":40,";  // a file cut off mid-write

class ConfigStoreTest : public ::testing::Test {
 protected:
  DockConfig FirstRun() const { return FirstRunDefaults(ProbeOf(machine_)); }

  std::shared_ptr<FakeMachine> machine_ = FakeMachine::Typical();
  FakeFileSystem files_;
  ConfigStore store_{kPath, files_, ProbeOf(machine_)};
  LogCapture log_;
};

TEST_F(ConfigStoreTest, FirstStartWritesTheDefaults) {
  EXPECT_EQ(store_.Load(), FirstRun());
  EXPECT_EQ(files_.folders, (std::set<std::wstring>{L"C:\\Users\\u\\AppData\\Roaming\\Orvane"}));
  ASSERT_TRUE(files_.files.count(kPath));
  EXPECT_EQ(files_.files[kPath], SerializeConfig(FirstRun()));
  EXPECT_FALSE(files_.files.count(kTemp));
}

TEST_F(ConfigStoreTest, GoodFileIsReadAndNotRewritten) {
  DockConfig config = FirstRun();
  config.iconSize = 64;
  files_.files[kPath] = SerializeConfig(config);

  EXPECT_EQ(store_.Load(), config);
  EXPECT_EQ(files_.writes, 0);
  EXPECT_TRUE(log_.lines().empty());
}

TEST_F(ConfigStoreTest, UnparsableFileGivesDefaultsAndStaysUntilTheNextSave) {
  const std::string cases[] = {kGarbage, "", "[{\"iconSize\":40}]", std::string(100000, '[')};
  for (const std::string& bad : cases) {
    FakeFileSystem files;
    files.files[kPath] = bad;
    ConfigStore store(kPath, files, ProbeOf(machine_));
    EXPECT_EQ(store.Load(), FirstRun());
    EXPECT_EQ(files.writes, 0);
    EXPECT_EQ(files.files[kPath], bad);
  }
  const std::vector<std::wstring> lines = log_.lines();
  ASSERT_EQ(lines.size(), 4u);
  for (const std::wstring& line : lines) EXPECT_EQ(line, L"Config parse failed, falling back to default");
}

TEST_F(ConfigStoreTest, FirstSaveAfterAParseFailureKeepsTheBadBytes) {
  files_.files[kPath] = kGarbage;
  DockConfig config = store_.Load();
  config.iconSize = 50;
  store_.Save(config);

  EXPECT_EQ(files_.files[kBackup], kGarbage);
  EXPECT_EQ(ParseConfig(files_.files[kPath], ProbeOf(machine_)), config);
  EXPECT_EQ(log_.lines().back(), L"Config: kept unreadable file as " + kBackup);

  // Later saves replace only our own file; the kept copy is not touched again.
  files_.files[kBackup] = "user looked at it";
  store_.Save(config);
  EXPECT_EQ(files_.files[kBackup], "user looked at it");
}

TEST_F(ConfigStoreTest, TheCopyHoldsTheFileAsItIsAtSaveTime) {
  files_.files[kPath] = kGarbage;
  DockConfig config = store_.Load();
  const std::string handFixed = "{\"iconSize\":40, \"pinned\": [oops]}";  // edited since, still bad
  files_.files[kPath] = handFixed;

  store_.Save(config);
  EXPECT_EQ(files_.files[kBackup], handFixed);
  EXPECT_EQ(files_.files[kPath], SerializeConfig(config));
}

TEST_F(ConfigStoreTest, WithoutTheCopyTheFileIsNotReplaced) {
  const struct {
    const char* label;
    std::set<std::wstring> failWrites;
    bool failMoves;
    std::set<std::wstring> unreadable;
  } cases[] = {
      {"copy cannot be written", {kBackup + L".tmp"}, false, {}},
      {"copy cannot be moved into place", {}, true, {}},
      {"file locked at save", {}, false, {kPath}},
  };
  for (const auto& c : cases) {
    FakeFileSystem files;
    files.files[kPath] = kGarbage;
    ConfigStore store(kPath, files, ProbeOf(machine_));
    DockConfig config = store.Load();
    config.iconSize = 50;

    files.failWrites = c.failWrites;
    files.failMoves = c.failMoves;
    files.unreadable = c.unreadable;
    store.Save(config);
    EXPECT_EQ(files.files[kPath], kGarbage) << c.label;
    EXPECT_FALSE(files.files.count(kBackup)) << c.label;
    EXPECT_FALSE(files.files.count(kBackup + L".tmp")) << c.label;
    EXPECT_FALSE(files.files.count(kTemp)) << c.label;
    const std::vector<std::wstring> lines = log_.lines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], L"Config: could not keep unreadable file as " + kBackup) << c.label;
    EXPECT_EQ(lines.back(), L"Config: " + kPath + L" left as it is, settings kept in memory") << c.label;

    // Once the copy can be made, the next save makes it and replaces the file.
    files.failWrites.clear();
    files.failMoves = false;
    files.unreadable.clear();
    store.Save(config);
    EXPECT_EQ(files.files[kBackup], kGarbage) << c.label;
    EXPECT_EQ(ParseConfig(files.files[kPath], ProbeOf(machine_)), config) << c.label;
  }
}

TEST_F(ConfigStoreTest, TemporaryFilesOfACutOffSaveAreRemovedAtLoad) {
  DockConfig config = FirstRun();
  config.iconSize = 64;
  files_.files[kPath] = SerializeConfig(config);
  files_.files[kTemp] = "{\"iconSize\":";
  files_.files[kBackup + L".tmp"] = "{\"ic";

  EXPECT_EQ(store_.Load(), config);
  EXPECT_FALSE(files_.files.count(kTemp));
  EXPECT_FALSE(files_.files.count(kBackup + L".tmp"));
  EXPECT_EQ(files_.files[kPath], SerializeConfig(config));
  EXPECT_EQ(files_.writes, 0);
}

TEST_F(ConfigStoreTest, LockedFileGivesDefaultsInMemoryOnly) {
  files_.files[kPath] = SerializeConfig(DockConfig{});
  files_.unreadable.insert(kPath);

  EXPECT_EQ(store_.Load(), FirstRun());
  EXPECT_EQ(files_.writes, 0);
  EXPECT_EQ(files_.files[kPath], SerializeConfig(DockConfig{}));
}

TEST_F(ConfigStoreTest, FileLockedAtLoadIsKeptWhenReadableAtSave) {
  DockConfig original = FirstRun();
  original.dockPosition = L"left";
  files_.files[kPath] = SerializeConfig(original);
  files_.unreadable.insert(kPath);
  DockConfig config = store_.Load();

  files_.unreadable.clear();  // the other program let go
  config.iconSize = 70;
  store_.Save(config);
  EXPECT_EQ(files_.files[kBackup], SerializeConfig(original));
  EXPECT_EQ(ParseConfig(files_.files[kPath], ProbeOf(machine_)), config);
}

TEST_F(ConfigStoreTest, FileStillLockedAtSaveHasNothingToKeep) {
  files_.files[kPath] = "locked bytes";
  files_.unreadable.insert(kPath);
  store_.Save(store_.Load());
  EXPECT_FALSE(files_.files.count(kBackup));
  EXPECT_EQ(files_.files[kPath], "locked bytes");  // the move over a locked file failed too
  EXPECT_FALSE(files_.files.count(kTemp));
}

TEST_F(ConfigStoreTest, ReloadingAGoodFileForgetsTheEarlierFailure) {
  files_.files[kPath] = kGarbage;
  store_.Load();
  files_.files[kPath] = SerializeConfig(FirstRun());  // repaired by hand
  store_.Save(store_.Load());
  EXPECT_FALSE(files_.files.count(kBackup));
}

TEST_F(ConfigStoreTest, FailedWriteLeavesThePreviousFile) {
  DockConfig previous = FirstRun();
  previous.iconSize = 33;
  files_.files[kPath] = SerializeConfig(previous);
  DockConfig next = previous;
  next.iconSize = 90;

  const struct {
    const char* label;
    bool failWrite;
    bool failMove;
  } cases[] = {{"write fails half-way", true, false}, {"move fails", false, true}};
  for (const auto& c : cases) {
    files_.failWrites = c.failWrite ? std::set<std::wstring>{kTemp} : std::set<std::wstring>{};
    files_.failMoves = c.failMove;
    store_.Save(next);
    EXPECT_EQ(files_.files[kPath], SerializeConfig(previous)) << c.label;
    EXPECT_FALSE(files_.files.count(kTemp)) << c.label;
  }
  EXPECT_EQ(log_.lines().back(), L"Config: could not write " + kPath);
}

// --- the real file system, in a temporary folder -----------------------------------

class ConfigDiskTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvane-config-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    path_ = Utf8ToWide((folder_ / "config.json").string());
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }

  std::filesystem::path Native(const std::wstring& path) const { return std::filesystem::path(WideToUtf8(path)); }
  std::string Contents(const std::wstring& path) const {
    std::ifstream in(Native(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  void Put(const std::wstring& path, const std::string& bytes) const {
    std::ofstream(Native(path), std::ios::binary) << bytes;
  }
  bool Exists(const std::wstring& path) const { return std::filesystem::exists(Native(path)); }

  std::shared_ptr<FakeMachine> machine_ = FakeMachine::Typical();
  std::filesystem::path folder_;
  std::wstring path_;
  ConfigStore Store() { return ConfigStore(path_, PlatformConfigFileSystem(), ProbeOf(machine_)); }
  LogCapture log_;
};

TEST_F(ConfigDiskTest, SaveThenLoadRoundTrips) {
  ConfigStore store = Store();
  DockConfig config = store.Load();  // first start writes the file
  ASSERT_TRUE(Exists(path_));
  config.quickNote = L"便签 ✓";
  config.glassOpacity = 0.77f;
  config.pinned.push_back({L"带参数", L"C:\\x.exe", L"-v", L""});
  store.Save(config);

  const std::string bytes = Contents(path_);
  EXPECT_EQ(bytes, SerializeConfig(config));  // UTF-8, no byte-order mark, compact
  EXPECT_EQ(bytes.front(), '{');
  EXPECT_FALSE(Exists(path_ + L".tmp"));
  EXPECT_EQ(Store().Load(), config);
}

TEST_F(ConfigDiskTest, FolderInTheWayOfTheTemporaryFileKeepsThePreviousFile) {
  ConfigStore store = Store();
  DockConfig config = store.Load();
  const std::string previous = Contents(path_);
  std::filesystem::create_directory(Native(path_ + L".tmp"));

  config.iconSize = 77;
  store.Save(config);
  EXPECT_EQ(Contents(path_), previous);
  EXPECT_TRUE(std::filesystem::is_directory(Native(path_ + L".tmp")));  // not ours to delete
}

TEST_F(ConfigDiskTest, FolderInPlaceOfTheFileIsUnreadableAndLeftAlone) {
  std::filesystem::create_directory(Native(path_));
  ConfigStore store = Store();
  EXPECT_EQ(store.Load(), FirstRunDefaults(ProbeOf(machine_)));
  EXPECT_TRUE(std::filesystem::is_directory(Native(path_)));
  EXPECT_FALSE(Exists(path_ + L".tmp"));

  store.Save(DockConfig{});  // the folder cannot be copied aside, so nothing is written
  EXPECT_TRUE(std::filesystem::is_directory(Native(path_)));
  EXPECT_FALSE(Exists(path_ + L".tmp"));
  EXPECT_FALSE(Exists(path_ + L".bad"));
}

TEST_F(ConfigDiskTest, BadFileIsKeptBesideTheNewOne) {
  const std::string bad = "\xEF\xBB\xBF{\"iconSize\": 40, oops";
  Put(path_, bad);
  ConfigStore store = Store();
  DockConfig config = store.Load();
  EXPECT_EQ(Contents(path_), bad);

  store.Save(config);
  EXPECT_EQ(Contents(path_ + L".bad"), bad);
  EXPECT_EQ(Store().Load(), config);
}

}  // namespace
}  // namespace orvane
