#include "dock/DockVisualLayer.h"

#include <algorithm>

namespace orvane {

void DockVisualLayer::Create(Compositor& compositor, DockPictures& pictures) {
  compositor_ = &compositor;
  pictures_ = &pictures;
  root_ = compositor.CreateContainerVisual();
  root_->SetRelativeSizeAdjustment({1, 1});
  plate_.Initialize(compositor);
  itemLayer_ = compositor.CreateContainerVisual();
  dragLayer_ = compositor.CreateContainerVisual();
  separatorBrush_ = compositor.CreateColorBrush(Color{});
  root_->InsertAtTop(plate_.rootVisual());
  root_->InsertAtTop(itemLayer_);
  root_->InsertAtTop(dragLayer_);
  if (pictures.effectContainer() != nullptr) root_->InsertAtTop(pictures.effectContainer());
}

void DockVisualLayer::Configure(const DockConfig& config, float scale, const Theme& theme, int plateLength) {
  if (compositor_ == nullptr) return;
  plate_.Configure(DockPlateGeometry(config, scale, plateLength), PlateStyle(theme, config.glassOpacity));
  separatorBrush_->SetColor(ToColor(theme.separator));
}

void DockVisualLayer::CreateVisuals(const DockItem& item) {
  DockItemVisuals visuals;
  visuals.icon = compositor_->CreateSpriteVisual();
  if (item.kind == DockItemKind::Separator) {
    visuals.icon->SetBrush(separatorBrush_);
  } else {
    visuals.picture.brush = compositor_->CreateSurfaceBrush(nullptr);
    visuals.picture.brush->SetStretch(Stretch::Fill);
    visuals.icon->SetBrush(visuals.picture.brush);
  }
  visuals.indicator = compositor_->CreateSpriteVisual();
  visuals.indicator->SetBrush(pictures_->indicatorBrush());
  visuals.indicator->SetIsVisible(false);
  itemLayer_->InsertAtTop(visuals.icon);
  itemLayer_->InsertAtTop(visuals.indicator);
  items_[&item] = std::move(visuals);
}

void DockVisualLayer::RemoveVisuals(const DockItem* item) {
  const auto found = items_.find(item);
  if (found == items_.end()) return;
  ContainerVisual& layer = found->second.inDragLayer ? *dragLayer_ : *itemLayer_;
  layer.Remove(found->second.icon);
  itemLayer_->Remove(found->second.indicator);
  items_.erase(found);
}

void DockVisualLayer::ApplyChanges(const DockItemChanges& changes) {
  if (compositor_ == nullptr) return;
  // Removals first: a removed item's address may be reused by a created one.
  for (const DockItemRemoval& removal : changes.removed) RemoveVisuals(removal.item.get());
  for (DockItem* item : changes.created) {
    const bool removedAgain = std::any_of(changes.removed.begin(), changes.removed.end(),
                                          [&](const DockItemRemoval& r) { return r.item.get() == item; });
    if (!removedAgain && !items_.contains(item)) CreateVisuals(*item);
  }
}

void DockVisualLayer::RefreshPictures(const DockItemList& list, const MediaInfo& media,
                                      const PictureSettings& settings) {
  if (pictures_ == nullptr) return;
  for (const auto& item : list.items()) {
    if (!item->needsRedraw) continue;
    DockItemVisuals* visuals = VisualsOf(item.get());
    if (visuals == nullptr) continue;
    if (item->kind != DockItemKind::Separator) {
      pictures_->RefreshItemPicture(item->kind, visuals->picture, item->icon, media, settings);
    }
    item->needsRedraw = false;
  }
}

DockItemVisuals* DockVisualLayer::VisualsOf(const DockItem* item) {
  const auto found = items_.find(item);
  return found == items_.end() ? nullptr : &found->second;
}

void DockVisualLayer::Apply(const DockItemList& list, const DockVisualPlan& plan,
                            std::span<const DockEffectSprite> effects) {
  if (compositor_ == nullptr) return;
  root_->SetOffset({plan.rootOffset.x, plan.rootOffset.y, 0});
  plate_.Place(plan.plate.x, plan.plate.y, plan.plate.width, plan.plate.height);

  const std::size_t n = std::min(list.size(), plan.items.size());
  for (std::size_t i = 0; i < n; ++i) {
    DockItemVisuals* visuals = VisualsOf(&list[i]);
    if (visuals == nullptr) continue;
    if (visuals->inDragLayer) {  // put back after a drag
      dragLayer_->Remove(visuals->icon);
      itemLayer_->InsertBelow(visuals->icon, visuals->indicator);
      visuals->inDragLayer = false;
    }
    const DockItemVisual& v = plan.items[i];
    visuals->icon->SetIsVisible(true);
    visuals->icon->SetOffset({v.offset.x, v.offset.y, 0});
    visuals->icon->SetSize(v.size);
    visuals->icon->SetOpacity(v.opacity);
    visuals->indicator->SetIsVisible(v.indicatorVisible);
    if (v.indicatorVisible) {
      visuals->indicator->SetOpacity(v.indicatorOpacity);
      visuals->indicator->SetOffset({v.indicatorOffset.x, v.indicatorOffset.y, 0});
      visuals->indicator->SetSize({v.indicatorSize, v.indicatorSize});
    }
  }
  PlaceLifted(list.lifted(), plan.dragged);
  ApplyEffects(effects);
}

void DockVisualLayer::PlaceLifted(const DockItem* lifted, const DockDraggedIcon& dragged) {
  DockItemVisuals* visuals = VisualsOf(lifted);
  if (visuals == nullptr) return;
  if (!visuals->inDragLayer) {
    itemLayer_->Remove(visuals->icon);
    dragLayer_->InsertAtTop(visuals->icon);
    visuals->inDragLayer = true;
  }
  visuals->indicator->SetIsVisible(false);
  visuals->icon->SetIsVisible(dragged.visible);
  visuals->icon->SetOffset({dragged.offset.x, dragged.offset.y, 0});
  visuals->icon->SetSize(dragged.size);
  visuals->icon->SetOpacity(dragged.opacity);
}

void DockVisualLayer::ApplyEffects(std::span<const DockEffectSprite> effects) {
  const std::shared_ptr<ContainerVisual>& layer = pictures_->effectContainer();
  if (layer == nullptr) return;
  // Sprites come and go only when an effect starts or ends; then the layer
  // is restacked in the order given.
  bool restack = effects.size() != effects_.size();
  for (const DockEffectSprite& e : effects) {
    if (effects_.contains(e.id)) continue;
    auto sprite = compositor_->CreateSpriteVisual();
    sprite->SetAnchorPoint({0.5f, 0.5f});
    sprite->SetBrush(e.image == DockEffectImage::Puff ? pictures_->puffBrush() : e.brush);
    effects_.emplace(e.id, std::move(sprite));
    restack = true;
  }
  if (restack) {
    layer->RemoveAll();
    staleEffects_.clear();
    for (const auto& [id, sprite] : effects_) {
      const bool live = std::any_of(effects.begin(), effects.end(), [&](const DockEffectSprite& e) { return e.id == id; });
      if (!live) staleEffects_.push_back(id);
    }
    for (const std::uint64_t id : staleEffects_) effects_.erase(id);
    for (const DockEffectSprite& e : effects) layer->InsertAtTop(effects_.at(e.id));
  }
  for (const DockEffectSprite& e : effects) {
    SpriteVisual& sprite = *effects_.at(e.id);
    sprite.SetIsVisible(e.visible);
    sprite.SetOffset({e.offset.x, e.offset.y, 0});
    sprite.SetSize({e.size, e.size});
    sprite.SetScale(e.scale);
    sprite.SetRotationAngleInDegrees(e.rotationDegrees);
    sprite.SetCenterPoint(e.centerPoint);
    sprite.SetOpacity(e.opacity);
  }
}

}  // namespace orvane
