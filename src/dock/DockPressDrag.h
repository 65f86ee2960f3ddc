#pragma once
// Pressing, clicking and dragging dock items, and files dragged over the
// dock from other programs. The input window feeds pointer events in
// render-window DIPs; the decisions come back as values and the item list
// and the frame step's springs are updated here, so the window procedure
// only translates messages and carries out clicks, effects and visuals.
// UI thread only.

#include <vector>

#include "dock/DockAnimator.h"
#include "dock/DockItemList.h"
#include "dock/DockLayout.h"
#include "render/Composition.h"

namespace orvane {

// A press turns into a drag once the pointer moved this far (DIPs).
inline constexpr float kDragStartDistance = 6.0f;
// A dragged icon this far beyond the plate, away from the screen edge, is
// removed when it is released.
inline constexpr float kDragOutDistance = 46.0f;

// Insertion index for a dragged item or dropped files at `along` (x of a
// bottom dock, y of a side dock): one past the last pinned slot whose centre
// lies before it, within the pinned run after the launcher button.
int DockDropSlot(const DockLayout& layout, float along);

// The dragged icon's centre lies more than kDragOutDistance beyond the plate.
bool DockDraggedOut(const DockLayout& layout, Vector2 dragPoint);

enum class DockPressState { Idle = 0, Pressed = 1, Dragging = 2 };

enum class DockReleaseAction {
  None,     // released elsewhere than the press, or nothing pressed
  Click,    // perform the click action of `index`
  Placed,   // the dragged item went back into the list at `index`
  Removed,  // the dragged item was dragged off the dock (vanish effect at dragPoint)
};

struct DockRelease {
  DockReleaseAction action = DockReleaseAction::None;
  int index = -1;
  bool reordered = false;  // Placed elsewhere than it came from: the order was saved
  Vector2 dragPoint;       // the dragged icon's centre when released
};

class DockPressDrag {
 public:
  DockPressDrag(DockItemList& items, DockAnimator& animator) : items_(items), animator_(animator) {}

  // Button down; `hit` is the item under the pointer or -1.
  void Press(int hit, Vector2 pointer);
  // Pointer moved. True when this move started a drag: the hub closes the
  // popups and moves the lifted item's icon to the drag layer.
  bool Move(Vector2 pointer);
  // Button up; `hit` is the item under the pointer now.
  DockRelease Release(int hit);
  // Capture lost (or Escape): a drag puts the item back where it came from.
  // True when a drag was cancelled.
  bool Cancel();
  // Pointer left the window.
  void Leave();
  // After the item list changed behind the drag's back (rebuild, pin
  // toggle): a drag whose item the list dropped ends. True when it did.
  bool ItemListChanged();

  DockPressState state() const { return state_; }
  bool dragging() const { return state_ == DockPressState::Dragging; }
  int pressedIndex() const { return pressedIndex_; }
  int dropSlot() const { return dropSlot_; }
  bool draggedOut() const { return draggedOut_; }
  Vector2 dragPoint() const { return dragPoint_; }

 private:
  bool StartDrag(Vector2 pointer);
  void UpdateDrag(Vector2 pointer);
  void EndDrag();

  DockItemList& items_;
  DockAnimator& animator_;
  DockPressState state_ = DockPressState::Idle;
  int pressedIndex_ = -1;
  Vector2 pressPoint_;
  int sourceIndex_ = -1;
  int dropSlot_ = -1;
  Vector2 grabOffset_;
  Vector2 dragPoint_;
  bool draggedOut_ = false;
};

// Files from another program over the dock. There is no move: the dock never
// takes the files over, so the program they came from must keep them.
enum class DockDropEffect { None, Copy };

struct DockFileDragOver {
  DockDropEffect effect = DockDropEffect::None;
  bool overRecycleBin = false;
  int dropSlot = -1;
  float gapTarget = 0;  // the drop gap opens where the files would go
};

// What dropping files at `pointer` means: over the recycle bin item they are
// recycled (never pinned), reported as a copy; elsewhere they are pinned at
// the drop slot. No paths: no drop at all.
DockFileDragOver DockFileDragAt(const DockLayout& layout, const DockConfig& config, Vector2 pointer, bool havePaths);

}  // namespace orvane
