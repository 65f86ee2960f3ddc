// File and process calls of the notification database source on Windows.
#include <windows.h>

#include "platform/win32/Handles.h"
#include "system/notifications/NotificationDatabaseSource.h"

namespace orvane {
namespace {

struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(Handle handle) noexcept { FindClose(handle); }
};
using FindHandle = UniqueHandle<FindHandleTraits>;

class Win32NotificationFileOps final : public NotificationFileOps {
 public:
  bool Exists(const std::wstring& path) override {
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    const DWORD error = GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
  }

  std::optional<FileStamp> Stamp(const std::wstring& path) override {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      return std::nullopt;
    }
    const std::uint64_t size = (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    const std::uint64_t written =
        (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime;
    return FileStamp{size, static_cast<std::int64_t>(written)};
  }

  bool Copy(const std::wstring& from, const std::wstring& to) override {
    return CopyFileW(from.c_str(), to.c_str(), FALSE) != FALSE;
  }

  void Remove(const std::wstring& path) override { DeleteFileW(path.c_str()); }

  std::vector<std::wstring> FileNames(const std::wstring& folder) override {
    std::vector<std::wstring> names;
    std::wstring pattern = folder;
    if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW data{};
    FindHandle find(FindFirstFileW(pattern.c_str(), &data));
    if (!find) return names;
    do {
      if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.emplace_back(data.cFileName);
    } while (FindNextFileW(find.Get(), &data));
    return names;
  }

  std::uint32_t CurrentProcessId() override { return GetCurrentProcessId(); }

  bool ProcessAlive(std::uint32_t processId) override {
    KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, processId));
    if (!process) {
      // Another user's process refuses access yet exists; an id that names
      // no process is an invalid parameter.
      return GetLastError() != ERROR_INVALID_PARAMETER;
    }
    // A process that has ended but whose handle someone still holds is gone.
    return WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT;
  }
};

}  // namespace

std::unique_ptr<NotificationFileOps> CreatePlatformNotificationFileOps() {
  return std::make_unique<Win32NotificationFileOps>();
}

}  // namespace orvane
