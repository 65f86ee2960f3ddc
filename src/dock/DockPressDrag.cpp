#include "dock/DockPressDrag.h"

#include <algorithm>

#include "dock/DockHitTest.h"

namespace orvane {
namespace {

// Dragged icon: a little larger than its slot at the start, larger still
// over the dock, plain and faded once it would be removed.
constexpr float kDragStartGrowth = 1.08f;
constexpr float kDraggedOpacity = 0.96f;
constexpr float kDraggedOutOpacity = 0.72f;

float Along(const DockLayout& layout, Vector2 point) {
  return layout.orientation == DockOrientation::Bottom ? point.x : point.y;
}

float SlotCentre(const DockLayout& layout, const DockSlot& slot) {
  return layout.orientation == DockOrientation::Bottom ? slot.centerX : slot.centerY;
}

// The item goes back into the list: full opacity, its own size.
void Settle(DockItemMotion& motion) {
  motion.pressOpacity = {1.0f, 0.0f, 1.0f};
  motion.magnification.target = 1.0f;
}

}  // namespace

int DockDropSlot(const DockLayout& layout, float along) {
  const auto& slots = layout.slots;
  const std::size_t first = !slots.empty() && slots.front().kind == DockItemKind::LauncherButton ? 1 : 0;
  std::size_t slot = first;
  for (std::size_t i = first; i < slots.size() && slots[i].kind == DockItemKind::Pinned; ++i) {
    if (SlotCentre(layout, slots[i]) < along) slot = i + 1;
  }
  return static_cast<int>(slot);
}

bool DockDraggedOut(const DockLayout& layout, Vector2 dragPoint) {
  const DockRectF& plate = layout.plate;
  switch (layout.orientation) {
    case DockOrientation::Left: return dragPoint.x > plate.x + plate.width + kDragOutDistance;
    case DockOrientation::Right: return dragPoint.x < plate.x - kDragOutDistance;
    case DockOrientation::Bottom: break;
  }
  return dragPoint.y < plate.y - kDragOutDistance;
}

void DockPressDrag::Press(int hit, Vector2 pointer) {
  if (hit < 0 || dragging()) return;
  pressedIndex_ = hit;
  pressPoint_ = pointer;
  state_ = DockPressState::Pressed;
}

bool DockPressDrag::Move(Vector2 pointer) {
  bool started = false;
  if (state_ == DockPressState::Pressed) {
    const float dx = pointer.x - pressPoint_.x;
    const float dy = pointer.y - pressPoint_.y;
    if (dx * dx + dy * dy >= kDragStartDistance * kDragStartDistance) started = StartDrag(pointer);
  }
  if (dragging()) UpdateDrag(pointer);
  return started;
}

bool DockPressDrag::StartDrag(Vector2 pointer) {
  const auto& slots = animator_.layout().slots;
  if (pressedIndex_ < 0 || static_cast<std::size_t>(pressedIndex_) >= slots.size()) return false;
  const DockSlot slot = slots[static_cast<std::size_t>(pressedIndex_)];
  DockItem* item = items_.LiftPinned(pressedIndex_);  // null for anything but a pinned item
  if (!item) return false;

  const DockConfig& config = animator_.config();
  sourceIndex_ = dropSlot_ = pressedIndex_;
  grabOffset_ = {pointer.x - slot.centerX, pointer.y - slot.centerY};
  const float grown = slot.scale * kDragStartGrowth;
  item->motion.magnification = {grown, 0.0f, grown};
  item->motion.pressOpacity = {1.0f, 0.0f, 1.0f};
  animator_.draggedOpacity = {kDraggedOpacity, 0.0f, kDraggedOpacity};
  // The gap opens at once at the item's own size, so nothing moves yet.
  const float gap = config.iconSize * slot.scale + config.iconSpacing;
  animator_.dropGap = {gap, 0.0f, gap};
  state_ = DockPressState::Dragging;
  return true;
}

void DockPressDrag::UpdateDrag(Vector2 pointer) {
  DockItem* item = items_.lifted();
  if (!item) return;
  const DockLayout& layout = animator_.layout();
  const DockConfig& config = animator_.config();
  dragPoint_ = {pointer.x - grabOffset_.x, pointer.y - grabOffset_.y};
  draggedOut_ = DockDraggedOut(layout, dragPoint_);
  if (draggedOut_) {
    animator_.dropGap.target = 0.0f;
    animator_.draggedOpacity.target = kDraggedOutOpacity;
    item->motion.magnification.target = 1.0f;
  } else {
    dropSlot_ = DockDropSlot(layout, Along(layout, dragPoint_));
    animator_.dropGap.target = config.iconSize + config.iconSpacing;
    animator_.draggedOpacity.target = kDraggedOpacity;
    item->motion.magnification.target = std::max(1.15f, 0.85f * config.magnification);
  }
}

DockRelease DockPressDrag::Release(int hit) {
  DockRelease release;
  if (dragging()) {
    release.dragPoint = dragPoint_;
    if (DockItem* item = items_.lifted()) {
      if (draggedOut_) {
        items_.RemoveLifted();
        release.action = DockReleaseAction::Removed;
      } else {
        // It slides into its slot from where it was let go.
        const float size = animator_.config().iconSize * item->motion.magnification.value;
        item->motion.previousSlotStart = Along(animator_.layout(), dragPoint_) - size / 2;
        item->motion.laidOut = true;
        Settle(item->motion);
        items_.PlaceLifted(dropSlot_);
        const auto& list = items_.items();
        const auto at = std::find_if(list.begin(), list.end(), [item](const auto& p) { return p.get() == item; });
        release.action = DockReleaseAction::Placed;
        release.index = static_cast<int>(at - list.begin());
        release.reordered = release.index != sourceIndex_;
      }
    }
    EndDrag();
    return release;
  }
  if (state_ == DockPressState::Pressed && hit >= 0 && hit == pressedIndex_) {
    release.action = DockReleaseAction::Click;
    release.index = hit;
  }
  state_ = DockPressState::Idle;
  pressedIndex_ = -1;
  return release;
}

bool DockPressDrag::Cancel() {
  if (!dragging()) {
    state_ = DockPressState::Idle;
    pressedIndex_ = -1;
    return false;
  }
  if (DockItem* item = items_.lifted()) {
    Settle(item->motion);
    items_.PlaceLifted(sourceIndex_);
  }
  EndDrag();
  return true;
}

void DockPressDrag::Leave() {
  if (!dragging()) pressedIndex_ = -1;
}

bool DockPressDrag::ItemListChanged() {
  if (!dragging() || items_.lifted()) return false;
  EndDrag();
  return true;
}

void DockPressDrag::EndDrag() {
  state_ = DockPressState::Idle;
  pressedIndex_ = -1;
  sourceIndex_ = -1;
  dropSlot_ = -1;
  draggedOut_ = false;
  animator_.dropGap = {0.0f, 0.0f, 0.0f};
}

DockFileDragOver DockFileDragAt(const DockLayout& layout, const DockConfig& config, Vector2 pointer, bool havePaths) {
  DockFileDragOver over;
  if (!havePaths) return over;
  const int hit = HitTestDock(layout, pointer.x, pointer.y);
  if (hit >= 0 && layout.slots[static_cast<std::size_t>(hit)].kind == DockItemKind::RecycleBin) {
    // The bin is fed after the drop has returned, and the shell may still
    // refuse or the user cancel. A move would tell the source that the files
    // now live here: with an unoptimised move the source deletes its
    // originals itself once DoDragDrop reports DROPEFFECT_MOVE (Microsoft
    // Learn, "Handling Shell Data Transfer Scenarios", and the DROPEFFECT
    // constants). A copy leaves the source's files alone; the recycling
    // then moves them.
    over.effect = DockDropEffect::Copy;
    over.overRecycleBin = true;
    return over;
  }
  over.effect = DockDropEffect::Copy;
  over.dropSlot = DockDropSlot(layout, Along(layout, pointer));
  over.gapTarget = config.iconSize + config.iconSpacing;
  return over;
}

}  // namespace orvane
