#pragma once
// The dock's command message: other programs and the dock's own helpers post
// or send it to the input window to open surfaces, toggle features, query
// counts or act on an item. Any process can send it, so every item index is
// checked before it is used.

#include <cstdint>
#include <memory>
#include <span>

#include "dock/DockItem.h"
#include "platform/MessageIds.h"
#include "ui/ShellCommands.h"

namespace orvane {

// The actions in lParam. Values not listed act on the item in wParam.
enum class DockCommand : std::int64_t {
  OpenItemMenu = 2,
  OpenSettings = 3,
  OpenControlCenter = 4,
  ToggleNotificationCenter = 5,
  OpenWindowOverview = 6,
  OpenLauncherGrid = 7,
  ToggleStageManager = 8,
  OpenMusicPopup = 9,
  ToggleTrayPopup = 10,
  OpenStageSwitcher = 11,
  ToggleDesktopWidgets = 12,
  QueryUserPicture = 13,
  QueryLauncherAppCount = 14,
  QueryDesktopWidgetCount = 15,
  OpenControlCenterPage1 = 16,  // pages 1-4 follow in order
  OpenControlCenterPage4 = 19,
};

// Bounce of an item marked running with action 1.
inline constexpr int kCommandBounceHops = 3;

// What the command message does to an item itself.
class DockCommandItems {
 public:
  virtual ~DockCommandItems() = default;
  // Marks the item running; bounceHops 0 starts no bounce.
  virtual void MarkItemRunning(int index, int bounceHops) = 0;
  // Where popups for the item are anchored, screen pixels.
  virtual ShellAnchor AnchorOf(int index) const = 0;
};

// Decodes one command message into the shell's commands and queries and
// returns its result: the value of a query, else 0. An item index outside
// the list or on a separator does nothing.
std::int64_t DispatchDockCommand(ShellCommands& shell, DockCommandItems& dock,
                                 std::span<const std::unique_ptr<DockItem>> items, std::uint64_t wParam,
                                 std::int64_t lParam);

}  // namespace orvane
