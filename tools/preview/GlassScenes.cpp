// "glass-popup": the glass every popup stands on, with a little content.
// "dock-plate": the dock's glass plate along the bottom edge and along the
// left edge, with placeholder icons to judge its proportions.
// "popup-over-dock": a glass panel with a few lines of text placed above the
// bottom dock's third item, as the item's popups are placed.

#include <cmath>
#include <memory>

#include "Scenes.h"
#include "config/DockConfig.h"
#include "dock/DockGeometry.h"
#include "render/GlassPlate.h"
#include "render/GlassSurfaceWindow.h"
#include "ui/PopupPlacement.h"

namespace orvane::preview {
namespace {

int Pixels(float value) { return static_cast<int>(std::lround(value)); }

void BuildGlassPopup(SceneContext& ctx) {
  constexpr float kWidth = 300, kHeight = 184, kMargin = 24, kRadius = 12;
  auto glass = std::make_shared<GlassSurfaceWindow>();
  ctx.keepAlive.push_back(glass);
  glass->Attach(ctx.window, ctx.compositor, true);
  const Theme theme = MakeTheme(ctx.dark, ctx.transparency);
  glass->Configure(kWidth, kHeight, kMargin, kRadius, ctx.scale, theme, 30, -1);

  const float s = glass->scale();
  const Color text = ToColor(theme.tooltipText);
  const Color dim = text.WithAlpha(0.55f);
  const TextStyle title = glass->CreateTextFormat(15, 600, TextAlignment::Leading, true);
  const TextStyle row = glass->CreateTextFormat(13, 400, TextAlignment::Leading, true);
  ctx.compositor.DrawSurface(*glass->contentSurface(), glass->contentWidthPx(), glass->contentHeightPx(),
                             [&](Canvas& canvas) {
                               canvas.DrawText(L"Glass popup", title, RectF{16 * s, 10 * s, 284 * s, 40 * s}, text);
                               canvas.DrawLine({16 * s, 44.5f * s}, {284 * s, 44.5f * s}, dim.WithAlpha(0.18f),
                                               StrokeStyle::Plain(s));
                               // A highlighted row, as a menu shows under the pointer.
                               canvas.FillRoundedRect(RectF{8 * s, 54 * s, 292 * s, 84 * s}, 7 * s, 7 * s,
                                                      Color::FromArgb(0xFF2F7CF6));
                               canvas.DrawText(L"Highlighted row", row, RectF{20 * s, 54 * s, 280 * s, 84 * s},
                                               Color{1, 1, 1, 1});
                               canvas.DrawText(L"Ordinary row", row, RectF{20 * s, 88 * s, 280 * s, 118 * s}, text);
                               canvas.DrawText(L"Dimmed row with a long text that is cut with an ellipsis", row,
                                               RectF{20 * s, 122 * s, 280 * s, 152 * s}, dim);
                             });

  ctx.windowWidth = glass->windowWidthPx();
  ctx.windowHeight = glass->windowHeightPx();
  ctx.windowPosition = ScreenPoint{Pixels(ctx.Px(420)), Pixels(ctx.Px(260))};
}

// Rounded squares where the dock's icons would be.
void AddPlaceholderIcons(SceneContext& ctx, ContainerVisual& parent, float x, float y, bool vertical, int count) {
  const DockConfig config;
  const std::uint32_t colours[] = {0xFF3B82F6, 0xFFF59E0B, 0xFF10B981, 0xFFEF4444, 0xFF8B5CF6, 0xFF64748B};
  const float size = ctx.Px(config.iconSize), pitch = ctx.Px(config.iconSize + config.iconSpacing);
  const int side = Pixels(size);
  for (int i = 0; i < count; ++i) {
    auto surface = ctx.compositor.CreateDrawingSurface(side, side);
    ctx.compositor.DrawSurface(*surface, side, side, [&](Canvas& canvas) {
      canvas.FillRoundedRect(RectF{0, 0, size, size}, size * 0.22f, size * 0.22f,
                             LinearGradient{{0, 0}, {0, size}, {{0, Color::FromArgb(colours[i % 6])},
                                                                {1, Color::FromArgb(colours[i % 6]).WithAlpha(0.8f)}}});
    });
    auto icon = ctx.compositor.CreateSpriteVisual();
    icon->SetBrush(ctx.compositor.CreateSurfaceBrush(surface));
    icon->SetSize({size, size});
    icon->SetOffset({vertical ? x : x + i * pitch, vertical ? y + i * pitch : y, 0});
    parent.InsertAtTop(icon);
  }
}

void BuildDockPlate(SceneContext& ctx) {
  const DockConfig config;
  const Theme theme = MakeTheme(ctx.dark, ctx.transparency);
  const Theme style = PlateStyle(theme, config.glassOpacity);
  const float s = ctx.scale;
  const float thickness = std::lround((config.iconSize + 2 * config.paddingY) * s);
  const float pitch = (config.iconSize + config.iconSpacing) * s;

  auto target = ctx.compositor.CreateWindowTarget(ctx.window, true);
  ctx.keepAlive.push_back(target);
  auto root = ctx.compositor.CreateContainerVisual();
  root->SetRelativeSizeAdjustment({1, 1});
  target->SetRoot(root);

  constexpr int kIcons = 7, kSideIcons = 4;
  const float windowWidth = ctx.Px(760), windowHeight = ctx.Px(420);
  const float padX = config.paddingX * s, padY = config.paddingY * s;

  // Bottom dock.
  const int length = Pixels(2 * padX + kIcons * pitch - config.iconSpacing * s);
  auto bottom = std::make_shared<GlassPlate>();
  ctx.keepAlive.push_back(bottom);
  bottom->Initialize(ctx.compositor);
  root->InsertAtTop(bottom->rootVisual());
  bottom->Configure(DockPlateGeometry(config, s, length), style);
  const float bx = std::round((windowWidth - length) / 2 + ctx.Px(60));
  const float by = std::round(windowHeight - ctx.Px(config.bottomMargin) - thickness);
  bottom->Place(bx, by, static_cast<float>(length), thickness);
  AddPlaceholderIcons(ctx, *root, bx + padX, by + padY, false, kIcons);

  // Left dock.
  DockConfig left = config;
  left.dockPosition = L"left";
  const int sideLength = Pixels(2 * padX + kSideIcons * pitch - config.iconSpacing * s);
  auto side = std::make_shared<GlassPlate>();
  ctx.keepAlive.push_back(side);
  side->Initialize(ctx.compositor);
  root->InsertAtTop(side->rootVisual());
  side->Configure(DockPlateGeometry(left, s, sideLength), style);
  const float sx = std::round(ctx.Px(config.bottomMargin)), sy = std::round(ctx.Px(40));
  side->Place(sx, sy, thickness, static_cast<float>(sideLength));
  AddPlaceholderIcons(ctx, *root, sx + padY, sy + padX, true, kSideIcons);

  ctx.windowWidth = Pixels(windowWidth);
  ctx.windowHeight = Pixels(windowHeight);
  ctx.windowPosition = ScreenPoint{Pixels(ctx.Px(260)), Pixels(ctx.Px(380))};
}

void BuildPopupOverDock(SceneContext& ctx) {
  const DockConfig config;
  const Theme theme = MakeTheme(ctx.dark, ctx.transparency);
  const float s = ctx.scale;
  constexpr int kIcons = 7, kAnchorItem = 2;

  // The scene's window covers the screen: the dock below, the popup above.
  auto target = ctx.compositor.CreateWindowTarget(ctx.window, false);
  ctx.keepAlive.push_back(target);
  auto root = ctx.compositor.CreateContainerVisual();
  root->SetRelativeSizeAdjustment({1, 1});
  target->SetRoot(root);

  const float thickness = std::lround((config.iconSize + 2 * config.paddingY) * s);
  const float pitch = (config.iconSize + config.iconSpacing) * s;
  const float padX = config.paddingX * s, padY = config.paddingY * s;
  const int length = Pixels(2 * padX + kIcons * pitch - config.iconSpacing * s);
  auto plate = std::make_shared<GlassPlate>();
  ctx.keepAlive.push_back(plate);
  plate->Initialize(ctx.compositor);
  root->InsertAtTop(plate->rootVisual());
  plate->Configure(DockPlateGeometry(config, s, length), PlateStyle(theme, config.glassOpacity));
  const float dockX = std::round((ctx.screenWidth - length) / 2.0f);
  const float dockY = std::round(ctx.screenHeight - ctx.Px(config.bottomMargin) - thickness);
  plate->Place(dockX, dockY, static_cast<float>(length), thickness);
  AddPlaceholderIcons(ctx, *root, dockX + padX, dockY + padY, false, kIcons);

  constexpr float kWidth = 240, kHeight = 132, kMargin = 14, kRadius = 14;
  auto glass = std::make_shared<GlassSurfaceWindow>();
  ctx.keepAlive.push_back(glass);
  glass->Attach(ctx.window, ctx.compositor, true);
  glass->Configure(kWidth, kHeight, kMargin, kRadius, s, theme, 24, -1);

  const PopupMonitor monitor{{0, 0, ctx.screenWidth, ctx.screenHeight}, {0, 0, ctx.screenWidth, ctx.screenHeight}, s};
  const int anchorX = Pixels(dockX + padX + kAnchorItem * pitch + config.iconSize * s / 2);
  const int anchorY = Pixels(dockY + padY);
  const PopupPlacement placed = PlacePopup(
      PopupAnchor::BubbleAt(DockEdge::Bottom, anchorX, anchorY),
      {glass->contentWidthPx(), glass->contentHeightPx(), static_cast<int>(glass->marginPx())}, monitor);
  // The popup's own window, moved to where the placement puts it.
  auto popupWindow = ctx.compositor.CreateContainerVisual();
  popupWindow->SetOffset({static_cast<float>(placed.window.left), static_cast<float>(placed.window.top), 0});
  popupWindow->SetSize({static_cast<float>(placed.window.Width()), static_cast<float>(placed.window.Height())});
  glass->target()->SetRoot(popupWindow);
  popupWindow->InsertAtTop(glass->root());

  const Color text = ToColor(theme.tooltipText);
  const TextStyle title = glass->CreateTextFormat(13, 600, TextAlignment::Leading, true);
  const TextStyle row = glass->CreateTextFormat(12, 400, TextAlignment::Leading, true);
  ctx.compositor.DrawSurface(*glass->contentSurface(), glass->contentWidthPx(), glass->contentHeightPx(),
                             [&](Canvas& canvas) {
                               canvas.DrawText(L"Mail", title, RectF{14 * s, 8 * s, 226 * s, 34 * s}, text);
                               canvas.DrawLine({14 * s, 36.5f * s}, {226 * s, 36.5f * s},
                                               ToColor(theme.separator), StrokeStyle::Plain(s));
                               const wchar_t* lines[] = {L"收件箱 — 3 封未读", L"Weekly report draft",
                                                         L"Travel plans for the spring"};
                               for (int i = 0; i < 3; ++i) {
                                 const float top = (42 + 28 * i) * s;
                                 canvas.DrawText(lines[i], row, RectF{14 * s, top, 226 * s, top + 28 * s},
                                                 i == 0 ? text : text.WithAlpha(0.7f));
                               }
                             });

  ctx.windowWidth = ctx.screenWidth;
  ctx.windowHeight = ctx.screenHeight;
  ctx.windowPosition = ScreenPoint{0, 0};
}

const SceneRegistration kGlassPopup{{"glass-popup",
                                     "A popup's glass: shadow, rounded blurred backdrop, theme tint and content",
                                     BuildGlassPopup}};
const SceneRegistration kDockPlate{{"dock-plate",
                                    "The dock's glass plate along the bottom and the left edge, with shadow, rim "
                                    "and grain",
                                    BuildDockPlate}};
const SceneRegistration kPopupOverDock{{"popup-over-dock",
                                        "A glass popup with a few lines of text placed above the bottom dock's "
                                        "third item",
                                        BuildPopupOverDock}};

}  // namespace
}  // namespace orvane::preview
