// The dock's frame step (magnification, springs, bounces, layout twice,
// visual plan, hit test, hover popups, effects) with the pointer sweeping
// back and forth along the dock, so every spring keeps moving.

#include <benchmark/benchmark.h>

#include <deque>
#include <vector>

#include "dock/DockAnimator.h"

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

}  // namespace
}  // namespace orvane
