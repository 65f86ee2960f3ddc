#include "system/win32/Win32AppCatalogSources.h"

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <knownfolders.h>
#include <propkey.h>

#include "app/win32/KnownFolder.h"
#include "platform/win32/ComPtr.h"
#include "system/win32/FolderListing.h"

namespace orvane {
namespace {

// Frees a string the shell allocated with CoTaskMemAlloc.
std::wstring TakeShellString(PWSTR text) {
  std::wstring copy = text != nullptr ? text : L"";
  CoTaskMemFree(text);
  return copy;
}

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
  std::vector<FolderEntry> entries;
  const bool listed = ForEachFolderEntry(folder, [&](const WIN32_FIND_DATAW& data) {
    const bool isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    // Junctions and folder links are not followed: they can lead in circles.
    if (isFolder && (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return;
    entries.push_back(FolderEntry{EntryName(data), isFolder});
  });
  if (!listed) return std::nullopt;
  return entries;
}

}  // namespace orvane
