#pragma once
// The dock's items in display order: launcher button; pinned items; one
// separator when both groups exist; running applications; minimised
// windows; music, Downloads, notification area, power, recycle bin.
//
// The list builds itself from the configuration, keeps in step with the
// window tracker and carries out pin, unpin, keep-in-dock and file drops,
// saving the pinned items whenever they change. It creates no visuals: each
// operation records what it created and removed, and the hub takes that
// record to create or drop the visuals, start effects and request a frame.
// UI thread only.

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "config/DockConfig.h"
#include "dock/DockItem.h"
#include "dock/DockItemServices.h"
#include "dock/DockItemView.h"

namespace orvane {

struct DockItemRemoval {
  std::unique_ptr<DockItem> item;  // kept alive so the hub can find its visuals
  int index = -1;                  // where it stood when it was removed
  bool vanish = false;             // play the vanish effect at that slot
};

// What the operations since the last TakeChanges did. An item created and
// removed again in between appears in both lists.
struct DockItemChanges {
  std::vector<DockItem*> created;  // in creation order
  std::vector<DockItemRemoval> removed;
  WindowHandle minimiseEffect = kNoWindow;  // a window to fly into the dock
  bool rebuilt = false;        // every item was replaced: reset tooltip, preview and slots
  bool layoutChanged = false;  // run the layout
  bool frameRequested = false;
};

class DockItemList {
 public:
  // The configuration is the dock's live copy: the list reads its options
  // and writes its pinned entries.
  DockItemList(DockConfig& config, DockItemServices& services);

  // Replaces every item with the configuration's, then synchronises.
  void Rebuild(float dpiScale);
  // Brings running, minimised-window and pinned items in line with the
  // tracker's list.
  void SynchroniseRunning();
  // The pin toggle: pins the config, or unpins the pinned item with the same
  // target (written in any case or with environment variables) and returns
  // false.
  bool Pin(const DockItemConfig& config);
  // Only pinned items are removed; other indices are ignored.
  void Unpin(int index, bool withEffect);
  // Turns a running item into a pinned one after the last pinned item.
  void KeepInDock(int index);
  // Pins each path not pinned yet, from slot on (clamped to the pinned range).
  void AddDroppedFiles(const std::vector<std::wstring>& paths, int slot);
  // Writes the pinned items into the configuration and saves it.
  void Persist();
  // The pinned item a menu opened at `index` acts on: the one still there
  // with the same target and arguments, else the first pinned item with
  // both; -1 when none is left.
  int FindPinned(int index, const std::wstring& target, const std::wstring& arguments) const;
  // The running item of an application key; -1 when none.
  int FindRunning(const std::wstring& appKey) const;
  // Sets (or, with "", clears) a pinned item's own picture, asks for its
  // icon again and saves.
  void SetCustomIcon(int index, const std::wstring& path);
  // A changed recycle-bin state replaces its icon.
  void SetRecycleBinFull(bool full);
  // The icon size, magnification or DPI changed without a rebuild: icons are
  // requested again when the request size moved (an item whose icon cannot
  // be had again keeps its old one), and every picture is marked for redraw.
  void RequestIcons(float dpiScale);
  // Hands the icons that arrived since the last call to the items still
  // waiting for them (an item that asked for something else since ignores
  // them) and marks their pictures for redraw.
  void DeliverArrivedIcons();

  // An item drag: the pinned item is taken out of the list (it still
  // collects its windows and is saved in its old place), then put back at a
  // slot or removed. A rebuild during the drag ends it: the rebuilt list
  // holds the item again and lifted() becomes null.
  DockItem* LiftPinned(int index);
  void PlaceLifted(int slot);
  void RemoveLifted();
  DockItem* lifted() const { return lifted_.get(); }

  DockItemChanges TakeChanges();

  const std::vector<std::unique_ptr<DockItem>>& items() const { return items_; }
  std::size_t size() const { return items_.size(); }
  DockItem& operator[](std::size_t index) const { return *items_[index]; }
  unsigned iconSize() const { return iconSize_; }

 private:
  DockItem& Insert(std::unique_ptr<DockItem> item, std::size_t index);
  DockItem& Create(DockItemKind kind, DockItemConfig config, std::size_t index);
  DockItem& AddPinned(const DockItemConfig& config, std::size_t index);
  void AddBuiltIn(DockItemKind kind, const wchar_t* name, const std::wstring& target);
  void Remove(std::size_t index, bool vanish);
  IconRequest PinnedIconRequest(const DockItemConfig& config) const;
  IconRequest RecycleBinIconRequest() const;
  IconRequest AppIconRequest(const TrackedApp& app, WindowHandle window) const;
  // The icon the item's kind asks for at the current request size; none for
  // items whose picture the dock draws or whose application is gone.
  std::optional<IconRequest> IconRequestFor(const DockItem& item);
  // Asks the services for an icon: taken at once when it is at hand, else
  // the item waits for it (with the placeholder while it has no icon).
  void AskIcon(DockItem& item, const IconRequest& request);
  // The answer to the item's pending request.
  void TakeIcon(DockItem& item, IconImage image);
  const IconImage& Placeholder();
  std::size_t EndOfLeadingRun() const;
  std::size_t ClampToPinnedRange(int slot) const;
  std::size_t FirstIndexOfKindFrom(DockItemKind first) const;
  // Index of the first pinned item with this (expanded, lower-cased) target,
  // or size() when there is none.
  std::size_t FindPinnedTarget(const std::wstring& targetLower);
  bool LiftedHasTarget(const std::wstring& targetLower);
  // Ends a drag without putting the item back; the hub drops its visuals.
  void DropLifted(bool vanish);
  bool FixSeparator();
  bool SyncPinned(DockItem& item, const std::vector<TrackedApp>& apps, std::vector<bool>& claimed);
  bool SyncRunningItems(const std::vector<TrackedApp>& apps, const std::vector<bool>& claimed);
  bool SyncMinimisedItems(const std::vector<TrackedApp>& apps);
  void RequestFrame(bool layoutChanged);

  DockConfig& config_;
  DockItemServices& services_;
  std::vector<std::unique_ptr<DockItem>> items_;
  std::unique_ptr<DockItem> lifted_;
  int liftedFrom_ = -1;
  unsigned iconSize_ = 128;
  IconImage placeholder_;  // at iconSize_
  bool recycleBinFull_ = false;
  bool rebuilding_ = false;
  DockItemChanges changes_;
};

// The frame step's view of the list; valid while the list is unchanged.
std::vector<DockItemView> DockItemViews(const DockItemList& list);

}  // namespace orvane
