#include "system/IconPixels.h"

#include <algorithm>

namespace orvane {
namespace {

bool AnyColour(std::span<const std::uint8_t> bgra) {
  for (std::size_t i = 0; i + 3 < bgra.size(); i += 4) {
    if (bgra[i] != 0 || bgra[i + 1] != 0 || bgra[i + 2] != 0) return true;
  }
  return false;
}

void SetOpaque(std::span<std::uint8_t> bgra) {
  for (std::size_t i = 3; i < bgra.size(); i += 4) bgra[i] = 255;
}

}  // namespace

bool AnyAlpha(std::span<const std::uint8_t> bgra) {
  for (std::size_t i = 3; i < bgra.size(); i += 4) {
    if (bgra[i] != 0) return true;
  }
  return false;
}

std::uint8_t PremultiplyChannel(std::uint8_t c, std::uint8_t a) {
  if (a == 0) return 0;
  if (a == 255) return c;
  return static_cast<std::uint8_t>((static_cast<unsigned>(c) * a + 127) / 255);
}

std::uint8_t UnpremultiplyChannel(std::uint8_t c, std::uint8_t a) {
  if (a == 0 || a == 255) return c;
  const unsigned straight = (static_cast<unsigned>(c) * 255 + a / 2u) / a;
  return static_cast<std::uint8_t>(std::min(255u, straight));
}

void PremultiplyBgra(std::span<std::uint8_t> bgra) {
  for (std::size_t i = 0; i + 3 < bgra.size(); i += 4) {
    const std::uint8_t a = bgra[i + 3];
    if (a == 255) continue;
    for (std::size_t k = 0; k < 3; ++k) bgra[i + k] = PremultiplyChannel(bgra[i + k], a);
  }
}

void UnpremultiplyBgra(std::span<std::uint8_t> bgra) {
  for (std::size_t i = 0; i + 3 < bgra.size(); i += 4) {
    const std::uint8_t a = bgra[i + 3];
    if (a == 0 || a == 255) continue;
    for (std::size_t k = 0; k < 3; ++k) bgra[i + k] = UnpremultiplyChannel(bgra[i + k], a);
  }
}

std::vector<std::uint8_t> TopDownRows(std::span<const std::uint8_t> bits, int width, int height, std::size_t stride,
                                      bool bottomUp) {
  if (width <= 0 || height <= 0) return {};
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
  const std::size_t rows = static_cast<std::size_t>(height);
  if (stride < rowBytes) return {};
  if (bits.size() < stride * (rows - 1) + rowBytes) return {};
  std::vector<std::uint8_t> out(rowBytes * rows);
  for (std::size_t y = 0; y < rows; ++y) {
    const std::size_t source = bottomUp ? rows - 1 - y : y;
    std::copy_n(bits.begin() + static_cast<std::ptrdiff_t>(source * stride), rowBytes,
                out.begin() + static_cast<std::ptrdiff_t>(y * rowBytes));
  }
  return out;
}

void FixUpShellBitmapAlpha(std::span<std::uint8_t> bgra) {
  if (AnyAlpha(bgra)) {
    PremultiplyBgra(bgra);
  } else if (AnyColour(bgra)) {
    SetOpaque(bgra);
  }
}

void FinishDrawnIcon(std::span<std::uint8_t> bgra, std::span<const std::uint8_t> mask) {
  if (AnyAlpha(bgra)) return;
  bool maskOpaqueSomewhere = false;
  if (mask.size() == bgra.size()) {
    for (std::size_t i = 0; i + 3 < mask.size(); i += 4) {
      if (mask[i] < 128) {
        maskOpaqueSomewhere = true;
        break;
      }
    }
  }
  if (!maskOpaqueSomewhere) {
    FixUpShellBitmapAlpha(bgra);
    return;
  }
  // Mask black (the blue channel is enough: the mask is monochrome) is opaque.
  for (std::size_t i = 0; i + 3 < bgra.size(); i += 4) {
    bgra[i + 3] = mask[i] < 128 ? 255 : 0;
  }
  PremultiplyBgra(bgra);
}

}  // namespace orvane
