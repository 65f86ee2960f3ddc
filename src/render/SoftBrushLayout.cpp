#include "render/SoftBrushLayout.h"

#include <algorithm>
#include <cmath>

namespace orvane {
namespace {

float Finite(float value, float fallback) { return std::isfinite(value) ? value : fallback; }

// The two insets of one axis: not negative, and scaled down together so that
// they fit into `length`.
void FitInsets(float length, float& first, float& second) {
  first = std::max(Finite(first, 0), 0.0f);
  second = std::max(Finite(second, 0), 0.0f);
  const float sum = first + second;
  if (sum > length && sum > 0) {
    const float factor = std::max(length, 0.0f) / sum;
    first *= factor;
    second *= factor;
  }
}

}  // namespace

RectF PlaceSurface(SizeF surface, SizeF bounds, Stretch stretch, float horizontalRatio, float verticalRatio) {
  if (stretch == Stretch::Fill || surface.width <= 0 || surface.height <= 0) {
    return RectF{0, 0, bounds.width, bounds.height};
  }
  float scale = 1;
  if (stretch == Stretch::Uniform) {
    scale = std::min(bounds.width / surface.width, bounds.height / surface.height);
  } else if (stretch == Stretch::UniformToFill) {
    scale = std::max(bounds.width / surface.width, bounds.height / surface.height);
  }
  const float width = surface.width * scale, height = surface.height * scale;
  const float left = (bounds.width - width) * Finite(horizontalRatio, 0.5f);
  const float top = (bounds.height - height) * Finite(verticalRatio, 0.5f);
  return RectF{left, top, left + width, top + height};
}

std::vector<NineGridPiece> NineGridPieces(SizeF source, SizeF dest, float left, float top, float right,
                                          float bottom) {
  std::vector<NineGridPiece> pieces;
  if (source.width <= 0 || source.height <= 0 || !(dest.width > 0) || !(dest.height > 0)) return pieces;
  FitInsets(source.width, left, right);
  FitInsets(source.height, top, bottom);
  // The destination keeps the insets at pixel size unless they do not fit.
  float destLeft = left, destRight = right, destTop = top, destBottom = bottom;
  FitInsets(dest.width, destLeft, destRight);
  FitInsets(dest.height, destTop, destBottom);

  const float sourceX[4] = {0, left, source.width - right, source.width};
  const float sourceY[4] = {0, top, source.height - bottom, source.height};
  const float destX[4] = {0, destLeft, dest.width - destRight, dest.width};
  const float destY[4] = {0, destTop, dest.height - destBottom, dest.height};
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      const RectF from{sourceX[column], sourceY[row], sourceX[column + 1], sourceY[row + 1]};
      const RectF to{destX[column], destY[row], destX[column + 1], destY[row + 1]};
      if (from.width() <= 0 || from.height() <= 0 || to.width() <= 0 || to.height() <= 0) continue;
      pieces.push_back(NineGridPiece{from, to});
    }
  }
  return pieces;
}

}  // namespace orvane
