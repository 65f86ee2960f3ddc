#include "dock/DockSpring.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orvane {

namespace {

bool Settled(const Spring& spring, float threshold) {
  return std::fabs(spring.value - spring.target) <= threshold && std::fabs(spring.velocity) <= 10.0f * threshold;
}

}  // namespace

bool StepSpring(Spring& spring, const SpringConstants& constants, float dt) {
  if (Settled(spring, constants.threshold)) {
    spring.value = spring.target;
    spring.velocity = 0.0f;
    return false;
  }
  if (!(dt > 0.0f)) dt = 0.0f;
  const int n = std::max(1, static_cast<int>(std::ceil(dt / kSpringSubstep)));
  const float h = dt / static_cast<float>(n);
  const float k = constants.stiffness;
  const float c = constants.damping;
  float value = spring.value;
  float velocity = spring.velocity;
  const float target = spring.target;
  for (int i = 0; i < n; ++i) {
    // Semi-implicit Euler: the new velocity moves the value.
    velocity += h * (-(value - target) * k - velocity * c);
    value += h * velocity;
  }
  spring.value = value;
  spring.velocity = velocity;
  if (Settled(spring, constants.threshold)) {
    spring.value = target;
    spring.velocity = 0.0f;
    return false;
  }
  return true;
}

SpringConstants MagnificationSpring(const DockConfig& config) {
  const float omega = 2.0f * std::numbers::pi_v<float> / std::max(0.01f, config.springResponse);
  return {omega * omega, 2.0f * config.springDamping * omega, 0.0005f};
}

}  // namespace orvane
