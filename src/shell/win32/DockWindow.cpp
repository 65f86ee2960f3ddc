#include "shell/win32/DockWindow.h"

#include <dwmapi.h>
#include <shlobj.h>

#include <stdexcept>

#include "app/DataDirs.h"
#include "app/ExitRestores.h"
#include "app/Log.h"
#include "app/TextUtil.h"
#include "app/win32/HResult.h"
#include "app/win32/KnownFolder.h"
#include "config/ConfigFile.h"
#include "render/DeviceRecovery.h"
#include "system/IconExtractor.h"
#include "system/IconService.h"
#include "system/IconSources.h"
#include "system/SystemControls.h"
#include "system/TrackerEvents.h"
#include "system/win32/RecycleFiles.h"
#include "system/win32/Win32WeatherService.h"
#include "system/win32/WinHttpClient.h"
#include "system/win32/WinMediaSessionSource.h"
#include "system/UserProfile.h"
#include "system/WindowActions.h"
#include "system/notifications/NotificationDatabaseSource.h"
#include "system/notifications/SqliteApi.h"
#include "system/notifications/win32/UserNotificationListenerSource.h"
#include "system/win32/Win32BrightnessWheel.h"
#include "system/win32/Win32Connectivity.h"
#include "system/win32/Win32UserProfilePlatform.h"
#include "system/win32/WorkerApartments.h"

namespace orvane {
namespace {

// The render window's timers (platform/MessageIds.h).
constexpr UINT_PTR kTrackerTimer = kTrackerTimerId;
constexpr UINT kTrackerDelayMs = kTrackerTimerDelayMs;
constexpr UINT_PTR kPeriodicTimer = kPeriodicTimerId;

SurfaceWindowParams DockWindowParams(const wchar_t* className, const wchar_t* title, SurfaceKind kind) {
  SurfaceWindowParams params;
  params.className = className;
  params.title = title;
  params.kind = kind;
  params.band = SurfaceBand::Topmost;
  params.takesFocus = false;
  return params;
}

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

// Wall-clock time since the process was created, for the start-up figure.
unsigned MillisecondsSinceProcessStart() {
  FILETIME created{}, exited{}, kernel{}, user{}, now{};
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
  GetSystemTimeAsFileTime(&now);
  const auto ticks = [](const FILETIME& t) {
    return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  const unsigned long long start = ticks(created), end = ticks(now);
  return end > start ? static_cast<unsigned>((end - start) / 10000) : 0;
}

}  // namespace

DockWindow::~DockWindow() {
  Log(L"DockWindow: teardown begins");
  // Registrations and hooks that reach into this object go first.
  if (shell_) {
    shell_->RestoreOnExit();
    shell_->Teardown();
  }
  tracker_.Uninstall();
  UnregisterShellNotifications();
  if (inputWindow() != nullptr && dropTarget_) RevokeDragDrop(inputWindow());
  dropTarget_ = nullptr;
  inputSurface_.Destroy();
  renderSurface_.Destroy();
  statusIcon_.Remove();
  // The menus and their window, the dragged item, the item list and the
  // dock's layers, then the shell and the services.
  menuHost_.reset();
  menuBarActions_.reset();
  menuBarPlatform_.reset();
  menuBar_.reset();
  menuBarAppBar_.reset();
  if (brightness_) brightness_->Stop();
  brightness_.reset();
  notificationCenter_.reset();
  notificationList_.reset();
  if (notificationFeed_) notificationFeed_->Stop();
  notificationFeed_.reset();
  menuActions_.reset();
  menuPlatform_.reset();
  menuSystem_.reset();
  contextMenu_.reset();
  hub_.reset();
  clickPlatform_.reset();
  itemServices_.reset();
  if (icons_) icons_->Stop();
  icons_.reset();
  shell_.reset();
  hotkeys_.UnregisterAll();
  if (media_) media_->Stop();
  media_.reset();
  weather_.reset();
  Log(L"DockWindow: teardown complete");
}

// --- creation -----------------------------------------------------------------------------

void DockWindow::Create(HINSTANCE instance, const DockConfig& config, std::function<void()> requestFrame) {
  instance_ = instance;
  requestFrame_ = std::move(requestFrame);
  const Theme theme = ReadTheme();

  renderSurface_.Create(DockWindowParams(kRenderWindowClass, kRenderWindowTitle, SurfaceKind::RenderLayer),
                        &renderEvents_);
  inputSurface_.Create(DockWindowParams(kInputWindowClass, kInputWindowTitle, SurfaceKind::Input), &inputEvents_);
  // A monitor whose DPI cannot be read takes the render window's.
  displayPlatform_.SetReferenceWindow(renderWindow());
  display_.Refresh();
  FailForTestIfAsked();

  // The services the dock's items, clicks and music item stand on.
  http_ = std::make_shared<WinHttpClient>();
  media_ = std::make_unique<MediaSession>(DefaultMediaSessionServices(CreateWinMediaSessionSource(), http_));
  WeatherServiceDeps weatherDeps = Win32WeatherServiceDeps();
  weatherDeps.http = http_;
  weather_ = std::make_unique<WeatherService>(std::move(weatherDeps));
  launcher_ = std::make_unique<Launcher>(launchPlatform_, windowSystem_, PlatformIconSources());
  ShellPlatform& shellPlatform = *this;
  shell_ = std::make_unique<Shell>(shellPlatform, hotkeys_, config, theme, [this] { RequestFrame(); });
  shell_->Handle(ShellCommand::Quit, [this](const ShellCommandArgs&) { PostMessageW(renderWindow(), WM_CLOSE, 0, 0); });

  DockItemHooks itemHooks;
  itemHooks.downloadsFolder = &DownloadsFolder;
  // The item list writes the pinned items into the shell's live record.
  itemHooks.saveConfig = [this](const DockConfig&) { shell_->Save(); };
  // Icons are extracted on a worker; the dock shows placeholders until they
  // arrive, so the first frame never waits on the shell's icon sources.
  IconService::Deps iconDeps;
  iconDeps.extract = [](const IconRequest& request) {
    return ExtractRequestedIcon(PlatformIconExtractor(), request);
  };
  iconDeps.prepareThread = EnterSingleThreadedApartment;
  iconDeps.arrived = [window = renderWindow()] { PostMessageW(window, kIconsArrivedMessage, 0, 0); };
  icons_ = std::make_unique<IconService>(std::move(iconDeps));
  itemServices_ = std::make_unique<SystemDockItemServices>(tracker_, windowSystem_, PlatformIconSources(), *icons_,
                                                           std::move(itemHooks));
  clickPlatform_ = std::make_unique<Win32DockClickPlatform>(
      *launcher_, windowSystem_, [this](std::vector<std::wstring> paths) {
        pendingRecycles_.push_back(std::move(paths));
        PostMessageW(renderWindow(), kRecycleDroppedMessage, 0, 0);
      });
  hotkeys_.SetWindow(FromHwnd(renderWindow()));
  DockHubPlatform& platform = *this;
  hub_ = std::make_unique<DockHub>(shell_->liveConfig(), *itemServices_, *clickPlatform_, platform, *shell_,
                                   media_.get(), [this] { RequestFrame(); });
  shell_->Register(*hub_, {ShellCommand::MediaTogglePlayPause}, {ShellQuery::MediaHasSession});
  hub_->SetPopupState([this] { return shell_->popups().DockView<DockPopupState>(); });
  shell_->SetHotCornerMonitor([this] { return hub_->monitor().handle; });

  hub_->Place();

  // The device is made by the host when the system compositor needs it.
  compositionHost_.Initialize(renderWindow(), graphicsDevice_, [this] { RequestFrame(); });
  hub_->dock().CreateVisuals(compositionHost_.compositor(), shell_->theme());
  CreateMenus();
  CreateNotifications();

  hotkeys_.DesignateForHook();

  compositionHost_.root()->InsertAtTop(hub_->dock().root());
  // The name bubble stays put while the dock's root slides away to hide.
  compositionHost_.root()->InsertAtTop(hub_->dock().tooltipRoot());

  RegisterRecycleBinNotifications();
  RegisterExternalDropTarget();

  // The dock orders its two windows itself (the input window directly below
  // the render window), so they are shown without the host's raise into the
  // topmost band: under Wine that extra reordering of the freshly shown
  // layered window left the dock undrawn on the screen.
  ShowWindow(renderWindow(), SW_SHOWNOACTIVATE);
  ShowWindow(inputWindow(), SW_SHOWNOACTIVATE);
  SetWindowPos(inputWindow(), InputWindowInsertAfter(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  hub_->Start(recycleBinFull_);
  shell_->Start();
  media_->RequestRefresh();

  tracker_.Install(FromHwnd(renderWindow()));
  RefreshTracker();

  SetTimer(renderWindow(), kPeriodicTimer, kPeriodicTimerMs, nullptr);
  Log(L"DockWindow created");
  RequestFrame();
}

void DockWindow::CreateMenus() {
  textMeasurer_ = CreateTextMeasurer();
  contextMenu_ = std::make_unique<ContextMenuSurface>(shell_->popups(), compositionHost_.compositor(),
                                                      std::make_unique<SurfaceWindowWin32>(), *textMeasurer_);
  contextMenu_->Create();

  DockMenuHooks hooks;
  hooks.media = [this](MediaKey key) { hub_->SendMediaKey(key); };
  hooks.editConfig = [this](const std::function<void(DockConfig&)>& edit) { shell_->EditConfig(edit, true); };
  hooks.reloadConfig = [this] {
    const DockConfig loaded = LoadConfig();
    shell_->EditConfig([&loaded](DockConfig& c) { c = loaded; }, false);
  };
  menuSystem_ = std::make_unique<Win32MenuPlatform>(renderWindow(), *launcher_, windowSystem_);
  menuPlatform_ = std::make_unique<Win32DockMenuPlatform>(renderWindow(), *launcher_, windowSystem_, std::move(hooks));
  menuActions_ = std::make_unique<DockMenuActions>(hub_->dock(), *shell_, *menuSystem_, *menuPlatform_);
  DockMenuProbes probes;
  probes.pathExists = [](const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; };
  probes.recycleBinHasFiles = [this] { return RecycleBinHasItems(systemControls_); };
  probes.cursor = [] {
    POINT point{};
    GetCursorPos(&point);
    return ShellAnchor{point.x, point.y};
  };
  menuHost_ = std::make_unique<DockMenuHost>(
      hub_->dock(), *shell_, shell_->config(), *menuActions_, std::move(probes),
      [this](ShellAnchor at, std::vector<MenuItem> items, std::function<void(int)> choice) {
        return ShowMenu(at, std::move(items), std::move(choice));
      });
  menuHost_->SetRedraw([this] { contextMenu_->RedrawAfterDeviceLoss(); });
  shell_->Register(*menuHost_, {ShellCommand::OpenItemMenu, ShellCommand::OpenDockMenu, ShellCommand::OpenPowerMenu});

  // The status-area icon is added after the first frame.
  taskbarCreatedMessage_ = RegisterWindowMessageW(L"TaskbarCreated");
}

void DockWindow::CreateNotifications() {
  clock_ = CreateSystemCivilClock();
  // The listener first; without access, a copy of the system's database.
  std::wstring sqliteReason;
  std::shared_ptr<const SqliteApi> sqlite = LoadSqliteApi(sqliteReason);
  const std::wstring localData = KnownFolderPath(FOLDERID_LocalAppData);
  const std::wstring database =
      localData.empty() ? std::wstring() : localData + L"\\Microsoft\\Windows\\Notifications\\wpndatabase.db";
  std::vector<std::shared_ptr<NotificationSource>> sources;
  sources.push_back(std::make_shared<UserNotificationListenerSource>());
  sources.push_back(std::make_shared<NotificationDatabaseSource>(std::move(sqlite), sqliteReason,
                                                                 CreatePlatformNotificationFileOps(), database,
                                                                 CacheDirectory()));
  NotificationFeedOptions options;
  options.threadSetup = EnterMultithreadedApartment;
  options.log = [](const std::wstring& line) { Log(L"Notifications: %s", line); };
  notificationFeed_ = std::make_unique<NotificationFeed>(std::move(sources), clock_, std::move(options));
  notificationList_ = std::make_unique<FeedNotificationList>(*notificationFeed_);

  NotificationCenterDeps deps;
  deps.list = notificationList_.get();
  deps.popArrival = [this] { return notificationFeed_->PopNewArrival(); };
  deps.clock = clock_.get();
  deps.stats = &stats_;
  deps.measurer = textMeasurer_.get();
  deps.monitor = [this] { return DockPopupMonitor(); };
  // Asked on its own: the dock's flag follows only while its hide options
  // watch for full-screen windows.
  deps.fullScreen = [this] { return FullScreenOnDockMonitor(); };
  deps.now = [] { return std::chrono::steady_clock::now(); };
  deps.noteChanged = [this](const std::wstring& note) {
    shell_->EditConfig([&note](DockConfig& c) { c.quickNote = note; }, true);
  };
  notificationCenter_ = std::make_unique<NotificationCenterSurface>(
      shell_->popups(), compositionHost_.compositor(), [] { return std::make_unique<SurfaceWindowWin32>(); },
      shell_->config(), shell_->theme(), std::move(deps));
  notificationCenter_->Create();
  shell_->Register(*notificationCenter_, {ShellCommand::ToggleNotificationCenter});
}

bool DockWindow::FullScreenOnDockMonitor() {
  const DockMonitorInfo& monitor = hub_->monitor();
  return Win32DockHideProbe(windowSystem_, reinterpret_cast<HMONITOR>(monitor.handle), monitor.rect, ScreenRect{})
      .FullScreen();
}

void DockWindow::CreateMenuBar() {
  Win32UserProfilePlatform profilePlatform;
  const UserProfile profile = UserProfile::Load(profilePlatform, PlatformIconExtractor());
  userName_ = profile.userName.empty() ? std::wstring(L"Admin") : profile.userName;
  menuBarAppBar_ = std::make_unique<AppBar>(appBarPlatform_, kMenuBarAppBarMessage);
  brightness_ = std::make_unique<BrightnessWheel>(
      Win32BrightnessWheelDeps([window = renderWindow()] { PostMessageW(window, kBrightnessArrivedMessage, 0, 0); }));

  MenuBarDeps deps;
  deps.clock = clock_.get();
  deps.measurer = textMeasurer_.get();
  deps.userName = profile.userName;
  deps.avatar = profile.avatar;
  deps.monitor = [this] {
    const DockMonitorInfo& dock = hub_->monitor();
    return MenuBarMonitor{dock.handle, dock.rect, dock.scale};
  };
  deps.frontmostAppName = [this] { return tracker_.FrontmostAppName(); };
  deps.unreadCount = [this] { return notificationFeed_ ? notificationFeed_->Count() : std::size_t{0}; };
  deps.online = InternetConnected;
  deps.readVolume = [this](float& volume, bool& muted) { return GetVolume(systemControls_, volume, muted); };
  deps.changeVolume = [this](float delta) { ChangeVolume(systemControls_, delta); };
  deps.setMute = [this](bool muted) { SetMute(systemControls_, muted); };
  deps.battery = [this] { return ReadBatteryStatus(systemControls_); };
  deps.fullScreen = [this] { return FullScreenOnDockMonitor(); };
  deps.reserve = [this](std::uintptr_t window, const ScreenRect& strip) {
    return menuBarAppBar_->Reserve(static_cast<WindowHandle>(window), AppBarEdge::Top, hub_->monitor().rect,
                                   strip.Height());
  };
  deps.release = [this] { menuBarAppBar_->Release(); };
  deps.appBarNotify = [this](std::uintptr_t wParam, std::intptr_t lParam) {
    const AppBarNotice notice = menuBarAppBar_->OnNotify(wParam, lParam);
    MenuBarAppBarEvent event;
    switch (notice.kind) {
      case AppBarNotice::Kind::Moved: event.granted = notice.rect; break;
      case AppBarNotice::Kind::FullScreenOpened: event.fullScreenProgram = true; break;
      case AppBarNotice::Kind::FullScreenClosed: event.fullScreenProgram = false; break;
      case AppBarNotice::Kind::None: break;
    }
    return event;
  };
  deps.brightnessStep = [this](MonitorHandle monitor, float delta) { brightness_->Step(monitor, delta); };
  deps.openMenu = [this](MenuBarItemKind menu, ShellAnchor at) { OpenMenuBarMenu(menu, at); };
  deps.launch = [this](const std::wstring& target) { return launcher_->Launch(target, L""); };
  menuBar_ = std::make_unique<MenuBarSurface>(compositionHost_.compositor(), std::make_unique<SurfaceWindowWin32>(),
                                              shell_->config(), shell_->theme(), *shell_, std::move(deps));
  menuBar_->Create();
  const HWND bar = reinterpret_cast<HWND>(menuBar_->window().NativeHandle());
  menuBarPlatform_ = std::make_unique<Win32MenuBarMenuPlatform>(bar, windowSystem_, tracker_);
  menuBarActions_ = std::make_unique<MenuBarMenuActions>(*shell_, *menuSystem_, *menuBarPlatform_);
  shell_->Register(*menuBar_, {});
  if (menuBar_->visible()) Log(L"Menu bar shown");
}

void DockWindow::OpenMenuBarMenu(MenuBarItemKind menu, ShellAnchor at) {
  // The window the application and window menus act on is taken now,
  // before the menu window takes the focus.
  const MenuBarTarget target = CaptureMenuTarget(tracker_.Apps(), tracker_.FrontmostWindow());
  const bool valid = menuBarActions_->CanActOn(target);
  switch (menu) {
    case MenuBarItemKind::User:
      ShowMenu(at, BuildLogoMenu(userName_, TaskbarHidden().load()),
               [this](int id) { menuBarActions_->LogoChosen(id); });
      return;
    case MenuBarItemKind::App:
      ShowMenu(at, BuildAppMenu(valid), [this, target](int id) { menuBarActions_->AppChosen(target, id); });
      return;
    case MenuBarItemKind::Window:
      ShowMenu(at, BuildWindowMenu(valid, shell_->config().stageManagerEnabled),
               [this, target](int id) { menuBarActions_->WindowChosen(target, id); });
      return;
    case MenuBarItemKind::Go:
      ShowMenu(at, BuildGoMenu(), [this](int id) { menuBarActions_->GoChosen(id); });
      return;
    default:
      return;
  }
}

PopupMonitor DockWindow::DockPopupMonitor() const {
  const DisplayMonitor monitor = display_.Find(hub_->monitor().handle);
  return PopupMonitor{monitor.rect, monitor.workArea, monitor.scale};
}

bool DockWindow::ShowMenu(ShellAnchor at, std::vector<MenuItem> items, std::function<void(int)> choice) {
  // Laid out and placed with the scale of the monitor the anchor is on.
  const DisplayMonitor monitor = display_.FromPoint({at.x, at.y});
  const PopupMonitor popupMonitor{monitor.rect, monitor.workArea, monitor.scale};
  return contextMenu_->Show(at.x, at.y, popupMonitor, std::move(items), shell_->theme(), std::move(choice));
}

void DockWindow::OnStatusIcon(LPARAM lParam) {
  switch (StatusIconActionFor(lParam)) {
    case StatusIconAction::GlobalMenu:
      // A menu opened from the status area needs the foreground first, or
      // it would not close on a click elsewhere. Without an anchor the
      // dock's menu opens at the pointer.
      SetForegroundWindow(renderWindow());
      shell_->Run(ShellCommand::OpenDockMenu);
      return;
    case StatusIconAction::Settings:
      shell_->Run(ShellCommand::OpenSettings);
      return;
    case StatusIconAction::None:
      return;
  }
}

// The input window stays in the topmost band directly below the render
// window. The render window is click-through, so the pointer still reaches
// the input window; and where a system does not honour the input window's
// lack of a redirection surface (it would paint it opaque), the dock stays
// visible above it.
HWND DockWindow::InputWindowInsertAfter() const {
  return renderWindow() != nullptr && IsWindow(renderWindow()) ? renderWindow() : HWND_TOPMOST;
}

void DockWindow::RegisterRecycleBinNotifications() {
  recycleBinFull_ = RecycleBinHasItems(systemControls_);
  PIDLIST_ABSOLUTE bin = nullptr;
  if (FAILED(SHGetKnownFolderIDList(FOLDERID_RecycleBinFolder, 0, nullptr, &bin)) || bin == nullptr) return;
  SHChangeNotifyEntry entry{bin, TRUE};
  shellNotifyId_ = SHChangeNotifyRegister(renderWindow(), kShellNotifySources, kAllShellEvents,
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
  const HRESULT hr = RegisterDragDrop(inputWindow(), dropTarget_.Get());
  if (FAILED(hr)) {
    Log(L"RegisterDragDrop failed (0x%08X)", static_cast<std::uint32_t>(hr));
    dropTarget_ = nullptr;
  }
}

void DockWindow::RecyclePendingFiles() {
  std::vector<std::vector<std::wstring>> batches;
  batches.swap(pendingRecycles_);
  for (const auto& paths : batches) RecycleDroppedFiles(renderWindow(), paths);
}

// --- what the hub asks of the desktop ---------------------------------------------------------

DockMonitorInfo DockWindow::DescribeMonitor(MonitorHandle monitor) {
  return DescribeDockMonitor(display_, monitor);
}

MonitorHandle DockWindow::MonitorUnderPointer() { return orvane::MonitorUnderPointer(display_); }

void DockWindow::PlaceRenderWindow(const ScreenRect& r) {
  SetWindowPos(renderWindow(), HWND_TOPMOST, r.left, r.top, r.Width(), r.Height(), SWP_NOACTIVATE);
}

void DockWindow::PlaceInputWindow(const ScreenRect& r) {
  SetWindowPos(inputWindow(), InputWindowInsertAfter(), r.left, r.top, r.Width(), r.Height(), SWP_NOACTIVATE);
}

std::unique_ptr<DockHideProbe> DockWindow::CreateHideProbe(const DockMonitorInfo& monitor, const ScreenRect& dockRect) {
  return std::make_unique<Win32DockHideProbe>(windowSystem_, reinterpret_cast<HMONITOR>(monitor.handle), monitor.rect,
                                              dockRect);
}

void DockWindow::SaveConfig(const DockConfig& config) { orvane::SaveConfig(config); }

bool DockWindow::OpenWithSystem(const std::wstring& target) { return launcher_ && launcher_->Launch(target); }

bool DockWindow::EditConfigFile() {
  return launcher_ && launcher_->Launch(L"notepad.exe", L"\"" + ConfigPath() + L"\"");
}

void DockWindow::OpenQuickSettings() { orvane::OpenQuickSettings(windowSystem_); }

bool DockWindow::EscapeHeld() { return (GetAsyncKeyState(VK_ESCAPE) & 0x8000) != 0; }

void DockWindow::ReleasePointerCapture() {
  if (inputSurface_.HasCapture()) inputSurface_.ReleaseCapture();
}

// --- frames -----------------------------------------------------------------------------------

void DockWindow::RecoverDevice() {
  RecoverLostDevice(compositionHost_.compositor(),
                    DeviceRecoverySteps{[this] { graphicsDevice_.Create(); },
                                        [this] { compositionHost_.RecoverRenderingDevice(); },
                                        [this] { hub_->dock().ConfigurePlate(); },
                                        [this] { shell_->DeviceLost(); }, requestFrame_});
}

bool DockWindow::FrameStep(float dt) {
  if (!hub_) return false;
  ++frameSteps_;
  RecoverDevice();
  const bool more = shell_->FrameStep(dt);
  compositionHost_.Present();
  if (!firstFrameLogged_) {
    firstFrameLogged_ = true;
    Log(L"First frame presented %u ms after start", MillisecondsSinceProcessStart());
    // The notification area may have to start up first: off the way to the
    // first frame.
    statusIcon_.Add(renderWindow(), instance_);
    CreateMenuBar();
  }
  return more;
}

void DockWindow::RefreshTracker() {
  tracker_.Refresh();
  shell_->TrackerChanged(FromHwnd(GetForegroundWindow()));
}

void DockWindow::RequestFrame() {
  if (requestFrame_) requestFrame_();
}

// --- the windows' events ------------------------------------------------------------------------

void DockWindow::RenderEvents::OnDisplayChanged() {
  if (owner_.shell_) owner_.shell_->DisplayChanged();
}

void DockWindow::RenderEvents::OnDpiChanged(float /*scale*/, const SurfaceRect& /*suggested*/) {
  // The dock places its windows itself, on the monitor it stands on.
  if (owner_.shell_) owner_.shell_->DisplayChanged();
}

// Sent by the setup program to end a running copy.
void DockWindow::RenderEvents::OnCloseRequested() { DestroyWindow(owner_.renderWindow()); }

std::optional<std::intptr_t> DockWindow::RenderEvents::OnRawMessage(std::uint32_t message, std::uintptr_t wParam,
                                                                    std::intptr_t lParam) {
  DockWindow& o = owner_;
  switch (message) {
    case WM_TIMER:
      if (wParam == kTrackerTimer) {
        KillTimer(o.renderWindow(), kTrackerTimer);
        if (o.shell_) o.RefreshTracker();
        return 0;
      }
      if (wParam == kPeriodicTimer) {
        if (o.shell_) o.shell_->PeriodicTick();
        return 0;
      }
      return std::nullopt;
    case kTrackerChangedMessage:
      // Re-arming delays the refresh: a burst of window events costs one.
      SetTimer(o.renderWindow(), kTrackerTimer, kTrackerDelayMs, nullptr);
      return 0;
    case WM_HOTKEY:
      if (o.hotkeys_.OnHotkeyMessage(static_cast<int>(wParam))) return 0;
      return std::nullopt;
    case kSwitcherHookMessage:
      o.hotkeys_.OnSwitcherMessage(wParam);
      return 0;
    case kRecycleBinChangedMessage:
      if (o.hub_) o.OnRecycleBinChanged(static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
      return 0;
    case kRecycleDroppedMessage:
      o.RecyclePendingFiles();
      return 0;
    case kIconsArrivedMessage:
      if (o.hub_) o.hub_->IconsArrived();
      return 0;
    case kBrightnessArrivedMessage:
      // The bar shows no level; the result only clears the worker's slot.
      if (o.brightness_) o.brightness_->TakeResult();
      return 0;
    case kStatusIconMessage:
      if (o.shell_) o.OnStatusIcon(static_cast<LPARAM>(lParam));
      return 0;
    case kFrameCountQueryMessage:
      return static_cast<std::intptr_t>(o.frameSteps_);
    case WM_SETTINGCHANGE:
      if (o.shell_) o.shell_->SetTheme(ReadTheme());
      return std::nullopt;
    case WM_ENDSESSION:
      if (wParam != FALSE && o.shell_) o.shell_->RestoreOnExit();
      return 0;
    case WM_DESTROY:
      o.OnDestroy();
      return 0;
    default:
      if (o.taskbarCreatedMessage_ != 0 && message == o.taskbarCreatedMessage_) {
        // Explorer restarted: the icon is gone with the old taskbar.
        o.statusIcon_.Add(o.renderWindow(), o.instance_);
        return 0;
      }
      return std::nullopt;
  }
}

void DockWindow::OnDestroy() {
  KillTimer(renderWindow(), kTrackerTimer);
  KillTimer(renderWindow(), kPeriodicTimer);
  if (shell_) {
    shell_->RestoreOnExit();
    shell_->Teardown();
  }
  tracker_.Uninstall();
  UnregisterShellNotifications();
  PostQuitMessage(0);
}

Vector2 DockWindow::InputEvents::Dips(const SurfacePointer& pointer) const {
  return owner_.hub_->dock().ScreenToDips(pointer.screen.x, pointer.screen.y);
}

void DockWindow::InputEvents::OnPointerMove(const SurfacePointer& pointer) {
  if (owner_.hub_) owner_.hub_->dock().PointerMoved(Dips(pointer));
}

void DockWindow::InputEvents::OnPointerLeave() {
  if (owner_.hub_) owner_.hub_->dock().PointerLeft();
}

void DockWindow::InputEvents::OnButtonDown(PointerButton button, const SurfacePointer& pointer) {
  if (!owner_.hub_ || button != PointerButton::Left) return;
  owner_.inputSurface_.SetCapture();
  owner_.hub_->dock().ButtonDown(Dips(pointer));
}

void DockWindow::InputEvents::OnButtonUp(PointerButton button, const SurfacePointer& pointer) {
  if (!owner_.hub_) return;
  if (button == PointerButton::Left) {
    owner_.ReleasePointerCapture();
    owner_.hub_->dock().ButtonUp(Dips(pointer));
  } else if (button == PointerButton::Right) {
    owner_.hub_->dock().RightButtonUp(Dips(pointer));
  }
}

void DockWindow::InputEvents::OnCaptureLost() {
  if (owner_.hub_) owner_.hub_->dock().CaptureLost();
}

std::optional<std::intptr_t> DockWindow::InputEvents::OnRawMessage(std::uint32_t message, std::uintptr_t wParam,
                                                                   std::intptr_t lParam) {
  if (message != kDockCommandMessage || !owner_.hub_) return std::nullopt;
  return static_cast<std::intptr_t>(
      owner_.hub_->dock().Command(static_cast<std::uint64_t>(wParam), static_cast<std::int64_t>(lParam)));
}

}  // namespace orvane
