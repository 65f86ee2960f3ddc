#include "render/win32/LayeredWindowPresenter.h"

#include "render/SoftCompositor.h"
#include "render/win32/LayeredWindow.h"

namespace orvane {

void LayeredWindowPresenter::Present(const PresentingCompositor::Windows& windows) {
  for (NativeWindow closed : windows.closed) tracker_.Forget(closed);
  for (NativeWindow window : windows.live) PresentWindow(reinterpret_cast<HWND>(window));
}

void LayeredWindowPresenter::PresentWindow(HWND window) {
  if (!IsWindow(window)) return;
  const SIZE size = ClientSize(window);
  if (size.cx <= 0 || size.cy <= 0) return;
  // The screen position picks the part of the desktop picture that the
  // backdrop brushes show.
  RECT bounds{};
  GetWindowRect(window, &bounds);
  const auto handle = reinterpret_cast<NativeWindow>(window);
  const SoftFrame frame = compositor_.RenderWindow(handle, size.cx, size.cy, ScreenPoint{bounds.left, bounds.top});
  const FrameSignature signature = SignFrame(frame.width, frame.height, frame.pixels.data());
  if (!tracker_.NeedsPresent(handle, signature)) return;
  if (ShowLayeredFrame(window, frame.width, frame.height, frame.pixels.data(), frame.width * 4)) {
    tracker_.Presented(handle, signature);
  }
}

}  // namespace orvane
