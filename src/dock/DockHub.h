#pragma once
// The dock as one of the shell's surfaces, without its windows: which
// monitor it stands on, how a configuration change is applied with the
// least work, and its duties on the periodic timer, tracker changes, theme
// and display changes and device loss. The Windows hub (DockWindow) creates
// the dock's windows, translates their messages into DockController calls
// and carries out the few platform steps asked of it through
// DockHubPlatform. UI thread only.

#include <cstdint>
#include <functional>
#include <memory>

#include "config/DockConfig.h"
#include "dock/DockController.h"
#include "dock/DockMenus.h"
#include "dock/DockReveal.h"
#include "platform/MessageIds.h"
#include "system/MediaSession.h"
#include "ui/ShellCommands.h"
#include "ui/ShellSurface.h"

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
  // The input window never has the keyboard: Escape is read from its state.
  virtual bool EscapeHeld() = 0;
  // The dock lets go of the mouse itself (no capture-loss cancel follows).
  virtual void ReleasePointerCapture() = 0;
};

// Timer 2 runs every 260 ms; the music item is polled every second tick.
inline constexpr unsigned kPeriodicTimerMs = kPeriodicTimerIntervalMs;
inline constexpr unsigned kMusicPollTicks = 2;

class DockHub final : public ShellSurface {
 public:
  // `config` is the shell's live configuration; `media` may be null (no
  // media session on this system).
  DockHub(DockConfig& config, DockItemServices& services, DockClickPlatform& clicks, DockHubPlatform& platform,
          ShellCommands& commands, MediaSession* media, std::function<void()> requestFrame);
  DockHub(const DockHub&) = delete;
  DockHub& operator=(const DockHub&) = delete;

  // Creation, in order: Place the dock on the primary monitor (the render
  // window moves there), then, once the visuals exist, Start: items, running
  // items and the first hiding decision.
  void Place();
  void Start(bool recycleBinFull);

  // --- ShellSurface ----------------------------------------------------------------------
  // Only what the change needs: a slider drag must not rebuild the dock.
  void ConfigurationChanged(const DockConfig& before) override;
  void ThemeChanged(const Theme& theme) override;
  // The dock on its monitor again.
  void DisplayChanged() override;
  // Running items follow the tracker; hiding is evaluated again.
  void TrackerChanged() override;
  void PeriodicTick(unsigned tick) override;
  // One frame: the dock's step and, when it moved, the input window.
  bool FrameStep(float dt) override;
  // After the graphics device came back.
  void DeviceLost() override;
  // The music item's own commands: play/pause and whether a session exists.
  void Run(ShellCommand command, const ShellCommandArgs& args) override;
  std::int64_t Answer(ShellQuery query) override;

  void EvaluateAutoHide();
  void SetRecycleBinFull(bool full);
  // A media key from the music item's menu; the music item follows.
  void SendMediaKey(MediaKey key);
  // The icon service said that icons arrived.
  void IconsArrived();
  // Which popups are open, for the dock's hover rules.
  void SetPopupState(std::function<DockPopupState()> popups) { popups_ = std::move(popups); }

  DockController& dock() { return dock_; }
  const DockController& dock() const { return dock_; }
  const DockMonitorInfo& monitor() const { return monitor_; }
  bool fullScreen() const { return fullScreen_; }

 private:
  void PlaceOn(MonitorHandle monitor);
  // Every item again from the configuration, on the dock's monitor.
  void Rebuild();
  void FollowPointerMonitor();
  void CancelDragOnEscape();
  void RefreshMusic();
  void RequestFrame();

  DockConfig& config_;
  DockHubPlatform& platform_;
  MediaSession* media_;
  std::function<void()> requestFrame_;
  std::function<DockPopupState()> popups_;
  DockController dock_;
  DockMonitorInfo monitor_;
  ScreenRect inputRect_;
  bool fullScreen_ = false;
};

}  // namespace orvane
