#include "render/PresentTracker.h"

namespace orvane {

FrameSignature SignFrame(int width, int height, const std::uint8_t* pixels) {
  FrameSignature signature{width, height, 0xcbf29ce484222325ull};
  if (width <= 0 || height <= 0 || pixels == nullptr) return signature;
  const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
  for (size_t i = 0; i < count; ++i) {
    signature.hash ^= pixels[i];
    signature.hash *= 0x100000001b3ull;
  }
  return signature;
}

bool PresentTracker::NeedsPresent(NativeWindow window, const FrameSignature& frame) const {
  if (frame.width <= 0 || frame.height <= 0) return false;
  const auto shown = shown_.find(window);
  return shown == shown_.end() || !(shown->second == frame);
}

void PresentTracker::Presented(NativeWindow window, const FrameSignature& frame) { shown_[window] = frame; }

void PresentTracker::Forget(NativeWindow window) { shown_.erase(window); }

}  // namespace orvane
