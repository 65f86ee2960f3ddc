#include "render/win32/LayeredWindowPresenter.h"

#include "render/FrameRaster.h"
#include "render/SoftCompositor.h"

namespace orvane {

void LayeredWindowPresenter::Present(const PresentingCompositor::Windows& windows) {
  for (NativeWindow closed : windows.closed) Forget(reinterpret_cast<HWND>(closed));
  for (NativeWindow window : windows.live) PresentWindow(reinterpret_cast<HWND>(window));
}

void LayeredWindowPresenter::Forget(HWND window) {
  frames_.erase(window);
  compositor_.ForgetWindowFrame(reinterpret_cast<NativeWindow>(window));
}

void LayeredWindowPresenter::PresentWindow(HWND window) {
  if (!IsWindow(window)) {
    Forget(window);
    return;
  }
  const SIZE size = ClientSize(window);
  if (size.cx <= 0 || size.cy <= 0) return;
  std::unique_ptr<WindowFrame>& frame = frames_[window];
  if (frame == nullptr) frame = std::make_unique<WindowFrame>();
  const auto handle = reinterpret_cast<NativeWindow>(window);
  if (frame->buffer.width() != size.cx || frame->buffer.height() != size.cy) {
    if (!frame->buffer.Resize(size.cx, size.cy)) {
      frames_.erase(window);
      return;
    }
    // A new buffer holds nothing of the last frame.
    compositor_.ForgetWindowFrame(handle);
    frame->showPending = true;
  }
  // The screen position picks the part of the desktop picture that the
  // backdrop brushes show.
  RECT bounds{};
  GetWindowRect(window, &bounds);
  const auto damage = compositor_.UpdateWindowFrame(handle, frame->buffer.bits(), size.cx, size.cy,
                                                    frame->buffer.stride(), ScreenPoint{bounds.left, bounds.top});
  if (damage.empty() && !frame->showPending) return;

  PixelRect changed;
  for (const PixelRect& rect : damage) changed = Union(changed, rect);
  RECT dirty{changed.left, changed.top, changed.left + changed.width, changed.top + changed.height};
  // After a refused show the screen may be behind by more than this frame.
  const bool shown = frame->buffer.Show(window, frame->showPending || changed.empty() ? nullptr : &dirty);
  frame->showPending = !shown;
}

}  // namespace orvane
