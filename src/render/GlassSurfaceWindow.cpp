#include "render/GlassSurfaceWindow.h"

#include <algorithm>
#include <cmath>

#include "app/Errors.h"

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

  root_ = compositor.CreateContainerVisual();
  root_->SetRelativeSizeAdjustment({1, 1});
  target_->SetRoot(root_);
  shadowSprite_ = compositor.CreateSpriteVisual();
  clipContainer_ = compositor.CreateContainerVisual();
  clipGeometry_ = compositor.CreateRoundedRectangleGeometry();
  clipContainer_->SetClip(compositor.CreateGeometricClip(clipGeometry_));
  backdropSprite_ = compositor.CreateSpriteVisual();
  backdropSprite_->SetRelativeSizeAdjustment({1, 1});

  // Older systems and transparency policies offer no host backdrop; the tint
  // alone is a complete plate, so this is not worth a log line per popup.
  try {
    hostBackdropBrush_ = compositor.CreateHostBackdropBrush();
    backdropAvailable_ = hostBackdropBrush_ != nullptr;
  } catch (const HResultError&) {
    hostBackdropBrush_.reset();
    backdropAvailable_ = false;
  }

  tintBrush_ = compositor.CreateColorBrush(Color::Transparent());
  tintSprite_ = compositor.CreateSpriteVisual();
  tintSprite_->SetRelativeSizeAdjustment({1, 1});
  tintSprite_->SetBrush(tintBrush_);
  contentSprite_ = compositor.CreateSpriteVisual();

  clipContainer_->InsertAtTop(backdropSprite_);
  clipContainer_->InsertAtTop(tintSprite_);
  root_->InsertAtTop(shadowSprite_);
  root_->InsertAtTop(clipContainer_);
  root_->InsertAtTop(contentSprite_);
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

  const float radius = std::round(cornerRadiusDip_ * scale_);
  const Vector2 plate{plateWidthPx_, plateHeightPx_};
  clipGeometry_->SetCornerRadius({radius, radius});
  clipGeometry_->SetSize(plate);
  clipContainer_->SetOffset({marginPx_, marginPx_, 0});
  clipContainer_->SetSize(plate);
  shadowSprite_->SetIsVisible(marginPx_ > 0.5f);
  shadowSprite_->SetOffset({0, 0, 0});
  shadowSprite_->SetSize({static_cast<float>(windowWidthPx_), static_cast<float>(windowHeightPx_)});
  contentSprite_->SetOffset({marginPx_, marginPx_, 0});
  contentSprite_->SetSize(plate);
  EnsureContentSurface();
  ApplyTint();
  if (marginPx_ > 0.5f) DrawShadow();
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

  const Vector2 size{plateWidthPx_, plateHeightPx_};
  clipGeometry_->SetCornerRadius({0, 0});
  clipGeometry_->SetSize(size);
  clipContainer_->SetOffset({0, 0, 0});
  clipContainer_->SetSize(size);
  contentSprite_->SetOffset({0, 0, 0});
  contentSprite_->SetSize(size);
  shadowSprite_->SetIsVisible(false);
  EnsureContentSurface();
  ApplyTint();
}

void GlassSurfaceWindow::SetStyle(const Theme& theme, float tintOpacity) {
  theme_ = theme;
  if (tintOpacity >= 0) tintOpacity_ = tintOpacity;
  ApplyTint();
  if (!flatMode_ && marginPx_ > 0.5f) DrawShadow();
}

void GlassSurfaceWindow::ReleaseSurfaces() {
  if (contentSprite_) contentSprite_->SetBrush(nullptr);
  if (shadowSprite_) shadowSprite_->SetBrush(nullptr);
  if (backdropSprite_) backdropSprite_->SetBrush(nullptr);
  contentSurface_.reset();
  shadowSurface_.reset();
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
  contentSprite_->SetBrush(brush);
}

void GlassSurfaceWindow::ApplyTint() {
  if (compositor_ == nullptr || backdropSprite_ == nullptr) return;
  const bool blurWanted = backdropAvailable_ && theme_.transparency && hostBackdropBrush_ != nullptr;
  if (blurWanted) {
    backdropSprite_->SetIsVisible(true);
    try {
      backdropSprite_->SetBrush(
          compositor_->CreateBackdropEffectBrush(hostBackdropBrush_, blurDip_ * scale_, kPopupSaturation));
    } catch (const HResultError&) {
      // The tint still follows the blurred variant: the plate keeps its look
      // apart from the blur, and the next configure tries again.
      backdropSprite_->SetIsVisible(false);
    }
  } else {
    backdropSprite_->SetIsVisible(false);
  }
  tintBrush_->SetColor(GlassTintColor(theme_, blurWanted, flatMode_, tintOpacity_));
}

void GlassSurfaceWindow::DrawShadow() {
  if (compositor_ == nullptr || windowWidthPx_ <= 0 || windowHeightPx_ <= 0) return;
  if (shadowSurface_) {
    shadowSurface_->Resize(windowWidthPx_, windowHeightPx_);
  } else {
    shadowSurface_ = compositor_->CreateDrawingSurface(windowWidthPx_, windowHeightPx_);
    auto brush = compositor_->CreateSurfaceBrush(shadowSurface_);
    brush->SetStretch(Stretch::Fill);
    shadowSprite_->SetBrush(brush);
  }

  const RectF plate{marginPx_, marginPx_, marginPx_ + plateWidthPx_, marginPx_ + plateHeightPx_};
  const float radius = std::round(cornerRadiusDip_ * scale_);
  ShadowStyle shadow;
  shadow.standardDeviation = kShadowDeviationDip * scale_;
  shadow.color = Color{0, 0, 0, theme_.dark ? 0.5f : 0.24f};
  shadow.offset = PointF{0, kShadowDropDip * scale_};
  compositor_->DrawSurface(*shadowSurface_, windowWidthPx_, windowHeightPx_, [&](Canvas& canvas) {
    canvas.DrawShadow(shadow, [&](Canvas& content) {
      content.FillRoundedRect(plate, radius, radius, Color{0, 0, 0, 1});
    });
  });
}

}  // namespace orvane
