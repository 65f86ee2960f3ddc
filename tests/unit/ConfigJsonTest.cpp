#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "ConfigTestProbe.h"
#include "app/TextUtil.h"
#include "config/ConfigJson.h"

namespace orvane {
namespace {

using testing::FakeMachine;
using testing::ProbeOf;

nlohmann::json J(const char* text) { return nlohmann::json::parse(text); }

// --- accessors ----------------------------------------------------------------

TEST(ConfigJsonTest, NumberIsClampedButNeverConverted) {
  const struct {
    const char* document;
    float expected;
  } cases[] = {
      {R"({"v":200})", 96},
      {R"({"v":10})", 28},
      {R"({"v":60.5})", 60.5f},
      {R"({"v":1e300})", 96},   // clamped in double, no float overflow
      {R"({"v":-1e300})", 28},
      {R"({"v":18446744073709551615})", 96},
      {R"({"v":"60"})", 48},    // a string is not a number
      {R"({"v":true})", 48},
      {R"({"v":null})", 48},
      {R"({"v":[60]})", 48},
      {R"({"other":60})", 48},
      {R"([60])", 48},          // not an object at all
  };
  for (const auto& c : cases) {
    EXPECT_EQ(JsonNumber(J(c.document), "v", 48, 28, 96), c.expected) << c.document;
  }
  // The fallback is returned as given, even outside the range.
  EXPECT_EQ(JsonNumber(J("{}"), "v", 500, 28, 96), 500);
}

TEST(ConfigJsonTest, BoolAndStringDemandTheirOwnType) {
  const struct {
    const char* document;
    bool fallback;
    bool expected;
  } bools[] = {
      {R"({"v":true})", false, true},
      {R"({"v":false})", true, false},
      {R"({"v":1})", false, false},  // the number 1 is not true
      {R"({"v":0})", true, true},
      {R"({"v":"true"})", false, false},
      {R"({})", true, true},
  };
  for (const auto& c : bools) EXPECT_EQ(JsonBool(J(c.document), "v", c.fallback), c.expected) << c.document;

  const struct {
    const char* document;
    std::wstring expected;
  } strings[] = {
      {R"({"v":"计算器"})", L"计算器"},
      {R"({"v":""})", L""},
      {R"({"v":5})", L"fallback"},
      {R"({"v":null})", L"fallback"},
      {R"({"v":{"a":"b"}})", L"fallback"},
  };
  for (const auto& c : strings) EXPECT_EQ(JsonString(J(c.document), "v", L"fallback"), c.expected) << c.document;

  const auto ordered = nlohmann::ordered_json::parse(R"({"s":"x","b":true,"n":3})");
  EXPECT_EQ(JsonString(ordered, "s", L""), L"x");
  EXPECT_TRUE(JsonBool(ordered, "b", false));
  EXPECT_EQ(JsonNumber(ordered, "n", 0, 0, 2), 2);
}

// --- parsing ------------------------------------------------------------------

class ConfigParseTest : public ::testing::Test {
 protected:
  DockConfig Parse(const std::string& document) {
    std::optional<DockConfig> config = ParseConfig(document, ProbeOf(machine_));
    EXPECT_TRUE(config.has_value()) << document;
    return config.value_or(DockConfig{});
  }

  std::shared_ptr<FakeMachine> machine_ = FakeMachine::Typical();
};

TEST_F(ConfigParseTest, ReadsEachKeyByItsRule) {
  const struct {
    const char* document;
    std::function<bool(const DockConfig&)> holds;
  } cases[] = {
      {R"({"iconSize":200})", [](const DockConfig& c) { return c.iconSize == 96; }},
      {R"({"iconSize":"60"})", [](const DockConfig& c) { return c.iconSize == 48; }},
      {R"({"iconSize":60})", [](const DockConfig& c) { return c.iconSize == 60; }},
      {R"({"glassOpacity":5})", [](const DockConfig& c) { return c.glassOpacity == 0.92f; }},
      {R"({"springResponse":0})", [](const DockConfig& c) { return c.springResponse == 0.06f; }},
      {R"({"hideRevealDelayMs":-3})", [](const DockConfig& c) { return c.hideRevealDelayMs == 0; }},
      {R"({"dockPosition":"Left"})", [](const DockConfig& c) { return c.dockPosition == L"bottom"; }},
      {R"({"dockPosition":"left"})", [](const DockConfig& c) { return c.dockPosition == L"left"; }},
      {R"({"dockPosition":7})", [](const DockConfig& c) { return c.dockPosition == L"bottom"; }},
      {R"({"taskbarMode":"APPBAR"})", [](const DockConfig& c) { return c.taskbarMode == L"hide"; }},
      {R"({"taskbarMode":"keep"})", [](const DockConfig& c) { return c.taskbarMode == L"keep"; }},
      {R"({"stageSwitcherHotkey":"Alt+Q"})", [](const DockConfig& c) { return c.stageSwitcherHotkey == L"alt+tab"; }},
      {R"({"stageSwitcherHotkey":"ctrl+alt+s"})",
       [](const DockConfig& c) { return c.stageSwitcherHotkey == L"ctrl+alt+s"; }},
      {R"({"stageManagerMaxGroups":4.9})", [](const DockConfig& c) { return c.stageManagerMaxGroups == 4; }},
      {R"({"stageManagerMaxGroups":2})", [](const DockConfig& c) { return c.stageManagerMaxGroups == 3; }},
      {R"({"stageManagerMaxGroups":99})", [](const DockConfig& c) { return c.stageManagerMaxGroups == 7; }},
      {R"({"configVersion":7})", [](const DockConfig& c) { return c.configVersion == 7; }},
      {R"({"configVersion":55.7})", [](const DockConfig& c) { return c.configVersion == 55; }},
      {R"({"configVersion":-4})", [](const DockConfig& c) { return c.configVersion == 1; }},
      {R"({"configVersion":1e12})", [](const DockConfig& c) { return c.configVersion == 100; }},
      {R"({"smartHide":1})", [](const DockConfig& c) { return !c.smartHide; }},
      {R"({"showDockMusic":false})", [](const DockConfig& c) { return !c.showDockMusic; }},
      {R"({"weatherCity":"杭州"})", [](const DockConfig& c) { return c.weatherCity == L"杭州"; }},
      {R"({})", [](const DockConfig& c) { return c.quickNote == WelcomeNote(); }},
      {R"({"quickNote":""})", [](const DockConfig& c) { return c.quickNote.empty(); }},
      {R"({"quickNote":"a\nb"})", [](const DockConfig& c) { return c.quickNote == L"a\nb"; }},
      {R"({"unknownKey":[1,2,3],"ICONSIZE":30})", [](const DockConfig& c) { return c.iconSize == 48; }},
  };
  for (const auto& c : cases) EXPECT_TRUE(c.holds(Parse(c.document))) << c.document;
}

TEST_F(ConfigParseTest, MissingKeysGiveBareDefaultsPlusDefaultLists) {
  DockConfig config = Parse("{}");
  EXPECT_EQ(config.widgets, DefaultWidgets());
  EXPECT_EQ(config.pinned, FirstRunPinned(ProbeOf(machine_)));
  config.widgets.clear();
  config.pinned.clear();
  config.quickNote.clear();
  EXPECT_EQ(config, DockConfig{});
}

TEST_F(ConfigParseTest, WidgetElements) {
  const std::vector<WidgetConfig> defaults = DefaultWidgets();
  const struct {
    const char* widgets;
    std::vector<WidgetConfig> expected;
  } cases[] = {
      {R"([{"id":"clock_7","type":"note","x":100,"y":200,"enabled":false}])",
       {{L"clock_7", L"note", 100, 200, false}}},
      {R"([{"id":"w"}])", {{L"w", L"clock", 40, 56, true}}},
      {R"([{"id":"w","x":-5,"y":99999,"enabled":1,"type":3}])", {{L"w", L"clock", 0, 2160, true}}},
      {R"([5,"x",null,{"id":"a"},[],{"id":""},{"type":"note"}])", {{L"a", L"clock", 40, 56, true}}},
      {R"([{"type":"note"},{"id":""}])", defaults},  // every element dropped
      {R"([])", defaults},
      {R"({"id":"a"})", defaults},  // not an array
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Parse(std::string(R"({"widgets":)") + c.widgets + "}").widgets, c.expected) << c.widgets;
  }
}

TEST_F(ConfigParseTest, PinnedElements) {
  const std::vector<DockItemConfig> firstRun = FirstRunPinned(ProbeOf(machine_));
  const struct {
    const char* pinned;
    std::vector<DockItemConfig> expected;
  } cases[] = {
      {R"([{"name":"记事本","target":"%WINDIR%\\notepad.exe","args":"-a","customIcon":"D:\\n.png"}])",
       {{L"记事本", L"%WINDIR%\\notepad.exe", L"-a", L"D:\\n.png"}}},
      {R"([{"target":"C:\\x.exe"}])", {{L"C:\\x.exe", L"C:\\x.exe", L"", L""}}},  // name from target
      {R"([{"name":"no target"},{"name":"empty","target":""},{"name":"ok","target":"t"}])",
       {{L"ok", L"t", L"", L""}}},
      {R"([1,{"name":"n","target":"t","args":5}])", {{L"n", L"t", L"", L""}}},
      {R"([{"name":"no target"}])", firstRun},
      {R"([])", firstRun},  // an empty dock does not survive a restart
      {R"("C:\\x.exe")", firstRun},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Parse(std::string(R"({"pinned":)") + c.pinned + "}").pinned, c.expected) << c.pinned;
  }
}

// A number beyond the double range or a lone surrogate escape costs only
// its own value, never the pinned items beside it.
TEST_F(ConfigParseTest, ValuesTheParserCannotHoldCostOnlyThemselves) {
  const std::string document =
      R"({"iconSize":1e999,"magnification":-1e999,"dockPosition":"left","weatherCity":"\ud800",)"
      R"("quickNote":"a\udc00b\ud800\u0041","stageManagerMaxGroups":1E+400,)"
      R"("widgets":[{"id":"note_9","type":"note","x":)" + std::string(400, '9') + R"(,"y":-1e400}],)"
      R"("pinned":[{"name":"Tool","target":"C:\\tool.exe"},{"name":"Web","target":"https://example.org"}]})";
  const DockConfig config = Parse(document);
  EXPECT_EQ(config.iconSize, 96);
  EXPECT_EQ(config.magnification, 1);
  EXPECT_EQ(config.stageManagerMaxGroups, 7);
  EXPECT_EQ(config.dockPosition, L"left");
  EXPECT_EQ(config.weatherCity, L"\uFFFD");
  EXPECT_EQ(config.quickNote, L"a\uFFFDb\uFFFDA");
  ASSERT_EQ(config.widgets.size(), 1u);
  EXPECT_EQ(config.widgets[0].x, 3840);
  EXPECT_EQ(config.widgets[0].y, 0);
  const std::vector<DockItemConfig> pinned = {{L"Tool", L"C:\\tool.exe", L"", L""},
                                              {L"Web", L"https://example.org", L"", L""}};
  EXPECT_EQ(config.pinned, pinned);
}

TEST_F(ConfigParseTest, OnlyOverflowingNumbersAndLoneSurrogatesAreMended) {
  const struct {
    const char* value;
    float iconSize;
  } numbers[] = {
      {"1e308", 96},         {"1.7976931348623157e308", 96}, {"1.8e308", 96},  {"0.0001e312", 96},
      {"-1.8e308", 28},      {"1e-999", 28},                 {"0e999", 28},    {"0.000e400", 28},
      {"60", 60},            {"6.0e1", 60},                  {"600e-1", 60},   {"-0", 28},
  };
  for (const auto& c : numbers) {
    EXPECT_EQ(Parse(std::string(R"({"iconSize":)") + c.value + "}").iconSize, c.iconSize) << c.value;
  }

  const struct {
    const char* escaped;
    std::wstring text;
  } strings[] = {
      {R"(\ud83d\ude00)", Utf8ToWide("\xF0\x9F\x98\x80")},  // a proper pair stays one character
      {R"(\uD83D\uDE00)", Utf8ToWide("\xF0\x9F\x98\x80")},
      {R"(\ude00\ud83d)", L"\uFFFD\uFFFD"},                  // the halves the wrong way round
      {R"(\ud83d\ud83d\ude00)", L"\uFFFD" + Utf8ToWide("\xF0\x9F\x98\x80")},
      {R"(\\ud800)", L"\\ud800"},                            // an escaped backslash, then text
      {R"(1e999 \"\ud800)", L"1e999 \"\uFFFD"},             // numbers inside strings are text
      {R"(\u00e9\/\n)", L"\u00e9/\n"},
  };
  for (const auto& c : strings) {
    EXPECT_EQ(Parse(std::string(R"({"quickNote":")") + c.escaped + "\"}").quickNote, c.text) << c.escaped;
  }

  // What is not JSON stays refused.
  const PinProbe probe = ProbeOf(machine_);
  for (const char* bad : {R"({"iconSize":1e999x})", R"({"iconSize":01e999})", R"({"iconSize":1e})",
                          R"({"quickNote":"\ud80"})", R"({"quickNote":"\u)", R"({"iconSize":+1e999})",
                          R"({"iconSize":1e999)"}) {
    EXPECT_FALSE(ParseConfig(bad, probe)) << bad;
  }
}

TEST(ConfigParseFailureTest, AnythingButOneObjectIsRefused) {
  const PinProbe probe = ProbeOf(FakeMachine::Typical());
  const std::string cases[] = {
      "", " ", "[]", R"([{"iconSize":40}])", "42", R"("text")", "null", "true", "{", R"({"a":})",
      R"({"a":1,})", "{} {}", "{}x", std::string("{\0}", 3), "\xEF\xBB\xBF[]",
  };
  for (const std::string& document : cases) EXPECT_FALSE(ParseConfig(document, probe)) << document;
}

TEST(ConfigParseFailureTest, InvalidUtf8CostsOnlyTheBadCharacters) {
  const PinProbe probe = ProbeOf(FakeMachine::Typical());
  const std::optional<DockConfig> config =
      ParseConfig("{\"quickNote\":\"a\xFF" "b\xC3\",\"weatherCity\":\"\xED\xA0\x80\"}", probe);
  ASSERT_TRUE(config);
  EXPECT_EQ(config->quickNote, L"a\uFFFDb\uFFFD");
  EXPECT_EQ(config->weatherCity, std::wstring(3, L'\uFFFD'));
  // Outside a string the replacement character is a syntax error like any other.
  EXPECT_FALSE(ParseConfig("{\xFF}", probe));
}

TEST(ConfigParseFailureTest, NestingIsBounded) {
  const PinProbe probe = ProbeOf(FakeMachine::Typical());
  for (const size_t depth : {kMaxJsonDepth + 1, size_t{100000}}) {
    EXPECT_FALSE(ParseConfig(std::string(depth, '[') + std::string(depth, ']'), probe)) << depth;
    EXPECT_FALSE(ParseConfig("{\"a\":" + std::string(depth, '[') + std::string(depth, ']') + "}", probe)) << depth;
    std::string objects;
    for (size_t i = 0; i < depth; ++i) objects += "{\"a\":";
    objects += "1" + std::string(depth, '}');
    EXPECT_FALSE(ParseConfig(objects, probe)) << depth;
  }
  // Reasonable nesting, and brackets inside strings, are fine.
  EXPECT_TRUE(ParseConfig("{\"a\":" + std::string(100, '[') + std::string(100, ']') + "}", probe));
  EXPECT_TRUE(ParseConfig("{\"quickNote\":\"" + std::string(100000, '[') + "\\\"{\"}", probe));
}

// --- writing ------------------------------------------------------------------

TEST(ConfigSerializeTest, CompactDocumentInFixedOrder) {
  DockConfig config;
  config.configVersion = 7;
  config.weatherCity = L"北京";
  config.quickNote = L"a\nb";
  config.widgets = {{L"clock_1", L"clock", 36, 52.5f, true}};
  config.pinned = {{L"记事本", L"%WINDIR%\\System32\\notepad.exe", L"", L""},
                   {L"Tool", L"C:\\t.exe", L"-x \"y\"", L"C:\\t.ico"}};

  const std::string expected =
      R"({"configVersion":3,"iconSize":48,"magnification":1.649999976158142,"sigmaIcons":1.4500000476837158,)"
      R"("iconSpacing":8,"paddingX":12,"paddingY":7,"bottomMargin":10,"cornerRadius":17,"blurRadius":22,)"
      R"("glassOpacity":0.5600000023841858,"springResponse":0.20000000298023224,"springDamping":0.8199999928474426,)"
      R"("separatorWidth":14,"tooltipDelayMs":110,"hideRevealDelayMs":120,"dockPosition":"bottom",)"
      R"("followMouseMonitor":false,"taskbarMode":"hide","showLaunchpadIcon":true,"showDockMusic":true,)"
      R"("showDockTray":true,"showDockPower":true,"showRecycleBin":true,"showDownloadsStack":true,)"
      R"("showRunningUnpinned":true,"enableBounce":true,"enableTooltip":true,"enableWindowPreview":true,)"
      R"("enableMinimizeAnim":true,"smartHide":false,"hideOnFullscreen":true,"stageManagerEnabled":false,)"
      R"("stageManagerAutoHide":true,"stageManagerMaxGroups":5,"replaceAltTabWithStage":false,)"
      R"("stageSwitcherHotkey":"alt+tab","menuBarEnabled":true,"menuBarReserveTop":false,)"
      R"("showNotificationBanners":true,"desktopWidgetsEnabled":false,"weatherCity":"北京","quickNote":"a\nb",)"
      R"("widgets":[{"id":"clock_1","type":"clock","x":36,"y":52.5,"enabled":true}],)"
      R"("enableGlobalHotkeys":true,"enableHotCorners":false,)"
      R"("pinned":[{"name":"记事本","target":"%WINDIR%\\System32\\notepad.exe"},)"
      R"({"name":"Tool","target":"C:\\t.exe","args":"-x \"y\"","customIcon":"C:\\t.ico"}]})";
  EXPECT_EQ(SerializeConfig(config), expected);
}

TEST(ConfigSerializeTest, RoundTripKeepsEveryValueExactly) {
  const PinProbe probe = ProbeOf(FakeMachine::Typical());
  DockConfig config = FirstRunDefaults(probe);
  config.iconSize = 61.3f;
  config.magnification = 1.0f;
  config.glassOpacity = 0.3f;
  config.springDamping = 1.2999f;
  config.dockPosition = L"right";
  config.taskbarMode = L"appbar";
  config.stageSwitcherHotkey = L"ctrl+alt+tab";
  config.stageManagerMaxGroups = 3;
  config.enableHotCorners = true;
  config.showRecycleBin = false;
  config.weatherCity = L"Zürich 😀";
  config.quickNote = L"第一行\n\t\"引号\" \\ 😀";
  config.widgets[2].enabled = true;
  config.widgets[0].x = 3840;
  config.widgets[0].y = 0.1f;
  config.pinned.push_back({L"带参数", L"C:\\a b\\c.exe", L"--flag=\"x\"", L"C:\\i.ico"});

  const std::optional<DockConfig> back = ParseConfig(SerializeConfig(config), probe);
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, config);
}

// --- hostile input ------------------------------------------------------------

// What every successful parse must satisfy, whatever the input was.
void ExpectSane(const DockConfig& c) {
  EXPECT_TRUE(c.configVersion >= 1 && c.configVersion <= 100);
  EXPECT_TRUE(c.iconSize >= 28 && c.iconSize <= 96);
  EXPECT_TRUE(c.glassOpacity >= 0.2f && c.glassOpacity <= 0.92f);
  EXPECT_TRUE(c.stageManagerMaxGroups >= 3 && c.stageManagerMaxGroups <= 7);
  EXPECT_TRUE(c.dockPosition == L"bottom" || c.dockPosition == L"left" || c.dockPosition == L"right");
  EXPECT_FALSE(c.widgets.empty());
  EXPECT_FALSE(c.pinned.empty());
  for (const WidgetConfig& w : c.widgets) {
    EXPECT_FALSE(w.id.empty());
    EXPECT_TRUE(w.x >= 0 && w.x <= 3840 && w.y >= 0 && w.y <= 2160);
  }
  for (const DockItemConfig& item : c.pinned) EXPECT_FALSE(item.target.empty());
}

TEST(ConfigFuzzTest, EveryTruncationOfAValidFileIsRefused) {
  const PinProbe probe = ProbeOf(FakeMachine::Typical());
  const std::string document = SerializeConfig(FirstRunDefaults(probe));
  for (size_t length = 0; length < document.size(); ++length) {
    ASSERT_FALSE(ParseConfig(std::string_view(document).substr(0, length), probe)) << length;
  }
  EXPECT_TRUE(ParseConfig(document, probe));
}

TEST(ConfigFuzzTest, MutatedFilesNeverCrashAndStayInRange) {
  const PinProbe probe = ProbeOf(FakeMachine::Typical());
  const std::string document = SerializeConfig(FirstRunDefaults(probe));
  const char interesting[] = {'"', '{', '}', '[', ']', ':', ',', '\\', '-', 'e', '9', '\0', '\xFF', '\xC3'};
  std::mt19937 random(12345);
  for (int round = 0; round < 3000; ++round) {
    std::string mutated = document;
    const int edits = 1 + static_cast<int>(random() % 4);
    for (int e = 0; e < edits; ++e) {
      const size_t at = random() % mutated.size();
      switch (random() % 3) {
        case 0: mutated[at] = interesting[random() % sizeof interesting]; break;
        case 1: mutated.erase(at, 1 + random() % 8); break;
        default: mutated.insert(at, 1, static_cast<char>(random() % 256)); break;
      }
      if (mutated.empty()) mutated = "{";
    }
    if (std::optional<DockConfig> config = ParseConfig(mutated, probe)) ExpectSane(*config);
  }
}

TEST(ConfigFuzzTest, HugeInputs) {
  const PinProbe probe = ProbeOf(FakeMachine::Typical());
  const size_t megabytes = 6u << 20;

  // A huge but valid note is kept.
  const std::optional<DockConfig> big = ParseConfig("{\"quickNote\":\"" + std::string(megabytes, 'x') + "\"}", probe);
  ASSERT_TRUE(big);
  EXPECT_EQ(big->quickNote.size(), megabytes);

  std::mt19937 random(7);
  std::string noise(megabytes, '\0');
  for (char& c : noise) c = static_cast<char>(random() % 256);
  noise[0] = '{';
  EXPECT_FALSE(ParseConfig(noise, probe));
  EXPECT_FALSE(ParseConfig(std::string(megabytes, '['), probe));
  EXPECT_FALSE(ParseConfig(std::string(megabytes, '{'), probe));
}

}  // namespace
}  // namespace orvane
