#pragma once
// Draws a software compositor's visual tree onto a canvas: the platform
// compositor's rules for transforms, relative sizes, opacity, visibility,
// clips, child order and brushes.

#include <cstdint>

#include "render/Canvas.h"
#include "render/SoftCompositionObjects.h"

namespace orvane {

// The desktop picture behind the window being drawn.
struct BackdropSource {
  BitmapView picture;          // no pixels: backdrop brushes show nothing
  std::uint64_t pictureId = 0;  // changes whenever the picture does
  int windowLeft = 0;           // the window's top-left in the picture's pixels
  int windowTop = 0;
};

// Draws `root` and its subtree in front of what the canvas holds. The root's
// parent size (for relative sizes) is `frameSize`; the canvas's transform is
// left at the identity.
void RenderVisualTree(Canvas& canvas, const SoftVisualNode& root, SizeF frameSize, const BackdropSource& backdrop);

}  // namespace orvane
