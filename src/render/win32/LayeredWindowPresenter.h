#pragma once
// The software presenter: shows each window's composition tree, drawn by the
// software compositor, as a per-pixel-alpha layered window. Each window keeps
// its frame between presents; only the parts whose drawing changed are drawn
// again and handed to the system, and a window whose drawing did not change
// is left alone.

#include <windows.h>

#include <map>
#include <memory>

#include "render/PresentingCompositor.h"
#include "render/win32/LayeredWindow.h"

namespace orvane {

class SoftCompositor;

class LayeredWindowPresenter {
 public:
  explicit LayeredWindowPresenter(SoftCompositor& compositor) : compositor_(compositor) {}

  // Brings every live window's frame up to date at its client size and
  // position and shows the ones that changed; frees the frames of closed
  // windows.
  void Present(const PresentingCompositor::Windows& windows);

 private:
  struct WindowFrame {
    LayeredFrameBuffer buffer;
    bool showPending = true;  // the buffer holds something the screen does not
  };

  void PresentWindow(HWND window);
  void Forget(HWND window);

  SoftCompositor& compositor_;
  std::map<HWND, std::unique_ptr<WindowFrame>> frames_;
};

}  // namespace orvane
