// The log backend of the Linux build (tests and the preview tool): local time
// from the C library, debugger output on stderr when ORVANE_LOG_STDERR is set,
// and a plain file.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "app/DataDirs.h"
#include "app/Log.h"
#include "app/TextUtil.h"

namespace orvane {
namespace {

class StdLogBackend final : public LogBackend {
 public:
  StdLogBackend() : toStderr_(std::getenv("ORVANE_LOG_STDERR") != nullptr) {}

  LogTime Now() override {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    return LogTime{static_cast<unsigned>(local.tm_hour), static_cast<unsigned>(local.tm_min),
                   static_cast<unsigned>(local.tm_sec), static_cast<unsigned>(ms < 0 ? ms + 1000 : ms)};
  }

  void DebugOutput(const std::wstring& line) override {
    if (!toStderr_) return;
    const std::string bytes = WideToUtf8(line);
    std::fwrite(bytes.data(), 1, bytes.size(), stderr);
  }

  // Called under the log's write lock, like Append.
  bool OpenFile(const std::wstring& logsDirectory) override {
    if (file_ != nullptr) {
      std::fclose(file_);
      file_ = nullptr;
    }
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(WideToUtf8(logsDirectory)), ec);
    const std::string path = WideToUtf8(JoinPath(logsDirectory, L"orvane.log"));
    file_ = std::fopen(path.c_str(), "wb");
    return file_ != nullptr;
  }

  void Append(std::string_view utf8) override {
    if (file_ == nullptr) return;
    std::fwrite(utf8.data(), 1, utf8.size(), file_);
    std::fflush(file_);
  }

 private:
  bool toStderr_;
  std::FILE* file_ = nullptr;
};

}  // namespace

LogBackend& DefaultLogBackend() {
  static StdLogBackend backend;
  return backend;
}

}  // namespace orvane
