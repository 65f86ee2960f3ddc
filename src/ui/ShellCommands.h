#pragma once
// The one way anything asks the shell to open, toggle or answer something:
// the dock's clicks, the command message other programs send and the
// hotkeys all end here. A command is carried out by the surface registered
// for it; with none, the shell falls back to what the system itself offers
// (a folder opens in Explorer) or does nothing, and says so once in the log.

#include <cstdint>
#include <optional>
#include <string>

namespace orvane {

enum class ShellCommand : int {
  OpenLauncherGrid,
  OpenWindowOverview,
  OpenControlCenter,  // args.page: 0 the grid, 1-4 a page
  ToggleNotificationCenter,
  ToggleStageManager,
  ToggleDesktopWidgets,
  ToggleTaskbar,
  OpenSettings,
  OpenMusicPopup,    // args.anchor: above the music item
  ToggleTrayPopup,   // args.anchor: above the notification-area item
  OpenPowerMenu,     // args.anchor
  OpenStack,         // args.name, args.path (the folder), args.anchor
  OpenItemMenu,      // args.item, args.anchor
  OpenDockMenu,      // args.anchor: the pointer
  OpenStageSwitcher,
  SwitcherNext,
  SwitcherPrevious,
  SwitcherCommit,
  MediaTogglePlayPause,
  // The dock was pressed, or a drag over it began (args.flag: an item drag
  // rather than files from another program): popups that must not stay
  // open over it close.
  DockPressed,
  DockDragStarted,
  Quit,
};
inline constexpr int kShellCommandCount = static_cast<int>(ShellCommand::Quit) + 1;

enum class ShellQuery : int {
  HasUserPicture,
  LauncherAppCount,
  DesktopWidgetCount,
  MediaHasSession,
};
inline constexpr int kShellQueryCount = static_cast<int>(ShellQuery::MediaHasSession) + 1;

// A screen point in physical pixels, where popups and menus are anchored.
struct ShellAnchor {
  int x = 0, y = 0;
  bool operator==(const ShellAnchor&) const = default;
};

struct ShellCommandArgs {
  int page = 0;
  int item = -1;
  bool flag = false;
  std::optional<ShellAnchor> anchor;
  std::wstring name;
  std::wstring path;
};

class ShellCommands {
 public:
  virtual ~ShellCommands() = default;
  // True when a surface carried the command out; false when the fallback ran
  // or nothing could be done.
  virtual bool Run(ShellCommand command, const ShellCommandArgs& args = {}) = 0;
  // Whether a surface is registered for the command (hotkeys and hooks are
  // claimed only for these).
  virtual bool Handles(ShellCommand command) const = 0;
  // 0 when nothing answers.
  virtual std::int64_t Query(ShellQuery query) = 0;
};

// A short name for the log.
const char* ShellCommandName(ShellCommand command);

}  // namespace orvane
