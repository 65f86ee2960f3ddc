#pragma once
// The bottom dock for the compositor benchmarks (DockSceneBench.cpp): a few
// sample applications with a playing music session on a software
// compositor window, settled at rest.

#include <memory>

#include "dock/DockLayout.h"
#include "render/SoftCompositor.h"

namespace orvane::bench {

struct BenchDock;
// The dock on the compositor's `window`, for a `monitor` screen.
std::shared_ptr<BenchDock> MakeBenchDock(SoftCompositor& compositor, NativeWindow window, ScreenRect monitor);
// One 60 Hz picture's frame steps; the pointer in render-window DIPs.
void StepBenchDock(BenchDock& dock, Vector2 pointer, bool hovering);
ScreenRect BenchDockWindow(const BenchDock& dock);  // screen pixels
DockRectF BenchDockPlate(const BenchDock& dock);    // render-window DIPs

}  // namespace orvane::bench
