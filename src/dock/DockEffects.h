#pragma once
// The dock's effect layer: icon copies that fly into the dock when a window
// minimises, and the puff that plays where a removed item vanishes. Effects
// are records advanced each frame; each frame they are handed out as sprite
// states (anchored at their centre, in physical pixels) that the hub writes
// into its effect layer, drawn in the order given.

#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <vector>

#include "render/Composition.h"
#include "system/WindowHandle.h"

namespace orvane {

// What a sprite shows: the item's own brush, or the shared puff texture.
enum class DockEffectImage { ItemBrush, Puff };

struct DockEffectSprite {
  std::uint64_t id = 0;  // stable while the effect lives; a new id needs a new sprite
  DockEffectImage image = DockEffectImage::Puff;
  std::shared_ptr<CompositionBrush> brush;  // for ItemBrush
  bool visible = true;
  Vector2 offset;  // centre of the sprite (its anchor point is 0.5, 0.5)
  float size = 0;  // side of the square sprite
  Vector3 scale{1, 1, 1};
  float rotationDegrees = 0;
  Vector3 centerPoint;
  float opacity = 0;
};

// One puff particle or the vanishing item copy, in DIPs.
struct VanishParticle {
  std::uint64_t id = 0;
  DockEffectImage image = DockEffectImage::Puff;
  std::shared_ptr<CompositionBrush> brush;
  Vector2 position;
  Vector2 velocity;
  float size = 0;
  float scale = 1;
  float scaleRate = 0;
  float rotation = 0;  // degrees
  float turnRate = 0;  // degrees per second
  float age = 0;
  float lifetime = 0;
};

// One icon copy of the minimise flight, in DIPs.
struct MinimiseCopy {
  std::uint64_t id = 0;
  WindowHandle window = kNoWindow;  // the window it flies from
  std::shared_ptr<CompositionBrush> brush;
  Vector2 from, to;
  float size = 0;
  float delay = 0;
  float age = 0;
};

inline constexpr std::uint32_t kVanishSeed = 0x9E3779B9u;

class DockEffects {
 public:
  DockEffects() : random_(kVanishSeed) {}

  // Four copies of the item's icon fly from the minimising window's centre
  // (render-window DIPs, or none when the window rectangle is unknown) into
  // the item's slot centre.
  void StartMinimise(std::shared_ptr<CompositionBrush> itemBrush, std::optional<Vector2> windowCenter,
                     Vector2 slotCenter, float iconSize, float windowLength, float windowDepth,
                     WindowHandle window = kNoWindow);
  // A flight from this window is under way.
  bool FlyingFrom(WindowHandle window) const;

  // The removed item shrinks away (when it has a brush) under seven puffs,
  // at its slot centre with its current size, DIPs.
  void StartVanish(std::shared_ptr<CompositionBrush> itemBrush, Vector2 center, float itemSize);

  // Advances every effect and fills `sprites` with this frame's states in
  // draw order (bottom first). True while any effect remains.
  bool Tick(float dt, float dpiScale, std::vector<DockEffectSprite>& sprites);

  bool animating() const { return !copies_.empty() || !particles_.empty(); }
  const std::vector<VanishParticle>& particles() const { return particles_; }
  const std::vector<MinimiseCopy>& copies() const { return copies_; }

 private:
  float NextUnit();

  std::mt19937 random_;
  std::uint64_t nextId_ = 1;
  std::vector<MinimiseCopy> copies_;
  std::vector<VanishParticle> particles_;
};

}  // namespace orvane
