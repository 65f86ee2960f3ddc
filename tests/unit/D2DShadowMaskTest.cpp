#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "render/ShadowMask.h"

namespace orvane {
namespace {

// A width x height BGRA buffer with `padding` spare bytes per row, filled with
// a pattern so that reads of the padding would show.
struct Content {
  Content(int w, int h, int padding) : width(w), height(h), stride(w * 4 + padding) {
    pixels.assign(static_cast<size_t>(stride) * h, 0xEE);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) Set(x, y, 0, 0, 0, 0);
  }
  void Set(int x, int y, std::uint8_t b, std::uint8_t g, std::uint8_t r, std::uint8_t a) {
    std::uint8_t* p = &pixels[static_cast<size_t>(y) * stride + x * 4];
    p[0] = b, p[1] = g, p[2] = r, p[3] = a;
  }
  std::vector<std::uint8_t> Shadow(float sigma, Color color) const {
    return ShadowFromContent(pixels.data(), width, height, stride, sigma, color);
  }
  int width, height, stride;
  std::vector<std::uint8_t> pixels;
};

std::vector<int> Pixel(const std::vector<std::uint8_t>& out, int width, int x, int y) {
  const size_t i = (static_cast<size_t>(y) * width + x) * 4;
  return {out[i], out[i + 1], out[i + 2], out[i + 3]};
}

TEST(D2DShadowMaskTest, TintsTheContentAlphaWithThePremultipliedColour) {
  Content content(4, 3, 8);
  content.Set(1, 1, 0, 0, 255, 255);  // opaque red
  content.Set(2, 1, 200, 0, 0, 200);  // blue at 200/255
  const auto out = content.Shadow(0, Color{1.0f, 0.5f, 0.0f, 0.5f});
  ASSERT_EQ(out.size(), 4u * 3u * 4u);
  // Only the alpha matters: colour 1, 0.5, 0 at half the content's alpha.
  EXPECT_EQ(Pixel(out, 4, 1, 1), (std::vector<int>{0, 64, 128, 128}));
  EXPECT_EQ(Pixel(out, 4, 2, 1), (std::vector<int>{0, 50, 100, 100}));
  EXPECT_EQ(Pixel(out, 4, 0, 0), (std::vector<int>{0, 0, 0, 0}));
  EXPECT_EQ(Pixel(out, 4, 3, 2), (std::vector<int>{0, 0, 0, 0}));
}

TEST(D2DShadowMaskTest, BlurSpreadsAlphaSymmetricallyAndKeepsMostOfIt) {
  Content content(15, 15, 0);
  content.Set(7, 7, 255, 255, 255, 255);
  const auto out = content.Shadow(2.0f, Color{0, 0, 0, 1});
  int sum = 0;
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 15; ++x) {
      sum += Pixel(out, 15, x, y)[3];
      EXPECT_EQ(Pixel(out, 15, x, y)[0], 0);
    }
  // 8-bit rounding loses the faint tail, not more.
  EXPECT_GE(sum, 225);
  EXPECT_LE(sum, 260);
  EXPECT_LT(Pixel(out, 15, 7, 7)[3], 255);
  EXPECT_GT(Pixel(out, 15, 9, 7)[3], 0);
  EXPECT_EQ(Pixel(out, 15, 9, 7)[3], Pixel(out, 15, 5, 7)[3]);
  EXPECT_EQ(Pixel(out, 15, 7, 9)[3], Pixel(out, 15, 9, 7)[3]);
}

TEST(D2DShadowMaskTest, RejectsBadBuffers) {
  const std::uint8_t pixels[16] = {};
  EXPECT_TRUE(ShadowFromContent(nullptr, 2, 2, 8, 1, Color{0, 0, 0, 1}).empty());
  EXPECT_TRUE(ShadowFromContent(pixels, 0, 2, 8, 1, Color{0, 0, 0, 1}).empty());
  EXPECT_TRUE(ShadowFromContent(pixels, 2, 2, 4, 1, Color{0, 0, 0, 1}).empty());
}

}  // namespace
}  // namespace orvane
