// config.json file operations on Windows.
#include <windows.h>
#include <shlobj.h>

#include <algorithm>

#include "config/ConfigFile.h"

namespace orvane {
namespace {

class HandleCloser {
 public:
  explicit HandleCloser(HANDLE handle) : handle_(handle) {}
  ~HandleCloser() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  HandleCloser(const HandleCloser&) = delete;
  HandleCloser& operator=(const HandleCloser&) = delete;
  HANDLE get() const { return handle_; }
  // Closes now so the caller sees the result (the last write may surface here).
  bool Close() {
    const BOOL ok = CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    return ok != FALSE;
  }

 private:
  HANDLE handle_;
};

class Win32ConfigFileSystem final : public ConfigFileSystem {
 public:
  FileReadResult Read(const std::wstring& path) override {
    // Share everything so an editor holding the file open does not stop us.
    HandleCloser file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
      return {missing ? FileReadStatus::NotFound : FileReadStatus::Unreadable, {}};
    }
    FileReadResult result{FileReadStatus::Ok, {}};
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file.get(), &size) && size.QuadPart > 0 && size.QuadPart < 0x40000000) {
      result.bytes.reserve(static_cast<size_t>(size.QuadPart));
    }
    char buffer[64 * 1024];
    for (;;) {
      DWORD got = 0;
      if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) return {FileReadStatus::Unreadable, {}};
      if (got == 0) break;
      result.bytes.append(buffer, got);
    }
    return result;
  }

  bool CreateFolders(const std::wstring& path) override {
    const int result = SHCreateDirectoryExW(nullptr, path.c_str(), nullptr);
    return result == ERROR_SUCCESS || result == ERROR_ALREADY_EXISTS || result == ERROR_FILE_EXISTS;
  }

  bool WriteFlushed(const std::wstring& path, std::string_view bytes) override {
    HandleCloser file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) return false;
    size_t done = 0;
    while (done < bytes.size()) {
      const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
      DWORD written = 0;
      if (!WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
      done += written;
    }
    if (!FlushFileBuffers(file.get())) return false;
    return file.Close();
  }

  bool MoveReplacing(const std::wstring& from, const std::wstring& to) override {
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
  }

  void Remove(const std::wstring& path) override { DeleteFileW(path.c_str()); }
};

}  // namespace

ConfigFileSystem& PlatformConfigFileSystem() {
  static Win32ConfigFileSystem files;
  return files;
}

}  // namespace orvane
