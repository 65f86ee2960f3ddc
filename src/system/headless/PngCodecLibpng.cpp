// PNG through libpng's simplified interface, which keeps libpng's error
// jumps inside the library: a damaged file is a plain failure here.
#include <png.h>

#include "system/PngCodec.h"

namespace orvane {
namespace {

class LibpngCodec final : public PngCodec {
 protected:
  std::vector<std::uint8_t> EncodeStraight(const Straight& image) override {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = PNG_FORMAT_BGRA;  // 8-bit, straight alpha
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&png, nullptr, &size, 0, image.bgra.data(), 0, nullptr) || size == 0) {
      png_image_free(&png);
      return {};
    }
    std::vector<std::uint8_t> bytes(size);
    if (!png_image_write_to_memory(&png, bytes.data(), &size, 0, image.bgra.data(), 0, nullptr)) {
      png_image_free(&png);
      return {};
    }
    bytes.resize(size);
    return bytes;
  }

  bool DecodeStraight(std::span<const std::uint8_t> data, int maxSide, Straight& out) override {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, data.data(), data.size())) {
      png_image_free(&png);
      return false;
    }
    const auto limit = static_cast<png_uint_32>(maxSide);
    if (png.width == 0 || png.height == 0 || png.width > limit || png.height > limit) {
      png_image_free(&png);
      return false;
    }
    png.format = PNG_FORMAT_BGRA;
    out.bgra.assign(PNG_IMAGE_SIZE(png), 0);
    if (!png_image_finish_read(&png, nullptr, out.bgra.data(), 0, nullptr)) {
      png_image_free(&png);
      return false;
    }
    out.width = static_cast<int>(png.width);
    out.height = static_cast<int>(png.height);
    return true;
  }
};

}  // namespace

PngCodec& PlatformPngCodec() {
  static LibpngCodec codec;
  return codec;
}

}  // namespace orvane
