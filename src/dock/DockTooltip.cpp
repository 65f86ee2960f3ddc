#include "dock/DockTooltip.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "app/Errors.h"
#include "app/Log.h"
#include "render/BubbleGeometry.h"

namespace orvane {
namespace {

constexpr float kEdgeInset = 8;        // DIP between the bubble and the area's ends
constexpr float kAnchorGap = 9;        // DIP between the pointer's tip and the icon
constexpr float kLinger = 0.28f;       // seconds of frames after the tooltip stops being wanted
constexpr float kRestingGrowth = 0.88f;
constexpr float kLeavingGrowth = 0.9f;
constexpr float kBlurDip = 18;
constexpr float kSaturation = 1.40f;

TextStyle TooltipTextStyle(float scale, bool ellipsis) {
  TextStyle style;
  style.family = L"Microsoft YaHei UI";
  style.size = 12.5f * scale;
  style.weight = 600;
  style.alignment = TextAlignment::Center;
  style.paragraph = ParagraphAlignment::Center;
  style.wrap = false;
  style.ellipsis = ellipsis;
  style.grayscale = true;
  return style;
}

// Makes the sprite's surface at width x height (with a stretched brush on
// the sprite) the first time, and resizes it later.
void EnsureSpriteSurface(Compositor& compositor, std::shared_ptr<DrawingSurface>& surface, SpriteVisual& sprite,
                         int width, int height) {
  if (surface != nullptr) {
    surface->Resize(width, height);
    return;
  }
  surface = compositor.CreateDrawingSurface(width, height);
  auto brush = compositor.CreateSurfaceBrush(surface);
  brush->SetStretch(Stretch::Fill);
  sprite.SetBrush(brush);
}

}  // namespace

float TooltipLeft(float anchorX, float width, float areaWidth) {
  const float left = anchorX - width / 2;
  const float rightLimit = std::max(areaWidth - kEdgeInset - width, kEdgeInset);
  return left < kEdgeInset ? kEdgeInset : std::min(rightLimit, left);
}

DockTooltip::DockTooltip() = default;
DockTooltip::~DockTooltip() = default;

void DockTooltip::Create(Compositor& compositor, std::shared_ptr<BackdropBrush> backdrop, bool backdropAvailable) {
  compositor_ = &compositor;
  measurer_ = CreateTextMeasurer();
  root_ = compositor.CreateContainerVisual();
  root_->SetIsVisible(false);
  root_->SetOpacity(0);
  shadowSprite_ = compositor.CreateSpriteVisual();
  clipContainer_ = compositor.CreateContainerVisual();
  pathGeometry_ = compositor.CreatePathGeometry();
  clipContainer_->SetClip(compositor.CreateGeometricClip(pathGeometry_));
  backdropSprite_ = compositor.CreateSpriteVisual();
  backdropSprite_->SetRelativeSizeAdjustment({1, 1});
  tintBrush_ = compositor.CreateColorBrush(Color{0, 0, 0, 0});
  tintSprite_ = compositor.CreateSpriteVisual();
  tintSprite_->SetRelativeSizeAdjustment({1, 1});
  tintSprite_->SetBrush(tintBrush_);
  contentSprite_ = compositor.CreateSpriteVisual();
  clipContainer_->InsertAtTop(backdropSprite_);
  clipContainer_->InsertAtTop(tintSprite_);
  root_->InsertAtTop(shadowSprite_);
  root_->InsertAtTop(clipContainer_);
  root_->InsertAtTop(contentSprite_);
  backdrop_ = std::move(backdrop);
  SetStyle(1, theme_, backdropAvailable);
}

void DockTooltip::SetStyle(float scale, const Theme& theme, bool backdropAvailable) {
  scale_ = scale > 0 && std::isfinite(scale) ? scale : 1;
  theme_ = theme;
  backdropAvailable_ = backdropAvailable && backdrop_ != nullptr;
  if (compositor_ != nullptr && backdropAvailable_) {
    try {
      backdropSprite_->SetBrush(compositor_->CreateBackdropEffectBrush(backdrop_, kBlurDip * scale_, kSaturation));
    } catch (const HResultError& e) {
      Log(L"DockTooltip: blur brush failed (0x%08X)", static_cast<unsigned>(e.code()));
      backdropSprite_->SetBrush(nullptr);
      backdropAvailable_ = false;
    }
  }
  ApplyTint();
  if (!layoutText_.empty()) Layout(std::exchange(layoutText_, {}), pointerX_);
}

void DockTooltip::SetTheme(const Theme& theme) {
  theme_ = theme;
  ApplyTint();
  if (!layoutText_.empty()) Layout(std::exchange(layoutText_, {}), pointerX_);
}

void DockTooltip::ApplyTint() {
  if (backdropSprite_ == nullptr || tintBrush_ == nullptr) return;
  const bool blur = backdropAvailable_ && theme_.transparency;
  backdropSprite_->SetIsVisible(blur);
  tintBrush_->SetColor(ToColor(blur ? theme_.tooltipBlurTint : theme_.tooltipSolid));
}

void DockTooltip::Layout(const std::wstring& text, float pointerX) {
  if (compositor_ == nullptr || measurer_ == nullptr) return;
  const float s = scale_;
  // A side dock's area is its narrow window: the body stays inside it and a
  // longer name ends in an ellipsis. A bottom dock's is the monitor's width.
  float maxText = 640 * s;
  if (trimToArea_) maxText = std::min(maxText, std::max((areaWidth_ - 2 * kEdgeInset - 24) * s, 20 * s));
  const TextStyle style = TooltipTextStyle(s, trimToArea_);
  const TextMetrics metrics = measurer_->Measure(text, style, maxText, 40 * s);
  trimmed_ = metrics.trimmed;

  const float W = std::max(std::ceil(24 * s + std::min(metrics.width, maxText)), 44 * s);
  const float H = std::max(std::ceil(12 * s + metrics.height), 24 * s);
  const float P = 6 * s, R = 8 * s, G = 6.5f * s;
  const float M = std::ceil(8 * s);
  bubbleWidth_ = W / s;
  bubbleHeight_ = H / s;
  pointerHeight_ = P / s;
  margin_ = M / s;
  const float lower = R + G + 2, upper = W - R - G - 2;
  const float p = lower > pointerX * s ? lower : std::min(upper, pointerX * s);
  pointerX_ = p / s;
  layoutText_ = text;
  ++layouts_;

  const Path path = CreateBubbleGeometry(W, H, R, p, G, P);
  if (path.empty()) return;
  pathGeometry_->SetPath(path);
  clipContainer_->SetOffset({M, M, 0});
  clipContainer_->SetSize({W, H + P});

  const int shadowW = static_cast<int>(std::ceil(2 * M + W)), shadowH = static_cast<int>(std::ceil(2 * M + H + P));
  EnsureSpriteSurface(*compositor_, shadowSurface_, *shadowSprite_, shadowW, shadowH);
  const ShadowStyle shadow{3.6f * s, Color{0, 0, 0, theme_.dark ? 0.45f : 0.22f}, PointF{0, 1.5f * s}};
  compositor_->DrawSurface(*shadowSurface_, shadowW, shadowH, [&](Canvas& canvas) {
    canvas.DrawShadow(shadow, [&](Canvas& c) {
      c.SetTransform(Matrix3x2::Translation(M, M));
      c.FillPath(path, Color{0, 0, 0, 1});
      c.SetTransform(Matrix3x2::Identity());
    });
  });
  shadowSprite_->SetSize({static_cast<float>(shadowW), static_cast<float>(shadowH)});

  const int contentW = static_cast<int>(std::ceil(W + 2)), contentH = static_cast<int>(std::ceil(H + P + 2));
  EnsureSpriteSurface(*compositor_, contentSurface_, *contentSprite_, contentW, contentH);
  compositor_->DrawSurface(*contentSurface_, contentW, contentH, [&](Canvas& canvas) {
    canvas.SetTransform(Matrix3x2::Translation(1, 1));
    canvas.StrokePath(path, ToColor(theme_.tooltipBorder), StrokeStyle::Plain(std::max(std::round(s), 1.0f)));
    canvas.DrawText(text, style, RectF{0, -0.5f * s, W, H - 0.5f * s}, ToColor(theme_.tooltipText));
    canvas.SetTransform(Matrix3x2::Identity());
  });
  contentSprite_->SetOffset({M - 1, M - 1, 0});
  contentSprite_->SetSize({static_cast<float>(contentW), static_cast<float>(contentH)});
}

void DockTooltip::Want(const std::wstring& text, float anchorX, float anchorY) {
  wanted_ = true;
  requestedText_ = text;
  anchorX_ = anchorX;
  anchorY_ = anchorY;
}

void DockTooltip::Unwanted() {
  wanted_ = false;
  delayElapsed_ = 0;
}

void DockTooltip::SetArea(float areaWidth, float delaySeconds) {
  areaWidth_ = areaWidth;
  delay_ = std::isfinite(delaySeconds) ? std::max(delaySeconds, 0.0f) : 0;
}

void DockTooltip::Follow(const DockTooltipRequest& request, bool blocked) {
  SetArea(request.windowLength, request.delaySeconds);
  if (request.show && !request.name.empty() && !blocked) {
    Want(std::wstring(request.name), request.anchor.x, request.anchor.y);
  } else {
    Unwanted();
  }
}

void DockTooltip::HideNow() {
  wanted_ = false;
  shown_ = false;
  delayElapsed_ = 0;
  opacity_.value = opacity_.velocity = 0;
  growth_.value = growth_.target = kRestingGrowth;
  growth_.velocity = 0;
  if (root_ != nullptr) {
    root_->SetOpacity(0);
    root_->SetIsVisible(false);
  }
}

bool DockTooltip::Update(float dt) {
  bool animating = false;
  if (wanted_) {
    linger_ = kLinger;
    bool snap = false;
    bool show = shown_;
    if (!shown_) {
      if (opacity_.value > 0.05f) {
        show = true;  // the last tooltip is still fading: no second wait
      } else if (delayElapsed_ < delay_) {
        delayElapsed_ += dt;
        animating = true;
      } else {
        show = true;
      }
      snap = show && opacity_.value < 0.02f;
    }
    if (show) {
      shown_ = true;
      float left = TooltipLeft(anchorX_, bubbleWidth_, areaWidth_);
      const float pointer = anchorX_ - left;
      if (requestedText_ != layoutText_ || std::fabs(pointer - pointerX_) > 1.5f) Layout(requestedText_, pointer);
      left = TooltipLeft(anchorX_, bubbleWidth_, areaWidth_);
      posX_.target = left;
      posY_.target = anchorY_ - kAnchorGap - (pointerHeight_ + bubbleHeight_);
      if (snap) {
        posX_.value = posX_.target;
        posY_.value = posY_.target;
        posX_.velocity = posY_.velocity = 0;
      }
    }
  } else {
    delayElapsed_ = 0;
    if (linger_ > 0) {
      linger_ = std::max(linger_ - dt, 0.0f);
      animating |= linger_ > 0;
    }
    shown_ = false;
  }

  opacity_.target = shown_ ? 1.0f : 0.0f;
  growth_.target = shown_ ? 1.0f : kLeavingGrowth;
  animating |= StepSpring(opacity_, kTooltipOpacitySpring, dt);
  animating |= StepSpring(growth_, kTooltipGrowthSpring, dt);
  animating |= StepSpring(posX_, kTooltipPositionSpring, dt);
  animating |= StepSpring(posY_, kTooltipPositionSpring, dt);

  if (root_ != nullptr) {
    const bool visible = opacity_.value > 0.005f;
    root_->SetIsVisible(visible);
    if (visible) {
      const float s = scale_;
      root_->SetOffset({(posX_.value - margin_) * s, (posY_.value - margin_) * s, 0});
      root_->SetCenterPoint({(margin_ + pointerX_) * s, (margin_ + bubbleHeight_ + pointerHeight_) * s, 0});
      root_->SetScale({growth_.value, growth_.value, 1});
      root_->SetOpacity(std::clamp(opacity_.value, 0.0f, 1.0f));
    }
  }
  return animating;
}

}  // namespace orvane
