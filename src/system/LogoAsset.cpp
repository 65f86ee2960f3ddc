#include "system/LogoAsset.h"

#include "app/DataDirs.h"
#include "system/IconSources.h"

namespace orvane {
namespace {

// Keeps huge digit runs from overflowing; anything this large scores below -1.
constexpr long long kNumberCap = 1'000'000'000;

// The number right after `marker` in the name: its leading decimal digits,
// 0 when there are none or the marker is absent.
long long NumberAfter(std::wstring_view name, std::wstring_view marker) {
  const std::size_t at = name.find(marker);
  if (at == std::wstring_view::npos) return 0;
  long long value = 0;
  for (std::size_t i = at + marker.size(); i < name.size() && name[i] >= L'0' && name[i] <= L'9'; ++i) {
    value = value * 10 + (name[i] - L'0');
    if (value > kNumberCap) return kNumberCap;
  }
  return value;
}

bool Contains(std::wstring_view text, std::wstring_view part) { return text.find(part) != std::wstring_view::npos; }

std::wstring_view ExtensionOf(std::wstring_view name) {
  const std::size_t dot = name.rfind(L'.');
  return dot == std::wstring_view::npos ? std::wstring_view() : name.substr(dot);
}

}  // namespace

std::optional<long long> LogoAssetScore(std::wstring_view name) {
  if (Contains(name, L"contrast-black") || Contains(name, L"contrast-white")) return std::nullopt;
  long long score = 100;
  const long long targetSize = NumberAfter(name, L"targetsize-");
  const long long scale = NumberAfter(name, L"scale-");
  if (targetSize > 0) {
    score = targetSize <= 256 ? 20 * targetSize : 5376 - targetSize;
  } else if (scale > 0) {
    score = 5 * scale;
  }
  if (Contains(name, L"altform-unplated")) score += 10000;
  if (Contains(name, L"altform-lightunplated")) score += 8000;
  return score;
}

LogoPathParts SplitLogoPath(std::wstring_view path) {
  LogoPathParts parts;
  const std::size_t slash = path.find_last_of(L"\\/");
  std::wstring_view name = path;
  if (slash != std::wstring_view::npos) {
    parts.folder = std::wstring(path.substr(0, slash));
    name = path.substr(slash + 1);
  }
  const std::size_t dot = name.rfind(L'.');
  parts.stem = std::wstring(name.substr(0, dot));
  if (dot != std::wstring_view::npos) parts.extension = std::wstring(name.substr(dot));
  return parts;
}

std::optional<std::size_t> PickLogoAsset(std::wstring_view stem, std::wstring_view extension,
                                         const std::vector<std::wstring>& names) {
  std::optional<std::size_t> best;
  long long bestScore = -1;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::wstring_view name = names[i];
    if (name.size() < stem.size() + extension.size()) continue;
    if (name.substr(0, stem.size()) != stem || ExtensionOf(name) != extension) continue;
    const std::optional<long long> score = LogoAssetScore(name);
    if (score && *score > bestScore) {
      bestScore = *score;
      best = i;
    }
  }
  return best;
}

std::wstring FindBestLogoAsset(IconSources& sources, const std::wstring& declaredPath) {
  const LogoPathParts parts = SplitLogoPath(declaredPath);
  if (parts.folder.empty() || parts.stem.empty() || !sources.IsFolder(parts.folder)) return {};
  const std::vector<std::wstring> names = sources.FileNamesIn(parts.folder);
  std::vector<std::wstring> lowerNames;
  lowerNames.reserve(names.size());
  for (const std::wstring& name : names) lowerNames.push_back(sources.LowerCase(name));
  const std::optional<std::size_t> best =
      PickLogoAsset(sources.LowerCase(parts.stem), sources.LowerCase(parts.extension), lowerNames);
  if (!best) return {};
  return JoinPath(parts.folder, names[*best]);
}

}  // namespace orvane
