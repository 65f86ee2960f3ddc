#pragma once
// The tooltip's bubble: a rounded rectangle (0, 0)-(width, height) with a
// small pointer below its bottom edge whose tip is softly rounded.

#include "render/Canvas.h"

namespace orvane {

// Corner radius of a bubble: min(0.45 height, 0.45 width, maxRadius).
float BubbleCornerRadius(float width, float height, float maxRadius);

// The pointer centre: pointerX kept far enough from the corners that the
// pointer never cuts into their arcs. The left limit wins when the bubble is
// too narrow for both.
float BubblePointerCenter(float width, float cornerRadius, float pointerX, float pointerHalfWidth);

// One closed clockwise figure; empty when the size is not positive.
Path CreateBubbleGeometry(float width, float height, float maxRadius, float pointerX, float pointerHalfWidth,
                          float pointerHeight);

}  // namespace orvane
