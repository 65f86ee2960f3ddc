// The live dock: the item list with sample applications, the frame step
// and the dock's visual layer, rendered over the wallpaper.
//
// "dock-bottom", "dock-left", "dock-right": the dock at rest; "dock-hover":
// the bottom dock with the pointer over its third icon once the springs
// settle. Other scales and the dark theme come from the tool's options.
// The bottom dock also offers a frame sequence (--sweep) of the pointer
// passing along it.

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "SampleMedia.h"
#include "Scenes.h"
#include "config/DockConfig.h"
#include "dock/DockAnimator.h"
#include "dock/DockGeometry.h"
#include "dock/DockItemList.h"
#include "dock/DockItemServices.h"
#include "dock/DockPictures.h"
#include "dock/DockTooltip.h"
#include "dock/DockVisualLayer.h"
#include "render/PixelCanvas.h"
#include "system/IconSources.h"

namespace orvane::preview {
namespace {

constexpr float kFrameSeconds = 1.0f / 120;
constexpr int kMaxSettleFrames = 2400;  // 20 s: the springs settle long before

struct SampleApp {
  const wchar_t* name;
  const wchar_t* exe;
  std::uint32_t top, bottom;  // the icon's gradient
  bool pinned;
  bool running;
};

constexpr std::array<SampleApp, 7> kApps{{
    {L"Files", L"C:\\Apps\\files.exe", 0xFF60A5FA, 0xFF1D4ED8, true, false},
    {L"Browser", L"C:\\Apps\\browser.exe", 0xFF34D399, 0xFF0E7490, true, true},
    {L"Mail", L"C:\\Apps\\mail.exe", 0xFF93C5FD, 0xFF2563EB, true, false},
    {L"Calendar — family schedules, reminders and holidays", L"C:\\Apps\\calendar.exe", 0xFFFCA5A5, 0xFFDC2626, true, false},
    {L"Notes", L"C:\\Apps\\notes.exe", 0xFFFDE68A, 0xFFF59E0B, true, true},
    {L"Chat", L"C:\\Apps\\chat.exe", 0xFF86EFAC, 0xFF16A34A, false, true},
    {L"Editor", L"C:\\Apps\\editor.exe", 0xFFC4B5FD, 0xFF7C3AED, false, true},
}};

std::wstring Lower(std::wstring text) {
  std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return c >= L'A' && c <= L'Z' ? c + 32 : c; });
  return text;
}

RectF Box(float x, float y, float width, float height) { return RectF{x, y, x + width, y + height}; }

// An icon of `size` pixels drawn by `draw` on a size x size canvas.
template <typename Draw>
IconImage DrawIcon(unsigned size, Draw draw) {
  const int side = static_cast<int>(std::max(16u, size));
  IconImage icon{side, side, std::vector<std::uint8_t>(static_cast<size_t>(side) * side * 4, 0)};
  auto canvas = CreatePixelCanvas(icon.pixels.data(), side, side, side * 4);
  if (canvas != nullptr) draw(*canvas, static_cast<float>(side));
  return icon;
}

// A rounded square with a vertical gradient and the name's first letter.
IconImage AppIcon(const SampleApp& app, unsigned size) {
  return DrawIcon(size, [&](Canvas& canvas, float s) {
    const RectF body = Box(s * 0.06f, s * 0.06f, s * 0.88f, s * 0.88f);
    canvas.FillRoundedRect(body, s * 0.2f, s * 0.2f,
                           LinearGradient{{0, body.top},
                                          {0, body.bottom},
                                          {{0, Color::FromArgb(app.top)}, {1, Color::FromArgb(app.bottom)}}});
    canvas.FillRoundedRect(Box(body.left, body.top, body.width(), body.height() * 0.5f), s * 0.2f, s * 0.2f,
                           Color{1, 1, 1, 0.12f});
    TextStyle style;
    style.size = s * 0.48f;
    style.weight = 700;
    style.alignment = TextAlignment::Center;
    style.grayscale = true;
    canvas.DrawText(std::wstring(1, app.name[0]), style, body, Color{1, 1, 1, 0.95f});
  });
}

// A blue folder with a downward arrow.
IconImage DownloadsIcon(unsigned size) {
  return DrawIcon(size, [](Canvas& canvas, float s) {
    canvas.FillRoundedRect(Box(s * 0.08f, s * 0.16f, s * 0.4f, s * 0.2f), s * 0.05f, s * 0.05f,
                           Color::FromArgb(0xFF3B82F6));
    canvas.FillRoundedRect(Box(s * 0.08f, s * 0.24f, s * 0.84f, s * 0.62f), s * 0.08f, s * 0.08f,
                           LinearGradient{{0, s * 0.24f}, {0, s * 0.86f},
                                          {{0, Color::FromArgb(0xFF7DD3FC)}, {1, Color::FromArgb(0xFF2563EB)}}});
    const StrokeStyle stroke{s * 0.07f};
    const Color white{1, 1, 1, 0.95f};
    canvas.DrawLine({s * 0.5f, s * 0.36f}, {s * 0.5f, s * 0.72f}, white, stroke);
    canvas.DrawLine({s * 0.34f, s * 0.58f}, {s * 0.5f, s * 0.74f}, white, stroke);
    canvas.DrawLine({s * 0.66f, s * 0.58f}, {s * 0.5f, s * 0.74f}, white, stroke);
  });
}

// A frosted bin with ribs.
IconImage RecycleBinIcon(unsigned size) {
  return DrawIcon(size, [](Canvas& canvas, float s) {
    canvas.FillRoundedRect(Box(s * 0.2f, s * 0.22f, s * 0.6f, s * 0.68f), s * 0.08f, s * 0.08f,
                           LinearGradient{{0, s * 0.22f}, {0, s * 0.9f},
                                          {{0, Color{0.93f, 0.95f, 0.97f, 0.95f}}, {1, Color{0.7f, 0.74f, 0.8f, 0.95f}}}});
    canvas.FillRoundedRect(Box(s * 0.14f, s * 0.12f, s * 0.72f, s * 0.1f), s * 0.04f, s * 0.04f,
                           Color{0.82f, 0.85f, 0.9f, 1});
    const StrokeStyle stroke{s * 0.03f};
    const Color rib{0.45f, 0.5f, 0.58f, 0.8f};
    for (const float x : {0.36f, 0.5f, 0.64f}) canvas.DrawLine({s * x, s * 0.32f}, {s * x, s * 0.8f}, rib, stroke);
  });
}

// The item list's services with the sample applications: no windows are
// real, every icon is drawn here.
class PreviewDockServices final : public DockItemServices {
 public:
  PreviewDockServices() {
    WindowHandle next = 100;
    for (const SampleApp& sample : kApps) {
      if (!sample.running) continue;
      TrackedApp app;
      app.exePath = sample.exe;
      app.exePathLower = Lower(sample.exe);
      app.key = L"exe:" + app.exePathLower;
      app.displayName = sample.name;
      app.windows.push_back({next, static_cast<std::uint32_t>(next * 4), sample.name, false, false});
      app.processIds.push_back(static_cast<std::uint32_t>(next * 4));
      apps_.push_back(std::move(app));
      ++next;
    }
  }

  const std::vector<TrackedApp>& TrackedApps() override { return apps_; }
  WindowHandle TakeMinimizingWindow() override { return kNoWindow; }
  bool WindowExists(WindowHandle) override { return true; }
  LaunchTargetInfo DescribeTarget(const std::wstring& target, const std::wstring& name) override {
    LaunchTargetInfo info;
    info.name = name;
    info.target = target;
    info.exePathLower = Lower(target);
    info.exeNameLower = info.exePathLower.substr(info.exePathLower.rfind(L'\\') + 1);
    return info;
  }
  std::wstring DisplayNameOf(const std::wstring& path) override { return path; }
  std::wstring ExpandLower(const std::wstring& target) override { return Lower(target); }
  std::wstring DownloadsFolder() override { return L"C:\\Users\\preview\\Downloads"; }
  std::optional<IconImage> RequestIcon(const IconRequest& request) override {
    switch (request.kind) {
      case IconRequestKind::Target:
        if (request.path == DownloadsFolder()) return DownloadsIcon(request.size);
        return IconFor(request.path, request.size);
      case IconRequestKind::RunningApp:
        return IconFor(request.path, request.size);
      case IconRequestKind::Stock:
        return RecycleBinIcon(request.size);
      case IconRequestKind::CustomImage:
        break;
    }
    return IconImage{};
  }
  std::vector<IconArrival> TakeArrivedIcons() override { return {}; }
  void SaveConfig(const DockConfig&) override {}
  void UpdateMenuBar(const std::vector<TrackedApp>&) override {}
  void UpdateStageManager(const std::vector<TrackedApp>&) override {}

 private:
  static IconImage IconFor(const std::wstring& exe, unsigned size) {
    for (const SampleApp& sample : kApps) {
      if (Lower(sample.exe) == Lower(exe)) return AppIcon(sample, size);
    }
    return AppIcon(kApps[0], size);
  }

  std::vector<TrackedApp> apps_;
};

// A whole dock as the hub would run it, on the scene's compositor.
class PreviewDock {
 public:
  PreviewDock(SceneContext& ctx, const std::wstring& position, float scale) : scale_(scale) {
    for (const SampleApp& sample : kApps) {
      if (sample.pinned) config_.pinned.push_back({sample.name, sample.exe, L"", L""});
    }
    config_.dockPosition = position;
    const Theme theme = MakeTheme(ctx.dark, ctx.transparency);
    geometry_ = ComputeDockGeometry(config_, ScreenRect{0, 0, ctx.screenWidth, ctx.screenHeight}, scale);

    SoftCompositor& c = ctx.compositor;
    auto target = c.CreateWindowTarget(ctx.window, true);
    ctx.keepAlive.push_back(target);
    pictures_.CreateSharedSprites(c, scale, theme);
    layer_.Create(c, pictures_);
    // The name bubble above the dock's root, as the hub stacks them.
    auto root = c.CreateContainerVisual();
    root->InsertAtTop(layer_.root());
    tooltip_.Create(c, layer_.plate().hostBackdropBrush(), layer_.plate().backdropAvailable());
    tooltip_.SetTrimToArea(IsVerticalDock(geometry_.orientation));
    tooltip_.SetStyle(scale, theme, layer_.plate().backdropAvailable());
    root->InsertAtTop(tooltip_.root());
    target->SetRoot(root);

    list_.Rebuild(scale);
    layer_.ApplyChanges(list_.TakeChanges());
    const PictureSettings settings{config_.iconSize, config_.magnification, scale, position};
    layer_.RefreshPictures(list_, media_, settings);
    for (const auto& item : list_.items()) {
      if (item->kind != DockItemKind::Music) continue;
      if (const auto update = pictures_.RefreshMusicItem(layer_.VisualsOf(item.get())->picture, media_, settings)) {
        item->running = update->running;
        item->config.name = update->name;
      }
    }

    animator_.Configure(config_, geometry_);
    animator_.AdoptLayout(DockItemViews(list_));
    Step({});
    const DockRectF& plate = animator_.visuals().plate;
    layer_.Configure(config_, scale, theme, static_cast<int>(IsVerticalDock(geometry_.orientation) ? plate.height
                                                                                                    : plate.width));
    Settle({});

    ctx.windowWidth = geometry_.renderWindow.Width();
    ctx.windowHeight = geometry_.renderWindow.Height();
    ctx.windowPosition = ScreenPoint{geometry_.renderWindow.left, geometry_.renderWindow.top};
  }

  // One frame of `dt` seconds; true while another is needed.
  bool Step(DockFrameInput input, float dt = kFrameSeconds) {
    input.dt = dt;
    const std::vector<DockItemView> views = DockItemViews(list_);
    bool more = animator_.Step(views, input);
    layer_.Apply(list_, animator_.visuals(), animator_.effectSprites());
    tooltip_.Follow(animator_.popupRequests().tooltip, false);
    more |= tooltip_.Update(dt);
    return more;
  }

  void Settle(const DockFrameInput& input) {
    for (int frame = 0; frame < kMaxSettleFrames && Step(input); ++frame) {
    }
  }

  // The pointer over the centre of item `index`, in render-window DIPs.
  Vector2 PointerOver(int index) const {
    const DockSlot& slot = animator_.layout().slots.at(static_cast<size_t>(index));
    return {slot.centerX, slot.centerY};
  }
  const DockLayout& layout() const { return animator_.layout(); }

 private:
  float scale_;
  DockConfig config_;
  PreviewDockServices services_;
  DockItemList list_{config_, services_};
  MediaInfo media_ = WithSampleCover(PlayingSample(true));
  DockGeometry geometry_;
  DockPictures pictures_;
  DockVisualLayer layer_;
  DockAnimator animator_;
  DockTooltip tooltip_;
};

std::shared_ptr<PreviewDock> MakeDock(SceneContext& ctx, const std::wstring& position, float scale) {
  auto dock = std::make_shared<PreviewDock>(ctx, position, scale);
  ctx.keepAlive.push_back(dock);
  return dock;
}

// The pointer enters left of the plate, sweeps along it to past its right
// end in two seconds, and the dock relaxes for half a second after.
void OfferSweep(SceneContext& ctx, const std::shared_ptr<PreviewDock>& dock) {
  constexpr int kSweepFrames = 120, kRestFrames = 30;
  const DockRectF plate = dock->layout().plate;
  const float y = plate.y + plate.height / 2;
  auto frame = std::make_shared<int>(0);
  ctx.nextFrame = [dock, plate, y, frame]() {
    const int n = ++*frame;
    if (n > kSweepFrames + kRestFrames) return false;
    DockFrameInput input;
    if (n <= kSweepFrames) {
      const float t = static_cast<float>(n) / kSweepFrames;
      input.pointer = {plate.x - 40 + t * (plate.width + 80), y};
      input.hovering = true;
    }
    // Two steps of the main loop's 120 Hz per 60 Hz picture.
    dock->Step(input);
    dock->Step(input);
    return true;
  };
}

void BuildBottom(SceneContext& ctx) { OfferSweep(ctx, MakeDock(ctx, L"bottom", ctx.scale)); }
void BuildLeft(SceneContext& ctx) { MakeDock(ctx, L"left", ctx.scale); }
void BuildRight(SceneContext& ctx) { MakeDock(ctx, L"right", ctx.scale); }

// The pointer over item `index` of a dock on `position` until the tooltip
// and the springs rest.
void BuildTooltip(SceneContext& ctx, const std::wstring& position, int index) {
  auto dock = MakeDock(ctx, position, ctx.scale);
  DockFrameInput input;
  input.pointer = dock->PointerOver(index);
  input.hovering = true;
  dock->Settle(input);
}

void BuildHover(SceneContext& ctx) {
  auto dock = MakeDock(ctx, L"bottom", ctx.scale);
  DockFrameInput input;
  input.pointer = dock->PointerOver(2);
  input.hovering = true;
  dock->Settle(input);
}

const SceneRegistration kDockBottom{
    {"dock-bottom",
     "The bottom dock at rest: launcher, pinned items, separator, running items, music tile, Downloads, "
     "notification area, power and recycle bin (--sweep: the pointer passing along it)",
     BuildBottom}};
const SceneRegistration kDockHover{
    {"dock-hover", "The bottom dock with the pointer over its third icon, springs settled", BuildHover}};
const SceneRegistration kDockTooltip{{"dock-tooltip", "The name bubble over the bottom dock's third icon",
                                      [](SceneContext& ctx) { BuildTooltip(ctx, L"bottom", 2); }}};
const SceneRegistration kDockTooltipSide{
    {"dock-tooltip-side", "A left dock's bubble over an item with a long name, trimmed to the dock's window",
     [](SceneContext& ctx) { BuildTooltip(ctx, L"left", 4); }}};
const SceneRegistration kDockLeft{{"dock-left", "The dock on the left edge at rest", BuildLeft}};
const SceneRegistration kDockRight{{"dock-right", "The dock on the right edge at rest", BuildRight}};

}  // namespace
}  // namespace orvane::preview
