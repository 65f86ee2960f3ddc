#include "system/IconTarget.h"

namespace orvane {
namespace {

wchar_t AsciiLower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool SameNoCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

}  // namespace

bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
  return text.size() >= prefix.size() && SameNoCase(text.substr(0, prefix.size()), prefix);
}

bool EndsWithNoCase(std::wstring_view text, std::wstring_view suffix) {
  return text.size() >= suffix.size() && SameNoCase(text.substr(text.size() - suffix.size()), suffix);
}

IconTarget ClassifyIconTarget(std::wstring_view target) {
  if (StartsWithNoCase(target, kSettingsUriPrefix)) {
    return {IconTargetKind::SettingsUri, std::wstring(kSettingsAumid)};
  }
  if (StartsWithNoCase(target, kAppsFolderPrefix)) {
    return {IconTargetKind::StoreApp, std::wstring(target.substr(kAppsFolderPrefix.size()))};
  }
  if (EndsWithNoCase(target, kShortcutExtension)) return {IconTargetKind::Shortcut, {}};
  return {};
}

}  // namespace orvane
