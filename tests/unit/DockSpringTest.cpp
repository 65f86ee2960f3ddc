#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "dock/DockBounce.h"
#include "dock/DockSpring.h"

namespace orvane {
namespace {

TEST(DockSpringTest, FixedConstantsFollowFromResponseAndDampingRatio) {
  struct Case {
    const char* name;
    SpringConstants constants;
    float response, ratio;
  };
  const Case cases[] = {
      {"press opacity", kPressOpacitySpring, 0.1f, 1.0f},   {"appearance", kAppearanceSpring, 0.18f, 0.88f},
      {"indicator", kIndicatorSpring, 0.16f, 0.95f},        {"slide", kSlideSpring, 0.18f, 0.88f},
      {"hidden amount", kHiddenAmountSpring, 0.24f, 0.9f},  {"drop gap", kDropGapSpring, 0.18f, 0.88f},
      {"dragged opacity", kDraggedOpacitySpring, 0.16f, 0.95f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const double omega = 2 * std::numbers::pi / c.response;
    EXPECT_NEAR(c.constants.stiffness, omega * omega, 1e-3);
    EXPECT_NEAR(c.constants.damping, 2 * c.ratio * omega, 1e-4);
  }

  DockConfig config;
  config.springResponse = 0.005f;  // below the 0.01 floor
  config.springDamping = 0.5f;
  const SpringConstants m = MagnificationSpring(config);
  EXPECT_NEAR(m.stiffness, std::pow(2 * std::numbers::pi / 0.01, 2), 1.0);
  EXPECT_NEAR(m.damping, 2 * 0.5 * 2 * std::numbers::pi / 0.01, 1e-2);
  EXPECT_FLOAT_EQ(m.threshold, 0.0005f);
}

TEST(DockSpringTest, SettlesBySnappingToTheTarget) {
  Spring s{1.0f, 0.0f, 1.65f};
  int frames = 0;
  while (StepSpring(s, kAppearanceSpring, 1.0f / 60.0f)) ASSERT_LT(++frames, 120);
  EXPECT_GT(frames, 5);
  EXPECT_EQ(s.value, 1.65f);
  EXPECT_EQ(s.velocity, 0.0f);
  EXPECT_FALSE(StepSpring(s, kAppearanceSpring, 1.0f / 60.0f));

  // Within the value threshold but still fast: not settled.
  Spring fast{1.0f, 0.02f, 1.0f};
  EXPECT_TRUE(StepSpring(fast, {100.0f, 1.0f, 0.001f}, 0.0f));
}

TEST(DockSpringTest, SameMotionAtAnyFrameRate) {
  Spring at60{0.0f, 0.0f, 1.0f}, at240{0.0f, 0.0f, 1.0f};
  for (int i = 0; i < 6; ++i) StepSpring(at60, kSlideSpring, 1.0f / 60.0f);
  for (int i = 0; i < 24; ++i) StepSpring(at240, kSlideSpring, 1.0f / 240.0f);
  EXPECT_NEAR(at60.value, at240.value, 1e-4);
  EXPECT_NEAR(at60.velocity, at240.velocity, 1e-3);
}

TEST(DockSpringTest, LongFramesAreSubsteppedAndStayBounded) {
  DockConfig config;
  config.springResponse = 0.06f;  // the stiffest setting
  config.springDamping = 0.4f;    // and the least damped
  const SpringConstants stiff = MagnificationSpring(config);
  Spring s{1.0f, 0.0f, 2.5f};
  int frames = 0;
  while (StepSpring(s, stiff, 0.5f)) {
    ASSERT_LT(++frames, 10);
    ASSERT_TRUE(std::isfinite(s.value));
    ASSERT_LT(std::fabs(s.value - 2.5f), 1.5f);
  }
  EXPECT_EQ(s.value, 2.5f);
}

TEST(DockSpringTest, NegativeOrNanTimeDoesNotMoveTheSpring) {
  for (float dt : {-0.02f, std::numeric_limits<float>::quiet_NaN()}) {
    Spring s{0.0f, 0.0f, 1.0f};
    EXPECT_TRUE(StepSpring(s, kSlideSpring, dt));
    EXPECT_EQ(s.value, 0.0f);
    EXPECT_EQ(s.velocity, 0.0f);
  }
}

TEST(DockBounceTest, HopAndLandingShapes) {
  struct Case {
    const char* name;
    float phase, iconSize;
    BounceShape expected;
  };
  const float hop = kBounceHopSeconds * 0.84f;
  const Case cases[] = {
      {"start", 0.0f, 48, {0, 1, 1}},
      {"top of the hop, 0.52 x icon", hop / 2, 48, {24.96f, 1.05f, 0.96f}},
      {"top of the hop, small icons lift 18", hop / 2, 28, {18, 1.05f, 0.96f}},
      {"quarter of the hop", hop / 4, 48, {0.75f * 24.96f, 1 + 0.05f * 0.70710678f, 1 - 0.04f * 0.70710678f}},
      {"middle of the landing", kBounceHopSeconds * 0.92f, 48, {0, 0.86f, 1.12f}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const BounceShape s = BounceShapeAt(c.phase, c.iconSize);
    EXPECT_NEAR(s.lift, c.expected.lift, 1e-3);
    EXPECT_NEAR(s.along, c.expected.along, 1e-4);
    EXPECT_NEAR(s.across, c.expected.across, 1e-4);
  }
}

// Seconds until a bounce of `hops` ends; cutAt (if positive) leaves one hop at that time.
float BounceDuration(int hops, float dt, float cutAt = -1) {
  DockItemMotion m;
  m.bounceHops = hops;
  m.bouncePhase = 0.0f;
  BounceShape shape;
  float time = 0;
  for (int frame = 0; frame < 10000; ++frame) {
    if (cutAt > 0 && time >= cutAt && m.bounceHops > 1) m.bounceHops = 1;
    time += dt;
    if (!AdvanceBounce(m, dt, 48, shape)) {
      EXPECT_EQ(m.bouncePhase, -1.0f);
      EXPECT_EQ(shape.lift, 0.0f);
      EXPECT_EQ(shape.along, 1.0f);
      return time;
    }
  }
  return -1;
}

TEST(DockBounceTest, FourHopsLastFourHopTimesUnlessTheAppStarts) {
  EXPECT_NEAR(BounceDuration(4, 1.0f / 60.0f), 2.48f, 1.0f / 60.0f);
  EXPECT_NEAR(BounceDuration(4, 0.05f), 2.48f, 0.05f);
  EXPECT_NEAR(BounceDuration(1, 1.0f / 60.0f), 0.62f, 1.0f / 60.0f);
  // Started during the second hop: that hop finishes, no more follow.
  EXPECT_NEAR(BounceDuration(4, 1.0f / 60.0f, 1.0f), 1.24f, 1.0f / 60.0f);
  // Even an unclamped long frame ends the bounce on time.
  EXPECT_NEAR(BounceDuration(4, 0.5f), 2.5f, 1e-4);
}

}  // namespace
}  // namespace orvane
