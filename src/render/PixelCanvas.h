#pragma once
// A Canvas over a caller-owned pixel buffer: what the software compositor,
// the preview tool and the render tests draw with. Windows builds it on the
// CPU canvas with DirectWrite text, Linux on cairo + pango.

#include <cstdint>
#include <memory>

#include "render/Canvas.h"

namespace orvane {

// Draws into `bgraPremultiplied`: `height` rows, top-down, each `stride` bytes
// apart, of `width` premultiplied BGRA pixels.
//
// - The canvas starts from the buffer's current content (Clear it for a fresh
//   picture) and its transform is the identity.
// - Everything drawn is in the buffer no later than the canvas's destruction;
//   read the buffer only after that. (The Linux canvas writes through as each
//   call returns when the buffer is 4-byte aligned with a stride that is a
//   multiple of 4; otherwise it draws into its own copy and writes back on
//   destruction. The Windows canvas always writes through.)
// - The buffer must outlive the canvas, and the caller must not change it
//   while the canvas exists.
//
// Returns nullptr when the buffer is null, a size is not positive or the
// stride is shorter than a row.
std::unique_ptr<Canvas> CreatePixelCanvas(std::uint8_t* bgraPremultiplied, int width, int height, int stride);

}  // namespace orvane
