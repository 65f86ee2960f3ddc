#include "render/SoftBackdrop.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "render/Blur.h"
#include "render/FrameRaster.h"

namespace orvane {
namespace {

bool HasPixels(const BitmapView& picture) {
  return picture.pixels != nullptr && picture.width > 0 && picture.height > 0 && picture.stride >= picture.width * 4;
}

// Averages `factor` x `factor` blocks of the region into `out`. Positions
// past the region's right or bottom edge repeat its last column or row, and
// positions outside the picture its nearest edge.
void ReduceRegion(const BitmapView& picture, const PixelRect& region, int factor, BackdropImage& out) {
  out.factor = factor;
  out.width = (region.width + factor - 1) / factor;
  out.height = (region.height + factor - 1) / factor;
  out.pixels.assign(static_cast<size_t>(out.width) * out.height * 4, 0);
  if (!HasPixels(picture)) return;

  const auto column = [&](int x) {
    return std::clamp(region.left + std::min(x, region.width - 1), 0, picture.width - 1);
  };
  std::vector<int> columns(static_cast<size_t>(out.width) * factor);
  for (size_t i = 0; i < columns.size(); ++i) columns[i] = column(static_cast<int>(i)) * 4;

  std::vector<std::uint32_t> sums(static_cast<size_t>(out.width) * 4);
  const std::uint32_t count = static_cast<std::uint32_t>(factor * factor);
  for (int y = 0; y < out.height; ++y) {
    std::fill(sums.begin(), sums.end(), 0u);
    for (int k = 0; k < factor; ++k) {
      const int sourceY = std::clamp(region.top + std::min(y * factor + k, region.height - 1), 0, picture.height - 1);
      const std::uint8_t* row = picture.pixels + static_cast<size_t>(sourceY) * picture.stride;
      const int* xs = columns.data();
      for (int x = 0; x < out.width; ++x) {
        std::uint32_t* sum = sums.data() + static_cast<size_t>(x) * 4;
        for (int j = 0; j < factor; ++j, ++xs) {
          const std::uint8_t* p = row + *xs;
          sum[0] += p[0], sum[1] += p[1], sum[2] += p[2], sum[3] += p[3];
        }
      }
    }
    std::uint8_t* dst = out.pixels.data() + static_cast<size_t>(y) * out.width * 4;
    for (size_t i = 0; i < sums.size(); ++i) dst[i] = static_cast<std::uint8_t>((sums[i] + count / 2) / count);
  }
}

}  // namespace

std::vector<std::uint8_t> CopyPictureRegion(const BitmapView& picture, const PixelRect& region) {
  if (region.empty()) return {};
  std::vector<std::uint8_t> out(static_cast<size_t>(region.width) * region.height * 4, 0);
  if (!HasPixels(picture)) return out;
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

int BackdropReduction(float blurAmount) {
  int factor = 1;
  while (factor < 8 && blurAmount / (2.0f * factor) >= 2.0f) factor *= 2;
  return factor;
}

void MakeBackdrop(const BitmapView& picture, const PixelRect& region, float blurAmount, float saturation,
                  BackdropImage& out) {
  if (region.empty()) {
    out = BackdropImage{};
    return;
  }
  const int factor = BackdropReduction(blurAmount);
  ReduceRegion(picture, region, factor, out);
  // The block average and the bilinear enlargement blur a little themselves
  // (variance about factor^2 / 4); the Gaussian makes up the rest.
  const float remaining = blurAmount * blurAmount - 0.25f * static_cast<float>(factor * factor);
  const float reducedDeviation = remaining > 0 ? std::sqrt(remaining) / static_cast<float>(factor) : 0.0f;
  SaturateBgra(out.pixels.data(), out.width, out.height, out.width * 4, saturation);
  GaussianBlurBgra(out.pixels.data(), out.width, out.height, out.width * 4, reducedDeviation);
}

const BackdropImage& BackdropCache::Get(const BitmapView& picture, const Key& key) {
  if (!valid_ || !(key == key_)) {
    MakeBackdrop(picture, key.region, key.blurAmount, key.saturation, image_);
    if (image_.factor > 1 && !image_.pixels.empty()) {
      // Enlarged once here, as every frame would draw it, so that a still
      // frame copies pixels instead of sampling them.
      const int width = image_.width * image_.factor, height = image_.height * image_.factor;
      std::vector<std::uint8_t> full(static_cast<size_t>(width) * height * 4, 0);
      {
        FrameRaster raster(full.data(), width, height, width * 4, PixelRect{0, 0, width, height});
        raster.DrawBitmap(image_.view(), RectF{0, 0, static_cast<float>(width), static_cast<float>(height)}, 1,
                          Interpolation::Linear);
      }
      image_.pixels = std::move(full);
      image_.width = width;
      image_.height = height;
      image_.factor = 1;
    }
    key_ = key;
    valid_ = true;
  }
  return image_;
}

}  // namespace orvane
