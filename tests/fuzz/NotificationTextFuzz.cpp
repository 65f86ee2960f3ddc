// fuzz-sources: src/system/notifications/NotificationText.cpp src/system/CivilClock.cpp src/app/Format.cpp src/app/TextUtil.cpp
// Toast payloads come from any program that can show a notification. Besides
// not crashing, the text must keep its bounds: title and body within their
// code-point limits, no control characters, nothing to trim, and a cut that
// never splits a surrogate pair.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "system/CivilClock.h"
#include "system/notifications/NotificationText.h"

namespace {

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

bool IsHigh(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
bool IsControl(wchar_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

std::size_t CodePoints(std::wstring_view text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i, ++count) {
    if (IsHigh(text[i]) && i + 1 < text.size() && IsLow(text[i + 1])) ++i;
  }
  return count;
}

void CheckLine(const std::wstring& line, std::size_t limit) {
  Require(CodePoints(line) <= limit);
  for (const wchar_t c : line) Require(!IsControl(c));
  if (line.empty()) return;
  Require(line.front() != L' ' && line.back() != L' ');
}

// One line straight into an empty text: the title is the cleaned line, or
// its longest prefix of 255 code points and an ellipsis.
void CheckTitleCut(std::wstring_view line) {
  std::wstring clean(line);
  for (wchar_t& c : clean) {
    if (IsControl(c)) c = L' ';
  }
  const std::size_t first = clean.find_first_not_of(L' ');
  if (first == std::wstring::npos) clean.clear();
  else clean = clean.substr(first, clean.find_last_not_of(L' ') - first + 1);

  orvane::ToastText text;
  orvane::AppendToastLine(text, line);
  Require(text.body.empty());
  if (CodePoints(clean) <= orvane::kMaxToastTitleCodePoints) {
    Require(text.title == clean);
    return;
  }
  Require(!text.title.empty() && text.title.back() == L'…');
  const std::size_t kept = text.title.size() - 1;
  Require(clean.compare(0, kept, text.title, 0, kept) == 0);
  Require(CodePoints(std::wstring_view(text.title).substr(0, kept)) == orvane::kMaxToastTitleCodePoints - 1);
  Require(!(kept > 0 && IsHigh(clean[kept - 1]) && IsLow(clean[kept])));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  const orvane::ToastText text = orvane::ExtractToastText(bytes);
  CheckLine(text.title, orvane::kMaxToastTitleCodePoints);
  CheckLine(text.body, orvane::kMaxToastBodyCodePoints);
  Require(!text.title.empty() || text.body.empty());

  // The same bytes as UTF-16 units, as the listener hands its lines over.
  std::wstring units;
  for (std::size_t i = 0; i + 1 < size; i += 2) units.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
  CheckTitleCut(units);

  Require(!orvane::AppDisplayName(units).empty());

  std::int64_t fileTime = 0;
  if (size >= sizeof fileTime) std::memcpy(&fileTime, data, sizeof fileTime);
  const orvane::FixedCivilClock clock(fileTime ^ 0x5555, static_cast<int>(size % 1500) - 750);
  Require(!orvane::RelativeTimeText(clock, fileTime).empty());
  return 0;
}
