#include "render/EffectDescription.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orvane {
namespace {

TEST(EffectDescriptionTest, BlurReportsItsThreePropertiesInDirect2DOrder) {
  const auto blur = EffectDescription::GaussianBlur(18.0f);
  ASSERT_EQ(blur.propertyCount(), 3u);
  const EffectPropertyValue expected[] = {EffectPropertyValue::Single(18.0f),
                                          EffectPropertyValue::UInt32(kBlurOptimizationBalanced),
                                          EffectPropertyValue::UInt32(kBorderModeHard)};
  for (std::uint32_t i = 0; i < 3; ++i) {
    EffectPropertyValue value;
    EXPECT_EQ(blur.PropertyAt(i, &value), kEffectOk) << i;
    EXPECT_EQ(value, expected[i]) << i;
  }
}

TEST(EffectDescriptionTest, PropertyQueriesRejectBadIndexAndNullOutput) {
  struct Case {
    const char* name;
    EffectDescription effect;
    std::uint32_t index;
    bool nullOut;
    std::int32_t expected;
  };
  const Case cases[] = {
      {"blur index 3", EffectDescription::GaussianBlur(5), 3, false, kEffectInvalidArg},
      {"blur huge index", EffectDescription::GaussianBlur(5), 0xFFFFFFFFu, false, kEffectInvalidArg},
      {"saturation index 1", EffectDescription::Saturation(1.4f), 1, false, kEffectInvalidArg},
      {"saturation index 0", EffectDescription::Saturation(1.4f), 0, false, kEffectOk},
      {"null output", EffectDescription::GaussianBlur(5), 0, true, kEffectNullPointer},
      {"null output wins over bad index", EffectDescription::Saturation(1), 7, true, kEffectNullPointer},
  };
  for (const auto& c : cases) {
    EffectPropertyValue value = EffectPropertyValue::UInt32(12345);
    EXPECT_EQ(c.effect.PropertyAt(c.index, c.nullOut ? nullptr : &value), c.expected) << c.name;
    if (c.expected != kEffectOk) {
      EXPECT_EQ(value, EffectPropertyValue::UInt32(12345)) << c.name << ": output touched";
    }
  }
}

TEST(EffectDescriptionTest, SaturationIsOneSingle) {
  const auto saturation = EffectDescription::Saturation(1.42f);
  EXPECT_EQ(saturation.propertyCount(), 1u);
  EffectPropertyValue value;
  ASSERT_EQ(saturation.PropertyAt(0, &value), kEffectOk);
  EXPECT_EQ(value, EffectPropertyValue::Single(1.42f));
}

TEST(EffectDescriptionTest, SourceQueries) {
  struct Case {
    bool hasSource;
    std::uint32_t index;
    bool nullOut;
    std::int32_t expected;
  };
  const Case cases[] = {
      {true, 0, false, kEffectOk},           {true, 1, false, kEffectInvalidArg},
      {false, 0, false, kEffectInvalidArg},  {true, 0, true, kEffectNullPointer},
      {false, 3, true, kEffectNullPointer},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EffectSourceQuery(c.hasSource, c.index, c.nullOut), c.expected)
        << c.hasSource << " " << c.index << " " << c.nullOut;
  }
}

TEST(EffectDescriptionTest, BackdropGraphFloorsTheBlurAndNamesItsNodes) {
  struct Case {
    float requested;
    float expected;
  };
  const Case cases[] = {{2.5f, 4.0f}, {0.0f, 4.0f}, {-3.0f, 4.0f}, {4.0f, 4.0f}, {18.0f, 18.0f}, {NAN, 4.0f}};
  for (const auto& c : cases) {
    const auto graph = MakeBackdropEffectGraph(c.requested, 1.45f);
    EXPECT_EQ(graph.blurAmount, c.expected) << c.requested;
    EXPECT_EQ(graph.saturation, 1.45f);
  }
  const auto graph = MakeBackdropEffectGraph(10, 1);
  EXPECT_EQ(graph.sourceName, L"backdrop");
  EXPECT_EQ(graph.saturationName, L"Saturation");
  EXPECT_EQ(graph.blurName, L"Blur");
}

}  // namespace
}  // namespace orvane
