#include "dock/DockPictures.h"

#include <cmath>

namespace orvane {

int IconPictureTarget(float magnification, float iconSize, float scale) {
  const float side = std::ceil(magnification * iconSize * scale);
  if (!(side > 64)) return 64;  // also for NaN
  return side < 256 ? static_cast<int>(side) : 256;
}

void EnsureSurfaceSize(Compositor& compositor, std::shared_ptr<DrawingSurface>& surface, int width, int height) {
  if (surface == nullptr) {
    surface = compositor.CreateDrawingSurface(width, height);
  } else if (surface->width() != width || surface->height() != height) {
    surface->Resize(width, height);
  }
}

bool DrawIconPicture(Compositor& compositor, std::shared_ptr<DrawingSurface>& surface, const IconImage& icon,
                     int target) {
  // IconImage::empty also refuses a buffer shorter than its size claims.
  if (icon.empty()) return false;
  if (target < icon.width || target < icon.height) {
    EnsureSurfaceSize(compositor, surface, target, target);
    bool made = true;
    const float side = static_cast<float>(target);
    const bool drawn = compositor.DrawSurface(*surface, target, target, [&](Canvas& canvas) {
      made = canvas.DrawBitmap(BitmapView{icon.width, icon.height, icon.width * 4, icon.pixels.data()},
                               RectF{0, 0, side, side}, 1.0f, Interpolation::HighQuality);
    });
    if (made) return drawn;
    // No bitmap could be made of the pixels: show them unscaled instead.
  }
  EnsureSurfaceSize(compositor, surface, icon.width, icon.height);
  return compositor.DrawPixels(*surface, icon.width, icon.height, icon.pixels.data());
}

// --- DockPictures -----------------------------------------------------------------

void DockPictures::CreateSharedSprites(Compositor& compositor, float scale, const Theme& theme) {
  compositor_ = &compositor;
  effectContainer_ = compositor.CreateContainerVisual();
  indicatorBrush_ = compositor.CreateSurfaceBrush(nullptr);
  indicatorBrush_->SetStretch(Stretch::Fill);
  puffBrush_ = compositor.CreateSurfaceBrush(nullptr);
  puffBrush_->SetStretch(Stretch::Fill);
  SetScaleAndTheme(scale, theme);
}

void DockPictures::SetScaleAndTheme(float scale, const Theme& theme) {
  scale_ = scale;
  theme_ = theme;
  DrawIndicator();
  DrawPuff();
}

void DockPictures::SetTheme(const Theme& theme) {
  theme_ = theme;
  DrawIndicator();
}

void DockPictures::DeviceLost() {
  musicFormats_ = {};
  DrawIndicator();
  DrawPuff();
}

void DockPictures::DrawIndicator() {
  if (compositor_ == nullptr) return;
  const int side = IndicatorSurfaceSide(scale_);
  EnsureSurfaceSize(*compositor_, indicatorSurface_, side, side);
  compositor_->DrawSurface(*indicatorSurface_, side, side,
                           [&](Canvas& canvas) { DrawIndicatorDot(canvas, scale_, theme_); });
  if (indicatorBrush_->surface() != indicatorSurface_) indicatorBrush_->SetSurface(indicatorSurface_);
}

void DockPictures::DrawPuff() {
  if (compositor_ == nullptr) return;
  EnsureSurfaceSize(*compositor_, puffSurface_, kPuffSide, kPuffSide);
  const std::vector<std::uint8_t> pixels = PuffTexturePixels();
  compositor_->DrawPixels(*puffSurface_, kPuffSide, kPuffSide, pixels.data());
  if (puffBrush_->surface() != puffSurface_) puffBrush_->SetSurface(puffSurface_);
}

void DockPictures::RefreshItemPicture(DockItemKind kind, ItemPicture& item, const IconImage& icon,
                                      const MediaInfo& media, const PictureSettings& settings) {
  if (compositor_ == nullptr) return;
  if (kind == DockItemKind::Music) {
    DrawMusicItem(item, media, settings);
    return;
  }
  if (HasBuiltInGlyph(kind)) {
    EnsureSurfaceSize(*compositor_, item.surface, kGlyphSide, kGlyphSide);
    compositor_->DrawSurface(*item.surface, kGlyphSide, kGlyphSide,
                             [&](Canvas& canvas) { DrawBuiltInGlyph(canvas, kind); });
  } else if (icon.empty()) {
    return;  // the slot stays empty (or keeps its last picture)
  } else {
    DrawIconPicture(*compositor_, item.surface, icon,
                    IconPictureTarget(settings.magnification, settings.iconSize, settings.scale));
  }
  if (item.brush != nullptr && item.brush->surface() != item.surface) item.brush->SetSurface(item.surface);
}

void DockPictures::DrawMusicItem(ItemPicture& item, const MediaInfo& media, const PictureSettings& settings) {
  if (compositor_ == nullptr) return;
  if (IsSideDock(settings.dockPosition)) {
    EnsureSurfaceSize(*compositor_, item.surface, kGlyphSide, kGlyphSide);
    compositor_->DrawSurface(*item.surface, kGlyphSide, kGlyphSide,
                             [&](Canvas& canvas) { DrawMusicSquare(canvas, media); });
  } else {
    const PictureSize size = MusicTileSize(settings.scale, settings.iconSize);
    EnsureMusicTextFormats(musicFormats_, settings.scale);
    EnsureSurfaceSize(*compositor_, item.surface, size.width, size.height);
    compositor_->DrawSurface(*item.surface, size.width, size.height, [&](Canvas& canvas) {
      DrawMusicTile(canvas, media, theme_, settings.scale, size, musicFormats_);
    });
  }
  if (item.brush != nullptr && item.brush->surface() != item.surface) item.brush->SetSurface(item.surface);
}

std::optional<MusicItemUpdate> DockPictures::RefreshMusicItem(ItemPicture& item, const MediaInfo& media,
                                                              const PictureSettings& settings) {
  auto update = music_.Update(media);
  if (update) DrawMusicItem(item, media, settings);
  return update;
}

}  // namespace orvane
