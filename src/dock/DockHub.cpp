#include "dock/DockHub.h"

#include "dock/DockSettingsDiff.h"

namespace orvane {

DockHub::DockHub(DockItemServices& services, DockClickPlatform& clicks, DockHubPlatform& platform,
                 HotkeyManager& hotkeys, WindowTracker& tracker, MediaSession* media,
                 std::function<void()> requestFrame)
    : platform_(platform),
      hotkeys_(hotkeys),
      tracker_(tracker),
      media_(media),
      requestFrame_(std::move(requestFrame)),
      dock_(config_, services, clicks, [this] { RequestFrame(); }) {
  hotkeys_.SetActionCallback([this](HotkeyAction action) { OnHotkeyAction(action); });
  WireHooks();
}

DockHub::~DockHub() { hotkeys_.SetActionCallback(nullptr); }

void DockHub::RequestFrame() {
  if (requestFrame_) requestFrame_();
}

void DockHub::Save() { platform_.SaveConfig(config_); }

void DockHub::WireHooks() {
  DockSurfaceHooks& hooks = dock_.hooks;
  hooks.mediaHasSession = [this] { return media_ != nullptr && media_->Snapshot().hasSession; };
  hooks.mediaTogglePlayPause = [this] {
    if (media_ == nullptr) return;
    media_->TogglePlayPause();
    media_->RequestRefresh();
    dock_.RefreshMusicItem(media_->Snapshot());
  };
  hooks.toggleStageManager = [this] { ToggleStageManager(); };
  hooks.toggleDesktopWidgets = [this] { ToggleDesktopWidgets(); };
  // The stage switcher opens here once the tracker is fresh.
  hooks.openStageSwitcher = [this] { RefreshTracker(); };
  // Menus, popups and the other surfaces set their hooks as they join.
}

// --- placement --------------------------------------------------------------------------------

void DockHub::PlaceOn(MonitorHandle monitor) {
  monitor_ = platform_.DescribeMonitor(monitor);
  const DockGeometry& geometry = dock_.Place(monitor_.rect, monitor_.scale);
  platform_.PlaceRenderWindow(geometry.renderWindow);
  inputRect_ = {};  // placed again by the next frame
}

void DockHub::Place(const DockConfig& config) {
  config_ = config;
  PlaceOn(0);
}

void DockHub::Start(bool recycleBinFull) {
  dock_.Rebuild();
  dock_.SetRecycleBinFull(recycleBinFull);
  // The taskbar mode is applied here.
  ApplySurfaces();
  RequestFrame();
}

void DockHub::Replace() {
  PlaceOn(monitor_.handle);
  dock_.Rebuild();
  // The taskbar mode is applied here.
  ApplySurfaces();
  dock_.SynchroniseRunning();
  RequestFrame();
}

void DockHub::FollowPointerMonitor() {
  if (!config_.followMouseMonitor || dock_.press().dragging()) return;
  // The context menu, once it exists, holds the dock where it is too.
  const MonitorHandle under = platform_.MonitorUnderPointer();
  if (under == 0 || under == monitor_.handle) return;
  const float oldScale = monitor_.scale;
  PlaceOn(under);
  // Icons are drawn for a scale: another scale needs them again.
  if (monitor_.scale != oldScale) {
    dock_.Rebuild();
  } else {
    dock_.ConfigurePlate();
  }
  // The taskbar mode is applied here.
  ApplySurfaces();
  RequestFrame();
}

// --- configuration -------------------------------------------------------------------------------

void DockHub::ApplySurfaces() {
  // The menu bar, the stage manager and the desktop widgets take their
  // settings here, before the hotkeys.
  hotkeys_.ApplyConfiguration(config_.enableGlobalHotkeys, config_.enableHotCorners, config_.replaceAltTabWithStage,
                              config_.stageSwitcherHotkey);
}

void DockHub::ApplyConfiguration(const DockConfig& config) {
  const DockConfig copy = config;  // may be the live copy itself
  dock_.EndPress();
  // The context menu, preview, music, tray and stack popups and the tooltip hide here.
  config_ = copy;
  PlaceOn(monitor_.handle);
  dock_.Rebuild();
  // The taskbar mode is applied here.
  ApplySurfaces();
  dock_.SynchroniseRunning();
  EvaluateAutoHide();
  // The settings window's copy is refreshed here.
  RequestFrame();
}

void DockHub::ApplySettings(const DockConfig& config, bool save) {
  const DockSettingsRedo redo = DiffDockSettings(config_, config);
  const DockConfig copy = config;
  config_ = copy;
  if (redo.applyConfiguration) {
    if (save) Save();
    ApplyConfiguration(copy);
    return;
  }
  if (redo.geometry) {
    PlaceOn(monitor_.handle);
    dock_.ConfigurePlate();
    if (media_ != nullptr) dock_.RefreshMusicItem(media_->Snapshot());
  }
  // A changed taskbar mode (and an application bar whose strip follows the
  // size) is applied here.
  if (redo.surfaces) ApplySurfaces();
  if (redo.runningItems) dock_.SynchroniseRunning();
  if (redo.autoHide) EvaluateAutoHide();
  if (save) Save();
  RequestFrame();
}

void DockHub::ToggleStageManager() {
  config_.stageManagerEnabled = !config_.stageManagerEnabled;
  Save();
  RefreshTracker();
  ApplySurfaces();
  // The settings window's copy is refreshed here.
  RequestFrame();
}

void DockHub::ToggleDesktopWidgets() {
  config_.desktopWidgetsEnabled = !config_.desktopWidgetsEnabled;
  Save();
  ApplySurfaces();
}

void DockHub::SetRecycleBinFull(bool full) {
  dock_.SetRecycleBinFull(full);
  RequestFrame();
}

void DockHub::SetTheme(const Theme& theme) {
  dock_.SetTheme(theme);
  // The tooltip, music popup, settings window, menu bar, stage manager and
  // widgets re-tint here.
  if (media_ != nullptr) dock_.RefreshMusicItem(media_->Snapshot());
  RequestFrame();
}

void DockHub::RedrawAfterDeviceLoss() {
  dock_.RedrawAfterDeviceLoss();
  ApplySurfaces();
}

// --- periodic work ----------------------------------------------------------------------------------

void DockHub::RefreshTracker() {
  tracker_.Refresh();
  dock_.SynchroniseRunning();
}

void DockHub::OnTrackerSettled() {
  RefreshTracker();
  EvaluateAutoHide();
}

void DockHub::EvaluateAutoHide() {
  const std::unique_ptr<DockHideProbe> probe = platform_.CreateHideProbe(monitor_, dock_.DockRect());
  if (!probe) return;
  const DockHideUpdate update = dock_.EvaluateAutoHide(*probe);
  if (update.fullScreenChanged) fullScreen_ = update.fullScreen;
  // A changed full-screen state goes to the taskbar controller here.
}

void DockHub::PeriodicTick() {
  ++ticks_;
  EvaluateAutoHide();
  // The taskbar is kept hidden here.
  if (config_.showDockMusic && media_ != nullptr && ticks_ % kMusicPollTicks == 0) {
    media_->RequestRefresh();
    dock_.RefreshMusicItem(media_->Snapshot());
  }
  // The notification feed is polled and banners shown here.
  FollowPointerMonitor();
  // The stage manager's periodic check runs here.
  hotkeys_.HotCornerTick(monitor_.handle);
  CancelDragOnEscape();
}

void DockHub::CancelDragOnEscape() {
  if (!dock_.press().dragging() || !platform_.EscapeHeld()) return;
  platform_.ReleasePointerCapture();
  dock_.EndPress();
  RequestFrame();
}

void DockHub::OnHotkeyAction(HotkeyAction action) {
  DockSurfaceHooks& hooks = dock_.hooks;
  switch (action) {
    case HotkeyAction::ToggleLauncher:
      if (hooks.openLauncherGrid) hooks.openLauncherGrid();
      return;
    case HotkeyAction::ShowOverview:
      if (hooks.openWindowOverview) hooks.openWindowOverview();
      return;
    case HotkeyAction::ToggleStageManager:
      ToggleStageManager();
      return;
    case HotkeyAction::ToggleControlCenter:
      if (hooks.openControlCenter) hooks.openControlCenter(0);
      return;
    case HotkeyAction::ToggleNotificationCenter:
      if (hooks.toggleNotificationCenter) hooks.toggleNotificationCenter();
      return;
    case HotkeyAction::ToggleTaskbar:
      // The taskbar controller's run-time switch attaches here.
      return;
    case HotkeyAction::SwitcherNext:
    case HotkeyAction::SwitcherPrevious:
      RefreshTracker();
      // The stage switcher steps forward or back here.
      return;
    case HotkeyAction::SwitcherCommit:
      // The stage switcher commits here.
      return;
  }
}

bool DockHub::FrameStep(float dt, const DockPopupState& popups) {
  const DockFrameResult result = dock_.FrameStep(dt, popups);
  if (!(result.inputRect == inputRect_) && !result.inputRect.IsEmpty()) {
    inputRect_ = result.inputRect;
    platform_.PlaceInputWindow(inputRect_);
  }
  return result.moreFrames;
}

}  // namespace orvane
