#include "ui/PopupSurface.h"

#include <cmath>

#include "app/Log.h"

namespace orvane {
namespace {

constexpr unsigned kVirtualKeyEscape = 0x1B;  // VK_ESCAPE

}  // namespace

PopupSurface::PopupSurface(PopupKind kind, PopupStack& stack, Compositor& compositor,
                           std::unique_ptr<SurfaceWindow> window)
    : kind_(kind), stack_(stack), compositor_(compositor), window_(std::move(window)) {
  stack_.Register(kind_, [this] { Hide(); }, [this](PopupEvent event) { Apply(event); });
}

PopupSurface::~PopupSurface() {
  stack_.Register(kind_, nullptr);
  stack_.Closed(kind_);
}

void PopupSurface::Create(const SurfaceWindowParams& params) {
  window_->Create(params, this);
  glass_.Attach(window_->NativeHandle(), compositor_, params.band == SurfaceBand::Topmost);
}

void PopupSurface::Show(const PopupAnchor& anchor, const PopupMonitor& monitor, const PopupGlassShape& shape,
                        const Theme& theme) {
  if (!window_->IsCreated()) return;
  glass_.SetLook(shape.look);
  glass_.Configure(shape.widthDip, shape.heightDip, shape.marginDip, shape.cornerRadiusDip, monitor.scale, theme,
                   shape.blurDip, shape.tintOpacity);
  const PopupPlacement placed =
      PlacePopup(anchor,
                 {glass_.contentWidthPx(), glass_.contentHeightPx(), static_cast<int>(std::lround(glass_.marginPx()))},
                 monitor);
  const ScreenRect& r = placed.window;
  window_->Place(SurfaceRect{r.left, r.top, r.right, r.bottom});
  Redraw();

  window_->Show(false);
  visible_ = true;
  dismissal_.Shown(window_->RequestForeground());
  if (dismissal_.TakeRefusalNotice()) {
    Log(L"Popup %d: the foreground was refused; it closes on the next foreground change",
        static_cast<int>(kind_));
  }
  stack_.Opened(kind_);
}

void PopupSurface::Hide() {
  if (!visible_) return;
  visible_ = false;
  dismissal_.Hidden();
  window_->Hide();
  stack_.Closed(kind_);
  if (onHidden_) onHidden_();
}

void PopupSurface::Redraw() {
  const auto& surface = glass_.contentSurface();
  if (surface == nullptr || !draw_) return;
  compositor_.DrawSurface(*surface, glass_.contentWidthPx(), glass_.contentHeightPx(),
                          [&](Canvas& canvas) { draw_(canvas, glass_); });
}

void PopupSurface::RedrawAfterDeviceLoss() {
  if (!visible_) return;
  glass_.SetStyle(glass_.theme(), -1);
  Redraw();
}

bool PopupSurface::OnKey(const SurfaceKey& key) {
  if (input_ != nullptr && input_->OnKey(key)) return true;
  if (!key.down || key.virtualKey != kVirtualKeyEscape) return false;
  Apply(PopupEvent::Escape);
  return true;
}

int PopupSurface::HitTarget(SurfacePoint client) {
  return input_ != nullptr ? input_->HitTarget(client) : kNoSurfaceTarget;
}

void PopupSurface::OnChar(char32_t codePoint) {
  if (input_ != nullptr) input_->OnChar(codePoint);
}

void PopupSurface::OnWheel(WheelAxis axis, int notches, const SurfacePointer& pointer) {
  if (input_ != nullptr) input_->OnWheel(axis, notches, pointer);
}

void PopupSurface::OnClick(PointerButton button, int target, const SurfacePointer& pointer) {
  if (input_ != nullptr) input_->OnClick(button, target, pointer);
}

void PopupSurface::OnButtonDown(PointerButton button, const SurfacePointer& pointer) {
  // The shadow margin belongs to the window but not to the popup.
  const float margin = glass_.marginPx();
  const float x = static_cast<float>(pointer.client.x) - margin;
  const float y = static_cast<float>(pointer.client.y) - margin;
  if (x < 0 || y < 0 || x >= static_cast<float>(glass_.contentWidthPx()) ||
      y >= static_cast<float>(glass_.contentHeightPx())) {
    Apply(PopupEvent::OutsideClick);
    return;
  }
  if (input_ != nullptr) input_->OnButtonDown(button, pointer);
}

void PopupSurface::OnPointerMove(const SurfacePointer& pointer) {
  if (input_ != nullptr) input_->OnPointerMove(pointer);
}

void PopupSurface::OnPointerLeave() {
  if (input_ != nullptr) input_->OnPointerLeave();
}

void PopupSurface::OnButtonUp(PointerButton button, const SurfacePointer& pointer) {
  if (input_ != nullptr) input_->OnButtonUp(button, pointer);
}

void PopupSurface::Apply(PopupEvent event) {
  // The foreground moving to the popup's own window is its activation,
  // whichever of the two notices the system sends first.
  if (event == PopupEvent::ForegroundChanged && visible_ && window_->IsForeground()) event = PopupEvent::Activated;
  if (dismissal_.On(event) != PopupCloseReason::None) Hide();
}

}  // namespace orvane
