#include "shell/Shell.h"

#include <algorithm>

#include "app/Log.h"

namespace orvane {

// The shell folder that shows the system's task view.
constexpr const wchar_t* kSystemTaskView = L"shell:::{3080F90E-D7AD-11D9-BD98-0000947B0257}";

ShellCommand CommandForHotkey(HotkeyAction action) {
  switch (action) {
    case HotkeyAction::ToggleLauncher: return ShellCommand::OpenLauncherGrid;
    case HotkeyAction::ShowOverview: return ShellCommand::OpenWindowOverview;
    case HotkeyAction::ToggleStageManager: return ShellCommand::ToggleStageManager;
    case HotkeyAction::ToggleControlCenter: return ShellCommand::OpenControlCenter;
    case HotkeyAction::ToggleNotificationCenter: return ShellCommand::ToggleNotificationCenter;
    case HotkeyAction::ToggleTaskbar: return ShellCommand::ToggleTaskbar;
    case HotkeyAction::SwitcherNext: return ShellCommand::SwitcherNext;
    case HotkeyAction::SwitcherPrevious: return ShellCommand::SwitcherPrevious;
    case HotkeyAction::SwitcherCommit: return ShellCommand::SwitcherCommit;
  }
  return ShellCommand::OpenLauncherGrid;
}

namespace {

bool HotkeySettingsDiffer(const DockConfig& a, const DockConfig& b) {
  return a.enableGlobalHotkeys != b.enableGlobalHotkeys || a.enableHotCorners != b.enableHotCorners ||
         a.replaceAltTabWithStage != b.replaceAltTabWithStage || a.stageSwitcherHotkey != b.stageSwitcherHotkey;
}

}  // namespace

Shell::Shell(ShellPlatform& platform, HotkeyManager& hotkeys, const DockConfig& config, const Theme& theme,
             std::function<void()> requestFrame)
    : platform_(platform), hotkeys_(hotkeys), config_(config), theme_(theme), requestFrame_(std::move(requestFrame)) {
  hotkeys_.SetActionCallback([this](HotkeyAction action) {
    ShellCommandArgs args;
    Run(CommandForHotkey(action), args);
  });
  hotkeys_.SetClaimPredicate([this](HotkeyAction action) { return Handles(CommandForHotkey(action)); });
  // The two feature switches are settings: flipping one is a configuration
  // edit the surfaces that show it follow.
  Handle(ShellCommand::ToggleStageManager, [this](const ShellCommandArgs&) {
    EditConfig([](DockConfig& c) { c.stageManagerEnabled = !c.stageManagerEnabled; }, true);
  });
  Handle(ShellCommand::ToggleDesktopWidgets, [this](const ShellCommandArgs&) {
    EditConfig([](DockConfig& c) { c.desktopWidgetsEnabled = !c.desktopWidgetsEnabled; }, true);
  });
  // A press on the dock closes what stands over it or was opened from it;
  // a drag over it closes the hover popups, and an item drag the menus too.
  Handle(ShellCommand::DockPressed, [this](const ShellCommandArgs&) {
    popups_.Broadcast(PopupEvent::DockPress);
    for (PopupKind kind : {PopupKind::ContextMenu, PopupKind::WindowPreview, PopupKind::Tray, PopupKind::Stack}) {
      popups_.Close(kind);
    }
  });
  Handle(ShellCommand::DockDragStarted, [this](const ShellCommandArgs& args) {
    popups_.Close(PopupKind::WindowPreview);
    popups_.Close(PopupKind::Music);
    if (!args.flag) return;
    for (PopupKind kind : {PopupKind::Tray, PopupKind::Stack, PopupKind::ContextMenu}) popups_.Close(kind);
  });
}

Shell::~Shell() {
  hotkeys_.SetActionCallback(nullptr);
  hotkeys_.SetClaimPredicate(nullptr);
}

// --- registration ---------------------------------------------------------------------

void Shell::Register(ShellSurface& surface, std::initializer_list<ShellCommand> commands,
                     std::initializer_list<ShellQuery> queries) {
  surfaces_.push_back(&surface);
  for (ShellCommand command : commands) {
    commands_[static_cast<std::size_t>(command)] = [&surface, command](const ShellCommandArgs& args) {
      surface.Run(command, args);
    };
  }
  for (ShellQuery query : queries) {
    queries_[static_cast<std::size_t>(query)] = [&surface, query] { return surface.Answer(query); };
  }
}

void Shell::Handle(ShellCommand command, CommandHandler handler) {
  commands_[static_cast<std::size_t>(command)] = std::move(handler);
}

void Shell::Answer(ShellQuery query, QueryHandler handler) {
  queries_[static_cast<std::size_t>(query)] = std::move(handler);
}

// --- commands ---------------------------------------------------------------------------

bool Shell::Handles(ShellCommand command) const {
  return static_cast<bool>(commands_[static_cast<std::size_t>(command)]);
}

bool Shell::Run(ShellCommand command, const ShellCommandArgs& args) {
  if (tornDown_) return false;
  // Copied: a handler may register another one for the same command.
  const CommandHandler handler = commands_[static_cast<std::size_t>(command)];
  if (handler) {
    handler(args);
    return true;
  }
  Fallback(command, args);
  return false;
}

void Shell::Fallback(ShellCommand command, const ShellCommandArgs& args) {
  const bool first = !fallbackLogged_[static_cast<std::size_t>(command)];
  fallbackLogged_[static_cast<std::size_t>(command)] = true;
  switch (command) {
    case ShellCommand::OpenStack:
      if (first) Log(L"Shell: no stack popup; folders open in Explorer");
      if (!args.path.empty()) platform_.OpenWithSystem(args.path);
      return;
    case ShellCommand::OpenLauncherGrid:
      if (first) Log(L"Shell: no launcher grid; the system's application list opens instead");
      platform_.OpenWithSystem(L"shell:AppsFolder");
      return;
    case ShellCommand::OpenSettings:
      if (first) Log(L"Shell: no settings window; config.json opens in the editor instead");
      platform_.EditConfigFile();
      return;
    case ShellCommand::OpenControlCenter: {
      // The system's own page for what the control center's page would show.
      static const wchar_t* const kPages[] = {nullptr, L"ms-settings:network-wifi", L"ms-settings:bluetooth",
                                              L"ms-settings:display", L"ms-settings:sound"};
      if (first) Log(L"Shell: no control center; the system's settings open instead");
      if (args.page >= 1 && args.page <= 4) {
        platform_.OpenWithSystem(kPages[args.page]);
      } else {
        platform_.OpenQuickSettings();
      }
      return;
    }
    case ShellCommand::ToggleTrayPopup:
      if (first) Log(L"Shell: no tray popup; the system's quick settings open instead");
      platform_.OpenQuickSettings();
      return;
    case ShellCommand::OpenWindowOverview:
      if (first) Log(L"Shell: no window overview; the system's task view opens instead");
      platform_.OpenWithSystem(kSystemTaskView);
      return;
    case ShellCommand::ToggleTaskbar:
      if (first) Log(L"Shell: no taskbar control; the system's taskbar settings open instead");
      platform_.OpenWithSystem(L"ms-settings:taskbar");
      return;
    default:
      if (first) Log(L"Shell: nothing carries out the %S command", ShellCommandName(command));
      return;
  }
}

std::int64_t Shell::Query(ShellQuery query) {
  const QueryHandler& handler = queries_[static_cast<std::size_t>(query)];
  return handler && !tornDown_ ? handler() : 0;
}

// --- configuration ------------------------------------------------------------------------

bool Shell::EditConfig(const std::function<void(DockConfig&)>& edit, bool save) {
  const DockConfig before = config_;
  edit(config_);
  if (config_ == before) return false;
  for (ShellSurface* surface : surfaces_) surface->ConfigurationChanged(before);
  if (HotkeySettingsDiffer(before, config_)) ApplyHotkeys();
  if (save) Save();
  RequestFrame();
  return true;
}

void Shell::Save() { platform_.SaveConfig(config_); }

void Shell::ApplyHotkeys() {
  hotkeys_.ApplyConfiguration(config_.enableGlobalHotkeys, config_.enableHotCorners, config_.replaceAltTabWithStage,
                              config_.stageSwitcherHotkey);
}

// --- events ---------------------------------------------------------------------------------

void Shell::Start() {
  ApplyHotkeys();
  RequestFrame();
}

void Shell::SetTheme(const Theme& theme) {
  if (theme == theme_) return;
  theme_ = theme;
  for (ShellSurface* surface : surfaces_) surface->ThemeChanged(theme_);
  RequestFrame();
}

void Shell::DisplayChanged() {
  for (ShellSurface* surface : surfaces_) surface->DisplayChanged();
  RequestFrame();
}

void Shell::TrackerChanged(WindowHandle foreground) {
  if (foreground != foreground_) {
    foreground_ = foreground;
    popups_.Broadcast(PopupEvent::ForegroundChanged);
  }
  for (ShellSurface* surface : surfaces_) surface->TrackerChanged();
}

void Shell::PeriodicTick() {
  ++ticks_;
  for (ShellSurface* surface : surfaces_) surface->PeriodicTick(ticks_);
  hotkeys_.HotCornerTick(hotCornerMonitor_ ? hotCornerMonitor_() : 0);
}

bool Shell::FrameStep(float dt) {
  bool more = false;
  for (ShellSurface* surface : surfaces_) more |= surface->FrameStep(dt);
  return more;
}

void Shell::DeviceLost() {
  for (ShellSurface* surface : surfaces_) surface->DeviceLost();
  RequestFrame();
}

void Shell::RestoreOnExit() {
  for (auto it = surfaces_.rbegin(); it != surfaces_.rend(); ++it) (*it)->RestoreOnExit();
}

void Shell::Teardown() {
  if (tornDown_) return;
  tornDown_ = true;
  hotkeys_.ConfigureSwitcher(false, kSwitcherChoiceAltTab);
  for (auto it = surfaces_.rbegin(); it != surfaces_.rend(); ++it) (*it)->Teardown();
  hotkeys_.UnregisterAll();
}

void Shell::RequestFrame() {
  if (requestFrame_) requestFrame_();
}

}  // namespace orvane
