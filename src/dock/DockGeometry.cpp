#include "dock/DockGeometry.h"

#include <algorithm>
#include <cmath>

namespace orvane {

DockOrientation DockOrientationFromConfig(const std::wstring& dockPosition) {
  if (dockPosition == L"left") return DockOrientation::Left;
  if (dockPosition == L"right") return DockOrientation::Right;
  return DockOrientation::Bottom;
}

GlassPlateGeometry DockPlateGeometry(const DockConfig& config, float scale, int length) {
  GlassPlateGeometry g;
  g.thickness = static_cast<int>(std::lround((config.iconSize + 2 * config.paddingY) * scale));
  g.cornerRadius = std::round(config.cornerRadius * scale);
  g.blurAmount = config.blurRadius * scale;
  g.shadowSigma = std::max(5 * scale, 2.0f);
  g.shadowOffsetY = std::round(2 * scale);
  g.rimWidth = std::max(static_cast<int>(std::lround(scale)), 1);
  g.length = length;
  g.vertical = config.dockPosition == L"left" || config.dockPosition == L"right";
  return g;
}

DockGeometry ComputeDockGeometry(const DockConfig& config, const ScreenRect& monitor, float scale) {
  if (!(scale > 0.0f)) scale = 1.0f;
  DockGeometry g;
  g.orientation = DockOrientationFromConfig(config.dockPosition);
  g.scale = scale;
  g.monitor = monitor;
  g.monitor.right = monitor.left + std::max(320, monitor.Width());
  g.monitor.bottom = monitor.top + std::max(240, monitor.Height());

  const bool vertical = IsVerticalDock(g.orientation);
  const float dips = 2.0f * config.paddingY + config.bottomMargin + config.magnification * config.iconSize + 116.0f;
  const int across = vertical ? g.monitor.Width() : g.monitor.Height();
  g.thickness = std::min(across, std::max(120, static_cast<int>(std::ceil(dips * scale))));

  const ScreenRect& m = g.monitor;
  switch (g.orientation) {
    case DockOrientation::Bottom:
      g.renderWindow = {m.left, m.bottom - g.thickness, m.right, m.bottom};
      break;
    case DockOrientation::Left:
      g.renderWindow = {m.left, m.top, m.left + g.thickness, m.bottom};
      break;
    case DockOrientation::Right:
      g.renderWindow = {m.right - g.thickness, m.top, m.right, m.bottom};
      break;
  }
  g.windowLength = static_cast<float>(g.renderWindow.Width()) / scale;
  g.windowDepth = static_cast<float>(g.renderWindow.Height()) / scale;
  return g;
}

}  // namespace orvane
