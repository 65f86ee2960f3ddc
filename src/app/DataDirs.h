#pragma once
// Where Orvane keeps its per-user files.
//
//   local data    ORVANE_DATA_DIR if set and not empty, else <Local AppData>\Orvane
//   roaming data  ORVANE_DATA_DIR if set and not empty, else <Roaming AppData>\Orvane
//   logs          <local data>\logs      (orvane.log)
//   cache         <local data>\cache     (icon cache)
//   config.json   <roaming data>\config.json

#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// Path separator of the build: '\' on Windows, '/' elsewhere.
#ifdef _WIN32
inline constexpr wchar_t kPathSeparator = L'\\';
#else
inline constexpr wchar_t kPathSeparator = L'/';
#endif

// dir + separator + leaf, never doubling a separator. An empty dir still gets
// the separator: "" + "Orvane" gives "\Orvane" on Windows, the root-relative
// fallback of a failed known-folder lookup.
std::wstring JoinPath(std::wstring_view dir, std::wstring_view leaf);

// The rule above, free of the platform: override is the raw ORVANE_DATA_DIR
// value (nullopt when unset), knownFolder the AppData folder ("" on failure).
std::wstring ResolveDataDirectory(const std::optional<std::wstring>& override, const std::wstring& knownFolder);

// Platform: the known-folder lookups plus the rule. Nothing is created.
std::wstring LocalDataDirectory();
std::wstring RoamingDataDirectory();

inline std::wstring LogsDirectory(const std::wstring& localData) { return JoinPath(localData, L"logs"); }
inline std::wstring CacheDirectoryUnder(const std::wstring& localData) { return JoinPath(localData, L"cache"); }

// The process-wide cache directory: set once at start-up, before any worker
// thread exists, and only read afterwards.
void SetCacheDirectory(std::wstring path);
const std::wstring& CacheDirectory();

}  // namespace orvane
