#pragma once
// DockWindow: the hub of the program. It owns the dock's two windows, the
// composition host and every surface and service, wires them together and
// applies configuration changes with the least work.
//
// The render window "OrvaneRenderWindow" carries the dock's visuals, never
// takes input and is the program's message window (timers, hotkeys, the
// tracker's and the shell's notifications). The input window
// "OrvaneInputWindow" draws nothing: it follows the dock's area and turns
// mouse messages, file drags and the command message into calls on the
// portable DockController, which decides everything.
//
// Surfaces that are not part of the program yet (menus, popups, menu bar,
// control center, launcher grid, overview, stage manager, notification
// center, widgets, settings, taskbar controller, status-area icon) attach
// through DockController::hooks and the seams marked below.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "config/DockConfig.h"
#include "dock/DockController.h"
#include "dock/DockHub.h"
#include "dock/DockItemServices.h"
#include "dock/win32/DockDropTarget.h"
#include "dock/win32/Win32DockPlatform.h"
#include "platform/DisplayService.h"
#include "platform/win32/Win32DisplayPlatform.h"
#include "render/Theme.h"
#include "render/win32/CompositionHost.h"
#include "render/win32/GraphicsDevice.h"
#include "system/HotkeyManager.h"
#include "system/HttpClient.h"
#include "system/Launcher.h"
#include "system/MediaSession.h"
#include "system/WeatherService.h"
#include "system/WindowTracker.h"
#include "system/win32/Win32HotkeyPlatform.h"
#include "system/win32/Win32LaunchPlatform.h"
#include "system/win32/Win32SystemControls.h"
#include "system/win32/Win32WindowSystem.h"

namespace orvane {

class DockWindow final : private DockHubPlatform {
 public:
  DockWindow();
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

  HWND renderWindow() const { return renderWindow_; }
  HWND inputWindow() const { return inputWindow_; }

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
  void SaveConfig(const DockConfig& config) override;
  bool EscapeHeld() override;
  void ReleasePointerCapture() override;

  template <HWND DockWindow::*Window, LRESULT (DockWindow::*Handle)(UINT, WPARAM, LPARAM)>
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleRenderMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleInputMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void RegisterClasses();
  HWND CreateDockWindow(const wchar_t* className, const wchar_t* title, DWORD exStyle);
  HWND InputWindowInsertAfter() const;
  void RegisterRecycleBinNotifications();
  void UnregisterShellNotifications();
  void OnRecycleBinChanged(WPARAM wParam, LPARAM lParam);
  void RegisterExternalDropTarget();
  void RecyclePendingFiles();
  void RecoverDevice();
  Vector2 PointerFromInputClient(LPARAM lParam) const;
  void RequestFrame();

  HINSTANCE instance_ = nullptr;
  Theme theme_;
  std::function<void()> requestFrame_;
  HWND renderWindow_ = nullptr;
  HWND inputWindow_ = nullptr;
  UINT taskbarCreatedMessage_ = 0;
  Win32DisplayPlatform displayPlatform_;
  DisplayService display_{displayPlatform_};
  // The status-area icon attaches here.

  // Torn down in reverse: the compositor before the device it draws with.
  GraphicsDevice graphicsDevice_;
  CompositionHost compositionHost_;

  // Recycle-bin notifications.
  ULONG shellNotifyId_ = 0;
  bool recycleBinFull_ = false;

  Win32WindowSystem windowSystem_;
  WindowTracker tracker_{windowSystem_};
  Win32SystemControlsPlatform systemControls_;
  std::shared_ptr<HttpClient> http_;
  std::unique_ptr<MediaSession> media_;
  std::unique_ptr<WeatherService> weather_;
  Win32LaunchPlatform launchPlatform_;
  std::unique_ptr<Launcher> launcher_;
  // The context menu, settings window, stage manager and switcher, menu
  // bar, control center, window overview, launcher grid, notification
  // center and desktop widgets attach here, before the hotkey manager.
  Win32HotkeyPlatform hotkeyPlatform_;
  HotkeyManager hotkeys_{hotkeyPlatform_};
  ComPtr<DockDropTarget> dropTarget_;

  std::unique_ptr<SystemDockItemServices> itemServices_;
  std::unique_ptr<Win32DockClickPlatform> clickPlatform_;
  std::unique_ptr<DockHub> hub_;
  bool trackingLeave_ = false;
  bool releasingCapture_ = false;
  std::vector<std::vector<std::wstring>> pendingRecycles_;
};

}  // namespace orvane
