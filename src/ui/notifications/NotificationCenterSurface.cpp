#include "ui/notifications/NotificationCenterSurface.h"

#include <cmath>
#include <utility>

#include "ui/notifications/NotificationCenterView.h"

namespace orvane {
namespace {

constexpr std::chrono::seconds kHeldArrivalLimit{60};

bool Inside(const RectF& r, PointF p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

PointF PlatePoint(const GlassSurfaceWindow& glass, const SurfacePointer& pointer) {
  const float scale = glass.scale() > 0 ? glass.scale() : 1;
  return {(static_cast<float>(pointer.client.x) - glass.marginPx()) / scale,
          (static_cast<float>(pointer.client.y) - glass.marginPx()) / scale};
}

}  // namespace

NotificationCenterSurface::NotificationCenterSurface(PopupStack& stack, Compositor& compositor,
                                                     const SurfaceWindowFactory& makeWindow, const DockConfig& config,
                                                     const Theme& theme, NotificationCenterDeps deps)
    : compositor_(compositor),
      config_(config),
      theme_(theme),
      deps_(std::move(deps)),
      model_(*deps_.list, [this](const std::wstring& note) {
        if (deps_.noteChanged) deps_.noteChanged(note);
      }),
      panel_(PopupKind::NotificationCenter, stack, compositor, makeWindow()),
      bannerWindow_(makeWindow()) {
  panel_.SetContent([this](Canvas& canvas, const GlassSurfaceWindow& glass) {
    DrawNotificationPanel(canvas, model_, theme_, glass.scale(), deps_.clock->LocalNow());
  });
  panel_.SetInput(&panelInput_);
  panel_.SetOnHidden([this] {
    model_.Closed();
    panel_.window().SetTextInput(std::nullopt);
  });
}

NotificationCenterSurface::~NotificationCenterSurface() {
  if (bannerWindow_ && bannerWindow_->IsCreated()) bannerWindow_->Destroy();
}

void NotificationCenterSurface::Create() {
  SurfaceWindowParams params;
  params.className = kNotificationCenterClass;
  params.title = L"Orvane 通知中心";
  params.kind = SurfaceKind::Popup;
  params.band = SurfaceBand::Topmost;
  params.takesFocus = true;
  params.initialRect = SurfaceRect{0, 0, 380, 670};
  panel_.Create(params);

  SurfaceWindowParams banner;
  banner.className = kNotificationBannerClass;
  banner.title = L"Orvane 通知横幅";
  banner.kind = SurfaceKind::Strip;
  banner.band = SurfaceBand::Topmost;
  banner.takesFocus = false;
  banner.initialRect = SurfaceRect{0, 0, 360, 112};
  bannerWindow_->Create(banner, this);
  bannerGlass_.Attach(bannerWindow_->NativeHandle(), compositor_, true);

  // The first poll lists what is there already; later ones find arrivals.
  deps_.list->RequestRefresh();
}

PopupMonitor NotificationCenterSurface::Monitor() const { return deps_.monitor ? deps_.monitor() : PopupMonitor{}; }

// --- the panel ---------------------------------------------------------------------------

void NotificationCenterSurface::ShowPanel() {
  using namespace notification_panel;
  HideBanner();
  model_.Open(config_.quickNote, deps_.clock->LocalNow());
  if (deps_.stats != nullptr) model_.SetSample(deps_.stats->Sample());
  lastPanelRefresh_ = deps_.now();
  shownSecond_ = deps_.clock->LocalNow().second;
  panel_.Show(PopupAnchor::TopRightOfMonitor(kRightGap, kTopGap), Monitor(), PanelShape(), theme_);
}

PopupGlassShape NotificationCenterSurface::PanelShape() const {
  using namespace notification_panel;
  PopupGlassShape shape;
  shape.widthDip = kWidth;
  shape.heightDip = kHeight;
  shape.marginDip = kMargin;
  shape.cornerRadiusDip = kCornerRadius;
  shape.blurDip = kBlur;
  shape.tintOpacity = theme_.dark ? kTintDark : kTintLight;
  return shape;
}

void NotificationCenterSurface::RedrawPanel() {
  if (!panel_.visible()) return;
  shownSecond_ = deps_.clock->LocalNow().second;
  panel_.Redraw();
}

PointF NotificationCenterSurface::PanelPoint(const SurfacePointer& pointer) const {
  return PlatePoint(panel_.glass(), pointer);
}

void NotificationCenterSurface::Respond(NotificationResponse response) {
  switch (response) {
    case NotificationResponse::None:
      return;
    case NotificationResponse::Redraw:
      RedrawPanel();
      FollowTextInput();
      return;
    case NotificationResponse::Hide:
      panel_.Hide();
      return;
  }
}

// The input method follows the note's caret while the note is edited.
void NotificationCenterSurface::FollowTextInput() {
  SurfaceWindow& window = panel_.window();
  if (!model_.editing() || deps_.measurer == nullptr) {
    window.SetTextInput(std::nullopt);
    return;
  }
  const GlassSurfaceWindow& glass = panel_.glass();
  const float k = glass.scale() > 0 ? glass.scale() : 1;
  const float m = glass.marginPx();
  const RectF caret = NoteCaretRect(model_.note(), *deps_.measurer);
  SurfaceTextInput input;
  input.caret = SurfaceRect{static_cast<int>(std::floor(m + caret.left * k)), static_cast<int>(std::floor(m + caret.top * k)),
                            static_cast<int>(std::ceil(m + caret.right * k)), static_cast<int>(std::ceil(m + caret.bottom * k))};
  input.ime = model_.note().imeAllowed();
  window.SetTextInput(input);
}

void NotificationCenterSurface::PanelInput::OnPointerMove(const SurfacePointer& pointer) {
  owner_.Respond(owner_.model_.PointerMove(owner_.PanelPoint(pointer)));
}

void NotificationCenterSurface::PanelInput::OnPointerLeave() { owner_.Respond(owner_.model_.PointerLeave()); }

void NotificationCenterSurface::PanelInput::OnButtonDown(PointerButton button, const SurfacePointer& pointer) {
  if (button == PointerButton::Left) owner_.model_.PointerDown(owner_.PanelPoint(pointer));
}

void NotificationCenterSurface::PanelInput::OnButtonUp(PointerButton button, const SurfacePointer& pointer) {
  if (button == PointerButton::Left) owner_.Respond(owner_.model_.PointerUp(owner_.PanelPoint(pointer)));
}

void NotificationCenterSurface::PanelInput::OnWheel(WheelAxis axis, int notches, const SurfacePointer&) {
  if (axis == WheelAxis::Vertical) owner_.Respond(owner_.model_.Wheel(notches));
}

bool NotificationCenterSurface::PanelInput::OnKey(const SurfaceKey& key) {
  if (!key.down) return false;
  const std::optional<NotificationResponse> response = owner_.model_.Key(key.virtualKey);
  if (!response) return false;
  owner_.Respond(*response);
  return true;
}

void NotificationCenterSurface::PanelInput::OnChar(char32_t codePoint) {
  owner_.Respond(owner_.model_.Char(codePoint));
}

// --- the banner --------------------------------------------------------------------------

void NotificationCenterSurface::ShowBanner(const NotificationRecord& record) {
  using namespace notification_banner;
  if (panel_.visible() || !bannerWindow_->IsCreated()) return;
  const PopupMonitor monitor = Monitor();
  bannerRecord_ = record;
  bannerCloseHovered_ = false;
  bannerPressed_ = false;
  bannerGlass_.Configure(kWidth, kHeight, kMargin, kCornerRadius, monitor.scale, theme_, kBlur,
                         theme_.dark ? kTintDark : kTintLight);
  const PopupPlacement placed =
      PlacePopup(PopupAnchor::TopRightOfMonitor(kRightGap, kTopGap),
                 {bannerGlass_.contentWidthPx(), bannerGlass_.contentHeightPx(),
                  static_cast<int>(std::lround(bannerGlass_.marginPx()))},
                 monitor);
  const ScreenRect& r = placed.window;
  bannerWindow_->Place(SurfaceRect{r.left, r.top, r.right, r.bottom});
  DrawBanner();
  bannerWindow_->Show(false);
  bannerVisible_ = true;
  bannerShownAt_ = deps_.now();
}

void NotificationCenterSurface::HideBanner() {
  if (!bannerVisible_) return;
  bannerVisible_ = false;
  bannerPressed_ = false;
  bannerWindow_->Hide();
  bannerGlass_.ReleaseSurfaces();
}

void NotificationCenterSurface::DrawBanner() {
  const auto& surface = bannerGlass_.contentSurface();
  if (surface == nullptr || !bannerRecord_) return;
  compositor_.DrawSurface(*surface, bannerGlass_.contentWidthPx(), bannerGlass_.contentHeightPx(), [&](Canvas& canvas) {
    DrawNotificationBanner(canvas, *bannerRecord_, bannerCloseHovered_, theme_, bannerGlass_.scale());
  });
}

PointF NotificationCenterSurface::BannerPoint(const SurfacePointer& pointer) const {
  return PlatePoint(bannerGlass_, pointer);
}

void NotificationCenterSurface::OnPointerMove(const SurfacePointer& pointer) {
  const bool hovered = Inside(notification_banner::kCloseBox, BannerPoint(pointer));
  if (hovered == bannerCloseHovered_) return;
  bannerCloseHovered_ = hovered;
  DrawBanner();
}

void NotificationCenterSurface::OnPointerLeave() {
  if (!bannerCloseHovered_) return;
  bannerCloseHovered_ = false;
  DrawBanner();
}

void NotificationCenterSurface::OnButtonDown(PointerButton button, const SurfacePointer&) {
  if (button == PointerButton::Left && bannerVisible_) bannerPressed_ = true;
}

void NotificationCenterSurface::OnButtonUp(PointerButton button, const SurfacePointer& pointer) {
  if (button != PointerButton::Left || !std::exchange(bannerPressed_, false) || !bannerVisible_) return;
  const bool close = Inside(notification_banner::kCloseBox, BannerPoint(pointer));
  HideBanner();
  if (!close) ShowPanel();
}

// --- the shell's events ------------------------------------------------------------------

void NotificationCenterSurface::PeriodicTick(unsigned tick) {
  if (tick % notification_timing::kFeedPollTicks == 0) deps_.list->RequestRefresh();
  const auto now = deps_.now();
  TickPanel(now);
  TickBanner(now);
}

void NotificationCenterSurface::TickPanel(std::chrono::steady_clock::time_point now) {
  if (!panel_.visible()) return;
  if (now - lastPanelRefresh_ >= notification_timing::kPanelRefresh) {
    lastPanelRefresh_ = now;
    model_.Timer(deps_.stats != nullptr ? deps_.stats->Sample() : model_.sample());
    RedrawPanel();
    return;
  }
  // The header's clock shows seconds.
  if (deps_.clock->LocalNow().second != shownSecond_) RedrawPanel();
}

void NotificationCenterSurface::TickBanner(std::chrono::steady_clock::time_point now) {
  if (bannerVisible_ && now - bannerShownAt_ >= notification_timing::kBannerLifetime) HideBanner();
  if (!config_.showNotificationBanners || panel_.visible() || !deps_.popArrival) return;
  if (bannerVisible_ && now - bannerShownAt_ < notification_timing::kBannerReplaceAfter) return;
  // An arrival that came while a full-screen application ran waits here
  // (a minute at most) rather than going back to the feed.
  if (!heldArrival_) {
    heldArrival_ = deps_.popArrival();
    heldSince_ = now;
    if (!heldArrival_) return;
  }
  if (deps_.fullScreen && deps_.fullScreen()) {
    if (now - heldSince_ >= kHeldArrivalLimit) heldArrival_.reset();
    return;
  }
  const NotificationRecord record = std::move(*heldArrival_);
  heldArrival_.reset();
  ShowBanner(record);
}

void NotificationCenterSurface::ThemeChanged(const Theme& theme) {
  theme_ = theme;
  if (panel_.visible()) {
    panel_.Show(PopupAnchor::TopRightOfMonitor(notification_panel::kRightGap, notification_panel::kTopGap), Monitor(),
                PanelShape(), theme_);
  }
  if (bannerVisible_ && bannerRecord_) ShowBanner(*bannerRecord_);
}

void NotificationCenterSurface::DeviceLost() {
  panel_.RedrawAfterDeviceLoss();
  if (bannerVisible_) {
    bannerGlass_.SetStyle(bannerGlass_.theme(), -1);
    DrawBanner();
  }
}

void NotificationCenterSurface::Teardown() {
  panel_.Hide();
  HideBanner();
}

void NotificationCenterSurface::Run(ShellCommand command, const ShellCommandArgs&) {
  if (command != ShellCommand::ToggleNotificationCenter) return;
  if (panel_.visible()) {
    panel_.Hide();
  } else {
    ShowPanel();
  }
}

}  // namespace orvane
