#include <gtest/gtest.h>

#include <string>

#include "system/WlanProfileXml.h"

namespace orvane::testing {
namespace {

const std::wstring kHead =
    L"<?xml version=\"1.0\"?><WLANProfile xmlns=\"http://www.microsoft.com/networking/WLAN/profile/v1\">";

TEST(WlanProfileXmlTest, Wpa2ProfileForAPlainNetwork) {
  EXPECT_EQ(WlanProfileXml(L"Home", L"secret123"),
            kHead +
                L"<name>Home</name><SSIDConfig><SSID><hex>486F6D65</hex><name>Home</name></SSID></SSIDConfig>"
                L"<connectionType>ESS</connectionType><connectionMode>auto</connectionMode><MSM><security>"
                L"<authEncryption><authentication>WPA2PSK</authentication><encryption>AES</encryption>"
                L"<useOneX>false</useOneX></authEncryption><sharedKey><keyType>passPhrase</keyType>"
                L"<protected>false</protected><keyMaterial>secret123</keyMaterial></sharedKey></security></MSM>"
                L"</WLANProfile>");
}

TEST(WlanProfileXmlTest, OpenProfileWithoutPassword) {
  EXPECT_EQ(WlanProfileXml(L"Cafe", L""),
            kHead +
                L"<name>Cafe</name><SSIDConfig><SSID><hex>43616665</hex><name>Cafe</name></SSID></SSIDConfig>"
                L"<connectionType>ESS</connectionType><connectionMode>manual</connectionMode><MSM><security>"
                L"<authEncryption><authentication>open</authentication><encryption>none</encryption>"
                L"<useOneX>false</useOneX></authEncryption></security></MSM></WLANProfile>");
}

TEST(WlanProfileXmlTest, RawKeyIsWrittenAsNetworkKey) {
  const std::wstring key(64, L'a');
  const std::wstring xml = WlanProfileXml(L"Home", key);
  EXPECT_NE(xml.find(L"<keyType>networkKey</keyType><protected>false</protected><keyMaterial>" + key +
                     L"</keyMaterial>"),
            std::wstring::npos);
}

// ---------------------------------------------------------------- escaping

struct EscapeCase {
  const char* name;
  std::wstring ssid;
  std::wstring password;
  std::wstring escapedSsid;
  std::wstring hex;  // of the SSID's UTF-8 bytes
  std::wstring escapedPassword;
};

void PrintTo(const EscapeCase& c, std::ostream* os) { *os << c.name; }

class WlanProfileEscapeTest : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(WlanProfileEscapeTest, NameHexAndKeyMaterial) {
  const EscapeCase& c = GetParam();
  const std::wstring xml = WlanProfileXml(c.ssid, c.password);
  EXPECT_NE(xml.find(L"<name>" + c.escapedSsid + L"</name><SSIDConfig><SSID><hex>" + c.hex + L"</hex><name>" +
                     c.escapedSsid + L"</name></SSID>"),
            std::wstring::npos)
      << "profile: " << ::testing::PrintToString(xml);
  if (!c.password.empty()) {
    EXPECT_NE(xml.find(L"<keyMaterial>" + c.escapedPassword + L"</keyMaterial>"), std::wstring::npos);
  }
}

const EscapeCase kEscapeCases[] = {
    {"Ampersand", L"A&B", L"pass&word", L"A&amp;B", L"412642", L"pass&amp;word"},
    {"LessAndGreater", L"<net>", L"p<ass>word", L"&lt;net&gt;", L"3C6E65743E", L"p&lt;ass&gt;word"},
    {"Quotes", L"Bob's \"AP\"", L"it's \"quoted\"", L"Bob&apos;s &quot;AP&quot;", L"426F6227732022415022",
     L"it&apos;s &quot;quoted&quot;"},
    {"EntityTextIsEscapedAgain", L"&amp;", L"&lt;&lt;&lt;", L"&amp;amp;", L"26616D703B",
     L"&amp;lt;&amp;lt;&amp;lt;"},
    {"EveryCharacterAtOnce", L"&<>\"'", L"&<>\"'&<>\"'", L"&amp;&lt;&gt;&quot;&apos;", L"263C3E2227",
     L"&amp;&lt;&gt;&quot;&apos;&amp;&lt;&gt;&quot;&apos;"},
    {"ChineseSsid", L"家里", L"12345678", L"家里", L"E5AEB6E9878C", L"12345678"},
    {"SsidBeyondBmp", L"wifi\U0001F4F6", L"12345678", L"wifi\U0001F4F6", L"77696669F09F93B6", L"12345678"},
    {"OpenNetworkWithEntities", L"Tom & Jerry", L"", L"Tom &amp; Jerry", L"546F6D2026204A65727279", L""},
};

INSTANTIATE_TEST_SUITE_P(Texts, WlanProfileEscapeTest, ::testing::ValuesIn(kEscapeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HexUpperTest, TwoUpperCaseDigitsPerByte) {
  EXPECT_EQ(HexUpper(""), L"");
  EXPECT_EQ(HexUpper(std::string("\x00\x0F\xAB\xFF\x7F", 5)), L"000FABFF7F");
}

// ---------------------------------------------------------------- passphrase

struct KeyCase {
  const char* name;
  std::wstring key;
  bool valid;
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

class Wpa2PassphraseTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(Wpa2PassphraseTest, AcceptsWhatTheServiceAccepts) {
  EXPECT_EQ(IsValidWpa2Passphrase(GetParam().key), GetParam().valid);
}

const KeyCase kKeyCases[] = {
    {"Empty", L"", false},
    {"SevenCharacters", L"1234567", false},
    {"EightCharacters", L"12345678", true},
    {"SixtyThreeCharacters", std::wstring(63, L'x'), true},
    {"SixtyFourHexDigits", std::wstring(32, L'A') + std::wstring(32, L'f'), true},
    {"SixtyFourWithOneNonHex", std::wstring(63, L'0') + L"g", false},
    {"SixtyFiveHexDigits", std::wstring(65, L'0'), false},
    {"SpaceAndTildeArePrintable", L" ~!@#$%^&*()<>\"'", true},
    {"ControlCharacter", L"1234\t5678", false},
    {"Delete", L"1234\x7F" L"5678", false},
    {"NonAscii", L"密码12345678", false},
    {"NonAsciiSixtyFourLong", std::wstring(63, L'0') + L"é", false},
};

INSTANTIATE_TEST_SUITE_P(Keys, Wpa2PassphraseTest, ::testing::ValuesIn(kKeyCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvane::testing
