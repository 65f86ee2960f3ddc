#include "PngWriter.h"

#include <png.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace orvane::preview {

bool WritePng(const std::string& path, const BitmapView& pixels, std::string& error) {
  if (pixels.pixels == nullptr || pixels.width <= 0 || pixels.height <= 0 || pixels.stride < pixels.width * 4) {
    error = "nothing to write";
    return false;
  }
  // PNG keeps straight alpha.
  std::vector<std::uint8_t> straight(static_cast<size_t>(pixels.width) * pixels.height * 4);
  for (int y = 0; y < pixels.height; ++y) {
    const std::uint8_t* in = pixels.pixels + static_cast<size_t>(y) * pixels.stride;
    std::uint8_t* out = straight.data() + static_cast<size_t>(y) * pixels.width * 4;
    for (int x = 0; x < pixels.width; ++x, in += 4, out += 4) {
      const int a = in[3];
      for (int c = 0; c < 3; ++c) out[c] = a == 0 ? 0 : static_cast<std::uint8_t>(std::min(255, (in[c] * 255 + a / 2) / a));
      out[3] = static_cast<std::uint8_t>(a);
    }
  }

  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(pixels.width);
  image.height = static_cast<png_uint_32>(pixels.height);
  image.format = PNG_FORMAT_BGRA;
  if (png_image_write_to_file(&image, path.c_str(), 0, straight.data(), pixels.width * 4, nullptr) == 0) {
    error = image.message;
    png_image_free(&image);
    return false;
  }
  return true;
}

}  // namespace orvane::preview
