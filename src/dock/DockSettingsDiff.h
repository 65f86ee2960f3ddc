#pragma once
// What the dock has to redo when the live configuration changed. Most
// settings are read live by the frame step; only those that feed a
// placement, a window or the item list need work, and a slider drag must not
// rebuild the dock on every move. Settings of other surfaces and of the
// hotkeys are theirs: the shell tells every surface of every change.

#include "config/DockConfig.h"

namespace orvane {

struct DockSettingsRedo {
  // Apply the whole configuration: rebuild the items, place, taskbar mode,
  // running items, hiding. Set alone; it covers every other flag.
  bool applyConfiguration = false;
  // Re-place the render window, reconfigure the glass plate and redraw the
  // music item.
  bool geometry = false;
  bool taskbarMode = false;
  bool runningItems = false;  // synchronise the running items
  bool autoHide = false;      // evaluate automatic hiding

  bool Any() const {
    return applyConfiguration || geometry || taskbarMode || runningItems || autoHide;
  }
  bool operator==(const DockSettingsRedo&) const = default;
};

// Pure: compares two configurations and names the work, nothing else.
DockSettingsRedo DiffDockSettings(const DockConfig& before, const DockConfig& after);

}  // namespace orvane
