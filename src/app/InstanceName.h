#pragma once
// The name of the single-instance mutex. "Local\" keeps the lock per sign-in;
// ORVANE_INSTANCE_TAG lets a separately configured copy run beside the first.

#include <cstddef>
#include <optional>
#include <string>

namespace orvane {

// The tag is read into a buffer of this many wide characters, terminator
// included, so at most 63 characters of tag fit.
inline constexpr size_t kInstanceTagBufferChars = 64;

inline constexpr wchar_t kInstanceMutexBaseName[] = L"Local\\OrvaneSingleInstanceMutex";

// rawTag: the variable's value, nullopt when unset. Unset or empty gives the
// base name. A tag too long for the buffer is never read, yet the variable
// was there, so the name ends in "_" with nothing after it.
std::wstring InstanceMutexName(const std::optional<std::wstring>& rawTag);

}  // namespace orvane
