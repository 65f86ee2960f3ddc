#include "render/Theme.h"

namespace orvane {

// No registry here: an empty store reads as a fresh account's defaults.
ThemeSettings& SystemThemeSettings() {
  static MemoryThemeSettings settings;
  return settings;
}

}  // namespace orvane
