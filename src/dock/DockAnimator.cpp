#include "dock/DockAnimator.h"

#include <algorithm>
#include <cmath>

#include "dock/DockBounce.h"
#include "dock/DockHitTest.h"

namespace orvane {

namespace {

// A file dragged over the recycle bin lifts it even where the bell is low.
constexpr float kRecycleBinDropScale = 1.8f;
// Slot moves larger than this are list changes, not magnification: absorb them.
constexpr float kSlideJump = 14.0f;

}  // namespace

const DockConfig& DockAnimator::DefaultConfig() {
  static const DockConfig defaults;
  return defaults;
}

void DockAnimator::Configure(const DockConfig& config, const DockGeometry& geometry) {
  config_ = &config;
  geometry_ = geometry;
  haveLayout_ = false;
}

void DockAnimator::FillRecords(std::span<const DockItemView> items) {
  const bool bottom = geometry_.orientation == DockOrientation::Bottom;
  records_.resize(items.size());
  for (size_t i = 0; i < items.size(); ++i) {
    const DockItemMotion& m = *items[i].motion;
    DockFrameRecord& r = records_[i];
    r.kind = items[i].kind;
    r.scale = std::max(0.5f, m.magnification.value);
    r.appearance = m.appearance.value;
    r.slide = m.slide.value;
    r.extraLength = (bottom && r.kind == DockItemKind::Music) ? kMusicExtraLength : 0.0f;
  }
}

void DockAnimator::Layout(int gapSlot, float gapSize) {
  DockLayoutParams params;
  params.orientation = geometry_.orientation;
  params.windowLength = geometry_.windowLength;
  params.windowDepth = geometry_.windowDepth;
  params.gapSlot = gapSlot;
  params.gapSize = gapSize;
  LayoutDock(records_, *config_, params, layout_);
  haveLayout_ = true;
}

void DockAnimator::FillBounceShapes(std::span<const DockItemView> items) {
  for (size_t i = 0; i < items.size(); ++i) {
    BounceShape shape;
    if (items[i].motion->bouncePhase >= 0.0f) shape = BounceShapeAt(items[i].motion->bouncePhase, config_->iconSize);
    records_[i].bounceLift = shape.lift;
    records_[i].bounceAlong = shape.along;
    records_[i].bounceAcross = shape.across;
  }
}

bool DockAnimator::LayoutWithSlides(std::span<const DockItemView> items, float dt) {
  Layout(gapSlot_, gapSize_);
  // Slide: an item whose slot jumped keeps its place on screen and springs
  // to the new one, so inserting or removing an item moves its neighbours smoothly.
  bool moving = false;
  for (size_t i = 0; i < items.size(); ++i) {
    DockItemMotion& m = *items[i].motion;
    const float start = layout_.slots[i].slotStart;
    if (m.laidOut && std::fabs(start - m.previousSlotStart) > kSlideJump) {
      m.slide.value += m.previousSlotStart - start;
    }
    m.previousSlotStart = start;
    m.laidOut = true;
    moving |= StepSpring(m.slide, kSlideSpring, dt);
    records_[i].slide = m.slide.value;
  }
  Layout(gapSlot_, gapSize_);
  return moving;
}

void DockAnimator::Relayout(std::span<const DockItemView> items) {
  FillRecords(items);
  FillBounceShapes(items);
  LayoutWithSlides(items, 0.0f);
}

void DockAnimator::AdoptLayout(std::span<const DockItemView> items) {
  FillRecords(items);
  FillBounceShapes(items);
  gapSlot_ = -1;
  gapSize_ = 0.0f;
  Layout(-1, 0.0f);
  for (size_t i = 0; i < items.size(); ++i) {
    items[i].motion->previousSlotStart = layout_.slots[i].slotStart;
    items[i].motion->laidOut = true;
  }
  hoverPopups_.Reset();
  hovered_ = -1;
}

bool DockAnimator::Step(std::span<const DockItemView> items, const DockFrameInput& input) {
  const float dt = input.dt > 0.0f ? input.dt : 0.0f;
  const bool bottom = geometry_.orientation == DockOrientation::Bottom;
  const bool dragging = input.draggedItem != nullptr;
  bool moving = false;

  hiddenAmount.target = input.shouldHide ? 1.0f : 0.0f;
  moving |= StepSpring(hiddenAmount, kHiddenAmountSpring, dt);

  // Magnification: a Gaussian bell around the pointer over the previous frame's centres.
  const float px = input.pointer.x, py = input.pointer.y;
  hoverActive_ = haveLayout_ && hiddenAmount.value < 0.25f && !dragging && !input.popups.contextMenuOpen && input.hovering &&
                 InsideHoverBounds(layout_, px, py, 16.0f);
  const float pointerAlong = bottom ? px : py;
  const float magnification = config_->magnification;
  const bool bell = hoverActive_ && magnification > 1.0f;
  const float sigma = std::max(12.0f, (config_->iconSize + config_->iconSpacing) * config_->sigmaIcons);
  const float inverseTwoSigmaSquared = 1.0f / (2.0f * sigma * sigma);
  const bool raiseRecycleBin = input.externalDrag && input.overRecycleBin;
  const SpringConstants magnificationSpring = MagnificationSpring(*config_);

  FillRecords(items);
  bool bouncing = false;
  for (size_t i = 0; i < items.size(); ++i) {
    const DockItemView& item = items[i];
    DockItemMotion& m = *item.motion;
    float target = 1.0f;
    if (bell && item.kind != DockItemKind::Separator && i < layout_.slots.size()) {
      const DockSlot& s = layout_.slots[i];
      const float d = pointerAlong - (bottom ? s.centerX : s.centerY);
      target = 1.0f + (magnification - 1.0f) * std::exp(-d * d * inverseTwoSigmaSquared);
    }
    if (raiseRecycleBin && item.kind == DockItemKind::RecycleBin) {
      target = std::max(target, std::min(magnification, kRecycleBinDropScale));
    }
    m.magnification.target = target;
    moving |= StepSpring(m.magnification, magnificationSpring, dt);

    m.pressOpacity.target = (static_cast<int>(i) == input.pressedIndex && !dragging) ? kPressedOpacity : 1.0f;
    moving |= StepSpring(m.pressOpacity, kPressOpacitySpring, dt);
    moving |= StepSpring(m.appearance, kAppearanceSpring, dt);
    m.indicator.target = item.running ? 1.0f : 0.0f;
    moving |= StepSpring(m.indicator, kIndicatorSpring, dt);

    BounceShape shape;
    bouncing |= AdvanceBounce(m, dt, config_->iconSize, shape);
    DockFrameRecord& r = records_[i];
    r.scale = std::max(0.5f, m.magnification.value);
    r.appearance = m.appearance.value;
    r.bounceLift = shape.lift;
    r.bounceAlong = shape.along;
    r.bounceAcross = shape.across;
  }

  // The drop gap closes on its own once no drag feeds it.
  if ((dragging || input.externalDrag) && !input.overRecycleBin) {
    moving |= StepSpring(dropGap, kDropGapSpring, dt);
  } else if (dropGap.value > 0.05f) {
    dropGap.target = 0.0f;
    moving |= StepSpring(dropGap, kDropGapSpring, dt);
  }
  if (dragging) {
    moving |= StepSpring(draggedOpacity, kDraggedOpacitySpring, dt);
    moving |= StepSpring(input.draggedItem->magnification, magnificationSpring, dt);
  }
  const bool gapOpen = dropGap.value > 0.05f;
  gapSlot_ = gapOpen ? input.dropSlot : -1;
  gapSize_ = gapOpen ? dropGap.value : 0.0f;
  moving |= LayoutWithSlides(items, dt);

  DockDragVisualInput drag;
  if (dragging) drag = {input.draggedItem->magnification.value, draggedOpacity.value, input.dragPoint};
  PlanDockVisuals(layout_, items, *config_, geometry_.scale, hiddenAmount.value, dragging ? &drag : nullptr,
                  visuals_);

  hovered_ = (hoverActive_ && !input.externalDrag) ? HitTestDock(layout_, px, py) : -1;

  DockHoverInput hover;
  hover.dt = dt;
  hover.hovered = hovered_;
  if (hovered_ >= 0) {
    const DockItemView& item = items[static_cast<size_t>(hovered_)];
    const DockSlot& s = layout_.slots[static_cast<size_t>(hovered_)];
    hover.hoveredKind = item.kind;
    hover.hoveredHasWindows = item.hasWindows;
    hover.hoveredName = item.name;
    hover.anchor = {s.centerX, s.iconTop};
  }
  hover.windowLength = geometry_.windowLength;
  hover.dragging = dragging;
  hover.popups = input.popups;
  popups_ = hoverPopups_.Step(hover, *config_);

  const bool effectsAnimating = effects_.Tick(dt, geometry_.scale, sprites_);
  return moving || bouncing || popups_.timersRunning || effectsAnimating;
}

}  // namespace orvane
