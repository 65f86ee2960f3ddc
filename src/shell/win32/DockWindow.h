#pragma once
// DockWindow: the hub of the program on Windows, its composition root. It
// creates the graphics device, the composition host, the services and the
// portable Shell, registers every surface with the shell once, and turns the
// program's window messages into the shell's events and commands.
//
// The render window "OrvaneRenderWindow" carries the dock's visuals, never
// takes input and is the program's message window (timers, hotkeys, the
// tracker's and the shell's notifications). The input window
// "OrvaneInputWindow" draws nothing: it follows the dock's area and turns
// mouse messages, file drags and the command message into calls on the
// portable DockController, which decides everything.

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "config/DockConfig.h"
#include "dock/DockController.h"
#include "dock/DockHub.h"
#include "dock/DockItemServices.h"
#include "dock/DockMenuHost.h"
#include "dock/DockMenus.h"
#include "dock/win32/DockDropTarget.h"
#include "dock/win32/Win32DockMenuPlatform.h"
#include "dock/win32/Win32DockPlatform.h"
#include "platform/DisplayService.h"
#include "platform/win32/SurfaceWindowWin32.h"
#include "platform/win32/Win32DisplayPlatform.h"
#include "render/TextMeasurer.h"
#include "render/Theme.h"
#include "render/win32/CompositionHost.h"
#include "render/win32/GraphicsDevice.h"
#include "shell/Shell.h"
#include "shell/win32/StatusAreaIcon.h"
#include "system/AppBar.h"
#include "system/BrightnessWheel.h"
#include "system/CivilClock.h"
#include "system/HotkeyManager.h"
#include "system/HttpClient.h"
#include "system/IconService.h"
#include "system/Launcher.h"
#include "system/MediaSession.h"
#include "system/WeatherService.h"
#include "system/SystemStats.h"
#include "system/WindowTracker.h"
#include "system/notifications/NotificationFeed.h"
#include "system/win32/Win32AppBarPlatform.h"
#include "system/win32/Win32HotkeyPlatform.h"
#include "system/win32/Win32LaunchPlatform.h"
#include "system/win32/Win32SystemControls.h"
#include "system/win32/Win32SystemStatsSource.h"
#include "system/win32/Win32WindowSystem.h"
#include "ui/menu/ContextMenuSurface.h"
#include "ui/menubar/MenuBarMenus.h"
#include "ui/menubar/MenuBarSurface.h"
#include "ui/menubar/win32/Win32MenuBarMenuPlatform.h"
#include "ui/menu/win32/Win32MenuPlatform.h"
#include "ui/notifications/FeedNotificationList.h"
#include "ui/notifications/NotificationCenterSurface.h"

namespace orvane {

class DockWindow final : private DockHubPlatform, private ShellPlatform {
 public:
  DockWindow() = default;
  // Tears down in order: registrations and hooks first, then the windows,
  // then the members in reverse.
  ~DockWindow() override;
  DockWindow(const DockWindow&) = delete;
  DockWindow& operator=(const DockWindow&) = delete;

  // Creates the windows, the composition tree and the services and starts
  // them. requestFrame only sets the loop's frames-requested flag; anything
  // that starts an animation calls it. Throws when a window cannot be made.
  void Create(HINSTANCE instance, const DockConfig& config, std::function<void()> requestFrame);

  // Advances animations by dt seconds; true while frames are still wanted.
  bool FrameStep(float dt);

  HWND renderWindow() const { return renderSurface_.Window(); }
  HWND inputWindow() const { return inputSurface_.Window(); }

  static constexpr const wchar_t* kRenderWindowClass = L"OrvaneRenderWindow";
  static constexpr const wchar_t* kRenderWindowTitle = L"Orvane";
  static constexpr const wchar_t* kInputWindowClass = L"OrvaneInputWindow";
  static constexpr const wchar_t* kInputWindowTitle = L"OrvaneInput";

 private:
  // DockHubPlatform
  DockMonitorInfo DescribeMonitor(MonitorHandle monitor) override;
  MonitorHandle MonitorUnderPointer() override;
  void PlaceRenderWindow(const ScreenRect& rect) override;
  void PlaceInputWindow(const ScreenRect& rect) override;
  std::unique_ptr<DockHideProbe> CreateHideProbe(const DockMonitorInfo& monitor, const ScreenRect& dockRect) override;
  bool EscapeHeld() override;
  void ReleasePointerCapture() override;

  // ShellPlatform
  void SaveConfig(const DockConfig& config) override;
  bool OpenWithSystem(const std::wstring& target) override;
  bool EditConfigFile() override;
  void OpenQuickSettings() override;

  // The render window is the program's message window: timers, hotkeys,
  // the tracker's and the shell's notifications, display and theme changes.
  class RenderEvents final : public SurfaceWindowDelegate {
   public:
    explicit RenderEvents(DockWindow& owner) : owner_(owner) {}
    void OnDisplayChanged() override;
    void OnDpiChanged(float scale, const SurfaceRect& suggested) override;
    void OnCloseRequested() override;
    std::optional<std::intptr_t> OnRawMessage(std::uint32_t message, std::uintptr_t wParam,
                                              std::intptr_t lParam) override;

   private:
    DockWindow& owner_;
  };
  // The input window: the mouse over the dock and the command message.
  class InputEvents final : public SurfaceWindowDelegate {
   public:
    explicit InputEvents(DockWindow& owner) : owner_(owner) {}
    void OnPointerMove(const SurfacePointer& pointer) override;
    void OnPointerLeave() override;
    void OnButtonDown(PointerButton button, const SurfacePointer& pointer) override;
    void OnButtonUp(PointerButton button, const SurfacePointer& pointer) override;
    void OnCaptureLost() override;
    std::optional<std::intptr_t> OnRawMessage(std::uint32_t message, std::uintptr_t wParam,
                                              std::intptr_t lParam) override;

   private:
    Vector2 Dips(const SurfacePointer& pointer) const;
    DockWindow& owner_;
  };

  void OnDestroy();
  HWND InputWindowInsertAfter() const;
  void RegisterRecycleBinNotifications();
  void UnregisterShellNotifications();
  void OnRecycleBinChanged(WPARAM wParam, LPARAM lParam);
  void RegisterExternalDropTarget();
  void RecyclePendingFiles();
  void RecoverDevice();
  // The menu window, the dock's menus and the status-area icon.
  void CreateMenus();
  bool ShowMenu(ShellAnchor at, std::vector<MenuItem> items, std::function<void(int)> choice);
  void OnStatusIcon(LPARAM lParam);
  // The notification feed, the panel and the banners.
  void CreateNotifications();
  // The menu bar and its menus (after the first frame: the user's picture
  // is read from disk).
  void CreateMenuBar();
  void OpenMenuBarMenu(MenuBarItemKind menu, ShellAnchor at);
  bool FullScreenOnDockMonitor();
  PopupMonitor DockPopupMonitor() const;
  // The tracker's list again, and every surface told.
  void RefreshTracker();
  void RequestFrame();

  HINSTANCE instance_ = nullptr;
  std::function<void()> requestFrame_;
  // The delegates outlive their windows.
  RenderEvents renderEvents_{*this};
  InputEvents inputEvents_{*this};
  SurfaceWindowWin32 renderSurface_;
  SurfaceWindowWin32 inputSurface_;
  Win32DisplayPlatform displayPlatform_;
  DisplayService display_{displayPlatform_};

  // Torn down in reverse: the compositor before the device it draws with.
  GraphicsDevice graphicsDevice_;
  CompositionHost compositionHost_;

  // Recycle-bin notifications.
  ULONG shellNotifyId_ = 0;
  bool recycleBinFull_ = false;
  bool firstFrameLogged_ = false;
  std::uint64_t frameSteps_ = 0;

  Win32WindowSystem windowSystem_;
  WindowTracker tracker_{windowSystem_};
  Win32SystemControlsPlatform systemControls_;
  std::shared_ptr<HttpClient> http_;
  std::unique_ptr<IconService> icons_;
  std::unique_ptr<MediaSession> media_;
  std::unique_ptr<WeatherService> weather_;
  Win32LaunchPlatform launchPlatform_;
  std::unique_ptr<Launcher> launcher_;
  Win32HotkeyPlatform hotkeyPlatform_;
  HotkeyManager hotkeys_{hotkeyPlatform_};
  ComPtr<DockDropTarget> dropTarget_;

  // The shell outlives the surfaces registered with it.
  std::unique_ptr<Shell> shell_;
  std::unique_ptr<SystemDockItemServices> itemServices_;
  std::unique_ptr<Win32DockClickPlatform> clickPlatform_;
  std::unique_ptr<DockHub> hub_;
  // The one menu window and the dock's menus on it.
  std::unique_ptr<TextMeasurer> textMeasurer_;
  std::unique_ptr<ContextMenuSurface> contextMenu_;
  std::unique_ptr<Win32MenuPlatform> menuSystem_;
  std::unique_ptr<Win32DockMenuPlatform> menuPlatform_;
  std::unique_ptr<DockMenuActions> menuActions_;
  std::unique_ptr<DockMenuHost> menuHost_;
  // The notification feed and its surface.
  std::shared_ptr<const CivilClock> clock_;
  Win32SystemStatsSource statsSource_;
  SystemStats stats_{statsSource_};
  std::unique_ptr<NotificationFeed> notificationFeed_;
  std::unique_ptr<FeedNotificationList> notificationList_;
  std::unique_ptr<NotificationCenterSurface> notificationCenter_;
  // The menu bar, its strip of the work area, its menus and the brightness
  // steps of its wheel.
  Win32AppBarPlatform appBarPlatform_;
  std::unique_ptr<AppBar> menuBarAppBar_;
  std::unique_ptr<BrightnessWheel> brightness_;
  std::unique_ptr<MenuBarSurface> menuBar_;
  std::unique_ptr<Win32MenuBarMenuPlatform> menuBarPlatform_;
  std::unique_ptr<MenuBarMenuActions> menuBarActions_;
  std::wstring userName_;
  StatusAreaIcon statusIcon_;
  UINT taskbarCreatedMessage_ = 0;
  std::vector<std::vector<std::wstring>> pendingRecycles_;
};

}  // namespace orvane
