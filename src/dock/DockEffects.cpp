#include "dock/DockEffects.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orvane {

namespace {

constexpr float kCopySeconds = 0.28f;
constexpr float kCopyStagger = 0.032f;
constexpr float kItemCopySeconds = 0.22f;
constexpr float kPuffSeconds = 0.44f;
constexpr int kPuffCount = 7;

float VanishOpacity(const VanishParticle& p) {
  const float t = p.age / p.lifetime;
  if (p.image == DockEffectImage::ItemBrush) return (1.0f - t) * (1.0f - t);
  if (t < 0.15f) return t / 0.15f;
  return std::pow(std::max(0.0f, 1.0f - (t - 0.15f) / 0.85f), 1.4f);
}

}  // namespace

float DockEffects::NextUnit() {
  // The top 24 bits fill a float's mantissa exactly: u is in [0, 1).
  return static_cast<float>(random_() >> 8) * (1.0f / 16777216.0f);
}

void DockEffects::StartMinimise(std::shared_ptr<CompositionBrush> itemBrush, std::optional<Vector2> windowCenter,
                                Vector2 slotCenter, float iconSize, float windowLength, float windowDepth,
                                WindowHandle window) {
  Vector2 from;
  if (windowCenter) {
    // Windows on another monitor or far above still start near the dock.
    from.x = std::max(20.0f, std::min(windowCenter->x, windowLength - 20.0f));
    from.y = std::max(-40.0f, std::min(windowCenter->y, windowDepth - 20.0f));
  } else {
    from = {slotCenter.x, std::max(10.0f, slotCenter.y - 120.0f)};
  }
  for (int i = 0; i < 4; ++i) {
    MinimiseCopy copy;
    copy.id = nextId_++;
    copy.window = window;
    copy.brush = itemBrush;
    copy.from = from;
    copy.to = slotCenter;
    copy.size = (1.55f - 0.12f * static_cast<float>(i)) * iconSize;
    copy.delay = static_cast<float>(i) * kCopyStagger;
    copies_.push_back(std::move(copy));
  }
}

bool DockEffects::FlyingFrom(WindowHandle window) const {
  return window != kNoWindow &&
         std::any_of(copies_.begin(), copies_.end(), [window](const MinimiseCopy& c) { return c.window == window; });
}

void DockEffects::StartVanish(std::shared_ptr<CompositionBrush> itemBrush, Vector2 center, float itemSize) {
  if (itemBrush) {
    VanishParticle copy;
    copy.id = nextId_++;
    copy.image = DockEffectImage::ItemBrush;
    copy.brush = std::move(itemBrush);
    copy.position = center;
    copy.size = itemSize;
    copy.scaleRate = -3.8f;
    copy.lifetime = kItemCopySeconds;
    particles_.push_back(std::move(copy));
  }
  constexpr float pi = std::numbers::pi_v<float>;
  for (int k = 0; k < kPuffCount; ++k) {
    // Draw order matters: the same seed must give the same puff.
    const float a = 0.56f * NextUnit() - 0.28f + static_cast<float>(k) * 2.0f * pi / kPuffCount;
    const float speed = k == 0 ? 18.0f : 62.0f + 56.0f * NextUnit();
    const float size = itemSize * (0.55f + 0.3f * NextUnit());
    const float turnRate = 190.0f * NextUnit() - 95.0f;
    VanishParticle p;
    p.id = nextId_++;
    p.position = {center.x + 6.0f * std::cos(a), center.y + 6.0f * std::sin(a)};
    p.velocity = {speed * std::cos(a), speed * std::sin(a) - 12.0f};
    p.size = size;
    p.scale = 0.65f;
    p.scaleRate = 2.1f;
    p.rotation = a * 180.0f / pi;
    p.turnRate = turnRate;
    p.lifetime = kPuffSeconds;
    particles_.push_back(std::move(p));
  }
}

bool DockEffects::Tick(float dt, float dpiScale, std::vector<DockEffectSprite>& sprites) {
  sprites.clear();
  if (!(dt > 0.0f)) dt = 0.0f;

  std::erase_if(copies_, [dt](MinimiseCopy& c) {
    c.age += dt;
    return c.age - c.delay >= kCopySeconds;
  });
  for (const MinimiseCopy& c : copies_) {
    DockEffectSprite& s = sprites.emplace_back();
    s.id = c.id;
    s.image = DockEffectImage::ItemBrush;
    s.brush = c.brush;
    s.size = c.size * dpiScale;
    s.centerPoint = {s.size / 2.0f, s.size / 2.0f, 0};
    const float local = c.age - c.delay;
    if (local < 0.0f) {
      s.visible = false;
      s.offset = {c.from.x * dpiScale, c.from.y * dpiScale};
      continue;
    }
    const float t = local / kCopySeconds;
    const float e = 1.0f - (1.0f - t) * (1.0f - t) * (1.0f - t);
    const float ty = t * t * (3.0f - 2.0f * t);
    s.offset = {(c.from.x + (c.to.x - c.from.x) * e) * dpiScale, (c.from.y + (c.to.y - c.from.y) * ty) * dpiScale};
    s.scale = {1.18f - 0.86f * e, 1.05f - 0.63f * t, 1.0f};
    s.opacity = t < 0.2f ? 0.62f * t / 0.2f : 0.62f * (1.0f - (t - 0.2f) / 0.8f);
  }

  const float damping = std::exp(-5.4f * dt);
  std::erase_if(particles_, [dt, damping](VanishParticle& p) {
    p.age += dt;
    if (p.age >= p.lifetime) return true;
    p.position.x += p.velocity.x * dt;
    p.position.y += p.velocity.y * dt;
    p.velocity.x *= damping;
    p.velocity.y *= damping;
    p.scale = std::max(0.12f, p.scale + p.scaleRate * dt);
    p.rotation += p.turnRate * dt;
    return false;
  });
  for (const VanishParticle& p : particles_) {
    DockEffectSprite& s = sprites.emplace_back();
    s.id = p.id;
    s.image = p.image;
    s.brush = p.brush;
    s.offset = {p.position.x * dpiScale, p.position.y * dpiScale};
    s.size = p.size * dpiScale;
    s.scale = {p.scale, p.scale, 1.0f};
    s.rotationDegrees = p.rotation;
    s.centerPoint = {s.size / 2.0f, s.size / 2.0f, 0};
    s.opacity = std::clamp(VanishOpacity(p), 0.0f, 1.0f);
  }
  return animating();
}

}  // namespace orvane
