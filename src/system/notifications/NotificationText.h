#pragma once
// The text a toast shows, read from its XML payload without an XML parser,
// and the names and times the notification center lists with it.
//
// The payload comes from another program through the system's database, so
// the scanner is bounded: payloads above kMaxToastPayloadBytes give nothing,
// at most kMaxToastTextElements text elements are read, and the title and
// body are cut (with "…") at kMaxToastTitleCodePoints and
// kMaxToastBodyCodePoints code points. Only the five named entities are
// decoded, each once ("&amp;lt;" reads "&lt;"); there is no DTD, no other
// entity and no numeric reference. Comments are skipped, CDATA inside a text
// element is taken literally, a ">" inside a quoted attribute value does not
// end its tag, and invalid UTF-8 becomes U+FFFD.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "system/CivilClock.h"

namespace orvane {

inline constexpr std::size_t kMaxToastPayloadBytes = 64 * 1024;
inline constexpr int kMaxToastTextElements = 16;
inline constexpr std::size_t kMaxToastTitleCodePoints = 256;
inline constexpr std::size_t kMaxToastBodyCodePoints = 2048;

struct ToastText {
  std::wstring title;  // the first non-empty line
  std::wstring body;   // the further lines, joined with " · "
  bool operator==(const ToastText&) const = default;
};

// The title and body of a toast payload in UTF-8 (the <text> elements in
// document order; "<text" followed by a space, ">" or "/" starts one).
ToastText ExtractToastText(std::string_view utf8Payload);

// Adds one text line: control characters become spaces, spaces at both ends
// are trimmed, an empty line is dropped; the first line is the title, later
// ones join the body with " · ". Both stay within their limits, cut on a
// code-point boundary (a surrogate pair is never split).
void AppendToastLine(ToastText& text, std::wstring_view line);

// The name shown for the sending application, from its handler id: an app
// user model id, a package family name, a path or a system toast id
// ("Microsoft.WindowsStore_8wekyb3d8bbwe!App" -> "WindowsStore"). "系统通知"
// when nothing is left.
std::wstring AppDisplayName(std::wstring_view handlerPrimaryId);

// A FILETIME as the list shows it in local time: "hh:mm" today, "m/d hh:mm"
// on any other day, "刚刚" when the time is unknown (not positive, or not
// convertible).
std::wstring RelativeTimeText(const CivilClock& clock, std::int64_t fileTime);

}  // namespace orvane
