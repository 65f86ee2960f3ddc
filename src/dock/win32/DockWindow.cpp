#include "dock/win32/DockWindow.h"

#include <dwmapi.h>
#include <shlobj.h>

#include <stdexcept>

#include "app/Log.h"
#include "app/TextUtil.h"
#include "app/win32/HResult.h"
#include "app/win32/KnownFolder.h"
#include "config/ConfigFile.h"
#include "dock/DockSettingsDiff.h"
#include "render/DeviceRecovery.h"
#include "render/win32/HostBackdrop.h"
#include "system/IconExtractor.h"
#include "system/IconSources.h"
#include "system/SystemControls.h"
#include "system/TrackerEvents.h"
#include "system/win32/RecycleFiles.h"
#include "system/win32/Win32WeatherService.h"
#include "system/win32/WinHttpClient.h"
#include "system/win32/WinMediaSessionSource.h"

namespace orvane {
namespace {

// Private messages and timers of the render window.
constexpr UINT kRecycleBinChangedMessage = WM_APP + 2;
constexpr UINT kRecycleDroppedMessage = WM_APP + 11;  // files dropped on the bin, recycled after the drop
constexpr UINT_PTR kTrackerTimer = 1;
constexpr UINT kTrackerDelayMs = 45;
constexpr UINT_PTR kPeriodicTimer = 2;
constexpr UINT kPeriodicMs = 260;

constexpr DWORD kRenderExStyle = WS_EX_NOACTIVATE | WS_EX_NOREDIRECTIONBITMAP | WS_EX_LAYERED | WS_EX_TOOLWINDOW |
                                 WS_EX_TRANSPARENT | WS_EX_TOPMOST;
constexpr DWORD kInputExStyle = WS_EX_NOACTIVATE | WS_EX_NOREDIRECTIONBITMAP | WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
static_assert(kRenderExStyle == 0x082800A8 && kInputExStyle == 0x08200088);

// SHChangeNotifyRegister: interrupt and shell level, new delivery; all events.
constexpr int kShellNotifySources = SHCNRF_InterruptLevel | SHCNRF_ShellLevel | SHCNRF_NewDelivery;
constexpr LONG kAllShellEvents = 0x7FFFFFFF;

// Test hook for the start-up failure path: with ORVANE_TEST_FAIL_AFTER_WINDOW
// set to "exception" or "hresult", Create throws once the render window
// exists, exactly where a real failure of a later member would.
void FailForTestIfAsked() {
  const auto mode = GetEnvironment(L"ORVANE_TEST_FAIL_AFTER_WINDOW");
  if (!mode || mode->empty()) return;
  if (*mode == L"hresult") ThrowHResult(E_ACCESSDENIED);
  throw std::runtime_error("Test failure after the render window was created");
}

std::wstring DownloadsFolder() { return KnownFolderPath(FOLDERID_Downloads); }

bool RectsDiffer(const ScreenRect& a, const ScreenRect& b) { return !(a == b); }

}  // namespace

DockWindow::DockWindow() { taskbarCreatedMessage_ = RegisterWindowMessageW(L"TaskbarCreated"); }

DockWindow::~DockWindow() {
  Log(L"DockWindow: teardown begins");
  // Registrations and hooks that reach into this object go first.
  hotkeys_.ConfigureSwitcher(false, kSwitcherChoiceAltTab);
  tracker_.Uninstall();
  UnregisterShellNotifications();
  // The stage manager's windows, the menu bar and the taskbar are restored here.
  if (inputWindow_ != nullptr && dropTarget_) RevokeDragDrop(inputWindow_);
  dropTarget_ = nullptr;
  // The status-area icon is removed here.
  if (inputWindow_ != nullptr) DestroyWindow(inputWindow_);
  if (renderWindow_ != nullptr) DestroyWindow(renderWindow_);
  // The dragged item, the item list and the dock's layers, then the services.
  dock_.reset();
  clickPlatform_.reset();
  itemServices_.reset();
  hotkeys_.UnregisterAll();
  if (media_) media_->Stop();
  media_.reset();
  weather_.reset();
  Log(L"DockWindow: teardown complete");
}

// --- creation -----------------------------------------------------------------------------

void DockWindow::RegisterClasses() {
  const struct {
    const wchar_t* name;
    WNDPROC proc;
  } classes[] = {{kRenderWindowClass, &DockWindow::RenderWindowProc}, {kInputWindowClass, &DockWindow::InputWindowProc}};
  for (const auto& c : classes) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = c.proc;
    wc.hInstance = instance_;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(101));
    wc.lpszClassName = c.name;
    if (RegisterClassExW(&wc) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) ThrowLastError();
  }
}

HWND DockWindow::CreateDockWindow(const wchar_t* className, const wchar_t* title, DWORD exStyle) {
  HWND window = CreateWindowExW(exStyle, className, title, WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, instance_, this);
  if (window == nullptr) ThrowLastError();
  return window;
}

void DockWindow::Create(HINSTANCE instance, const DockConfig& config, std::function<void()> requestFrame) {
  instance_ = instance;
  config_ = config;
  requestFrame_ = std::move(requestFrame);
  theme_ = ReadTheme();

  RegisterClasses();
  renderWindow_ = CreateDockWindow(kRenderWindowClass, kRenderWindowTitle, kRenderExStyle);
  inputWindow_ = CreateDockWindow(kInputWindowClass, kInputWindowTitle, kInputExStyle);
  FailForTestIfAsked();

  // The services the dock's items and clicks stand on.
  http_ = std::make_shared<WinHttpClient>();
  launcher_ = std::make_unique<Launcher>(launchPlatform_, windowSystem_, PlatformIconSources());
  DockItemHooks itemHooks;
  itemHooks.downloadsFolder = &DownloadsFolder;
  itemServices_ = std::make_unique<SystemDockItemServices>(tracker_, windowSystem_, PlatformIconSources(),
                                                           PlatformIconExtractor(), std::move(itemHooks));
  clickPlatform_ = std::make_unique<Win32DockClickPlatform>(
      *launcher_, windowSystem_, [this](std::vector<std::wstring> paths) {
        pendingRecycles_.push_back(std::move(paths));
        PostMessageW(renderWindow_, kRecycleDroppedMessage, 0, 0);
      });
  dock_ = std::make_unique<DockController>(config_, *itemServices_, *clickPlatform_, [this] { RequestFrame(); });

  EnableHostBackdrop(renderWindow_);
  monitor_ = PrimaryDockMonitor(renderWindow_);
  dock_->Place(monitor_.rect, monitor_.scale);
  PlaceRenderWindow();

  graphicsDevice_.Create();
  compositionHost_.Initialize(renderWindow_, graphicsDevice_);
  dock_->CreateVisuals(compositionHost_.compositor(), theme_);

  // The sub-windows attach here, each with its callbacks; then the hotkey
  // manager, bound to the render window.
  hotkeys_.SetWindow(FromHwnd(renderWindow_));
  hotkeys_.SetActionCallback([this](HotkeyAction action) { OnHotkeyAction(action); });
  hotkeys_.DesignateForHook();
  WireHooks();

  compositionHost_.root()->InsertAtTop(dock_->root());

  RegisterRecycleBinNotifications();
  RegisterExternalDropTarget();

  ShowWindow(renderWindow_, SW_SHOWNOACTIVATE);
  ShowWindow(inputWindow_, SW_SHOWNOACTIVATE);
  SetWindowPos(inputWindow_, InputWindowInsertAfter(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  dock_->Rebuild();
  dock_->SetRecycleBinFull(recycleBinFull_);
  // The taskbar mode is applied here.
  ApplySurfaces();
  media_ = std::make_unique<MediaSession>(DefaultMediaSessionServices(CreateWinMediaSessionSource(), http_));
  media_->RequestRefresh();
  WeatherServiceDeps weatherDeps = Win32WeatherServiceDeps();
  weatherDeps.http = http_;
  weather_ = std::make_unique<WeatherService>(std::move(weatherDeps));
  // The notification feed starts here.

  tracker_.Install(FromHwnd(renderWindow_));
  tracker_.Refresh();
  dock_->SynchroniseRunning();
  EvaluateAutoHide();

  SetTimer(renderWindow_, kPeriodicTimer, kPeriodicMs, nullptr);
  // The status-area icon is added here.
  Log(L"DockWindow created");
  RequestFrame();
}

void DockWindow::WireHooks() {
  DockSurfaceHooks& hooks = dock_->hooks;
  hooks.mediaHasSession = [this] { return media_ && media_->Snapshot().hasSession; };
  hooks.mediaTogglePlayPause = [this] {
    if (!media_) return;
    media_->TogglePlayPause();
    media_->RequestRefresh();
    dock_->RefreshMusicItem(media_->Snapshot());
  };
  hooks.toggleStageManager = [this] { ToggleStageManager(); };
  hooks.toggleDesktopWidgets = [this] { ToggleDesktopWidgets(); };
  hooks.openStageSwitcher = [this] { RefreshTracker(); };
  // Menus, popups and the other surfaces set their hooks here as they join.
}

// The input window stays in the topmost band directly below the render
// window. The render window is click-through, so the pointer still reaches
// the input window; and where a system does not honour the input window's
// lack of a redirection surface (it would paint it opaque), the dock stays
// visible above it.
HWND DockWindow::InputWindowInsertAfter() const {
  return renderWindow_ != nullptr && IsWindow(renderWindow_) ? renderWindow_ : HWND_TOPMOST;
}

void DockWindow::PlaceRenderWindow() {
  const ScreenRect& r = dock_->geometry().renderWindow;
  SetWindowPos(renderWindow_, HWND_TOPMOST, r.left, r.top, r.Width(), r.Height(), SWP_NOACTIVATE);
  inputRect_ = {};
}

void DockWindow::PlaceOnMonitor(HMONITOR monitor) {
  monitor_ = monitor != nullptr ? DescribeDockMonitor(monitor, renderWindow_) : PrimaryDockMonitor(renderWindow_);
  dock_->Place(monitor_.rect, monitor_.scale);
  PlaceRenderWindow();
}

void DockWindow::RegisterRecycleBinNotifications() {
  recycleBinFull_ = RecycleBinHasItems(systemControls_);
  PIDLIST_ABSOLUTE bin = nullptr;
  if (FAILED(SHGetKnownFolderIDList(FOLDERID_RecycleBinFolder, 0, nullptr, &bin)) || bin == nullptr) return;
  SHChangeNotifyEntry entry{bin, TRUE};
  shellNotifyId_ = SHChangeNotifyRegister(renderWindow_, kShellNotifySources, kAllShellEvents,
                                          kRecycleBinChangedMessage, 1, &entry);
  CoTaskMemFree(bin);
  // Without a registration the bin's icon stays as it is.
}

void DockWindow::UnregisterShellNotifications() {
  std::uint32_t registration = shellNotifyId_;
  UnregisterShellNotify(systemControls_, registration);
  shellNotifyId_ = 0;
}

void DockWindow::OnRecycleBinChanged(WPARAM wParam, LPARAM lParam) {
  PIDLIST_ABSOLUTE* items = nullptr;
  LONG event = 0;
  HANDLE lock = SHChangeNotification_Lock(reinterpret_cast<HANDLE>(wParam), static_cast<DWORD>(lParam), &items, &event);
  if (lock != nullptr) SHChangeNotification_Unlock(lock);
  const bool full = RecycleBinHasItems(systemControls_);
  if (full == recycleBinFull_) return;
  recycleBinFull_ = full;
  dock_->SetRecycleBinFull(full);
  RequestFrame();
}

void DockWindow::RegisterExternalDropTarget() {
  dropTarget_ = DockDropTarget::Create();
  dropTarget_->onOver = [this](POINT screen, bool havePaths) {
    return dock_->FileDragOver(dock_->ScreenToDips(screen.x, screen.y), havePaths);
  };
  dropTarget_->onLeave = [this] { dock_->FileDragLeave(); };
  dropTarget_->onDrop = [this](const std::vector<std::wstring>& paths) { dock_->FileDrop(paths); };
  const HRESULT hr = RegisterDragDrop(inputWindow_, dropTarget_.Get());
  if (FAILED(hr)) {
    Log(L"RegisterDragDrop failed (0x%08X)", static_cast<std::uint32_t>(hr));
    dropTarget_ = nullptr;
  }
}

void DockWindow::RecyclePendingFiles() {
  std::vector<std::vector<std::wstring>> batches;
  batches.swap(pendingRecycles_);
  for (const auto& paths : batches) RecycleDroppedFiles(renderWindow_, paths);
}

// --- configuration --------------------------------------------------------------------------

void DockWindow::Save() { SaveConfig(config_); }

void DockWindow::ApplySurfaces() {
  // The menu bar, the stage manager and the desktop widgets take their
  // settings here before the hotkeys.
  hotkeys_.ApplyConfiguration(config_.enableGlobalHotkeys, config_.enableHotCorners, config_.replaceAltTabWithStage,
                              config_.stageSwitcherHotkey);
}

void DockWindow::ApplyConfiguration(const DockConfig& config) {
  const DockConfig copy = config;  // may be the live copy itself
  dock_->EndPress();
  // The context menu, preview, music, tray and stack popups and the tooltip hide here.
  config_ = copy;
  PlaceOnMonitor(monitor_.handle);
  dock_->Rebuild();
  // The taskbar mode is applied here.
  ApplySurfaces();
  dock_->SynchroniseRunning();
  EvaluateAutoHide();
  // The settings window's copy is refreshed here.
  RequestFrame();
}

void DockWindow::ApplySettings(const DockConfig& config, bool save) {
  const DockSettingsRedo redo = DiffDockSettings(config_, config);
  const DockConfig copy = config;
  if (redo.applyConfiguration) {
    config_ = copy;
    if (save) Save();
    ApplyConfiguration(copy);
    return;
  }
  config_ = copy;
  if (redo.geometry) {
    PlaceOnMonitor(monitor_.handle);
    dock_->ConfigurePlate();
    if (media_) dock_->RefreshMusicItem(media_->Snapshot());
  }
  // A changed taskbar mode (or an application bar whose strip depends on
  // the size) is applied here.
  if (redo.surfaces) ApplySurfaces();
  if (redo.runningItems) dock_->SynchroniseRunning();
  if (redo.autoHide) EvaluateAutoHide();
  if (save) Save();
  RequestFrame();
}

void DockWindow::Replace() {
  PlaceOnMonitor(monitor_.handle);
  dock_->Rebuild();
  // The taskbar mode is applied here.
  ApplySurfaces();
  dock_->SynchroniseRunning();
  RequestFrame();
}

void DockWindow::ToggleStageManager() {
  config_.stageManagerEnabled = !config_.stageManagerEnabled;
  Save();
  RefreshTracker();
  ApplySurfaces();
  dock_->SynchroniseRunning();
  RequestFrame();
}

void DockWindow::ToggleDesktopWidgets() {
  config_.desktopWidgetsEnabled = !config_.desktopWidgetsEnabled;
  Save();
  ApplySurfaces();
}

void DockWindow::ApplyTheme(const Theme& theme) {
  theme_ = theme;
  dock_->SetTheme(theme_);
  // The tooltip, music popup, settings window, menu bar, stage manager and
  // widgets re-tint here.
  if (media_) dock_->RefreshMusicItem(media_->Snapshot());
  RequestFrame();
}

// --- periodic work ----------------------------------------------------------------------------

void DockWindow::EvaluateAutoHide() {
  Win32DockHideProbe probe(windowSystem_, monitor_.handle, monitor_.rect, dock_->DockRect());
  dock_->EvaluateAutoHide(probe);
  // A changed full-screen state goes to the taskbar controller here.
}

void DockWindow::RefreshTracker() {
  tracker_.Refresh();
  dock_->SynchroniseRunning();
}

void DockWindow::PeriodicTick() {
  ++periodicTicks_;
  EvaluateAutoHide();
  // The taskbar is kept hidden here.
  if (config_.showDockMusic && periodicTicks_ % 2 == 0 && media_) {
    media_->RequestRefresh();
    dock_->RefreshMusicItem(media_->Snapshot());
  }
  // The notification feed is polled and banners shown here.
  FollowPointerMonitor();
  // The stage manager's periodic check runs here.
  hotkeys_.HotCornerTick(reinterpret_cast<MonitorHandle>(monitor_.handle));
  CancelDragOnEscape();
}

void DockWindow::FollowPointerMonitor() {
  if (!config_.followMouseMonitor || dock_->press().dragging()) return;
  HMONITOR under = MonitorUnderPointer();
  if (under == nullptr || under == monitor_.handle) return;
  const float oldScale = monitor_.scale;
  PlaceOnMonitor(under);
  if (monitor_.scale != oldScale) {
    dock_->Rebuild();
  } else {
    dock_->ConfigurePlate();
  }
  // The taskbar mode is applied here.
  ApplySurfaces();
  RequestFrame();
}

// The input window never has the keyboard, so Escape is read from the
// keyboard's state while a drag runs.
void DockWindow::CancelDragOnEscape() {
  if (!dock_->press().dragging() || (GetAsyncKeyState(VK_ESCAPE) & 0x8000) == 0) return;
  if (GetCapture() == inputWindow_) {
    releasingCapture_ = true;
    ReleaseCapture();
    releasingCapture_ = false;
  }
  dock_->EndPress();
  RequestFrame();
}

void DockWindow::OnHotkeyAction(HotkeyAction action) {
  DockSurfaceHooks& hooks = dock_->hooks;
  switch (action) {
    case HotkeyAction::ToggleLauncher:
      if (hooks.openLauncherGrid) hooks.openLauncherGrid();
      break;
    case HotkeyAction::ShowOverview:
      if (hooks.openWindowOverview) hooks.openWindowOverview();
      break;
    case HotkeyAction::ToggleStageManager: ToggleStageManager(); break;
    case HotkeyAction::ToggleControlCenter:
      if (hooks.openControlCenter) hooks.openControlCenter(0);
      break;
    case HotkeyAction::ToggleNotificationCenter:
      if (hooks.toggleNotificationCenter) hooks.toggleNotificationCenter();
      break;
    case HotkeyAction::ToggleTaskbar:
      // The taskbar controller's run-time switch attaches here.
      break;
    case HotkeyAction::SwitcherNext:
    case HotkeyAction::SwitcherPrevious:
      RefreshTracker();
      // The stage switcher steps forward or back here.
      break;
    case HotkeyAction::SwitcherCommit:
      // The stage switcher commits here.
      break;
  }
}

void DockWindow::RecoverDevice() {
  RecoverLostDevice(compositionHost_.compositor(),
                    DeviceRecoverySteps{[this] { graphicsDevice_.Create(); },
                                        [this] { compositionHost_.RecoverRenderingDevice(); },
                                        [this] { dock_->ConfigurePlate(); },
                                        [this] {
                                          dock_->RedrawAfterDeviceLoss();
                                          ApplySurfaces();
                                        },
                                        requestFrame_});
}

bool DockWindow::FrameStep(float dt) {
  if (!dock_) return false;
  RecoverDevice();
  // The popups report whether they are open here.
  const DockPopupState popups;
  const DockFrameResult result = dock_->FrameStep(dt, popups);
  if (RectsDiffer(result.inputRect, inputRect_) && !result.inputRect.IsEmpty()) {
    inputRect_ = result.inputRect;
    SetWindowPos(inputWindow_, InputWindowInsertAfter(), inputRect_.left, inputRect_.top, inputRect_.Width(),
                 inputRect_.Height(), SWP_NOACTIVATE);
  }
  compositionHost_.Present();
  return result.moreFrames;
}

void DockWindow::RequestFrame() {
  if (requestFrame_) requestFrame_();
}

// --- window procedures ------------------------------------------------------------------------

namespace {

// Both window procedures keep the dock in the window's user data from the
// first message on (messages arrive before CreateWindowExW returns).
DockWindow* OwnerOf(HWND hwnd, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  return reinterpret_cast<DockWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

}  // namespace

LRESULT CALLBACK DockWindow::RenderWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  DockWindow* self = OwnerOf(hwnd, message, lParam);
  if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCCREATE) self->renderWindow_ = hwnd;
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->renderWindow_ = nullptr;
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  return self->HandleRenderMessage(message, wParam, lParam);
}

LRESULT CALLBACK DockWindow::InputWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  DockWindow* self = OwnerOf(hwnd, message, lParam);
  if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCCREATE) self->inputWindow_ = hwnd;
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->inputWindow_ = nullptr;
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  return self->HandleInputMessage(message, wParam, lParam);
}

LRESULT DockWindow::HandleRenderMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == taskbarCreatedMessage_ && taskbarCreatedMessage_ != 0) {
    // The taskbar controller re-applies its mode and the status-area icon is
    // added again here.
    return 0;
  }
  switch (message) {
    case WM_TIMER:
      if (wParam == kTrackerTimer) {
        KillTimer(renderWindow_, kTrackerTimer);
        if (!dock_) return 0;
        RefreshTracker();
        EvaluateAutoHide();
        return 0;
      }
      if (wParam == kPeriodicTimer) {
        if (dock_) PeriodicTick();
        return 0;
      }
      break;
    case kTrackerChangedMessage:
      // Re-arming delays the refresh: a burst of window events costs one.
      SetTimer(renderWindow_, kTrackerTimer, kTrackerDelayMs, nullptr);
      return 0;
    case WM_HOTKEY:
      if (hotkeys_.OnHotkeyMessage(static_cast<int>(wParam))) return 0;
      break;
    case kSwitcherHookMessage:
      hotkeys_.OnSwitcherMessage(static_cast<std::uintptr_t>(wParam));
      return 0;
    case kRecycleBinChangedMessage:
      if (dock_) OnRecycleBinChanged(wParam, lParam);
      return 0;
    case kRecycleDroppedMessage:
      RecyclePendingFiles();
      return 0;
    case WM_DISPLAYCHANGE:
    case WM_DPICHANGED:
      if (dock_) Replace();
      return 0;
    case WM_SETTINGCHANGE:
      if (dock_) ApplyTheme(ReadTheme());
      break;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_ENDSESSION:
      if (wParam != FALSE) {
        hotkeys_.ConfigureSwitcher(false, kSwitcherChoiceAltTab);
        // The stage-manager windows and the taskbar are restored here.
      }
      return 0;
    case WM_CLOSE:
      // Sent by the setup program to end a running copy.
      DestroyWindow(renderWindow_);
      return 0;
    case WM_DESTROY:
      KillTimer(renderWindow_, kTrackerTimer);
      KillTimer(renderWindow_, kPeriodicTimer);
      hotkeys_.ConfigureSwitcher(false, kSwitcherChoiceAltTab);
      tracker_.Uninstall();
      UnregisterShellNotifications();
      // The stage-manager windows and the taskbar are restored and the
      // status-area icon removed here.
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(renderWindow_, message, wParam, lParam);
}

Vector2 DockWindow::PointerFromInputClient(LPARAM lParam) const {
  POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  ClientToScreen(inputWindow_, &point);
  return dock_->ScreenToDips(point.x, point.y);
}

LRESULT DockWindow::HandleInputMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!dock_) return DefWindowProcW(inputWindow_, message, wParam, lParam);
  switch (message) {
    case WM_MOUSEMOVE:
      if (!trackingLeave_ && !dock_->press().dragging()) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, inputWindow_, 0};
        trackingLeave_ = TrackMouseEvent(&track) != FALSE;
      }
      dock_->PointerMoved(PointerFromInputClient(lParam));
      return 0;
    case WM_LBUTTONDOWN:
      SetCapture(inputWindow_);
      dock_->ButtonDown(PointerFromInputClient(lParam));
      return 0;
    case WM_LBUTTONUP:
      if (GetCapture() == inputWindow_) {
        releasingCapture_ = true;
        ReleaseCapture();
        releasingCapture_ = false;
      }
      dock_->ButtonUp(PointerFromInputClient(lParam));
      return 0;
    case WM_RBUTTONUP:
      dock_->RightButtonUp(PointerFromInputClient(lParam));
      return 0;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      dock_->PointerLeft();
      return 0;
    case WM_CAPTURECHANGED:
      if (!releasingCapture_) dock_->CaptureLost();
      return 0;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case kDockCommandMessage:
      return static_cast<LRESULT>(dock_->Command(static_cast<std::uint64_t>(wParam), static_cast<std::int64_t>(lParam)));
    default:
      break;
  }
  return DefWindowProcW(inputWindow_, message, wParam, lParam);
}

}  // namespace orvane
