#pragma once
// What the running Direct2D really draws. Windows has everything; Wine's
// Direct2D accepts arcs, layers and effects without drawing them, so the canvas
// looks at a few probe pixels once per process and works around what is
// missing.

#include <d2d1_1.h>
#include <windows.h>

namespace orvane {

struct D2DSupport {
  bool arcs = false;          // arc segments in path geometries
  bool layers = false;        // opacity and geometric masks of PushLayer
  bool shadowEffect = false;  // command lists fed to the built-in Shadow effect
};

// Probed on the first call (small WIC targets from `factory`), logged once
// for each missing part, and remembered for the process. Without WIC there
// is nothing to probe with, and everything counts as present.
const D2DSupport& ProbeD2DSupport(ID2D1Factory* factory);

// The Shadow effect's OPTIMIZATION value BALANCED (not in the mingw headers).
inline constexpr UINT32 kShadowOptimizationBalanced = 1;

}  // namespace orvane
