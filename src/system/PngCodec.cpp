#include "system/PngCodec.h"

#include <algorithm>
#include <array>
#include <utility>

#include "system/IconPixels.h"

namespace orvane {
namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Length 0, "IEND", and the CRC of "IEND".
constexpr std::array<std::uint8_t, 12> kEndChunk = {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};

}  // namespace

bool HasPngFraming(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kSignature.size() + kEndChunk.size()) return false;
  return std::equal(kSignature.begin(), kSignature.end(), bytes.begin()) &&
         std::equal(kEndChunk.begin(), kEndChunk.end(), bytes.end() - static_cast<std::ptrdiff_t>(kEndChunk.size()));
}

std::vector<std::uint8_t> PngCodec::Encode(const IconImage& image) {
  if (image.empty()) return {};
  Straight straight{image.width, image.height, image.pixels};
  UnpremultiplyBgra(straight.bgra);
  return EncodeStraight(straight);
}

IconImage PngCodec::Decode(std::span<const std::uint8_t> png, int maxSide) {
  // A file cut short can still decode (a missing IEND, or a decoder that
  // fills absent rows), so completeness is checked here, alike on every build.
  if (maxSide <= 0 || !HasPngFraming(png)) return IconImage{};
  Straight straight;
  if (!DecodeStraight(png, maxSide, straight)) return IconImage{};
  if (straight.width <= 0 || straight.height <= 0 || straight.width > maxSide || straight.height > maxSide ||
      straight.bgra.size() != static_cast<std::size_t>(straight.width) * static_cast<std::size_t>(straight.height) * 4) {
    return IconImage{};
  }
  PremultiplyBgra(straight.bgra);
  IconImage image;
  image.width = straight.width;
  image.height = straight.height;
  image.pixels = std::move(straight.bgra);
  return image;
}

}  // namespace orvane
