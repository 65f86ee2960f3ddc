#include <algorithm>
#include <cstdint>
#include <vector>

#include "render/PixelCanvas.h"
#include "render/headless/CairoCanvas.h"

namespace orvane {
namespace {

// A private copy of the caller's pixels in rows cairo can wrap.
struct OwnedPixels {
  OwnedPixels(const std::uint8_t* source, int width, int height, int sourceStride)
      : stride(cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, width)),
        pixels(static_cast<size_t>(stride) * height) {
    for (int y = 0; y < height; ++y) {
      std::copy_n(source + static_cast<size_t>(y) * sourceStride, width * 4,
                  pixels.data() + static_cast<size_t>(y) * stride);
    }
    surface = cairo_image_surface_create_for_data(pixels.data(), CAIRO_FORMAT_ARGB32, width, height, stride);
  }
  ~OwnedPixels() { cairo_surface_destroy(surface); }
  OwnedPixels(const OwnedPixels&) = delete;
  OwnedPixels& operator=(const OwnedPixels&) = delete;

  int stride;
  std::vector<std::uint8_t> pixels;
  cairo_surface_t* surface = nullptr;
};

// For buffers cairo cannot wrap (rows not whole 32-bit words, or an
// unaligned start): draws into a private copy and writes it back when
// destroyed. The copy is a base so that it outlives the canvas part.
class CopyBackCanvas final : private OwnedPixels, public CairoCanvas {
 public:
  CopyBackCanvas(std::uint8_t* target, int width, int height, int stride)
      : OwnedPixels(target, width, height, stride),
        CairoCanvas(OwnedPixels::surface, SizeF{static_cast<float>(width), static_cast<float>(height)}),
        target_(target),
        width_(width),
        height_(height),
        targetStride_(stride) {}

  ~CopyBackCanvas() override {
    Flush();
    for (int y = 0; y < height_; ++y) {
      std::copy_n(pixels.data() + static_cast<size_t>(y) * OwnedPixels::stride, width_ * 4,
                  target_ + static_cast<size_t>(y) * targetStride_);
    }
  }

 private:
  std::uint8_t* target_;
  int width_;
  int height_;
  int targetStride_;
};

}  // namespace

std::unique_ptr<Canvas> CreatePixelCanvas(std::uint8_t* bgraPremultiplied, int width, int height, int stride) {
  if (bgraPremultiplied == nullptr || width <= 0 || height <= 0 || stride < width * 4) return nullptr;
  if (stride % 4 != 0 || reinterpret_cast<std::uintptr_t>(bgraPremultiplied) % 4 != 0) {
    return std::make_unique<CopyBackCanvas>(bgraPremultiplied, width, height, stride);
  }
  cairo_surface_t* surface =
      cairo_image_surface_create_for_data(bgraPremultiplied, CAIRO_FORMAT_ARGB32, width, height, stride);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return nullptr;
  }
  auto canvas = std::make_unique<CairoCanvas>(surface, SizeF{static_cast<float>(width), static_cast<float>(height)});
  cairo_surface_destroy(surface);  // the canvas holds its own reference
  return canvas;
}

}  // namespace orvane
