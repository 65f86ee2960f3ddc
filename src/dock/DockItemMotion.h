#pragma once
// The animation state every dock item carries: its springs and its launch
// bounce. The dock's frame step moves these; the item model only creates
// them (a new item starts small and grows in) and cuts a bounce short when
// the launched application starts.

namespace orvane {

// A damped spring: the value chases the target.
struct Spring {
  float value = 0.0f;
  float velocity = 0.0f;
  float target = 0.0f;
};

struct DockItemMotion {
  Spring magnification{1.0f, 0.0f, 1.0f};
  Spring pressOpacity{1.0f, 0.0f, 1.0f};
  Spring appearance{1.0f, 0.0f, 1.0f};
  Spring indicator{0.0f, 0.0f, 0.0f};
  Spring slide{0.0f, 0.0f, 0.0f};

  int bounceHops = 0;          // launch-bounce hops left; 0: none
  float bouncePhase = -1.0f;   // seconds into the current hop; -1: idle
  float previousSlotStart = 0.0f;
  bool laidOut = false;
};

// Scale a newly created item grows in from.
inline constexpr float kNewItemAppearance = 0.05f;

}  // namespace orvane
