#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "render/Blur.h"

namespace orvane {
namespace {

// A premultiplied BGRA image with `padding` spare bytes after each row.
struct Image {
  Image(int w, int h, int padding = 0) : width(w), height(h), stride(w * 4 + padding), pixels(stride * h, 0) {}
  std::uint8_t* At(int x, int y) { return pixels.data() + y * stride + x * 4; }
  void Fill(int left, int top, int right, int bottom, std::uint8_t b, std::uint8_t g, std::uint8_t r, std::uint8_t a) {
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) {
        std::uint8_t* p = At(x, y);
        p[0] = b, p[1] = g, p[2] = r, p[3] = a;
      }
  }
  long AlphaSum() {
    long sum = 0;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) sum += At(x, y)[3];
    return sum;
  }
  void Blur(float sigma) { GaussianBlurBgra(pixels.data(), width, height, stride, sigma); }

  int width, height, stride;
  std::vector<std::uint8_t> pixels;
};

// Deviations on both sides of the switch from the exact kernel to box passes.
const float kSigmas[] = {1.5f, 4.0f, 12.0f, 30.0f};

TEST(BlurTest, ZeroOrInvalidDeviationLeavesPixelsAlone) {
  Image image(7, 5);
  for (size_t i = 0; i < image.pixels.size(); i += 4) {
    image.pixels[i + 3] = static_cast<std::uint8_t>(i * 37 % 251);
    image.pixels[i] = image.pixels[i + 3] / 2;
  }
  const std::vector<std::uint8_t> original = image.pixels;
  for (float sigma : {0.0f, -3.0f, std::numeric_limits<float>::quiet_NaN()}) {
    image.Blur(sigma);
    EXPECT_EQ(image.pixels, original) << sigma;
  }
}

TEST(BlurTest, KeepsTheEnergyOfContentAwayFromTheEdges) {
  for (float sigma : kSigmas) {
    Image image(300, 300);
    image.Fill(130, 140, 170, 160, 40, 80, 120, 200);
    const long before = image.AlphaSum();
    image.Blur(sigma);
    EXPECT_NEAR(static_cast<double>(image.AlphaSum()), static_cast<double>(before), before * 0.01) << sigma;
    EXPECT_LT(image.At(130, 150)[3], 150) << sigma << ": the block actually spread";
  }
}

TEST(BlurTest, SpreadsSymmetricallyAroundAPoint) {
  for (float sigma : kSigmas) {
    const int size = 161, c = 80;
    Image image(size, size);
    image.Fill(c - 2, c - 2, c + 3, c + 3, 255, 255, 255, 255);
    image.Blur(sigma);
    for (int d = 1; d < 60; d += 3) {
      const int right = image.At(c + d, c)[3];
      EXPECT_EQ(right, image.At(c - d, c)[3]) << sigma << " at " << d;
      EXPECT_EQ(right, image.At(c, c + d)[3]) << sigma << " at " << d;
      EXPECT_EQ(right, image.At(c, c - d)[3]) << sigma << " at " << d;
      EXPECT_LE(image.At(c + d + 3, c)[3], right) << sigma << ": falls off away from the centre";
    }
  }
}

TEST(BlurTest, StepEdgeFollowsTheNormalDistribution) {
  // A blurred step is the normal distribution's tail: erfc(d / (sigma sqrt 2)) / 2
  // at distance d from the edge. Box passes approximate it closely.
  for (float sigma : kSigmas) {
    const int width = 400, edge = 200;
    std::vector<std::uint8_t> alpha(width * 3, 0);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < edge; ++x) alpha[y * width + x] = 255;
    GaussianBlurAlpha(alpha.data(), width, 3, width, sigma);
    const int reach = static_cast<int>(3 * sigma);
    for (int x = edge - reach; x <= edge + reach; ++x) {
      const double d = x + 0.5 - edge;
      const double expected = 255 * 0.5 * std::erfc(d / (sigma * std::sqrt(2.0)));
      EXPECT_NEAR(alpha[width + x], expected, 6) << "sigma " << sigma << ", x " << x;
    }
  }
}

TEST(BlurTest, EdgesRepeatTheBorderAndStayInBounds) {
  for (float sigma : kSigmas) {
    // An opaque uniform image stays as it is: no dark or transparent rim.
    Image image(9, 6, 8);
    image.Fill(0, 0, 9, 6, 10, 20, 30, 255);
    for (int y = 0; y < 6; ++y)
      for (int i = 36; i < image.stride; ++i) image.pixels[y * image.stride + i] = 0xEE;
    image.Blur(sigma);
    for (int y = 0; y < 6; ++y) {
      for (int x = 0; x < 9; ++x) {
        const std::uint8_t* p = image.At(x, y);
        ASSERT_EQ(p[0], 10);
        ASSERT_EQ(p[1], 20);
        ASSERT_EQ(p[2], 30);
        ASSERT_EQ(p[3], 255);
      }
      for (int i = 36; i < image.stride; ++i) ASSERT_EQ(image.pixels[y * image.stride + i], 0xEE) << "row padding";
    }
  }
  Image tiny(1, 1);
  tiny.Fill(0, 0, 1, 1, 1, 2, 3, 4);
  tiny.Blur(50);
  EXPECT_EQ(tiny.At(0, 0)[3], 4);
  GaussianBlurBgra(nullptr, 4, 4, 16, 2);  // nothing to do, no crash
}

TEST(BlurTest, ColoursNeverExceedAlpha) {
  Image image(40, 40);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) {
      const std::uint8_t a = static_cast<std::uint8_t>((x * 7 + y * 13) % 256);
      std::uint8_t* p = image.At(x, y);
      p[0] = p[1] = p[2] = p[3] = (x + y) % 3 == 0 ? a : 0;
    }
  image.Blur(2.3f);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) {
      const std::uint8_t* p = image.At(x, y);
      ASSERT_LE(p[0], p[3]);
      ASSERT_LE(p[1], p[3]);
      ASSERT_LE(p[2], p[3]);
    }
}

TEST(BlurTest, SaturationMatrix) {
  const struct {
    float saturation;
    std::uint8_t b, g, r, a;        // input, premultiplied
    std::uint8_t eb, eg, er, ea;    // expected
  } cases[] = {
      {1.0f, 30, 60, 90, 200, 30, 60, 90, 200},     // unchanged
      {0.0f, 0, 0, 200, 200, 43, 43, 43, 200},      // grey: 0.213 x red
      {0.0f, 200, 100, 0, 200, 86, 86, 86, 200},    // 0.715 x 100 + 0.072 x 200
      {2.0f, 0, 0, 200, 200, 0, 0, 200, 200},       // over-saturated red clamps at alpha
      {-1.0f, 0, 0, 200, 200, 43, 43, 43, 200},     // negative counts as 0
      {1.42f, 0, 0, 0, 0, 0, 0, 0, 0},              // transparent stays transparent
  };
  for (const auto& tc : cases) {
    std::uint8_t p[4] = {tc.b, tc.g, tc.r, tc.a};
    SaturateBgra(p, 1, 1, 4, tc.saturation);
    EXPECT_NEAR(p[0], tc.eb, 1) << tc.saturation;
    EXPECT_NEAR(p[1], tc.eg, 1) << tc.saturation;
    EXPECT_NEAR(p[2], tc.er, 1) << tc.saturation;
    EXPECT_EQ(p[3], tc.ea) << tc.saturation;
  }
}

}  // namespace
}  // namespace orvane
