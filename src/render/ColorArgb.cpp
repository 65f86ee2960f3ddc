#include "render/ColorArgb.h"

#include <algorithm>
#include <cmath>

namespace orvane {
namespace {

std::uint32_t ToByte(float channel) {
  if (!(channel > 0.0f)) return 0;  // also NaN
  return static_cast<std::uint32_t>(std::lround(std::min(channel, 1.0f) * 255.0f));
}

}  // namespace

std::uint32_t ToArgb(Color color) {
  return (ToByte(color.a) << 24) | (ToByte(color.r) << 16) | (ToByte(color.g) << 8) | ToByte(color.b);
}

}  // namespace orvane
