#pragma once
// The software presenter's bookkeeping: which windows must be handed a new
// frame. A window is presented when its size or its pixels differ from what
// it last showed; an empty window (zero width or height) is never presented,
// since the platform refuses a layered window of that size.

#include <cstddef>
#include <cstdint>
#include <unordered_map>

#include "render/Composition.h"

namespace orvane {

// What identifies a frame for the comparison: its size and a hash of its bytes.
struct FrameSignature {
  int width = 0;
  int height = 0;
  std::uint64_t hash = 0;
  bool operator==(const FrameSignature&) const = default;
};

// 64-bit FNV-1a over the frame bytes (width x height x 4).
FrameSignature SignFrame(int width, int height, const std::uint8_t* pixels);

class PresentTracker {
 public:
  bool NeedsPresent(NativeWindow window, const FrameSignature& frame) const;
  // Call once the frame reached the window; a failed present is not recorded,
  // so the next pass tries again.
  void Presented(NativeWindow window, const FrameSignature& frame);
  // The window's target is gone; a new target on the same handle starts over.
  void Forget(NativeWindow window);

 private:
  std::unordered_map<NativeWindow, FrameSignature> shown_;
};

}  // namespace orvane
