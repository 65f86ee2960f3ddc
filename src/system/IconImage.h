#pragma once
// A bitmap as the shell surfaces use it: icons, cover art, the user's
// picture. Pixels are premultiplied BGRA, 4 bytes each, rows top-down with no
// padding (stride = width * 4). An empty image means "none" or failure.

#include <cstdint>
#include <vector>

namespace orvane {

struct IconImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;

  bool empty() const {
    return width <= 0 || height <= 0 ||
           pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
  }
  bool operator==(const IconImage&) const = default;
};

}  // namespace orvane
