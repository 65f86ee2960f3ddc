#pragma once
// The name bubble over a hovered dock item: rounded glass with a pointer at
// its bottom edge, the name centred in semi-bold type, a soft shadow, and a
// fade-and-grow entrance. Its visuals live in the render window's tree above
// the dock's root (which moves with the hide offset). Each frame the dock
// says whether it is wanted, for which name and at which point; the tooltip
// keeps the show delay, its size, its place along the edge and its springs.
//
// A layout (measuring, the bubble path, the shadow and content surfaces)
// happens only when the text or the pointer's place changes, or after a
// style or theme change; a frame where both stay put steps four springs and
// writes a few visual properties.

#include <memory>
#include <string>

#include "dock/DockHoverPopups.h"
#include "dock/DockItemMotion.h"
#include "dock/DockSpring.h"
#include "render/Composition.h"
#include "render/TextMeasurer.h"
#include "render/Theme.h"

namespace orvane {

inline constexpr SpringConstants kTooltipOpacitySpring{2014.205f, 85.2718f, 0.004f};
inline constexpr SpringConstants kTooltipGrowthSpring{2014.205f, 85.2718f, 0.002f};
inline constexpr SpringConstants kTooltipPositionSpring{2014.205f, 82.579f, 0.05f};

// Left edge of a bubble `width` DIP wide aimed at anchorX, kept 8 DIP inside
// an area `areaWidth` wide (the left edge wins when it cannot fit).
float TooltipLeft(float anchorX, float width, float areaWidth);

class DockTooltip {
 public:
  DockTooltip();
  ~DockTooltip();
  DockTooltip(const DockTooltip&) = delete;
  DockTooltip& operator=(const DockTooltip&) = delete;

  // Builds the hidden tree. `backdrop` is the plate's host backdrop (may be
  // null: the bubble is then solid).
  void Create(Compositor& compositor, std::shared_ptr<BackdropBrush> backdrop, bool backdropAvailable);
  // Scale, theme and backdrop after a rebuild, a new monitor or a device
  // recovery: the blur and tint follow, and a laid-out text is laid out again.
  void SetStyle(float scale, const Theme& theme, bool backdropAvailable);
  void SetTheme(const Theme& theme);
  // `trimToArea`: side docks, whose area is the narrow render window, trim
  // a name too long for it with an ellipsis.
  void SetTrimToArea(bool trim) { trimToArea_ = trim; }

  // This frame's request, before Update.
  void Want(const std::wstring& text, float anchorX, float anchorY);
  void Unwanted();
  void SetArea(float areaWidth, float delaySeconds);
  // The frame step's request as the three calls above; `blocked` (a menu,
  // a popup or a drag) leaves it unwanted.
  void Follow(const DockTooltipRequest& request, bool blocked);
  // Steps the tooltip dt seconds; true while it still needs frames.
  bool Update(float dt);
  // Gone at once: a menu, another popup or a drag starts, or the
  // configuration is applied.
  void HideNow();

  const std::shared_ptr<ContainerVisual>& root() const { return root_; }
  bool shown() const { return shown_; }
  float opacity() const { return opacity_.value; }
  float bubbleWidth() const { return bubbleWidth_; }
  float bubbleHeight() const { return bubbleHeight_; }
  float pointerX() const { return pointerX_; }
  float left() const { return posX_.target; }
  float top() const { return posY_.target; }
  const std::wstring& layoutText() const { return layoutText_; }
  bool textTrimmed() const { return trimmed_; }
  int layouts() const { return layouts_; }

 private:
  void ApplyTint();
  void Layout(const std::wstring& text, float pointerX);

  Compositor* compositor_ = nullptr;
  std::unique_ptr<TextMeasurer> measurer_;
  std::shared_ptr<BackdropBrush> backdrop_;
  bool backdropAvailable_ = false;
  bool trimToArea_ = false;
  float scale_ = 1;
  Theme theme_;

  std::shared_ptr<ContainerVisual> root_;
  std::shared_ptr<SpriteVisual> shadowSprite_;
  std::shared_ptr<ContainerVisual> clipContainer_;
  std::shared_ptr<PathGeometry> pathGeometry_;
  std::shared_ptr<SpriteVisual> backdropSprite_;
  std::shared_ptr<SpriteVisual> tintSprite_;
  std::shared_ptr<ColorBrush> tintBrush_;
  std::shared_ptr<SpriteVisual> contentSprite_;
  std::shared_ptr<DrawingSurface> shadowSurface_;
  std::shared_ptr<DrawingSurface> contentSurface_;

  bool wanted_ = false;
  bool shown_ = false;
  std::wstring requestedText_;
  std::wstring layoutText_;
  bool trimmed_ = false;
  int layouts_ = 0;
  float anchorX_ = 0, anchorY_ = 0;
  float areaWidth_ = 1920;
  float delay_ = 0.11f;
  float delayElapsed_ = 0;
  float linger_ = 0;
  float bubbleWidth_ = 64, bubbleHeight_ = 28, pointerHeight_ = 6, margin_ = 8, pointerX_ = 32;
  Spring opacity_{0, 0, 0};
  Spring growth_{0.88f, 0, 0.88f};
  Spring posX_{0, 0, 0};
  Spring posY_{0, 0, 0};
};

}  // namespace orvane
