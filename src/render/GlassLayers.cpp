#include "render/GlassLayers.h"

#include <algorithm>
#include <cmath>

#include "app/Errors.h"

namespace orvane {
namespace {

constexpr std::int32_t kEFail = static_cast<std::int32_t>(0x80004005u);

// An HResultError always carries a failure code; keep it one even if not.
std::int32_t FailureCode(const HResultError& e) { return e.code() != 0 ? e.code() : kEFail; }

}  // namespace

GlassShadowLayout LayoutGlassShadow(float sigma, float cornerRadius) {
  GlassShadowLayout l;
  if (!(sigma > 0)) return l;
  l.extent = std::ceil(3 * sigma);
  const int inset = static_cast<int>(l.extent + std::max(cornerRadius, 0.0f));
  l.surfaceSize = 2 * inset + 2;
  l.inset = static_cast<float>(inset);
  return l;
}

std::vector<std::uint8_t> GlassShadowPixels(int size, float extent, float cornerRadius, float sigma, float opacity) {
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
      const double a = std::clamp(0.5 * opacity * std::erfc(d / (s * std::sqrt(2.0))), 0.0, 1.0);
      pixels[(static_cast<size_t>(i) * n + j) * 4 + 3] = static_cast<std::uint8_t>(std::lround(a * 255));
    }
  }
  return pixels;
}

std::int32_t GlassLayers::Build(Compositor& compositor, bool withGrain) {
  compositor_ = &compositor;
  root_ = compositor.CreateContainerVisual();
  shadowSprite_ = compositor.CreateSpriteVisual();
  clipContainer_ = compositor.CreateContainerVisual();
  clipGeometry_ = compositor.CreateRoundedRectangleGeometry();
  clipContainer_->SetClip(compositor.CreateGeometricClip(clipGeometry_));
  backdropSprite_ = compositor.CreateSpriteVisual();
  backdropSprite_->SetRelativeSizeAdjustment({1, 1});

  std::int32_t backdropError = 0;
  try {
    hostBackdropBrush_ = compositor.CreateHostBackdropBrush();
    backdropAvailable_ = hostBackdropBrush_ != nullptr;
  } catch (const HResultError& e) {
    hostBackdropBrush_.reset();
    backdropAvailable_ = false;
    backdropError = FailureCode(e);
  }

  tintBrush_ = compositor.CreateColorBrush(Color::Transparent());
  tintSprite_ = compositor.CreateSpriteVisual();
  tintSprite_->SetRelativeSizeAdjustment({1, 1});
  tintSprite_->SetBrush(tintBrush_);
  if (withGrain) grainSprite_ = compositor.CreateSpriteVisual();
  topSprite_ = compositor.CreateSpriteVisual();

  clipContainer_->InsertAtTop(backdropSprite_);
  clipContainer_->InsertAtTop(tintSprite_);
  if (grainSprite_) clipContainer_->InsertAtTop(grainSprite_);
  root_->InsertAtTop(shadowSprite_);
  root_->InsertAtTop(clipContainer_);
  root_->InsertAtTop(topSprite_);
  return backdropError;
}

void GlassLayers::SetStyle(const GlassStyle& style) {
  style_ = style;
  if (compositor_ == nullptr) return;
  const float radius = std::max(style.cornerRadius, 0.0f);
  clipGeometry_->SetCornerRadius({radius, radius});
  if (grainSprite_) grainSprite_->SetOpacity(style.grainOpacity);

  const GlassShadowLayout layout = LayoutGlassShadow(style.shadowSigma, radius);
  shadowSprite_->SetIsVisible(layout.surfaceSize > 0);
  if (layout.surfaceSize <= 0) {
    ReleaseShadow();
    shadowLayout_ = layout;
    return;
  }
  if (shadowSurface_ == nullptr || !(layout == shadowLayout_)) {
    shadowSurface_ = compositor_->CreateDrawingSurface(layout.surfaceSize, layout.surfaceSize);
    auto source = compositor_->CreateSurfaceBrush(shadowSurface_);
    source->SetStretch(Stretch::Fill);
    auto brush = compositor_->CreateNineGridBrush(source);
    brush->SetInsets(layout.inset, layout.inset, layout.inset, layout.inset);
    shadowSprite_->SetBrush(brush);
  }
  shadowLayout_ = layout;
}

void GlassLayers::Place(float x, float y, float width, float height) {
  if (compositor_ == nullptr) return;
  clipContainer_->SetOffset({x, y, 0});
  clipContainer_->SetSize({width, height});
  clipGeometry_->SetSize({width, height});
  topSprite_->SetOffset({x, y, 0});
  topSprite_->SetSize({width, height});
  const float extent = shadowLayout_.extent;
  shadowSprite_->SetOffset({x - extent, y - extent + style_.shadowOffsetY, 0});
  shadowSprite_->SetSize({width + 2 * extent, height + 2 * extent});
}

void GlassLayers::RedrawShadow() {
  if (compositor_ == nullptr || shadowSurface_ == nullptr) return;
  const int n = shadowLayout_.surfaceSize;
  const auto pixels = GlassShadowPixels(n, shadowLayout_.extent, std::max(style_.cornerRadius, 0.0f),
                                        style_.shadowSigma, style_.shadowOpacity);
  compositor_->DrawPixels(*shadowSurface_, n, n, pixels.data());
}

void GlassLayers::ReleaseShadow() {
  if (shadowSprite_) shadowSprite_->SetBrush(nullptr);
  shadowSurface_.reset();
}

std::int32_t GlassLayers::BuildBackdropEffect() {
  if (compositor_ == nullptr || !backdropAvailable()) return 0;
  try {
    backdropSprite_->SetBrush(
        compositor_->CreateBackdropEffectBrush(hostBackdropBrush_, style_.blurAmount, style_.saturation));
    return 0;
  } catch (const HResultError& e) {
    backdropSprite_->SetBrush(nullptr);
    return FailureCode(e);
  }
}

void GlassLayers::ReleaseBackdropEffect() {
  if (backdropSprite_) backdropSprite_->SetBrush(nullptr);
}

void GlassLayers::ShowBackdrop(bool visible) {
  if (backdropSprite_) backdropSprite_->SetIsVisible(visible);
}

void GlassLayers::ShowTint(bool blurred) {
  if (tintBrush_) tintBrush_->SetColor(blurred ? style_.blurTint : style_.solidTint);
}

}  // namespace orvane
