// The per-user data directories on Windows: AppData known folders plus the
// ORVANE_DATA_DIR override.
#include <windows.h>
#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>

#include "app/DataDirs.h"
#include "app/TextUtil.h"
#include "app/win32/KnownFolder.h"

namespace orvane {

std::wstring KnownFolderPath(const GUID& folderId) {
  PWSTR raw = nullptr;
  const HRESULT hr = SHGetKnownFolderPath(folderId, KF_FLAG_CREATE, nullptr, &raw);
  std::wstring path;
  if (SUCCEEDED(hr) && raw != nullptr) path = raw;
  // The buffer is the caller's to free even when the call fails.
  CoTaskMemFree(raw);
  return path;
}

std::wstring LocalDataDirectory() {
  return ResolveDataDirectory(GetEnvironment(L"ORVANE_DATA_DIR"), KnownFolderPath(FOLDERID_LocalAppData));
}

std::wstring RoamingDataDirectory() {
  return ResolveDataDirectory(GetEnvironment(L"ORVANE_DATA_DIR"), KnownFolderPath(FOLDERID_RoamingAppData));
}

}  // namespace orvane
