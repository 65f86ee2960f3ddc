#pragma once
// The shell: the one owner of the live configuration and the theme, the
// registry of surfaces and of what carries out each command, and the fan-out
// of the hub's events (configuration edits, theme, display and tracker
// changes, the periodic timer, frames, device loss, exit) to every surface.
// The Windows hub creates the services and windows and hands their events
// here; everything that decides lives in this class and is tested with
// fakes. UI thread only.
//
// Adding a surface: build it as a ShellSurface, then register it once,
//   shell.Register(launcherGrid, {ShellCommand::OpenLauncherGrid}, {ShellQuery::LauncherAppCount});
// and its commands, hotkeys, hot corners and lifecycle are wired.

#include <array>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "config/DockConfig.h"
#include "render/Theme.h"
#include "system/HotkeyManager.h"
#include "system/WindowHandle.h"
#include "ui/PopupStack.h"
#include "ui/ShellCommands.h"
#include "ui/ShellSurface.h"

namespace orvane {

// What the shell asks of the desktop: saving, and the system's own
// behaviour for commands no surface carries out.
class ShellPlatform {
 public:
  virtual ~ShellPlatform() = default;
  virtual void SaveConfig(const DockConfig& config) = 0;
  // Opens a folder, a "shell:" location or a file with the system's handler;
  // false when nothing could open it.
  virtual bool OpenWithSystem(const std::wstring& target) = 0;
  // Opens the configuration file in the system's text editor.
  virtual bool EditConfigFile() = 0;
  // Opens the system's quick settings (the flyout of Win+A).
  virtual void OpenQuickSettings() = 0;
};

// The hotkey manager's actions as commands.
ShellCommand CommandForHotkey(HotkeyAction action);

class Shell final : public ShellCommands {
 public:
  using CommandHandler = std::function<void(const ShellCommandArgs&)>;
  using QueryHandler = std::function<std::int64_t()>;

  // `hotkeys` reports its actions here from now on until the shell goes.
  Shell(ShellPlatform& platform, HotkeyManager& hotkeys, const DockConfig& config, const Theme& theme,
        std::function<void()> requestFrame);
  ~Shell() override;
  Shell(const Shell&) = delete;
  Shell& operator=(const Shell&) = delete;

  // --- registration ------------------------------------------------------------------
  // Lifecycle events reach surfaces in registration order; the listed
  // commands and queries go to the surface's Run and Answer.
  void Register(ShellSurface& surface, std::initializer_list<ShellCommand> commands = {},
                std::initializer_list<ShellQuery> queries = {});
  // A command or query carried out by the shell's own services.
  void Handle(ShellCommand command, CommandHandler handler);
  void Answer(ShellQuery query, QueryHandler handler);

  // --- ShellCommands -----------------------------------------------------------------
  bool Run(ShellCommand command, const ShellCommandArgs& args = {}) override;
  bool Handles(ShellCommand command) const override;
  std::int64_t Query(ShellQuery query) override;

  // --- configuration: the one live record and the one way to change it ---------------
  const DockConfig& config() const { return config_; }
  // The live record for the few that write it in place (the dock's item
  // list keeps its pinned items there); they call Save afterwards.
  DockConfig& liveConfig() { return config_; }
  // Applies `edit` to the live record; when anything changed, every surface
  // redoes what depends on it, the hotkeys follow, and with `save` the file
  // is written. Returns whether anything changed.
  bool EditConfig(const std::function<void(DockConfig&)>& edit, bool save);
  void Save();

  // --- events from the hub -------------------------------------------------------------
  // Registrations are complete: claim the hotkeys the surfaces handle.
  void Start();
  void SetTheme(const Theme& theme);  // surfaces hear only of a real change
  const Theme& theme() const { return theme_; }
  void DisplayChanged();
  // The tracker refreshed; `foreground` is the foreground window now. Open
  // popups hear of a changed foreground (one that could not take the
  // foreground closes then).
  void TrackerChanged(WindowHandle foreground = kNoWindow);
  void PeriodicTick();
  bool FrameStep(float dt);
  void DeviceLost();
  void RestoreOnExit();
  void Teardown();
  void RequestFrame();

  // The hot corners look at this monitor (0: the primary one).
  void SetHotCornerMonitor(std::function<MonitorHandle()> monitor) { hotCornerMonitor_ = std::move(monitor); }
  unsigned ticks() const { return ticks_; }
  // What is open; popups register here, and the dock's hover rules read it.
  PopupStack& popups() { return popups_; }

 private:
  void ApplyHotkeys();
  void Fallback(ShellCommand command, const ShellCommandArgs& args);

  ShellPlatform& platform_;
  HotkeyManager& hotkeys_;
  DockConfig config_;
  Theme theme_;
  std::function<void()> requestFrame_;
  std::function<MonitorHandle()> hotCornerMonitor_;
  PopupStack popups_{[this] { RequestFrame(); }};
  WindowHandle foreground_ = kNoWindow;
  std::vector<ShellSurface*> surfaces_;
  std::array<CommandHandler, kShellCommandCount> commands_{};
  std::array<QueryHandler, kShellQueryCount> queries_{};
  std::array<bool, kShellCommandCount> fallbackLogged_{};
  unsigned ticks_ = 0;
  bool tornDown_ = false;
};

}  // namespace orvane
