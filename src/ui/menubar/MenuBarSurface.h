#pragma once
// The menu bar ("OrvaneMenuBar"): a glass strip across the top of the
// dock's monitor that never takes the focus. It lays out and draws the
// model, samples the status every eight ticks (about two seconds), opens
// the menus and the other surfaces from its slots, turns the wheel over the
// speaker and the sun into volume and brightness steps, reserves its strip
// of the work area when asked and keeps out of the way of full-screen
// programs.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "config/DockConfig.h"
#include "platform/ScreenTypes.h"
#include "platform/SurfaceWindow.h"
#include "render/Composition.h"
#include "render/GlassSurfaceWindow.h"
#include "render/TextMeasurer.h"
#include "render/Theme.h"
#include "system/CivilClock.h"
#include "system/IconImage.h"
#include "system/SystemControls.h"
#include "ui/ShellCommands.h"
#include "ui/ShellSurface.h"
#include "ui/menubar/MenuBarModel.h"

namespace orvane {

inline constexpr wchar_t kMenuBarClass[] = L"OrvaneMenuBar";
inline constexpr wchar_t kMenuBarTitle[] = L"OrvaneMenuBar";

// The monitor the bar stands on.
struct MenuBarMonitor {
  MonitorHandle handle = 0;
  ScreenRect bounds;  // the whole monitor, physical pixels
  float scale = 1;
};

// What the application-bar protocol reports to the bar.
struct MenuBarAppBarEvent {
  std::optional<ScreenRect> granted;       // the shell moved the reserved strip
  std::optional<bool> fullScreenProgram;   // a full-screen program opened or closed
};

struct MenuBarDeps {
  const CivilClock* clock = nullptr;
  TextMeasurer* measurer = nullptr;
  std::wstring userName;
  IconImage avatar;
  std::function<MenuBarMonitor()> monitor;
  std::function<std::wstring()> frontmostAppName;
  std::function<std::size_t()> unreadCount;
  std::function<bool()> online;
  std::function<bool(float& volume, bool& muted)> readVolume;
  std::function<void(float delta)> changeVolume;
  std::function<void(bool muted)> setMute;
  std::function<BatteryStatus()> battery;
  // A full-screen program runs on the bar's monitor (asked on its own).
  std::function<bool()> fullScreen;
  // Work-area reservation: the strip the shell granted (nullopt when the
  // registration failed); release; the protocol's notifications.
  std::function<std::optional<ScreenRect>(std::uintptr_t window, const ScreenRect& strip)> reserve;
  std::function<void()> release;
  std::function<MenuBarAppBarEvent(std::uintptr_t wParam, std::intptr_t lParam)> appBarNotify;
  // One brightness step on the monitor, carried out off the UI thread.
  std::function<void(MonitorHandle monitor, float delta)> brightnessStep;
  // Opens the menu of a slot (user, application, window, go) at the anchor.
  std::function<void(MenuBarItemKind menu, ShellAnchor at)> openMenu;
  std::function<bool(const std::wstring& target)> launch;
};

class MenuBarSurface final : public ShellSurface, private SurfaceWindowDelegate {
 public:
  MenuBarSurface(Compositor& compositor, std::unique_ptr<SurfaceWindow> window, const DockConfig& config,
                 const Theme& theme, ShellCommands& commands, MenuBarDeps deps);
  ~MenuBarSurface() override;
  MenuBarSurface(const MenuBarSurface&) = delete;
  MenuBarSurface& operator=(const MenuBarSurface&) = delete;

  // Creates the hidden window, then shows it as the configuration says.
  void Create();
  // Shows, places and reserves, or hides, as the configuration says.
  void Configure();
  // Samples the clock, connectivity, volume, battery and unread count and
  // draws again when they changed.
  void RefreshStatus();
  // The frontmost application may have changed.
  void FollowFrontmostApp();

  bool visible() const { return visible_; }
  const MenuBarModel& model() const { return model_; }
  SurfaceWindow& window() { return *window_; }
  // Where a slot's menu or popup is anchored: below the middle of its slot.
  ShellAnchor AnchorOf(const MenuBarItem& item) const;

  // ShellSurface
  void ConfigurationChanged(const DockConfig& before) override;
  void ThemeChanged(const Theme& theme) override;
  void DisplayChanged() override { Configure(); }
  void TrackerChanged() override;
  void PeriodicTick(unsigned tick) override;
  void DeviceLost() override;
  void RestoreOnExit() override;
  void Teardown() override;

 private:
  // SurfaceWindowDelegate
  void OnPointerMove(const SurfacePointer& pointer) override;
  void OnPointerLeave() override;
  int HitTarget(SurfacePoint client) override;
  void OnClick(PointerButton button, int target, const SurfacePointer& pointer) override;
  void OnWheel(WheelAxis axis, int notches, const SurfacePointer& pointer) override;
  void OnRedraw() override { Draw(); }
  void OnDisplayChanged() override { Configure(); }
  std::optional<std::intptr_t> OnRawMessage(std::uint32_t message, std::uintptr_t wParam,
                                            std::intptr_t lParam) override;

  float Dip(const SurfacePointer& pointer) const;
  void Click(const MenuBarItem& item, bool right);
  void Draw();
  void Place(const ScreenRect& rect);
  void ConfigureGlass();
  void Reserve();
  void Unreserve();
  void FollowFullScreen();
  void ApplyFullScreen(bool fullScreen);

  Compositor& compositor_;
  std::unique_ptr<SurfaceWindow> window_;
  const DockConfig& config_;
  Theme theme_;
  ShellCommands& commands_;
  MenuBarDeps deps_;
  GlassSurfaceWindow glass_;
  MenuBarModel model_;
  bool visible_ = false;
  bool reserved_ = false;
  bool hiddenForFullScreen_ = false;
  MenuBarMonitor monitor_;
  ScreenRect rect_;
};

}  // namespace orvane
