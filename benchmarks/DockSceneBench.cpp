// The bottom dock for the compositor benchmarks (SoftCompositorBench.cpp):
// the item list with a few sample applications, a playing music session,
// the frame step and the dock's visual layer on a software compositor
// window, put together as the hub does. No window is real; every icon is a
// gradient square drawn here.

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "BenchDock.h"
#include "config/DockConfig.h"
#include "dock/DockAnimator.h"
#include "dock/DockGeometry.h"
#include "dock/DockItemList.h"
#include "dock/DockItemServices.h"
#include "dock/DockLayout.h"
#include "dock/DockPictures.h"
#include "dock/DockVisualLayer.h"
#include "render/PixelCanvas.h"
#include "render/SoftCompositor.h"
#include "render/Theme.h"

namespace orvane::bench {
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
    {L"Calendar", L"C:\\Apps\\calendar.exe", 0xFFFCA5A5, 0xFFDC2626, true, false},
    {L"Notes", L"C:\\Apps\\notes.exe", 0xFFFDE68A, 0xFFF59E0B, true, true},
    {L"Chat", L"C:\\Apps\\chat.exe", 0xFF86EFAC, 0xFF16A34A, false, true},
    {L"Editor", L"C:\\Apps\\editor.exe", 0xFFC4B5FD, 0xFF7C3AED, false, true},
}};

std::wstring Lower(std::wstring text) {
  std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return c >= L'A' && c <= L'Z' ? c + 32 : c; });
  return text;
}

// A rounded square with a vertical gradient, `size` pixels on a side.
IconImage SquareIcon(unsigned size, std::uint32_t top, std::uint32_t bottom) {
  const int side = static_cast<int>(std::max(16u, size));
  IconImage icon{side, side, std::vector<std::uint8_t>(static_cast<size_t>(side) * side * 4, 0)};
  if (auto canvas = CreatePixelCanvas(icon.pixels.data(), side, side, side * 4)) {
    const float s = static_cast<float>(side);
    const RectF body{s * 0.06f, s * 0.06f, s * 0.94f, s * 0.94f};
    canvas->FillRoundedRect(
        body, s * 0.2f, s * 0.2f,
        LinearGradient{{0, body.top}, {0, body.bottom}, {{0, Color::FromArgb(top)}, {1, Color::FromArgb(bottom)}}});
  }
  return icon;
}

class BenchDockServices final : public DockItemServices {
 public:
  BenchDockServices() {
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
  std::wstring DownloadsFolder() override { return L"C:\\Users\\bench\\Downloads"; }
  std::optional<IconImage> RequestIcon(const IconRequest& request) override {
    switch (request.kind) {
      case IconRequestKind::Target:
        if (request.path == DownloadsFolder()) return SquareIcon(request.size, 0xFF7DD3FC, 0xFF2563EB);
        return IconFor(request.path, request.size);
      case IconRequestKind::RunningApp:
        return IconFor(request.path, request.size);
      case IconRequestKind::Stock:
        return SquareIcon(request.size, 0xFFEDF2F7, 0xFFB3BDCC);
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
      if (Lower(sample.exe) == Lower(exe)) return SquareIcon(size, sample.top, sample.bottom);
    }
    return SquareIcon(size, kApps[0].top, kApps[0].bottom);
  }

  std::vector<TrackedApp> apps_;
};

MediaInfo PlayingSession() {
  MediaInfo info;
  info.hasSession = true;
  info.isPlaying = true;
  info.title = L"夜空中最亮的星 (Live)";
  info.artist = L"Example Band";
  return info;
}

}  // namespace

struct BenchDock {
  DockConfig config;
  BenchDockServices services;
  DockItemList list{config, services};
  MediaInfo media = PlayingSession();
  DockGeometry geometry;
  DockPictures pictures;
  DockVisualLayer layer;
  DockAnimator animator;
  std::shared_ptr<WindowTarget> target;

  // One of the main loop's 120 Hz frame steps; true while another is needed.
  bool Step(DockFrameInput input) {
    input.dt = kFrameSeconds;
    const bool more = animator.Step(DockItemViews(list), input);
    layer.Apply(list, animator.visuals(), animator.effectSprites());
    return more;
  }
};

std::shared_ptr<BenchDock> MakeBenchDock(SoftCompositor& compositor, NativeWindow window, ScreenRect monitor) {
  auto dock = std::make_shared<BenchDock>();
  for (const SampleApp& sample : kApps) {
    if (sample.pinned) dock->config.pinned.push_back({sample.name, sample.exe, L"", L""});
  }
  const float scale = 1;
  const Theme theme = MakeTheme(true, true);
  dock->geometry = ComputeDockGeometry(dock->config, monitor, scale);

  dock->target = compositor.CreateWindowTarget(window, true);
  dock->pictures.CreateSharedSprites(compositor, scale, theme);
  dock->layer.Create(compositor, dock->pictures);
  dock->target->SetRoot(dock->layer.root());

  dock->list.Rebuild(scale);
  dock->layer.ApplyChanges(dock->list.TakeChanges());
  const PictureSettings settings{dock->config.iconSize, dock->config.magnification, scale, dock->config.dockPosition};
  dock->layer.RefreshPictures(dock->list, dock->media, settings);
  for (const auto& item : dock->list.items()) {
    if (item->kind != DockItemKind::Music) continue;
    const auto update =
        dock->pictures.RefreshMusicItem(dock->layer.VisualsOf(item.get())->picture, dock->media, settings);
    if (update) {
      item->running = update->running;
      item->config.name = update->name;
    }
  }

  dock->animator.Configure(dock->config, dock->geometry);
  dock->animator.AdoptLayout(DockItemViews(dock->list));
  dock->Step({});
  dock->layer.Configure(dock->config, scale, theme, static_cast<int>(dock->animator.layout().plate.width * scale));
  for (int frame = 0; frame < kMaxSettleFrames && dock->Step({}); ++frame) {
  }
  return dock;
}

// Two frame steps per 60 Hz picture, as the main loop runs them.
void StepBenchDock(BenchDock& dock, Vector2 pointer, bool hovering) {
  DockFrameInput input;
  input.pointer = pointer;
  input.hovering = hovering;
  dock.Step(input);
  dock.Step(input);
}

ScreenRect BenchDockWindow(const BenchDock& dock) { return dock.geometry.renderWindow; }
DockRectF BenchDockPlate(const BenchDock& dock) { return dock.animator.layout().plate; }

}  // namespace orvane::bench
