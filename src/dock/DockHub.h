#pragma once
// The hub's decisions without its windows: which monitor the dock stands
// on, how a configuration change is applied with the least work, the
// periodic duties of the 260 ms timer, hotkey actions and the commands that
// toggle features. The Windows hub (DockWindow) creates the windows and the
// services, translates messages into these calls and carries out the few
// platform steps asked of it through DockHubPlatform. UI thread only.

#include <cstdint>
#include <functional>
#include <memory>

#include "config/DockConfig.h"
#include "dock/DockController.h"
#include "dock/DockReveal.h"
#include "platform/MessageIds.h"
#include "system/HotkeyManager.h"
#include "system/MediaSession.h"
#include "system/WindowTracker.h"

namespace orvane {

struct DockMonitorInfo {
  MonitorHandle handle = 0;
  ScreenRect rect;  // the whole monitor, physical pixels
  float scale = 1.0f;
  bool operator==(const DockMonitorInfo&) const = default;
};

// What the hub asks of the desktop.
class DockHubPlatform {
 public:
  virtual ~DockHubPlatform() = default;
  // The monitor's rectangle and DPI scale; handle 0 is the primary monitor.
  virtual DockMonitorInfo DescribeMonitor(MonitorHandle monitor) = 0;
  // The monitor under the pointer (the nearest), 0 when unknown.
  virtual MonitorHandle MonitorUnderPointer() = 0;
  virtual void PlaceRenderWindow(const ScreenRect& rect) = 0;
  virtual void PlaceInputWindow(const ScreenRect& rect) = 0;
  virtual std::unique_ptr<DockHideProbe> CreateHideProbe(const DockMonitorInfo& monitor, const ScreenRect& dockRect) = 0;
  virtual void SaveConfig(const DockConfig& config) = 0;
  // The input window never has the keyboard: Escape is read from its state.
  virtual bool EscapeHeld() = 0;
  // The dock lets go of the mouse itself (no capture-loss cancel follows).
  virtual void ReleasePointerCapture() = 0;
};

// Timer 2 runs every 260 ms; the music item is polled every second tick.
inline constexpr unsigned kPeriodicTimerMs = kPeriodicTimerIntervalMs;
inline constexpr unsigned kMusicPollTicks = 2;

class DockHub {
 public:
  // `media` may be null (no media session on this system).
  DockHub(DockItemServices& services, DockClickPlatform& clicks, DockHubPlatform& platform, HotkeyManager& hotkeys,
          WindowTracker& tracker, MediaSession* media, std::function<void()> requestFrame);
  // The hotkey manager may outlive the hub: it stops reporting here.
  ~DockHub();
  DockHub(const DockHub&) = delete;
  DockHub& operator=(const DockHub&) = delete;

  // Creation, in order: Place the dock on the primary monitor (the render
  // window moves there), then, once the visuals exist, Start: items,
  // surfaces and hotkeys, running items and the first hiding decision.
  void Place(const DockConfig& config);
  void Start(bool recycleBinFull);

  // Full re-application, after a reload.
  void ApplyConfiguration(const DockConfig& config);
  // Changes from the settings window: only what the change needs.
  void ApplySettings(const DockConfig& config, bool save);
  // The dock on its monitor again (display or DPI change).
  void Replace();
  // Menu bar, stage manager, widgets, hotkeys, hot corners and the switcher.
  void ApplySurfaces();

  // Timer 1 (the tracker settled): refresh, synchronise, evaluate hiding.
  void OnTrackerSettled();
  // Timer 2.
  void PeriodicTick();
  void EvaluateAutoHide();
  void OnHotkeyAction(HotkeyAction action);
  void ToggleStageManager();
  void ToggleDesktopWidgets();
  void SetRecycleBinFull(bool full);
  void SetTheme(const Theme& theme);
  // After the graphics device came back.
  void RedrawAfterDeviceLoss();

  // One frame: the dock's step and, when it moved, the input window.
  bool FrameStep(float dt, const DockPopupState& popups);

  DockController& dock() { return dock_; }
  const DockController& dock() const { return dock_; }
  const DockConfig& config() const { return config_; }
  const DockMonitorInfo& monitor() const { return monitor_; }
  bool fullScreen() const { return fullScreen_; }

 private:
  void WireHooks();
  void PlaceOn(MonitorHandle monitor);
  void RefreshTracker();
  void FollowPointerMonitor();
  void CancelDragOnEscape();
  void Save();
  void RequestFrame();

  DockConfig config_;
  DockHubPlatform& platform_;
  HotkeyManager& hotkeys_;
  WindowTracker& tracker_;
  MediaSession* media_;
  std::function<void()> requestFrame_;
  DockController dock_;
  DockMonitorInfo monitor_;
  ScreenRect inputRect_;
  bool fullScreen_ = false;
  unsigned ticks_ = 0;
};

}  // namespace orvane
