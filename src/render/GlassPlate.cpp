#include "render/GlassPlate.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "app/Log.h"

namespace orvane {
namespace {

constexpr float kPlateSaturation = 1.45f;
constexpr float kRadiusCap = 0.48f;  // of the thickness: the ends stay visibly round
constexpr std::uint_fast32_t kGrainSeed = 0x5EED;

std::shared_ptr<NineGridBrush> NineGridOver(Compositor& compositor, const std::shared_ptr<DrawingSurface>& surface,
                                            const PlateInsets& insets) {
  auto source = compositor.CreateSurfaceBrush(surface);
  source->SetStretch(Stretch::Fill);
  auto brush = compositor.CreateNineGridBrush(source);
  brush->SetInsets(insets.left, insets.top, insets.right, insets.bottom);
  return brush;
}

}  // namespace

Theme PlateStyle(const Theme& theme, float glassOpacity) {
  Theme style = theme;
  const float opacity = std::isnan(glassOpacity) ? 0.2f : std::clamp(glassOpacity, 0.2f, 0.92f);
  style.plateBlurTint.a = static_cast<std::uint8_t>(std::lround(opacity * 255.0f));
  return style;
}

GlassPlateLayout LayoutGlassPlate(const GlassPlateGeometry& g) {
  GlassPlateLayout l;
  l.cornerRadius = std::max(std::min(g.cornerRadius, kRadiusCap * static_cast<float>(g.thickness)), 0.0f);
  const GlassShadowLayout shadow = LayoutGlassShadow(g.shadowSigma, l.cornerRadius);
  l.shadowExtent = shadow.extent;
  l.shadowSurfaceSize = shadow.surfaceSize;
  l.shadowInset = shadow.inset;

  // The centre band of each nine-grid is one or two pixels, so the rim
  // stretches along the dock without distorting its rounded ends.
  const int k = static_cast<int>(l.cornerRadius) + 2;
  const int across = std::max(g.thickness, 8);
  const int along = std::max(g.length, 8);
  if (g.vertical) {
    l.rimWidth = across;
    l.rimHeight = 2 * k + 2;
    const int left = l.rimWidth / 2;
    l.rimInsets = {static_cast<float>(left), static_cast<float>(k),
                   static_cast<float>(std::max(l.rimWidth - left - 1, 0)), static_cast<float>(k)};
    l.grainWidth = across;
    l.grainHeight = along;
  } else {
    l.rimWidth = 2 * k + 2;
    l.rimHeight = across;
    const int top = l.rimHeight / 2;
    l.rimInsets = {static_cast<float>(k), static_cast<float>(top), static_cast<float>(k),
                   static_cast<float>(std::max(l.rimHeight - top - 1, 0))};
    l.grainWidth = along;
    l.grainHeight = across;
  }
  return l;
}

std::vector<std::uint8_t> PlateGrainPixels(int width, int height) {
  const size_t count = static_cast<size_t>(std::max(width, 0)) * static_cast<size_t>(std::max(height, 0));
  std::vector<std::uint8_t> pixels(count * 4);
  // minstd_rand is fixed by the standard (48271 mod 2^31 - 1), so every build
  // and every run makes the same grain. The top eight of its 31 bits give
  // the byte.
  std::minstd_rand random(kGrainSeed);
  for (size_t i = 0; i < count; ++i) {
    const auto alpha = static_cast<std::uint8_t>(random() >> 23);
    const bool white = ((random() >> 23) & 1) != 0;
    const std::uint8_t level = white ? alpha : 0;
    std::uint8_t* p = pixels.data() + i * 4;
    p[0] = p[1] = p[2] = level;
    p[3] = alpha;
  }
  return pixels;
}

void DrawPlateRim(Canvas& canvas, int width, int height, int rimWidth, float cornerRadius, bool vertical,
                  const Theme& style) {
  const float w = static_cast<float>(width), h = static_cast<float>(height), s = static_cast<float>(rimWidth);
  const float outlineRadius = std::max(cornerRadius - s / 2, 0.0f);
  canvas.StrokeRoundedRect(RectF{s / 2, s / 2, w - s / 2, h - s / 2}, outlineRadius, outlineRadius,
                           ToColor(style.rimOutline), StrokeStyle::Plain(s));

  LinearGradient light;
  light.start = PointF{0, 0};
  light.end = vertical ? PointF{w, 0} : PointF{0, h};
  light.stops = {GradientStop{0, ToColor(style.rimGradientTop)}, GradientStop{1, ToColor(style.rimGradientBottom)}};
  const float innerRadius = std::max(cornerRadius - 1.5f * s, 0.0f);
  canvas.StrokeRoundedRect(RectF{1.5f * s, 1.5f * s, w - 1.5f * s, h - 1.5f * s}, innerRadius, innerRadius, light,
                           StrokeStyle::Plain(s));
}

void GlassPlate::Initialize(Compositor& compositor) {
  compositor_ = &compositor;
  const std::int32_t backdropError = layers_.Build(compositor, true);
  if (backdropError != 0) {
    Log(L"HostBackdropBrush unavailable (0x%08X), using solid plate", static_cast<std::uint32_t>(backdropError));
  }
}

void GlassPlate::Configure(const GlassPlateGeometry& geometry, const Theme& style) {
  layout_ = LayoutGlassPlate(geometry);
  geometry_ = geometry;
  geometry_.cornerRadius = layout_.cornerRadius;
  style_ = style;
  if (compositor_ == nullptr) return;
  Compositor& compositor = *compositor_;

  GlassStyle glass;
  glass.blurTint = ToColor(style.plateBlurTint);
  glass.solidTint = ToColor(style.plateSolid);
  glass.blurAmount = geometry_.blurAmount;
  glass.saturation = kPlateSaturation;
  glass.cornerRadius = geometry_.cornerRadius;
  glass.shadowSigma = geometry_.shadowSigma;
  glass.shadowOffsetY = geometry_.shadowOffsetY;
  glass.shadowOpacity = style.shadowOpacity;
  glass.grainOpacity = style.grainOpacity;
  glass.transparency = style.transparency;
  layers_.SetStyle(glass);

  rimSurface_ = compositor.CreateDrawingSurface(layout_.rimWidth, layout_.rimHeight);
  layers_.topSprite()->SetBrush(NineGridOver(compositor, rimSurface_, layout_.rimInsets));

  grainSurface_ = compositor.CreateDrawingSurface(layout_.grainWidth, layout_.grainHeight);
  auto grainBrush = compositor.CreateSurfaceBrush(grainSurface_);
  grainBrush->SetStretch(Stretch::None);
  grainBrush->SetAlignment(0, 0);
  layers_.grainSprite()->SetBrush(grainBrush);
  layers_.grainSprite()->SetSize({static_cast<float>(layout_.grainWidth), static_cast<float>(layout_.grainHeight)});

  if (layers_.backdropAvailable()) {
    const std::int32_t effectError = layers_.BuildBackdropEffect();
    if (effectError != 0) {
      // Not tried again: later configures keep the solid plate.
      Log(L"GlassPlate: CreateEffectFactory failed (0x%08X), using solid plate",
          static_cast<std::uint32_t>(effectError));
      layers_.DisableBackdrop();
    }
  }

  RedrawSurfaces();
  ApplyStyle();
}

void GlassPlate::Place(float x, float y, float width, float height) { layers_.Place(x, y, width, height); }

void GlassPlate::RedrawSurfaces() {
  if (compositor_ == nullptr || rimSurface_ == nullptr) return;
  Compositor& compositor = *compositor_;
  layers_.RedrawShadow();

  compositor.DrawSurface(*rimSurface_, layout_.rimWidth, layout_.rimHeight, [&](Canvas& canvas) {
    DrawPlateRim(canvas, layout_.rimWidth, layout_.rimHeight, geometry_.rimWidth, geometry_.cornerRadius,
                 geometry_.vertical, style_);
  });

  const auto grain = PlateGrainPixels(layout_.grainWidth, layout_.grainHeight);
  compositor.DrawPixels(*grainSurface_, layout_.grainWidth, layout_.grainHeight, grain.data());
}

void GlassPlate::ApplyStyle() {
  if (compositor_ == nullptr) return;
  const bool blur = layers_.backdropAvailable() && style_.transparency;
  layers_.ShowBackdrop(blur);
  layers_.ShowTint(blur);
}

}  // namespace orvane
