// "dock-pictures": every picture a dock item can show, on the theme's solid
// plate colour: the three built-in glyphs (full size and at icon size), the
// music tile without a session, playing with a cover and a lyric line, and
// playing without a cover, the side dock's music squares, the indicator dot
// (magnified and at its real size) and the puff texture.

#include <cmath>
#include <memory>

#include "SampleMedia.h"
#include "Scenes.h"
#include "config/DockConfig.h"
#include "dock/DockPictures.h"

namespace orvane::preview {
namespace {

int Pixels(float value) { return static_cast<int>(std::lround(value)); }

void Build(SceneContext& ctx) {
  const float s = ctx.scale;
  const Theme theme = MakeTheme(ctx.dark, ctx.transparency);
  SoftCompositor& c = ctx.compositor;

  auto target = c.CreateWindowTarget(ctx.window, true);
  ctx.keepAlive.push_back(target);
  auto root = c.CreateSpriteVisual();
  root->SetRelativeSizeAdjustment({1, 1});
  root->SetBrush(c.CreateColorBrush(ToColor(theme.tooltipSolid).WithAlpha(1)));
  target->SetRoot(root);

  auto pictures = std::make_shared<DockPictures>();
  ctx.keepAlive.push_back(pictures);
  pictures->CreateSharedSprites(c, s, theme);
  PictureSettings settings;
  settings.scale = s;

  // Shows `item` at (x, y) DIP, `w` x `h` DIP (its pixel size when 0).
  auto show = [&](const std::shared_ptr<CompositionBrush>& brush, const DrawingSurface& surface, float x, float y,
                  float w = 0, float h = 0) {
    auto sprite = c.CreateSpriteVisual();
    sprite->SetBrush(brush);
    sprite->SetOffset({ctx.Px(x), ctx.Px(y), 0});
    sprite->SetSize({w > 0 ? ctx.Px(w) : static_cast<float>(surface.width()),
                     h > 0 ? ctx.Px(h) : static_cast<float>(surface.height())});
    root->InsertAtTop(sprite);
  };
  auto picture = [&](DockItemKind kind, const MediaInfo& media, const PictureSettings& with) {
    auto item = std::make_shared<ItemPicture>(ItemPicture{nullptr, c.CreateSurfaceBrush(nullptr)});
    ctx.keepAlive.push_back(item);
    pictures->RefreshItemPicture(kind, *item, {}, media, with);
    return item;
  };

  // Glyphs at full size, then as the dock shows them.
  const DockItemKind glyphs[] = {DockItemKind::LauncherButton, DockItemKind::NotificationArea, DockItemKind::Power};
  for (int i = 0; i < 3; ++i) {
    const auto item = picture(glyphs[i], {}, settings);
    show(item->brush, *item->surface, 20 + i * 176.0f, 20, 160, 160);
    show(item->brush, *item->surface, 548 + i * 60.0f, 20, 48, 48);
  }

  // Bottom-dock tiles.
  const MediaInfo tiles[] = {MediaInfo{}, WithSampleCover(PlayingSample(true)), PlayingSample(false)};
  for (int i = 0; i < 3; ++i) {
    const auto item = picture(DockItemKind::Music, tiles[i], settings);
    show(item->brush, *item->surface, 20 + i * 226.0f, 200);
  }

  // Side-dock squares.
  PictureSettings side = settings;
  side.dockPosition = L"left";
  const MediaInfo squares[] = {MediaInfo{}, WithSampleCover(PlayingSample(true))};
  for (int i = 0; i < 2; ++i) {
    const auto item = picture(DockItemKind::Music, squares[i], side);
    show(item->brush, *item->surface, 20 + i * 136.0f, 270, 120, 120);
  }

  // The indicator dot magnified and at its size under an icon; the puff
  // texture on a dark square so its white shows.
  const auto dot = pictures->indicatorBrush();
  show(dot, *dot->surface(), 300, 270, 48, 48);
  show(dot, *dot->surface(), 364, 290, 8, 8);
  auto darkBack = c.CreateSpriteVisual();
  darkBack->SetBrush(c.CreateColorBrush(Color::FromArgb(0xFF202430)));
  darkBack->SetOffset({ctx.Px(400), ctx.Px(262), 0});
  darkBack->SetSize({ctx.Px(224), ctx.Px(136)});
  root->InsertAtTop(darkBack);
  const auto puff = pictures->puffBrush();
  show(puff, *puff->surface(), 408, 270, 64, 64);
  show(puff, *puff->surface(), 488, 270, 128, 128);

  ctx.windowWidth = Pixels(ctx.Px(740));
  ctx.windowHeight = Pixels(ctx.Px(410));
  ctx.windowPosition = ScreenPoint{Pixels(ctx.Px(200)), Pixels(ctx.Px(200))};
}

const SceneRegistration kDockPictures{{"dock-pictures",
                                       "Dock item pictures: built-in glyphs, music tiles and squares, the "
                                       "indicator dot and the puff texture",
                                       Build}};

}  // namespace
}  // namespace orvane::preview
