#pragma once
// The Windows window host: one window class per name, one window procedure
// for every surface. Input reaches the delegate through SurfaceInputTranslator;
// every message it does not translate goes to the delegate's raw-message hook
// and then to DefWindowProcW.
#include <windows.h>

#include "platform/SurfaceWindow.h"

namespace orvane {

class SurfaceWindowWin32 final : public SurfaceWindow {
 public:
  SurfaceWindowWin32() = default;
  ~SurfaceWindowWin32() override;
  SurfaceWindowWin32(const SurfaceWindowWin32&) = delete;
  SurfaceWindowWin32& operator=(const SurfaceWindowWin32&) = delete;

  // Throws HResultError with the last error when the class cannot be
  // registered or the window cannot be created.
  void Create(const SurfaceWindowParams& params, SurfaceWindowDelegate* delegate) override;
  // The delegate still receives the messages of the destruction (WM_DESTROY
  // reaches its raw-message hook).
  void Destroy() override;
  bool IsCreated() const override { return window_ != nullptr; }
  void Show(bool activate) override;
  void Hide() override;
  bool IsVisible() const override;
  void Place(const SurfaceRect& rect) override;
  SurfaceRect Rect() const override;
  void SetBand(SurfaceBand band) override;
  SurfaceBand Band() const override { return band_; }
  bool RequestForeground() override;
  bool HasFocus() const override;
  bool IsForeground() const override { return window_ != nullptr && GetForegroundWindow() == window_; }
  void SetCapture() override;
  void ReleaseCapture() override;
  bool HasCapture() const override;
  void TrackLeave() override;
  void Invalidate() override;
  void SetTextInput(const std::optional<SurfaceTextInput>& input) override;
  std::uintptr_t NativeHandle() const override { return reinterpret_cast<std::uintptr_t>(window_); }
  float Scale() const override;

  HWND Window() const { return window_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool Feed(const SurfaceInput& input) { return translator_.Feed(input); }
  SurfacePointer PointerFromClient(LPARAM lParam) const;
  SurfacePointer PointerFromScreen(LPARAM lParam) const;
  void RaiseIntoBand() const;

  HWND window_ = nullptr;
  SurfaceWindowParams params_;
  SurfaceWindowDelegate* delegate_ = nullptr;
  SurfaceInputTranslator translator_;
  SurfaceBand band_ = SurfaceBand::Normal;
  bool trackingLeave_ = false;
  bool imeDisabled_ = false;  // the window has no input context (a password field)
};

}  // namespace orvane
