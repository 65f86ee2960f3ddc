#pragma once
// Pixel filters in portable code: the drop-shadow blur of the software canvas
// and the backdrop (blur over saturation) of the software compositor.
//
// Buffers are rows of `stride` bytes; nothing outside width x height is read
// or written. Pixels beyond the edges count as copies of the edge pixel (the
// "hard" border of the Direct2D blur), so a blurred backdrop keeps opaque
// edges.

#include <cstdint>

namespace orvane {

// Gaussian blur of premultiplied BGRA pixels, in place. A standard deviation
// of 0 (or less, or not a number) leaves the pixels unchanged. Small
// deviations use the exact separable kernel (radius ceil(3 sigma)); large
// ones three box passes of the same variance, which costs the same at any
// radius.
void GaussianBlurBgra(std::uint8_t* pixels, int width, int height, int stride, float standardDeviation);

// The same blur of a single 8-bit plane (an alpha mask).
void GaussianBlurAlpha(std::uint8_t* alpha, int width, int height, int stride, float standardDeviation);

// Saturation of premultiplied BGRA pixels, in place, with the Direct2D
// saturation matrix (Rec. 709 luma weights 0.213, 0.715, 0.072): 0 is grey,
// 1 unchanged, above 1 more saturated. Negative values count as 0. Alpha is
// kept; colour channels are clamped to 0..alpha.
void SaturateBgra(std::uint8_t* pixels, int width, int height, int stride, float saturation);

}  // namespace orvane
