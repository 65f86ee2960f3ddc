#pragma once
// The shared context menu's content: its rows, hover, keys and the one-shot
// choice callback, and its drawing. The window that hosts it supplies the
// pointer in plate DIP, the keys and the loss of activation, and hides itself
// when the menu says so.
//
// Hidden -> Shown by Show; Shown -> Hidden by a chosen row (the callback is
// called once, after the menu has hidden, so it may open another menu),
// Escape, a click outside the rows, or deactivation (no callback). A second
// Show replaces the content and drops the first callback uncalled.

#include <functional>
#include <vector>

#include "render/Canvas.h"
#include "render/TextMeasurer.h"
#include "render/Theme.h"
#include "ui/menu/MenuItem.h"
#include "ui/menu/MenuLayout.h"

namespace orvane {

// What an input did to the menu.
enum class MenuResponse {
  Ignored,    // not the menu's (a key the window passes on, input while hidden)
  Unchanged,  // handled; nothing to redraw
  Redraw,     // the hovered row changed
  Closed,     // the menu hid (and called back when a row was chosen)
};

class ContextMenu {
 public:
  using Choice = std::function<void(int id)>;

  // `hideWindow` is called each time the menu hides, before any callback.
  ContextMenu(TextMeasurer& measurer, std::function<void()> hideWindow = {});

  // Lays the rows out and shows them, with no row hovered. False (the
  // callback dropped, the menu as it was) for an empty list.
  bool Show(std::vector<MenuItem> items, const Theme& theme, float scale, Choice onChoice);
  // Hides without calling back.
  void Hide();

  // Pointer positions in DIP relative to the plate's corner.
  MenuResponse PointerMove(PointF point);
  MenuResponse PointerLeave();
  // A click (press and release): a row is chosen; anywhere else closes.
  MenuResponse Click(PointF point);
  // Escape, Up, Down and Enter (virtual-key codes); other keys are Ignored.
  MenuResponse Key(unsigned virtualKey);
  // Another window took the activation.
  MenuResponse Deactivated();

  // Draws the plate's content into a plate-sized target in pixels.
  void Draw(Canvas& canvas) const;

  bool visible() const { return visible_; }
  int hoverIndex() const { return hoverIndex_; }
  float scale() const { return scale_; }
  const Theme& theme() const { return theme_; }
  const std::vector<MenuItem>& items() const { return items_; }
  const MenuLayout& layout() const { return layout_; }
  bool hasPendingChoice() const { return static_cast<bool>(onChoice_); }

 private:
  bool Choosable(int index) const;
  MenuResponse MoveHover(int step);
  MenuResponse Activate(int index);

  TextMeasurer& measurer_;
  std::function<void()> hideWindow_;
  std::vector<MenuItem> items_;
  MenuLayout layout_;
  Theme theme_;
  float scale_ = 1;
  int hoverIndex_ = -1;
  bool visible_ = false;
  Choice onChoice_;
};

}  // namespace orvane
