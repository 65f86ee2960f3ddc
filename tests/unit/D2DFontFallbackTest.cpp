#include <gtest/gtest.h>

#include <set>
#include <string>

#include "render/FontFallback.h"

namespace orvane {
namespace {

TEST(D2DFontFallbackTest, PicksAnInstalledFamily) {
  struct Case {
    const char* name;
    std::set<std::wstring> installed;
    std::wstring anyInstalled;
    std::wstring expected;
  };
  const Case cases[] = {
      {"requested present", {L"Microsoft YaHei UI", L"Tahoma"}, L"Tahoma", L"Microsoft YaHei UI"},
      {"CJK font before Latin ones", {L"DejaVu Sans", L"Noto Sans CJK SC", L"Tahoma"}, L"DejaVu Sans",
       L"Noto Sans CJK SC"},
      {"Latin font when no CJK one", {L"Liberation Sans", L"Tahoma"}, L"Liberation Sans", L"Tahoma"},
      {"any installed family last", {L"Some Font"}, L"Some Font", L"Some Font"},
      {"nothing known keeps the request", {}, L"", L"Microsoft YaHei UI"},
  };
  for (const Case& c : cases) {
    const auto installed = [&](const std::wstring& family) { return c.installed.count(family) != 0; };
    EXPECT_EQ(ResolveFontFamily(L"Microsoft YaHei UI", installed, c.anyInstalled), c.expected) << c.name;
  }
}

}  // namespace
}  // namespace orvane
