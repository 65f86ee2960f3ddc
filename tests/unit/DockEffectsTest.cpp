#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "dock/DockEffects.h"

namespace orvane {
namespace {

// Any brush object will do: the effect layer only hands it on.
struct TestBrush : CompositionBrush {};

TEST(DockEffectsTest, VanishDrawsTheItemCopyUnderSevenPuffs) {
  DockEffects effects;
  const auto brush = std::make_shared<TestBrush>();
  effects.StartVanish(brush, {100, 50}, 48);
  ASSERT_EQ(effects.particles().size(), 8u);

  const VanishParticle& copy = effects.particles()[0];
  EXPECT_EQ(copy.image, DockEffectImage::ItemBrush);
  EXPECT_EQ(copy.brush, brush);
  EXPECT_FLOAT_EQ(copy.size, 48);
  EXPECT_FLOAT_EQ(copy.scaleRate, -3.8f);
  EXPECT_FLOAT_EQ(copy.lifetime, 0.22f);

  // The first three draws of mt19937 seeded 0x9E3779B9, top 24 bits / 2^24:
  // 0.37162280, 0.83157158, 0.10565245 (direction, size, turn rate; the
  // first puff has a fixed speed of 18).
  const VanishParticle& p = effects.particles()[1];
  EXPECT_EQ(p.image, DockEffectImage::Puff);
  EXPECT_NEAR(p.rotation, -4.119064, 1e-4);
  EXPECT_NEAR(p.position.x, 105.984502, 1e-4);
  EXPECT_NEAR(p.position.y, 49.569024, 1e-4);
  EXPECT_NEAR(p.velocity.x, 17.953505, 1e-4);
  EXPECT_NEAR(p.velocity.y, -13.292928, 1e-4);
  EXPECT_NEAR(p.size, 38.374631, 1e-4);
  EXPECT_NEAR(p.turnRate, -74.926034, 1e-3);
  EXPECT_FLOAT_EQ(p.scale, 0.65f);
  EXPECT_FLOAT_EQ(p.lifetime, 0.44f);

  // Without a brush only the puffs play.
  DockEffects bare;
  bare.StartVanish(nullptr, {0, 0}, 48);
  EXPECT_EQ(bare.particles().size(), 7u);
  EXPECT_EQ(bare.particles()[0].image, DockEffectImage::Puff);
}

TEST(DockEffectsTest, VanishParticlesMoveDampenAndExpire) {
  DockEffects effects;
  effects.StartVanish(std::make_shared<TestBrush>(), {100, 50}, 48);
  const VanishParticle before = effects.particles()[1];
  std::vector<DockEffectSprite> sprites;
  const float dt = 0.02f;
  ASSERT_TRUE(effects.Tick(dt, 2.0f, sprites));
  ASSERT_EQ(sprites.size(), 8u);

  const DockEffectSprite& copy = sprites[0];
  EXPECT_EQ(copy.image, DockEffectImage::ItemBrush);
  EXPECT_FLOAT_EQ(copy.offset.x, 200);
  EXPECT_NEAR(copy.scale.x, 1 - 3.8f * dt, 1e-6);
  EXPECT_NEAR(copy.opacity, std::pow(1 - dt / 0.22f, 2), 1e-5);
  EXPECT_FLOAT_EQ(copy.size, 96);
  EXPECT_FLOAT_EQ(copy.centerPoint.x, 48);

  const DockEffectSprite& puff = sprites[1];
  EXPECT_NEAR(puff.offset.x, (before.position.x + before.velocity.x * dt) * 2, 1e-3);
  EXPECT_NEAR(effects.particles()[1].velocity.x, before.velocity.x * std::exp(-5.4f * dt), 1e-4);
  EXPECT_NEAR(puff.scale.x, 0.65f + 2.1f * dt, 1e-6);
  EXPECT_NEAR(puff.rotationDegrees, before.rotation + before.turnRate * dt, 1e-4);
  EXPECT_NEAR(puff.opacity, (dt / 0.44f) / 0.15f, 1e-5);

  for (int i = 0; i < 11; ++i) effects.Tick(dt, 2.0f, sprites);  // 0.24 s: the copy is gone
  EXPECT_EQ(sprites.size(), 7u);
  float time = 0.24f;
  while (effects.Tick(dt, 2.0f, sprites)) {
    time += dt;
    ASSERT_LT(time, 1.0f);
  }
  EXPECT_NEAR(time, 0.44f, dt);
  EXPECT_TRUE(sprites.empty());
}

TEST(DockEffectsTest, MinimiseStartPointIsClampedNearTheDock) {
  struct Case {
    const char* name;
    std::optional<Vector2> window;
    Vector2 expected;
  };
  const Case cases[] = {
      {"inside", Vector2{600, 100}, {600, 100}},
      {"far up and left", Vector2{-500, -900}, {20, -40}},
      {"far right and below", Vector2{5000, 900}, {980, 180}},
      {"no window rectangle", std::nullopt, {300, 30}},
      {"no window rectangle, slot near the top", std::nullopt, {300, 10}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DockEffects effects;
    const Vector2 slot{300, c.expected.y == 10 ? 100.0f : 150.0f};
    effects.StartMinimise(nullptr, c.window, slot, 48, 1000, 200);
    ASSERT_EQ(effects.copies().size(), 4u);
    EXPECT_FLOAT_EQ(effects.copies()[0].from.x, c.expected.x);
    EXPECT_FLOAT_EQ(effects.copies()[0].from.y, c.expected.y);
  }
}

TEST(DockEffectsTest, MinimiseCopiesFlyStaggeredIntoTheSlot) {
  DockEffects effects;
  effects.StartMinimise(nullptr, Vector2{500, 0}, {100, 150}, 48, 1000, 200);
  ASSERT_EQ(effects.copies().size(), 4u);
  EXPECT_FLOAT_EQ(effects.copies()[0].size, 1.55f * 48);
  EXPECT_FLOAT_EQ(effects.copies()[3].size, 1.19f * 48);

  std::vector<DockEffectSprite> sprites;
  effects.Tick(0.056f, 1.0f, sprites);  // copy 0 at t 0.2, copy 1 at 0.0857, copies 2 and 3 not yet
  ASSERT_EQ(sprites.size(), 4u);
  EXPECT_NEAR(sprites[0].opacity, 0.62f, 1e-5);
  const float e = 1 - std::pow(0.8f, 3);
  EXPECT_NEAR(sprites[0].offset.x, 500 + (100 - 500) * e, 1e-3);
  EXPECT_NEAR(sprites[0].offset.y, 150 * 0.04f * (3 - 0.4f), 1e-3);
  EXPECT_NEAR(sprites[0].scale.x, 1.18f - 0.86f * e, 1e-5);
  EXPECT_NEAR(sprites[0].scale.y, 1.05f - 0.63f * 0.2f, 1e-5);
  EXPECT_TRUE(sprites[1].visible);
  EXPECT_FALSE(sprites[2].visible);
  EXPECT_FALSE(sprites[3].visible);

  float time = 0.056f;
  while (effects.Tick(0.008f, 1.0f, sprites)) time += 0.008f;
  EXPECT_NEAR(time, 0.28f + 3 * 0.032f, 0.008f);  // the last copy starts 0.096 s late
}

}  // namespace
}  // namespace orvane
