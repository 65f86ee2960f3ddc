#include "Scenes.h"

#include <algorithm>

namespace orvane::preview {
namespace {

// A function-local list, so registrations from any file's static
// initialisation find it constructed.
std::vector<Scene>& Registry() {
  static std::vector<Scene> scenes;
  return scenes;
}

}  // namespace

SceneRegistration::SceneRegistration(Scene scene) { Registry().push_back(std::move(scene)); }

std::vector<Scene> AllScenes() {
  std::vector<Scene> scenes = Registry();
  std::sort(scenes.begin(), scenes.end(), [](const Scene& a, const Scene& b) { return a.name < b.name; });
  return scenes;
}

}  // namespace orvane::preview
