#pragma once
// Decoding a picture file (PNG, JPEG, BMP, ...) through WIC into an IconImage.

#include <string>

#include "system/IconImage.h"

namespace orvane {

// Frame 0 of the file converted to premultiplied BGRA at its own size; empty
// when WIC cannot read it. Needs COM initialised on the calling thread.
IconImage DecodePictureFile(const std::wstring& path);

}  // namespace orvane
