#include "system/notifications/NotificationText.h"

#include <array>
#include <utility>

#include "app/Format.h"
#include "app/TextUtil.h"

namespace orvane {
namespace {

constexpr std::size_t kNone = std::string_view::npos;
constexpr wchar_t kSystemNotifications[] = L"系统通知";

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Units taken by the code point at i: two for a surrogate pair (UTF-16
// builds; the wide text of the other builds never holds surrogates).
std::size_t CodePointUnits(std::wstring_view text, std::size_t i) {
  return IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]) ? 2 : 1;
}

// At most maxCodePoints code points; longer text keeps maxCodePoints - 1 of
// them and ends in "…".
std::wstring CutToCodePoints(std::wstring_view text, std::size_t maxCodePoints) {
  std::size_t units = 0;
  std::size_t keptUnits = 0;  // the units of the first maxCodePoints - 1 code points
  for (std::size_t count = 0; units < text.size(); ++count) {
    if (count == maxCodePoints) return std::wstring(text.substr(0, keptUnits)) + L"…";
    units += CodePointUnits(text, units);
    if (count + 2 == maxCodePoints) keptUnits = units;
  }
  return std::wstring(text);
}

bool IsControl(wchar_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

bool StartsAt(std::string_view text, std::size_t at, std::string_view prefix) {
  return text.substr(at, prefix.size()) == prefix;
}

// Each reference is replaced once: the "&" a reference yields never starts
// another one.
std::string DecodeEntities(std::string_view raw) {
  static constexpr std::array<std::pair<std::string_view, char>, 5> kEntities{{
      {"&amp;", '&'},
      {"&lt;", '<'},
      {"&gt;", '>'},
      {"&quot;", '"'},
      {"&apos;", '\''},
  }};
  std::string out;
  out.reserve(raw.size());
  for (std::size_t i = 0; i < raw.size();) {
    bool replaced = false;
    if (raw[i] == '&') {
      for (const auto& [name, character] : kEntities) {
        if (StartsAt(raw, i, name)) {
          out.push_back(character);
          i += name.size();
          replaced = true;
          break;
        }
      }
    }
    if (!replaced) out.push_back(raw[i++]);
  }
  return out;
}

// The position after the ">" closing the tag that opens at `open`, with
// quoted attribute values skipped; kNone when the tag never ends.
std::size_t TagEnd(std::string_view xml, std::size_t open, bool& selfClosing) {
  char quote = 0;
  for (std::size_t i = open + 1; i < xml.size(); ++i) {
    const char c = xml[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '>') {
      selfClosing = xml[i - 1] == '/';
      return i + 1;
    }
  }
  return kNone;
}

// After the text `terminator` searched from `from`; kNone when it is missing.
std::size_t After(std::string_view xml, std::size_t from, std::string_view terminator) {
  const std::size_t at = xml.find(terminator, from);
  return at == kNone ? kNone : at + terminator.size();
}

// A declaration such as <!DOCTYPE ...>: its internal subset (in brackets)
// may hold ">" and quoted text. Nothing in it is read.
std::size_t DeclarationEnd(std::string_view xml, std::size_t open) {
  char quote = 0;
  int depth = 0;
  for (std::size_t i = open + 2; i < xml.size(); ++i) {
    const char c = xml[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '[') {
      ++depth;
    } else if (c == ']') {
      if (depth > 0) --depth;
    } else if (c == '>' && depth == 0) {
      return i + 1;
    }
  }
  return kNone;
}

bool IsTextElementStart(std::string_view xml, std::size_t open) {
  if (!StartsAt(xml, open, "<text") || open + 5 >= xml.size()) return false;
  const char next = xml[open + 5];
  return next == ' ' || next == '\t' || next == '\r' || next == '\n' || next == '>' || next == '/';
}

// The position after "</text>" (spaces allowed before the ">") at `at`,
// or kNone when no closing tag starts there.
std::size_t ClosingTextTagEnd(std::string_view xml, std::size_t at) {
  if (!StartsAt(xml, at, "</text")) return kNone;
  std::size_t i = at + 6;
  while (i < xml.size() && (xml[i] == ' ' || xml[i] == '\t' || xml[i] == '\r' || xml[i] == '\n')) ++i;
  return i < xml.size() && xml[i] == '>' ? i + 1 : kNone;
}

// The text of one element from `from` (just after its start tag) into
// line; returns the position after its end tag, kNone when it never ends.
std::size_t ReadTextContent(std::string_view xml, std::size_t from, std::wstring& line) {
  std::string raw;  // character data not yet decoded
  const auto flush = [&] {
    line += Utf8ToWide(DecodeEntities(raw));
    raw.clear();
  };
  std::size_t i = from;
  for (;;) {
    const std::size_t open = xml.find('<', i);
    if (open == kNone) return kNone;
    raw.append(xml.substr(i, open - i));
    if (const std::size_t end = ClosingTextTagEnd(xml, open); end != kNone) {
      flush();
      return end;
    }
    if (StartsAt(xml, open, "<!--")) {
      i = After(xml, open + 4, "-->");
    } else if (StartsAt(xml, open, "<![CDATA[")) {
      const std::size_t start = open + 9;
      const std::size_t close = xml.find("]]>", start);
      if (close == kNone) return kNone;
      flush();
      line += Utf8ToWide(xml.substr(start, close - start));
      i = close + 3;
    } else {
      // Toast text holds no elements; a stray "<" is kept as written.
      raw.push_back('<');
      i = open + 1;
    }
    if (i == kNone) return kNone;
  }
}

// Where scanning resumes after the markup at `open` that is not a text
// element; kNone when it never ends.
std::size_t SkipMarkup(std::string_view xml, std::size_t open) {
  if (StartsAt(xml, open, "<!--")) return After(xml, open + 4, "-->");
  if (StartsAt(xml, open, "<![CDATA[")) return After(xml, open + 9, "]]>");
  if (StartsAt(xml, open, "<?")) return After(xml, open + 2, "?>");
  if (StartsAt(xml, open, "<!")) return DeclarationEnd(xml, open);
  bool selfClosing = false;
  return TagEnd(xml, open, selfClosing);
}

bool EqualsIgnoringAsciiCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

ToastText ExtractToastText(std::string_view xml) {
  ToastText text;
  if (xml.size() > kMaxToastPayloadBytes) return text;
  int elements = 0;
  std::size_t pos = 0;
  while (elements < kMaxToastTextElements) {
    const std::size_t open = xml.find('<', pos);
    if (open == kNone) break;
    if (!IsTextElementStart(xml, open)) {
      pos = SkipMarkup(xml, open);
      if (pos == kNone) break;
      continue;
    }
    ++elements;
    bool empty = false;
    pos = TagEnd(xml, open, empty);
    if (pos == kNone) break;
    if (empty) continue;
    std::wstring line;
    pos = ReadTextContent(xml, pos, line);
    if (pos == kNone) break;
    AppendToastLine(text, line);
  }
  return text;
}

void AppendToastLine(ToastText& text, std::wstring_view line) {
  std::size_t first = 0;
  std::size_t last = line.size();
  const auto blank = [](wchar_t c) { return c == L' ' || IsControl(c); };
  while (first < last && blank(line[first])) ++first;
  while (last > first && blank(line[last - 1])) --last;
  if (first == last) return;

  // Bounded before anything is copied: a line longer than either limit is
  // cut anyway.
  std::wstring clean = CutToCodePoints(line.substr(first, last - first), kMaxToastBodyCodePoints + 1);
  for (wchar_t& c : clean) {
    if (IsControl(c)) c = L' ';
  }
  if (text.title.empty()) {
    text.title = CutToCodePoints(clean, kMaxToastTitleCodePoints);
    return;
  }
  if (!text.body.empty()) text.body += L" · ";
  text.body += clean;
  text.body = CutToCodePoints(text.body, kMaxToastBodyCodePoints);
}

std::wstring AppDisplayName(std::wstring_view handlerPrimaryId) {
  static constexpr std::wstring_view kMicrosoftPrefix = L"Microsoft.";
  static constexpr std::wstring_view kSystemToastPrefix = L"Windows.SystemToast.";
  static constexpr std::array<std::pair<std::wstring_view, std::wstring_view>, 3> kKnownNames{{
      {L"SecurityAndMaintenance", L"安全与维护"},
      {L"WindowsUpdate", L"Windows 更新"},
      {L"Explorer", L"文件资源管理器"},
  }};

  std::wstring_view name = handlerPrimaryId;
  if (const std::size_t bang = name.find(L'!'); bang != std::wstring_view::npos) name = name.substr(0, bang);
  if (const std::size_t slash = name.find_last_of(L"\\/"); slash != std::wstring_view::npos) {
    name.remove_prefix(slash + 1);
  }
  // A package family name ends in "_" and the publisher hash; an "_" early
  // in the name is part of the name itself.
  if (const std::size_t underscore = name.find(L'_'); underscore != std::wstring_view::npos && underscore >= 5) {
    name = name.substr(0, underscore);
  }
  if (name.size() > kMicrosoftPrefix.size() && name.starts_with(kMicrosoftPrefix)) {
    name.remove_prefix(kMicrosoftPrefix.size());
  }
  if (name.size() > kSystemToastPrefix.size() && name.starts_with(kSystemToastPrefix)) {
    name.remove_prefix(kSystemToastPrefix.size());
  }
  for (const auto& [id, shown] : kKnownNames) {
    if (EqualsIgnoringAsciiCase(name, id)) return std::wstring(shown);
  }
  return name.empty() ? std::wstring(kSystemNotifications) : std::wstring(name);
}

std::wstring RelativeTimeText(const CivilClock& clock, std::int64_t fileTime) {
  static constexpr wchar_t kJustNow[] = L"刚刚";
  if (fileTime <= 0) return kJustNow;
  const std::optional<CivilTime> local = clock.ToLocal(fileTime);
  if (!local) return kJustNow;
  const CivilTime today = clock.LocalNow();
  const auto hour = static_cast<unsigned>(local->hour);
  const auto minute = static_cast<unsigned>(local->minute);
  if (local->year == today.year && local->month == today.month && local->day == today.day) {
    return FormatWide(L"%02u:%02u", hour, minute);
  }
  return FormatWide(L"%u/%u %02u:%02u", static_cast<unsigned>(local->month), static_cast<unsigned>(local->day), hour,
                    minute);
}

}  // namespace orvane
