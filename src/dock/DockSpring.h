#pragma once
// The damped spring every dock animation runs on, and the constants of each
// spring. Stiffness and damping follow from a response time T and a damping
// ratio z as k = w^2, c = 2 z w with w = 2 pi / T.

#include "config/DockConfig.h"
#include "dock/DockItemMotion.h"

namespace orvane {

struct SpringConstants {
  float stiffness = 0;
  float damping = 0;
  float threshold = 0;  // settled when |value - target| <= threshold and |velocity| <= 10 x threshold
};

// Substeps are at most 1/480 s so a spring behaves the same at any frame rate
// and a long frame cannot make it explode.
inline constexpr float kSpringSubstep = 0.0020833334f;

// Moves the spring dt seconds. True while it is still moving; a settled
// spring snaps to its target with zero velocity. dt below 0 (or NaN) counts as 0.
bool StepSpring(Spring& spring, const SpringConstants& constants, float dt);

// Magnification follows the user's response and damping settings.
SpringConstants MagnificationSpring(const DockConfig& config);

inline constexpr SpringConstants kPressOpacitySpring{3947.842f, 125.66371f, 0.002f};   // T 0.1, z 1.0
inline constexpr SpringConstants kAppearanceSpring{1218.4697f, 61.43559f, 0.001f};     // T 0.18, z 0.88
inline constexpr SpringConstants kIndicatorSpring{1542.1257f, 74.61282f, 0.003f};      // T 0.16, z 0.95
inline constexpr SpringConstants kSlideSpring{1218.4697f, 61.43559f, 0.05f};           // T 0.18, z 0.88
inline constexpr SpringConstants kHiddenAmountSpring{685.3892f, 47.12389f, 0.002f};    // T 0.24, z 0.9
inline constexpr SpringConstants kDropGapSpring{1218.4697f, 61.43559f, 0.05f};         // T 0.18, z 0.88
inline constexpr SpringConstants kDraggedOpacitySpring{1542.1257f, 74.61282f, 0.004f};  // T 0.16, z 0.95

// Targets of the press-opacity spring.
inline constexpr float kPressedOpacity = 0.68f;

}  // namespace orvane
