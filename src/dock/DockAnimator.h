#pragma once
// The portable part of the dock's frame step: magnification targets, every
// spring, the launch bounces, the drop gap, the layout with slide
// absorption, the visual plan, the hovered item, the hover popups and the
// effect layer. The hub feeds it the item list and the input state, then
// carries out the result: writes the visual plan into its visuals, places
// the input window, shows or hides popups and steps the tooltip.

#include <span>
#include <vector>

#include "config/DockConfig.h"
#include "dock/DockEffects.h"
#include "dock/DockGeometry.h"
#include "dock/DockHoverPopups.h"
#include "dock/DockItemView.h"
#include "dock/DockLayout.h"
#include "dock/DockSpring.h"
#include "dock/DockVisualPlan.h"
#include "render/Composition.h"

namespace orvane {

struct DockFrameInput {
  float dt = 0;  // seconds since the last frame (the main loop clamps it)
  Vector2 pointer;  // render-window DIPs
  bool hovering = false;
  bool shouldHide = false;  // the reveal bookkeeping wants the dock hidden
  int pressedIndex = -1;

  // An item drag: the item lifted out of the list, and its icon's centre.
  DockItemMotion* draggedItem = nullptr;
  Vector2 dragPoint;
  // A file drag from another program over the dock.
  bool externalDrag = false;
  bool overRecycleBin = false;
  int dropSlot = -1;  // where the drop gap opens

  DockPopupState popups;
};

class DockAnimator {
 public:
  // Recomputed geometry. `config` is the live configuration, read on every
  // step, so a changed spacing or spring takes effect on the next frame; it
  // must outlive the animator. Restarts nothing by itself; the hub rebuilds
  // the items and calls AdoptLayout.
  void Configure(const DockConfig& config, const DockGeometry& geometry);

  // One frame. True while another frame is needed (the tooltip's own
  // animation and pending popups are the hub's to add).
  bool Step(std::span<const DockItemView> items, const DockFrameInput& input);

  // After the item list was rebuilt: lays it out as it stands and records
  // every slot start, so the rebuilt dock does not slide.
  void AdoptLayout(std::span<const DockItemView> items);

  // The list changed between frames: lays it out at once, as the next frame
  // would before its springs move (jumps absorbed into slides), so input
  // that arrives first meets the items where they are shown.
  void Relayout(std::span<const DockItemView> items);

  // Dock-wide springs; the input handling sets the drop gap's and the
  // dragged icon's targets (and values at a drag's start).
  Spring hiddenAmount{0.0f, 0.0f, 0.0f};
  Spring dropGap{0.0f, 0.0f, 0.0f};
  Spring draggedOpacity{0.96f, 0.0f, 0.96f};

  const DockLayout& layout() const { return layout_; }
  const DockVisualPlan& visuals() const { return visuals_; }
  int hovered() const { return hovered_; }
  // Hover counts this frame (the pointer magnifies the dock).
  bool hoverActive() const { return hoverActive_; }
  const DockHoverRequests& popupRequests() const { return popups_; }
  const std::vector<DockEffectSprite>& effectSprites() const { return sprites_; }
  DockEffects& effects() { return effects_; }
  const DockEffects& effects() const { return effects_; }
  DockHoverPopups& hoverPopups() { return hoverPopups_; }
  const DockConfig& config() const { return *config_; }
  const DockGeometry& geometry() const { return geometry_; }

 private:
  void FillRecords(std::span<const DockItemView> items);
  // The records' bounce fields from each item's current bounce phase.
  void FillBounceShapes(std::span<const DockItemView> items);
  void Layout(int gapSlot, float gapSize);
  // Lays out, absorbs slot jumps into slides, steps the slides by dt and lays
  // out again with them.
  bool LayoutWithSlides(std::span<const DockItemView> items, float dt);

  static const DockConfig& DefaultConfig();

  const DockConfig* config_ = &DefaultConfig();
  DockGeometry geometry_;
  bool haveLayout_ = false;
  int gapSlot_ = -1;  // the drop gap of the last layout
  float gapSize_ = 0;
  bool hoverActive_ = false;
  int hovered_ = -1;
  std::vector<DockFrameRecord> records_;
  DockLayout layout_;
  DockVisualPlan visuals_;
  DockHoverRequests popups_;
  DockHoverPopups hoverPopups_;
  DockEffects effects_;
  std::vector<DockEffectSprite> sprites_;
};

}  // namespace orvane
