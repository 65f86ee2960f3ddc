// Software compositor frames at full HD: a full-screen glass surface
// (blurred backdrop, tint, content) with a rounded popup above it (shadow
// nine-grid, rounded clip, its own blurred backdrop, content) and a row of
// icon sprites. Measured with the backdrop cached (a still frame) and with
// the windows moving (the backdrop processed again every frame). Then the
// dock's render window as the presenter brings it up to date: only the
// damaged rectangles while the pointer sweeps the dock, against the whole
// frame drawn for the same motion, and the dock at rest.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

#include "BenchDock.h"
#include "render/SoftCompositor.h"

namespace orvane {
namespace {

constexpr int kWidth = 1920, kHeight = 1080;

std::vector<std::uint8_t> Wallpaper() {
  std::vector<std::uint8_t> pixels(static_cast<size_t>(kWidth) * kHeight * 4);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      std::uint8_t* p = pixels.data() + (static_cast<size_t>(y) * kWidth + x) * 4;
      p[0] = static_cast<std::uint8_t>(x * 255 / kWidth);
      p[1] = static_cast<std::uint8_t>(y * 255 / kHeight);
      p[2] = static_cast<std::uint8_t>(((x / 64 + y / 64) % 2) * 200);
      p[3] = 255;
    }
  }
  return pixels;
}

struct Scene {
  SoftCompositor compositor;
  std::vector<std::uint8_t> wallpaper = Wallpaper();
  std::shared_ptr<WindowTarget> target;
  std::shared_ptr<ContainerVisual> popup;

  Scene() {
    compositor.SetWallpaper(BitmapView{kWidth, kHeight, kWidth * 4, wallpaper.data()});
    target = compositor.CreateWindowTarget(1, true);
    auto root = compositor.CreateContainerVisual();
    root->SetRelativeSizeAdjustment({1, 1});
    target->SetRoot(root);

    auto backdrop = compositor.CreateHostBackdropBrush();
    auto glass = Glass(backdrop, 30, Color{0.12f, 0.12f, 0.14f, 0.7f});
    glass->SetRelativeSizeAdjustment({1, 1});
    root->InsertAtTop(glass);
    root->InsertAtTop(Content(kWidth, kHeight));

    popup = compositor.CreateContainerVisual();
    popup->SetOffset({600, 300, 0});
    popup->SetSize({720, 480});
    auto shadowSurface = compositor.CreateDrawingSurface(64, 64);
    compositor.DrawSurface(*shadowSurface, 64, 64, [](Canvas& c) {
      c.FillRoundedRect(RectF{16, 16, 48, 48}, 12, 12, Color{0, 0, 0, 0.4f});
    });
    auto shadow = compositor.CreateSpriteVisual();
    auto nineGrid = compositor.CreateNineGridBrush(compositor.CreateSurfaceBrush(shadowSurface));
    nineGrid->SetInsets(31, 31, 31, 31);
    shadow->SetBrush(nineGrid);
    shadow->SetOffset({-16, -16, 0});
    shadow->SetSize({752, 512});
    popup->InsertAtTop(shadow);
    auto clipped = Glass(backdrop, 24, Color{0.95f, 0.95f, 0.97f, 0.75f});
    clipped->SetRelativeSizeAdjustment({1, 1});
    auto geometry = compositor.CreateRoundedRectangleGeometry();
    geometry->SetSize({720, 480});
    geometry->SetCornerRadius({14, 14});
    clipped->SetClip(compositor.CreateGeometricClip(geometry));
    popup->InsertAtTop(clipped);
    popup->InsertAtTop(Content(720, 480));
    root->InsertAtTop(popup);

    auto icon = compositor.CreateDrawingSurface(128, 128);
    compositor.DrawSurface(*icon, 128, 128, [](Canvas& c) {
      c.FillRoundedRect(RectF{8, 8, 120, 120}, 28, 28, Color{0.2f, 0.5f, 0.9f, 1});
    });
    auto iconBrush = compositor.CreateSurfaceBrush(icon);
    for (int i = 0; i < 16; ++i) {
      auto sprite = compositor.CreateSpriteVisual();
      sprite->SetBrush(iconBrush);
      sprite->SetOffset({300.0f + i * 84.5f, 960, 0});
      sprite->SetSize({72, 72});
      root->InsertAtTop(sprite);
    }
  }

  // Backdrop and tint in one container.
  std::shared_ptr<ContainerVisual> Glass(const std::shared_ptr<BackdropBrush>& backdrop, float blur, Color tint) {
    auto container = compositor.CreateContainerVisual();
    auto blurred = compositor.CreateSpriteVisual();
    blurred->SetRelativeSizeAdjustment({1, 1});
    blurred->SetBrush(compositor.CreateBackdropEffectBrush(backdrop, blur, 1.42f));
    auto tinted = compositor.CreateSpriteVisual();
    tinted->SetRelativeSizeAdjustment({1, 1});
    tinted->SetBrush(compositor.CreateColorBrush(tint));
    container->InsertAtTop(blurred);
    container->InsertAtTop(tinted);
    return container;
  }

  std::shared_ptr<SpriteVisual> Content(int width, int height) {
    auto surface = compositor.CreateDrawingSurface(width, height);
    compositor.DrawSurface(*surface, width, height, [&](Canvas& c) {
      for (int i = 0; i < 12; ++i) {
        c.FillRoundedRect(RectF{20.0f + i * 40, 20, 50.0f + i * 40, 50}, 6, 6, Color{1, 1, 1, 0.6f});
      }
    });
    auto sprite = compositor.CreateSpriteVisual();
    sprite->SetSize({static_cast<float>(width), static_cast<float>(height)});
    sprite->SetBrush(compositor.CreateSurfaceBrush(surface));
    return sprite;
  }
};

void BM_SoftCompositorStillFrame(benchmark::State& state) {
  Scene scene;
  std::vector<std::uint8_t> frame(static_cast<size_t>(kWidth) * kHeight * 4);
  for (auto _ : state) {
    scene.compositor.RenderTarget(*scene.target, frame.data(), kWidth, kHeight, kWidth * 4);
    benchmark::DoNotOptimize(frame.data());
  }
}
BENCHMARK(BM_SoftCompositorStillFrame)->Unit(benchmark::kMillisecond);

void BM_SoftCompositorMovingWindow(benchmark::State& state) {
  Scene scene;
  std::vector<std::uint8_t> frame(static_cast<size_t>(kWidth) * kHeight * 4);
  int step = 0;
  for (auto _ : state) {
    // A new window position changes every backdrop region.
    scene.compositor.RenderTarget(*scene.target, frame.data(), kWidth, kHeight, kWidth * 4,
                                  ScreenPoint{step % 7, step % 5});
    scene.popup->SetOffset({600.0f + step % 11, 300, 0});
    ++step;
    benchmark::DoNotOptimize(frame.data());
  }
}
BENCHMARK(BM_SoftCompositorMovingWindow)->Unit(benchmark::kMillisecond);

// --- The dock's render window ---------------------------------------------------

constexpr NativeWindow kDockWindow = 2;

struct DockScene {
  SoftCompositor compositor;
  std::vector<std::uint8_t> wallpaper = Wallpaper();
  std::shared_ptr<bench::BenchDock> dock;
  ScreenRect window;
  std::vector<std::uint8_t> frame;

  DockScene() {
    // The plate's glass needs the picture before the dock is made.
    compositor.SetWallpaper(BitmapView{kWidth, kHeight, kWidth * 4, wallpaper.data()});
    dock = bench::MakeBenchDock(compositor, kDockWindow, ScreenRect{0, 0, kWidth, kHeight});
    window = bench::BenchDockWindow(*dock);
    frame.resize(static_cast<size_t>(window.Width()) * window.Height() * 4);
  }

  std::vector<PixelRect> Update() {
    return compositor.UpdateWindowFrame(kDockWindow, frame.data(), window.Width(), window.Height(),
                                        window.Width() * 4, ScreenPoint{window.left, window.top});
  }
  std::int64_t pixels() const { return static_cast<std::int64_t>(window.Width()) * window.Height(); }
};

// The pointer passing to and fro along the plate at rest, halfway up it,
// 4 DIPs a picture (240 DIPs a second at 60 pictures).
class PointerSweep {
 public:
  explicit PointerSweep(const DockRectF& plate)
      : left_(plate.x), right_(plate.x + plate.width), y_(plate.y + plate.height / 2), x_(plate.x), step_(4) {}

  Vector2 Next() {
    x_ += step_;
    if (x_ > right_ || x_ < left_) {
      step_ = -step_;
      x_ += 2 * step_;
    }
    return {x_, y_};
  }

 private:
  float left_, right_, y_, x_, step_;
};

// The sweep after one pass over the dock, with the springs in their
// steady motion.
PointerSweep StartSweep(DockScene& scene) {
  PointerSweep sweep(bench::BenchDockPlate(*scene.dock));
  for (int picture = 0; picture < 240; ++picture) bench::StepBenchDock(*scene.dock, sweep.Next(), true);
  return sweep;
}

// Pixels the rectangles cover, each counted once.
std::int64_t CoveredPixels(const std::vector<PixelRect>& rects) {
  std::vector<int> edges;
  for (const PixelRect& r : rects) {
    edges.push_back(r.left);
    edges.push_back(r.left + r.width);
  }
  std::sort(edges.begin(), edges.end());
  std::int64_t covered = 0;
  for (size_t i = 0; i + 1 < edges.size(); ++i) {
    const int x0 = edges[i], x1 = edges[i + 1];
    if (x0 == x1) continue;
    std::vector<std::pair<int, int>> spans;
    for (const PixelRect& r : rects) {
      if (r.left <= x0 && r.left + r.width >= x1 && !r.empty()) spans.emplace_back(r.top, r.top + r.height);
    }
    std::sort(spans.begin(), spans.end());
    int reached = std::numeric_limits<int>::min();
    for (const auto& [top, bottom] : spans) {
      const int from = std::max(top, reached);
      if (bottom > from) covered += static_cast<std::int64_t>(bottom - from) * (x1 - x0);
      reached = std::max(reached, bottom);
    }
  }
  return covered;
}

// The hovered dock's frame as the presenter draws it: only the rectangles
// the frame step changed. `damaged` is the share of the window's pixels
// redrawn per frame, `rects` how many rectangles that took.
void BM_DockHoverFrameDamage(benchmark::State& state) {
  DockScene scene;
  PointerSweep sweep = StartSweep(scene);
  scene.Update();
  double damaged = 0;
  double rects = 0;
  for (auto _ : state) {
    bench::StepBenchDock(*scene.dock, sweep.Next(), true);
    const std::vector<PixelRect> damage = scene.Update();
    benchmark::DoNotOptimize(scene.frame.data());
    damaged += static_cast<double>(CoveredPixels(damage)) / static_cast<double>(scene.pixels());
    rects += static_cast<double>(damage.size());
  }
  state.counters["damaged"] = benchmark::Counter(damaged, benchmark::Counter::kAvgIterations);
  state.counters["rects"] = benchmark::Counter(rects, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_DockHoverFrameDamage)->Unit(benchmark::kMillisecond);

// The same pointer motion with the whole frame drawn every time.
void BM_DockHoverFrameFull(benchmark::State& state) {
  DockScene scene;
  PointerSweep sweep = StartSweep(scene);
  for (auto _ : state) {
    bench::StepBenchDock(*scene.dock, sweep.Next(), true);
    scene.compositor.ForgetWindowFrame(kDockWindow);
    benchmark::DoNotOptimize(scene.Update());
    benchmark::DoNotOptimize(scene.frame.data());
  }
}
BENCHMARK(BM_DockHoverFrameFull)->Unit(benchmark::kMillisecond);

// The dock at rest with the pointer elsewhere: the frame step changes
// nothing, so the update should draw nothing (`damaged` stays 0).
void BM_DockRestFrameDamage(benchmark::State& state) {
  DockScene scene;
  const Vector2 away{0, 0};
  scene.Update();
  double damaged = 0;
  for (auto _ : state) {
    bench::StepBenchDock(*scene.dock, away, false);
    const std::vector<PixelRect> damage = scene.Update();
    benchmark::DoNotOptimize(scene.frame.data());
    damaged += static_cast<double>(CoveredPixels(damage)) / static_cast<double>(scene.pixels());
  }
  state.counters["damaged"] = benchmark::Counter(damaged, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_DockRestFrameDamage)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace orvane
