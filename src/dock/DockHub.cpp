#include "dock/DockHub.h"

#include <algorithm>

#include "dock/DockSettingsDiff.h"

namespace orvane {

DockHub::DockHub(DockConfig& config, DockItemServices& services, DockClickPlatform& clicks, DockHubPlatform& platform,
                 ShellCommands& commands, MediaSession* media, std::function<void()> requestFrame)
    : config_(config),
      platform_(platform),
      media_(media),
      requestFrame_(std::move(requestFrame)),
      dock_(config_, services, clicks, commands, [this] { RequestFrame(); }) {}

void DockHub::RequestFrame() {
  if (requestFrame_) requestFrame_();
}

// --- placement --------------------------------------------------------------------------------

void DockHub::PlaceOn(MonitorHandle monitor) {
  monitor_ = platform_.DescribeMonitor(monitor);
  const DockGeometry& geometry = dock_.Place(monitor_.rect, monitor_.scale);
  platform_.PlaceRenderWindow(geometry.renderWindow);
  inputRect_ = {};  // placed again by the next frame
}

void DockHub::Place() { PlaceOn(0); }

void DockHub::Start(bool recycleBinFull) {
  dock_.Rebuild();
  dock_.SetRecycleBinFull(recycleBinFull);
  RequestFrame();
}

void DockHub::Rebuild() {
  dock_.EndPress();
  PlaceOn(monitor_.handle);
  dock_.Rebuild();
  dock_.SynchroniseRunning();
  RefreshMusic();
  RequestFrame();
}

void DockHub::DisplayChanged() { Rebuild(); }

void DockHub::FollowPointerMonitor() {
  if (!config_.followMouseMonitor || dock_.press().dragging()) return;
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
  RequestFrame();
}

// --- configuration -------------------------------------------------------------------------------

void DockHub::ConfigurationChanged(const DockConfig& before) {
  dock_.HideTooltip();
  const DockSettingsRedo redo = DiffDockSettings(before, config_);
  if (redo.applyConfiguration) {
    Rebuild();
    EvaluateAutoHide();
    return;
  }
  if (redo.geometry) {
    PlaceOn(monitor_.handle);
    dock_.ConfigurePlate();
    RefreshMusic();
  }
  if (redo.runningItems) dock_.SynchroniseRunning();
  if (redo.autoHide) EvaluateAutoHide();
  RequestFrame();
}

void DockHub::SetRecycleBinFull(bool full) {
  dock_.SetRecycleBinFull(full);
  RequestFrame();
}

void DockHub::IconsArrived() { dock_.DeliverArrivedIcons(); }

void DockHub::ThemeChanged(const Theme& theme) {
  dock_.SetTheme(theme);
  RefreshMusic();
  RequestFrame();
}

void DockHub::DeviceLost() { dock_.RedrawAfterDeviceLoss(); }

void DockHub::Run(ShellCommand command, const ShellCommandArgs& /*args*/) {
  if (command != ShellCommand::MediaTogglePlayPause || media_ == nullptr) return;
  media_->TogglePlayPause();
  media_->RequestRefresh();
  RefreshMusic();
}

std::int64_t DockHub::Answer(ShellQuery query) {
  if (query != ShellQuery::MediaHasSession || media_ == nullptr) return 0;
  return media_->Snapshot().hasSession ? 1 : 0;
}

void DockHub::SendMediaKey(MediaKey key) {
  if (media_ == nullptr) return;
  switch (key) {
    case MediaKey::PlayPause:
      media_->TogglePlayPause();
      break;
    case MediaKey::Previous:
      media_->Previous();
      break;
    case MediaKey::Next:
      media_->Next();
      break;
  }
  media_->RequestRefresh();
  RefreshMusic();
}

void DockHub::RefreshMusic() {
  if (media_ != nullptr) dock_.RefreshMusicItem(media_->Snapshot());
}

// --- periodic work ----------------------------------------------------------------------------------

void DockHub::TrackerChanged() {
  dock_.SynchroniseRunning();
  EvaluateAutoHide();
}

void DockHub::EvaluateAutoHide() {
  const std::unique_ptr<DockHideProbe> probe = platform_.CreateHideProbe(monitor_, dock_.DockRect());
  if (!probe) return;
  const DockHideUpdate update = dock_.EvaluateAutoHide(*probe);
  if (update.fullScreenChanged) fullScreen_ = update.fullScreen;
}

void DockHub::PeriodicTick(unsigned tick) {
  EvaluateAutoHide();
  if (config_.showDockMusic && media_ != nullptr && tick % kMusicPollTicks == 0) {
    media_->RequestRefresh();
    RefreshMusic();
  }
  FollowPointerMonitor();
  CancelDragOnEscape();
}

void DockHub::CancelDragOnEscape() {
  if (!dock_.press().dragging() || !platform_.EscapeHeld()) return;
  platform_.ReleasePointerCapture();
  dock_.EndPress();
  RequestFrame();
}

bool DockHub::FrameStep(float dt) {
  const DockFrameResult result = dock_.FrameStep(dt, popups_ ? popups_() : DockPopupState{});
  ScreenRect wanted = result.inputRect;
  // While the pointer is over the dock the input window only grows: the
  // magnified icons' reach changes by a pixel or two with every move, and
  // moving a window each frame costs more than drawing the dock. Once the
  // pointer has left it follows the dock exactly again.
  if (dock_.hovering() && !inputRect_.IsEmpty() && !wanted.IsEmpty()) {
    wanted = ScreenRect{std::min(wanted.left, inputRect_.left), std::min(wanted.top, inputRect_.top),
                        std::max(wanted.right, inputRect_.right), std::max(wanted.bottom, inputRect_.bottom)};
  }
  if (!(wanted == inputRect_) && !wanted.IsEmpty()) {
    inputRect_ = wanted;
    platform_.PlaceInputWindow(inputRect_);
  }
  return result.moreFrames;
}

}  // namespace orvane
