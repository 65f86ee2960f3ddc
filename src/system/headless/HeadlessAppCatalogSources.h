#pragma once
// Catalog sources for the Linux build (tests, benchmark, preview) over a real
// folder tree: the Programs folders are given folders, shortcuts are any
// non-folder entries named "*.lnk" (symbolic links or plain files, broken
// links included, as a broken shortcut is still a file on Windows), and the
// AppsFolder is a given list of store-app records. Folders are listed in
// name order, as NTFS lists them, and symbolic links to folders are not
// followed, as the Windows walk does not follow reparse points.

#include <string>
#include <vector>

#include "system/AppCatalog.h"

namespace orvane {

class HeadlessAppCatalogSources : public AppCatalogSources {
 public:
  HeadlessAppCatalogSources(std::vector<std::wstring> programsFolders, std::vector<AppsFolderItem> appsFolder)
      : programsFolders_(std::move(programsFolders)), appsFolder_(std::move(appsFolder)) {}

  // How many AppsFolder items were handed out (the enumeration stops early).
  std::size_t AppsFolderItemsRead() const { return appsFolderItemsRead_; }

  std::wstring LowerCase(std::wstring text) override;
  void EnumerateAppsFolder(const std::function<bool(const AppsFolderItem&)>& visit) override;
  std::vector<std::wstring> ProgramsFolders() override { return programsFolders_; }
  std::optional<std::vector<FolderEntry>> ListFolder(const std::wstring& folder) override;

 private:
  std::vector<std::wstring> programsFolders_;
  std::vector<AppsFolderItem> appsFolder_;
  std::size_t appsFolderItemsRead_ = 0;
};

}  // namespace orvane
