#pragma once
// App Execution Aliases: the zero-byte files in the user's WindowsApps folder
// that start store apps by an executable name. They are reparse points whose
// data names the app's AUMID and the real executable.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace orvane {

class IconSources;

inline constexpr std::uint32_t kReparseTagAppExecLink = 0x8000001B;
// FSCTL_GET_REPARSE_POINT reads into a buffer of this size.
inline constexpr std::size_t kReparseBufferBytes = 4096;

struct AppExecutionAlias {
  std::wstring aumid;    // may be empty
  std::wstring exePath;  // may be empty
};

// Reads the reparse data FSCTL_GET_REPARSE_POINT returned (exactly the bytes
// returned). Accepted only above 13 bytes with the app-exec-link tag. After
// the 8-byte reparse header and a 32-bit version come NUL-terminated UTF-16LE
// strings; at most four are read, stopping at the end of the data or at an
// empty string (the last one may end with the data instead of a NUL). The
// second is the AUMID, the third the executable. nullopt unless one of them
// is non-empty.
std::optional<AppExecutionAlias> ParseAppExecLink(std::span<const std::uint8_t> reparseData);

// The alias a path is, read through the platform's file queries; nullopt
// when the path is no reparse point or its data names nothing.
std::optional<AppExecutionAlias> ResolveAppExecutionAlias(IconSources& files, const std::wstring& path);

}  // namespace orvane
