#pragma once
// Everything the dock's item list asks of the rest of the program: the
// tracker's app list, launch-target descriptions, icons, the Downloads
// folder, saving the configuration and the menu-bar and stage-manager
// updates that ride on each synchronisation. SystemDockItemServices wires
// them to the real subsystems; tests use a scripted fake.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "config/DockConfig.h"
#include "system/IconImage.h"
#include "system/IconService.h"
#include "system/IconSources.h"
#include "system/LaunchTarget.h"
#include "system/TrackedApp.h"
#include "system/WindowHandle.h"
#include "system/WindowSystem.h"
#include "system/WindowTracker.h"

namespace orvane {

class DockItemServices {
 public:
  virtual ~DockItemServices() = default;

  // --- running applications ------------------------------------------------------
  // The tracker's list of its last refresh.
  virtual const std::vector<TrackedApp>& TrackedApps() = 0;
  // The window that last began minimising, kNoWindow if none; clears it.
  virtual WindowHandle TakeMinimizingWindow() = 0;
  virtual bool WindowExists(WindowHandle window) = 0;

  // --- targets -------------------------------------------------------------------
  virtual LaunchTargetInfo DescribeTarget(const std::wstring& target, const std::wstring& name) = 0;
  // The shell's name for a dropped file.
  virtual std::wstring DisplayNameOf(const std::wstring& path) = 0;
  // Environment variables expanded, then lower-cased: targets written
  // differently compare equal.
  virtual std::wstring ExpandLower(const std::wstring& target) = 0;
  virtual std::wstring DownloadsFolder() = 0;  // "" when it cannot be resolved

  // --- icons -------------------------------------------------------------------------
  // An icon at hand is answered at once; otherwise the request is queued and
  // its picture comes later through TakeArrivedIcons, after the owner was
  // told that icons arrived.
  virtual std::optional<IconImage> RequestIcon(const IconRequest& request) = 0;
  virtual std::vector<IconArrival> TakeArrivedIcons() = 0;

  // --- the rest of the program --------------------------------------------------------
  virtual void SaveConfig(const DockConfig& config) = 0;
  virtual void UpdateMenuBar(const std::vector<TrackedApp>& apps) = 0;
  virtual void UpdateStageManager(const std::vector<TrackedApp>& apps) = 0;
};

// What the hub supplies beyond the subsystems themselves.
struct DockItemHooks {
  std::function<std::wstring()> downloadsFolder;
  std::function<void(const DockConfig&)> saveConfig;  // unset: config.json through SaveConfig
  std::function<void(const std::vector<TrackedApp>&)> updateMenuBar;
  std::function<void(const std::vector<TrackedApp>&)> updateStageManager;
};

class SystemDockItemServices final : public DockItemServices {
 public:
  SystemDockItemServices(WindowTracker& tracker, WindowSystem& system, IconSources& files, IconService& icons,
                         DockItemHooks hooks);

  const std::vector<TrackedApp>& TrackedApps() override;
  WindowHandle TakeMinimizingWindow() override;
  bool WindowExists(WindowHandle window) override;
  LaunchTargetInfo DescribeTarget(const std::wstring& target, const std::wstring& name) override;
  std::wstring DisplayNameOf(const std::wstring& path) override;
  std::wstring ExpandLower(const std::wstring& target) override;
  std::wstring DownloadsFolder() override;
  std::optional<IconImage> RequestIcon(const IconRequest& request) override;
  std::vector<IconArrival> TakeArrivedIcons() override;
  void SaveConfig(const DockConfig& config) override;
  void UpdateMenuBar(const std::vector<TrackedApp>& apps) override;
  void UpdateStageManager(const std::vector<TrackedApp>& apps) override;

 private:
  WindowTracker& tracker_;
  WindowSystem& system_;
  IconSources& files_;
  IconService& icons_;
  DockItemHooks hooks_;
};

}  // namespace orvane
