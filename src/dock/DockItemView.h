#pragma once
// What the frame step needs to know of one dock item. The hub fills one per
// item each frame from its item list; the frame step moves the springs in
// `motion`.

#include <string_view>

#include "dock/DockItemKind.h"
#include "dock/DockItemMotion.h"

namespace orvane {

struct DockItemView {
  DockItemKind kind = DockItemKind::Pinned;
  bool running = false;     // drives the running indicator
  bool hasWindows = false;  // hovering it can open the window preview
  std::wstring_view name;   // tooltip text; empty shows none
  DockItemMotion* motion = nullptr;  // never null
};

}  // namespace orvane
