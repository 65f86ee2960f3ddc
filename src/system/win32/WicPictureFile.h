#pragma once
// Decoding a picture (PNG, JPEG, BMP, ...) through WIC into an IconImage.

#include <cstdint>
#include <span>
#include <string>

#include "system/IconImage.h"

namespace orvane {

// Frame 0 of the file converted to premultiplied BGRA at its own size; empty
// when WIC cannot read it. Needs COM initialised on the calling thread.
IconImage DecodePictureFile(const std::wstring& path);

// The same for a picture held in memory (cover art read from a stream).
IconImage DecodePictureBytes(std::span<const std::uint8_t> bytes);

}  // namespace orvane
