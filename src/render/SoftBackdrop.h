#pragma once
// What the software compositor's backdrop brushes show: the part of the
// desktop picture that lies behind a visual, and for the effect brush that
// part saturated, then blurred (the backdrop effect graph).

#include <cstdint>
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

// A processed backdrop: each pixel stands for `factor` x `factor` screen
// pixels, starting at the region's top-left corner.
struct BackdropImage {
  int width = 0;
  int height = 0;
  int factor = 1;
  std::vector<std::uint8_t> pixels;

  BitmapView view() const { return BitmapView{width, height, width * 4, pixels.data()}; }
};

// Large blurs are computed on a reduced copy, as the platform's balanced blur
// does: the factor (1, 2, 4 or 8) keeps the reduced deviation at 2 or more.
int BackdropReduction(float blurAmount);

// The region saturated, then blurred by `blurAmount` (standard deviation in
// screen pixels), at the reduction of BackdropReduction. Pixels beyond the
// region repeat its edge, so the result keeps opaque edges. Reuses `out`'s
// storage.
void MakeBackdrop(const BitmapView& picture, const PixelRect& region, float blurAmount, float saturation,
                  BackdropImage& out);

// One processed region, kept until the region, the picture or the effect
// changes, so that still frames do not blur again. The kept image is at
// full size (factor 1): a reduced blur is enlarged once when it is made.
class BackdropCache {
 public:
  struct Key {
    PixelRect region;
    std::uint64_t pictureId = 0;
    float blurAmount = 0;
    float saturation = 0;
    bool operator==(const Key&) const = default;
  };

  const BackdropImage& Get(const BitmapView& picture, const Key& key);

 private:
  bool valid_ = false;
  Key key_;
  BackdropImage image_;
};

}  // namespace orvane
