#pragma once
// The launch bounce: hops of 0.62 s, each a rise and fall that stretches the
// icon, then a short squash on landing.

#include "dock/DockItemMotion.h"

namespace orvane {

inline constexpr float kBounceHopSeconds = 0.62f;

struct BounceShape {
  float lift = 0.0f;    // away from the screen edge
  float along = 1.0f;   // scale along the bounce direction
  float across = 1.0f;  // scale across it
};

// The shape at `phase` seconds into a hop, for icons of `iconSize` DIPs.
BounceShape BounceShapeAt(float phase, float iconSize);

// Advances a running bounce by dt and returns its shape; a bounce that has
// used up its hops ends (phase -1). True while the bounce still runs.
bool AdvanceBounce(DockItemMotion& motion, float dt, float iconSize, BounceShape& shape);

}  // namespace orvane
