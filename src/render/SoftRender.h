#pragma once
// Draws a software compositor's visual tree: the platform compositor's rules
// for transforms, relative sizes, opacity, visibility, clips, child order and
// brushes. The same walk can instead record what each visual would draw,
// where and from what, so two frames can be compared for what changed.

#include <cstdint>
#include <vector>

#include "render/FrameRaster.h"
#include "render/SoftCompositionObjects.h"

namespace orvane {

// The desktop picture behind the window being drawn.
struct BackdropSource {
  BitmapView picture;          // no pixels: backdrop brushes show nothing
  std::uint64_t pictureId = 0;  // changes whenever the picture does
  int windowLeft = 0;           // the window's top-left in the picture's pixels
  int windowTop = 0;
};

// Draws `root` and its subtree in front of what the raster holds, inside the
// raster's limit. The root's parent size (for relative sizes) is `frameSize`.
void RenderVisualTree(FrameRaster& raster, const SoftVisualNode& root, SizeF frameSize,
                      const BackdropSource& backdrop);

// One brush of the tree as drawn: which visual, the pixels it can touch, and
// a fingerprint of everything that decides those pixels (transform, size,
// opacity, brush and picture, clips and group fades around it).
struct DrawRecord {
  const void* key = nullptr;
  PixelRect bounds;
  std::uint64_t signature = 0;
  bool operator==(const DrawRecord&) const = default;
};

// Appends the records of `root`'s subtree, bottom to top.
void RecordVisualTree(const SoftVisualNode& root, SizeF frameSize, const BackdropSource& backdrop,
                      std::vector<DrawRecord>& out);

// The pixels that differ between two frames made of `before` and `after`:
// the bounds of every record added, removed or changed. A change of drawing
// order among records kept damages `everything`.
std::vector<PixelRect> DamageBetween(const std::vector<DrawRecord>& before, const std::vector<DrawRecord>& after,
                                     const PixelRect& everything);

// Merges rectangles that overlap or lie close (where one rectangle costs
// little more than the two) until at most `maxCount` remain; empty ones are
// dropped. The result covers every pixel the input did.
void MergeDamage(std::vector<PixelRect>& rects, size_t maxCount);

}  // namespace orvane
