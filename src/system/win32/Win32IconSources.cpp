#include "system/win32/Win32IconSources.h"

#include <shlobj.h>
#include <shobjidl.h>
#include <knownfolders.h>
#include <winioctl.h>

#include <cwchar>

#include "app/DataDirs.h"
#include "app/TextUtil.h"
#include "platform/win32/ComPtr.h"
#include "system/AppExecutionAlias.h"
#include "system/win32/FolderListing.h"

namespace orvane {
namespace {

// Package install folder: {9F4C2855-9F79-4B39-A8D0-E1D42DE1D5F3}, 15.
constexpr PROPERTYKEY kPackageInstallPath = {
    {0x9F4C2855, 0x9F79, 0x4B39, {0xA8, 0xD0, 0xE1, 0xD4, 0x2D, 0xE1, 0xD5, 0xF3}}, 15};
// Tile small logo: {86D40B4D-9069-443C-819A-2A54090DCCEC}, 2.
constexpr PROPERTYKEY kTileSmallLogoPath = {
    {0x86D40B4D, 0x9069, 0x443C, {0x81, 0x9A, 0x2A, 0x54, 0x09, 0x0D, 0xCC, 0xEC}}, 2};

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

// A VT_LPWSTR property as text; "" for anything else.
std::wstring StringProperty(IPropertyStore* store, const PROPERTYKEY& key) {
  PROPVARIANT value;
  PropVariantInit(&value);
  std::wstring text;
  if (SUCCEEDED(store->GetValue(key, &value)) && value.vt == VT_LPWSTR && value.pwszVal != nullptr) {
    text = value.pwszVal;
  }
  PropVariantClear(&value);
  return text;
}

// Text up to the first NUL inside the buffer.
std::wstring Terminated(const wchar_t* buffer, std::size_t capacity) {
  return std::wstring(buffer, wcsnlen(buffer, capacity));
}

}  // namespace

std::wstring Win32IconSources::ExpandEnvironment(const std::wstring& text) { return orvane::ExpandEnvironment(text); }

std::wstring Win32IconSources::LowerCase(std::wstring text) {
  if (!text.empty()) CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

bool Win32IconSources::Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32IconSources::IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::optional<std::uint64_t> Win32IconSources::LastWriteTime(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  return static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32 | data.ftLastWriteTime.dwLowDateTime;
}

std::vector<std::wstring> Win32IconSources::FileNamesIn(const std::wstring& folder) {
  std::vector<std::wstring> names;
  ForEachFolderEntry(folder, [&](const WIN32_FIND_DATAW& data) {
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(EntryName(data));
  });
  return names;
}

std::optional<std::vector<std::uint8_t>> Win32IconSources::ReparseData(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return std::nullopt;
  const FileHandle file(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file.valid()) return std::nullopt;
  std::vector<std::uint8_t> buffer(kReparseBufferBytes);
  DWORD returned = 0;
  if (!DeviceIoControl(file.get(), FSCTL_GET_REPARSE_POINT, nullptr, 0, buffer.data(),
                       static_cast<DWORD>(buffer.size()), &returned, nullptr)) {
    return std::nullopt;
  }
  buffer.resize(returned);
  return buffer;
}

PackageLogoProperties Win32IconSources::PackageLogo(const std::wstring& aumid) {
  ComPtr<IShellItem2> item;
  if (FAILED(SHCreateItemInKnownFolder(FOLDERID_AppsFolder, 0, aumid.c_str(), IID_IShellItem2, item.PutVoid()))) {
    return {};
  }
  ComPtr<IPropertyStore> store;
  if (FAILED(item->GetPropertyStore(GPS_DEFAULT, IID_IPropertyStore, store.PutVoid()))) return {};
  return {StringProperty(store.Get(), kPackageInstallPath), StringProperty(store.Get(), kTileSmallLogoPath)};
}

std::optional<std::uint64_t> Win32IconSources::PackageStamp(const std::wstring& aumid) {
  const std::wstring installPath = PackageLogo(aumid).installPath;
  if (installPath.empty()) return std::nullopt;
  return LastWriteTime(installPath);
}

ShortcutIconSource Win32IconSources::ReadShortcut(const std::wstring& path) {
  ComPtr<IShellLinkW> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.PutVoid()))) {
    return {};
  }
  ComPtr<IPersistFile> file = link.TryAs<IPersistFile>();
  if (!file || FAILED(file->Load(path.c_str(), STGM_READ))) return {};
  ShortcutIconSource source;
  wchar_t buffer[MAX_PATH] = {};
  int index = 0;
  if (SUCCEEDED(link->GetIconLocation(buffer, MAX_PATH, &index))) {
    source.iconPath = Terminated(buffer, MAX_PATH);
    source.iconIndex = index;
  }
  buffer[0] = L'\0';
  if (SUCCEEDED(link->GetPath(buffer, MAX_PATH, nullptr, SLGP_RAWPATH))) source.targetPath = Terminated(buffer, MAX_PATH);
  return source;
}

IconSources& PlatformIconSources() {
  static Win32IconSources sources;
  return sources;
}

}  // namespace orvane
