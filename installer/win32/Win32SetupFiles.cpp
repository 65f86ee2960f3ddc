// Win32SetupPlatform: the known folders, the embedded payload, files and
// shell links.
#include "Win32SetupPlatform.h"

#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

namespace orvane {
namespace {

std::wstring KnownFolder(const KNOWNFOLDERID& id) {
  PWSTR path = nullptr;
  std::wstring result;
  if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_CREATE, nullptr, &path)) && path != nullptr) result = path;
  CoTaskMemFree(path);
  return result;
}

// Our own executable's full path, however long it is.
std::wstring ModulePath() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return std::wstring(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

// Releases a COM interface when it goes out of scope.
template <class T>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() {
    if (p_ != nullptr) p_->Release();
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  T* operator->() const { return p_; }
  void** Out() { return reinterpret_cast<void**>(&p_); }

 private:
  T* p_ = nullptr;
};

}  // namespace

KnownFolders QueryKnownFolders() {
  return {KnownFolder(FOLDERID_LocalAppData), KnownFolder(FOLDERID_Desktop), KnownFolder(FOLDERID_Programs)};
}

std::span<const std::uint8_t> Win32SetupPlatform::LoadPayload() {
  HRSRC resource = FindResourceW(instance_, MAKEINTRESOURCEW(kPayloadResource), RT_RCDATA);
  if (resource == nullptr) return {};
  HGLOBAL loaded = LoadResource(instance_, resource);
  if (loaded == nullptr) return {};
  const void* bytes = LockResource(loaded);
  const DWORD size = SizeofResource(instance_, resource);
  if (bytes == nullptr || size == 0) return {};
  return {static_cast<const std::uint8_t*>(bytes), size};
}

void Win32SetupPlatform::CreateFolder(const std::wstring& path) {
  SHCreateDirectoryExW(nullptr, path.c_str(), nullptr);
}

bool Win32SetupPlatform::WriteWholeFile(const std::wstring& path, std::span<const std::uint8_t> bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  while (ok && !bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    ok = WriteFile(file, bytes.data(), chunk, &written, nullptr) != FALSE && written == chunk;
    bytes = bytes.subspan(written);
  }
  ok = ok && FlushFileBuffers(file) != FALSE;
  return CloseHandle(file) != FALSE && ok;
}

bool Win32SetupPlatform::MoveFileReplacing(const std::wstring& from, const std::wstring& to) {
  return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool Win32SetupPlatform::CopySelfTo(const std::wstring& path) {
  const std::wstring self = ModulePath();
  return !self.empty() && CopyFileW(self.c_str(), path.c_str(), FALSE) != FALSE;
}

bool Win32SetupPlatform::CreateShortcut(const ShortcutSpec& shortcut) {
  ComRef<IShellLinkW> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.Out()))) {
    return false;
  }
  if (FAILED(link->SetPath(shortcut.targetPath.c_str())) ||
      FAILED(link->SetWorkingDirectory(shortcut.workingDirectory.c_str())) ||
      FAILED(link->SetDescription(shortcut.description.c_str())) ||
      FAILED(link->SetIconLocation(shortcut.iconPath.c_str(), shortcut.iconIndex))) {
    return false;
  }
  ComRef<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.Out()))) return false;
  return SUCCEEDED(file->Save(shortcut.linkPath.c_str(), TRUE));
}

bool Win32SetupPlatform::RemoveFile(const std::wstring& path) {
  if (DeleteFileW(path.c_str())) return true;
  const DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

}  // namespace orvane
