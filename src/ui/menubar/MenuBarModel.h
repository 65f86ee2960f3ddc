#pragma once
// The menu bar's state without a window: what it shows (the user, the
// frontmost application, the status snapshot), its slots and which one is
// hovered. The surface samples the status, hands pointer moves over in DIP
// and draws from here.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "render/TextMeasurer.h"
#include "ui/menubar/MenuBarLayout.h"

namespace orvane {

struct MenuBarStatus {
  std::wstring clockText;
  bool online = false;
  float volume = 0;
  bool muted = false;
  bool hasBattery = false;
  bool charging = false;
  int batteryPercent = 100;
  std::size_t unreadCount = 0;
  bool operator==(const MenuBarStatus&) const = default;
};

// Whether the bar must be drawn again: any field but the volume differs, or
// the volume moved by more than 0.02.
bool MenuBarStatusChanged(const MenuBarStatus& before, const MenuBarStatus& after);

// The bar's text formats (DIP sizes; the surface scales them).
TextStyle MenuBarBoldStyle(float scale);
TextStyle MenuBarMediumStyle(float scale);
TextStyle MenuBarSmallStyle(float scale);

class MenuBarModel {
 public:
  // measurer may be null: text then counts 11 DIP a character.
  explicit MenuBarModel(TextMeasurer* measurer) : measurer_(measurer) {}

  void SetUserName(std::wstring name);
  // Lays out again on a change; returns whether anything changed.
  bool SetWidth(float widthDip);
  bool SetAppName(std::wstring name);
  // Stores the snapshot; true when the bar must be drawn again.
  bool ApplyStatus(const MenuBarStatus& status);

  // The pointer over the bar (x in DIP); true when the hovered slot changed.
  bool PointerMove(float x);
  bool PointerLeave();

  const std::vector<MenuBarItem>& items() const { return items_; }
  int hoverIndex() const { return hoverIndex_; }
  const MenuBarStatus& status() const { return status_; }
  const std::wstring& appName() const { return appName_; }
  float widthDip() const { return widthDip_; }
  // The slot at x, if any.
  const MenuBarItem* ItemAt(float x) const;
  const MenuBarItem* Find(MenuBarItemKind kind) const;

 private:
  void LayOut();

  TextMeasurer* measurer_;
  std::wstring userName_;
  std::wstring appName_ = L"桌面";
  float widthDip_ = 0;
  MenuBarStatus status_;
  bool sampled_ = false;
  std::vector<MenuBarItem> items_;
  std::optional<float> pointer_;
  int hoverIndex_ = -1;
};

}  // namespace orvane
