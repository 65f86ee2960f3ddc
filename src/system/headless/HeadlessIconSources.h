#pragma once
// Icon sources for the Linux build (tests and the preview tool), over the
// real file system. Image files decode when they are PNGs. Where Windows
// would draw a shell icon, a rounded square in a colour derived from the
// item's lower-cased file name stands in, at the size the Windows source
// delivers (the requested size; 256 for the jumbo image list). Shortcuts are
// symbolic links named "*.lnk". Store apps exist only once registered.
// Linux has no App Execution Aliases and no windows here.

#include <map>
#include <string>

#include "system/IconSources.h"

namespace orvane {

class HeadlessIconSources : public IconSources {
 public:
  // A store app whose AppsFolder item reports these two properties.
  void RegisterPackage(const std::wstring& aumid, PackageLogoProperties properties);

  std::wstring ExpandEnvironment(const std::wstring& text) override;
  std::wstring LowerCase(std::wstring text) override;
  bool Exists(const std::wstring& path) override;
  bool IsFolder(const std::wstring& path) override;
  std::optional<std::uint64_t> LastWriteTime(const std::wstring& path) override;
  std::vector<std::wstring> FileNamesIn(const std::wstring& folder) override;
  std::optional<std::vector<std::uint8_t>> ReparseData(const std::wstring& path) override;
  PackageLogoProperties PackageLogo(const std::wstring& aumid) override;
  std::optional<std::uint64_t> PackageStamp(const std::wstring& aumid) override;
  ShortcutIconSource ReadShortcut(const std::wstring& path) override;
  IconImage DecodeImageFile(const std::wstring& path) override;
  IconImage ShellItemImage(const std::wstring& path, unsigned size) override;
  IconImage FileIcon(const std::wstring& path, int index, unsigned size) override;
  IconImage JumboIcon(const std::wstring& path, unsigned size) override;
  IconImage StockIcon(int stockId, unsigned size) override;
  IconImage StockApplicationIcon(unsigned size) override;
  IconImage WindowIcon(WindowHandle window, unsigned size) override;

 private:
  std::map<std::wstring, PackageLogoProperties> packages_;  // by lower-cased AUMID
};

// The icon the headless shell shows for a name (any text), at a size.
IconImage HeadlessShellIcon(const std::wstring& lowerName, unsigned size);

}  // namespace orvane
