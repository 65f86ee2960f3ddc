#include "system/FallbackIcon.h"

#include <algorithm>
#include <cmath>

namespace orvane {

IconImage DrawRoundedSquareIcon(unsigned size, std::uint8_t red, std::uint8_t green, std::uint8_t blue,
                                std::uint8_t maxAlpha) {
  const unsigned n = std::min(size, kMaxDrawnIconSize);
  if (n == 0) return IconImage{};
  const double side = static_cast<double>(n);
  const double centre = 0.5 * side;
  const double halfSide = 0.5 * side - 0.08 * side - 0.22 * side;
  const double radius = 0.22 * side;

  IconImage image;
  image.width = static_cast<int>(n);
  image.height = static_cast<int>(n);
  image.pixels.assign(static_cast<std::size_t>(n) * n * 4, 0);
  for (unsigned y = 0; y < n; ++y) {
    for (unsigned x = 0; x < n; ++x) {
      const double dx = std::abs(x + 0.5 - centre) - halfSide;
      const double dy = std::abs(y + 0.5 - centre) - halfSide;
      const double outside = std::hypot(std::max(dx, 0.0), std::max(dy, 0.0));
      const double distance = outside + std::min(std::max(dx, dy), 0.0) - radius;
      const double coverage = std::clamp(0.5 - distance, 0.0, 1.0);
      const auto alpha = static_cast<unsigned>(std::lround(coverage * maxAlpha));
      std::uint8_t* pixel = &image.pixels[(static_cast<std::size_t>(y) * n + x) * 4];
      pixel[0] = static_cast<std::uint8_t>(alpha * blue / 255);
      pixel[1] = static_cast<std::uint8_t>(alpha * green / 255);
      pixel[2] = static_cast<std::uint8_t>(alpha * red / 255);
      pixel[3] = static_cast<std::uint8_t>(alpha);
    }
  }
  return image;
}

IconImage DrawPlaceholderIcon(unsigned size) { return DrawRoundedSquareIcon(size, 90, 145, 210, 220); }

IconImage DrawLoadingPlaceholder(unsigned size) { return DrawRoundedSquareIcon(size, 255, 255, 255, 80); }

}  // namespace orvane
