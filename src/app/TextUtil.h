#pragma once
// Small string helpers shared by every subsystem: UTF-8 <-> wide conversion,
// environment-variable expansion and the parent folder of a path.
//
// Wide strings are UTF-16 on Windows and UTF-32 elsewhere; the converters
// handle both, so the same code (and the same tests) serve both builds.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// Appends one code point as UTF-16 (surrogate pair above U+FFFF) or UTF-32;
// surrogates and values beyond U+10FFFF become U+FFFD.
void AppendCodePoint(std::wstring& out, char32_t codePoint);

// Invalid input never fails: each malformed sequence becomes U+FFFD.
std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

// Looks up one environment variable by name; nullopt when it is not defined.
using EnvironmentLookup = std::function<std::optional<std::wstring>(const std::wstring& name)>;

// Expands %NAME% references the way Windows does: defined names are
// replaced, undefined ones and a lone "%" stay as written. Text without "%"
// is returned unchanged without consulting the lookup.
std::wstring ExpandEnvironmentWith(const std::wstring& text, const EnvironmentLookup& lookup);

// The process environment. Windows: ExpandEnvironmentStringsW (names are
// case-insensitive there); elsewhere: getenv through ExpandEnvironmentWith.
std::wstring ExpandEnvironment(const std::wstring& text);
std::optional<std::wstring> GetEnvironment(const std::wstring& name);

// True when the path names an existing file or folder.
bool PathExists(const std::wstring& path);

// The folder part of an absolute path ("C:\a\b.txt" -> "C:\a",
// "C:\b.txt" -> "C:", "\\server\share\f.txt" -> "\\server\share").
// A path counts as absolute when it is longer than two characters with ":"
// second, or starts with two backslashes. Anything else gives "".
std::wstring ParentDirectory(std::wstring_view path);

// The text as UTF-8 with every byte that keep() refuses written as "%" and
// two upper-case hex digits (a space becomes %20). Web services differ in
// which characters may pass, so the caller says.
std::wstring PercentEncodeUtf8(std::wstring_view text, bool (*keep)(unsigned char byte));

}  // namespace orvane
