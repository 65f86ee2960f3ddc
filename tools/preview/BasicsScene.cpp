// "composition-basics": a glass window showing what the software compositor
// does: a nine-grid drop shadow, a rounded clip over a blurred and saturated
// backdrop with a tint, the four stretch modes, a nine-grid panel, a lens of
// unblurred backdrop through a path clip, and a turned, faded group.

#include <cmath>

#include "Scenes.h"

namespace orvane::preview {
namespace {

constexpr float kWindowWidth = 600, kWindowHeight = 420, kMargin = 24, kRadius = 14;

struct Builder {
  SceneContext& ctx;
  SoftCompositor& c = ctx.compositor;

  std::shared_ptr<SpriteVisual> Sprite(std::shared_ptr<CompositionBrush> brush, float x, float y, float w, float h) {
    auto sprite = c.CreateSpriteVisual();
    sprite->SetBrush(std::move(brush));
    sprite->SetOffset({ctx.Px(x), ctx.Px(y), 0});
    sprite->SetSize({ctx.Px(w), ctx.Px(h)});
    return sprite;
  }

  std::shared_ptr<DrawingSurface> Surface(float w, float h, const std::function<void(Canvas&, float)>& draw) {
    const int width = static_cast<int>(std::lround(ctx.Px(w))), height = static_cast<int>(std::lround(ctx.Px(h)));
    auto surface = c.CreateDrawingSurface(width, height);
    c.DrawSurface(*surface, width, height, [&](Canvas& canvas) { draw(canvas, ctx.scale); });
    return surface;
  }

  Color Text() const { return Color::FromArgb(ctx.dark ? 0xFFF6F6F9 : 0xFF1A1A1E); }

  // Soft shadow of the plate: a small surface stretched by a nine-grid.
  std::shared_ptr<SpriteVisual> Shadow(float plateWidth, float plateHeight) {
    // The shape is large enough for the shadow to reach full strength in its middle.
    const float sigma = 10, extent = std::ceil(3 * sigma), side = 4 * extent + 2;
    auto surface = Surface(side, side, [&](Canvas& canvas, float s) {
      canvas.DrawShadow(ShadowStyle{sigma * s, Color{0, 0, 0, ctx.dark ? 0.5f : 0.28f}, {}}, [&](Canvas& inner) {
        inner.FillRoundedRect(RectF{extent * s, extent * s, (side - extent) * s, (side - extent) * s}, kRadius * s,
                              kRadius * s, Color{0, 0, 0, 1});
      });
    });
    auto nineGrid = c.CreateNineGridBrush(c.CreateSurfaceBrush(surface));
    const float inset = ctx.Px(2 * extent);
    nineGrid->SetInsets(inset, inset, inset, inset);
    return Sprite(nineGrid, kMargin - extent, kMargin - extent + 3, plateWidth + 2 * extent, plateHeight + 2 * extent);
  }

  // Backdrop and tint under a rounded clip.
  std::shared_ptr<ContainerVisual> Plate(float plateWidth, float plateHeight) {
    auto plate = c.CreateContainerVisual();
    plate->SetOffset({ctx.Px(kMargin), ctx.Px(kMargin), 0});
    plate->SetSize({ctx.Px(plateWidth), ctx.Px(plateHeight)});
    auto geometry = c.CreateRoundedRectangleGeometry();
    geometry->SetSize({ctx.Px(plateWidth), ctx.Px(plateHeight)});
    geometry->SetCornerRadius({ctx.Px(kRadius), ctx.Px(kRadius)});
    plate->SetClip(c.CreateGeometricClip(geometry));

    const bool blur = ctx.transparency && c.hasWallpaper();
    if (blur) {
      auto backdrop = c.CreateSpriteVisual();
      backdrop->SetRelativeSizeAdjustment({1, 1});
      backdrop->SetBrush(c.CreateBackdropEffectBrush(c.CreateHostBackdropBrush(), ctx.Px(30), 1.42f));
      plate->InsertAtTop(backdrop);
    }
    const std::uint32_t rgb = ctx.dark ? 0x1E1E22 : 0xF6F6FA;
    const std::uint32_t alpha = blur ? (ctx.dark ? 186u : 196u) : 246u;
    auto tint = c.CreateSpriteVisual();
    tint->SetRelativeSizeAdjustment({1, 1});
    tint->SetBrush(c.CreateColorBrush(Color::FromArgb((alpha << 24) | rgb)));
    plate->InsertAtTop(tint);
    return plate;
  }

  void Label(Canvas& canvas, float s, const wchar_t* text, float x, float y) {
    TextStyle style;
    style.size = 13 * s;
    style.weight = 600;
    canvas.DrawText(text, style, RectF{x * s, y * s, (x + 280) * s, (y + 20) * s}, Text());
  }

  void Build() {
    const float plateWidth = kWindowWidth - 2 * kMargin, plateHeight = kWindowHeight - 2 * kMargin;
    auto target = c.CreateWindowTarget(ctx.window, true);
    ctx.keepAlive.push_back(target);
    auto root = c.CreateContainerVisual();
    root->SetRelativeSizeAdjustment({1, 1});
    target->SetRoot(root);
    root->InsertAtTop(Shadow(plateWidth, plateHeight));
    root->InsertAtTop(Plate(plateWidth, plateHeight));

    // Everything else sits in plate coordinates.
    auto content = c.CreateContainerVisual();
    content->SetOffset({ctx.Px(kMargin), ctx.Px(kMargin), 0});
    content->SetRelativeSizeAdjustment({1, 1});
    root->InsertAtTop(content);
    content->InsertAtTop(Sprite(c.CreateSurfaceBrush(Surface(plateWidth, plateHeight, [&](Canvas& canvas, float s) {
                                  Label(canvas, s, L"Stretch: None, Fill, Uniform, UniformToFill", 20, 16);
                                  Label(canvas, s, L"Nine-grid", 20, 176);
                                  Label(canvas, s, L"Path clip", 316, 176);
                                  Label(canvas, s, L"Turned, faded", 436, 176);
                                })),
                                0, 0, plateWidth, plateHeight));

    auto sample = Surface(40, 40, [](Canvas& canvas, float s) {
      canvas.FillRect(RectF{0, 0, 40 * s, 40 * s}, LinearGradient{{0, 0},
                                                                  {40 * s, 40 * s},
                                                                  {{0, Color::FromArgb(0xFF0EA5E9)},
                                                                   {1, Color::FromArgb(0xFFA855F7)}}});
      canvas.FillEllipse({20 * s, 20 * s}, 12 * s, 12 * s, Color::FromArgb(0xFFFDE047));
    });
    const Stretch stretches[] = {Stretch::None, Stretch::Fill, Stretch::Uniform, Stretch::UniformToFill};
    for (int i = 0; i < 4; ++i) {
      const float x = 20 + i * 132.0f;
      content->InsertAtTop(Sprite(c.CreateColorBrush(Color{0.5f, 0.5f, 0.55f, 0.25f}), x, 44, 116, 80));
      auto brush = c.CreateSurfaceBrush(sample);
      brush->SetStretch(stretches[i]);
      content->InsertAtTop(Sprite(brush, x, 44, 116, 80));
    }

    auto frame = Surface(36, 36, [](Canvas& canvas, float s) {
      canvas.FillRoundedRect(RectF{1 * s, 1 * s, 35 * s, 35 * s}, 10 * s, 10 * s, Color::FromArgb(0x6038BDF8));
      canvas.StrokeRoundedRect(RectF{1.5f * s, 1.5f * s, 34.5f * s, 34.5f * s}, 10 * s, 10 * s,
                               Color::FromArgb(0xFF0284C7), StrokeStyle::Plain(2 * s));
      for (float cx : {6.0f, 30.0f}) {
        for (float cy : {6.0f, 30.0f}) canvas.FillEllipse({cx * s, cy * s}, 2 * s, 2 * s, Color::FromArgb(0xFFF43F5E));
      }
    });
    auto nineGrid = c.CreateNineGridBrush(c.CreateSurfaceBrush(frame));
    const float inset = ctx.Px(12);
    nineGrid->SetInsets(inset, inset, inset, inset);
    content->InsertAtTop(Sprite(nineGrid, 20, 204, 272, 140));

    if (c.hasWallpaper()) {
      auto lens = Sprite(c.CreateHostBackdropBrush(), 316, 204, 96, 96);
      auto circle = c.CreatePathGeometry();
      circle->SetPath(Path().Ellipse({ctx.Px(48), ctx.Px(48)}, ctx.Px(46), ctx.Px(46)));
      lens->SetClip(c.CreateGeometricClip(circle));
      content->InsertAtTop(lens);
    }

    auto group = c.CreateContainerVisual();
    group->SetOffset({ctx.Px(444), ctx.Px(212), 0});
    group->SetSize({ctx.Px(96), ctx.Px(96)});
    group->SetCenterPoint({ctx.Px(48), ctx.Px(48), 0});
    group->SetRotationAngleInDegrees(12);
    group->SetOpacity(0.75f);
    group->InsertAtTop(Sprite(c.CreateColorBrush(Color::FromArgb(0xFFEF4444)), 0, 0, 64, 64));
    group->InsertAtTop(Sprite(c.CreateColorBrush(Color::FromArgb(0xFF3B82F6)), 32, 32, 64, 64));
    content->InsertAtTop(group);

    ctx.windowWidth = static_cast<int>(std::lround(ctx.Px(kWindowWidth)));
    ctx.windowHeight = static_cast<int>(std::lround(ctx.Px(kWindowHeight)));
    ctx.windowPosition = ScreenPoint{static_cast<int>(std::lround(ctx.Px(140))), static_cast<int>(std::lround(ctx.Px(120)))};
  }
};

const SceneRegistration kBasics{{"composition-basics",
                                 "Glass window with shadow, rounded clip, blurred backdrop, stretch modes, nine-grid, "
                                 "path clip and a turned, faded group",
                                 [](SceneContext& ctx) { Builder{ctx}.Build(); }}};

}  // namespace
}  // namespace orvane::preview
