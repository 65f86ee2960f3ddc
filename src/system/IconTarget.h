#pragma once
// What an icon request names, decided from its text alone: a settings URI,
// a store app in the AppsFolder, a shortcut file, or any other path.

#include <string>
#include <string_view>

namespace orvane {

// Settings URIs draw the Settings app's logo.
inline constexpr std::wstring_view kSettingsUriPrefix = L"ms-settings:";
inline constexpr std::wstring_view kSettingsAumid =
    L"windows.immersivecontrolpanel_cw5n1h2txyewy!microsoft.windows.immersivecontrolpanel";
// "shell:AppsFolder\" + AUMID names a store app (17 characters).
inline constexpr std::wstring_view kAppsFolderPrefix = L"shell:AppsFolder\\";
inline constexpr std::wstring_view kShortcutExtension = L".lnk";
// Custom images are cached under this prefix and their path.
inline constexpr std::wstring_view kCustomImagePrefix = L"custom://";

enum class IconTargetKind {
  Path,         // a file or folder; may still turn out to be an App Execution Alias
  Shortcut,     // a path ending in ".lnk"
  StoreApp,     // "shell:AppsFolder\<AUMID>"
  SettingsUri,  // "ms-settings:..."
};

struct IconTarget {
  IconTargetKind kind = IconTargetKind::Path;
  std::wstring aumid;  // StoreApp and SettingsUri
};

// The target must already have its environment variables expanded. Prefixes
// and the extension compare without regard to (ASCII) letter case.
IconTarget ClassifyIconTarget(std::wstring_view target);

bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix);
bool EndsWithNoCase(std::wstring_view text, std::wstring_view suffix);

}  // namespace orvane
