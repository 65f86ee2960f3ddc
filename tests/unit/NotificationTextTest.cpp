#include <gtest/gtest.h>

#include <string>

#include "system/CivilClock.h"
#include "system/notifications/NotificationText.h"

namespace orvane {
namespace {

std::string Elements(int count) {
  std::string xml = "<toast><visual><binding template='ToastGeneric'>";
  for (int i = 1; i <= count; ++i) xml += "<text>L" + std::to_string(i) + "</text>";
  return xml + "</binding></visual></toast>";
}

std::wstring Lines(int from, int to) {
  std::wstring joined;
  for (int i = from; i <= to; ++i) joined += (joined.empty() ? L"L" : L" · L") + std::to_wstring(i);
  return joined;
}

TEST(NotificationTextTest, ExtractionTable) {
  const std::string kPadding(kMaxToastPayloadBytes, ' ');
  const std::string kShortTag = "<text>T</text>";
  const struct {
    const char* name;
    std::string payload;
    std::wstring title;
    std::wstring body;
  } cases[] = {
      {"title and body lines",
       "<toast><visual><binding template='ToastGeneric'><text>Hello</text><text>World</text><text>Again</text>"
       "</binding></visual></toast>",
       L"Hello", L"World · Again"},
      {"the five entities, each decoded once",
       "<text>A &amp; B</text><text>&amp;lt; &lt;b&gt; &quot;q&quot; &apos;s&apos;</text>", L"A & B",
       L"&lt; <b> \"q\" 's'"},
      {"numeric and unknown references stay", "<text>&#65; &nbsp; & alone</text>", L"&#65; &nbsp; & alone", L""},
      {"empty and blank elements give no line",
       "<text/><text id='1'/><text>  \r\n </text><text></text><text>Only</text>", L"Only", L""},
      {"attributes on the start tag", "<text id=\"1\" hint-style='title'>T</text><text\nid='2'>B</text>", L"T", L"B"},
      {"a longer tag name is not a text element", "<textual>no</textual><texts>no</texts><text>yes</text>", L"yes",
       L""},
      {"> inside a quoted attribute value", "<text hint=\"a>b\" alt='c>d'>T</text>", L"T", L""},
      {"text inside another tag's attribute is not read", "<image alt='<text>x</text>' src='a.png'/><text>T</text>",
       L"T", L""},
      {"comments are skipped", "<!-- <text>hidden</text> --><text>a<!-- <text>c</text> -->b</text>", L"ab", L""},
      {"CDATA inside text is literal", "<text><![CDATA[x &amp; <y>]]> &amp; z</text>", L"x &amp; <y> & z", L""},
      {"CDATA outside text is skipped", "<![CDATA[<text>no</text>]]><text>yes</text>", L"yes", L""},
      {"declarations are not expanded",
       "<?xml version='1.0'?><!DOCTYPE toast [<!ENTITY e '<text>boom</text>'>]><text>&e;</text>", L"&e;", L""},
      {"control characters become spaces", "<text>a\tb\001c\177d</text>", L"a b c d", L""},
      {"trimmed at both ends", "<text>\r\n  padded  line \t</text>", L"padded  line", L""},
      {"invalid UTF-8", "<text>a\377\376b\xe4\xb8</text>", L"a\uFFFD\uFFFDb\uFFFD", L""},
      {"Chinese text", "<text>新消息</text><text>你好</text>", L"新消息", L"你好"},
      {"end tag with a space", "<text>x</text ><text>y</text>", L"x", L"y"},
      {"image only", "<toast><visual><binding><image src='a.png'/></binding></visual></toast>", L"", L""},
      {"unterminated element", "<text>T</text><text>never ends", L"T", L""},
      {"unterminated start tag", "<text>T</text><text id='1>", L"T", L""},
      {"unterminated comment", "<text>T</text><!-- <text>B</text>", L"T", L""},
      {"sixteen elements at most", Elements(17), L"L1", Lines(2, 16)},
      {"exactly the size limit", kShortTag + kPadding.substr(kShortTag.size()), L"T", L""},
      {"over the size limit", kShortTag + kPadding, L"", L""},
      {"empty payload", "", L"", L""},
  };
  for (const auto& c : cases) {
    const ToastText text = ExtractToastText(c.payload);
    EXPECT_EQ(text.title, c.title) << c.name;
    EXPECT_EQ(text.body, c.body) << c.name;
  }
}

TEST(NotificationTextTest, LongLinesAreCutOnCodePoints) {
  ToastText text;
  AppendToastLine(text, std::wstring(300, L'a'));
  EXPECT_EQ(text.title, std::wstring(kMaxToastTitleCodePoints - 1, L'a') + L"…");
  AppendToastLine(text, std::wstring(1500, L'b'));
  AppendToastLine(text, std::wstring(1500, L'c'));
  // 1500 + " · " + 544 code points and the ellipsis.
  EXPECT_EQ(text.body, std::wstring(1500, L'b') + L" · " + std::wstring(kMaxToastBodyCodePoints - 1504, L'c') + L"…");
  const std::wstring full = text.body;
  AppendToastLine(text, L"more");
  EXPECT_EQ(text.body, full);

  // A character outside the basic plane is two UTF-16 units: the cut keeps
  // the pair whole, with 255 code points before the ellipsis.
  const std::wstring pair{static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)};
  ToastText emoji;
  AppendToastLine(emoji, std::wstring(254, L'a') + pair + L"bcd");
  EXPECT_EQ(emoji.title, std::wstring(254, L'a') + pair + L"…");

  ToastText exact;
  AppendToastLine(exact, std::wstring(255, L'a') + pair);
  EXPECT_EQ(exact.title, std::wstring(255, L'a') + pair);
}

TEST(NotificationTextTest, AppDisplayNameTable) {
  const struct {
    std::wstring handler;
    std::wstring expected;
  } cases[] = {
      {L"", L"系统通知"},
      {L"Microsoft.WindowsStore_8wekyb3d8bbwe!App", L"WindowsStore"},
      {L"Windows.SystemToast.SecurityAndMaintenance", L"安全与维护"},
      {L"Windows.SystemToast.WindowsUpdate", L"Windows 更新"},
      {L"explorer", L"文件资源管理器"},
      {L"Microsoft.Windows.SystemToast.WINDOWSUPDATE", L"Windows 更新"},
      {L"windows.systemtoast.Explorer", L"windows.systemtoast.Explorer"},  // prefixes are case-sensitive
      {L"Contoso.Chat_abc123!App", L"Contoso.Chat"},
      {L"Ab_cd!App", L"Ab_cd"},  // an early "_" is part of the name
      {L"Abcde_x", L"Abcde"},
      {L"C:\\Program Files\\Tool\\tool.exe", L"tool.exe"},
      {L"C:/apps/x!y/z", L"x"},        // cut at "!" before the last slash
      {L"Microsoft.", L"Microsoft."},  // nothing after the prefix
      {L"Windows.SystemToast.", L"Windows.SystemToast."},
      {L"!App", L"系统通知"},
      {L"C:\\dir\\", L"系统通知"},
  };
  for (const auto& c : cases) EXPECT_EQ(AppDisplayName(c.handler), c.expected) << c.handler;
}

TEST(NotificationTextTest, RelativeTimeText) {
  constexpr int kBeijing = 8 * 60;
  const auto at = [](int year, int month, int day, int hour, int minute) {
    CivilTime local;
    local.year = year;
    local.month = month;
    local.day = day;
    local.hour = hour;
    local.minute = minute;
    return FixedCivilClock::FileTimeOf(local, kBeijing);
  };
  const FixedCivilClock clock(at(2024, 3, 15, 14, 30), kBeijing);
  const struct {
    const char* name;
    std::int64_t arrival;
    std::wstring expected;
  } cases[] = {
      {"today", at(2024, 3, 15, 8, 7), L"08:07"},
      {"today in local time, yesterday in UTC", at(2024, 3, 15, 1, 0), L"01:00"},
      {"yesterday", at(2024, 3, 14, 9, 5), L"3/14 09:05"},
      {"last year", at(2023, 12, 31, 23, 59), L"12/31 23:59"},
      {"same day a year ago", at(2023, 3, 15, 14, 30), L"3/15 14:30"},
      {"zero", 0, L"刚刚"},
      {"negative", -5, L"刚刚"},
  };
  for (const auto& c : cases) EXPECT_EQ(RelativeTimeText(clock, c.arrival), c.expected) << c.name;
}

}  // namespace
}  // namespace orvane
