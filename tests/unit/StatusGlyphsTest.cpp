#include <gtest/gtest.h>

#include <cmath>

#include "CairoCanvasProbe.h"
#include "ui/glyphs/StatusGlyphs.h"

namespace orvane {
namespace {

using testing::PixelBuffer;

TEST(StatusGlyphDecisionsTest, WifiArcsLightUpToTheBarsAndNoneWhenOff) {
  struct Case {
    int bars;
    bool off;
    std::array<bool, 3> lit;
  };
  const Case cases[] = {
      {0, false, {false, false, false}}, {1, false, {true, false, false}}, {2, false, {true, true, false}},
      {3, false, {true, true, true}},    {3, true, {false, false, false}}, {7, false, {true, true, true}},
      {-1, false, {false, false, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "bars " << c.bars << (c.off ? " off" : ""));
    EXPECT_EQ(WifiArcsLit(c.bars, c.off), c.lit);
  }
}

TEST(StatusGlyphDecisionsTest, SpeakerShowsTheCrossWhenMutedOrSilentElseWavesByLevel) {
  struct Case {
    float level;
    bool muted;
    SpeakerMarks marks;
  };
  const Case cases[] = {
      {0.005f, false, {true, 0}}, {0.0f, false, {true, 0}},     {0.01f, false, {false, 1}},
      {0.28f, false, {false, 1}}, {0.29f, false, {false, 2}},   {0.66f, false, {false, 2}},
      {0.67f, false, {false, 3}}, {1.0f, false, {false, 3}},    {1.0f, true, {true, 0}},
      {std::nanf(""), false, {true, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "level " << c.level << (c.muted ? " muted" : ""));
    EXPECT_EQ(SpeakerMarksFor(c.level, c.muted), c.marks);
  }
}

TEST(StatusGlyphDecisionsTest, StrokesScaleWithTheGlyphUnitButKeepTheirFloor) {
  struct Case {
    GlyphStroke stroke;
    float sizePx;
    float width;
  };
  const Case cases[] = {
      {GlyphStroke::WifiArc, 36, 3.3f},          // 1.65 x 36/18
      {GlyphStroke::WifiArc, 6, 1.25f},          // 0.55 would be too thin
      {GlyphStroke::BluetoothRune, 6, 1.25f},
      {GlyphStroke::SmallSunRay, 29, 1.55f * 29 / 18},
      {GlyphStroke::Speaker, 8, 1.2f},
      {GlyphStroke::Chevron, 21, 2.4f},          // its unit is s/14
      {GlyphStroke::Chevron, 5, 1.25f},
      {GlyphStroke::Rescan, 32, 2.9f},           // its unit is s/16
      {GlyphStroke::Device, 4, 1.2f},
      {GlyphStroke::PadlockShackle, 28, 2.7f},   // its unit is s/14
      {GlyphStroke::PadlockShackle, 5, 1.1f},
      {GlyphStroke::MagnifierRing, 9, 1.3f},
      {GlyphStroke::TogglePill, 9, 1.1f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "stroke " << static_cast<int>(c.stroke) << " at " << c.sizePx);
    EXPECT_NEAR(GlyphStrokeWidth(c.stroke, c.sizePx), c.width, 1e-4);
  }
}

TEST(StatusGlyphDecisionsTest, UnknownDeviceTypesDrawAsOther) {
  EXPECT_EQ(BluetoothDeviceTypeOf(0), BluetoothDeviceType::AudioVideo);
  EXPECT_EQ(BluetoothDeviceTypeOf(2), BluetoothDeviceType::Phone);
  EXPECT_EQ(BluetoothDeviceTypeOf(3), BluetoothDeviceType::Other);
  EXPECT_EQ(BluetoothDeviceTypeOf(9), BluetoothDeviceType::Other);
  EXPECT_EQ(BluetoothDeviceTypeOf(-1), BluetoothDeviceType::Other);
}

// The drawn glyphs follow the decisions: probes at the tops of the Wi-Fi
// arcs and on the speaker's cross.
TEST(StatusGlyphRenderTest, WifiArcsAndSpeakerMarksTakeTheirBrushes) {
  constexpr Color kOn{1, 0, 0, 1}, kDim{0, 0, 1, 1}, kCross{0, 1, 0, 1};
  PixelBuffer buffer(80, 80);
  {
    auto canvas = buffer.NewCanvas();
    // u = 4 px: the dot's centre at (40, 40 + 20.8); arc tops 17.2, 30.4, 43.6 px above it.
    DrawWifiGlyph(*canvas, {40, 40}, 72, 2, false, kOn, kDim);
  }
  const float dotY = 40 + 5.2f * 4;
  const auto at = [&](float radius) { return buffer.At(40, static_cast<int>(std::lround(dotY - radius * 4))); };
  EXPECT_GT(at(4.3f).r, 200);
  EXPECT_GT(at(7.6f).r, 200);
  EXPECT_GT(at(10.9f).b, 200);
  EXPECT_EQ(at(10.9f).r, 0);

  PixelBuffer speaker(80, 80);
  {
    auto canvas = speaker.NewCanvas();
    DrawSpeakerGlyph(*canvas, {40, 40}, 72, 0.005f, false, kOn, kCross);
  }
  // The cross meets at (cx + 4.5u, cy); a wave would pass through (cx + 2.7u, cy).
  EXPECT_GT(speaker.At(58, 40).g, 200);
  EXPECT_EQ(speaker.At(51, 40).a, 0);
}

}  // namespace
}  // namespace orvane
