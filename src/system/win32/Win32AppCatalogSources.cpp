#include "system/win32/Win32AppCatalogSources.h"

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <knownfolders.h>
#include <propkey.h>

#include <cwchar>

#include "app/DataDirs.h"
#include "app/win32/KnownFolder.h"
#include "render/win32/ComPtr.h"

namespace orvane {
namespace {

// Frees a string the shell allocated with CoTaskMemAlloc.
std::wstring TakeShellString(PWSTR text) {
  std::wstring copy = text != nullptr ? text : L"";
  CoTaskMemFree(text);
  return copy;
}

class FindHandle {
 public:
  explicit FindHandle(HANDLE handle) : handle_(handle) {}
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  ~FindHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
  }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

}  // namespace

std::wstring Win32AppCatalogSources::LowerCase(std::wstring text) {
  if (!text.empty()) CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

void Win32AppCatalogSources::EnumerateAppsFolder(const std::function<bool(const AppsFolderItem&)>& visit) {
  ComPtr<IShellItem> folder;
  if (FAILED(SHGetKnownFolderItem(FOLDERID_AppsFolder, KF_FLAG_DEFAULT, nullptr, IID_IShellItem, folder.PutVoid()))) {
    return;
  }
  ComPtr<IEnumShellItems> items;
  if (FAILED(folder->BindToHandler(nullptr, BHID_EnumItems, IID_IEnumShellItems, items.PutVoid()))) return;
  for (;;) {
    ComPtr<IShellItem> item;
    ULONG fetched = 0;
    if (items->Next(1, item.Put(), &fetched) != S_OK || fetched != 1 || !item) return;
    AppsFolderItem entry;
    PWSTR text = nullptr;
    if (SUCCEEDED(item->GetDisplayName(SIGDN_NORMALDISPLAY, &text))) entry.name = TakeShellString(text);
    if (ComPtr<IShellItem2> properties = item.TryAs<IShellItem2>()) {
      text = nullptr;
      if (SUCCEEDED(properties->GetString(PKEY_AppUserModel_ID, &text))) entry.aumid = TakeShellString(text);
    }
    if (!visit(entry)) return;
  }
}

std::vector<std::wstring> Win32AppCatalogSources::ProgramsFolders() {
  return {KnownFolderPath(FOLDERID_CommonPrograms), KnownFolderPath(FOLDERID_Programs)};
}

std::optional<std::vector<FolderEntry>> Win32AppCatalogSources::ListFolder(const std::wstring& folder) {
  WIN32_FIND_DATAW data{};
  const FindHandle find(FindFirstFileExW(JoinPath(folder, L"*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                         nullptr, FIND_FIRST_EX_LARGE_FETCH));
  if (!find.valid()) return std::nullopt;
  std::vector<FolderEntry> entries;
  do {
    const std::wstring name(data.cFileName, wcsnlen(data.cFileName, MAX_PATH));
    if (name == L"." || name == L"..") continue;
    const bool folderEntry = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    // Junctions and folder links are not followed: they can lead in circles.
    if (folderEntry && (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) continue;
    entries.push_back(FolderEntry{name, folderEntry});
  } while (FindNextFileW(find.get(), &data));
  return entries;
}

}  // namespace orvane
