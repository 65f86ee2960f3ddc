#pragma once
// Where the dock's render window sits: a strip along one edge of the monitor,
// thick enough for fully magnified icons plus room above them for the
// bounce, in physical pixels; and the same window measured in DIPs.

#include <optional>
#include <string>

#include "config/DockConfig.h"
#include "render/GlassPlate.h"
#include "system/WindowSystem.h"

namespace orvane {

enum class DockOrientation : int { Bottom = 0, Left = 1, Right = 2 };

// "left" and "right" stand the dock on that edge; anything else is the bottom.
DockOrientation DockOrientationFromConfig(const std::wstring& dockPosition);

inline bool IsVerticalDock(DockOrientation orientation) { return orientation != DockOrientation::Bottom; }

struct DockGeometry {
  DockOrientation orientation = DockOrientation::Bottom;
  float scale = 1.0f;       // physical pixels per DIP
  ScreenRect monitor;        // the whole monitor (not the work area), at least 320 x 240
  int thickness = 0;        // pixels across the dock
  ScreenRect renderWindow;   // screen pixels
  float windowLength = 0;   // render window width in DIPs
  float windowDepth = 0;    // render window height in DIPs

  bool operator==(const DockGeometry&) const = default;
};

DockGeometry ComputeDockGeometry(const DockConfig& config, const ScreenRect& monitor, float scale);

// The glass plate's measures at `scale` for a dock `length` pixels long.
GlassPlateGeometry DockPlateGeometry(const DockConfig& config, float scale, int length);

}  // namespace orvane
