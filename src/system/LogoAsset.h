#pragma once
// Store packages declare one logo file ("Assets\Logo.png") but ship sized and
// themed variants of it ("Logo.targetsize-256_altform-unplated.png",
// "Logo.scale-200.png"). This picks the variant that draws best in the dock:
// large unplated target sizes first, never the high-contrast ones.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

class IconSources;

// Score of one lower-cased file name, or nullopt for a high-contrast variant:
//   "targetsize-N" (N > 0): 20 N up to 256, 5376 - N above;
//   else "scale-S" (S > 0): 5 S;   else 100;
//   + 10000 for "altform-unplated", + 8000 for "altform-lightunplated".
std::optional<long long> LogoAssetScore(std::wstring_view lowerName);

struct LogoPathParts {
  std::wstring folder;     // before the last "\" or "/"
  std::wstring stem;       // the file name up to its last "."
  std::wstring extension;  // from the last "." of the file name, "." included; may be empty
};
LogoPathParts SplitLogoPath(std::wstring_view path);

// The index of the best candidate among lower-cased file names (directory
// order): a candidate starts with the stem, has the extension and is at
// least as long as both. The highest score above -1 wins; the first of equal
// scores stays.
std::optional<std::size_t> PickLogoAsset(std::wstring_view lowerStem, std::wstring_view lowerExtension,
                                         const std::vector<std::wstring>& lowerNames);

// The best variant's full path for a declared logo path; "" when the folder
// or stem is empty, the folder is missing or nothing counts.
std::wstring FindBestLogoAsset(IconSources& sources, const std::wstring& declaredPath);

}  // namespace orvane
