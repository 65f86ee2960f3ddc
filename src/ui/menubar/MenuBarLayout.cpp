#include "ui/menubar/MenuBarLayout.h"

#include <algorithm>
#include <array>

#include "app/Format.h"

namespace orvane {
namespace {

using namespace menu_bar;
using Kind = MenuBarItemKind;

// Status slots from the clock leftwards.
constexpr std::array kStatusOrder{Kind::ControlCenter, Kind::Search, Kind::Battery, Kind::Volume,
                                  Kind::Brightness,    Kind::Bluetooth, Kind::Wifi,  Kind::Tray};
// The order in which they give way on a narrow bar: the least needed first
// (each has another way in), the control center last.
constexpr std::array kDropOrder{Kind::Tray,   Kind::Search,  Kind::Brightness, Kind::Bluetooth,
                                Kind::Wifi,   Kind::Battery, Kind::Volume,     Kind::ControlCenter};

float Measured(const MenuBarLayoutInput& input, std::wstring_view text, bool bold) {
  if (!input.measure) return 11.0f * static_cast<float>(text.size());
  return input.measure(text, bold);
}

}  // namespace

float MenuBarSlotWidth(MenuBarItemKind kind) {
  switch (kind) {
    case Kind::Window:
    case Kind::Go: return kMenuWidth;
    case Kind::Tray: return 30;
    case Kind::Wifi: return 28;
    case Kind::Bluetooth: return 26;
    case Kind::Brightness: return 26;
    case Kind::Volume: return 28;
    case Kind::Battery: return 58;
    case Kind::Search: return 28;
    case Kind::ControlCenter: return 30;
    case Kind::User:
    case Kind::App:
    case Kind::Clock: break;
  }
  return 0;
}

std::vector<MenuBarItem> LayOutMenuBar(const MenuBarLayoutInput& input) {
  const std::wstring user = input.userName.empty() ? L"Admin" : input.userName;
  const std::wstring app = input.appName.empty() ? L"桌面" : input.appName;
  const float W = input.widthDip;

  float userWidth = std::clamp(Measured(input, user, true) + kUserPadding, kUserMin, kUserMax);
  float appWidth = std::clamp(Measured(input, app, true) + kAppPadding, kAppMin, kAppMax);
  const float clockWidth = std::clamp(Measured(input, input.clockText, false) + kClockPadding, kClockMin, kClockMax);

  std::vector<Kind> status;
  for (Kind kind : kStatusOrder) {
    if (kind != Kind::Battery || input.hasBattery) status.push_back(kind);
  }
  bool menus = true;

  const auto leftRun = [&] {
    return kEdge + userWidth + kGap + appWidth + (menus ? kGap + kMenuWidth + kGap + kMenuWidth : 0.0f);
  };
  const auto rightRun = [&] {
    float width = kEdge + clockWidth;
    for (Kind kind : status) width += kGap + MenuBarSlotWidth(kind);
    return width;
  };
  const auto fits = [&] { return leftRun() + kRunsGap + rightRun() <= W; };

  // Too narrow: the application's name, then the user's, shrink towards
  // their least width (drawn with an ellipsis); then status slots drop out;
  // then the two text menus.
  if (!fits()) appWidth = std::max(kAppMin, appWidth - (leftRun() + kRunsGap + rightRun() - W));
  if (!fits()) userWidth = std::max(kUserMin, userWidth - (leftRun() + kRunsGap + rightRun() - W));
  for (Kind kind : kDropOrder) {
    if (fits()) break;
    std::erase(status, kind);
  }
  if (!fits()) menus = false;

  std::vector<MenuBarItem> items;
  float x = kEdge;
  items.push_back({Kind::User, x, userWidth, user});
  x += userWidth + kGap;
  items.push_back({Kind::App, x, appWidth, app});
  x += appWidth + kGap;
  if (menus) {
    items.push_back({Kind::Window, x, kMenuWidth, L"窗口"});
    items.push_back({Kind::Go, x + kMenuWidth + kGap, kMenuWidth, L"前往"});
  }

  float right = W - kEdge - clockWidth;
  std::vector<MenuBarItem> fromRight;
  fromRight.push_back({Kind::Clock, right, clockWidth, input.clockText});
  for (Kind kind : status) {
    const float width = MenuBarSlotWidth(kind);
    right -= kGap + width;
    std::wstring text;
    if (kind == Kind::Battery) text = std::to_wstring(std::clamp(input.batteryPercent, 0, 100)) + L"%";
    fromRight.push_back({kind, right, width, std::move(text)});
  }
  // Left to right, as they are drawn and hit-tested.
  items.insert(items.end(), fromRight.rbegin(), fromRight.rend());
  return items;
}

int MenuBarHitTest(const std::vector<MenuBarItem>& items, float x) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].x <= x && x <= items[i].x + items[i].width) return static_cast<int>(i);
  }
  return -1;
}

std::wstring MenuBarClockText(int month, int day, int weekday, int hour, int minute) {
  static const wchar_t* const kWeekdays[] = {L"周日", L"周一", L"周二", L"周三", L"周四", L"周五", L"周六"};
  const wchar_t* name = kWeekdays[std::clamp(weekday, 0, 6)];
  return FormatWide(L"%u月%u日 %s %02u:%02u", month, day, name, hour, minute);
}

}  // namespace orvane
