#include "dock/DockSettingsDiff.h"

#include <cmath>

namespace orvane {
namespace {

// Slider values arrive rounded to their step; smaller moves are noise.
bool Moved(float before, float after, float tolerance) { return std::fabs(after - before) > tolerance; }

}  // namespace

DockSettingsRedo DiffDockSettings(const DockConfig& a, const DockConfig& b) {
  DockSettingsRedo redo;

  // Items shown on the dock or the edge it sits on: nothing short of a full
  // apply gets the item list right. The pinned list is read only when the
  // items are rebuilt, so a changed one needs the same.
  if (a.showLaunchpadIcon != b.showLaunchpadIcon || a.showDockMusic != b.showDockMusic ||
      a.showDockTray != b.showDockTray || a.showDockPower != b.showDockPower ||
      a.showRecycleBin != b.showRecycleBin || a.showDownloadsStack != b.showDownloadsStack ||
      a.dockPosition != b.dockPosition || a.pinned != b.pinned) {
    redo.applyConfiguration = true;
    return redo;
  }

  // The render window's thickness and the appbar strip are computed from
  // these when the dock is placed, so paddingY and bottomMargin count too.
  redo.geometry = Moved(a.iconSize, b.iconSize, 0.01f) || Moved(a.cornerRadius, b.cornerRadius, 0.01f) ||
                  Moved(a.magnification, b.magnification, 0.01f) ||
                  Moved(a.blurRadius, b.blurRadius, 0.01f) || Moved(a.glassOpacity, b.glassOpacity, 0.005f) ||
                  Moved(a.paddingY, b.paddingY, 0.01f) || Moved(a.bottomMargin, b.bottomMargin, 0.01f);

  // The reserved strip follows the dock's size.
  redo.taskbarMode = a.taskbarMode != b.taskbarMode || (redo.geometry && b.taskbarMode == L"appbar");

  redo.runningItems =
      a.showRunningUnpinned != b.showRunningUnpinned || a.enableMinimizeAnim != b.enableMinimizeAnim;
  redo.autoHide = a.smartHide != b.smartHide || a.hideOnFullscreen != b.hideOnFullscreen;
  return redo;
}

}  // namespace orvane
