#include "render/SoftBackdrop.h"

#include <algorithm>
#include <cstring>

#include "render/Blur.h"

namespace orvane {

std::vector<std::uint8_t> CopyPictureRegion(const BitmapView& picture, const PixelRect& region) {
  if (region.empty()) return {};
  std::vector<std::uint8_t> out(static_cast<size_t>(region.width) * region.height * 4, 0);
  if (picture.pixels == nullptr || picture.width <= 0 || picture.height <= 0 || picture.stride < picture.width * 4) {
    return out;
  }
  // Columns inside the picture are copied as one run per row; the ones left
  // and right of it repeat the edge pixel.
  const int insideLeft = std::clamp(-region.left, 0, region.width);
  const int insideRight = std::clamp(picture.width - region.left, insideLeft, region.width);
  for (int y = 0; y < region.height; ++y) {
    const int sourceY = std::clamp(region.top + y, 0, picture.height - 1);
    const std::uint8_t* sourceRow = picture.pixels + static_cast<size_t>(sourceY) * picture.stride;
    std::uint8_t* row = out.data() + static_cast<size_t>(y) * region.width * 4;
    for (int x = 0; x < insideLeft; ++x) std::memcpy(row + x * 4, sourceRow, 4);
    if (insideRight > insideLeft) {
      std::memcpy(row + static_cast<size_t>(insideLeft) * 4,
                  sourceRow + static_cast<size_t>(region.left + insideLeft) * 4,
                  static_cast<size_t>(insideRight - insideLeft) * 4);
    }
    const std::uint8_t* lastPixel = sourceRow + static_cast<size_t>(picture.width - 1) * 4;
    for (int x = insideRight; x < region.width; ++x) std::memcpy(row + x * 4, lastPixel, 4);
  }
  return out;
}

void ApplyBackdropEffect(std::vector<std::uint8_t>& pixels, int width, int height, float blurAmount, float saturation) {
  if (width <= 0 || height <= 0 || pixels.size() < static_cast<size_t>(width) * height * 4) return;
  SaturateBgra(pixels.data(), width, height, width * 4, saturation);
  GaussianBlurBgra(pixels.data(), width, height, width * 4, blurAmount);
}

const std::vector<std::uint8_t>& BackdropCache::Get(const Key& key,
                                                    const std::function<std::vector<std::uint8_t>()>& make) {
  if (!valid_ || !(key == key_)) {
    pixels_ = make();
    key_ = key;
    valid_ = true;
  }
  return pixels_;
}

}  // namespace orvane
