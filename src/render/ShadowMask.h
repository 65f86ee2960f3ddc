#pragma once
// The drop shadow of drawn content, computed on the CPU: the content's alpha
// blurred and tinted. Used where the platform's shadow effect is missing.

#include <cstdint>
#include <vector>

#include "render/Canvas.h"

namespace orvane {

// Reads `height` rows of `width` premultiplied BGRA pixels (`stride` bytes
// apart) and returns packed premultiplied BGRA rows (width * 4 bytes each):
// every pixel is `color` at the content's alpha blurred with
// `standardDeviation`, times the colour's own alpha.
std::vector<std::uint8_t> ShadowFromContent(const std::uint8_t* bgra, int width, int height, int stride,
                                            float standardDeviation, Color color);

}  // namespace orvane
