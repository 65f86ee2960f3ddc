#include "system/IconExtractor.h"

#include <utility>

#include "app/DataDirs.h"
#include "app/Log.h"
#include "system/FallbackIcon.h"
#include "system/IconCacheKey.h"
#include "system/IconPixels.h"
#include "system/IconTarget.h"
#include "system/LogoAsset.h"

namespace orvane {
namespace {

// A source's answer counts only when it would draw something: a picture
// with no visible pixel (some shell sources answer a blank 1 x 1 bitmap) is
// a failure, so the next source is asked and nothing invisible is cached.
bool Shows(const IconImage& image) { return !image.empty() && AnyAlpha(image.pixels); }

}  // namespace

IconExtractor::IconExtractor(IconSources& sources, IconCache cache) : sources_(sources), cache_(std::move(cache)) {}

std::wstring IconExtractor::Expand(const std::wstring& text) {
  if (text.find(L'%') == std::wstring::npos) return text;
  return sources_.ExpandEnvironment(text);
}

std::wstring IconExtractor::KeyFor(const std::wstring& text, std::optional<std::uint64_t> stamp, unsigned size) {
  // 0 for missing files and unknown packages.
  return FormatIconCacheKey(sources_.LowerCase(text), stamp.value_or(0), size);
}

std::optional<std::uint64_t> IconExtractor::TargetStamp(const std::wstring& expandedTarget) {
  const IconTarget kind = ClassifyIconTarget(expandedTarget);
  if (kind.kind == IconTargetKind::StoreApp || kind.kind == IconTargetKind::SettingsUri) {
    return sources_.PackageStamp(kind.aumid);
  }
  return sources_.LastWriteTime(expandedTarget);
}

std::wstring IconExtractor::TargetKey(const std::wstring& target, unsigned size) {
  const std::wstring expanded = Expand(target);
  return KeyFor(expanded, TargetStamp(expanded), size);
}

std::wstring IconExtractor::CustomImageKey(const std::wstring& path, unsigned size) {
  const std::wstring expanded = Expand(path);
  return KeyFor(std::wstring(kCustomImagePrefix) + expanded, sources_.LastWriteTime(expanded), size);
}

std::optional<AppExecutionAlias> IconExtractor::ResolveAppExecutionAlias(const std::wstring& path) {
  return orvane::ResolveAppExecutionAlias(sources_, path);
}

IconImage IconExtractor::PackageLogoForAumid(const std::wstring& aumid) {
  const PackageLogoProperties package = sources_.PackageLogo(aumid);
  if (package.installPath.empty() || package.smallLogoPath.empty()) return IconImage{};
  const std::wstring declared = JoinPath(package.installPath, package.smallLogoPath);
  const std::wstring best = FindBestLogoAsset(sources_, declared);
  if (!best.empty()) {
    IconImage image = sources_.DecodeImageFile(best);
    if (Shows(image)) return image;
  }
  if (best != declared && sources_.Exists(declared)) {
    IconImage image = sources_.DecodeImageFile(declared);
    if (Shows(image)) return image;
  }
  return IconImage{};
}

IconImage IconExtractor::ShortcutFileIcon(const std::wstring& shortcut, unsigned size) {
  // A shortcut file holds no icon resource; its icon location or its target does.
  const ShortcutIconSource link = sources_.ReadShortcut(shortcut);
  const std::wstring iconPath = Expand(link.iconPath);
  if (!iconPath.empty()) {
    IconImage image = sources_.FileIcon(iconPath, link.iconIndex, size);
    if (Shows(image)) return image;
  }
  const std::wstring targetPath = Expand(link.targetPath);
  if (!targetPath.empty()) {
    IconImage image = sources_.FileIcon(targetPath, 0, size);
    if (Shows(image)) return image;
  }
  return IconImage{};
}

IconImage IconExtractor::ExtractTarget(const std::wstring& target, unsigned size) {
  const IconTarget kind = ClassifyIconTarget(target);
  std::wstring aumid = kind.aumid;
  std::wstring aliasExe;
  if (kind.kind == IconTargetKind::Path || kind.kind == IconTargetKind::Shortcut) {
    if (const std::optional<AppExecutionAlias> alias = ResolveAppExecutionAlias(target)) {
      aliasExe = alias->exePath;
      if (!alias->aumid.empty()) aumid = alias->aumid;
    }
  }

  // An alias is a zero-byte file: the executable behind it has the icon.
  if (!aliasExe.empty()) {
    IconImage image = sources_.FileIcon(aliasExe, 0, size);
    if (Shows(image)) return image;
  }
  if (!aumid.empty()) {
    IconImage image = PackageLogoForAumid(aumid);
    if (Shows(image)) return image;
  }

  const std::wstring& source = aliasExe.empty() ? target : aliasExe;
  IconImage image = sources_.ShellItemImage(source, size);
  if (Shows(image)) return image;

  if (kind.kind == IconTargetKind::Shortcut && aliasExe.empty()) {
    image = ShortcutFileIcon(source, size);
    if (Shows(image)) return image;
  } else if (aliasExe.empty()) {  // an alias's executable was asked above
    image = sources_.FileIcon(source, 0, size);
    if (Shows(image)) return image;
  }

  image = sources_.JumboIcon(source, size);
  if (Shows(image)) return image;
  return IconImage{};
}

IconImage IconExtractor::ForTarget(const std::wstring& target, unsigned size) {
  const std::wstring key = TargetKey(target, size);
  IconImage cached = cache_.Load(key);
  if (!cached.empty()) return cached;

  const std::wstring expanded = Expand(target);
  IconImage image = ExtractTarget(expanded, size);
  if (!image.empty()) {
    cache_.Save(key, image, IconCacheItem(sources_.LowerCase(expanded), size));
    return image;
  }
  Log(L"IconExtractor: using fallback icon for %s", target);
  return Fallback(size);
}

IconImage IconExtractor::ForRunningApp(WindowHandle window, const std::wstring& exePath, const std::wstring& aumid,
                                       unsigned size) {
  if (!aumid.empty()) return ForTarget(std::wstring(kAppsFolderPrefix) + aumid, size);
  if (!exePath.empty()) return ForTarget(exePath, size);
  if (window != kNoWindow) {
    IconImage image = sources_.WindowIcon(window, size);
    if (Shows(image)) return image;
  }
  return Fallback(size);
}

IconImage IconExtractor::ExtractCustomImage(const std::wstring& path, unsigned size) {
  // Icon files decode as whatever frame comes first (often the smallest);
  // icon extraction picks the frame nearest the size.
  const bool iconFile = EndsWithNoCase(path, L".ico");
  IconImage image = iconFile ? sources_.FileIcon(path, 0, size) : sources_.DecodeImageFile(path);
  if (Shows(image)) return image;
  image = iconFile ? sources_.DecodeImageFile(path) : sources_.FileIcon(path, 0, size);
  if (Shows(image)) return image;
  image = sources_.ShellItemImage(path, size);
  if (Shows(image)) return image;
  return IconImage{};
}

IconImage IconExtractor::ForCustomImage(const std::wstring& path, unsigned size) {
  const std::wstring expanded = Expand(path);
  if (expanded.empty() || !sources_.Exists(expanded)) return IconImage{};
  const std::wstring key = CustomImageKey(expanded, size);
  IconImage cached = cache_.Load(key);
  if (!cached.empty()) return cached;

  IconImage image = ExtractCustomImage(expanded, size);
  if (image.empty()) return IconImage{};
  cache_.Save(key, image, IconCacheItem(sources_.LowerCase(std::wstring(kCustomImagePrefix) + expanded), size));
  return image;
}

IconImage IconExtractor::ForStockIcon(int stockId, unsigned size) {
  const std::wstring key = StockIconCacheKey(stockId, size);
  IconImage cached = cache_.Load(key);
  if (!cached.empty()) return cached;

  IconImage image = sources_.StockIcon(stockId, size);
  if (!Shows(image)) return IconImage{};
  cache_.Save(key, image);
  return image;
}

IconImage IconExtractor::Fallback(unsigned size) {
  IconImage stock = sources_.StockApplicationIcon(size);
  if (Shows(stock)) return stock;
  return DrawPlaceholderIcon(size);
}

IconExtractor& PlatformIconExtractor() {
  static IconExtractor extractor(PlatformIconSources(), IconCache(PlatformPngCodec(), PlatformIconCacheFiles()));
  return extractor;
}

}  // namespace orvane
