#include "system/AppCatalog.h"

#include <algorithm>

#include "app/DataDirs.h"
#include "system/IconTarget.h"

namespace orvane {
namespace {

constexpr std::wstring_view kExcludedNameParts[] = {L"uninstall", L"\u5378\u8F7D", L"readme", L"release notes"};

// A code point's position in UTF-16 code-unit order: U+E000..U+FFFF move
// above the supplementary planes, whose surrogates come first in UTF-16.
// Lone surrogates (only possible with 32-bit wchar_t) keep their relative
// place: high ones with the pairs they start, low ones after all pairs.
std::uint32_t Utf16Rank(wchar_t c) {
  const auto u = static_cast<std::uint32_t>(c);
  if (u < 0xD800) return u;
  if (u <= 0xDBFF) return 0x10000 + ((u - 0xD800) << 10);
  if (u <= 0xDFFF) return 0x110000 + (u - 0xDC00);
  if (u <= 0xFFFF) return 0x120000 + u;
  return u;
}

// Shortcut file names and store-app names sometimes carry stray blanks
// ("Foo .lnk"); trimmed, they de-duplicate with their clean twins and a name
// of blanks alone is no name.
std::wstring TrimBlanks(const std::wstring& text) {
  constexpr std::wstring_view kBlanks = L" \t\u00A0\u3000";
  const size_t first = text.find_first_not_of(kBlanks.data(), 0, kBlanks.size());
  if (first == std::wstring::npos) return {};
  const size_t last = text.find_last_not_of(kBlanks.data(), std::wstring::npos, kBlanks.size());
  return text.substr(first, last - first + 1);
}

}  // namespace

bool IsExcludedCatalogName(std::wstring_view nameLower) {
  return std::any_of(std::begin(kExcludedNameParts), std::end(kExcludedNameParts),
                     [&](std::wstring_view part) { return nameLower.find(part) != std::wstring_view::npos; });
}

bool LessAsUtf16(std::wstring_view a, std::wstring_view b) {
  if constexpr (sizeof(wchar_t) == 2) {
    return a < b;
  } else {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](wchar_t x, wchar_t y) { return Utf16Rank(x) < Utf16Rank(y); });
  }
}

std::vector<std::size_t> FilterCatalog(const std::vector<CatalogApp>& apps, std::wstring_view queryLower) {
  std::vector<std::size_t> matches;
  matches.reserve(apps.size());
  for (std::size_t i = 0; i < apps.size(); ++i) {
    if (queryLower.empty() || apps[i].nameLower.find(queryLower) != std::wstring::npos) matches.push_back(i);
  }
  return matches;
}

void AppCatalog::Add(AppCatalogSources& sources, const std::wstring& rawName, const std::wstring& target,
                     const std::wstring& arguments) {
  const std::wstring name = TrimBlanks(rawName);
  if (name.empty() || target.empty()) return;
  std::wstring nameLower = sources.LowerCase(name);
  if (IsExcludedCatalogName(nameLower)) return;
  if (!names_.insert(nameLower).second) return;  // the first of a name wins
  apps_.push_back(CatalogApp{name, std::move(nameLower), target, arguments, IconImage{}, false});
}

void AppCatalog::AddShortcutsIn(AppCatalogSources& sources, const std::wstring& folder) {
  // Depth first, each subfolder where it is listed; one that cannot be
  // entered contributes nothing.
  const std::optional<std::vector<FolderEntry>> entries = sources.ListFolder(folder);
  if (!entries) return;
  for (const FolderEntry& entry : *entries) {
    if (apps_.size() >= kCatalogLimit) return;
    const std::wstring path = JoinPath(folder, entry.name);
    if (entry.isFolder) {
      AddShortcutsIn(sources, path);
    } else if (EndsWithNoCase(entry.name, kShortcutExtension)) {
      Add(sources, entry.name.substr(0, entry.name.size() - kShortcutExtension.size()), path, L"");
    }
  }
}

void AppCatalog::Build(std::span<const DockItemConfig> pinned, AppCatalogSources& sources) {
  if (built_) return;
  built_ = true;
  apps_.clear();
  names_.clear();

  for (const DockItemConfig& item : pinned) Add(sources, item.name, item.target, item.args);

  if (apps_.size() < kCatalogAppsFolderLimit) {
    sources.EnumerateAppsFolder([&](const AppsFolderItem& item) {
      if (!item.aumid.empty()) Add(sources, item.name, std::wstring(kAppsFolderPrefix) + item.aumid, L"");
      return apps_.size() < kCatalogAppsFolderLimit;
    });
  }

  for (const std::wstring& folder : sources.ProgramsFolders()) {
    if (apps_.size() >= kCatalogLimit) break;
    if (!folder.empty()) AddShortcutsIn(sources, folder);
  }

  std::stable_sort(apps_.begin(), apps_.end(),
                   [](const CatalogApp& a, const CatalogApp& b) { return LessAsUtf16(a.nameLower, b.nameLower); });
}

}  // namespace orvane
