#include <gtest/gtest.h>

#include <map>
#include <string>

#include "app/TextUtil.h"

namespace orvane {
namespace {

TEST(TextUtilTest, Utf8RoundTripsEveryPlane) {
  const struct {
    std::string utf8;
    std::wstring wide;
  } cases[] = {
      {"", L""},
      {"plain ASCII", L"plain ASCII"},
      {"\xC3\xA9t\xC3\xA9", L"\u00E9t\u00E9"},
      {"\xE8\xAE\xBE\xE7\xBD\xAE", L"设置"},
      {"\xE6\x96\x87\xE4\xBB\xB6\xE8\xB5\x84\xE6\xBA\x90", L"文件资源"},
      {"\xF0\x9F\x98\x80", L"\U0001F600"},                        // emoji, outside the BMP
      {"a\xF0\xA0\x80\x80z", L"a\U00020000z"},                   // CJK extension B
      {"\xEF\xBF\xBF\xF4\x8F\xBF\xBF", L"\uFFFF\U0010FFFF"},      // ends of the ranges
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8ToWide(c.utf8), c.wide) << c.utf8;
    EXPECT_EQ(WideToUtf8(c.wide), c.utf8) << c.utf8;
  }
}

TEST(TextUtilTest, InvalidUtf8BecomesReplacementCharacters) {
  const struct {
    const char* label;
    std::string utf8;
    std::wstring wide;
  } cases[] = {
      {"overlong slash, two bytes", "a\xC0\xAF" "b", L"a\uFFFD\uFFFDb"},
      {"overlong slash, three bytes", "\xE0\x80\xAF", L"\uFFFD\uFFFD\uFFFD"},
      {"UTF-16 surrogate encoded in UTF-8", "\xED\xA0\x80x", L"\uFFFD\uFFFD\uFFFDx"},
      {"above U+10FFFF", "\xF4\x90\x80\x80", L"\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"truncated before ASCII", "\xE4\xB8" "a", L"\uFFFDa"},
      {"truncated at the end", "ok\xF0\x9F\x98", L"ok\uFFFD"},
      {"stray continuation byte", "a\x80" "b", L"a\uFFFDb"},
      {"never a lead byte", "\xFF\xFE", L"\uFFFD\uFFFD"},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8ToWide(c.utf8), c.wide) << c.label;
}

TEST(TextUtilTest, LoneSurrogateInWideTextBecomesReplacementCharacter) {
  const std::wstring lone = std::wstring(L"a") + static_cast<wchar_t>(0xD800) + L"b";
  EXPECT_EQ(WideToUtf8(lone), "a\xEF\xBF\xBD" "b");
}

TEST(TextUtilTest, ExpandEnvironmentWithTable) {
  const std::map<std::wstring, std::wstring> environment = {
      {L"WINDIR", L"C:\\Windows"}, {L"USERPROFILE", L"C:\\Users\\me"}};
  int lookups = 0;
  const EnvironmentLookup lookup = [&](const std::wstring& name) -> std::optional<std::wstring> {
    ++lookups;
    const auto it = environment.find(name);
    if (it == environment.end()) return std::nullopt;
    return it->second;
  };
  const struct {
    std::wstring text;
    std::wstring expanded;
  } cases[] = {
      {L"%WINDIR%\\explorer.exe", L"C:\\Windows\\explorer.exe"},
      {L"%USERPROFILE%\\a;%WINDIR%", L"C:\\Users\\me\\a;C:\\Windows"},
      {L"%NOT_DEFINED%\\x", L"%NOT_DEFINED%\\x"},
      // The closing "%" of an undefined name can open the next reference.
      {L"%NOPE%WINDIR%", L"%NOPEC:\\Windows"},
      {L"%WINDIR", L"%WINDIR"},
      {L"100%", L"100%"},
      {L"%%", L"%%"},
      {L"", L""},
  };
  for (const auto& c : cases) EXPECT_EQ(ExpandEnvironmentWith(c.text, lookup), c.expanded) << c.text;

  lookups = 0;
  EXPECT_EQ(ExpandEnvironmentWith(L"C:\\Program Files\\app.exe", lookup), L"C:\\Program Files\\app.exe");
  EXPECT_EQ(lookups, 0) << "text without % must not consult the environment";
}

TEST(TextUtilTest, ParentDirectoryTable) {
  const struct {
    std::wstring path;
    std::wstring parent;
  } cases[] = {
      {L"C:\\a\\b.txt", L"C:\\a"},
      {L"C:\\b.txt", L"C:"},
      {L"C:/a/b.txt", L"C:/a"},
      {L"\\\\server\\share\\f.txt", L"\\\\server\\share"},
      {L"a\\b.txt", L""},
      {L"\\root\\b.txt", L""},
      {L"C:", L""},
      {L"C:x", L""},
      {L"", L""},
  };
  for (const auto& c : cases) EXPECT_EQ(ParentDirectory(c.path), c.parent) << c.path;
}

}  // namespace
}  // namespace orvane
