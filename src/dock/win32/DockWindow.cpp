#include "dock/win32/DockWindow.h"

#include <dwmapi.h>
#include <shlobj.h>

#include <stdexcept>

#include "app/Log.h"
#include "app/TextUtil.h"
#include "app/win32/HResult.h"
#include "app/win32/KnownFolder.h"
#include "config/ConfigFile.h"
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

// The render window's timers (platform/MessageIds.h).
constexpr UINT_PTR kTrackerTimer = kTrackerTimerId;
constexpr UINT kTrackerDelayMs = kTrackerTimerDelayMs;
constexpr UINT_PTR kPeriodicTimer = kPeriodicTimerId;

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
  hub_.reset();
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
  } classes[] = {{kRenderWindowClass, &WindowProc<&DockWindow::renderWindow_, &DockWindow::HandleRenderMessage>},
                 {kInputWindowClass, &WindowProc<&DockWindow::inputWindow_, &DockWindow::HandleInputMessage>}};
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
  requestFrame_ = std::move(requestFrame);
  theme_ = ReadTheme();

  RegisterClasses();
  renderWindow_ = CreateDockWindow(kRenderWindowClass, kRenderWindowTitle, kRenderExStyle);
  inputWindow_ = CreateDockWindow(kInputWindowClass, kInputWindowTitle, kInputExStyle);
  // A monitor whose DPI cannot be read takes the render window's.
  displayPlatform_.SetReferenceWindow(renderWindow_);
  display_.Refresh();
  FailForTestIfAsked();

  // The services the dock's items, clicks and music item stand on.
  http_ = std::make_shared<WinHttpClient>();
  media_ = std::make_unique<MediaSession>(DefaultMediaSessionServices(CreateWinMediaSessionSource(), http_));
  WeatherServiceDeps weatherDeps = Win32WeatherServiceDeps();
  weatherDeps.http = http_;
  weather_ = std::make_unique<WeatherService>(std::move(weatherDeps));
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
  hotkeys_.SetWindow(FromHwnd(renderWindow_));
  DockHubPlatform& platform = *this;
  hub_ = std::make_unique<DockHub>(*itemServices_, *clickPlatform_, platform, hotkeys_, tracker_, media_.get(),
                                   [this] { RequestFrame(); });

  EnableHostBackdrop(renderWindow_);
  hub_->Place(config);

  graphicsDevice_.Create();
  compositionHost_.Initialize(renderWindow_, graphicsDevice_);
  hub_->dock().CreateVisuals(compositionHost_.compositor(), theme_);

  // The sub-windows attach here, each with its callbacks; the hotkey
  // manager, bound to the render window, already reports to the hub.
  hotkeys_.DesignateForHook();

  compositionHost_.root()->InsertAtTop(hub_->dock().root());

  RegisterRecycleBinNotifications();
  RegisterExternalDropTarget();

  ShowWindow(renderWindow_, SW_SHOWNOACTIVATE);
  ShowWindow(inputWindow_, SW_SHOWNOACTIVATE);
  SetWindowPos(inputWindow_, InputWindowInsertAfter(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  hub_->Start(recycleBinFull_);
  media_->RequestRefresh();
  // The notification feed starts here.

  tracker_.Install(FromHwnd(renderWindow_));
  hub_->OnTrackerSettled();

  SetTimer(renderWindow_, kPeriodicTimer, kPeriodicTimerMs, nullptr);
  // The status-area icon is added here.
  Log(L"DockWindow created");
  RequestFrame();
}

// The input window stays in the topmost band directly below the render
// window. The render window is click-through, so the pointer still reaches
// the input window; and where a system does not honour the input window's
// lack of a redirection surface (it would paint it opaque), the dock stays
// visible above it.
HWND DockWindow::InputWindowInsertAfter() const {
  return renderWindow_ != nullptr && IsWindow(renderWindow_) ? renderWindow_ : HWND_TOPMOST;
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
  hub_->SetRecycleBinFull(full);
}

void DockWindow::RegisterExternalDropTarget() {
  dropTarget_ = DockDropTarget::Create();
  DockController& dock = hub_->dock();
  dropTarget_->onOver = [&dock](POINT screen, bool havePaths) {
    return dock.FileDragOver(dock.ScreenToDips(screen.x, screen.y), havePaths);
  };
  dropTarget_->onLeave = [&dock] { dock.FileDragLeave(); };
  dropTarget_->onDrop = [&dock](const std::vector<std::wstring>& paths) { dock.FileDrop(paths); };
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

// --- what the hub asks of the desktop ---------------------------------------------------------

DockMonitorInfo DockWindow::DescribeMonitor(MonitorHandle monitor) {
  return DescribeDockMonitor(display_, monitor);
}

MonitorHandle DockWindow::MonitorUnderPointer() { return orvane::MonitorUnderPointer(display_); }

void DockWindow::PlaceRenderWindow(const ScreenRect& r) {
  SetWindowPos(renderWindow_, HWND_TOPMOST, r.left, r.top, r.Width(), r.Height(), SWP_NOACTIVATE);
}

void DockWindow::PlaceInputWindow(const ScreenRect& r) {
  SetWindowPos(inputWindow_, InputWindowInsertAfter(), r.left, r.top, r.Width(), r.Height(), SWP_NOACTIVATE);
}

std::unique_ptr<DockHideProbe> DockWindow::CreateHideProbe(const DockMonitorInfo& monitor, const ScreenRect& dockRect) {
  return std::make_unique<Win32DockHideProbe>(windowSystem_, reinterpret_cast<HMONITOR>(monitor.handle), monitor.rect,
                                              dockRect);
}

void DockWindow::SaveConfig(const DockConfig& config) { orvane::SaveConfig(config); }

bool DockWindow::EscapeHeld() { return (GetAsyncKeyState(VK_ESCAPE) & 0x8000) != 0; }

void DockWindow::ReleasePointerCapture() {
  if (GetCapture() != inputWindow_) return;
  releasingCapture_ = true;
  ReleaseCapture();
  releasingCapture_ = false;
}

// --- frames -----------------------------------------------------------------------------------

void DockWindow::RecoverDevice() {
  RecoverLostDevice(compositionHost_.compositor(),
                    DeviceRecoverySteps{[this] { graphicsDevice_.Create(); },
                                        [this] { compositionHost_.RecoverRenderingDevice(); },
                                        [this] { hub_->dock().ConfigurePlate(); },
                                        [this] { hub_->RedrawAfterDeviceLoss(); }, requestFrame_});
}

bool DockWindow::FrameStep(float dt) {
  if (!hub_) return false;
  RecoverDevice();
  // The popups report whether they are open here.
  const bool more = hub_->FrameStep(dt, DockPopupState{});
  compositionHost_.Present();
  return more;
}

void DockWindow::RequestFrame() {
  if (requestFrame_) requestFrame_();
}

// --- window procedures ------------------------------------------------------------------------

// Both windows keep the dock in their user data from the first message on
// (messages arrive before CreateWindowExW returns) and forget it on the last.
template <HWND DockWindow::*Window, LRESULT (DockWindow::*Handle)(UINT, WPARAM, LPARAM)>
LRESULT CALLBACK DockWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    auto* owner = static_cast<DockWindow*>(create->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    owner->*Window = hwnd;
  }
  auto* self = reinterpret_cast<DockWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->*Window = nullptr;
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  return (self->*Handle)(message, wParam, lParam);
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
        if (hub_) hub_->OnTrackerSettled();
        return 0;
      }
      if (wParam == kPeriodicTimer) {
        if (hub_) hub_->PeriodicTick();
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
      if (hub_) OnRecycleBinChanged(wParam, lParam);
      return 0;
    case kRecycleDroppedMessage:
      RecyclePendingFiles();
      return 0;
    case WM_DISPLAYCHANGE:
    case WM_DPICHANGED:
      display_.Refresh();
      if (hub_) hub_->Replace();
      return 0;
    case WM_SETTINGCHANGE:
      if (hub_) hub_->SetTheme(theme_ = ReadTheme());
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
  return hub_->dock().ScreenToDips(point.x, point.y);
}

LRESULT DockWindow::HandleInputMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!hub_) return DefWindowProcW(inputWindow_, message, wParam, lParam);
  DockController& dock = hub_->dock();
  switch (message) {
    case WM_MOUSEMOVE:
      if (!trackingLeave_ && !dock.press().dragging()) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, inputWindow_, 0};
        trackingLeave_ = TrackMouseEvent(&track) != FALSE;
      }
      dock.PointerMoved(PointerFromInputClient(lParam));
      return 0;
    case WM_LBUTTONDOWN:
      SetCapture(inputWindow_);
      dock.ButtonDown(PointerFromInputClient(lParam));
      return 0;
    case WM_LBUTTONUP:
      ReleasePointerCapture();
      dock.ButtonUp(PointerFromInputClient(lParam));
      return 0;
    case WM_RBUTTONUP:
      dock.RightButtonUp(PointerFromInputClient(lParam));
      return 0;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      dock.PointerLeft();
      return 0;
    case WM_CAPTURECHANGED:
      if (!releasingCapture_) dock.CaptureLost();
      return 0;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case kDockCommandMessage:
      return static_cast<LRESULT>(dock.Command(static_cast<std::uint64_t>(wParam), static_cast<std::int64_t>(lParam)));
    default:
      break;
  }
  return DefWindowProcW(inputWindow_, message, wParam, lParam);
}

}  // namespace orvane
