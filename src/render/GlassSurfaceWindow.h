#pragma once
// The glass behind every popup: a drop shadow, a rounded clip holding the
// blurred and saturated backdrop and the theme tint, and one content surface
// on top that the owning window draws into.
//
// The tree is GlassLayers' with the content as its top sprite. The content
// lies outside the rounded clip, so the owner's drawing must leave the
// corners transparent itself.

#include <cstdint>
#include <memory>
#include <optional>

#include "render/Composition.h"
#include "render/GlassLayers.h"
#include "render/Theme.h"

namespace orvane {

// The tint of a glass plate. Flat plates (full-window, no corners) use a
// near-black tint whose alpha comes from tintOpacity; rounded plates use the
// theme's grey at a default alpha, unless tintOpacity (>= 0) overrides it.
Color GlassTintColor(const Theme& theme, bool blurWanted, bool flat, float tintOpacity);

// A rounded plate's own look where it differs from the popups' (the context
// menu's): its tints for both themes, replacing the theme's grey and any
// tint opacity, the backdrop's saturation and the shadow's spread and drop.
struct GlassLook {
  std::uint32_t darkBlurTint = 0;  // ARGB
  std::uint32_t lightBlurTint = 0;
  std::uint32_t darkSolidTint = 0;
  std::uint32_t lightSolidTint = 0;
  float saturation = 1;
  float shadowDeviationDip = 0;
  float shadowDropDip = 0;
  bool operator==(const GlassLook&) const = default;
};

class GlassSurfaceWindow {
 public:
  GlassSurfaceWindow() = default;
  GlassSurfaceWindow(const GlassSurfaceWindow&) = delete;
  GlassSurfaceWindow& operator=(const GlassSurfaceWindow&) = delete;

  // Creates the window's composition target and the tree. The host backdrop
  // is optional: without it the plate shows its tint alone.
  void Attach(NativeWindow window, Compositor& compositor, bool topmost);

  // The normal popup shape: a plate of width x height DIP with rounded
  // corners, `marginDip` of room around it for the shadow. tintOpacity < 0
  // means the theme's default.
  void Configure(float widthDip, float heightDip, float marginDip, float cornerRadiusDip, float scale,
                 const Theme& theme, float blurDip, float tintOpacity);
  // The look of the rounded plates configured from now on; nullopt is the
  // popups' own. Takes effect at the next Configure or SetStyle.
  void SetLook(const std::optional<GlassLook>& look) { look_ = look; }
  const std::optional<GlassLook>& look() const { return look_; }
  // A full-window plate without margin, corners or shadow.
  void ConfigureFlat(int widthPx, int heightPx, float scale, const Theme& theme, float blurDip, float tintOpacity);
  // New theme; tintOpacity replaces the stored one only when not negative.
  void SetStyle(const Theme& theme, float tintOpacity);
  // Drops the surfaces and the backdrop brush, so a hidden popup holds no
  // surface memory; the next Configure rebuilds them.
  void ReleaseSurfaces();

  // A text style at this plate's scale in the product's font, one line,
  // centred vertically.
  TextStyle CreateTextFormat(float sizeDip, int weight, TextAlignment alignment, bool ellipsis) const;

  // What the owner needs: it sizes its window to the window size and draws
  // into contentSurface (plate-sized, starting at the plate's corner).
  const std::shared_ptr<DrawingSurface>& contentSurface() const { return contentSurface_; }
  int contentWidthPx() const { return contentWidthPx_; }
  int contentHeightPx() const { return contentHeightPx_; }
  int windowWidthPx() const { return windowWidthPx_; }
  int windowHeightPx() const { return windowHeightPx_; }
  float scale() const { return scale_; }
  float marginPx() const { return marginPx_; }
  bool flatMode() const { return flatMode_; }
  bool backdropAvailable() const { return layers_.backdropAvailable(); }
  const Theme& theme() const { return theme_; }
  NativeWindow window() const { return window_; }
  const std::shared_ptr<WindowTarget>& target() const { return target_; }
  // The tree's root, the target's root unless the owner hangs it elsewhere.
  const std::shared_ptr<ContainerVisual>& root() const { return layers_.root(); }

 private:
  void ApplyStyle();
  void EnsureContentSurface();
  bool HasShadow() const { return !flatMode_ && marginPx_ > 0.5f; }

  Compositor* compositor_ = nullptr;
  NativeWindow window_ = 0;
  std::shared_ptr<WindowTarget> target_;
  GlassLayers layers_;  // its top sprite shows the content
  std::shared_ptr<DrawingSurface> contentSurface_;
  bool flatMode_ = false;
  Theme theme_;
  float scale_ = 1;
  float blurDip_ = 0;
  float cornerRadiusDip_ = 0;
  float tintOpacity_ = -1;
  std::optional<GlassLook> look_;
  float marginPx_ = 0;
  float plateWidthPx_ = 1;
  float plateHeightPx_ = 1;
  int windowWidthPx_ = 0;
  int windowHeightPx_ = 0;
  int contentWidthPx_ = 0;
  int contentHeightPx_ = 0;
};

}  // namespace orvane
