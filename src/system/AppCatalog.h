#pragma once
// Every installed application the launcher grid shows: the pinned dock items,
// the store and desktop apps of the shell's AppsFolder, and the shortcuts in
// the Programs folders, without uninstallers and read-me files, each name
// once, sorted by lower-cased name. Built once, on the grid's first show.

#include <cstddef>  // before IconImage.h, which uses size_t
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "config/DockConfig.h"
#include "system/IconImage.h"

namespace orvane {

inline constexpr std::size_t kCatalogAppsFolderLimit = 400;
inline constexpr std::size_t kCatalogLimit = 500;

struct CatalogApp {
  std::wstring name;
  std::wstring nameLower;  // sort and de-duplication key
  std::wstring target;
  std::wstring arguments;  // only pinned items have any
  IconImage icon;          // loaded lazily by the launcher grid
  bool iconRequested = false;
};

// One item of the shell's AppsFolder.
struct AppsFolderItem {
  std::wstring name;   // normal display name
  std::wstring aumid;  // "" when the item has none
};

// One entry directly inside a folder.
struct FolderEntry {
  std::wstring name;
  bool isFolder = false;  // a folder the walk may descend into
};

// Where the catalog comes from. Windows: win32/Win32AppCatalogSources;
// Linux: headless/HeadlessAppCatalogSources over a real folder tree.
class AppCatalogSources {
 public:
  virtual ~AppCatalogSources() = default;
  virtual std::wstring LowerCase(std::wstring text) = 0;  // CharLowerBuffW
  // The AppsFolder's items one at a time, until visit returns false.
  virtual void EnumerateAppsFolder(const std::function<bool(const AppsFolderItem&)>& visit) = 0;
  // The common Programs folder, then the user's; "" for one that cannot be found.
  virtual std::vector<std::wstring> ProgramsFolders() = 0;
  // The folder's entries in directory order; nullopt when it cannot be listed.
  virtual std::optional<std::vector<FolderEntry>> ListFolder(const std::wstring& folder) = 0;
};

class AppCatalog {
 public:
  // Fills the catalog on the first call; later calls return at once.
  void Build(std::span<const DockItemConfig> pinned, AppCatalogSources& sources);

  bool built() const { return built_; }
  std::vector<CatalogApp>& apps() { return apps_; }
  const std::vector<CatalogApp>& apps() const { return apps_; }

 private:
  void Add(AppCatalogSources& sources, const std::wstring& name, const std::wstring& target,
           const std::wstring& arguments);
  void AddShortcutsIn(AppCatalogSources& sources, const std::wstring& folder);

  std::vector<CatalogApp> apps_;
  std::unordered_set<std::wstring> names_;
  bool built_ = false;
};

// Indices of the apps whose nameLower contains the (already lower-cased)
// query, in catalog order; all of them for an empty query.
std::vector<std::size_t> FilterCatalog(const std::vector<CatalogApp>& apps, std::wstring_view queryLower);

// Uninstallers, read-me files and release notes stay out of the catalog.
bool IsExcludedCatalogName(std::wstring_view nameLower);

// Order of UTF-16 code units, whatever the width of wchar_t: a prefix sorts
// before its extensions, and characters above U+FFFF (surrogate pairs)
// before U+E000..U+FFFF.
bool LessAsUtf16(std::wstring_view a, std::wstring_view b);

}  // namespace orvane
