#pragma once
// Direct2D drawing into CPU memory: a WIC bitmap with a render target over it,
// and reading its rows back into a caller's BGRA buffer.

#include <d2d1_1.h>
#include <wincodec.h>
#include <windows.h>

#include <cstdint>

#include "platform/win32/ComPtr.h"

namespace orvane {

struct WicTarget {
  ComPtr<IWICBitmap> bitmap;  // premultiplied BGRA
  ComPtr<ID2D1RenderTarget> target;
  ComPtr<ID2D1DeviceContext> context;  // the same target, for effects and layers
};

// The calling thread must have COM initialised. Throws HResultError.
ComPtr<IWICImagingFactory> CreateWicFactory();

// A transparent width x height target (each at least 1) at 96 DPI. Draw
// over a bitmap's old content only by drawing it in again: some
// implementations (Wine) start the target from transparent pixels whatever
// the bitmap holds. Throws HResultError.
WicTarget CreateWicTarget(ID2D1Factory* factory, IWICImagingFactory* wic, int width, int height);

// Copies the bitmap's rows into `pixels`, rows `stride` bytes apart. Throws
// HResultError.
void ReadWicPixels(IWICBitmap* bitmap, std::uint8_t* pixels, int stride);

}  // namespace orvane
