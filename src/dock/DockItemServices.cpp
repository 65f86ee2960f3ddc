#include "dock/DockItemServices.h"

#include <utility>

#include "config/ConfigFile.h"
#include "system/AppIdentity.h"

namespace orvane {

SystemDockItemServices::SystemDockItemServices(WindowTracker& tracker, WindowSystem& system, IconSources& files,
                                               IconService& icons, DockItemHooks hooks)
    : tracker_(tracker), system_(system), files_(files), icons_(icons), hooks_(std::move(hooks)) {}

const std::vector<TrackedApp>& SystemDockItemServices::TrackedApps() { return tracker_.Apps(); }

WindowHandle SystemDockItemServices::TakeMinimizingWindow() { return tracker_.TakeMinimizingWindow(); }

bool SystemDockItemServices::WindowExists(WindowHandle window) { return system_.IsWindow(window); }

LaunchTargetInfo SystemDockItemServices::DescribeTarget(const std::wstring& target, const std::wstring& name) {
  return DescribeLaunchTarget(system_, files_, target, name);
}

std::wstring SystemDockItemServices::DisplayNameOf(const std::wstring& path) {
  return DisplayNameFromPath(system_, path);
}

std::wstring SystemDockItemServices::ExpandLower(const std::wstring& target) {
  return LowerCasePath(system_, target);
}

std::wstring SystemDockItemServices::DownloadsFolder() {
  return hooks_.downloadsFolder ? hooks_.downloadsFolder() : std::wstring();
}

std::optional<IconImage> SystemDockItemServices::RequestIcon(const IconRequest& request) {
  icons_.Request(request);
  return std::nullopt;
}

std::vector<IconArrival> SystemDockItemServices::TakeArrivedIcons() { return icons_.TakeArrivals(); }

void SystemDockItemServices::SaveConfig(const DockConfig& config) {
  if (hooks_.saveConfig) {
    hooks_.saveConfig(config);
  } else {
    orvane::SaveConfig(config);
  }
}

void SystemDockItemServices::UpdateMenuBar(const std::vector<TrackedApp>& apps) {
  if (hooks_.updateMenuBar) hooks_.updateMenuBar(apps);
}

void SystemDockItemServices::UpdateStageManager(const std::vector<TrackedApp>& apps) {
  if (hooks_.updateStageManager) hooks_.updateStageManager(apps);
}

}  // namespace orvane
