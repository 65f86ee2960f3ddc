#pragma once
// Straight float colours as the 0xAARRGGBB the platform compositor takes:
// the inverse of Color::FromArgb. Channels are clamped to 0..1 (NaN counts
// as 0) and rounded to the nearest byte.

#include <cstdint>

#include "render/Canvas.h"

namespace orvane {

std::uint32_t ToArgb(Color color);

}  // namespace orvane
