#pragma once
// The software presenter: shows each window's composition tree, rendered by
// the software compositor, as a per-pixel-alpha layered window. Windows whose
// frame did not change since they last showed it are left alone.

#include <windows.h>

#include "render/PresentTracker.h"
#include "render/PresentingCompositor.h"

namespace orvane {

class SoftCompositor;

class LayeredWindowPresenter {
 public:
  explicit LayeredWindowPresenter(SoftCompositor& compositor) : compositor_(compositor) {}

  // Renders every live window at its client size and position and updates
  // the ones whose frame changed.
  void Present(const PresentingCompositor::Windows& windows);

 private:
  void PresentWindow(HWND window);

  SoftCompositor& compositor_;
  PresentTracker tracker_;
};

}  // namespace orvane
