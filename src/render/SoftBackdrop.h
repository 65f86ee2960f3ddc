#pragma once
// What the software compositor's backdrop brushes show: the part of the
// desktop picture that lies behind a visual, and for the effect brush that
// part saturated, then blurred (the backdrop effect graph).

#include <cstdint>
#include <functional>
#include <vector>

#include "render/Canvas.h"

namespace orvane {

// A rectangle of whole pixels.
struct PixelRect {
  int left = 0, top = 0, width = 0, height = 0;
  bool empty() const { return width <= 0 || height <= 0; }
  bool operator==(const PixelRect&) const = default;
};

// The `region` of `picture` (screen pixels, premultiplied BGRA) as a packed
// buffer; pixels outside the picture repeat its nearest edge pixel, the way
// the blur treats its border. An empty picture yields transparent pixels.
std::vector<std::uint8_t> CopyPictureRegion(const BitmapView& picture, const PixelRect& region);

// Saturation, then a Gaussian blur of `blurAmount` (standard deviation, in
// pixels) over packed pixels, as the backdrop effect graph does.
void ApplyBackdropEffect(std::vector<std::uint8_t>& pixels, int width, int height, float blurAmount, float saturation);

// One processed region, kept until the region, the picture or the effect
// changes, so that still frames do not blur again.
class BackdropCache {
 public:
  struct Key {
    PixelRect region;
    std::uint64_t pictureId = 0;
    float blurAmount = 0;
    float saturation = 0;
    bool operator==(const Key&) const = default;
  };

  // The cached pixels for `key`, produced by `make` when the key differs
  // from the last one.
  const std::vector<std::uint8_t>& Get(const Key& key, const std::function<std::vector<std::uint8_t>()>& make);

 private:
  bool valid_ = false;
  Key key_;
  std::vector<std::uint8_t> pixels_;
};

}  // namespace orvane
