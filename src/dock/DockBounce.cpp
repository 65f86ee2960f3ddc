#include "dock/DockBounce.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orvane {

BounceShape BounceShapeAt(float phase, float iconSize) {
  const float p = phase / kBounceHopSeconds;
  const float amplitude = std::max(18.0f, 0.52f * iconSize);
  constexpr float pi = std::numbers::pi_v<float>;
  BounceShape shape;
  if (p <= 0.84f) {
    const float q = p / 0.84f;
    const float s = std::sin(pi * q);
    shape.lift = 4.0f * q * (1.0f - q) * amplitude;
    shape.along = 1.0f + 0.05f * s;
    shape.across = 1.0f - 0.04f * s;
  } else {
    const float r = (p - 0.84f) / 0.16f;
    const float s = std::sin(pi * r);
    shape.along = 1.0f - 0.14f * s;
    shape.across = 1.0f + 0.12f * s;
  }
  return shape;
}

bool AdvanceBounce(DockItemMotion& motion, float dt, float iconSize, BounceShape& shape) {
  shape = {};
  if (motion.bounceHops <= 0) {
    motion.bounceHops = 0;
    motion.bouncePhase = -1.0f;
    return false;
  }
  motion.bouncePhase = std::max(0.0f, motion.bouncePhase) + std::max(0.0f, dt);
  // A loop, not a single subtraction, so even an unclamped long frame keeps the phase within a hop.
  while (motion.bouncePhase >= kBounceHopSeconds && motion.bounceHops > 0) {
    motion.bouncePhase -= kBounceHopSeconds;
    --motion.bounceHops;
  }
  if (motion.bounceHops == 0) {
    motion.bouncePhase = -1.0f;
    return false;
  }
  shape = BounceShapeAt(motion.bouncePhase, iconSize);
  return true;
}

}  // namespace orvane
