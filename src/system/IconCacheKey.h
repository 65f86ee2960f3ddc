#pragma once
// Names of icon cache entries. A key is the text of a request; its file is
// the key's 64-bit FNV-1a hash as "%016llx.png" in the cache directory, so
// a lookup is one file-system probe.
//
//   target icons   lower-cased expanded target + "|<write time>|<size>"
//                  (store apps and settings: the package's stamp as the time)
//   stock icons    "stock://<id>|<size>"
//
// A target's entries for one size form an item (the key without its time);
// the item's file ("%016llx.item") names its newest entry, so an entry made
// after the target changed replaces the one before instead of joining it.

#include <cstdint>
#include <string>
#include <string_view>

namespace orvane {

inline constexpr std::uint64_t kFnvOffsetBasis = 0xcbf29ce484222325ull;
inline constexpr std::uint64_t kFnvPrime = 0x100000001b3ull;

// FNV-1a over the key's UTF-16 code units (one step per 16-bit unit, not per
// byte). Where wchar_t is 32 bits, characters beyond U+FFFF count as their
// surrogate pair, so both builds name a key's file alike.
std::uint64_t HashIconCacheKey(std::wstring_view key);

// lowerTarget + "|%llu|%d": the file's last-write time (the 64-bit FILETIME,
// 0 when unknown) and the requested size.
std::wstring FormatIconCacheKey(std::wstring_view lowerTarget, std::uint64_t writeTime, unsigned size);

// "stock://%d|%d", used as it is (no lower-casing, no time).
std::wstring StockIconCacheKey(int stockId, unsigned size);

// "%016llx.png" of the key's hash.
std::wstring IconCacheFileName(std::wstring_view key);

// lowerTarget + "|%d" with the requested size.
std::wstring IconCacheItem(std::wstring_view lowerTarget, unsigned size);
// "%016llx.item" of the item's hash.
std::wstring IconCacheItemFileName(std::wstring_view item);
// Whether name is one IconCacheFileName could give: 16 lower-case hex
// digits and ".png".
bool IsIconCacheFileName(std::string_view name);

// directory + separator + IconCacheFileName; "" when directory is empty, in
// which case nothing is read or written.
std::wstring IconCachePath(std::wstring_view directory, std::wstring_view key);

}  // namespace orvane
