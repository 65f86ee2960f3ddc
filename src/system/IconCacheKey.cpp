#include "system/IconCacheKey.h"

#include "app/DataDirs.h"
#include "app/Format.h"

namespace orvane {
namespace {

std::uint64_t MixUnit(std::uint64_t hash, std::uint16_t unit) {
  hash ^= unit;
  return hash * kFnvPrime;
}

}  // namespace

std::uint64_t HashIconCacheKey(std::wstring_view key) {
  std::uint64_t hash = kFnvOffsetBasis;
  for (const wchar_t ch : key) {
    auto cp = static_cast<std::uint32_t>(ch);
    if constexpr (sizeof(wchar_t) > 2) {
      if (cp >= 0x10000 && cp <= 0x10FFFF) {
        cp -= 0x10000;
        hash = MixUnit(hash, static_cast<std::uint16_t>(0xD800 + (cp >> 10)));
        hash = MixUnit(hash, static_cast<std::uint16_t>(0xDC00 + (cp & 0x3FF)));
        continue;
      }
    }
    hash = MixUnit(hash, static_cast<std::uint16_t>(cp));
  }
  return hash;
}

std::wstring FormatIconCacheKey(std::wstring_view lowerTarget, std::uint64_t writeTime, unsigned size) {
  return std::wstring(lowerTarget) + FormatWide(L"|%llu|%d", writeTime, static_cast<int>(size));
}

std::wstring StockIconCacheKey(int stockId, unsigned size) {
  return FormatWide(L"stock://%d|%d", stockId, static_cast<int>(size));
}

std::wstring IconCacheFileName(std::wstring_view key) {
  return FormatWide(L"%016llx.png", HashIconCacheKey(key));
}

std::wstring IconCacheItem(std::wstring_view lowerTarget, unsigned size) {
  return std::wstring(lowerTarget) + FormatWide(L"|%d", static_cast<int>(size));
}

std::wstring IconCacheItemFileName(std::wstring_view item) {
  return FormatWide(L"%016llx.item", HashIconCacheKey(item));
}

bool IsIconCacheFileName(std::string_view name) {
  constexpr std::size_t kDigits = 16;
  if (name.size() != kDigits + 4 || name.substr(kDigits) != ".png") return false;
  for (std::size_t i = 0; i < kDigits; ++i) {
    const char c = name[i];
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return true;
}

std::wstring IconCachePath(std::wstring_view directory, std::wstring_view key) {
  if (directory.empty()) return {};
  return JoinPath(directory, IconCacheFileName(key));
}

}  // namespace orvane
