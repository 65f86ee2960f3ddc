#pragma once
// A popup window: glass, content, placement at an anchor, show and hide,
// the dismissal policy and the redraw after a device loss, over one
// SurfaceWindow. The owner supplies the content's drawing; the popup stack
// learns when it opens and closes, and can close it.

#include <functional>
#include <memory>
#include <optional>

#include "platform/SurfaceWindow.h"
#include "render/Composition.h"
#include "render/GlassSurfaceWindow.h"
#include "render/Theme.h"
#include "ui/PopupDismissal.h"
#include "ui/PopupPlacement.h"
#include "ui/PopupStack.h"

namespace orvane {

// The glass plate of a popup, in DIP.
struct PopupGlassShape {
  float widthDip = 0;
  float heightDip = 0;
  float marginDip = 14;  // room for the shadow
  float cornerRadiusDip = 14;
  float blurDip = 24;
  float tintOpacity = -1;  // negative: the theme's default
  std::optional<GlassLook> look;  // none: the popups' own look
};

class PopupSurface final : public SurfaceWindowDelegate {
 public:
  // Draws the content into the plate-sized surface (physical pixels; the
  // glass gives the scale and the text formats).
  using DrawContent = std::function<void(Canvas& canvas, const GlassSurfaceWindow& glass)>;

  PopupSurface(PopupKind kind, PopupStack& stack, Compositor& compositor, std::unique_ptr<SurfaceWindow> window);
  ~PopupSurface() override;
  PopupSurface(const PopupSurface&) = delete;
  PopupSurface& operator=(const PopupSurface&) = delete;

  // Creates the hidden window and its glass.
  void Create(const SurfaceWindowParams& params);
  void SetContent(DrawContent draw) { draw_ = std::move(draw); }
  // The content's own input: hit targets, pointer moves and leaves, presses
  // inside the plate, releases, clicks, the wheel, keys and characters reach
  // it first (pointer positions in the window's client pixels); a key it
  // does not take falls back to the popup's Escape.
  void SetInput(SurfaceWindowDelegate* input) { input_ = input; }
  // Called each time the popup hides, whatever closed it.
  void SetOnHidden(std::function<void()> hidden) { onHidden_ = std::move(hidden); }

  // Shapes the glass, places the window at the anchor, draws, shows it and
  // asks for the foreground. Shown again while open it moves and redraws.
  void Show(const PopupAnchor& anchor, const PopupMonitor& monitor, const PopupGlassShape& shape,
            const Theme& theme);
  void Hide();
  bool visible() const { return visible_; }
  // Draws the content again (after the owner's state changed).
  void Redraw();
  // The graphics device was rebuilt: shadow and content are drawn anew.
  void RedrawAfterDeviceLoss();

  // What happens outside the window, reported by the shell.
  void OnForegroundChanged() { Apply(PopupEvent::ForegroundChanged); }
  void OnDockPress() { Apply(PopupEvent::DockPress); }
  void OnOutsideClick() { Apply(PopupEvent::OutsideClick); }

  const GlassSurfaceWindow& glass() const { return glass_; }
  const SurfaceWindow& window() const { return *window_; }
  SurfaceWindow& window() { return *window_; }
  const PopupDismissal& dismissal() const { return dismissal_; }

  // SurfaceWindowDelegate
  int HitTarget(SurfacePoint client) override;
  bool OnKey(const SurfaceKey& key) override;
  void OnChar(char32_t codePoint) override;
  void OnWheel(WheelAxis axis, int notches, const SurfacePointer& pointer) override;
  void OnClick(PointerButton button, int target, const SurfacePointer& pointer) override;
  void OnButtonDown(PointerButton button, const SurfacePointer& pointer) override;
  void OnPointerMove(const SurfacePointer& pointer) override;
  void OnPointerLeave() override;
  void OnButtonUp(PointerButton button, const SurfacePointer& pointer) override;
  void OnFocusGained() override { Apply(PopupEvent::Activated); }
  void OnActivationLost() override { Apply(PopupEvent::ActivationLost); }
  void OnRedraw() override { Redraw(); }

 private:
  void Apply(PopupEvent event);

  PopupKind kind_;
  PopupStack& stack_;
  Compositor& compositor_;
  std::unique_ptr<SurfaceWindow> window_;
  GlassSurfaceWindow glass_;
  PopupDismissal dismissal_;
  DrawContent draw_;
  SurfaceWindowDelegate* input_ = nullptr;
  std::function<void()> onHidden_;
  bool visible_ = false;
};

}  // namespace orvane
