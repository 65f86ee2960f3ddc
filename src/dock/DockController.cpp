#include "dock/DockController.h"

#include <algorithm>
#include <cmath>

#include "dock/DockHitTest.h"

namespace orvane {

ScreenRect DockInputRect(const DockLayout& layout, const DockGeometry& geometry, float hiddenAmount, bool revealed) {
  const float s = geometry.scale;
  const ScreenRect& window = geometry.renderWindow;
  const ScreenRect& monitor = geometry.monitor;
  const bool vertical = IsVerticalDock(geometry.orientation);
  // Along the dock: the plate's extent.
  const float alongStart = vertical ? layout.plate.y : layout.plate.x;
  const float alongEnd = alongStart + (vertical ? layout.plate.height : layout.plate.width);
  const int origin = vertical ? window.top : window.left;
  const int from = origin + static_cast<int>(std::floor(alongStart * s));
  const int to = origin + static_cast<int>(std::ceil(alongEnd * s));

  if (hiddenAmount > 0.8f && !revealed) {
    switch (geometry.orientation) {
      case DockOrientation::Left: return {monitor.left, from, monitor.left + kHiddenStripPixels, to};
      case DockOrientation::Right: return {monitor.right - kHiddenStripPixels, from, monitor.right, to};
      case DockOrientation::Bottom: break;
    }
    return {from, monitor.bottom - kHiddenStripPixels, to, monitor.bottom};
  }

  // Across the dock: from the farthest icon (plus the hit test's reach) out
  // to the render window's screen edge.
  const RectF& b = layout.hoverBounds;
  const DockRectF& p = layout.plate;
  switch (geometry.orientation) {
    case DockOrientation::Left: {
      const float right = std::max(b.right, p.x + p.width) + kInputReachDips;
      return {window.left, from, window.left + static_cast<int>(std::ceil(right * s)), to};
    }
    case DockOrientation::Right: {
      const float left = std::max(0.0f, std::min(b.left, p.x) - kInputReachDips);
      return {window.left + static_cast<int>(std::floor(left * s)), from, window.right, to};
    }
    case DockOrientation::Bottom: break;
  }
  const float top = std::max(0.0f, std::min(b.top, p.y) - kInputReachDips);
  return {from, window.top + static_cast<int>(std::floor(top * s)), to, window.bottom};
}

DockController::DockController(DockConfig& config, DockItemServices& services, DockClickPlatform& platform,
                               ShellCommands& commands, std::function<void()> requestFrame)
    : config_(config),
      platform_(platform),
      commands_(commands),
      requestFrame_(std::move(requestFrame)),
      list_(config, services) {}

void DockController::RequestFrame() {
  if (requestFrame_) requestFrame_();
}

PictureSettings DockController::Pictures() const {
  return {config_.iconSize, config_.magnification, geometry_.scale, config_.dockPosition};
}

const DockGeometry& DockController::Place(const ScreenRect& monitor, float scale) {
  geometry_ = ComputeDockGeometry(config_, monitor, scale);
  animator_.Configure(config_, geometry_);
  // Items keep their places on the new strip instead of sliding there.
  if (list_.size() > 0) animator_.AdoptLayout(DockItemViews(list_));
  if (visualsCreated_ && !(Pictures() == drawnFor_)) {
    picturesStale_ = true;
    RequestFrame();
  }
  return geometry_;
}

void DockController::CreateVisuals(Compositor& compositor, const Theme& theme) {
  theme_ = theme;
  pictures_.CreateSharedSprites(compositor, geometry_.scale, theme_);
  layer_.Create(compositor, pictures_);
  tooltip_.Create(compositor, layer_.plate().hostBackdropBrush(), layer_.plate().backdropAvailable());
  StyleTooltip();
  visualsCreated_ = true;
}

void DockController::StyleTooltip() {
  tooltip_.HideNow();
  tooltip_.SetTrimToArea(IsVerticalDock(geometry_.orientation));
  tooltip_.SetStyle(geometry_.scale, theme_, layer_.plate().backdropAvailable());
}

void DockController::Rebuild() {
  list_.Rebuild(geometry_.scale);
  if (visualsCreated_) {
    pictures_.SetScaleAndTheme(geometry_.scale, theme_);
    StyleTooltip();
  }
  ProcessChanges();
  drawnFor_ = Pictures();
  picturesStale_ = false;
  ConfigurePlate();
  platform_.ReleaseMemory();
}

void DockController::RedrawForNewSize() {
  picturesStale_ = false;
  list_.RequestIcons(geometry_.scale);
  ProcessChanges();
  RedrawLifted();
  drawnFor_ = Pictures();
}

void DockController::RedrawLifted() {
  DockItem* lifted = list_.lifted();
  if (lifted == nullptr) return;
  if (DockItemVisuals* visuals = layer_.VisualsOf(lifted)) {
    pictures_.RefreshItemPicture(lifted->kind, visuals->picture, lifted->icon, media_, Pictures());
    lifted->needsRedraw = false;
  }
}

void DockController::SynchroniseRunning() {
  list_.SynchroniseRunning();
  ProcessChanges();
}

void DockController::ConfigurePlate() {
  const DockRectF& plate = animator_.layout().plate;
  const float length = IsVerticalDock(geometry_.orientation) ? plate.height : plate.width;
  layer_.Configure(config_, geometry_.scale, theme_, static_cast<int>(std::lround(length * geometry_.scale)));
  RequestFrame();
}

void DockController::SetTheme(const Theme& theme) {
  theme_ = theme;
  if (!visualsCreated_) return;
  pictures_.SetTheme(theme_);
  tooltip_.SetTheme(theme_);
  ConfigurePlate();
  if (const int music = IndexOfKind(DockItemKind::Music); music >= 0) {
    list_[static_cast<std::size_t>(music)].needsRedraw = true;
  }
  layer_.RefreshPictures(list_, media_, Pictures());
}

void DockController::RedrawAfterDeviceLoss() {
  if (!visualsCreated_) return;
  pictures_.DeviceLost();
  pictures_.SetScaleAndTheme(geometry_.scale, theme_);
  tooltip_.SetStyle(geometry_.scale, theme_, layer_.plate().backdropAvailable());
  ConfigurePlate();
  for (const auto& item : list_.items()) item->needsRedraw = true;
  layer_.RefreshPictures(list_, media_, Pictures());
  RedrawLifted();
  RequestFrame();
}

void DockController::RefreshMusicItem(const MediaInfo& media) {
  media_ = media;
  const int index = IndexOfKind(DockItemKind::Music);
  if (index < 0 || !visualsCreated_) return;
  DockItem& item = list_[static_cast<std::size_t>(index)];
  DockItemVisuals* visuals = layer_.VisualsOf(&item);
  if (visuals == nullptr) return;
  if (const auto update = pictures_.RefreshMusicItem(visuals->picture, media_, Pictures())) {
    item.running = update->running;
    item.config.name = update->name;
    RequestFrame();
  }
}

void DockController::SetRecycleBinFull(bool full) {
  list_.SetRecycleBinFull(full);
  ProcessChanges();
}

void DockController::DeliverArrivedIcons() {
  list_.DeliverArrivedIcons();
  ProcessChanges();
}

void DockController::UnpinFromMenu(int index, const DockItemConfig& config) {
  const int found = list_.FindPinned(index, config.target, config.args);
  if (found < 0) return;
  list_.Unpin(found, true);
  ProcessChanges();
}

void DockController::KeepInDockFromMenu(const std::wstring& appKey) {
  const int found = list_.FindRunning(appKey);
  if (found < 0) return;
  list_.KeepInDock(found);
  ProcessChanges();
}

void DockController::SetCustomIconFromMenu(int index, const DockItemConfig& config, const std::wstring& path) {
  const int found = list_.FindPinned(index, config.target, config.args);
  if (found < 0) return;
  list_.SetCustomIcon(found, path);
  ProcessChanges();
}

void DockController::EndPress() {
  press_.Cancel();
  ProcessChanges();
}

void DockController::ProcessChanges() {
  DockItemChanges changes = list_.TakeChanges();
  // A drag whose item a rebuild took back ends here.
  press_.ItemListChanged();
  // A music item made anew shows what plays now, not what the poll last changed.
  for (DockItem* item : changes.created) {
    if (item->kind != DockItemKind::Music) continue;
    item->running = media_.isPlaying;
    item->config.name = MusicItemName(media_);
  }

  // Effects take the removed items' brushes before their visuals go.
  const auto& slots = animator_.layout().slots;
  for (const DockItemRemoval& removal : changes.removed) {
    if (!removal.vanish || !removal.item) continue;
    const DockItemVisuals* visuals = layer_.VisualsOf(removal.item.get());
    std::shared_ptr<CompositionBrush> brush;
    if (visuals != nullptr) brush = visuals->picture.brush;
    if (removal.index >= 0 && static_cast<std::size_t>(removal.index) < slots.size()) {
      const DockSlot& slot = slots[static_cast<std::size_t>(removal.index)];
      animator_.effects().StartVanish(brush, {slot.centerX, slot.centerY}, slot.size);
    } else {
      // The dragged item, let go off the dock.
      const float size = config_.iconSize * removal.item->motion.magnification.value;
      animator_.effects().StartVanish(brush, vanishPoint_, size);
    }
  }
  if (visualsCreated_) {
    layer_.ApplyChanges(changes);
    layer_.RefreshPictures(list_, media_, Pictures());
  }
  if (changes.rebuilt) {
    animator_.hoverPopups().Reset();
    animator_.AdoptLayout(DockItemViews(list_));
  } else if (changes.layoutChanged || !changes.removed.empty() || !changes.created.empty()) {
    // Input may come before the next frame: it must hit the new list.
    animator_.Relayout(DockItemViews(list_));
  }
  // A click that minimised the window has its flight under way already.
  if (changes.minimiseEffect != kNoWindow && !animator_.effects().FlyingFrom(changes.minimiseEffect)) {
    for (std::size_t i = 0; i < list_.size(); ++i) {
      const auto& windows = list_[i].windows;
      const bool owns = list_[i].window == changes.minimiseEffect ||
                        std::any_of(windows.begin(), windows.end(),
                                    [&](const TrackedWindow& w) { return w.hwnd == changes.minimiseEffect; });
      if (owns) {
        StartMinimiseEffect(static_cast<int>(i), changes.minimiseEffect,
                            platform_.RestingWindowRect(changes.minimiseEffect));
        break;
      }
    }
  }
  if (changes.frameRequested || changes.layoutChanged || changes.rebuilt || !changes.removed.empty() ||
      !changes.created.empty()) {
    RequestFrame();
  }
}

void DockController::StartMinimiseEffect(int index, WindowHandle window, std::optional<ScreenRect> rect) {
  const auto& slots = animator_.layout().slots;
  if (index < 0 || static_cast<std::size_t>(index) >= slots.size() ||
      static_cast<std::size_t>(index) >= list_.size()) {
    return;
  }
  const DockItemVisuals* visuals = layer_.VisualsOf(&list_[static_cast<std::size_t>(index)]);
  std::optional<Vector2> from;
  if (rect) from = ScreenToDips((rect->left + rect->right) / 2, (rect->top + rect->bottom) / 2);
  const DockSlot& slot = slots[static_cast<std::size_t>(index)];
  animator_.effects().StartMinimise(visuals != nullptr ? visuals->picture.brush : nullptr, from,
                                    {slot.centerX, slot.centerY}, config_.iconSize, geometry_.windowLength,
                                    geometry_.windowDepth, window);
  RequestFrame();
}

void DockController::StartBounce(DockItem& item, int hops) {
  item.motion.bounceHops = hops;
  item.motion.bouncePhase = 0.0f;
  RequestFrame();
}

int DockController::HitTest(Vector2 pointer) const {
  return HitTestDock(animator_.layout(), pointer.x, pointer.y);
}

int DockController::IndexOfKind(DockItemKind kind) const {
  for (std::size_t i = 0; i < list_.size(); ++i) {
    if (list_[i].kind == kind) return static_cast<int>(i);
  }
  return -1;
}

Vector2 DockController::ScreenToDips(int x, int y) const {
  const float s = geometry_.scale > 0 ? geometry_.scale : 1.0f;
  return {static_cast<float>(x - geometry_.renderWindow.left) / s, static_cast<float>(y - geometry_.renderWindow.top) / s};
}

DockScreenPoint DockController::DipsToScreen(Vector2 point) const {
  return {geometry_.renderWindow.left + static_cast<int>(std::lround(point.x * geometry_.scale)),
          geometry_.renderWindow.top + static_cast<int>(std::lround(point.y * geometry_.scale))};
}

ShellAnchor DockController::AnchorOf(int index) const {
  const auto& slots = animator_.layout().slots;
  if (index < 0 || static_cast<std::size_t>(index) >= slots.size()) return DipsToScreen({});
  const DockSlot& slot = slots[static_cast<std::size_t>(index)];
  return DipsToScreen({slot.centerX, slot.iconTop});
}

ShellCommandArgs DockController::AtItem(int index) const {
  ShellCommandArgs args;
  args.item = index;
  args.anchor = AnchorOf(index);
  return args;
}

// --- input -------------------------------------------------------------------------------

void DockController::PointerMoved(Vector2 pointer) {
  pointer_ = pointer;
  hovering_ = true;
  reveal_.PointerMoved();
  if (press_.Move(pointer)) {
    ShellCommandArgs args;
    args.flag = true;  // an item drag
    commands_.Run(ShellCommand::DockDragStarted, args);
  }
  RequestFrame();
}

void DockController::ButtonDown(Vector2 pointer) {
  pointer_ = pointer;
  commands_.Run(ShellCommand::DockPressed);
  press_.Press(HitTest(pointer), pointer);
  RequestFrame();
}

void DockController::ButtonUp(Vector2 pointer) {
  pointer_ = pointer;
  const bool wasDragging = press_.dragging();
  if (wasDragging) vanishPoint_ = press_.dragPoint();
  const DockRelease release = press_.Release(wasDragging ? -1 : HitTest(pointer));
  if (release.action == DockReleaseAction::Click) Click(release.index);
  ProcessChanges();
  if (wasDragging) hovering_ = InsideHoverBounds(animator_.layout(), pointer.x, pointer.y, 0.0f);
  RequestFrame();
}

void DockController::RightButtonUp(Vector2 pointer) {
  if (press_.state() != DockPressState::Idle) return;
  const int hit = HitTest(pointer);
  if (hit >= 0) {
    commands_.Run(ShellCommand::OpenItemMenu, AtItem(hit));
  } else {
    ShellCommandArgs args;
    args.anchor = DipsToScreen(pointer);
    commands_.Run(ShellCommand::OpenDockMenu, args);
  }
}

void DockController::PointerLeft() {
  reveal_.PointerLeft();
  if (!press_.dragging()) hovering_ = false;
  press_.Leave();
  RequestFrame();
}

void DockController::CaptureLost() {
  press_.Cancel();
  ProcessChanges();
  RequestFrame();
}

void DockController::Click(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= list_.size()) return;
  DockItem& item = list_[static_cast<std::size_t>(index)];
  switch (item.kind) {
    case DockItemKind::LauncherButton:
      commands_.Run(ShellCommand::OpenLauncherGrid);
      return;
    case DockItemKind::Music:
      if (commands_.Query(ShellQuery::MediaHasSession) != 0) {
        commands_.Run(ShellCommand::MediaTogglePlayPause);
      } else {
        commands_.Run(ShellCommand::OpenMusicPopup, AtItem(index));
      }
      return;
    case DockItemKind::NotificationArea:
      commands_.Run(ShellCommand::ToggleTrayPopup, AtItem(index));
      return;
    case DockItemKind::Power:
      commands_.Run(ShellCommand::OpenPowerMenu, AtItem(index));
      return;
    case DockItemKind::RecycleBin:
      platform_.Launch(kRecycleBinItemTarget, L"");
      return;
    case DockItemKind::DownloadsStack:
      OpenFolder(item, platform_.ExpandEnvironment(item.config.target), index);
      return;
    case DockItemKind::MinimisedWindow:
      platform_.ActivateWindow(item.window);
      return;
    case DockItemKind::Separator:
      return;
    case DockItemKind::Pinned:
    case DockItemKind::Running:
      break;
  }
  if (item.kind == DockItemKind::Pinned && !item.running) {
    const std::wstring expanded = platform_.ExpandEnvironment(item.config.target);
    if (expanded.size() >= 2 && expanded[1] == L':' && platform_.IsDirectory(expanded)) {
      OpenFolder(item, expanded, index);
      return;
    }
  }
  if (item.windows.empty()) {
    if (platform_.Launch(item.config.target, item.config.args) && config_.enableBounce) {
      StartBounce(item, kLaunchBounceHops);
    }
    return;
  }
  std::vector<WindowHandle> windows;
  windows.reserve(item.windows.size());
  for (const TrackedWindow& window : item.windows) windows.push_back(window.hwnd);
  // Read before the toggle: a window on its way to the taskbar no longer
  // tells where it stood.
  std::vector<std::optional<ScreenRect>> rects;
  if (config_.enableMinimizeAnim) {
    for (const WindowHandle window : windows) rects.push_back(platform_.RestingWindowRect(window));
  }
  const WindowHandle minimised = platform_.ToggleAppWindows(windows);
  if (minimised != kNoWindow && config_.enableMinimizeAnim) {
    const auto at = std::find(windows.begin(), windows.end(), minimised);
    StartMinimiseEffect(index, minimised,
                        at != windows.end() ? rects[static_cast<std::size_t>(at - windows.begin())]
                                            : platform_.RestingWindowRect(minimised));
  }
}

void DockController::OpenFolder(const DockItem& item, const std::wstring& folder, int index) {
  if (platform_.ShiftHeld()) {
    platform_.Launch(folder, L"");
    return;
  }
  ShellCommandArgs args = AtItem(index);
  args.name = item.config.name;
  args.path = folder;
  commands_.Run(ShellCommand::OpenStack, args);
}

// --- files from other programs ------------------------------------------------------------

DockDropEffect DockController::FileDragOver(Vector2 pointer, bool havePaths) {
  if (!havePaths) return DockDropEffect::None;
  pointer_ = pointer;
  hovering_ = true;
  externalDrag_ = true;
  reveal_.FileDragOver();
  commands_.Run(ShellCommand::DockDragStarted);
  const DockFileDragOver over = DockFileDragAt(animator_.layout(), config_, pointer, havePaths);
  overRecycleBin_ = over.overRecycleBin;
  fileDropSlot_ = over.dropSlot;
  animator_.dropGap.target = over.gapTarget;
  RequestFrame();
  return over.effect;
}

void DockController::FileDragLeave() {
  externalDrag_ = overRecycleBin_ = hovering_ = false;
  animator_.dropGap.target = 0.0f;
  fileDropSlot_ = -1;
  RequestFrame();
}

void DockController::FileDrop(const std::vector<std::wstring>& paths) {
  const bool recycle = overRecycleBin_;
  const int slot = fileDropSlot_;
  FileDragLeave();
  if (paths.empty()) return;
  if (recycle) {
    platform_.RecycleFiles(paths);
    return;
  }
  if (slot < 0) return;
  list_.AddDroppedFiles(paths, slot);
  ProcessChanges();
}

// --- the command message ------------------------------------------------------------------

std::int64_t DockController::Command(std::uint64_t wParam, std::int64_t lParam) {
  return DispatchDockCommand(commands_, *this, list_.items(), wParam, lParam);
}

void DockController::MarkItemRunning(int index, int bounceHops) {
  DockItem& item = list_[static_cast<std::size_t>(index)];
  item.running = true;
  if (bounceHops > 0) StartBounce(item, bounceHops);
  RequestFrame();
}

// --- hiding and the frame step ---------------------------------------------------------------

DockHideUpdate DockController::EvaluateAutoHide(DockHideProbe& probe) {
  const DockHideUpdate update = reveal_.Evaluate(config_, probe);
  if (update.frameRequested) RequestFrame();
  return update;
}

ScreenRect DockController::DockRect() const { return DockScreenRect(config_, geometry_, animator_.layout()); }

bool DockController::StepTooltip(float dt, bool busy) {
  const DockHoverRequests& hover = animator_.popupRequests();
  // A menu, another popup or a drag takes the bubble away at once.
  if (hover.hideTooltipNow || busy) tooltip_.HideNow();
  tooltip_.Follow(hover.tooltip, busy);
  return tooltip_.Update(dt);
}

DockFrameResult DockController::FrameStep(float dt, const DockPopupState& popups) {
  if (picturesStale_) RedrawForNewSize();
  const bool popupOpen = popups.previewVisible || popups.musicVisible || popups.trayPopupOpen ||
                         popups.stackPopupOpen || popups.contextMenuOpen;
  const bool busy = press_.dragging() || externalDrag_ || popupOpen;
  const bool wasRevealed = reveal_.revealed();
  const bool shouldHide = reveal_.Step(dt, hovering_, busy, config_.hideRevealDelayMs);

  DockFrameInput input;
  input.dt = dt;
  input.pointer = pointer_;
  input.hovering = hovering_;
  input.shouldHide = shouldHide;
  input.pressedIndex = press_.state() == DockPressState::Pressed ? press_.pressedIndex() : -1;
  input.popups = popups;
  if (DockItem* lifted = list_.lifted(); lifted != nullptr && press_.dragging()) {
    input.draggedItem = &lifted->motion;
    input.dragPoint = press_.dragPoint();
    input.dropSlot = press_.draggedOut() ? -1 : press_.dropSlot();
  } else if (externalDrag_) {
    input.externalDrag = true;
    input.overRecycleBin = overRecycleBin_;
    input.dropSlot = fileDropSlot_;
  }

  DockFrameResult result;
  result.moreFrames = animator_.Step(DockItemViews(list_), input);
  // The reveal delay and the hide delay count in frames, so they keep them
  // coming, and a reveal that just ended hides the dock from the next frame.
  if (reveal_.revealed() != wasRevealed ||
      (reveal_.hidable() && (reveal_.revealPending() || (reveal_.revealed() && !hovering_ && !busy)))) {
    result.moreFrames = true;
  }
  if (visualsCreated_) {
    layer_.Apply(list_, animator_.visuals(), animator_.effectSprites());
    result.moreFrames |= StepTooltip(dt, busy);
  }
  result.inputRect = DockInputRect(animator_.layout(), geometry_, animator_.hiddenAmount.value, reveal_.revealed());
  return result;
}

}  // namespace orvane
