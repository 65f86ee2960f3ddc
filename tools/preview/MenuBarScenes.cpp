// The menu bar on its glass strip at the top of the screen:
// "menu-bar": a 1440 px bar with the user's picture and name, "记事本" in
//   front, a charging battery at 76 %, an unread notification and the
//   pointer on the Wi-Fi glyph;
// "menu-bar-narrow": the same on a portrait monitor 1080 px wide at 150 %
//   with long names: the names give way, then status slots drop out.

#include <cmath>
#include <memory>

#include "Scenes.h"
#include "render/GlassSurfaceWindow.h"
#include "render/TextMeasurer.h"
#include "system/IconImage.h"
#include "ui/menubar/MenuBarModel.h"
#include "ui/menubar/MenuBarView.h"

namespace orvane::preview {
namespace {

// A sample account picture: a warm gradient with a lighter disc.
IconImage SamplePicture() {
  constexpr int kSize = 48;
  IconImage image;
  image.width = image.height = kSize;
  image.pixels.resize(kSize * kSize * 4);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const float t = static_cast<float>(x + y) / (2 * kSize);
      const float dx = x - kSize * 0.5f, dy = y - kSize * 0.38f;
      const bool head = dx * dx + dy * dy < 100;
      std::uint8_t* p = image.pixels.data() + (y * kSize + x) * 4;
      p[0] = static_cast<std::uint8_t>(head ? 220 : 90 + 60 * t);   // blue
      p[1] = static_cast<std::uint8_t>(head ? 230 : 120 + 50 * t);  // green
      p[2] = static_cast<std::uint8_t>(head ? 245 : 230 - 40 * t);  // red
      p[3] = 255;
    }
  }
  return image;
}

void BuildBar(SceneContext& ctx, float widthPx, const wchar_t* user, const wchar_t* app, bool hoverWifi) {
  const Theme theme = MakeTheme(ctx.dark, ctx.transparency);
  auto measurer = std::shared_ptr<TextMeasurer>(CreateTextMeasurer());
  ctx.keepAlive.push_back(measurer);
  auto model = std::make_shared<MenuBarModel>(measurer.get());
  ctx.keepAlive.push_back(model);
  model->SetUserName(user);
  model->SetAppName(app);
  model->SetWidth(widthPx / ctx.scale);
  MenuBarStatus status;
  status.clockText = MenuBarClockText(3, 9, 6, 14, 5);
  status.online = true;
  status.volume = 0.62f;
  status.hasBattery = true;
  status.charging = true;
  status.batteryPercent = 76;
  status.unreadCount = 2;
  model->ApplyStatus(status);
  if (hoverWifi) {
    const MenuBarItem* wifi = model->Find(MenuBarItemKind::Wifi);
    if (wifi != nullptr) model->PointerMove(wifi->x + wifi->width / 2);
  }

  const int width = static_cast<int>(widthPx);
  const int height = static_cast<int>(std::lround(menu_bar::kHeightDip * ctx.scale));
  auto glass = std::make_shared<GlassSurfaceWindow>();
  ctx.keepAlive.push_back(glass);
  glass->Attach(ctx.window, ctx.compositor, true);
  glass->Configure(static_cast<float>(width) / ctx.scale, static_cast<float>(height) / ctx.scale, 0, 0, ctx.scale, theme,
                   20, ctx.dark ? 0.42f : 0.5f);
  const IconImage picture = SamplePicture();
  ctx.compositor.DrawSurface(*glass->contentSurface(), glass->contentWidthPx(), glass->contentHeightPx(),
                             [&](Canvas& canvas) { DrawMenuBar(canvas, *model, ctx.dark, ctx.scale, picture); });
  ctx.windowWidth = width;
  ctx.windowHeight = height;
  ctx.windowPosition = ScreenPoint{0, 0};
}

const SceneRegistration kMenuBar{{"menu-bar",
                                  "The menu bar 1440 px wide: the user's picture and name, the frontmost "
                                  "application, a charging battery, an unread notification, Wi-Fi hovered",
                                  [](SceneContext& ctx) {
                                    BuildBar(ctx, 1440 * ctx.scale, L"林小雨", L"记事本", true);
                                  }}};

const SceneRegistration kMenuBarNarrow{{"menu-bar-narrow",
                                        "The menu bar on a portrait monitor 1080 px wide at 150 % with long names: "
                                        "the names give way first, then status slots drop out",
                                        [](SceneContext& ctx) {
                                          ctx.scale = 1.5f;
                                          BuildBar(ctx, 1080, L"Alexandra Konstantinopoulou",
                                                   L"Visual Studio Code - Insiders", false);
                                        }}};

}  // namespace
}  // namespace orvane::preview
