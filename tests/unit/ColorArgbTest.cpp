#include "render/ColorArgb.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orvane {
namespace {

TEST(ColorArgbTest, RoundTripsEveryProductColour) {
  for (std::uint32_t argb : {0x00000000u, 0xFFFFFFFFu, 0x8A1C1C20u, 0x94F6F6FAu, 0x12FFFFFFu, 0xD21C1C20u, 0x01020304u}) {
    EXPECT_EQ(ToArgb(Color::FromArgb(argb)), argb) << std::hex << argb;
  }
}

TEST(ColorArgbTest, ClampsAndRounds) {
  struct Case {
    Color color;
    std::uint32_t expected;
  };
  const Case cases[] = {
      {Color{2.0f, -1.0f, 0.5f, 1.0f}, 0xFFFF0080u},      // out of range clamps; 127.5 rounds up
      {Color{NAN, 0.0f, 0.0f, NAN}, 0x00000000u},          // NaN is nothing
      {Color{0.0f, 0.0f, 0.498f, 0.25f}, 0x4000007Fu},     // 63.75 -> 64, 126.99 -> 127
  };
  for (const auto& c : cases) EXPECT_EQ(ToArgb(c.color), c.expected) << std::hex << c.expected;
}

}  // namespace
}  // namespace orvane
