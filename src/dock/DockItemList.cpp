#include "dock/DockItemList.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "system/FallbackIcon.h"

namespace orvane {
namespace {

bool IsLeading(DockItemKind kind) { return kind == DockItemKind::LauncherButton || kind == DockItemKind::Pinned; }

bool IsTrailing(DockItemKind kind) { return kind >= DockItemKind::Running; }

void AppendDistinct(std::vector<std::uint32_t>& ids, const std::vector<std::uint32_t>& more) {
  for (const std::uint32_t id : more) {
    if (std::find(ids.begin(), ids.end(), id) == ids.end()) ids.push_back(id);
  }
}

// Windows and process ids from the app; true when anything differed.
bool TakeAppState(DockItem& item, const TrackedApp& app) {
  const bool changed = !item.running || item.windows != app.windows || item.processIds != app.processIds;
  item.windows = app.windows;
  item.processIds = app.processIds;
  item.running = true;
  return changed;
}

std::wstring RunningTarget(const TrackedApp& app) {
  return app.aumid.empty() ? app.exePath : kStoreAppTargetPrefix + app.aumid;
}

}  // namespace

DockItemList::DockItemList(DockConfig& config, DockItemServices& services) : config_(config), services_(services) {}

DockItemChanges DockItemList::TakeChanges() { return std::exchange(changes_, DockItemChanges{}); }

void DockItemList::RequestFrame(bool layoutChanged) {
  changes_.layoutChanged |= layoutChanged;
  changes_.frameRequested = true;
}

DockItem& DockItemList::Insert(std::unique_ptr<DockItem> item, std::size_t index) {
  DockItem& inserted = **items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(std::min(index, items_.size())),
                                        std::move(item));
  return inserted;
}

DockItem& DockItemList::Create(DockItemKind kind, DockItemConfig config, std::size_t index) {
  auto item = std::make_unique<DockItem>();
  item->kind = kind;
  item->config = std::move(config);
  // The rebuilt dock appears as a whole; items that come later grow in.
  if (!rebuilding_) item->motion.appearance.value = kNewItemAppearance;
  changes_.created.push_back(item.get());
  return Insert(std::move(item), index);
}

void DockItemList::Remove(std::size_t index, bool vanish) {
  std::unique_ptr<DockItem> item = std::move(items_[index]);
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
  changes_.removed.push_back({std::move(item), static_cast<int>(index), vanish});
}

IconRequest DockItemList::PinnedIconRequest(const DockItemConfig& config) const {
  if (!config.customIcon.empty()) return CustomImageRequest(config.customIcon, iconSize_);
  return TargetIconRequest(config.target, iconSize_);
}

IconRequest DockItemList::RecycleBinIconRequest() const {
  return StockIconRequest(recycleBinFull_ ? kStockIconRecyclerFull : kStockIconRecycler, iconSize_);
}

IconRequest DockItemList::AppIconRequest(const TrackedApp& app, WindowHandle window) const {
  return RunningAppIconRequest(window, app.exePath, app.aumid, iconSize_);
}

std::optional<IconRequest> DockItemList::IconRequestFor(const DockItem& item) {
  switch (item.kind) {
    case DockItemKind::Pinned:
      return PinnedIconRequest(item.config);
    case DockItemKind::DownloadsStack:
      return TargetIconRequest(item.config.target, iconSize_);
    case DockItemKind::RecycleBin:
      return RecycleBinIconRequest();
    case DockItemKind::Running:
      for (const TrackedApp& app : services_.TrackedApps()) {
        if (app.key == item.appKey) return AppIconRequest(app, app.windows.empty() ? kNoWindow : app.windows.front().hwnd);
      }
      return std::nullopt;
    case DockItemKind::MinimisedWindow:
      for (const TrackedApp& app : services_.TrackedApps()) {
        for (const TrackedWindow& window : app.windows) {
          if (window.hwnd == item.window) return AppIconRequest(app, item.window);
        }
      }
      return std::nullopt;
    case DockItemKind::LauncherButton:
    case DockItemKind::Separator:
    case DockItemKind::Music:
    case DockItemKind::NotificationArea:
    case DockItemKind::Power:
      break;
  }
  return std::nullopt;
}

const IconImage& DockItemList::Placeholder() {
  if (placeholder_.width != static_cast<int>(iconSize_)) placeholder_ = DrawLoadingPlaceholder(iconSize_);
  return placeholder_;
}

void DockItemList::AskIcon(DockItem& item, const IconRequest& request) {
  item.pendingIcon = request;
  if (std::optional<IconImage> image = services_.RequestIcon(request)) {
    TakeIcon(item, std::move(*image));
    return;
  }
  // Until the icon arrives an item without one shows the placeholder; an
  // item asking again at another size keeps the icon it has.
  if (item.icon.empty()) {
    item.icon = Placeholder();
    item.needsRedraw = true;
  }
}

void DockItemList::TakeIcon(DockItem& item, IconImage image) {
  const IconRequest request = *std::exchange(item.pendingIcon, std::nullopt);
  if (image.empty()) {
    // A custom picture that cannot be loaded gives way to the target's icon;
    // any other source that had nothing leaves an earlier icon in place, but
    // not the placeholder, which would promise a picture that never comes.
    if (request.kind == IconRequestKind::CustomImage && item.kind == DockItemKind::Pinned) {
      AskIcon(item, TargetIconRequest(item.config.target, request.size));
    } else if (item.icon == placeholder_) {
      item.icon = IconImage{};
      item.needsRedraw = true;
    }
    return;
  }
  item.icon = std::move(image);
  item.needsRedraw = true;
}

void DockItemList::DeliverArrivedIcons() {
  for (IconArrival& arrival : services_.TakeArrivedIcons()) {
    const auto deliver = [&](DockItem& item) {
      if (!item.pendingIcon || *item.pendingIcon != arrival.request) return;
      // Items asking for the same picture each get a copy.
      TakeIcon(item, arrival.image);
      RequestFrame(false);
    };
    for (const auto& item : items_) deliver(*item);
    if (lifted_) deliver(*lifted_);
  }
}

void DockItemList::RequestIcons(float dpiScale) {
  const unsigned size = IconRequestSize(config_.magnification, config_.iconSize, dpiScale);
  const bool resized = size != iconSize_;
  iconSize_ = size;
  const auto refresh = [&](DockItem& item) {
    if (resized) {
      if (const std::optional<IconRequest> request = IconRequestFor(item)) AskIcon(item, *request);
    }
    item.needsRedraw = true;
  };
  for (const auto& item : items_) refresh(*item);
  if (lifted_) refresh(*lifted_);
  RequestFrame(false);
}

DockItem& DockItemList::AddPinned(const DockItemConfig& config, std::size_t index) {
  DockItem& item = Create(DockItemKind::Pinned, config, index);
  item.launchInfo = services_.DescribeTarget(config.target, config.name);
  AskIcon(item, PinnedIconRequest(config));
  return item;
}

void DockItemList::AddBuiltIn(DockItemKind kind, const wchar_t* name, const std::wstring& target) {
  DockItem& item = Create(kind, DockItemConfig{name, target, {}, {}}, items_.size());
  if (kind == DockItemKind::DownloadsStack) AskIcon(item, TargetIconRequest(target, iconSize_));
  if (kind == DockItemKind::RecycleBin) AskIcon(item, RecycleBinIconRequest());
}

void DockItemList::Rebuild(float dpiScale) {
  for (std::size_t i = items_.size(); i-- > 0;) Remove(i, false);
  // A dragged item is still among the configuration's pinned entries (or was
  // taken out of them on purpose): the rebuilt list has it, so the drag ends
  // without it coming back a second time.
  DropLifted(false);
  rebuilding_ = true;
  iconSize_ = IconRequestSize(config_.magnification, config_.iconSize, dpiScale);

  if (config_.showLaunchpadIcon) AddBuiltIn(DockItemKind::LauncherButton, kLauncherButtonName, kLauncherButtonTarget);
  for (const DockItemConfig& pinned : config_.pinned) AddPinned(pinned, items_.size());
  if (config_.showDockMusic) AddBuiltIn(DockItemKind::Music, kMusicItemName, kMusicItemTarget);
  if (config_.showDownloadsStack) {
    const std::wstring downloads = services_.DownloadsFolder();
    if (!downloads.empty()) AddBuiltIn(DockItemKind::DownloadsStack, kDownloadsItemName, downloads);
  }
  if (config_.showDockTray) {
    AddBuiltIn(DockItemKind::NotificationArea, kNotificationAreaItemName, kNotificationAreaItemTarget);
  }
  if (config_.showDockPower) AddBuiltIn(DockItemKind::Power, kPowerItemName, kPowerItemTarget);
  if (config_.showRecycleBin) AddBuiltIn(DockItemKind::RecycleBin, kRecycleBinItemName, kRecycleBinItemTarget);
  FixSeparator();

  SynchroniseRunning();
  rebuilding_ = false;
  for (const auto& item : items_) item->needsRedraw = true;
  changes_.rebuilt = true;
  RequestFrame(true);
}

std::size_t DockItemList::EndOfLeadingRun() const {
  std::size_t index = 0;
  if (index < items_.size() && items_[index]->kind == DockItemKind::LauncherButton) ++index;
  while (index < items_.size() && items_[index]->kind == DockItemKind::Pinned) ++index;
  return index;
}

std::size_t DockItemList::ClampToPinnedRange(int slot) const {
  const bool launcher = !items_.empty() && items_.front()->kind == DockItemKind::LauncherButton;
  const std::size_t first = launcher ? 1 : 0;
  return std::clamp(static_cast<std::size_t>(std::max(slot, 0)), first, EndOfLeadingRun());
}

std::size_t DockItemList::FirstIndexOfKindFrom(DockItemKind first) const {
  const auto found = std::find_if(items_.begin(), items_.end(), [first](const auto& item) {
    return item->kind >= first;
  });
  return static_cast<std::size_t>(found - items_.begin());
}

bool DockItemList::FixSeparator() {
  bool leading = false;
  bool trailing = false;
  std::size_t firstTrailing = items_.size();
  std::size_t separator = items_.size();
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const DockItemKind kind = items_[i]->kind;
    leading |= IsLeading(kind);
    if (IsTrailing(kind) && !trailing) firstTrailing = i;
    trailing |= IsTrailing(kind);
    if (kind == DockItemKind::Separator) separator = i;
  }
  const bool wanted = leading && trailing;
  const bool present = separator < items_.size();
  if (wanted && !present) {
    Create(DockItemKind::Separator, {}, firstTrailing);
  } else if (!wanted && present) {
    Remove(separator, false);
  } else {
    return false;
  }
  return true;
}

bool DockItemList::SyncPinned(DockItem& item, const std::vector<TrackedApp>& apps, std::vector<bool>& claimed) {
  std::vector<TrackedWindow> windows;
  std::vector<std::uint32_t> processIds;
  for (std::size_t i = 0; i < apps.size(); ++i) {
    if (!MatchesTrackedApp(item.launchInfo, apps[i])) continue;
    claimed[i] = true;
    windows.insert(windows.end(), apps[i].windows.begin(), apps[i].windows.end());
    AppendDistinct(processIds, apps[i].processIds);
  }
  const bool running = !windows.empty();
  const bool changed = running != item.running || windows != item.windows || processIds != item.processIds;
  // The launched application is up: the bounce ends after its current hop.
  if (running && !item.running && item.motion.bounceHops > 1) item.motion.bounceHops = 1;
  item.windows = std::move(windows);
  item.processIds = std::move(processIds);
  item.running = running;
  return changed;
}

bool DockItemList::SyncRunningItems(const std::vector<TrackedApp>& apps, const std::vector<bool>& claimed) {
  std::vector<const TrackedApp*> collected;
  if (config_.showRunningUnpinned) {
    for (std::size_t i = 0; i < apps.size() && collected.size() < kMaxRunningItems; ++i) {
      if (!claimed[i]) collected.push_back(&apps[i]);
    }
  }

  bool changed = false;
  std::vector<bool> present(collected.size(), false);
  for (std::size_t i = items_.size(); i-- > 0;) {
    DockItem& item = *items_[i];
    if (item.kind != DockItemKind::Running) continue;
    const auto found = std::find_if(collected.begin(), collected.end(), [&item](const TrackedApp* app) {
      return app->key == item.appKey;
    });
    if (found == collected.end()) {
      Remove(i, false);
      changed = true;
      continue;
    }
    present[static_cast<std::size_t>(found - collected.begin())] = true;
    changed |= TakeAppState(item, **found);
  }

  for (std::size_t j = 0; j < collected.size(); ++j) {
    if (present[j]) continue;
    const TrackedApp& app = *collected[j];
    // New running items go after the running items already there and before
    // the minimised windows, which follow them in display order.
    DockItem& item = Create(DockItemKind::Running, DockItemConfig{app.displayName, RunningTarget(app), {}, {}},
                            FirstIndexOfKindFrom(DockItemKind::MinimisedWindow));
    item.appKey = app.key;
    item.launchInfo = services_.DescribeTarget(item.config.target, item.config.name);
    AskIcon(item, AppIconRequest(app, app.windows.empty() ? kNoWindow : app.windows.front().hwnd));
    TakeAppState(item, app);
    changed = true;
  }
  return changed;
}

bool DockItemList::SyncMinimisedItems(const std::vector<TrackedApp>& apps) {
  struct Minimised {
    const TrackedApp* app;
    const TrackedWindow* window;
  };
  std::vector<Minimised> collected;
  if (config_.enableMinimizeAnim && !config_.stageManagerEnabled) {
    for (const TrackedApp& app : apps) {
      for (const TrackedWindow& window : app.windows) {
        if (collected.size() == kMaxMinimisedItems) break;
        if (window.minimized && window.hwnd != kNoWindow && services_.WindowExists(window.hwnd)) {
          collected.push_back({&app, &window});
        }
      }
    }
  }

  bool changed = false;
  std::vector<bool> present(collected.size(), false);
  for (std::size_t i = items_.size(); i-- > 0;) {
    DockItem& item = *items_[i];
    if (item.kind != DockItemKind::MinimisedWindow) continue;
    const auto found = std::find_if(collected.begin(), collected.end(), [&item](const Minimised& m) {
      return m.window->hwnd == item.window;
    });
    if (found == collected.end()) {
      Remove(i, false);
      changed = true;
      continue;
    }
    present[static_cast<std::size_t>(found - collected.begin())] = true;
    std::wstring name = kMinimisedItemPrefix + found->window->title;
    if (name != item.config.name) {
      item.config.name = std::move(name);
      changed = true;
    }
  }

  for (std::size_t j = 0; j < collected.size(); ++j) {
    if (present[j]) continue;
    const Minimised& m = collected[j];
    DockItem& item = Create(DockItemKind::MinimisedWindow, DockItemConfig{kMinimisedItemPrefix + m.window->title, {}, {}, {}},
                            FirstIndexOfKindFrom(DockItemKind::Music));
    item.window = m.window->hwnd;
    AskIcon(item, AppIconRequest(*m.app, m.window->hwnd));
    changed = true;
  }
  return changed;
}

void DockItemList::SynchroniseRunning() {
  const std::vector<TrackedApp>& apps = services_.TrackedApps();
  services_.UpdateMenuBar(apps);
  services_.UpdateStageManager(apps);
  const WindowHandle minimizing = services_.TakeMinimizingWindow();
  if (config_.enableMinimizeAnim && minimizing != kNoWindow) changes_.minimiseEffect = minimizing;

  std::vector<bool> claimed(apps.size(), false);
  bool changed = false;
  for (const auto& item : items_) {
    if (item->kind == DockItemKind::Pinned) changed |= SyncPinned(*item, apps, claimed);
  }
  if (lifted_) changed |= SyncPinned(*lifted_, apps, claimed);
  changed |= SyncRunningItems(apps, claimed);
  changed |= SyncMinimisedItems(apps);
  changed |= FixSeparator();
  if (changed) RequestFrame(true);
}

std::size_t DockItemList::FindPinnedTarget(const std::wstring& targetLower) {
  const auto found = std::find_if(items_.begin(), items_.end(), [&](const auto& item) {
    return item->kind == DockItemKind::Pinned && services_.ExpandLower(item->config.target) == targetLower;
  });
  return static_cast<std::size_t>(found - items_.begin());
}

bool DockItemList::Pin(const DockItemConfig& config) {
  const std::wstring targetLower = services_.ExpandLower(config.target);
  if (LiftedHasTarget(targetLower)) {
    DropLifted(false);
    Persist();
    FixSeparator();
    SynchroniseRunning();
    RequestFrame(true);
    return false;
  }
  const std::size_t pinned = FindPinnedTarget(targetLower);
  if (pinned < items_.size()) {
    Unpin(static_cast<int>(pinned), false);
    return false;
  }
  AddPinned(config, EndOfLeadingRun());
  Persist();
  FixSeparator();
  SynchroniseRunning();
  RequestFrame(true);
  return true;
}

void DockItemList::Unpin(int index, bool withEffect) {
  if (index < 0 || static_cast<std::size_t>(index) >= items_.size()) return;
  if (items_[static_cast<std::size_t>(index)]->kind != DockItemKind::Pinned) return;
  Remove(static_cast<std::size_t>(index), withEffect);
  Persist();
  FixSeparator();
  SynchroniseRunning();
  RequestFrame(true);
}

void DockItemList::KeepInDock(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= items_.size()) return;
  const auto at = items_.begin() + index;
  if ((*at)->kind != DockItemKind::Running) return;
  std::unique_ptr<DockItem> item = std::move(*at);
  items_.erase(at);
  item->kind = DockItemKind::Pinned;
  item->appKey.clear();
  Insert(std::move(item), EndOfLeadingRun());
  Persist();
  FixSeparator();
  RequestFrame(true);
}

void DockItemList::AddDroppedFiles(const std::vector<std::wstring>& paths, int slot) {
  std::size_t index = ClampToPinnedRange(slot);
  for (const std::wstring& path : paths) {
    const std::wstring targetLower = services_.ExpandLower(path);
    if (FindPinnedTarget(targetLower) < items_.size() || LiftedHasTarget(targetLower)) continue;
    AddPinned(DockItemConfig{services_.DisplayNameOf(path), path, {}, {}}, index++);
  }
  Persist();
  FixSeparator();
  SynchroniseRunning();
  RequestFrame(true);
}

int DockItemList::FindPinned(int index, const std::wstring& target, const std::wstring& arguments) const {
  const auto matches = [&](std::size_t i) {
    const DockItem& item = *items_[i];
    return item.kind == DockItemKind::Pinned && item.config.target == target && item.config.args == arguments;
  };
  if (index >= 0 && static_cast<std::size_t>(index) < items_.size() && matches(static_cast<std::size_t>(index))) {
    return index;
  }
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (matches(i)) return static_cast<int>(i);
  }
  return -1;
}

int DockItemList::FindRunning(const std::wstring& appKey) const {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (items_[i]->kind == DockItemKind::Running && items_[i]->appKey == appKey) return static_cast<int>(i);
  }
  return -1;
}

void DockItemList::SetCustomIcon(int index, const std::wstring& path) {
  if (index < 0 || static_cast<std::size_t>(index) >= items_.size()) return;
  DockItem& item = *items_[static_cast<std::size_t>(index)];
  if (item.kind != DockItemKind::Pinned) return;
  item.config.customIcon = path;
  AskIcon(item, PinnedIconRequest(item.config));
  item.needsRedraw = true;
  Persist();
  RequestFrame(false);
}

void DockItemList::Persist() {
  config_.pinned.clear();
  for (const auto& item : items_) {
    if (item->kind == DockItemKind::Pinned) config_.pinned.push_back(item->config);
  }
  // A save during a drag keeps the dragged item where it came from.
  if (lifted_) {
    const bool launcher = !items_.empty() && items_.front()->kind == DockItemKind::LauncherButton;
    const std::size_t at = std::min(static_cast<std::size_t>(std::max(liftedFrom_ - (launcher ? 1 : 0), 0)),
                                    config_.pinned.size());
    config_.pinned.insert(config_.pinned.begin() + static_cast<std::ptrdiff_t>(at), lifted_->config);
  }
  services_.SaveConfig(config_);
}

void DockItemList::SetRecycleBinFull(bool full) {
  if (full == recycleBinFull_) return;
  recycleBinFull_ = full;
  for (const auto& item : items_) {
    if (item->kind != DockItemKind::RecycleBin) continue;
    AskIcon(*item, RecycleBinIconRequest());
    item->needsRedraw = true;
    RequestFrame(false);
  }
}

DockItem* DockItemList::LiftPinned(int index) {
  if (lifted_ || index < 0 || static_cast<std::size_t>(index) >= items_.size()) return nullptr;
  const auto at = items_.begin() + index;
  if ((*at)->kind != DockItemKind::Pinned) return nullptr;
  lifted_ = std::move(*at);
  items_.erase(at);
  liftedFrom_ = index;
  return lifted_.get();
}

void DockItemList::PlaceLifted(int slot) {
  if (!lifted_) return;
  const std::size_t index = ClampToPinnedRange(slot);
  const bool moved = static_cast<int>(index) != liftedFrom_;
  Insert(std::move(lifted_), index);
  liftedFrom_ = -1;
  if (moved) Persist();
  // A refresh during the drag may have dropped the separator.
  FixSeparator();
  RequestFrame(true);
}

void DockItemList::DropLifted(bool vanish) {
  if (!lifted_) return;
  changes_.removed.push_back({std::move(lifted_), -1, vanish});
  liftedFrom_ = -1;
}

bool DockItemList::LiftedHasTarget(const std::wstring& targetLower) {
  return lifted_ && services_.ExpandLower(lifted_->config.target) == targetLower;
}

void DockItemList::RemoveLifted() {
  if (!lifted_) return;
  DropLifted(true);
  Persist();
  FixSeparator();
  SynchroniseRunning();
  RequestFrame(true);
}

std::vector<DockItemView> DockItemViews(const DockItemList& list) {
  std::vector<DockItemView> views;
  views.reserve(list.size());
  for (const auto& item : list.items()) {
    views.push_back({item->kind, item->running, !item->windows.empty(), item->config.name, &item->motion});
  }
  return views;
}

}  // namespace orvane
