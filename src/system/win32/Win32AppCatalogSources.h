#pragma once
// Catalog sources on Windows: the AppsFolder through shell items, the
// Programs folders through known folders and FindFirstFileExW. COM must be
// initialised on the calling thread.

#include "system/AppCatalog.h"

namespace orvane {

class Win32AppCatalogSources final : public AppCatalogSources {
 public:
  std::wstring LowerCase(std::wstring text) override;
  void EnumerateAppsFolder(const std::function<bool(const AppsFolderItem&)>& visit) override;
  std::vector<std::wstring> ProgramsFolders() override;
  std::optional<std::vector<FolderEntry>> ListFolder(const std::wstring& folder) override;
};

}  // namespace orvane
