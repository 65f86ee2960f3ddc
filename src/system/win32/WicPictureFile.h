#pragma once
// Decoding a picture (PNG, JPEG, BMP, ...) through WIC into an IconImage.

#include <cstdint>
#include <span>
#include <string>

#include "platform/win32/ComPtr.h"
#include "system/IconImage.h"

struct IWICImagingFactory;

namespace orvane {

// The imaging factory: the newer class where the system has it, else the
// original one; null when neither can be created (the render layer has a
// throwing variant for its drawing targets).
ComPtr<IWICImagingFactory> TryCreateWicFactory();

// Frame 0 of the file converted to premultiplied BGRA at its own size; empty
// when WIC cannot read it. Needs COM initialised on the calling thread.
IconImage DecodePictureFile(const std::wstring& path);

// The same for a picture held in memory (cover art read from a stream).
IconImage DecodePictureBytes(std::span<const std::uint8_t> bytes);

}  // namespace orvane
