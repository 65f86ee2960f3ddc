#include "app/TextUtil.h"

namespace orvane {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

bool IsSurrogate(char32_t cp) { return cp >= 0xD800 && cp <= 0xDFFF; }

}  // namespace

void AppendCodePoint(std::wstring& out, char32_t cp) {
  if (IsSurrogate(cp) || cp > 0x10FFFF) cp = kReplacement;
  if constexpr (sizeof(wchar_t) == 2) {
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
      return;
    }
  }
  out.push_back(static_cast<wchar_t>(cp));
}

std::wstring Utf8ToWide(std::string_view utf8) {
  std::wstring out;
  out.reserve(utf8.size());
  size_t i = 0;
  const size_t n = utf8.size();
  while (i < n) {
    const auto b0 = static_cast<unsigned char>(utf8[i]);
    if (b0 < 0x80) {
      out.push_back(static_cast<wchar_t>(b0));
      ++i;
      continue;
    }
    size_t len = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
      len = 2; cp = b0 & 0x1F; minimum = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
      len = 3; cp = b0 & 0x0F; minimum = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
      len = 4; cp = b0 & 0x07; minimum = 0x10000;
    }
    if (len == 0) {  // stray continuation byte or a byte that never starts UTF-8
      AppendCodePoint(out, kReplacement);
      ++i;
      continue;
    }
    // Consume the longest valid prefix; a broken sequence yields one
    // replacement character and resumes at the first offending byte.
    size_t used = 1;
    bool ok = true;
    for (; used < len; ++used) {
      if (i + used >= n) { ok = false; break; }
      const auto b = static_cast<unsigned char>(utf8[i + used]);
      if ((b & 0xC0) != 0x80) { ok = false; break; }
      cp = (cp << 6) | (b & 0x3F);
      // Reject overlong and out-of-range forms as early as the second byte.
      if (used == 1) {
        if (len == 3 && b0 == 0xE0 && b < 0xA0) { ok = false; break; }
        if (len == 3 && b0 == 0xED && b > 0x9F) { ok = false; break; }
        if (len == 4 && b0 == 0xF0 && b < 0x90) { ok = false; break; }
        if (len == 4 && b0 == 0xF4 && b > 0x8F) { ok = false; break; }
      }
    }
    if (!ok || cp < minimum || cp > 0x10FFFF || IsSurrogate(cp)) {
      AppendCodePoint(out, kReplacement);
      i += (used == 0 ? 1 : used);
      continue;
    }
    AppendCodePoint(out, cp);
    i += len;
  }
  return out;
}

std::string WideToUtf8(std::wstring_view wide) {
  std::string out;
  out.reserve(wide.size());
  for (size_t i = 0; i < wide.size(); ++i) {
    char32_t cp = static_cast<char32_t>(wide[i]);
    if constexpr (sizeof(wchar_t) == 2) {
      cp &= 0xFFFF;
      if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < wide.size()) {
        const char32_t lo = static_cast<char32_t>(wide[i + 1]) & 0xFFFF;
        if (lo >= 0xDC00 && lo <= 0xDFFF) {
          cp = 0x10000 + ((cp - 0xD800) << 10) + (lo - 0xDC00);
          ++i;
        }
      }
    }
    if (IsSurrogate(cp) || cp > 0x10FFFF) cp = kReplacement;
    AppendUtf8(out, cp);
  }
  return out;
}

std::wstring ExpandEnvironmentWith(const std::wstring& text, const EnvironmentLookup& lookup) {
  if (text.find(L'%') == std::wstring::npos) return text;
  std::wstring out;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t open = text.find(L'%', pos);
    if (open == std::wstring::npos) {
      out.append(text, pos, std::wstring::npos);
      break;
    }
    out.append(text, pos, open - pos);
    const size_t close = text.find(L'%', open + 1);
    if (close == std::wstring::npos) {  // unterminated: the rest stays as written
      out.append(text, open, std::wstring::npos);
      break;
    }
    const std::wstring name = text.substr(open + 1, close - open - 1);
    std::optional<std::wstring> value;
    if (!name.empty() && lookup) value = lookup(name);
    if (value) {
      out += *value;
      pos = close + 1;
    } else {
      // An undefined name stays as written; its closing "%" may still open
      // the next reference ("%NOPE%WINDIR%").
      out.push_back(L'%');
      out += name;
      pos = close;
    }
  }
  return out;
}

std::wstring ParentDirectory(std::wstring_view path) {
  const bool driveAbsolute = path.size() > 2 && path[1] == L':';
  const bool uncAbsolute = path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\';
  if (!driveAbsolute && !uncAbsolute) return {};
  const size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring_view::npos) return {};
  return std::wstring(path.substr(0, slash));
}

std::wstring PercentEncodeUtf8(std::wstring_view text, bool (*keep)(unsigned char byte)) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::wstring encoded;
  for (const char c : WideToUtf8(text)) {
    const auto byte = static_cast<unsigned char>(c);
    if (keep(byte)) {
      encoded += static_cast<wchar_t>(byte);
    } else {
      encoded += L'%';
      encoded += static_cast<wchar_t>(kHex[byte >> 4]);
      encoded += static_cast<wchar_t>(kHex[byte & 0x0F]);
    }
  }
  return encoded;
}

}  // namespace orvane
