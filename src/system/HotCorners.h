#pragma once
// Hot corners: resting the pointer in the top-left corner of the dock's
// monitor shows the window overview, the top-right corner toggles the
// launcher. Fed once per 260 ms timer tick with the pointer and the
// monitor's rectangle; a corner fires on the second tick in it and then,
// while the pointer stays, once per cool-down.

#include <optional>

#include "system/HotkeyTable.h"
#include "system/WindowSystem.h"

namespace orvane {

struct CursorPoint {
  int x = 0;
  int y = 0;
};

enum class HotCorner : int { None = 0, TopLeft = 1, TopRight = 2 };

// The corner the pointer is in, given the monitor rectangle (right and
// bottom exclusive): 5 px square at either top corner. A pointer outside
// the monitor is in neither.
HotCorner HotCornerAt(const CursorPoint& pointer, const ScreenRect& monitor);

class HotCorners {
 public:
  static constexpr float kTickSeconds = 0.26f;
  static constexpr float kDwellSeconds = 0.18f;
  static constexpr float kCooldownSeconds = 1.2f;

  // The first half of a tick: the cool-down runs whether or not the pointer
  // can be read.
  void AdvanceCooldown();
  // The second half: the action to fire, if any.
  std::optional<HotkeyAction> Observe(const CursorPoint& pointer, const ScreenRect& monitor);
  // Configuration applied: start over, but keep the cool-down.
  void ResetDwell();

  HotCorner Corner() const { return corner_; }
  float Dwell() const { return dwell_; }
  float Cooldown() const { return cooldown_; }

 private:
  HotCorner corner_ = HotCorner::None;
  float dwell_ = 0.0f;
  float cooldown_ = 0.0f;
};

}  // namespace orvane
