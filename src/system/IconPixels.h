#pragma once
// Pixel rules shared by the icon sources and the PNG cache: premultiplying
// and un-premultiplying BGRA, copying DIB rows top-down, and the alpha
// fix-ups for shell bitmaps and drawn icons that carry no alpha channel.
//
// Premultiply and un-premultiply are chosen so that a valid premultiplied
// pixel (each colour <= alpha) survives un-premultiply followed by
// premultiply unchanged; that is what makes cached icons load back exactly.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace orvane {

// (c * a + 127) / 255: alpha 0 clears the colour, alpha 255 keeps it.
std::uint8_t PremultiplyChannel(std::uint8_t c, std::uint8_t a);
// min(255, (c * 255 + a / 2) / a) for 0 < a < 255; other alphas keep c.
std::uint8_t UnpremultiplyChannel(std::uint8_t c, std::uint8_t a);

// True when some pixel has a non-zero alpha, i.e. anything would show.
bool AnyAlpha(std::span<const std::uint8_t> bgra);

// In place over whole BGRA pixels (a trailing partial pixel is left alone).
void PremultiplyBgra(std::span<std::uint8_t> bgra);
void UnpremultiplyBgra(std::span<std::uint8_t> bgra);

// width x height BGRA pixels out of a DIB whose rows are `stride` bytes
// apart (padding allowed), top row first in the result. bottomUp: the first
// row in memory is the picture's bottom row. Empty when the buffer is too
// small for the geometry.
std::vector<std::uint8_t> TopDownRows(std::span<const std::uint8_t> bits, int width, int height, std::size_t stride,
                                      bool bottomUp);

// A bitmap from the shell image factory: when any pixel has alpha, the
// bitmap is straight alpha and gets premultiplied; when none has alpha but
// some pixel has colour, it is opaque (every alpha becomes 255); an all-zero
// bitmap stays as it is.
void FixUpShellBitmapAlpha(std::span<std::uint8_t> bgra);

// An icon drawn with DrawIconEx (DI_NORMAL) onto a cleared 32-bit DIB. An
// icon with alpha is alpha-blended over the transparent black, which leaves
// premultiplied pixels: they are kept as drawn (premultiplying again would
// darken every translucent edge). An icon without alpha leaves every alpha
// at 0; then `mask` (the same icon drawn with DI_MASK onto white: black
// where the icon is opaque, white where it is transparent) gives the alpha.
// Without a usable mask (wrong size, or nothing opaque in it) the shell
// bitmap rule applies.
void FinishDrawnIcon(std::span<std::uint8_t> bgra, std::span<const std::uint8_t> mask);

}  // namespace orvane
