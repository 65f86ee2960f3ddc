#pragma once
// Scenes of the preview tool: each builds a window's visual tree on the
// software compositor; the tool renders that window over the built-in
// wallpaper and writes a PNG.
//
// To add scenes, put a .cpp file in tools/preview/ (the build picks it up)
// with a registration at namespace scope:
//
//   const orvane::preview::SceneRegistration kMyScene{{
//       "my-scene", "What it shows", [](orvane::preview::SceneContext& ctx) { ... }}};

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "render/SoftCompositor.h"

namespace orvane::preview {

struct SceneContext {
  explicit SceneContext(SoftCompositor& compositor) : compositor(compositor) {}

  SoftCompositor& compositor;  // the wallpaper is set: host backdrops are available
  float scale = 1;             // physical pixels per DIP
  bool dark = true;
  bool transparency = true;  // off: glass shows its solid colour (--no-transparency)
  int screenWidth = 0;       // physical pixels; the wallpaper covers the screen
  int screenHeight = 0;

  // Set by the scene: the window whose targets are rendered, its size and
  // where it sits on the screen, all in physical pixels.
  NativeWindow window = 1;
  int windowWidth = 0;
  int windowHeight = 0;
  ScreenPoint windowPosition;
  // Whatever must stay alive until the frame is rendered (targets, windows).
  std::vector<std::shared_ptr<void>> keepAlive;
  // Set by scenes that can play (--sweep): moves the scene on to its next
  // frame; false when the sequence is over.
  std::function<bool()> nextFrame;

  float Px(float dip) const { return dip * scale; }
};

struct Scene {
  std::string name;
  std::string description;
  std::function<void(SceneContext&)> build;
};

// Every registered scene, sorted by name.
std::vector<Scene> AllScenes();

// Registers a scene during static initialisation.
struct SceneRegistration {
  explicit SceneRegistration(Scene scene);
};

}  // namespace orvane::preview
