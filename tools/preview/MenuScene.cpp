#include "MenuScene.h"

#include <cmath>
#include <memory>
#include <utility>

#include "render/GlassSurfaceWindow.h"
#include "render/TextMeasurer.h"
#include "ui/PopupPlacement.h"
#include "ui/menu/ContextMenu.h"
#include "ui/menu/ContextMenuLook.h"

namespace orvane::preview {

void BuildMenu(SceneContext& ctx, std::vector<MenuItem> items, int hoverRow, float anchorXDip, float anchorYDip) {
  const Theme theme = MakeTheme(ctx.dark, ctx.transparency);
  const std::unique_ptr<TextMeasurer> measurer = CreateTextMeasurer();
  ContextMenu menu(*measurer);
  menu.Show(std::move(items), theme, ctx.scale, [](int) {});
  const MenuRow& row = menu.layout().rows.at(static_cast<std::size_t>(hoverRow));
  menu.PointerMove({menu.layout().widthDip / 2, (row.top + row.bottom) / 2});

  auto glass = std::make_shared<GlassSurfaceWindow>();
  ctx.keepAlive.push_back(glass);
  glass->Attach(ctx.window, ctx.compositor, true);
  glass->SetLook(ContextMenuGlassLook());
  glass->Configure(menu.layout().widthDip, menu.layout().heightDip, MenuMetrics::kShadowMargin,
                   MenuMetrics::kCornerRadius, ctx.scale, theme, kContextMenuBlurDip, -1);
  ctx.compositor.DrawSurface(*glass->contentSurface(), glass->contentWidthPx(), glass->contentHeightPx(),
                             [&](Canvas& canvas) { menu.Draw(canvas); });

  const ScreenRect screen{0, 0, ctx.screenWidth, ctx.screenHeight};
  const PopupPlacement placed = PlacePopup(
      PopupAnchor::MenuAt(static_cast<int>(std::lround(ctx.Px(anchorXDip))),
                          static_cast<int>(std::lround(ctx.Px(anchorYDip)))),
      {glass->contentWidthPx(), glass->contentHeightPx(), static_cast<int>(std::lround(glass->marginPx()))},
      PopupMonitor{screen, screen, ctx.scale});
  ctx.windowWidth = glass->windowWidthPx();
  ctx.windowHeight = glass->windowHeightPx();
  ctx.windowPosition = ScreenPoint{placed.window.left, placed.window.top};
}

}  // namespace orvane::preview
