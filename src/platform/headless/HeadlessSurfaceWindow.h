#pragma once
// A window host without a window system, for tests and the preview tool. It
// behaves as the Windows host does: one foreground window and one capture
// holder per desktop, mouse input only while visible, keys only with the
// focus, and every input goes through the same SurfaceInputTranslator.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/SurfaceWindow.h"

namespace orvane {

class HeadlessSurfaceWindow;

// What the windows of one fake desktop share: the foreground (focus) window,
// the capture holder and the stacking order.
class HeadlessSurfaceDesktop {
 public:
  // While set, foreground requests fail, as SetForegroundWindow does when
  // another program holds the foreground lock.
  void SetRefuseForeground(bool refuse) { refuseForeground_ = refuse; }
  bool RefusesForeground() const { return refuseForeground_; }
  // The window became the foreground window, and the system has not told it
  // yet (some window systems report activation after other notices).
  void SetForegroundUnannounced(HeadlessSurfaceWindow* window) { foreground_ = window; }

  // The user activates a window of another program: the current foreground
  // window loses activation and focus.
  void ActivateOtherProgram();
  // Another program's window takes the mouse capture.
  void CaptureByOtherProgram();

  HeadlessSurfaceWindow* Foreground() const { return foreground_; }
  HeadlessSurfaceWindow* CaptureHolder() const { return capture_; }
  // Visible windows, front first (the topmost band before the normal one).
  std::vector<const HeadlessSurfaceWindow*> VisibleFrontToBack() const;

 private:
  friend class HeadlessSurfaceWindow;
  void Attach(HeadlessSurfaceWindow* window);
  void Detach(HeadlessSurfaceWindow* window);
  void BringToFront(HeadlessSurfaceWindow* window);
  void SetForeground(HeadlessSurfaceWindow* window);
  void SetCapture(HeadlessSurfaceWindow* window);

  std::vector<HeadlessSurfaceWindow*> windows_;  // front first
  HeadlessSurfaceWindow* foreground_ = nullptr;
  HeadlessSurfaceWindow* capture_ = nullptr;
  bool refuseForeground_ = false;
  std::uintptr_t nextHandle_ = 1;
};

class HeadlessSurfaceWindow final : public SurfaceWindow {
 public:
  explicit HeadlessSurfaceWindow(HeadlessSurfaceDesktop& desktop) : desktop_(desktop) {}
  ~HeadlessSurfaceWindow() override;
  HeadlessSurfaceWindow(const HeadlessSurfaceWindow&) = delete;
  HeadlessSurfaceWindow& operator=(const HeadlessSurfaceWindow&) = delete;

  void Create(const SurfaceWindowParams& params, SurfaceWindowDelegate* delegate) override;
  void Destroy() override;
  bool IsCreated() const override { return created_; }
  void Show(bool activate) override;
  void Hide() override;
  bool IsVisible() const override { return visible_; }
  void Place(const SurfaceRect& rect) override { rect_ = rect; }
  SurfaceRect Rect() const override { return rect_; }
  void SetBand(SurfaceBand band) override;
  SurfaceBand Band() const override { return band_; }
  bool RequestForeground() override;
  bool HasFocus() const override { return desktop_.foreground_ == this; }
  bool IsForeground() const override { return desktop_.foreground_ == this; }
  void SetCapture() override;
  void ReleaseCapture() override;
  bool HasCapture() const override { return desktop_.capture_ == this; }
  void TrackLeave() override { trackingLeave_ = created_; }
  void Invalidate() override { redrawPending_ = created_; }
  void SetTextInput(const std::optional<SurfaceTextInput>& input) override { textInput_ = input; }
  std::uintptr_t NativeHandle() const override { return handle_; }
  float Scale() const override { return static_cast<float>(dpi_) / 96.0f; }

  const SurfaceWindowParams& Params() const { return params_; }
  SurfaceWindowStyles Styles() const { return SurfaceStylesFor(params_); }

  // --- what the user and the system do; client points in physical pixels ---
  void MovePointer(SurfacePoint client);
  // The pointer left the window; reported only when leave tracking is on.
  void LeavePointer();
  void PressButton(PointerButton button, SurfacePoint client);
  void ReleaseButton(PointerButton button, SurfacePoint client);
  void TurnWheel(WheelAxis axis, int delta, SurfacePoint client);
  // A key pressed with the focus, with the UTF-16 units its key-down types;
  // returns whether the surface handled the key-down.
  bool PressKey(unsigned virtualKey, std::u16string typed = {}, bool repeat = false);
  void ReleaseKey(unsigned virtualKey);
  // Units typed without a key of their own (an input method's result).
  void TypeUnits(std::u16string_view units);
  // The window moved to a monitor with another DPI.
  void ChangeDpi(unsigned dpi, const SurfaceRect& suggested);
  void ChangeDisplay();
  void RequestClose();
  // Runs the redraw that Invalidate asked for; false when none was pending.
  bool RunPendingRedraw();
  // A message the host does not translate, as the raw-message hook sees it.
  std::optional<std::intptr_t> SendRawMessage(std::uint32_t message, std::uintptr_t wParam = 0,
                                              std::intptr_t lParam = 0);

  bool TrackingLeave() const { return trackingLeave_; }
  const std::optional<SurfaceTextInput>& textInput() const { return textInput_; }

 private:
  friend class HeadlessSurfaceDesktop;
  bool Feed(const SurfaceInput& input);
  SurfacePointer PointerAt(SurfacePoint client) const;
  bool ReceivesMouse() const { return created_ && visible_; }

  HeadlessSurfaceDesktop& desktop_;
  SurfaceInputTranslator translator_;
  SurfaceWindowDelegate* delegate_ = nullptr;
  SurfaceWindowParams params_;
  bool created_ = false;
  bool visible_ = false;
  SurfaceRect rect_;
  SurfaceBand band_ = SurfaceBand::Normal;
  bool trackingLeave_ = false;
  std::optional<SurfaceTextInput> textInput_;
  bool redrawPending_ = false;
  unsigned dpi_ = 96;
  std::uintptr_t handle_ = 0;
};

}  // namespace orvane
