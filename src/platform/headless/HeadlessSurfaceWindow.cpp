#include "platform/headless/HeadlessSurfaceWindow.h"

#include <algorithm>

namespace orvane {

// --- desktop ---------------------------------------------------------------------------------

void HeadlessSurfaceDesktop::ActivateOtherProgram() { SetForeground(nullptr); }

void HeadlessSurfaceDesktop::CaptureByOtherProgram() { SetCapture(nullptr); }

std::vector<const HeadlessSurfaceWindow*> HeadlessSurfaceDesktop::VisibleFrontToBack() const {
  std::vector<const HeadlessSurfaceWindow*> result;
  for (SurfaceBand band : {SurfaceBand::Topmost, SurfaceBand::Normal}) {
    for (const HeadlessSurfaceWindow* window : windows_) {
      if (window->visible_ && window->band_ == band) result.push_back(window);
    }
  }
  return result;
}

void HeadlessSurfaceDesktop::Attach(HeadlessSurfaceWindow* window) {
  window->handle_ = nextHandle_++;
  windows_.insert(windows_.begin(), window);
}

void HeadlessSurfaceDesktop::Detach(HeadlessSurfaceWindow* window) {
  std::erase(windows_, window);
  if (foreground_ == window) foreground_ = nullptr;
  if (capture_ == window) capture_ = nullptr;
}

void HeadlessSurfaceDesktop::BringToFront(HeadlessSurfaceWindow* window) {
  std::erase(windows_, window);
  windows_.insert(windows_.begin(), window);
}

void HeadlessSurfaceDesktop::SetForeground(HeadlessSurfaceWindow* window) {
  if (foreground_ == window) return;
  HeadlessSurfaceWindow* previous = foreground_;
  foreground_ = window;
  if (previous != nullptr) {
    previous->Feed(SurfaceInput::Of(SurfaceInput::Kind::ActivationLost));
    previous->Feed(SurfaceInput::Of(SurfaceInput::Kind::FocusLost));
  }
  if (window != nullptr) window->Feed(SurfaceInput::Of(SurfaceInput::Kind::FocusGained));
}

void HeadlessSurfaceDesktop::SetCapture(HeadlessSurfaceWindow* window) {
  if (capture_ == window) return;
  HeadlessSurfaceWindow* previous = capture_;
  capture_ = window;
  if (previous != nullptr) previous->Feed(SurfaceInput::Of(SurfaceInput::Kind::CaptureChanged));
}

// --- window ----------------------------------------------------------------------------------

HeadlessSurfaceWindow::~HeadlessSurfaceWindow() { Destroy(); }

void HeadlessSurfaceWindow::Create(const SurfaceWindowParams& params, SurfaceWindowDelegate* delegate) {
  Destroy();
  params_ = params;
  delegate_ = delegate;
  translator_.SetDelegate(delegate);
  rect_ = params.initialRect;
  band_ = params.band;
  created_ = true;
  desktop_.Attach(this);
}

void HeadlessSurfaceWindow::Destroy() {
  if (!created_) return;
  desktop_.Detach(this);
  created_ = false;
  visible_ = false;
  trackingLeave_ = false;
  redrawPending_ = false;
  delegate_ = nullptr;
  translator_ = SurfaceInputTranslator();
  handle_ = 0;
}

void HeadlessSurfaceWindow::Show(bool activate) {
  if (!created_) return;
  visible_ = true;
  desktop_.BringToFront(this);
  if (activate) RequestForeground();
}

void HeadlessSurfaceWindow::Hide() {
  if (!created_ || !visible_) return;
  visible_ = false;
  // A hidden window cannot stay the foreground window.
  if (HasFocus()) desktop_.SetForeground(nullptr);
}

void HeadlessSurfaceWindow::SetBand(SurfaceBand band) {
  band_ = band;
  if (created_) desktop_.BringToFront(this);
}

bool HeadlessSurfaceWindow::RequestForeground() {
  if (!created_ || !visible_ || !SurfaceTakesFocus(params_)) return false;
  if (HasFocus()) return true;
  if (desktop_.refuseForeground_) return false;
  desktop_.SetForeground(this);
  return true;
}

void HeadlessSurfaceWindow::SetCapture() {
  if (!created_) return;
  desktop_.SetCapture(this);
  Feed(SurfaceInput::Of(SurfaceInput::Kind::CaptureTaken));
}

void HeadlessSurfaceWindow::ReleaseCapture() {
  if (!HasCapture()) return;
  // As on Windows: the release is announced, then the capture-change
  // notification arrives and is recognised as our own.
  Feed(SurfaceInput::Of(SurfaceInput::Kind::CaptureReleased));
  desktop_.capture_ = nullptr;
  Feed(SurfaceInput::Of(SurfaceInput::Kind::CaptureChanged));
}

SurfacePointer HeadlessSurfaceWindow::PointerAt(SurfacePoint client) const {
  return {client, {rect_.left + client.x, rect_.top + client.y}};
}

bool HeadlessSurfaceWindow::Feed(const SurfaceInput& input) { return created_ && translator_.Feed(input); }

void HeadlessSurfaceWindow::MovePointer(SurfacePoint client) {
  if (!ReceivesMouse()) return;
  trackingLeave_ = true;
  Feed(SurfaceInput::Pointer(SurfaceInput::Kind::PointerMove, PointerAt(client)));
}

void HeadlessSurfaceWindow::LeavePointer() {
  if (!created_ || !trackingLeave_) return;
  trackingLeave_ = false;
  Feed(SurfaceInput::Of(SurfaceInput::Kind::PointerLeave));
}

void HeadlessSurfaceWindow::PressButton(PointerButton button, SurfacePoint client) {
  if (!ReceivesMouse()) return;
  Feed(SurfaceInput::Pointer(SurfaceInput::Kind::ButtonDown, PointerAt(client), button));
}

void HeadlessSurfaceWindow::ReleaseButton(PointerButton button, SurfacePoint client) {
  // With the capture the release arrives wherever the pointer is.
  if (!ReceivesMouse() && !HasCapture()) return;
  Feed(SurfaceInput::Pointer(SurfaceInput::Kind::ButtonUp, PointerAt(client), button));
}

void HeadlessSurfaceWindow::TurnWheel(WheelAxis axis, int delta, SurfacePoint client) {
  if (!ReceivesMouse()) return;
  Feed(SurfaceInput::WheelTurn(axis, delta, PointerAt(client)));
}

bool HeadlessSurfaceWindow::PressKey(unsigned virtualKey, std::u16string typed, bool repeat) {
  if (!HasFocus()) return false;
  const bool handled = Feed(SurfaceInput::KeyPress(virtualKey, repeat));
  TypeUnits(typed);
  return handled;
}

void HeadlessSurfaceWindow::ReleaseKey(unsigned virtualKey) {
  if (!HasFocus()) return;
  Feed(SurfaceInput::KeyRelease(virtualKey));
}

void HeadlessSurfaceWindow::TypeUnits(std::u16string_view units) {
  if (!HasFocus()) return;
  for (char16_t unit : units) Feed(SurfaceInput::Unit(unit));
}

void HeadlessSurfaceWindow::ChangeDpi(unsigned dpi, const SurfaceRect& suggested) {
  if (!created_) return;
  dpi_ = dpi;
  Feed(SurfaceInput::Dpi(dpi, suggested));
}

void HeadlessSurfaceWindow::ChangeDisplay() { Feed(SurfaceInput::Of(SurfaceInput::Kind::DisplayChanged)); }

void HeadlessSurfaceWindow::RequestClose() { Feed(SurfaceInput::Of(SurfaceInput::Kind::CloseRequested)); }

bool HeadlessSurfaceWindow::RunPendingRedraw() {
  if (!redrawPending_) return false;
  redrawPending_ = false;
  if (delegate_ != nullptr) delegate_->OnRedraw();
  return true;
}

std::optional<std::intptr_t> HeadlessSurfaceWindow::SendRawMessage(std::uint32_t message, std::uintptr_t wParam,
                                                                   std::intptr_t lParam) {
  if (!created_ || delegate_ == nullptr) return std::nullopt;
  return delegate_->OnRawMessage(message, wParam, lParam);
}

}  // namespace orvane
