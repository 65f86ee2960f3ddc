#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "system/FakeSystemControlsPlatform.h"
#include "system/SystemControls.h"

namespace orvane {
namespace {

using Calls = std::vector<std::wstring>;

// --- volume ----------------------------------------------------------------------

struct SetVolumeCase {
  const char* name;
  float requested;
  bool startsMuted;
  Calls calls;
  bool endsMuted;
};

void PrintTo(const SetVolumeCase& c, std::ostream* os) { *os << c.name; }

class SetVolumeTest : public ::testing::TestWithParam<SetVolumeCase> {};

TEST_P(SetVolumeTest, ClampsAndUnmutesOnlyAboveTheThreshold) {
  const SetVolumeCase& c = GetParam();
  FakeSystemControlsPlatform platform;
  platform.audio->muted = c.startsMuted;
  EXPECT_TRUE(SetVolume(platform, c.requested));
  EXPECT_EQ(platform.calls, c.calls);
  EXPECT_EQ(platform.audio->muted, c.endsMuted);
}

INSTANTIATE_TEST_SUITE_P(
    Levels, SetVolumeTest,
    ::testing::Values(SetVolumeCase{"NegativeSetsZeroAndKeepsMute", -0.2f, true, {L"level 0.000000"}, true},
                      SetVolumeCase{"BelowThresholdKeepsMute", 0.004f, true, {L"level 0.004000"}, true},
                      SetVolumeCase{"AudibleLevelUnmutesFirst", 0.5f, true, {L"unmute", L"level 0.500000"}, false},
                      SetVolumeCase{"AboveOneSetsOne", 1.7f, false, {L"unmute", L"level 1.000000"}, false},
                      SetVolumeCase{"NotANumberSetsZero", std::numeric_limits<float>::quiet_NaN(), true,
                                    {L"level 0.000000"}, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(VolumeTest, ReadsClampedLevelAndTreatsAFailedMuteReadAsUnmuted) {
  FakeSystemControlsPlatform platform;
  platform.audio->level = 1.3f;
  platform.audio->muted = std::nullopt;
  float volume = -1.0f;
  bool muted = true;
  ASSERT_TRUE(GetVolume(platform, volume, muted));
  EXPECT_EQ(volume, 1.0f);
  EXPECT_FALSE(muted);
}

TEST(VolumeTest, NoEndpointOrNoLevelFailsWithoutWriting) {
  FakeSystemControlsPlatform noEndpoint;
  noEndpoint.audio.reset();
  FakeSystemControlsPlatform noLevel;
  noLevel.audio->level = std::nullopt;
  for (FakeSystemControlsPlatform* platform : {&noEndpoint, &noLevel}) {
    float volume = 0.25f;
    bool muted = true;
    EXPECT_FALSE(GetVolume(*platform, volume, muted));
    EXPECT_EQ(volume, 0.25f);
    EXPECT_FALSE(ChangeVolume(*platform, 0.1f));
    EXPECT_TRUE(platform->calls.empty());
  }
  EXPECT_FALSE(SetVolume(noEndpoint, 0.5f));
  EXPECT_FALSE(SetMute(noEndpoint, true));
}

TEST(VolumeTest, ChangeStepsFromTheClampedCurrentLevel) {
  FakeSystemControlsPlatform platform;
  platform.audio->level = 1.2f;
  ASSERT_TRUE(ChangeVolume(platform, -0.25f));
  EXPECT_FLOAT_EQ(*platform.audio->level, 0.75f);
  ASSERT_TRUE(ChangeVolume(platform, -2.0f));
  EXPECT_EQ(*platform.audio->level, 0.0f);
}

TEST(VolumeTest, FailedWritesAreReported) {
  FakeSystemControlsPlatform platform;
  platform.audio->writesFail = true;
  EXPECT_FALSE(SetVolume(platform, 0.5f));
  EXPECT_FALSE(SetVolume(platform, 0.0f));
  EXPECT_FALSE(SetMute(platform, true));
}

// --- brightness -------------------------------------------------------------------

TEST(BrightnessTest, WmiPercentagesOutsideZeroToHundredAreRejected) {
  const struct {
    std::int64_t percent;
    std::optional<float> level;
  } cases[] = {{0, 0.0f}, {55, 0.55f}, {100, 1.0f}, {101, std::nullopt}, {-1, std::nullopt}};
  for (const auto& c : cases) EXPECT_EQ(BrightnessFromWmi(c.percent), c.level) << c.percent;
}

TEST(BrightnessTest, DdcRangesMapOntoZeroToOne) {
  const struct {
    MonitorBrightnessRange range;
    std::optional<float> level;
    float requested;
    std::optional<std::uint32_t> value;
  } cases[] = {
      {{0, 50, 100}, 0.5f, 0.3f, 30u},
      {{20, 20, 80}, 0.0f, 0.5f, 50u},
      {{20, 10, 80}, 0.0f, -1.0f, 20u},   // below minimum reads 0; negative sets the minimum
      {{20, 95, 80}, 1.0f, 2.0f, 80u},    // above maximum reads 1; beyond 1 sets the maximum
      {{50, 50, 50}, std::nullopt, 0.5f, std::nullopt},  // minimum = maximum: unsupported
      {{60, 50, 40}, std::nullopt, 0.5f, std::nullopt},
  };
  for (const auto& c : cases) {
    const std::optional<float> level = BrightnessFromDdc(c.range);
    ASSERT_EQ(level.has_value(), c.level.has_value()) << c.range.minimum << ".." << c.range.maximum;
    if (level) {
      EXPECT_FLOAT_EQ(*level, *c.level);
    }
    EXPECT_EQ(DdcValueFor(c.range, c.requested), c.value);
  }
}

class BrightnessFallbackTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform_.displays[L"\\\\.\\DISPLAY1"].ddc = MonitorBrightnessRange{0, 40, 100};
  }
  FakeSystemControlsPlatform platform_;
  FakeScreenGammaPlatform screen_;
  NightLight nightLight_{screen_};
};

TEST_F(BrightnessFallbackTest, SetTriesWmiThenDdcWithTheClampedLevel) {
  platform_.wmiBrightness = 30;
  ASSERT_TRUE(SetBrightness(platform_, 0, 1.4f));
  EXPECT_EQ(platform_.calls, (Calls{L"wmi 100"}));

  platform_.calls.clear();
  platform_.wmiSetFails = true;
  ASSERT_TRUE(SetBrightness(platform_, 0, 0.625f));
  EXPECT_EQ(platform_.calls, (Calls{L"wmi 63", L"ddc 63"}));

  platform_.displays[L"\\\\.\\DISPLAY1"].ddc = MonitorBrightnessRange{70, 70, 70};
  EXPECT_FALSE(SetBrightness(platform_, 0, 0.5f));
}

TEST_F(BrightnessFallbackTest, AnOutOfRangeWmiValueFallsBackToDdc) {
  platform_.wmiBrightness = 101;
  const DisplaySnapshot snapshot = ReadDisplay(platform_, nightLight_, 0);
  EXPECT_TRUE(snapshot.brightnessSupported);
  EXPECT_FLOAT_EQ(snapshot.brightness, 0.4f);
}

TEST(BrightnessTest, WmiInstanceMatchesOnlyItsOwnMonitorInterface) {
  const std::wstring panel = L"\\\\?\\DISPLAY#BOE0812#4&2a5f3c&0&UID265988#{e6f07b5f-ee97-4a90-b076-33f57bf4eaa7}";
  const struct {
    const wchar_t* instance;
    std::wstring deviceInterface;
    bool same;
  } cases[] = {
      {L"DISPLAY\\BOE0812\\4&2a5f3c&0&UID265988_0", panel, true},
      {L"display\\boe0812\\4&2A5F3C&0&uid265988_12", panel, true},
      {L"DISPLAY\\BOE0812\\4&2a5f3c&0&UID265988", panel, true},
      {L"DISPLAY\\BOE0812\\4&2a5f3c&0&UID265989_0", panel, false},
      {L"DISPLAY\\GSM5B08\\4&2a5f3c&0&UID265988_0", panel, false},
      {L"", panel, false},
      {L"DISPLAY\\BOE0812\\4&2a5f3c&0&UID265988_0", L"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(WmiInstanceIsDevice(c.instance, c.deviceInterface), c.same) << c.instance;
}

TEST_F(BrightnessFallbackTest, WmiNeverActsForAMonitorItDoesNotDrive) {
  platform_.wmiBrightness = 30;
  platform_.monitors[0x51] = L"\\\\.\\DISPLAY2";
  platform_.deviceInterfaces[L"\\\\.\\DISPLAY2"] = L"\\\\?\\DISPLAY#GSM5B08#5&1b&0&UID4352#{e6f07b5f-ee97-4a90-b076-33f57bf4eaa7}";
  platform_.displays[L"\\\\.\\DISPLAY2"].current = DisplayMode{2560, 1440, 32, 60};

  // Without DDC/CI on the external monitor there is nothing to change there.
  EXPECT_FALSE(SetBrightness(platform_, 0x51, 0.5f));
  EXPECT_TRUE(platform_.calls.empty());
  EXPECT_EQ(platform_.wmiBrightness, 30);
  float level = 0.0f;
  EXPECT_FALSE(GetBrightnessWmi(platform_, 0x51, level));
  EXPECT_FALSE(ReadDisplay(platform_, nightLight_, 0x51).brightnessSupported);

  platform_.displays[L"\\\\.\\DISPLAY2"].ddc = MonitorBrightnessRange{0, 10, 100};
  EXPECT_TRUE(SetBrightness(platform_, 0x51, 0.5f));
  EXPECT_EQ(platform_.calls, (Calls{L"ddc 50"}));
  EXPECT_FLOAT_EQ(ReadDisplay(platform_, nightLight_, 0x51).brightness, 0.5f);

  // The panel WMI drives still goes through WMI.
  platform_.calls.clear();
  EXPECT_TRUE(SetBrightness(platform_, 0, 0.2f));
  EXPECT_EQ(platform_.calls, (Calls{L"wmi 20"}));
}

// --- display ----------------------------------------------------------------------

class ReadDisplayTest : public ::testing::Test {
 protected:
  FakeSystemControlsPlatform platform_;
  FakeScreenGammaPlatform screen_;
  NightLight nightLight_{screen_};
};

TEST_F(ReadDisplayTest, DefaultsStandWhenNothingCanBeRead) {
  const DisplaySnapshot snapshot = ReadDisplay(platform_, nightLight_, 0);
  EXPECT_FALSE(snapshot.brightnessSupported);
  EXPECT_EQ(snapshot.brightness, 1.0f);
  EXPECT_EQ(snapshot.monitorName, L"内建显示器");
  EXPECT_EQ(snapshot.width, 1920);
  EXPECT_EQ(snapshot.height, 1080);
  EXPECT_EQ(snapshot.refreshHz, 60);
  EXPECT_EQ(snapshot.refreshRates, (std::vector<std::int32_t>{60}));
  EXPECT_TRUE(snapshot.resolutions.empty());
}

TEST_F(ReadDisplayTest, ReadsTheAskedMonitor) {
  platform_.monitors[0x51] = L"\\\\.\\DISPLAY2";
  platform_.displays[L"\\\\.\\DISPLAY1"] = {L"Primary Panel", DisplayMode{1920, 1080, 32, 60},
                                           {{1920, 1080, 32, 60}}, std::nullopt, false};
  platform_.displays[L"\\\\.\\DISPLAY2"] = {L"Generic PnP Monitor", DisplayMode{2560, 1440, 32, 144},
                                           {{2560, 1440, 32, 60}, {2560, 1440, 32, 144}, {1920, 1080, 32, 60}},
                                           MonitorBrightnessRange{0, 80, 100}, false};
  // An external monitor: WMI has no brightness, DDC/CI answers.
  ASSERT_TRUE(nightLight_.SetSoftColour(true));

  const DisplaySnapshot snapshot = ReadDisplay(platform_, nightLight_, 0x51);
  EXPECT_TRUE(snapshot.brightnessSupported);
  EXPECT_FLOAT_EQ(snapshot.brightness, 0.8f);
  EXPECT_FALSE(snapshot.nightLight);
  EXPECT_TRUE(snapshot.softColour);
  EXPECT_EQ(snapshot.monitorName, L"Generic PnP Monitor");
  EXPECT_EQ(snapshot.width, 2560);
  EXPECT_EQ(snapshot.height, 1440);
  EXPECT_EQ(snapshot.refreshHz, 144);
  EXPECT_EQ(snapshot.refreshRates, (std::vector<std::int32_t>{60, 144}));
  EXPECT_EQ(snapshot.resolutions, (std::vector<DisplayResolution>{{2560, 1440, 144, true}, {1920, 1080, 144, false}}));
}

TEST_F(ReadDisplayTest, WmiBrightnessComesFirst) {
  platform_.displays[L"\\\\.\\DISPLAY1"].ddc = MonitorBrightnessRange{0, 80, 100};
  platform_.wmiBrightness = 55;
  const DisplaySnapshot snapshot = ReadDisplay(platform_, nightLight_, 0);
  EXPECT_TRUE(snapshot.brightnessSupported);
  EXPECT_FLOAT_EQ(snapshot.brightness, 0.55f);
  EXPECT_EQ(snapshot.monitorName, L"内建显示器") << "an empty device string keeps the default name";
}

TEST(DisplayModeTest, AppliesPositiveModesToTheNamedMonitorOnceTested) {
  FakeSystemControlsPlatform platform;
  platform.monitors[0x51] = L"\\\\.\\DISPLAY2";
  platform.displays[L"\\\\.\\DISPLAY1"].current = DisplayMode{1920, 1080, 32, 60};
  platform.displays[L"\\\\.\\DISPLAY2"].current = DisplayMode{1920, 1080, 32, 60};

  EXPECT_TRUE(ApplyDisplayMode(platform, 0x51, 2560, 1440, 144));
  EXPECT_EQ(platform.displays[L"\\\\.\\DISPLAY2"].current, (DisplayMode{2560, 1440, 32, 144}));
  EXPECT_EQ(platform.displays[L"\\\\.\\DISPLAY1"].current, (DisplayMode{1920, 1080, 32, 60}));
  EXPECT_EQ(platform.calls,
            (Calls{L"test mode \\\\.\\DISPLAY2 2560x1440@144", L"mode \\\\.\\DISPLAY2 2560x1440@144"}));

  platform.calls.clear();
  EXPECT_TRUE(ApplyDisplayMode(platform, 0, 1280, 720, 60));
  EXPECT_EQ(platform.displays[L"\\\\.\\DISPLAY1"].current, (DisplayMode{1280, 720, 32, 60}));

  const struct {
    const char* name;
    MonitorHandle monitor;
    std::int32_t width, height, refreshHz;
    bool testFails;
  } refused[] = {
      {"no width", 0x51, 0, 1440, 60, false},
      {"negative height", 0x51, 2560, -1, 60, false},
      {"no rate", 0x51, 2560, 1440, 0, false},
      {"a monitor without a device name", 0x77, 1920, 1080, 60, false},
      {"a mode the test refuses", 0x51, 1920, 1080, 60, true},
  };
  for (const auto& c : refused) {
    platform.calls.clear();
    platform.modeTestFails = c.testFails;
    EXPECT_FALSE(ApplyDisplayMode(platform, c.monitor, c.width, c.height, c.refreshHz)) << c.name;
    for (const std::wstring& call : platform.calls) EXPECT_TRUE(call.starts_with(L"test mode")) << c.name;
  }
  EXPECT_EQ(platform.displays[L"\\\\.\\DISPLAY2"].current, (DisplayMode{2560, 1440, 32, 144}));

  platform.modeTestFails = false;
  platform.modeChangeFails = true;
  EXPECT_FALSE(ApplyDisplayMode(platform, 0x51, 1920, 1080, 60));
}

// --- recycle bin and shell notifications ------------------------------------------

TEST(RecycleBinTest, HasItemsWhenEitherCountOrSizeIsAboveZero) {
  const struct {
    std::optional<RecycleBinInfo> info;
    bool hasItems;
  } cases[] = {{std::nullopt, false}, {RecycleBinInfo{0, 0}, false}, {RecycleBinInfo{3, 0}, true},
               {RecycleBinInfo{0, 4096}, true}};
  for (const auto& c : cases) {
    FakeSystemControlsPlatform platform;
    platform.recycleBin = c.info;
    EXPECT_EQ(RecycleBinHasItems(platform), c.hasItems);
  }
}

TEST(ShellNotifyTest, DeregistersOnceAndClearsTheId) {
  FakeSystemControlsPlatform platform;
  std::uint32_t registration = 7;
  UnregisterShellNotify(platform, registration);
  UnregisterShellNotify(platform, registration);
  EXPECT_EQ(registration, 0u);
  EXPECT_EQ(platform.calls, (Calls{L"deregister 7"}));
}

// --- power --------------------------------------------------------------------------

TEST(BatteryTest, ReadsPresenceChargeAndCharging) {
  const struct {
    const char* name;
    std::optional<PowerStatusInfo> status;  // {AC line, battery flag, life percent}
    BatteryStatus battery;                  // {has battery, charging, percent}
  } cases[] = {
      {"CallFails", std::nullopt, {false, false, 100}},
      {"NoSystemBattery", PowerStatusInfo{1, 128, 255}, {false, false, 100}},
      {"UnknownFlag", PowerStatusInfo{1, 255, 80}, {false, false, 100}},
      {"UnknownPercent", PowerStatusInfo{0, 1, 255}, {false, false, 100}},
      {"Discharging", PowerStatusInfo{0, 1, 64}, {true, false, 64}},
      {"OnMains", PowerStatusInfo{1, 1, 90}, {true, true, 90}},
      {"ChargingFlag", PowerStatusInfo{255, 8 | 2, 20}, {true, true, 20}},
      {"PercentAboveHundred", PowerStatusInfo{0, 1, 140}, {true, false, 100}},
  };
  for (const auto& c : cases) EXPECT_EQ(BatteryFromPowerStatus(c.status), c.battery) << c.name;
}

TEST(PowerActionTest, EachActionMakesItsOneCall) {
  const struct {
    PowerAction action;
    const wchar_t* call;
  } cases[] = {{PowerAction::Lock, L"lock"},
               {PowerAction::Sleep, L"suspend"},
               {PowerAction::LogOff, L"log off"},
               {PowerAction::Restart, L"run shutdown.exe /r /t 0"},
               {PowerAction::ShutDown, L"run shutdown.exe /s /t 0"}};
  for (const auto& c : cases) {
    FakeSystemControlsPlatform platform;
    EXPECT_TRUE(RunPowerAction(platform, c.action));
    EXPECT_EQ(platform.calls, (Calls{c.call}));
    platform.powerActionsFail = true;
    EXPECT_FALSE(RunPowerAction(platform, c.action));
  }
}

}  // namespace
}  // namespace orvane
