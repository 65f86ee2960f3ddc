// The per-user data directories of the Linux build, following the XDG base
// directories: local data under $XDG_DATA_HOME, roaming data (the
// configuration) under $XDG_CONFIG_HOME, with the same ORVANE_DATA_DIR
// override as on Windows.
#include "app/DataDirs.h"
#include "app/TextUtil.h"

namespace orvane {
namespace {

// The XDG variable when it holds an absolute path, else $HOME/<fallback>;
// "" when neither is known, so the result degrades the way a failed
// known-folder lookup does.
std::wstring XdgFolder(const wchar_t* variable, const wchar_t* homeRelative) {
  if (auto value = GetEnvironment(variable); value && !value->empty() && value->front() == L'/') return *value;
  auto home = GetEnvironment(L"HOME");
  if (!home || home->empty()) return {};
  return JoinPath(*home, homeRelative);
}

}  // namespace

std::wstring LocalDataDirectory() {
  return ResolveDataDirectory(GetEnvironment(L"ORVANE_DATA_DIR"), XdgFolder(L"XDG_DATA_HOME", L".local/share"));
}

std::wstring RoamingDataDirectory() {
  return ResolveDataDirectory(GetEnvironment(L"ORVANE_DATA_DIR"), XdgFolder(L"XDG_CONFIG_HOME", L".config"));
}

}  // namespace orvane
