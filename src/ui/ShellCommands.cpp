#include "ui/ShellCommands.h"

namespace orvane {

const char* ShellCommandName(ShellCommand command) {
  switch (command) {
    case ShellCommand::OpenLauncherGrid: return "launcher grid";
    case ShellCommand::OpenWindowOverview: return "window overview";
    case ShellCommand::OpenControlCenter: return "control center";
    case ShellCommand::ToggleNotificationCenter: return "notification center";
    case ShellCommand::ToggleStageManager: return "stage manager";
    case ShellCommand::ToggleDesktopWidgets: return "desktop widgets";
    case ShellCommand::ToggleTaskbar: return "taskbar";
    case ShellCommand::OpenSettings: return "settings";
    case ShellCommand::OpenMusicPopup: return "music popup";
    case ShellCommand::ToggleTrayPopup: return "tray popup";
    case ShellCommand::OpenPowerMenu: return "power menu";
    case ShellCommand::OpenStack: return "stack popup";
    case ShellCommand::OpenItemMenu: return "item menu";
    case ShellCommand::OpenDockMenu: return "dock menu";
    case ShellCommand::OpenStageSwitcher: return "stage switcher";
    case ShellCommand::SwitcherNext: return "switcher next";
    case ShellCommand::SwitcherPrevious: return "switcher previous";
    case ShellCommand::SwitcherCommit: return "switcher commit";
    case ShellCommand::MediaTogglePlayPause: return "play/pause";
    case ShellCommand::DockPressed: return "dock pressed";
    case ShellCommand::DockDragStarted: return "dock drag";
    case ShellCommand::Quit: return "quit";
  }
  return "unknown";
}

}  // namespace orvane
