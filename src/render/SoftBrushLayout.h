#pragma once
// Where a surface brush puts its surface inside a visual: the stretch modes
// and alignment ratios, and the nine pieces of a nine-grid brush.

#include <vector>

#include "render/Composition.h"

namespace orvane {

// The rectangle, in the visual's coordinates, that a `surface`-sized image
// covers in a visual of `bounds` size. With None the image keeps its pixel
// size; Uniform fits it inside, UniformToFill covers the bounds (the excess
// is clipped by the caller); the ratios place what is left over (0 = left or
// top, 1 = right or bottom). Fill ignores the ratios.
RectF PlaceSurface(SizeF surface, SizeF bounds, Stretch stretch, float horizontalRatio, float verticalRatio);

struct NineGridPiece {
  RectF source;  // in surface pixels
  RectF dest;    // in the visual's coordinates
};

// The up to nine pieces of a nine-grid over a `source`-sized surface drawn
// into (0, 0, dest): the corners keep their size, the edges stretch along
// their edge, the centre both ways. Insets are clamped to the source; when
// the two insets of an axis do not fit into the source or the destination,
// both shrink by the same factor. Empty pieces are left out.
std::vector<NineGridPiece> NineGridPieces(SizeF source, SizeF dest, float left, float top, float right,
                                          float bottom);

}  // namespace orvane
