#pragma once
// The dock's composition tree and the per-frame write of the visual plan
// into it. Root container, bottom to top: the glass plate, the item layer
// (per item an icon sprite and its running-indicator sprite), the drag layer
// (the lifted item's icon) and the effect layer. It talks only to the
// composition model, so the system compositor and the software one run the
// same code.

#include <cstdint>
#include <memory>
#include <span>
#include <unordered_map>
#include <vector>

#include "config/DockConfig.h"
#include "dock/DockEffects.h"
#include "dock/DockItem.h"
#include "dock/DockItemList.h"
#include "dock/DockPictures.h"
#include "dock/DockVisualPlan.h"
#include "render/Composition.h"
#include "render/GlassPlate.h"
#include "render/Theme.h"
#include "system/MediaInfo.h"

namespace orvane {

// The visuals of one item.
struct DockItemVisuals {
  ItemPicture picture;  // the icon sprite's surface and brush
  std::shared_ptr<SpriteVisual> icon;
  std::shared_ptr<SpriteVisual> indicator;
  bool inDragLayer = false;
};

class DockVisualLayer {
 public:
  // Builds the tree; `pictures` must have its shared sprites created and
  // outlive the layer (its effect container becomes the effect layer).
  void Create(Compositor& compositor, DockPictures& pictures);
  // The plate's measures for a plate `plateLength` pixels long, its style
  // and the separator colour.
  void Configure(const DockConfig& config, float scale, const Theme& theme, int plateLength);

  // Creates the visuals of created items and drops those of removed ones
  // (an item created and removed in between ends up with none).
  void ApplyChanges(const DockItemChanges& changes);
  // Redraws the picture of every item marked for redraw (separators have
  // none) and clears the mark.
  void RefreshPictures(const DockItemList& list, const MediaInfo& media, const PictureSettings& settings);

  // One frame: the hide offset, the plate, every item's icon and indicator
  // in list order, the lifted item and the effect sprites.
  void Apply(const DockItemList& list, const DockVisualPlan& plan, std::span<const DockEffectSprite> effects);

  const std::shared_ptr<ContainerVisual>& root() const { return root_; }
  GlassPlate& plate() { return plate_; }
  // nullptr for an item without visuals.
  DockItemVisuals* VisualsOf(const DockItem* item);
  std::size_t itemVisualCount() const { return items_.size(); }
  std::size_t effectSpriteCount() const { return effects_.size(); }

 private:
  void CreateVisuals(const DockItem& item);
  void RemoveVisuals(const DockItem* item);
  void PlaceLifted(const DockItem* lifted, const DockDraggedIcon& dragged);
  void ApplyEffects(std::span<const DockEffectSprite> effects);

  Compositor* compositor_ = nullptr;
  DockPictures* pictures_ = nullptr;
  std::shared_ptr<ContainerVisual> root_;
  GlassPlate plate_;
  std::shared_ptr<ContainerVisual> itemLayer_;
  std::shared_ptr<ContainerVisual> dragLayer_;
  std::shared_ptr<ColorBrush> separatorBrush_;
  std::unordered_map<const DockItem*, DockItemVisuals> items_;
  std::unordered_map<std::uint64_t, std::shared_ptr<SpriteVisual>> effects_;
  std::vector<std::uint64_t> staleEffects_;
};

}  // namespace orvane
