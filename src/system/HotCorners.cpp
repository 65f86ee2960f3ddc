#include "system/HotCorners.h"

namespace orvane {

HotCorner HotCornerAt(const CursorPoint& pointer, const ScreenRect& monitor) {
  // Without this a pointer on a monitor above or beside this one would count
  // as resting in its corner.
  const bool inside = pointer.x >= monitor.left && pointer.x < monitor.right && pointer.y >= monitor.top &&
                      pointer.y < monitor.bottom;
  if (!inside || pointer.y > monitor.top + 4) return HotCorner::None;
  if (pointer.x <= monitor.left + 4) return HotCorner::TopLeft;
  if (pointer.x >= monitor.right - 5) return HotCorner::TopRight;
  return HotCorner::None;
}

void HotCorners::AdvanceCooldown() {
  if (cooldown_ > 0.0f) cooldown_ = cooldown_ > kTickSeconds ? cooldown_ - kTickSeconds : 0.0f;
}

std::optional<HotkeyAction> HotCorners::Observe(const CursorPoint& pointer, const ScreenRect& monitor) {
  const HotCorner corner = HotCornerAt(pointer, monitor);
  if (corner == HotCorner::None) {
    ResetDwell();
    return std::nullopt;
  }
  if (cooldown_ > 0.0f) return std::nullopt;
  if (corner != corner_) {
    corner_ = corner;
    dwell_ = 0.0f;
    return std::nullopt;
  }
  dwell_ += kTickSeconds;
  if (dwell_ < kDwellSeconds) return std::nullopt;
  cooldown_ = kCooldownSeconds;
  dwell_ = 0.0f;
  return corner == HotCorner::TopLeft ? HotkeyAction::ShowOverview : HotkeyAction::ToggleLauncher;
}

void HotCorners::ResetDwell() {
  corner_ = HotCorner::None;
  dwell_ = 0.0f;
}

}  // namespace orvane
