#include "render/GlassPlate.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "app/Errors.h"
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
  l.shadowExtent = std::ceil(3 * g.shadowSigma);
  const int shadowInset = static_cast<int>(l.shadowExtent + l.cornerRadius);
  l.shadowSurfaceSize = 2 * shadowInset + 2;
  l.shadowInset = static_cast<float>(shadowInset);

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

std::vector<std::uint8_t> PlateShadowPixels(int size, float extent, float cornerRadius, float sigma,
                                            float shadowOpacity) {
  const int n = std::max(size, 0);
  std::vector<std::uint8_t> pixels(static_cast<size_t>(n) * n * 4, 0);
  const double c = n / 2.0;
  const double half = c - extent;
  const double inner = half - cornerRadius;
  const double s = std::max(static_cast<double>(sigma), 0.5);
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < n; ++j) {
      // Signed distance to a rounded square of half-size `half`.
      const double dx = std::abs(j + 0.5 - c) - inner;
      const double dy = std::abs(i + 0.5 - c) - inner;
      const double outside = std::hypot(std::max(dx, 0.0), std::max(dy, 0.0));
      const double d = outside + std::min(std::max(dx, dy), 0.0) - cornerRadius;
      const double a = std::clamp(0.5 * shadowOpacity * std::erfc(d / (s * std::sqrt(2.0))), 0.0, 1.0);
      pixels[(static_cast<size_t>(i) * n + j) * 4 + 3] = static_cast<std::uint8_t>(std::lround(a * 255));
    }
  }
  return pixels;
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
  rootVisual_ = compositor.CreateContainerVisual();
  shadowSprite_ = compositor.CreateSpriteVisual();
  clipContainer_ = compositor.CreateContainerVisual();
  clipGeometry_ = compositor.CreateRoundedRectangleGeometry();
  clipContainer_->SetClip(compositor.CreateGeometricClip(clipGeometry_));
  backdropSprite_ = compositor.CreateSpriteVisual();
  backdropSprite_->SetRelativeSizeAdjustment({1, 1});
  try {
    hostBackdropBrush_ = compositor.CreateHostBackdropBrush();
    backdropAvailable_ = hostBackdropBrush_ != nullptr;
  } catch (const HResultError& e) {
    Log(L"HostBackdropBrush unavailable (0x%08X), using solid plate", static_cast<std::uint32_t>(e.code()));
    hostBackdropBrush_.reset();
    backdropAvailable_ = false;
  }
  tintBrush_ = compositor.CreateColorBrush(Color::Transparent());
  tintSprite_ = compositor.CreateSpriteVisual();
  tintSprite_->SetRelativeSizeAdjustment({1, 1});
  tintSprite_->SetBrush(tintBrush_);
  grainSprite_ = compositor.CreateSpriteVisual();
  rimSprite_ = compositor.CreateSpriteVisual();

  clipContainer_->InsertAtTop(backdropSprite_);
  clipContainer_->InsertAtTop(tintSprite_);
  clipContainer_->InsertAtTop(grainSprite_);
  rootVisual_->InsertAtTop(shadowSprite_);
  rootVisual_->InsertAtTop(clipContainer_);
  rootVisual_->InsertAtTop(rimSprite_);
}

void GlassPlate::Configure(const GlassPlateGeometry& geometry, const Theme& style) {
  layout_ = LayoutGlassPlate(geometry);
  geometry_ = geometry;
  geometry_.cornerRadius = layout_.cornerRadius;
  style_ = style;
  if (compositor_ == nullptr) return;
  Compositor& compositor = *compositor_;
  const float radius = geometry_.cornerRadius;
  clipGeometry_->SetCornerRadius({radius, radius});

  shadowSurface_ = compositor.CreateDrawingSurface(layout_.shadowSurfaceSize, layout_.shadowSurfaceSize);
  const float inset = layout_.shadowInset;
  shadowSprite_->SetBrush(NineGridOver(compositor, shadowSurface_, PlateInsets{inset, inset, inset, inset}));

  rimSurface_ = compositor.CreateDrawingSurface(layout_.rimWidth, layout_.rimHeight);
  rimSprite_->SetBrush(NineGridOver(compositor, rimSurface_, layout_.rimInsets));

  grainSurface_ = compositor.CreateDrawingSurface(layout_.grainWidth, layout_.grainHeight);
  auto grainBrush = compositor.CreateSurfaceBrush(grainSurface_);
  grainBrush->SetStretch(Stretch::None);
  grainBrush->SetAlignment(0, 0);
  grainSprite_->SetBrush(grainBrush);
  grainSprite_->SetSize({static_cast<float>(layout_.grainWidth), static_cast<float>(layout_.grainHeight)});

  if (backdropAvailable_ && hostBackdropBrush_) {
    try {
      backdropSprite_->SetBrush(
          compositor.CreateBackdropEffectBrush(hostBackdropBrush_, geometry_.blurAmount, kPlateSaturation));
    } catch (const HResultError& e) {
      // Not tried again: later configures keep the solid plate.
      Log(L"GlassPlate: CreateEffectFactory failed (0x%08X), using solid plate",
          static_cast<std::uint32_t>(e.code()));
      backdropAvailable_ = false;
    }
  }

  RedrawSurfaces();
  ApplyStyle();
}

void GlassPlate::Place(float x, float y, float width, float height) {
  if (compositor_ == nullptr) return;
  const float extent = layout_.shadowExtent;
  clipContainer_->SetOffset({x, y, 0});
  clipContainer_->SetSize({width, height});
  clipGeometry_->SetSize({width, height});
  rimSprite_->SetOffset({x, y, 0});
  rimSprite_->SetSize({width, height});
  shadowSprite_->SetOffset({x - extent, y - extent + geometry_.shadowOffsetY, 0});
  shadowSprite_->SetSize({width + 2 * extent, height + 2 * extent});
}

void GlassPlate::RedrawSurfaces() {
  if (compositor_ == nullptr || shadowSurface_ == nullptr) return;
  Compositor& compositor = *compositor_;
  const int n = layout_.shadowSurfaceSize;
  const auto shadow =
      PlateShadowPixels(n, layout_.shadowExtent, geometry_.cornerRadius, geometry_.shadowSigma, style_.shadowOpacity);
  compositor.DrawPixels(*shadowSurface_, n, n, shadow.data());

  compositor.DrawSurface(*rimSurface_, layout_.rimWidth, layout_.rimHeight, [&](Canvas& canvas) {
    DrawPlateRim(canvas, layout_.rimWidth, layout_.rimHeight, geometry_.rimWidth, geometry_.cornerRadius,
                 geometry_.vertical, style_);
  });

  const auto grain = PlateGrainPixels(layout_.grainWidth, layout_.grainHeight);
  compositor.DrawPixels(*grainSurface_, layout_.grainWidth, layout_.grainHeight, grain.data());
}

void GlassPlate::ApplyStyle() {
  if (compositor_ == nullptr) return;
  const bool blur = backdropAvailable_ && style_.transparency;
  backdropSprite_->SetIsVisible(blur);
  tintBrush_->SetColor(ToColor(blur ? style_.plateBlurTint : style_.plateSolid));
  grainSprite_->SetOpacity(style_.grainOpacity);
}

}  // namespace orvane
