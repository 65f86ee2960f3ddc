#pragma once
// Writes premultiplied BGRA pixels as an 8-bit RGBA PNG file (libpng).

#include <string>

#include "render/Canvas.h"

namespace orvane::preview {

// False (with `error` set) when the file cannot be written.
bool WritePng(const std::string& path, const BitmapView& pixels, std::string& error);

}  // namespace orvane::preview
