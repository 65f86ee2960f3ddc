#pragma once
// One row of the shared context menu. Menus are flat lists of these, passed
// by value; the owner learns the chosen row's id.

#include <string>
#include <utility>

namespace orvane {

struct MenuItem {
  int id = 0;           // handed to the owner when the row is chosen; separators use 0
  std::wstring text;    // one line, trimmed with an ellipsis when too long
  bool enabled = true;  // can be hovered and chosen; drawn dimmed when not
  bool checked = false;      // a check mark left of the label
  bool destructive = false;  // red label and red hover fill
  bool separator = false;    // a thin divider; text is ignored

  static MenuItem Row(int id, std::wstring text) { return MenuItem{id, std::move(text)}; }
  static MenuItem Separator() { return MenuItem{0, {}, true, false, false, true}; }

  bool operator==(const MenuItem&) const = default;
};

}  // namespace orvane
