#pragma once
// What icon extraction asks of the platform. Each call is one source or one
// query and makes no choices; the order of sources, the cache and the
// fallback live in IconExtractor. Windows: win32/Win32IconSources; Linux
// (tests, preview): headless/HeadlessIconSources. Pictures come back as
// valid premultiplied IconImages or empty.

#include <cstddef>  // before IconImage.h, which uses size_t
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "system/IconImage.h"
#include "system/WindowHandle.h"

namespace orvane {

// Stock shell icons (SHSTOCKICONID).
inline constexpr int kStockIconApplication = 2;
inline constexpr int kStockIconRecycler = 31;
inline constexpr int kStockIconRecyclerFull = 32;

// Two string properties of a store app's AppsFolder item; "" when missing.
struct PackageLogoProperties {
  std::wstring installPath;     // the package's install folder
  std::wstring smallLogoPath;   // the tile's small logo, relative to it
};

// What a shortcut file points at; empty fields when unknown.
struct ShortcutIconSource {
  std::wstring iconPath;  // the shortcut's own icon location
  int iconIndex = 0;
  std::wstring targetPath;
};

class IconSources {
 public:
  virtual ~IconSources() = default;

  // --- text and files ---------------------------------------------------------
  virtual std::wstring ExpandEnvironment(const std::wstring& text) = 0;  // ExpandEnvironmentStringsW
  virtual std::wstring LowerCase(std::wstring text) = 0;                 // CharLowerBuffW
  virtual bool Exists(const std::wstring& path) = 0;                     // GetFileAttributesW succeeds
  virtual bool IsFolder(const std::wstring& path) = 0;
  // GetFileAttributesExW: the last-write FILETIME as one 64-bit number.
  virtual std::optional<std::uint64_t> LastWriteTime(const std::wstring& path) = 0;
  // Names of the regular files directly in a folder, in directory order.
  virtual std::vector<std::wstring> FileNamesIn(const std::wstring& folder) = 0;
  // The raw FSCTL_GET_REPARSE_POINT answer when the path is a reparse point;
  // nullopt for anything else or on failure.
  virtual std::optional<std::vector<std::uint8_t>> ReparseData(const std::wstring& path) = 0;

  // --- shell items ----------------------------------------------------------------
  // The AppsFolder item of an AUMID and its package install and logo paths.
  virtual PackageLogoProperties PackageLogo(const std::wstring& aumid) = 0;
  // A number that changes when the app's package is updated or reinstalled:
  // the last-write time of its install folder (each version installs into a
  // folder of its own). nullopt when the package or its folder is unknown.
  virtual std::optional<std::uint64_t> PackageStamp(const std::wstring& aumid) = 0;
  // Reads a shortcut file (without resolving a moved target).
  virtual ShortcutIconSource ReadShortcut(const std::wstring& path) = 0;

  // --- pictures -----------------------------------------------------------------------
  // Frame 0 of an image file at its own size.
  virtual IconImage DecodeImageFile(const std::wstring& path) = 0;
  // IShellItemImageFactory::GetImage at size x size (icon only, bigger size
  // allowed; then resize-to-fit), alpha fixed up.
  virtual IconImage ShellItemImage(const std::wstring& path, unsigned size) = 0;
  // PrivateExtractIconsW: icon `index` of an executable, library or icon file.
  virtual IconImage FileIcon(const std::wstring& path, int index, unsigned size) = 0;
  // The jumbo system image list's icon for the path.
  virtual IconImage JumboIcon(const std::wstring& path, unsigned size) = 0;
  // The jumbo system image list's icon at a stock icon's system index.
  virtual IconImage StockIcon(int stockId, unsigned size) = 0;
  // The stock application icon (SHGetStockIconInfo with SHGSI_ICON).
  virtual IconImage StockApplicationIcon(unsigned size) = 0;
  // The icon a live window shows (big, class, small), not destroyed.
  virtual IconImage WindowIcon(WindowHandle window, unsigned size) = 0;
};

// The platform's sources (win32/ or headless/).
IconSources& PlatformIconSources();

}  // namespace orvane
