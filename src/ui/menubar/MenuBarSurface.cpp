#include "ui/menubar/MenuBarSurface.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "app/Log.h"
#include "platform/MessageIds.h"
#include "ui/menubar/MenuBarView.h"

namespace orvane {
namespace {

using Kind = MenuBarItemKind;

// The status is sampled every eighth tick of the shell's 260 ms timer.
constexpr unsigned kStatusTicks = 8;
constexpr float kWheelStep = 0.05f;
constexpr float kBlurDip = 20;
constexpr float kTintDark = 0.42f, kTintLight = 0.5f;

// Control-center pages.
constexpr int kPageGrid = 0, kPageWifi = 1, kPageBluetooth = 2, kPageDisplay = 3, kPageSound = 4;

}  // namespace

MenuBarSurface::MenuBarSurface(Compositor& compositor, std::unique_ptr<SurfaceWindow> window, const DockConfig& config,
                               const Theme& theme, ShellCommands& commands, MenuBarDeps deps)
    : compositor_(compositor),
      window_(std::move(window)),
      config_(config),
      theme_(theme),
      commands_(commands),
      deps_(std::move(deps)),
      model_(deps_.measurer) {
  model_.SetUserName(deps_.userName);
}

MenuBarSurface::~MenuBarSurface() {
  Unreserve();
  if (window_ && window_->IsCreated()) window_->Destroy();
}

void MenuBarSurface::Create() {
  SurfaceWindowParams params;
  params.className = kMenuBarClass;
  params.title = kMenuBarTitle;
  params.kind = SurfaceKind::Strip;
  params.band = SurfaceBand::Topmost;
  params.takesFocus = false;
  params.initialRect = SurfaceRect{0, 0, 1280, 28};
  window_->Create(params, this);
  glass_.Attach(window_->NativeHandle(), compositor_, true);
  Configure();
}

void MenuBarSurface::Configure() {
  if (!window_->IsCreated()) return;
  if (!config_.menuBarEnabled) {
    Unreserve();
    window_->Hide();
    visible_ = false;
    return;
  }
  monitor_ = deps_.monitor ? deps_.monitor() : MenuBarMonitor{};
  monitor_.scale = std::isfinite(monitor_.scale) ? std::max(monitor_.scale, 1.0f) : 1.0f;
  const ScreenRect& b = monitor_.bounds;
  const int width = std::max(b.Width(), static_cast<int>(menu_bar::kMinWidthPx));
  const int height = static_cast<int>(std::lround(menu_bar::kHeightDip * monitor_.scale));
  visible_ = true;
  FollowFrontmostApp();
  Place(ScreenRect{b.left, b.top, b.left + width, b.top + height});
  if (config_.menuBarReserveTop) {
    Reserve();
  } else {
    Unreserve();
  }
  RefreshStatus();
  FollowFullScreen();
  Draw();
}

void MenuBarSurface::Place(const ScreenRect& rect) {
  rect_ = rect;
  ConfigureGlass();
  model_.SetWidth(static_cast<float>(rect.Width()) / monitor_.scale);
  window_->Place(SurfaceRect{rect.left, rect.top, rect.right, rect.bottom});
  if (!hiddenForFullScreen_) window_->Show(false);
}

// The strip is the theme's glass without corners or shadow.
void MenuBarSurface::ConfigureGlass() {
  const float k = monitor_.scale;
  glass_.Configure(static_cast<float>(rect_.Width()) / k, static_cast<float>(rect_.Height()) / k, 0, 0, k, theme_,
                   kBlurDip, theme_.dark ? kTintDark : kTintLight);
}

// The strip is reserved at the top of the work area; the shell may grant
// another place (below a taskbar docked at the top), and the bar goes there.
void MenuBarSurface::Reserve() {
  if (!deps_.reserve) return;
  const std::optional<ScreenRect> granted = deps_.reserve(window_->NativeHandle(), rect_);
  if (!granted) return;  // tried again on the next configuration
  if (!reserved_) Log(L"Menu bar: its strip of the work area is reserved");
  reserved_ = true;
  if (!granted->IsEmpty() && !(*granted == rect_)) Place(*granted);
}

void MenuBarSurface::Unreserve() {
  if (!reserved_) return;
  reserved_ = false;
  if (deps_.release) deps_.release();
}

void MenuBarSurface::FollowFullScreen() {
  if (deps_.fullScreen) ApplyFullScreen(deps_.fullScreen());
}

// A topmost bar would cover the top of a full-screen video or game.
void MenuBarSurface::ApplyFullScreen(bool fullScreen) {
  if (fullScreen == hiddenForFullScreen_) return;
  hiddenForFullScreen_ = fullScreen;
  if (!visible_) return;
  if (fullScreen) {
    window_->Hide();
  } else {
    window_->Show(false);
    Draw();
  }
}

void MenuBarSurface::RefreshStatus() {
  if (!visible_) return;
  MenuBarStatus status = model_.status();
  if (deps_.clock != nullptr) {
    const CivilTime now = deps_.clock->LocalNow();
    status.clockText = MenuBarClockText(now.month, now.day, now.weekday, now.hour, now.minute);
  }
  if (deps_.online) status.online = deps_.online();
  float volume = status.volume;
  bool muted = status.muted;
  // A failed read keeps what was shown.
  if (deps_.readVolume && deps_.readVolume(volume, muted)) {
    status.volume = volume;
    status.muted = muted;
  }
  if (deps_.battery) {
    const BatteryStatus battery = deps_.battery();
    status.hasBattery = battery.hasBattery;
    status.charging = battery.charging;
    status.batteryPercent = battery.percent;
  }
  status.unreadCount = deps_.unreadCount ? deps_.unreadCount() : 0;
  if (model_.ApplyStatus(status)) Draw();
}

void MenuBarSurface::FollowFrontmostApp() {
  if (!deps_.frontmostAppName) return;
  if (model_.SetAppName(deps_.frontmostAppName()) && visible_) Draw();
}

void MenuBarSurface::Draw() {
  if (!visible_ || hiddenForFullScreen_) return;
  const auto& surface = glass_.contentSurface();
  if (surface == nullptr) return;
  compositor_.DrawSurface(*surface, glass_.contentWidthPx(), glass_.contentHeightPx(), [&](Canvas& canvas) {
    DrawMenuBar(canvas, model_, theme_.dark, monitor_.scale, deps_.avatar);
  });
}

ShellAnchor MenuBarSurface::AnchorOf(const MenuBarItem& item) const {
  const float k = monitor_.scale;
  return ShellAnchor{rect_.left + static_cast<int>(std::lround(k * (item.x + item.width / 2))),
                     rect_.top + rect_.Height() + static_cast<int>(std::lround(k * 4))};
}

float MenuBarSurface::Dip(const SurfacePointer& pointer) const {
  return static_cast<float>(pointer.client.x) / monitor_.scale;
}

// --- input ---------------------------------------------------------------------------------

void MenuBarSurface::OnPointerMove(const SurfacePointer& pointer) {
  if (model_.PointerMove(Dip(pointer))) Draw();
}

void MenuBarSurface::OnPointerLeave() {
  if (model_.PointerLeave()) Draw();
}

// A click is a press and a release on the same slot (the host pairs them).
int MenuBarSurface::HitTarget(SurfacePoint client) {
  const MenuBarItem* item = model_.ItemAt(static_cast<float>(client.x) / monitor_.scale);
  return item == nullptr ? kNoSurfaceTarget : static_cast<int>(item->kind);
}

void MenuBarSurface::OnClick(PointerButton button, int target, const SurfacePointer&) {
  if (button == PointerButton::Middle) return;
  if (const MenuBarItem* item = model_.Find(static_cast<Kind>(target))) Click(*item, button == PointerButton::Right);
}

void MenuBarSurface::Click(const MenuBarItem& item, bool right) {
  ShellCommandArgs args;
  args.anchor = AnchorOf(item);
  const auto openPage = [&](int page, bool anchored) {
    args.page = page;
    if (!anchored) args.anchor.reset();
    commands_.Run(ShellCommand::OpenControlCenter, args);
  };
  switch (item.kind) {
    case Kind::User:
    case Kind::App:
    case Kind::Window:
    case Kind::Go:
      if (deps_.openMenu) deps_.openMenu(item.kind, *args.anchor);
      return;
    case Kind::Tray:
      commands_.Run(right ? ShellCommand::ToggleTaskbar : ShellCommand::ToggleTrayPopup, args);
      return;
    case Kind::Wifi: openPage(kPageWifi, true); return;
    case Kind::Bluetooth: openPage(kPageBluetooth, true); return;
    case Kind::Brightness: openPage(kPageDisplay, true); return;
    case Kind::Volume:
      if (!right) {
        openPage(kPageSound, true);
        return;
      }
      if (deps_.setMute) deps_.setMute(!model_.status().muted);
      RefreshStatus();
      return;
    case Kind::Battery:
      if (deps_.launch) deps_.launch(L"ms-settings:powersleep");
      return;
    case Kind::Search: commands_.Run(ShellCommand::OpenLauncherGrid, args); return;
    case Kind::ControlCenter: openPage(kPageGrid, false); return;
    case Kind::Clock: commands_.Run(ShellCommand::ToggleNotificationCenter, args); return;
  }
}

void MenuBarSurface::OnWheel(WheelAxis axis, int notches, const SurfacePointer& pointer) {
  if (axis != WheelAxis::Vertical || notches == 0) return;
  const MenuBarItem* item = model_.ItemAt(Dip(pointer));
  if (item == nullptr) return;
  const float delta = kWheelStep * static_cast<float>(notches);
  if (item->kind == Kind::Volume && deps_.changeVolume) {
    deps_.changeVolume(delta);
    RefreshStatus();
  } else if (item->kind == Kind::Brightness && deps_.brightnessStep) {
    deps_.brightnessStep(monitor_.handle, delta);
  }
}

std::optional<std::intptr_t> MenuBarSurface::OnRawMessage(std::uint32_t message, std::uintptr_t wParam,
                                                         std::intptr_t lParam) {
  if (message == kMenuBarSlotQueryMessage) {
    const MenuBarItem* item = model_.Find(static_cast<Kind>(wParam));
    if (item == nullptr || !visible_) return -1;
    const float value = lParam == 0 ? item->x : item->width;
    return static_cast<std::intptr_t>(std::lround(value * monitor_.scale));
  }
  if (message == kMenuBarAppBarMessage && deps_.appBarNotify && reserved_) {
    const MenuBarAppBarEvent event = deps_.appBarNotify(wParam, lParam);
    if (event.granted && !event.granted->IsEmpty()) Place(*event.granted);
    if (event.fullScreenProgram) {
      // The shell's word when a program goes full screen; our own look when
      // it says one left (another may still run).
      if (*event.fullScreenProgram) {
        ApplyFullScreen(true);
      } else {
        FollowFullScreen();
      }
    }
    Draw();
    return 0;
  }
  return std::nullopt;
}

// --- the shell's events ------------------------------------------------------------------

void MenuBarSurface::ConfigurationChanged(const DockConfig& before) {
  if (before.menuBarEnabled != config_.menuBarEnabled || before.menuBarReserveTop != config_.menuBarReserveTop) {
    Configure();
  }
}

void MenuBarSurface::ThemeChanged(const Theme& theme) {
  theme_ = theme;
  if (!visible_) return;
  ConfigureGlass();
  Draw();
}

void MenuBarSurface::TrackerChanged() {
  if (!visible_) return;
  FollowFrontmostApp();
  FollowFullScreen();
}

void MenuBarSurface::PeriodicTick(unsigned tick) {
  if (!visible_ || tick % kStatusTicks != 0) return;
  RefreshStatus();
  FollowFullScreen();
}

void MenuBarSurface::DeviceLost() {
  if (!visible_) return;
  glass_.SetStyle(glass_.theme(), -1);
  Draw();
}

// The work area goes back to the other programs whatever ends the run.
void MenuBarSurface::RestoreOnExit() { Unreserve(); }

void MenuBarSurface::Teardown() {
  Unreserve();
  if (window_->IsCreated()) window_->Hide();
  visible_ = false;
}

}  // namespace orvane
