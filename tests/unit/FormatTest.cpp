#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "app/Format.h"

namespace orvane {
namespace {

struct Case {
  std::wstring got;
  std::wstring want;
};

void ExpectAll(std::initializer_list<Case> cases) {
  int row = 0;
  for (const Case& c : cases) EXPECT_EQ(c.got, c.want) << "row " << row++;
}

TEST(FormatTest, Integers) {
  ExpectAll({
      {FormatWide(L"%d", -42), L"-42"},
      {FormatWide(L"%+d|% d", 5, 5), L"+5| 5"},
      {FormatWide(L"%5d|%-5d|", 42, 42), L"   42|42   |"},
      {FormatWide(L"%05d", -42), L"-0042"},
      {FormatWide(L"%5.3d", 7), L"  007"},
      {FormatWide(L"%.0d", 0), L""},
      {FormatWide(L"%x %#x %#X %#x", 255, 255, 255, 0), L"ff 0xff 0XFF 0"},
      {FormatWide(L"%o %#o", 8, 8), L"10 010"},
      {FormatWide(L"%llu", std::numeric_limits<std::uint64_t>::max()), L"18446744073709551615"},
      {FormatWide(L"%lld", std::numeric_limits<std::int64_t>::min()), L"-9223372036854775808"},
      {FormatWide(L"%zu %I64d %I32u %hhd %ld %jd", size_t{7}, 7, 7u, 7, 7L, 7), L"7 7 7 7 7 7"},
      {FormatWide(L"%*d|%*d|", 5, 42, -4, 7), L"   42|7   |"},
      {FormatWide(L"%.*d", 3, 3), L"003"},
      {FormatWide(L"%d", true), L"1"},
  });
}

// HRESULTs are logged as 0x%08X from signed 32-bit values; the formatter
// must not sign-extend them to 64 bits.
TEST(FormatTest, NegativeIntsPrintAsTheir32BitPattern) {
  ExpectAll({
      {FormatWide(L"0x%08X", static_cast<std::int32_t>(0x80004005)), L"0x80004005"},
      {FormatWide(L"0x%08X", static_cast<std::int32_t>(-2147024891)), L"0x80070005"},
      {FormatWide(L"0x%08X", static_cast<std::int32_t>(1)), L"0x00000001"},
      {FormatWide(L"%x", -1), L"ffffffff"},
      {FormatWide(L"%u", -1), L"4294967295"},
      {FormatWide(L"%o", -1), L"37777777777"},
      // Values that need 64 bits keep them.
      {FormatWide(L"%llX", std::numeric_limits<std::int64_t>::min()), L"8000000000000000"},
  });
}

TEST(FormatTest, Text) {
  const std::wstring wide = L"设置";
  const wchar_t* pointer = L"窗口";
  const wchar_t* nullWide = nullptr;
  ExpectAll({
      {FormatWide(L"[%s]", wide), L"[设置]"},
      {FormatWide(L"%s", pointer), L"窗口"},
      {FormatWide(L"%s", nullWide), L"(null)"},
      {FormatWide(L"%S", "UTF-8 \xE4\xB8\xAD\xE6\x96\x87"), L"UTF-8 中文"},
      {FormatWide(L"%s", std::string("also narrow: \xE4\xB8\xAD")), L"also narrow: 中"},
      {FormatWide(L"%5s|%-5s|", L"ab", L"ab"), L"   ab|ab   |"},
      {FormatWide(L"%.2s", L"abcdef"), L"ab"},
      {FormatWide(L"%.*s", 3, L"abcdef"), L"abc"},
      {FormatWide(L"%c %c %c", L'A', static_cast<wchar_t>(0x4E2D), 0x1F600), L"A 中 \U0001F600"},
      {FormatWide(L"%3c", L'x'), L"  x"},
      {FormatWide(L"a %% b"), L"a % b"},
      {FormatWide(L"100%%"), L"100%"},
  });
}

TEST(FormatTest, FloatingPoint) {
  ExpectAll({
      {FormatWide(L"%.2f", 3.14159), L"3.14"},
      {FormatWide(L"%f", 1.5f), L"1.500000"},
      {FormatWide(L"%08.2f", -3.5), L"-0003.50"},
      {FormatWide(L"%+.1f", 2.0), L"+2.0"},
      {FormatWide(L"%e %E", 12345.678, 12345.678), L"1.234568e+04 1.234568E+04"},
      {FormatWide(L"%g %g %G", 0.0001, 1e20, 1e-10), L"0.0001 1e+20 1E-10"},
      {FormatWide(L"%#.0f", 2.0), L"2."},
      {FormatWide(L"%f %F %f", std::numeric_limits<double>::infinity(),
           std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()), L"inf INF -inf"},
      {FormatWide(L"%5.1f|", std::numeric_limits<double>::quiet_NaN()), L"  nan|"},
  });
}

TEST(FormatTest, Pointers) {
  ExpectAll({
      {FormatWide(L"%p", reinterpret_cast<const void*>(std::uintptr_t{0x1234})), L"0000000000001234"},
      {FormatWide(L"%p", reinterpret_cast<const void*>(std::uintptr_t{0xDEADBEEF})), L"00000000DEADBEEF"},
      {FormatWide(L"%p", nullptr), L"0000000000000000"},
  });
}

TEST(FormatTest, MismatchedMissingAndUnknown) {
  ExpectAll({
      // A missing argument prints nothing rather than reading garbage.
      {FormatWide(L"a%db%sc"), L"abc"},
      {FormatWide(L"%d %d", 1), L"1 "},
      // A mismatch prints the argument as what it is.
      {FormatWide(L"%d", L"text"), L"text"},
      {FormatWide(L"%s", 42), L"42"},
      {FormatWide(L"%f", 2), L"2.000000"},
      {FormatWide(L"%d", 2.9), L"2"},
      // Conversions we do not know (and a trailing "%") stay as written.
      {FormatWide(L"%y %n %d%", 5), L"%y %n 5%"},
  });
}

TEST(FormatTest, HugeWidthIsCapped) {
  const std::wstring out = FormatWide(L"%999999999d", 1);
  EXPECT_EQ(out.size(), 4096u);
  EXPECT_EQ(out.back(), L'1');
}

}  // namespace
}  // namespace orvane
