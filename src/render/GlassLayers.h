#pragma once
// The glass tree shared by the dock's plate and every popup: a procedural
// drop shadow, a rounded clip holding the blurred backdrop, the tint and an
// optional grain, and one sprite on top that belongs to the owner (the
// plate's rim, a popup's content).
//
// Tree, bottom to top: shadowSprite (nine-grid); clipContainer
// (backdropSprite, tintSprite[, grainSprite]); topSprite. All measures are
// physical pixels.

#include <cstdint>
#include <memory>
#include <vector>

#include "render/Composition.h"

namespace orvane {

// How one piece of glass looks.
struct GlassStyle {
  Color blurTint;            // over the blurred backdrop
  Color solidTint;           // when nothing shows through
  float blurAmount = 0;      // backdrop blur
  float saturation = 1;      // of the backdrop before the blur
  float cornerRadius = 0;
  float shadowSigma = 0;     // standard deviation of the shadow; 0 or less: no shadow
  float shadowOffsetY = 0;   // how far the shadow drops below the plate
  float shadowOpacity = 0;   // the shadow's alpha well under the plate
  float grainOpacity = 0;    // only with a grain sprite
  bool transparency = true;  // the theme lets the backdrop show
};

// The square shadow surface that a nine-grid stretches around any plate.
struct GlassShadowLayout {
  float extent = 0;     // ceil(3 sigma): how far the shadow reaches past the plate
  int surfaceSize = 0;  // side of the square surface
  float inset = 0;      // all four nine-grid insets
  bool operator==(const GlassShadowLayout&) const = default;
};
GlassShadowLayout LayoutGlassShadow(float sigma, float cornerRadius);

// The shadow of a rounded square filling a size x size surface but for
// `extent` on each side: premultiplied black whose alpha falls off with the
// signed distance d to the square as 0.5 x opacity x erfc(d / (sigma sqrt 2)),
// which is a Gaussian blur of the square's edge.
std::vector<std::uint8_t> GlassShadowPixels(int size, float extent, float cornerRadius, float sigma, float opacity);

class GlassLayers {
 public:
  GlassLayers() = default;
  GlassLayers(const GlassLayers&) = delete;
  GlassLayers& operator=(const GlassLayers&) = delete;

  // Builds the tree. The host backdrop is optional; when the compositor
  // refuses it the HRESULT is returned (0 otherwise) and the glass shows its
  // tint alone.
  std::int32_t Build(Compositor& compositor, bool withGrain);

  // Stores the style and shapes the clip and the shadow surface; the shadow
  // is drawn by RedrawShadow.
  void SetStyle(const GlassStyle& style);
  // The plate's rectangle in the parent's pixels: clip, top sprite, shadow.
  void Place(float x, float y, float width, float height);
  void RedrawShadow();
  // Drops the shadow surface until the next SetStyle.
  void ReleaseShadow();

  // Gives the backdrop sprite the blur effect over the host backdrop. On
  // failure the sprite loses its brush and the HRESULT is returned.
  std::int32_t BuildBackdropEffect();
  void ReleaseBackdropEffect();
  // From now on the glass is solid: no further effect is built.
  void DisableBackdrop() { backdropAvailable_ = false; }
  void ShowBackdrop(bool visible);
  // The blurred or the solid tint of the style.
  void ShowTint(bool blurred);

  bool built() const { return compositor_ != nullptr; }
  bool backdropAvailable() const { return backdropAvailable_ && hostBackdropBrush_ != nullptr; }
  const GlassStyle& style() const { return style_; }
  const GlassShadowLayout& shadowLayout() const { return shadowLayout_; }
  bool hasShadowSurface() const { return shadowSurface_ != nullptr; }
  const std::shared_ptr<ContainerVisual>& root() const { return root_; }
  // The host backdrop other glass over the same window shares; null without one.
  const std::shared_ptr<BackdropBrush>& hostBackdropBrush() const { return hostBackdropBrush_; }
  const std::shared_ptr<SpriteVisual>& topSprite() const { return topSprite_; }
  const std::shared_ptr<SpriteVisual>& grainSprite() const { return grainSprite_; }

 private:
  Compositor* compositor_ = nullptr;
  GlassStyle style_;
  GlassShadowLayout shadowLayout_;
  bool backdropAvailable_ = false;
  std::shared_ptr<BackdropBrush> hostBackdropBrush_;
  std::shared_ptr<ContainerVisual> root_;
  std::shared_ptr<SpriteVisual> shadowSprite_;
  std::shared_ptr<ContainerVisual> clipContainer_;
  std::shared_ptr<RoundedRectangleGeometry> clipGeometry_;
  std::shared_ptr<SpriteVisual> backdropSprite_;
  std::shared_ptr<SpriteVisual> tintSprite_;
  std::shared_ptr<ColorBrush> tintBrush_;
  std::shared_ptr<SpriteVisual> grainSprite_;
  std::shared_ptr<SpriteVisual> topSprite_;
  std::shared_ptr<DrawingSurface> shadowSurface_;
};

}  // namespace orvane
