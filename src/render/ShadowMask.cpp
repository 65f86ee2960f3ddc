#include "render/ShadowMask.h"

#include <algorithm>
#include <cmath>

#include "render/Blur.h"

namespace orvane {
namespace {

float Unit(float v) { return std::isfinite(v) ? std::clamp(v, 0.0f, 1.0f) : 0.0f; }

}  // namespace

std::vector<std::uint8_t> ShadowFromContent(const std::uint8_t* bgra, int width, int height, int stride,
                                            float standardDeviation, Color color) {
  if (bgra == nullptr || width <= 0 || height <= 0 || stride < width * 4) return {};
  const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
  std::vector<std::uint8_t> alpha(count);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = bgra + static_cast<size_t>(y) * static_cast<size_t>(stride);
    for (int x = 0; x < width; ++x) alpha[static_cast<size_t>(y) * width + x] = row[x * 4 + 3];
  }
  GaussianBlurAlpha(alpha.data(), width, height, width, standardDeviation);

  const float r = Unit(color.r), g = Unit(color.g), b = Unit(color.b), a = Unit(color.a);
  std::vector<std::uint8_t> out(count * 4);
  for (size_t i = 0; i < count; ++i) {
    const float coverage = static_cast<float>(alpha[i]) * a;  // 0..255
    out[i * 4 + 0] = static_cast<std::uint8_t>(std::lround(b * coverage));
    out[i * 4 + 1] = static_cast<std::uint8_t>(std::lround(g * coverage));
    out[i * 4 + 2] = static_cast<std::uint8_t>(std::lround(r * coverage));
    out[i * 4 + 3] = static_cast<std::uint8_t>(std::lround(coverage));
  }
  return out;
}

}  // namespace orvane
