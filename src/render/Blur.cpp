#include "render/Blur.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace orvane {
namespace {

// Above this deviation three box passes replace the exact kernel; below it the
// kernel is short enough (at most 49 taps) and box passes would look blocky.
constexpr float kExactKernelLimit = 8.0f;

int ClampIndex(int i, int count) { return i < 0 ? 0 : (i >= count ? count - 1 : i); }

std::vector<float> GaussianWeights(float sigma) {
  const int radius = static_cast<int>(std::ceil(3.0f * sigma));
  std::vector<float> weights(static_cast<size_t>(2 * radius + 1));
  double sum = 0;
  for (int k = -radius; k <= radius; ++k) {
    const double w = std::exp(-0.5 * k * k / (static_cast<double>(sigma) * sigma));
    weights[static_cast<size_t>(k + radius)] = static_cast<float>(w);
    sum += w;
  }
  for (float& w : weights) w = static_cast<float>(w / sum);
  return weights;
}

// Radii of three odd box widths whose variances add up to sigma^2.
std::vector<int> BoxRadii(float sigma) {
  constexpr int n = 3;
  const double variance = static_cast<double>(sigma) * sigma;
  int lower = static_cast<int>(std::floor(std::sqrt(12.0 * variance / n + 1.0)));
  if (lower % 2 == 0) --lower;
  const int upper = lower + 2;
  const int lowerCount = static_cast<int>(
      std::lround((12.0 * variance - n * lower * lower - 4.0 * n * lower - 3.0 * n) / (-4.0 * lower - 4.0)));
  std::vector<int> radii;
  for (int i = 0; i < n; ++i) radii.push_back(((i < lowerCount ? lower : upper) - 1) / 2);
  return radii;
}

// One-dimensional passes over `count` positions of `lanes` floats each
// (a row's pixels, or a column of whole rows); positions beyond the ends
// repeat the end position.
void KernelPass(const float* in, float* out, int count, int lanes, const std::vector<float>& weights) {
  const int radius = static_cast<int>(weights.size() / 2);
  for (int i = 0; i < count; ++i) {
    float* dst = out + static_cast<size_t>(i) * lanes;
    std::fill(dst, dst + lanes, 0.0f);
    for (int k = -radius; k <= radius; ++k) {
      const float w = weights[static_cast<size_t>(k + radius)];
      const float* src = in + static_cast<size_t>(ClampIndex(i + k, count)) * lanes;
      for (int l = 0; l < lanes; ++l) dst[l] += w * src[l];
    }
  }
}

void BoxPass(const float* in, float* out, int count, int lanes, int radius, std::vector<double>& sum) {
  sum.assign(static_cast<size_t>(lanes), 0.0);
  for (int j = -radius; j <= radius; ++j) {
    const float* src = in + static_cast<size_t>(ClampIndex(j, count)) * lanes;
    for (int l = 0; l < lanes; ++l) sum[l] += src[l];
  }
  const double scale = 1.0 / (2 * radius + 1);
  for (int i = 0; i < count; ++i) {
    float* dst = out + static_cast<size_t>(i) * lanes;
    const float* enter = in + static_cast<size_t>(ClampIndex(i + radius + 1, count)) * lanes;
    const float* leave = in + static_cast<size_t>(ClampIndex(i - radius, count)) * lanes;
    for (int l = 0; l < lanes; ++l) {
      dst[l] = static_cast<float>(sum[l] * scale);
      sum[l] += static_cast<double>(enter[l]) - leave[l];
    }
  }
}

// Runs the passes of one direction: from `a` into `b`, ping-ponging, and
// returns the buffer holding the result.
float* RunPasses(float* a, float* b, int count, int lanes, float sigma, std::vector<double>& sum) {
  if (sigma <= kExactKernelLimit) {
    KernelPass(a, b, count, lanes, GaussianWeights(sigma));
    return b;
  }
  for (int radius : BoxRadii(sigma)) {
    BoxPass(a, b, count, lanes, radius, sum);
    std::swap(a, b);
  }
  return a;
}

void BlurPlanes(std::uint8_t* pixels, int width, int height, int stride, int channels, float sigma) {
  if (pixels == nullptr || width <= 0 || height <= 0 || stride < width * channels || !(sigma > 0.0f)) return;
  const int rowLanes = width * channels;
  std::vector<float> image(static_cast<size_t>(rowLanes) * height);
  std::vector<float> scratch(image.size());
  std::vector<float> lineA(static_cast<size_t>(rowLanes)), lineB(lineA.size());
  std::vector<double> sum;

  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = pixels + static_cast<size_t>(y) * stride;
    std::copy(row, row + rowLanes, lineA.begin());
    const float* done = RunPasses(lineA.data(), lineB.data(), width, channels, sigma, sum);
    std::copy(done, done + rowLanes, image.begin() + static_cast<std::ptrdiff_t>(y) * rowLanes);
  }

  const float* done = RunPasses(image.data(), scratch.data(), height, rowLanes, sigma, sum);

  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = pixels + static_cast<size_t>(y) * stride;
    const float* src = done + static_cast<size_t>(y) * rowLanes;
    for (int i = 0; i < rowLanes; ++i) {
      row[i] = static_cast<std::uint8_t>(std::lround(std::clamp(src[i], 0.0f, 255.0f)));
    }
    if (channels == 4) {
      // Rounding must not lift a colour above its alpha.
      for (int x = 0; x < width; ++x) {
        std::uint8_t* p = row + static_cast<size_t>(x) * 4;
        for (int c = 0; c < 3; ++c) p[c] = std::min(p[c], p[3]);
      }
    }
  }
}

}  // namespace

void GaussianBlurBgra(std::uint8_t* pixels, int width, int height, int stride, float standardDeviation) {
  BlurPlanes(pixels, width, height, stride, 4, standardDeviation);
}

void GaussianBlurAlpha(std::uint8_t* alpha, int width, int height, int stride, float standardDeviation) {
  BlurPlanes(alpha, width, height, stride, 1, standardDeviation);
}

void SaturateBgra(std::uint8_t* pixels, int width, int height, int stride, float saturation) {
  if (pixels == nullptr || width <= 0 || height <= 0 || stride < width * 4) return;
  const float s = saturation > 0.0f ? saturation : 0.0f;  // also maps NaN to 0
  // Rows of the colour matrix (output r, g, b from input r, g, b).
  const float m[3][3] = {
      {0.213f + 0.787f * s, 0.715f - 0.715f * s, 0.072f - 0.072f * s},
      {0.213f - 0.213f * s, 0.715f + 0.285f * s, 0.072f - 0.072f * s},
      {0.213f - 0.213f * s, 0.715f - 0.715f * s, 0.072f + 0.928f * s},
  };
  for (int y = 0; y < height; ++y) {
    std::uint8_t* p = pixels + static_cast<size_t>(y) * stride;
    for (int x = 0; x < width; ++x, p += 4) {
      // The matrix leaves alpha alone, so it applies to premultiplied values
      // as it would to straight ones.
      const float b = p[0], g = p[1], r = p[2], a = p[3];
      const float out[3] = {m[0][0] * r + m[0][1] * g + m[0][2] * b, m[1][0] * r + m[1][1] * g + m[1][2] * b,
                            m[2][0] * r + m[2][1] * g + m[2][2] * b};
      p[2] = static_cast<std::uint8_t>(std::lround(std::clamp(out[0], 0.0f, a)));
      p[1] = static_cast<std::uint8_t>(std::lround(std::clamp(out[1], 0.0f, a)));
      p[0] = static_cast<std::uint8_t>(std::lround(std::clamp(out[2], 0.0f, a)));
    }
  }
}

}  // namespace orvane
