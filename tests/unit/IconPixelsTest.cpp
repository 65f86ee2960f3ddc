#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "system/FallbackIcon.h"
#include "system/IconPixels.h"

namespace orvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct ChannelCase {
  int colour;
  int alpha;
  int expected;
};

TEST(IconPixelsTest, PremultiplyRoundsToNearest) {
  const ChannelCase cases[] = {
      {200, 0, 0}, {200, 255, 200}, {255, 128, 128}, {100, 128, 50}, {1, 1, 0}, {255, 1, 1}, {128, 2, 1}, {127, 2, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PremultiplyChannel(static_cast<std::uint8_t>(c.colour), static_cast<std::uint8_t>(c.alpha)), c.expected)
        << c.colour << " at alpha " << c.alpha;
  }
}

TEST(IconPixelsTest, UnpremultiplyRoundsAndClamps) {
  const ChannelCase cases[] = {
      {50, 128, 100}, {128, 128, 255}, {200, 128, 255},  // above its alpha: clamped
      {1, 1, 255},    {0, 77, 0},      {7, 0, 7},         // alpha 0 and 255 are written unchanged
      {9, 255, 9},    {1, 3, 85},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(UnpremultiplyChannel(static_cast<std::uint8_t>(c.colour), static_cast<std::uint8_t>(c.alpha)), c.expected)
        << c.colour << " at alpha " << c.alpha;
  }
}

// The cache stores straight alpha; every valid premultiplied value must come
// back from un-premultiply + premultiply exactly, and invalid ones must
// settle after one trip.
TEST(IconPixelsTest, EveryPremultipliedValueSurvivesTheStraightTrip) {
  for (int a = 0; a < 256; ++a) {
    const auto alpha = static_cast<std::uint8_t>(a);
    for (int p = 0; p < 256; ++p) {
      const auto value = static_cast<std::uint8_t>(p);
      const std::uint8_t once = PremultiplyChannel(UnpremultiplyChannel(value, alpha), alpha);
      if (p <= a) {
        ASSERT_EQ(once, value) << p << " at alpha " << a;
      } else {
        ASSERT_EQ(PremultiplyChannel(UnpremultiplyChannel(once, alpha), alpha), once) << p << " at alpha " << a;
      }
    }
  }
}

TEST(IconPixelsTest, BufferConversionsWorkPerPixelAndKeepAlpha) {
  Bytes pixels = {200, 100, 50, 128, 10, 20, 30, 0, 1, 2, 3, 255, 9};  // a trailing partial pixel
  PremultiplyBgra(pixels);
  EXPECT_EQ(pixels, (Bytes{100, 50, 25, 128, 0, 0, 0, 0, 1, 2, 3, 255, 9}));
  UnpremultiplyBgra(pixels);
  EXPECT_EQ(pixels, (Bytes{199, 100, 50, 128, 0, 0, 0, 0, 1, 2, 3, 255, 9}));
}

// Rows of a 2 x 3 picture; each pixel's first byte names its row.
Bytes Row(std::uint8_t row) { return {row, 0, 0, 255, row, 1, 1, 255}; }

TEST(IconPixelsTest, TopDownRowsFollowOrientationAndStride) {
  const Bytes padding = {0xEE, 0xEE, 0xEE, 0xEE};
  auto concat = [](std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
  };
  const Bytes expected = concat({Row(0), Row(1), Row(2)});

  struct Case {
    const char* name;
    Bytes bits;
    std::size_t stride;
    bool bottomUp;
    Bytes expected;
  };
  const Case cases[] = {
      {"top-down", concat({Row(0), Row(1), Row(2)}), 8, false, expected},
      {"bottom-up", concat({Row(2), Row(1), Row(0)}), 8, true, expected},
      {"bottom-up padded", concat({Row(2), padding, Row(1), padding, Row(0)}), 12, true, expected},
      {"top-down padded, last row unpadded", concat({Row(0), padding, Row(1), padding, Row(2)}), 12, false, expected},
      {"buffer too short", concat({Row(0), Row(1)}), 8, false, {}},
      {"stride below a row", concat({Row(0), Row(1), Row(2)}), 4, false, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(TopDownRows(c.bits, 2, 3, c.stride, c.bottomUp), c.expected) << c.name;
  EXPECT_TRUE(TopDownRows(expected, 0, 3, 8, false).empty());
}

TEST(IconPixelsTest, ShellBitmapAlphaFixUp) {
  struct Case {
    const char* name;
    Bytes in;
    Bytes out;
  };
  const Case cases[] = {
      {"some alpha: straight, premultiplied", {200, 100, 50, 128, 90, 90, 90, 0}, {100, 50, 25, 128, 0, 0, 0, 0}},
      {"no alpha, some colour: opaque", {200, 100, 50, 0, 0, 0, 0, 0}, {200, 100, 50, 255, 0, 0, 0, 255}},
      {"all zero: stays empty", {0, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    Bytes pixels = c.in;
    FixUpShellBitmapAlpha(pixels);
    EXPECT_EQ(pixels, c.out) << c.name;
  }
}

TEST(IconPixelsTest, DrawnIconWithoutAlphaTakesItsMask) {
  const Bytes black = {0, 0, 0, 0};
  struct Case {
    const char* name;
    Bytes in;
    Bytes mask;
    Bytes out;
  };
  const Case cases[] = {
      // DrawIconEx blends alpha icons over the cleared DIB: already premultiplied.
      {"alpha drawn: kept as drawn, mask ignored", {100, 50, 25, 128, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0},
       {100, 50, 25, 128, 0, 0, 0, 0}},
      {"mask: black opaque, white transparent", {200, 100, 50, 0, 9, 9, 9, 0}, {0, 0, 0, 0, 255, 255, 255, 0},
       {200, 100, 50, 255, 0, 0, 0, 0}},
      {"mask of another size: opaque rule", {200, 100, 50, 0, 0, 0, 0, 0}, black, {200, 100, 50, 255, 0, 0, 0, 255}},
      {"mask with nothing opaque: opaque rule", {200, 100, 50, 0, 0, 0, 0, 0}, {255, 255, 255, 0, 255, 255, 255, 0},
       {200, 100, 50, 255, 0, 0, 0, 255}},
      {"no mask, nothing drawn", {0, 0, 0, 0}, {}, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    Bytes pixels = c.in;
    FinishDrawnIcon(pixels, c.mask);
    EXPECT_EQ(pixels, c.out) << c.name;
  }
}

const std::uint8_t* PixelAt(const IconImage& image, int x, int y) {
  return &image.pixels[(static_cast<std::size_t>(y) * image.width + x) * 4];
}

TEST(IconPixelsTest, PlaceholderIsATranslucentBlueRoundedSquare) {
  const IconImage image = DrawPlaceholderIcon(128);
  ASSERT_FALSE(image.empty());
  EXPECT_EQ(image.width, 128);
  EXPECT_EQ(image.height, 128);
  for (const auto& [x, y] : {std::pair{0, 0}, {127, 0}, {0, 127}, {127, 127}, {12, 12}, {5, 64}}) {
    EXPECT_EQ(PixelAt(image, x, y)[3], 0) << x << "," << y;
  }
  // Fully inside: (90, 145, 210) at 220, premultiplied.
  const std::uint8_t* centre = PixelAt(image, 64, 64);
  EXPECT_EQ((Bytes{centre[0], centre[1], centre[2], centre[3]}), (Bytes{181, 125, 77, 220}));
  // The straight edge at 0.08 N = 10.24 px: pixel 10 is covered by 0.76.
  const std::uint8_t* edge = PixelAt(image, 10, 64);
  EXPECT_EQ(edge[3], 167);
  EXPECT_EQ(edge[0], 167 * 210 / 255);
  // Every pixel is valid premultiplied data.
  for (std::size_t i = 0; i < image.pixels.size(); i += 4) {
    ASSERT_LE(image.pixels[i], image.pixels[i + 3]);
    ASSERT_LE(image.pixels[i + 1], image.pixels[i + 3]);
    ASSERT_LE(image.pixels[i + 2], image.pixels[i + 3]);
  }
}

TEST(IconPixelsTest, PlaceholderSizeLimits) {
  EXPECT_TRUE(DrawPlaceholderIcon(0).empty());
  EXPECT_EQ(DrawPlaceholderIcon(1).width, 1);
  EXPECT_EQ(DrawPlaceholderIcon(1u << 20).width, static_cast<int>(kMaxDrawnIconSize));
}

}  // namespace
}  // namespace orvane
