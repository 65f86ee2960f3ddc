#include "dock/DockCommand.h"

namespace orvane {

std::int64_t DispatchDockCommand(DockCommandTarget& target, std::span<const std::unique_ptr<DockItem>> items,
                                 std::uint64_t wParam, std::int64_t lParam) {
  const auto first = static_cast<std::int64_t>(DockCommand::OpenControlCenterPage1);
  if (lParam >= first && lParam <= static_cast<std::int64_t>(DockCommand::OpenControlCenterPage4)) {
    target.OpenControlCenter(static_cast<int>(lParam - first + 1));
    return 0;
  }
  switch (static_cast<DockCommand>(lParam)) {
    case DockCommand::OpenSettings: target.OpenSettings(); return 0;
    case DockCommand::OpenControlCenter: target.OpenControlCenter(0); return 0;
    case DockCommand::ToggleNotificationCenter: target.ToggleNotificationCenter(); return 0;
    case DockCommand::OpenWindowOverview: target.OpenWindowOverview(); return 0;
    case DockCommand::OpenLauncherGrid: target.OpenLauncherGrid(); return 0;
    case DockCommand::ToggleStageManager: target.ToggleStageManager(); return 0;
    case DockCommand::OpenMusicPopup: target.OpenMusicPopup(); return 0;
    case DockCommand::ToggleTrayPopup: target.ToggleTrayPopup(); return 0;
    case DockCommand::OpenStageSwitcher: target.OpenStageSwitcher(); return 0;
    case DockCommand::ToggleDesktopWidgets: target.ToggleDesktopWidgets(); return 0;
    case DockCommand::QueryUserPicture: return target.HasUserPicture() ? 1 : 0;
    case DockCommand::QueryLauncherAppCount: return target.LauncherAppCount();
    case DockCommand::QueryDesktopWidgetCount: return target.DesktopWidgetCount();
    default: break;
  }

  // The sender may be any process: wParam is untrusted.
  if (wParam >= items.size() || !items[wParam] || items[wParam]->kind == DockItemKind::Separator) return 0;
  const int index = static_cast<int>(wParam);
  if (lParam == static_cast<std::int64_t>(DockCommand::OpenItemMenu)) {
    target.OpenItemMenu(index);
  } else {
    target.MarkItemRunning(index, lParam == 1 ? kCommandBounceHops : 0);
  }
  return 0;
}

}  // namespace orvane
