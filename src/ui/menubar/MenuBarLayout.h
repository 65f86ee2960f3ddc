#pragma once
// The menu bar's slots and where they go: the user and the frontmost
// application's menus from the left, the status glyphs and the clock from
// the right, in DIP from the bar's left edge. On a narrow monitor the names
// shrink first, then status slots drop out, so the two runs never overlap.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

enum class MenuBarItemKind : std::int32_t {
  User = 1,           // the user's picture and name: the logo menu
  App = 2,            // the frontmost application's name: its menu
  Window = 3,         // "窗口"
  Go = 4,             // "前往"
  Tray = 5,           // the four-square grid
  Wifi = 6,
  Bluetooth = 7,
  Brightness = 8,
  Volume = 9,
  Battery = 10,       // only with a battery
  Search = 11,        // the launcher
  ControlCenter = 12,
  Clock = 13,         // with the unread dot
};

struct MenuBarItem {
  MenuBarItemKind kind = MenuBarItemKind::User;
  float x = 0;
  float width = 0;
  std::wstring text;
  bool operator==(const MenuBarItem&) const = default;
};

namespace menu_bar {
inline constexpr float kHeightDip = 28;
inline constexpr float kMinWidthPx = 320;
inline constexpr float kEdge = 8;      // from each end of the bar
inline constexpr float kGap = 2;       // between slots
inline constexpr float kRunsGap = 8;   // least room between the two runs
inline constexpr float kUserMin = 74, kUserMax = 168, kUserPadding = 34;
inline constexpr float kAppMin = 54, kAppMax = 190, kAppPadding = 20;
inline constexpr float kClockMin = 124, kClockMax = 190, kClockPadding = 24;
inline constexpr float kMenuWidth = 46;
// Text is measured in a box this large.
inline constexpr float kMeasureWidth = 320;
}  // namespace menu_bar

// The fixed width of a status slot.
float MenuBarSlotWidth(MenuBarItemKind kind);

// What the layout needs: the texts, whether there is a battery, and a
// measure of text width in DIP (bold: the user and application names;
// medium: the clock).
struct MenuBarLayoutInput {
  float widthDip = 0;
  std::wstring userName;  // "Admin" when empty
  std::wstring appName;   // "桌面" when empty
  std::wstring clockText;
  bool hasBattery = false;
  int batteryPercent = 100;
  std::function<float(std::wstring_view text, bool bold)> measure;
};

std::vector<MenuBarItem> LayOutMenuBar(const MenuBarLayoutInput& input);

// The item under x (DIP), -1 in a gap or beyond the slots.
int MenuBarHitTest(const std::vector<MenuBarItem>& items, float x);

// The clock's text: "%u月%u日 %s %02u:%02u" with the short weekday name.
std::wstring MenuBarClockText(int month, int day, int weekday, int hour, int minute);

}  // namespace orvane
