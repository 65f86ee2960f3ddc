#include "render/BubbleGeometry.h"

#include <algorithm>
#include <cmath>

namespace orvane {

float BubbleCornerRadius(float width, float height, float maxRadius) {
  return std::min({0.45f * height, 0.45f * width, maxRadius});
}

float BubblePointerCenter(float width, float cornerRadius, float pointerX, float pointerHalfWidth) {
  const float lower = cornerRadius + pointerHalfWidth + 2;
  const float upper = width - cornerRadius - pointerHalfWidth - 2;
  if (pointerX < lower) return lower;
  if (pointerX > upper) return upper;
  return pointerX;
}

Path CreateBubbleGeometry(float width, float height, float maxRadius, float pointerX, float pointerHalfWidth,
                          float pointerHeight) {
  Path path;
  // !(x > 0) also turns away NaN.
  if (!(width > 0) || !(height > 0)) return path;
  const float r = BubbleCornerRadius(width, height, maxRadius);
  const float x = BubblePointerCenter(width, r, pointerX, pointerHalfWidth);
  // How far the rounded tip starts above the pointer's end.
  const float t = std::min(0.25f * pointerHalfWidth, 1.8f);
  const float tipY = height + pointerHeight;

  path.MoveTo({r, 0})
      .LineTo({width - r, 0})
      .ArcTo({width, r}, r, r, true, false)
      .LineTo({width, height - r})
      .ArcTo({width - r, height}, r, r, true, false)
      .LineTo({x + pointerHalfWidth, height})
      .LineTo({x + t, tipY - t})
      .QuadTo({x, tipY + 0.35f * t}, {x - t, tipY - t})
      .LineTo({x - pointerHalfWidth, height})
      .LineTo({r, height})
      .ArcTo({0, height - r}, r, r, true, false)
      .LineTo({0, r})
      .ArcTo({r, 0}, r, r, true, false)
      .Close();
  return path;
}

}  // namespace orvane
