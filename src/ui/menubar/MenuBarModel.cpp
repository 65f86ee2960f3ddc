#include "ui/menubar/MenuBarModel.h"

#include <cmath>
#include <utility>

namespace orvane {
namespace {

TextStyle BarStyle(float sizeDip, int weight, bool ellipsis, float scale) {
  TextStyle style;
  style.size = sizeDip * scale;
  style.weight = weight;
  style.alignment = TextAlignment::Center;
  style.paragraph = ParagraphAlignment::Center;
  style.ellipsis = ellipsis;
  style.locale = L"zh-CN";
  return style;
}

}  // namespace

bool MenuBarStatusChanged(const MenuBarStatus& before, const MenuBarStatus& after) {
  return before.clockText != after.clockText || before.online != after.online || before.muted != after.muted ||
         before.hasBattery != after.hasBattery || before.batteryPercent != after.batteryPercent ||
         before.charging != after.charging || before.unreadCount != after.unreadCount ||
         std::fabs(before.volume - after.volume) > 0.02f;
}

TextStyle MenuBarBoldStyle(float scale) { return BarStyle(12.5f, 700, true, scale); }
TextStyle MenuBarMediumStyle(float scale) { return BarStyle(12.5f, 500, true, scale); }
TextStyle MenuBarSmallStyle(float scale) { return BarStyle(11, 500, false, scale); }

void MenuBarModel::SetUserName(std::wstring name) {
  userName_ = std::move(name);
  if (widthDip_ > 0) LayOut();
}

bool MenuBarModel::SetWidth(float widthDip) {
  if (widthDip == widthDip_) return false;
  widthDip_ = widthDip;
  LayOut();
  return true;
}

bool MenuBarModel::SetAppName(std::wstring name) {
  if (name.empty()) name = L"桌面";
  if (name == appName_) return false;
  appName_ = std::move(name);
  if (widthDip_ > 0) LayOut();
  return true;
}

bool MenuBarModel::ApplyStatus(const MenuBarStatus& status) {
  const bool changed = !sampled_ || MenuBarStatusChanged(status_, status);
  // A small volume move is not stored: the next one is compared with what
  // the bar shows, so slow drift still redraws once it passes 0.02.
  if (!changed) return false;
  status_ = status;
  sampled_ = true;
  if (widthDip_ > 0) LayOut();
  return true;
}

void MenuBarModel::LayOut() {
  MenuBarLayoutInput input;
  input.widthDip = widthDip_;
  input.userName = userName_;
  input.appName = appName_;
  input.clockText = status_.clockText;
  input.hasBattery = status_.hasBattery;
  input.batteryPercent = status_.batteryPercent;
  if (measurer_ != nullptr) {
    input.measure = [this](std::wstring_view text, bool bold) {
      const TextStyle style = bold ? MenuBarBoldStyle(1) : MenuBarMediumStyle(1);
      TextStyle plain = style;
      plain.ellipsis = false;
      return measurer_->Measure(text, plain, menu_bar::kMeasureWidth, menu_bar::kHeightDip).width;
    };
  }
  items_ = LayOutMenuBar(input);
  // Slots moved (the battery came or went, a name grew): what lies under
  // the pointer now is hovered, not what lay there before.
  hoverIndex_ = pointer_ ? MenuBarHitTest(items_, *pointer_) : -1;
}

bool MenuBarModel::PointerMove(float x) {
  pointer_ = x;
  const int index = MenuBarHitTest(items_, x);
  if (index == hoverIndex_) return false;
  hoverIndex_ = index;
  return true;
}

bool MenuBarModel::PointerLeave() {
  pointer_.reset();
  if (hoverIndex_ == -1) return false;
  hoverIndex_ = -1;
  return true;
}

const MenuBarItem* MenuBarModel::ItemAt(float x) const {
  const int index = MenuBarHitTest(items_, x);
  return index < 0 ? nullptr : &items_[static_cast<std::size_t>(index)];
}

const MenuBarItem* MenuBarModel::Find(MenuBarItemKind kind) const {
  for (const MenuBarItem& item : items_) {
    if (item.kind == kind) return &item;
  }
  return nullptr;
}

}  // namespace orvane
