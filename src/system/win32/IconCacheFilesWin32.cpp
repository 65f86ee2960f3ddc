// Icon cache file operations on Windows.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <limits>

#include "system/IconCache.h"

namespace orvane {
namespace {

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { Close(); }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }
  bool Close() {
    if (!valid()) return true;
    const bool closed = CloseHandle(handle_) != FALSE;
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE handle_;
};

// FILE_INFO_BY_HANDLE_CLASS value of FileRenameInfoEx (Windows 10 1607 and
// later); the SDK headers here only declare it for some version settings.
constexpr auto kFileRenameInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(22);

// A rename over an entry that a reader holds open fails with the classic
// semantics; POSIX semantics (Windows 10 1709 and later, NTFS) let the
// reader keep the old file while the name moves on.
bool RenamePosix(const std::wstring& from, const std::wstring& to) {
  FileHandle file(CreateFileW(from.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return false;
  const std::size_t nameBytes = to.size() * sizeof(wchar_t);
  if (nameBytes > std::numeric_limits<DWORD>::max() / 2) return false;
  std::vector<std::uint8_t> buffer(sizeof(FILE_RENAME_INFO) + nameBytes + sizeof(wchar_t), 0);
  auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  info->Flags = FILE_RENAME_FLAG_REPLACE_IF_EXISTS | FILE_RENAME_FLAG_POSIX_SEMANTICS;
  info->RootDirectory = nullptr;
  info->FileNameLength = static_cast<DWORD>(nameBytes);
  std::memcpy(info->FileName, to.c_str(), nameBytes);
  return SetFileInformationByHandle(file.get(), kFileRenameInfoEx, info, static_cast<DWORD>(buffer.size())) != FALSE;
}

class Win32IconCacheFiles final : public IconCacheFiles {
 public:
  std::optional<std::vector<std::uint8_t>> Read(const std::wstring& path, std::size_t maxBytes) override {
    // Sharing delete and write keeps a writer's rename over this file possible.
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.valid()) return std::nullopt;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
      return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < bytes.size()) {
      const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
      DWORD got = 0;
      if (!ReadFile(file.get(), bytes.data() + done, want, &got, nullptr) || got == 0) break;
      done += got;
    }
    bytes.resize(done);
    return bytes;
  }

  bool CreateNew(const std::wstring& path, std::span<const std::uint8_t> bytes) override {
    FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    bool ok = true;
    std::size_t done = 0;
    while (done < bytes.size()) {
      const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
      DWORD wrote = 0;
      if (!WriteFile(file.get(), bytes.data() + done, want, &wrote, nullptr) || wrote == 0) {
        ok = false;
        break;
      }
      done += wrote;
    }
    if (!file.Close()) ok = false;
    if (!ok) DeleteFileW(path.c_str());
    return ok;
  }

  bool MoveReplacing(const std::wstring& from, const std::wstring& to) override {
    if (RenamePosix(from, to)) return true;
    // Older systems and other file systems: the classic rename, which fails
    // while a reader has the entry open; such a reader finishes in moments.
    constexpr int kAttempts = 5;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
      if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
      const DWORD error = GetLastError();
      if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) return false;
      Sleep(10);
    }
    return false;
  }

  void Remove(const std::wstring& path) override { DeleteFileW(path.c_str()); }
};

}  // namespace

IconCacheFiles& PlatformIconCacheFiles() {
  static Win32IconCacheFiles files;
  return files;
}

}  // namespace orvane
