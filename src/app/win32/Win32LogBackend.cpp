// The log backend of the Windows build.
#include <windows.h>
#include <shlobj.h>

#include "app/DataDirs.h"
#include "app/Log.h"

namespace orvane {
namespace {

class Win32LogBackend final : public LogBackend {
 public:
  LogTime Now() override {
    SYSTEMTIME st{};
    GetLocalTime(&st);
    return LogTime{st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
  }

  void DebugOutput(const std::wstring& line) override { OutputDebugStringW(line.c_str()); }

  // Called under the log's write lock, like Append. The handle stays open for
  // the life of the process; only a second open replaces it.
  bool OpenFile(const std::wstring& logsDirectory) override {
    if (file_ != INVALID_HANDLE_VALUE) {
      CloseHandle(file_);
      file_ = INVALID_HANDLE_VALUE;
    }
    // An existing folder is fine; a real failure shows up in CreateFileW.
    SHCreateDirectoryExW(nullptr, logsDirectory.c_str(), nullptr);
    const std::wstring path = JoinPath(logsDirectory, L"orvane.log");
    file_ = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                        nullptr);
    return file_ != INVALID_HANDLE_VALUE;
  }

  void Append(std::string_view utf8) override {
    if (file_ == INVALID_HANDLE_VALUE || utf8.empty()) return;
    LARGE_INTEGER zero{};
    if (!SetFilePointerEx(file_, zero, nullptr, FILE_END)) return;
    DWORD written = 0;
    WriteFile(file_, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
  }

 private:
  HANDLE file_ = INVALID_HANDLE_VALUE;
};

}  // namespace

LogBackend& DefaultLogBackend() {
  static Win32LogBackend backend;
  return backend;
}

}  // namespace orvane
