#include "render/GlassSurfaceWindow.h"

#include <algorithm>
#include <cmath>


namespace orvane {
namespace {

constexpr float kPopupSaturation = 1.42f;
constexpr float kShadowDeviationDip = 4.8f;
constexpr float kShadowDropDip = 2.2f;

// round(clamp(opacity, lo, hi) x 255); a NaN opacity counts as the lower bound.
std::uint32_t AlphaByte(float opacity, float lo, float hi) {
  const float clamped = std::isnan(opacity) ? lo : std::clamp(opacity, lo, hi);
  return static_cast<std::uint32_t>(std::lround(clamped * 255.0f));
}

Color ArgbColor(std::uint32_t alpha, std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return Color::FromArgb((alpha << 24) | (r << 16) | (g << 8) | b);
}

}  // namespace

Color GlassTintColor(const Theme& theme, bool blurWanted, bool flat, float tintOpacity) {
  if (flat) return ArgbColor(AlphaByte(tintOpacity, 0.10f, 0.92f), 14, 15, 20);
  std::uint32_t alpha = blurWanted ? (theme.dark ? 186u : 196u) : 246u;
  if (tintOpacity >= 0) alpha = AlphaByte(tintOpacity, 0.05f, 0.98f);
  return theme.dark ? ArgbColor(alpha, 30, 30, 34) : ArgbColor(alpha, 246, 246, 250);
}

void GlassSurfaceWindow::Attach(NativeWindow window, Compositor& compositor, bool topmost) {
  compositor_ = &compositor;
  window_ = window;
  target_ = compositor.CreateWindowTarget(window, topmost);
  // Older systems and transparency policies offer no host backdrop; the tint
  // alone is a complete plate, so this is not worth a log line per popup.
  layers_.Build(compositor, false);
  layers_.root()->SetRelativeSizeAdjustment({1, 1});
  target_->SetRoot(layers_.root());
}

void GlassSurfaceWindow::Configure(float widthDip, float heightDip, float marginDip, float cornerRadiusDip,
                                   float scale, const Theme& theme, float blurDip, float tintOpacity) {
  flatMode_ = false;
  scale_ = std::max(scale, 1.0f);
  theme_ = theme;
  cornerRadiusDip_ = cornerRadiusDip;
  blurDip_ = blurDip;
  tintOpacity_ = tintOpacity;

  marginPx_ = std::round(marginDip * scale_);
  plateWidthPx_ = std::max(std::round(widthDip * scale_), 1.0f);
  plateHeightPx_ = std::max(std::round(heightDip * scale_), 1.0f);
  windowWidthPx_ = static_cast<int>(2 * marginPx_ + plateWidthPx_);
  windowHeightPx_ = static_cast<int>(2 * marginPx_ + plateHeightPx_);
  contentWidthPx_ = static_cast<int>(plateWidthPx_);
  contentHeightPx_ = static_cast<int>(plateHeightPx_);
  if (compositor_ == nullptr) return;

  ApplyStyle();
  layers_.Place(marginPx_, marginPx_, plateWidthPx_, plateHeightPx_);
  EnsureContentSurface();
  layers_.RedrawShadow();
}

void GlassSurfaceWindow::ConfigureFlat(int widthPx, int heightPx, float scale, const Theme& theme, float blurDip,
                                       float tintOpacity) {
  flatMode_ = true;
  scale_ = std::max(scale, 1.0f);
  theme_ = theme;
  cornerRadiusDip_ = 0;
  marginPx_ = 0;
  blurDip_ = blurDip;
  tintOpacity_ = tintOpacity;
  windowWidthPx_ = contentWidthPx_ = std::max(widthPx, 1);
  windowHeightPx_ = contentHeightPx_ = std::max(heightPx, 1);
  plateWidthPx_ = static_cast<float>(windowWidthPx_);
  plateHeightPx_ = static_cast<float>(windowHeightPx_);
  if (compositor_ == nullptr) return;

  ApplyStyle();
  layers_.Place(0, 0, plateWidthPx_, plateHeightPx_);
  EnsureContentSurface();
}

void GlassSurfaceWindow::SetStyle(const Theme& theme, float tintOpacity) {
  theme_ = theme;
  if (tintOpacity >= 0) tintOpacity_ = tintOpacity;
  if (compositor_ == nullptr) return;
  ApplyStyle();
  layers_.RedrawShadow();
}

void GlassSurfaceWindow::ReleaseSurfaces() {
  if (layers_.topSprite()) layers_.topSprite()->SetBrush(nullptr);
  layers_.ReleaseShadow();
  layers_.ReleaseBackdropEffect();
  contentSurface_.reset();
}

TextStyle GlassSurfaceWindow::CreateTextFormat(float sizeDip, int weight, TextAlignment alignment,
                                               bool ellipsis) const {
  TextStyle style;
  style.family = L"Microsoft YaHei UI";
  style.size = sizeDip * scale_;
  style.weight = weight;
  style.alignment = alignment;
  style.paragraph = ParagraphAlignment::Center;
  style.wrap = false;
  style.ellipsis = ellipsis;
  return style;
}

void GlassSurfaceWindow::EnsureContentSurface() {
  if (contentSurface_) {
    contentSurface_->Resize(contentWidthPx_, contentHeightPx_);
    return;
  }
  contentSurface_ = compositor_->CreateDrawingSurface(contentWidthPx_, contentHeightPx_);
  auto brush = compositor_->CreateSurfaceBrush(contentSurface_);
  brush->SetStretch(Stretch::Fill);
  layers_.topSprite()->SetBrush(brush);
}

void GlassSurfaceWindow::ApplyStyle() {
  // Flat plates have no look of their own: they are the overlays' tint.
  const GlassLook* look = look_ && !flatMode_ ? &*look_ : nullptr;
  GlassStyle style;
  if (look != nullptr) {
    style.blurTint = Color::FromArgb(theme_.dark ? look->darkBlurTint : look->lightBlurTint);
    style.solidTint = Color::FromArgb(theme_.dark ? look->darkSolidTint : look->lightSolidTint);
  } else {
    style.blurTint = GlassTintColor(theme_, true, flatMode_, tintOpacity_);
    style.solidTint = GlassTintColor(theme_, false, flatMode_, tintOpacity_);
  }
  style.blurAmount = blurDip_ * scale_;
  style.saturation = look != nullptr ? look->saturation : kPopupSaturation;
  style.cornerRadius = std::round(cornerRadiusDip_ * scale_);
  if (HasShadow()) {
    style.shadowSigma = (look != nullptr ? look->shadowDeviationDip : kShadowDeviationDip) * scale_;
    style.shadowOffsetY = (look != nullptr ? look->shadowDropDip : kShadowDropDip) * scale_;
    style.shadowOpacity = theme_.dark ? 0.5f : 0.24f;
  }
  style.transparency = theme_.transparency;
  layers_.SetStyle(style);

  // When the effect cannot be built the tint still follows the blurred
  // variant: the plate keeps its look apart from the blur, and the next
  // configure tries again.
  const bool blurWanted = layers_.backdropAvailable() && theme_.transparency;
  layers_.ShowBackdrop(blurWanted && layers_.BuildBackdropEffect() == 0);
  layers_.ShowTint(blurWanted);
}

}  // namespace orvane
