#pragma once
// The dock's glass plate, drawn entirely with composition visuals: a soft
// procedural shadow, a rounded blurred and saturated copy of the desktop, a
// tint, a faint grain and a two-stroke rim (dark outline, inner light
// gradient). Built once, reconfigured when the dock's size, scale, theme or
// settings change, placed every frame, redrawn after a device loss.
//
// Tree, bottom to top: shadowSprite (nine-grid); clipContainer (rounded clip:
// backdropSprite, tintSprite, grainSprite); rimSprite (nine-grid). The dock
// hangs rootVisual() under its own root, below the items.

#include <cstdint>
#include <memory>
#include <vector>

#include "render/Composition.h"
#include "render/GlassLayers.h"
#include "render/Theme.h"

namespace orvane {

// The plate's measures in physical pixels.
struct GlassPlateGeometry {
  int thickness = 0;         // across the dock
  float cornerRadius = 0;    // capped at 0.48 x thickness when configured
  float blurAmount = 0;      // backdrop blur
  float shadowSigma = 0;     // standard deviation of the shadow
  float shadowOffsetY = 0;   // how far the shadow drops
  int rimWidth = 1;          // stroke width of the rim
  int length = 0;            // along the dock
  bool vertical = false;     // the dock stands on the left or right edge

  bool operator==(const GlassPlateGeometry&) const = default;
};

// The theme with the blurred tint's alpha taken from the glass opacity setting.
Theme PlateStyle(const Theme& theme, float glassOpacity);

struct PlateInsets {
  float left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const PlateInsets&) const = default;
};

// Sizes of the plate's surfaces and nine-grid insets for a geometry.
struct GlassPlateLayout {
  float cornerRadius = 0;      // after the cap
  float shadowExtent = 0;      // ceil(3 sigma): how far the shadow reaches past the plate
  int shadowSurfaceSize = 0;   // side of the square shadow surface
  float shadowInset = 0;       // all four nine-grid insets of the shadow
  int rimWidth = 0, rimHeight = 0;
  PlateInsets rimInsets;
  int grainWidth = 0, grainHeight = 0;
};
GlassPlateLayout LayoutGlassPlate(const GlassPlateGeometry& geometry);

// Premultiplied white or black noise of random alpha, the same every call.
std::vector<std::uint8_t> PlateGrainPixels(int width, int height);
// The rim: a dark outline and, inside it, a light gradient stroke running
// across the dock (top to bottom, or left to right for a vertical dock).
void DrawPlateRim(Canvas& canvas, int width, int height, int rimWidth, float cornerRadius, bool vertical,
                  const Theme& style);

class GlassPlate {
 public:
  GlassPlate() = default;
  GlassPlate(const GlassPlate&) = delete;
  GlassPlate& operator=(const GlassPlate&) = delete;

  // Builds the tree. Without a host backdrop the plate is solid for good.
  void Initialize(Compositor& compositor);
  void Configure(const GlassPlateGeometry& geometry, const Theme& style);
  // Where the plate is this frame, in physical pixels of the dock window.
  void Place(float x, float y, float width, float height);
  // Draws shadow, rim and grain again; nothing before the first Configure.
  void RedrawSurfaces();
  // Backdrop visibility, tint colour and grain opacity from the style.
  void ApplyStyle();

  const std::shared_ptr<ContainerVisual>& rootVisual() const { return layers_.root(); }
  bool configured() const { return rimSurface_ != nullptr; }
  bool backdropAvailable() const { return layers_.backdropAvailable(); }
  const std::shared_ptr<BackdropBrush>& hostBackdropBrush() const { return layers_.hostBackdropBrush(); }
  const GlassPlateGeometry& geometry() const { return geometry_; }
  const GlassPlateLayout& layout() const { return layout_; }
  const Theme& style() const { return style_; }

 private:
  Compositor* compositor_ = nullptr;
  GlassPlateGeometry geometry_;
  GlassPlateLayout layout_;
  Theme style_;
  GlassLayers layers_;  // its top sprite is the rim
  std::shared_ptr<DrawingSurface> rimSurface_;
  std::shared_ptr<DrawingSurface> grainSurface_;
};

}  // namespace orvane
