// The two sprites every dock item shares: the running-indicator dot and the
// puff texture of the vanish effect.

#include <algorithm>
#include <cmath>

#include "dock/DockPictures.h"

namespace orvane {

int IndicatorSurfaceSide(float scale) { return std::max(12, static_cast<int>(std::lround(8 * scale))); }

void DrawIndicatorDot(Canvas& canvas, float scale, const Theme& theme) {
  const float centre = static_cast<float>(IndicatorSurfaceSide(scale)) / 2;
  const Color colour = ToColor(theme.indicator);
  canvas.FillEllipse({centre, centre}, 2.9f * scale, 2.9f * scale, colour.WithAlpha(colour.a * 0.28f));
  canvas.FillEllipse({centre, centre}, 2 * scale, 2 * scale, colour);
}

std::vector<std::uint8_t> PuffTexturePixels() {
  std::vector<std::uint8_t> pixels(static_cast<size_t>(kPuffSide) * kPuffSide * 4);
  const double half = kPuffSide / 2.0;
  for (int i = 0; i < kPuffSide; ++i) {
    for (int j = 0; j < kPuffSide; ++j) {
      const double x = (j + 0.5 - half) / half, y = (i + 0.5 - half) / half;
      const double r = std::sqrt(x * x + y * y), theta = std::atan2(y, x);
      // A wobbling rim, so the particles do not read as perfect discs.
      const double edge = 1 + 0.14 * std::sin(3 * theta + 0.6) + 0.08 * std::cos(5 * theta - 1.1);
      const double v = std::clamp(1 - r / edge, 0.0, 1.0);
      const double a = std::clamp(0.85 * std::pow(v, 1.6), 0.0, 1.0);
      const int alpha = static_cast<int>(std::lround(255 * a));
      std::uint8_t* p = pixels.data() + (static_cast<size_t>(i) * kPuffSide + j) * 4;
      p[0] = static_cast<std::uint8_t>(alpha * 242 / 255);
      p[1] = static_cast<std::uint8_t>(alpha * 242 / 255);
      p[2] = static_cast<std::uint8_t>(alpha * 245 / 255);
      p[3] = static_cast<std::uint8_t>(alpha);
    }
  }
  return pixels;
}

}  // namespace orvane
