#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <random>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/Log.h"
#include "app/TextUtil.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;

TEST(LogLineTest, FormatsTimeAndMessage) {
  EXPECT_EQ(FormatLogLine({1, 2, 3, 4}, L"GraphicsDevice created"), L"[01:02:03.004] GraphicsDevice created\r\n");
  EXPECT_EQ(FormatLogLine({23, 59, 59, 999}, L"100% 中文"), L"[23:59:59.999] 100% 中文\r\n");
  EXPECT_EQ(FormatLogLine({0, 0, 0, 0}, L""), L"[00:00:00.000] \r\n");
}

TEST(LogLineTest, LongMessageIsCutTo1023Characters) {
  std::wstring message;
  for (int i = 0; i < 5000; ++i) message.push_back(static_cast<wchar_t>(L'a' + i % 26));
  const std::wstring line = FormatLogLine({12, 0, 0, 0}, message);
  EXPECT_EQ(line, L"[12:00:00.000] " + message.substr(0, kMaxLogMessage) + L"\r\n");
}

// Records what the log hands to the platform. Append is only ever called
// under the log's write lock, so it notes any overlap instead of locking.
class RecordingBackend : public LogBackend {
 public:
  LogTime Now() override { return {9, 8, 7, 6}; }
  void DebugOutput(const std::wstring& line) override {
    std::lock_guard<std::mutex> guard(mutex_);
    debug.push_back(line);
  }
  bool OpenFile(const std::wstring& logsDirectory) override {
    opened.push_back(logsDirectory);
    return openSucceeds;
  }
  void Append(std::string_view utf8) override {
    if (inside_.fetch_add(1) != 0) overlapped = true;
    std::this_thread::yield();  // widen the window a broken lock would leave
    {
      std::lock_guard<std::mutex> guard(mutex_);
      appended.emplace_back(utf8);
    }
    inside_.fetch_sub(1);
  }

  bool openSucceeds = true;
  std::vector<std::wstring> opened;
  std::vector<std::wstring> debug;
  std::vector<std::string> appended;
  std::atomic<bool> overlapped{false};

 private:
  std::mutex mutex_;
  std::atomic<int> inside_{0};
};

class LogTest : public ::testing::Test {
 protected:
  void SetUp() override { SetLogBackend(&backend_); }
  void TearDown() override { SetLogBackend(nullptr); }
  RecordingBackend backend_;
};

TEST_F(LogTest, LinesBeforeOpenReachOnlyTheDebugOutput) {
  Log(L"early %d", 1);
  ASSERT_EQ(backend_.debug.size(), 1u);
  EXPECT_EQ(backend_.debug[0], L"[09:08:07.006] early 1\r\n");
  EXPECT_TRUE(backend_.appended.empty());

  ASSERT_TRUE(OpenLog(L"/data/logs"));
  EXPECT_EQ(backend_.opened, std::vector<std::wstring>{L"/data/logs"});
  Log(L"FrameClock: %s", L"DwmFlush");
  EXPECT_EQ(backend_.debug.size(), 2u);
  EXPECT_EQ(backend_.appended, std::vector<std::string>{"[09:08:07.006] FrameClock: DwmFlush\r\n"});
}

TEST_F(LogTest, FailedOpenKeepsLoggingToTheDebugOutput) {
  backend_.openSucceeds = false;
  EXPECT_FALSE(OpenLog(L"/nowhere"));
  Log(L"still here");
  EXPECT_EQ(backend_.debug.size(), 1u);
  EXPECT_TRUE(backend_.appended.empty());
}

TEST_F(LogTest, FileGetsUtf8AndOneLineForAHugeMessage) {
  ASSERT_TRUE(OpenLog(L"/data/logs"));
  Log(L"菜单 %S", "\xE4\xB8\xAD");
  const std::wstring huge(5000, L'x');
  Log(L"%s", huge);
  ASSERT_EQ(backend_.appended.size(), 2u);
  EXPECT_EQ(backend_.appended[0], "[09:08:07.006] \xE8\x8F\x9C\xE5\x8D\x95 \xE4\xB8\xAD\r\n");
  EXPECT_EQ(backend_.appended[1], "[09:08:07.006] " + std::string(kMaxLogMessage, 'x') + "\r\n");
}

TEST_F(LogTest, SwitchingBackendForgetsTheOpenFile) {
  ASSERT_TRUE(OpenLog(L"/data/logs"));
  RecordingBackend other;
  SetLogBackend(&other);
  Log(L"after switch");
  EXPECT_TRUE(other.appended.empty());
  EXPECT_TRUE(backend_.appended.empty());
}

constexpr int kThreads = 8;
constexpr int kLinesPerThread = 400;
constexpr const wchar_t* kPayload = L"负载负载负载负载";

void LogFromManyThreads() {
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t] {
      for (int i = 0; i < kLinesPerThread; ++i) Log(L"worker %d line %d %s", t, i, kPayload);
    });
  }
  for (std::thread& thread : threads) thread.join();
}

// Every line must arrive whole and exactly once.
void ExpectWholeLines(const std::vector<std::string>& lines) {
  const std::regex shape(R"(\[\d\d:\d\d:\d\d\.\d\d\d\] worker (\d+) line (\d+) ([^\r\n]*)\r\n)");
  const std::string payload = WideToUtf8(kPayload);
  std::set<std::pair<int, int>> seen;
  for (const std::string& line : lines) {
    std::smatch m;
    ASSERT_TRUE(std::regex_match(line, m, shape)) << line;
    EXPECT_EQ(m[3], payload) << line;
    EXPECT_TRUE(seen.insert({std::stoi(m[1]), std::stoi(m[2])}).second) << line;
  }
  EXPECT_EQ(seen.size(), static_cast<size_t>(kThreads * kLinesPerThread));
}

TEST_F(LogTest, ConcurrentLinesNeverInterleave) {
  ASSERT_TRUE(OpenLog(L"/data/logs"));
  LogFromManyThreads();
  EXPECT_FALSE(backend_.overlapped) << "two appends ran at once";
  EXPECT_EQ(backend_.debug.size(), static_cast<size_t>(kThreads * kLinesPerThread));
  ExpectWholeLines(backend_.appended);
}

// The build's own backend against a real folder.
class LogFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = fs::temp_directory_path() /
            ("orvane-log-" + std::string(info->name()) + "-" + std::to_string(std::random_device{}()));
    fs::remove_all(root_);
    fs::create_directories(root_);
    SetLogBackend(nullptr);
  }
  void TearDown() override {
    SetLogBackend(nullptr);  // closes the door on the file before the folder goes
    fs::remove_all(root_);
  }

  static std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  static std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
      lines.push_back(text.substr(start, end + 2 - start));
    }
    EXPECT_EQ(start, text.size()) << "text after the last line break";
    return lines;
  }

  fs::path root_;
};

TEST_F(LogFileTest, OpenCreatesFoldersAndTruncatesThePreviousLog) {
  const fs::path logs = root_ / "Orvane" / "logs";
  fs::create_directories(logs);
  { std::ofstream(logs / "orvane.log", std::ios::binary) << "previous run\r\n"; }

  Log(L"before open");
  ASSERT_TRUE(OpenLog(Utf8ToWide(logs.string())));
  Log(L"Orvane starting...");
  Log(L"界面 %d", 2);

  const std::string text = ReadAll(logs / "orvane.log");
  const std::vector<std::string> lines = SplitLines(text);
  ASSERT_EQ(lines.size(), 2u) << text;
  EXPECT_EQ(lines[0].substr(14), " Orvane starting...\r\n");
  EXPECT_EQ(lines[1].substr(14), " \xE7\x95\x8C\xE9\x9D\xA2 2\r\n");
}

TEST_F(LogFileTest, MissingParentsAreCreated) {
  const fs::path logs = root_ / "a" / "b" / "logs";
  ASSERT_TRUE(OpenLog(Utf8ToWide(logs.string())));
  Log(L"x");
  EXPECT_EQ(SplitLines(ReadAll(logs / "orvane.log")).size(), 1u);
}

TEST_F(LogFileTest, UncreatableFolderFailsQuietly) {
  { std::ofstream(root_ / "plain-file") << "x"; }
  EXPECT_FALSE(OpenLog(Utf8ToWide((root_ / "plain-file" / "logs").string())));
  Log(L"goes to the debug output only");
}

TEST_F(LogFileTest, ConcurrentLinesAreWholeInTheFile) {
  const fs::path logs = root_ / "logs";
  ASSERT_TRUE(OpenLog(Utf8ToWide(logs.string())));
  LogFromManyThreads();
  ExpectWholeLines(SplitLines(ReadAll(logs / "orvane.log")));
}

}  // namespace
}  // namespace orvane
