#pragma once
// Icons for everything the shell surfaces show as an application: paths,
// shortcuts, App Execution Aliases, store apps, settings URIs, running
// windows, user-chosen images and stock shell icons, as IconImages at (about)
// a requested size. Successful extractions are kept in the disk cache and
// read back from there later; when every source fails a placeholder is
// returned, so callers always have something to draw.
//
// Synchronous, for the UI thread (COM initialised on it). The result's size
// is what the source delivered; consumers scale when drawing.

#include <cstddef>  // before IconImage.h, which uses size_t
#include <optional>
#include <string>

#include "system/AppExecutionAlias.h"
#include "system/IconCache.h"
#include "system/IconImage.h"
#include "system/IconSources.h"
#include "system/WindowHandle.h"

namespace orvane {

class IconExtractor {
 public:
  IconExtractor(IconSources& sources, IconCache cache);

  // A path (executable, shortcut, any file or folder), "shell:AppsFolder\"
  // + AUMID, or an "ms-settings:" URI. Cache, then the sources in order, then
  // the fallback (logged, never cached). Never empty for a positive size.
  IconImage ForTarget(const std::wstring& target, unsigned size);
  // A tracked app: by its AUMID, else by its executable; only without both
  // the window's own icon (not cached), else the fallback.
  IconImage ForRunningApp(WindowHandle window, const std::wstring& exePath, const std::wstring& aumid, unsigned size);
  // A user-chosen picture or icon file; empty when the path is empty or
  // names nothing. No fallback.
  IconImage ForCustomImage(const std::wstring& path, unsigned size);
  // A stock shell icon (kStockIconRecycler, ...); empty on failure.
  IconImage ForStockIcon(int stockId, unsigned size);
  // The stock application icon, else the drawn placeholder.
  IconImage Fallback(unsigned size);

  // Cache keys: the lower-cased expanded target with its file's write time
  // (a store app's or settings URI's: its package's stamp) and the size, so
  // a changed file or updated package is extracted again. A custom image's
  // key is "custom://" + its path, with the image file's own write time, so
  // an edited picture is read again.
  std::wstring TargetKey(const std::wstring& target, unsigned size);
  std::wstring CustomImageKey(const std::wstring& path, unsigned size);

  // The alias a path is, if it is one.
  std::optional<AppExecutionAlias> ResolveAppExecutionAlias(const std::wstring& path);
  // The best logo asset of a store app's package, decoded.
  IconImage PackageLogoForAumid(const std::wstring& aumid);

  IconCache& cache() { return cache_; }

 private:
  std::wstring Expand(const std::wstring& text);
  std::wstring KeyFor(const std::wstring& text, std::optional<std::uint64_t> stamp, unsigned size);
  std::optional<std::uint64_t> TargetStamp(const std::wstring& expandedTarget);
  IconImage ExtractTarget(const std::wstring& target, unsigned size);
  IconImage ShortcutFileIcon(const std::wstring& shortcut, unsigned size);
  IconImage ExtractCustomImage(const std::wstring& path, unsigned size);

  IconSources& sources_;
  IconCache cache_;
};

// The program's extractor: platform sources, platform PNG codec and files,
// and the process-wide cache directory.
IconExtractor& PlatformIconExtractor();

}  // namespace orvane
