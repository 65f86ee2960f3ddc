#pragma once
// The preview's desktop picture, drawn in code: a colourful gradient with
// shapes and fine lines, so that blur and saturation show in every scene.

#include <cstdint>
#include <vector>

#include "render/Canvas.h"

namespace orvane::preview {

struct Wallpaper {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;  // premultiplied BGRA, opaque

  BitmapView view() const { return BitmapView{width, height, width * 4, pixels.data()}; }
};

Wallpaper MakeWallpaper(int width, int height);

}  // namespace orvane::preview
