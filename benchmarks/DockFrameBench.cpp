// The dock's frame step (magnification, springs, bounces, layout twice,
// visual plan, hit test, hover popups, effects) with the pointer sweeping
// back and forth along the dock, so every spring keeps moving.

#include <benchmark/benchmark.h>

#include <deque>
#include <vector>

#include "../tests/unit/FakeDockClickPlatform.h"
#include "../tests/unit/FakeDockServices.h"
#include "../tests/unit/RecordingShellCommands.h"
#include "dock/DockAnimator.h"
#include "dock/DockController.h"
#include "render/SoftCompositor.h"

namespace orvane {
namespace {

void BM_DockFrameStep(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  DockConfig config;
  DockAnimator animator;
  animator.Configure(config, ComputeDockGeometry(config, {0, 0, 3840, 1080}, 1.0f));

  std::deque<DockItemMotion> motions(static_cast<size_t>(count));
  std::vector<DockItemView> views;
  for (int i = 0; i < count; ++i) {
    DockItemKind kind = DockItemKind::Pinned;
    if (i == 0) kind = DockItemKind::LauncherButton;
    if (i == count / 2) kind = DockItemKind::Separator;
    if (i == count - 2) kind = DockItemKind::Music;
    if (i == count - 1) kind = DockItemKind::RecycleBin;
    views.push_back({kind, i % 3 == 0, i % 4 == 0, L"应用", &motions[static_cast<size_t>(i)]});
  }
  animator.AdoptLayout(views);
  motions[1].bounceHops = 1000;  // one icon keeps bouncing
  motions[1].bouncePhase = 0;

  DockFrameInput input;
  input.dt = 1.0f / 120;
  input.hovering = true;
  const RectF bounds = animator.layout().hoverBounds;
  input.pointer.y = (bounds.top + bounds.bottom) / 2;
  float x = bounds.left;
  float step = 3.0f;
  for (auto _ : state) {
    x += step;
    if (x > bounds.right || x < bounds.left) step = -step;
    input.pointer.x = x;
    benchmark::DoNotOptimize(animator.Step(views, input));
    if (!animator.effects().animating()) animator.effects().StartVanish(nullptr, {x, input.pointer.y}, 48);
  }
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_DockFrameStep)->Arg(10)->Arg(30)->Arg(60);

// The whole dock frame as the hub runs it: the frame step above plus the
// hiding bookkeeping, the writes into the item visuals (software compositor
// objects; drawing the frame is the presenter's cost, measured apart) and
// the input window's rectangle.
void BM_DockControllerFrame(benchmark::State& state) {
  const int pinned = static_cast<int>(state.range(0));
  DockConfig config;
  config.pinned.clear();
  for (int i = 0; i < pinned; ++i) {
    const std::wstring target = L"C:\\Apps\\app" + std::to_wstring(i) + L".exe";
    config.pinned.push_back({L"应用", target, L"", L""});
  }
  testing::FakeDockServices services;
  testing::RecordingClickPlatform clicks;
  testing::RecordingShellCommands shell;
  SoftCompositor compositor;
  auto target = compositor.CreateWindowTarget(1, true);
  DockController dock(config, services, clicks, shell, [] {});
  dock.Place({0, 0, 3840, 1080}, 1.0f);
  dock.CreateVisuals(compositor, MakeTheme(false, true));
  target->SetRoot(dock.root());
  dock.Rebuild();

  const RectF bounds = dock.animator().layout().hoverBounds;
  const float y = (bounds.top + bounds.bottom) / 2;
  float x = bounds.left;
  float step = 3.0f;
  for (auto _ : state) {
    x += step;
    if (x > bounds.right || x < bounds.left) step = -step;
    dock.PointerMoved({x, y});
    benchmark::DoNotOptimize(dock.FrameStep(1.0f / 120, {}));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(dock.items().size()));
}
BENCHMARK(BM_DockControllerFrame)->Arg(10)->Arg(30);

}  // namespace
}  // namespace orvane
