#include "system/AppExecutionAlias.h"

#include <vector>

#include "app/TextUtil.h"
#include "system/IconSources.h"

namespace orvane {
namespace {

constexpr std::size_t kReparseHeaderBytes = 8;
constexpr std::size_t kVersionBytes = 4;
constexpr std::size_t kMaxStrings = 4;

std::uint32_t ReadLe32(std::span<const std::uint8_t> bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
         static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

// UTF-16 code units to the build's wide string (pairs joined where wchar_t
// is 32 bits; a lone surrogate becomes U+FFFD there).
std::wstring FromUtf16(const std::vector<char16_t>& units) {
  std::wstring out;
  out.reserve(units.size());
  for (std::size_t i = 0; i < units.size(); ++i) {
    const char32_t unit = units[i];
    if constexpr (sizeof(wchar_t) == 2) {
      out.push_back(static_cast<wchar_t>(unit));
    } else if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
               units[i + 1] <= 0xDFFF) {
      AppendCodePoint(out, 0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00));
      ++i;
    } else {
      AppendCodePoint(out, unit);
    }
  }
  return out;
}

}  // namespace

std::optional<AppExecutionAlias> ParseAppExecLink(std::span<const std::uint8_t> data) {
  if (data.size() <= 13 || ReadLe32(data) != kReparseTagAppExecLink) return std::nullopt;
  std::vector<std::wstring> strings;
  std::size_t pos = kReparseHeaderBytes + kVersionBytes;
  while (strings.size() < kMaxStrings && pos + 1 < data.size()) {
    std::vector<char16_t> units;
    bool terminated = false;
    for (; pos + 1 < data.size(); pos += 2) {
      const auto unit = static_cast<char16_t>(data[pos] | data[pos + 1] << 8);
      if (unit == 0) {
        pos += 2;
        terminated = true;
        break;
      }
      units.push_back(unit);
    }
    if (units.empty()) break;
    strings.push_back(FromUtf16(units));
    if (!terminated) break;
  }
  AppExecutionAlias alias;
  if (strings.size() > 1) alias.aumid = strings[1];
  if (strings.size() > 2) alias.exePath = strings[2];
  if (alias.aumid.empty() && alias.exePath.empty()) return std::nullopt;
  return alias;
}

std::optional<AppExecutionAlias> ResolveAppExecutionAlias(IconSources& files, const std::wstring& path) {
  const std::optional<std::vector<std::uint8_t>> data = files.ReparseData(path);
  if (!data) return std::nullopt;
  return ParseAppExecLink(*data);
}

}  // namespace orvane
