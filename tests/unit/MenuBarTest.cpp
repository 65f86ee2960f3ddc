#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "CapturedLog.h"
#include "GlassTestCompositor.h"
#include "RecordingShellCommands.h"
#include "platform/MessageIds.h"
#include "platform/headless/HeadlessSurfaceWindow.h"
#include "ui/menubar/MenuBarLayout.h"
#include "ui/menubar/MenuBarModel.h"
#include "ui/menubar/MenuBarSurface.h"

namespace orvane {
namespace {

using Kind = MenuBarItemKind;

// Text 7 DIP a character, whatever the font.
float SevenPerChar(std::wstring_view text, bool) { return 7.0f * static_cast<float>(text.size()); }

MenuBarLayoutInput Input(float width, bool battery) {
  MenuBarLayoutInput input;
  input.widthDip = width;
  input.userName = L"林小雨";
  input.appName = L"记事本";
  input.clockText = MenuBarClockText(3, 9, 6, 14, 5);
  input.hasBattery = battery;
  input.batteryPercent = 76;
  input.measure = SevenPerChar;
  return input;
}

const MenuBarItem* Find(const std::vector<MenuBarItem>& items, Kind kind) {
  for (const MenuBarItem& item : items) {
    if (item.kind == kind) return &item;
  }
  return nullptr;
}

// The two runs never meet: the last slot of the left run ends at least
// 8 DIP before the first of the right run.
void ExpectRunsApart(const std::vector<MenuBarItem>& items, float width) {
  float leftEnd = 0, rightStart = width;
  for (const MenuBarItem& item : items) {
    const bool left = item.kind == Kind::User || item.kind == Kind::App || item.kind == Kind::Window ||
                      item.kind == Kind::Go;
    if (left) {
      leftEnd = std::max(leftEnd, item.x + item.width);
    } else {
      rightStart = std::min(rightStart, item.x);
    }
  }
  EXPECT_LE(leftEnd + 8, rightStart) << width;
  EXPECT_GE(items.front().x, 8);
  EXPECT_LE(items.back().x + items.back().width, width - 8 + 0.01f);
}

TEST(MenuBarLayoutTest, SlotsFromBothEndsWithTheirWidths) {
  const std::vector<MenuBarItem> items = LayOutMenuBar(Input(1440, true));
  ASSERT_EQ(items.size(), 13u);
  EXPECT_EQ(MenuBarClockText(3, 9, 6, 14, 5), L"3月9日 周六 14:05");
  // Names: measured text plus padding, within their bounds.
  EXPECT_EQ(items[0], (MenuBarItem{Kind::User, 8, 74, L"林小雨"}));
  EXPECT_EQ(items[1], (MenuBarItem{Kind::App, 84, 54, L"记事本"}));
  EXPECT_EQ(items[2].x, 140);
  EXPECT_EQ(items[3].x, 188);
  // The clock's width from its text (14 characters), at the right edge.
  const MenuBarItem* clock = Find(items, Kind::Clock);
  EXPECT_EQ(clock->width, 124);
  EXPECT_EQ(clock->x, 1440 - 8 - 124);
  const struct {
    Kind kind;
    float width;
  } slots[] = {{Kind::ControlCenter, 30}, {Kind::Search, 28},     {Kind::Battery, 58}, {Kind::Volume, 28},
               {Kind::Brightness, 26},    {Kind::Bluetooth, 26}, {Kind::Wifi, 28},    {Kind::Tray, 30}};
  float right = clock->x;
  for (const auto& slot : slots) {
    const MenuBarItem* item = Find(items, slot.kind);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->width, slot.width);
    EXPECT_EQ(item->x + item->width + 2, right);
    right = item->x;
  }
  EXPECT_EQ(Find(items, Kind::Battery)->text, L"76%");

  // Without a battery its slot goes and those left of it move 60 DIP right.
  const std::vector<MenuBarItem> plain = LayOutMenuBar(Input(1440, false));
  EXPECT_EQ(Find(plain, Kind::Battery), nullptr);
  EXPECT_EQ(Find(plain, Kind::Volume)->x, Find(items, Kind::Volume)->x + 60);
  EXPECT_EQ(Find(plain, Kind::Tray)->x, Find(items, Kind::Tray)->x + 60);
  EXPECT_EQ(Find(plain, Kind::Search)->x, Find(items, Kind::Search)->x);

  // Empty names.
  MenuBarLayoutInput empty = Input(1440, false);
  empty.userName.clear();
  empty.appName.clear();
  const std::vector<MenuBarItem> fallback = LayOutMenuBar(empty);
  EXPECT_EQ(fallback[0].text, L"Admin");
  EXPECT_EQ(fallback[1].text, L"桌面");

  // The 2 DIP gaps take no clicks.
  EXPECT_EQ(MenuBarHitTest(items, 82), 0);
  EXPECT_EQ(MenuBarHitTest(items, 83), -1);
  EXPECT_EQ(MenuBarHitTest(items, 84), 1);
  EXPECT_EQ(MenuBarHitTest(items, 4), -1);
}

TEST(MenuBarLayoutTest, NarrowBarsShrinkTheNamesThenDropStatusSlotsAndNeverOverlap) {
  MenuBarLayoutInput wide = Input(0, true);
  wide.userName = L"一个很长很长很长的用户名字";
  wide.appName = L"一个名字非常非常非常长的应用程序窗口";
  const struct {
    float width;
    std::vector<Kind> gone;
    float appWidth, userWidth;  // 0: not checked
  } cases[] = {
      {1440, {}, 146, 125},
      // Portrait 1080 px at 150 %: the application's name gives way first.
      {720, {}, 79, 125},
      // Both names at their least, then the least needed status slots go.
      {480, {Kind::Tray, Kind::Search, Kind::Brightness, Kind::Bluetooth, Kind::Wifi, Kind::Battery}, 54, 74},
      // The narrowest bar keeps the names and the clock.
      {320, {Kind::Tray, Kind::Search, Kind::Brightness, Kind::Bluetooth, Kind::Wifi, Kind::Battery, Kind::Volume,
             Kind::ControlCenter, Kind::Window, Kind::Go}, 54, 74},
  };
  for (const auto& c : cases) {
    wide.widthDip = c.width;
    const std::vector<MenuBarItem> items = LayOutMenuBar(wide);
    ExpectRunsApart(items, c.width);
    for (Kind kind : c.gone) EXPECT_EQ(Find(items, kind), nullptr) << c.width << " " << static_cast<int>(kind);
    EXPECT_EQ(items.size(), 13u - c.gone.size()) << c.width;
    ASSERT_NE(Find(items, Kind::Clock), nullptr) << c.width;
    EXPECT_EQ(Find(items, Kind::App)->width, c.appWidth) << c.width;
    EXPECT_EQ(Find(items, Kind::User)->width, c.userWidth) << c.width;
  }
}

TEST(MenuBarModelTest, OnlyRealChangesRedrawAndTheHoverFollowsTheSlotsWhenTheyMove) {
  MenuBarModel model(nullptr);
  model.SetWidth(1440);
  MenuBarStatus status;
  status.clockText = L"3月9日 周六 14:05";
  status.volume = 0.5f;
  EXPECT_TRUE(model.ApplyStatus(status));
  status.volume = 0.51f;
  EXPECT_FALSE(model.ApplyStatus(status));
  status.volume = 0.52f;
  EXPECT_FALSE(model.ApplyStatus(status));
  status.volume = 0.53f;  // 0.03 from what the bar shows
  EXPECT_TRUE(model.ApplyStatus(status));
  status.unreadCount = 1;
  EXPECT_TRUE(model.ApplyStatus(status));

  // The pointer rests on the Wi-Fi glyph; a battery appears and the slots
  // left of it move: the hover is what now lies under the pointer.
  const MenuBarItem wifi = *model.Find(Kind::Wifi);
  EXPECT_TRUE(model.PointerMove(wifi.x + 1));
  EXPECT_EQ(model.items()[static_cast<std::size_t>(model.hoverIndex())].kind, Kind::Wifi);
  status.hasBattery = true;
  status.batteryPercent = 40;
  EXPECT_TRUE(model.ApplyStatus(status));
  const int hover = model.hoverIndex();
  ASSERT_GE(hover, 0);
  EXPECT_EQ(model.items()[static_cast<std::size_t>(hover)].kind, Kind::Brightness);
  EXPECT_TRUE(model.PointerLeave());
  EXPECT_EQ(model.hoverIndex(), -1);
}

TEST(MenuBarClockTest, WeekdayNames) {
  EXPECT_EQ(MenuBarClockText(1, 7, 0, 9, 3), L"1月7日 周日 09:03");
  EXPECT_EQ(MenuBarClockText(12, 31, 3, 23, 59), L"12月31日 周三 23:59");
  EXPECT_EQ(MenuBarClockText(12, 31, 9, 0, 0), L"12月31日 周六 00:00");
}

// --- the bar on a fake desktop ---------------------------------------------------------------

class MenuBarSurfaceTest : public ::testing::Test {
 public:
  MenuBarSurfaceTest() { Make(); }
  void Make() {
    bar.reset();
    MenuBarDeps deps;
    deps.clock = &clock;
    deps.userName = L"林小雨";
    deps.monitor = [this] { return monitor; };
    deps.frontmostAppName = [this] { return appName; };
    deps.unreadCount = [this] { return unread; };
    deps.online = [] { return true; };
    deps.readVolume = [this](float& v, bool& m) {
      v = volume;
      m = muted;
      return true;
    };
    deps.changeVolume = [this](float delta) { volume += delta; };
    deps.setMute = [this](bool m) { muted = m; };
    deps.battery = [this] { return battery; };
    deps.fullScreen = [this] { return fullScreen; };
    deps.reserve = [this](std::uintptr_t, const ScreenRect& strip) -> std::optional<ScreenRect> {
      reserved.push_back(strip);
      if (!grant) return std::nullopt;
      return granted.value_or(strip);
    };
    deps.release = [this] { ++releases; };
    deps.appBarNotify = [this](std::uintptr_t, std::intptr_t) { return appBarEvent; };
    deps.brightnessStep = [this](MonitorHandle, float delta) { brightnessSteps.push_back(delta); };
    deps.openMenu = [this](Kind kind, ShellAnchor at) {
      menus.push_back(kind);
      anchors.push_back(at);
    };
    deps.launch = [this](const std::wstring& target) {
      launched.push_back(target);
      return true;
    };
    auto window = std::make_unique<HeadlessSurfaceWindow>(desktop);
    host = window.get();
    bar = std::make_unique<MenuBarSurface>(compositor, std::move(window), config, MakeTheme(true, true), commands,
                                           std::move(deps));
    bar->Create();
  }
  // The middle of a slot, in client pixels.
  SurfacePoint On(Kind kind) {
    const MenuBarItem* item = bar->model().Find(kind);
    EXPECT_NE(item, nullptr);
    return {static_cast<int>((item->x + item->width / 2) * monitor.scale), 10};
  }
  void Click(Kind kind, PointerButton button = PointerButton::Left) {
    host->PressButton(button, On(kind));
    host->ReleaseButton(button, On(kind));
  }

  testing::LogMessages log;
  testing::GlassTestCompositor compositor;
  HeadlessSurfaceDesktop desktop;
  testing::RecordingShellCommands commands;
  DockConfig config;
  FixedCivilClock clock{FixedCivilClock::FileTimeOf({2024, 3, 9, 6, 14, 5, 0, 0}, 0), 0};
  MenuBarMonitor monitor{1, {0, 0, 1920, 1080}, 1};
  std::wstring appName = L"记事本";
  std::size_t unread = 0;
  float volume = 0.5f;
  bool muted = false;
  BatteryStatus battery{true, true, 76};
  bool fullScreen = false;
  bool grant = true;
  std::optional<ScreenRect> granted;
  std::vector<ScreenRect> reserved;
  int releases = 0;
  MenuBarAppBarEvent appBarEvent;
  std::vector<float> brightnessSteps;
  std::vector<Kind> menus;
  std::vector<ShellAnchor> anchors;
  std::vector<std::wstring> launched;
  HeadlessSurfaceWindow* host = nullptr;
  std::unique_ptr<MenuBarSurface> bar;
};

TEST_F(MenuBarSurfaceTest, SpansTheTopOfItsMonitorAndNeverTakesTheFocus) {
  ASSERT_TRUE(host->IsVisible());
  EXPECT_EQ(host->Rect(), (SurfaceRect{0, 0, 1920, 28}));
  EXPECT_FALSE(host->HasFocus());
  EXPECT_EQ(host->Params().className, kMenuBarClass);
  EXPECT_TRUE(host->Styles().exStyle & surface_style::kExNoActivate);
  EXPECT_TRUE(host->Styles().exStyle & surface_style::kExTopmost);
  EXPECT_EQ(bar->model().appName(), L"记事本");
  EXPECT_EQ(bar->model().status().clockText, L"3月9日 周六 14:05");

  const struct {
    ScreenRect bounds;
    float scale;
    SurfaceRect expected;
  } monitors[] = {
      {{1920, 0, 3840, 1080}, 1.5f, {1920, 0, 3840, 42}},
      {{0, 0, 200, 600}, 1, {0, 0, 320, 28}},        // narrower than 320 px
      {{0, -1080, 1920, 0}, 0.5f, {0, -1080, 1920, -1052}},  // a scale below 1 counts as 1
  };
  for (const auto& m : monitors) {
    monitor = {2, m.bounds, m.scale};
    bar->DisplayChanged();
    EXPECT_EQ(host->Rect(), m.expected);
  }

  config.menuBarEnabled = false;
  DockConfig before = config;
  before.menuBarEnabled = true;
  bar->ConfigurationChanged(before);
  EXPECT_FALSE(host->IsVisible());
}

TEST_F(MenuBarSurfaceTest, EachSlotOpensItsMenuOrSurface) {
  const struct {
    Kind kind;
    PointerButton button;
    const wchar_t* call;
  } clicks[] = {
      {Kind::Tray, PointerButton::Left, L"tray popup"},
      {Kind::Tray, PointerButton::Right, L"taskbar"},
      {Kind::Wifi, PointerButton::Left, L"control center 1"},
      {Kind::Bluetooth, PointerButton::Right, L"control center 2"},
      {Kind::Brightness, PointerButton::Left, L"control center 3"},
      {Kind::Volume, PointerButton::Left, L"control center 4"},
      {Kind::Search, PointerButton::Left, L"launcher grid"},
      {Kind::ControlCenter, PointerButton::Left, L"control center 0"},
      {Kind::Clock, PointerButton::Right, L"notification center"},
  };
  for (const auto& c : clicks) {
    commands.calls.clear();
    commands.args.clear();
    Click(c.kind, c.button);
    ASSERT_EQ(commands.calls.size(), 1u) << c.call;
    EXPECT_EQ(commands.calls[0], c.call);
  }
  // The control center's own slot opens it where it opens by default; the
  // others below the middle of their slot, 4 DIP under the bar.
  Click(Kind::ControlCenter);
  EXPECT_FALSE(commands.args.back().anchor.has_value());
  Click(Kind::Wifi);
  const MenuBarItem* wifi = bar->model().Find(Kind::Wifi);
  EXPECT_EQ(commands.args.back().anchor, (ShellAnchor{static_cast<int>(std::lround(wifi->x + wifi->width / 2)), 32}));

  for (Kind menu : {Kind::User, Kind::App, Kind::Window, Kind::Go}) Click(menu, PointerButton::Right);
  EXPECT_EQ(menus, (std::vector<Kind>{Kind::User, Kind::App, Kind::Window, Kind::Go}));

  Click(Kind::Battery);
  EXPECT_EQ(launched, std::vector<std::wstring>{L"ms-settings:powersleep"});

  // A right click on the speaker mutes without opening the sound page.
  commands.calls.clear();
  Click(Kind::Volume, PointerButton::Right);
  EXPECT_TRUE(muted);
  EXPECT_TRUE(bar->model().status().muted);
  EXPECT_TRUE(commands.calls.empty());

  // A release without its press does nothing.
  host->ReleaseButton(PointerButton::Left, On(Kind::Search));
  EXPECT_TRUE(commands.calls.empty());
}

TEST_F(MenuBarSurfaceTest, TheWheelStepsVolumeAndBrightness) {
  host->TurnWheel(WheelAxis::Vertical, 120, On(Kind::Volume));
  EXPECT_FLOAT_EQ(volume, 0.55f);
  EXPECT_FLOAT_EQ(bar->model().status().volume, 0.55f);
  host->TurnWheel(WheelAxis::Vertical, -240, On(Kind::Brightness));
  EXPECT_EQ(brightnessSteps, std::vector<float>{-0.1f});
  host->TurnWheel(WheelAxis::Vertical, 120, On(Kind::Clock));
  EXPECT_EQ(brightnessSteps.size(), 1u);
}

TEST_F(MenuBarSurfaceTest, TheReservedStripGoesWhereTheShellGrantsItAndComesBack) {
  // A taskbar docked at the top: the shell grants the strip below it.
  granted = ScreenRect{0, 40, 1920, 68};
  config.menuBarReserveTop = true;
  DockConfig before = config;
  before.menuBarReserveTop = false;
  bar->ConfigurationChanged(before);
  ASSERT_FALSE(reserved.empty());
  EXPECT_EQ(reserved.back(), (ScreenRect{0, 0, 1920, 28}));
  EXPECT_EQ(host->Rect(), (SurfaceRect{0, 40, 1920, 68}));

  // The taskbar moved away: the shell says so and grants the top again.
  appBarEvent.granted = ScreenRect{0, 0, 1920, 28};
  host->SendRawMessage(kMenuBarAppBarMessage, 1, 0);
  EXPECT_EQ(host->Rect(), (SurfaceRect{0, 0, 1920, 28}));

  // A full-screen program: the bar gets out of the way until it ends.
  appBarEvent = {};
  appBarEvent.fullScreenProgram = true;
  host->SendRawMessage(kMenuBarAppBarMessage, 2, 1);
  EXPECT_FALSE(host->IsVisible());
  appBarEvent.fullScreenProgram = false;
  host->SendRawMessage(kMenuBarAppBarMessage, 2, 0);
  EXPECT_TRUE(host->IsVisible());

  // The work area is given back on exit, once.
  bar->RestoreOnExit();
  bar->Teardown();
  EXPECT_EQ(releases, 1);
}

TEST_F(MenuBarSurfaceTest, AFullScreenProgramHidesTheBarWithoutTheDocksOptions) {
  fullScreen = true;
  bar->TrackerChanged();
  EXPECT_FALSE(host->IsVisible());
  fullScreen = false;
  for (unsigned tick = 1; tick <= 8; ++tick) bar->PeriodicTick(tick);
  EXPECT_TRUE(host->IsVisible());
}

TEST_F(MenuBarSurfaceTest, TheSlotQueryAnswersPositionsInPixels) {
  monitor.scale = 2;
  bar->DisplayChanged();
  const MenuBarItem* clock = bar->model().Find(Kind::Clock);
  EXPECT_EQ(host->SendRawMessage(kMenuBarSlotQueryMessage, static_cast<std::uintptr_t>(Kind::Clock), 0),
            std::lround(clock->x * 2));
  EXPECT_EQ(host->SendRawMessage(kMenuBarSlotQueryMessage, static_cast<std::uintptr_t>(Kind::Clock), 1),
            std::lround(clock->width * 2));
  battery.hasBattery = false;
  for (unsigned tick = 1; tick <= 8; ++tick) bar->PeriodicTick(tick);
  EXPECT_EQ(host->SendRawMessage(kMenuBarSlotQueryMessage, static_cast<std::uintptr_t>(Kind::Battery), 0), -1);
}

}  // namespace
}  // namespace orvane
