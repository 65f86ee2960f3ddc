#include "dock/DockCommand.h"

namespace orvane {
namespace {

int IndexOfKind(std::span<const std::unique_ptr<DockItem>> items, DockItemKind kind) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i] && items[i]->kind == kind) return static_cast<int>(i);
  }
  return -1;
}

// A command anchored at an item of the given kind (none when the dock has no such item).
ShellCommandArgs AtItemOfKind(DockCommandItems& dock, std::span<const std::unique_ptr<DockItem>> items,
                              DockItemKind kind) {
  ShellCommandArgs args;
  args.item = IndexOfKind(items, kind);
  if (args.item >= 0) args.anchor = dock.AnchorOf(args.item);
  return args;
}

}  // namespace

std::int64_t DispatchDockCommand(ShellCommands& shell, DockCommandItems& dock,
                                 std::span<const std::unique_ptr<DockItem>> items, std::uint64_t wParam,
                                 std::int64_t lParam) {
  const auto first = static_cast<std::int64_t>(DockCommand::OpenControlCenterPage1);
  if (lParam >= first && lParam <= static_cast<std::int64_t>(DockCommand::OpenControlCenterPage4)) {
    ShellCommandArgs args;
    args.page = static_cast<int>(lParam - first + 1);
    shell.Run(ShellCommand::OpenControlCenter, args);
    return 0;
  }
  switch (static_cast<DockCommand>(lParam)) {
    case DockCommand::OpenSettings: shell.Run(ShellCommand::OpenSettings); return 0;
    case DockCommand::OpenControlCenter: shell.Run(ShellCommand::OpenControlCenter); return 0;
    case DockCommand::ToggleNotificationCenter: shell.Run(ShellCommand::ToggleNotificationCenter); return 0;
    case DockCommand::OpenWindowOverview: shell.Run(ShellCommand::OpenWindowOverview); return 0;
    case DockCommand::OpenLauncherGrid: shell.Run(ShellCommand::OpenLauncherGrid); return 0;
    case DockCommand::ToggleStageManager: shell.Run(ShellCommand::ToggleStageManager); return 0;
    case DockCommand::OpenMusicPopup:
      shell.Run(ShellCommand::OpenMusicPopup, AtItemOfKind(dock, items, DockItemKind::Music));
      return 0;
    case DockCommand::ToggleTrayPopup:
      shell.Run(ShellCommand::ToggleTrayPopup, AtItemOfKind(dock, items, DockItemKind::NotificationArea));
      return 0;
    case DockCommand::OpenStageSwitcher: shell.Run(ShellCommand::OpenStageSwitcher); return 0;
    case DockCommand::ToggleDesktopWidgets: shell.Run(ShellCommand::ToggleDesktopWidgets); return 0;
    case DockCommand::QueryUserPicture: return shell.Query(ShellQuery::HasUserPicture) != 0 ? 1 : 0;
    case DockCommand::QueryLauncherAppCount: return shell.Query(ShellQuery::LauncherAppCount);
    case DockCommand::QueryDesktopWidgetCount: return shell.Query(ShellQuery::DesktopWidgetCount);
    default: break;
  }

  // The sender may be any process: wParam is untrusted.
  if (wParam >= items.size() || !items[wParam] || items[wParam]->kind == DockItemKind::Separator) return 0;
  const int index = static_cast<int>(wParam);
  if (lParam == static_cast<std::int64_t>(DockCommand::OpenItemMenu)) {
    ShellCommandArgs args;
    args.item = index;
    args.anchor = dock.AnchorOf(index);
    shell.Run(ShellCommand::OpenItemMenu, args);
  } else {
    dock.MarkItemRunning(index, lParam == 1 ? kCommandBounceHops : 0);
  }
  return 0;
}

}  // namespace orvane
