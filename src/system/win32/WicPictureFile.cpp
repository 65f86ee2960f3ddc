#include "system/win32/WicPictureFile.h"

#include <windows.h>
#include <wincodec.h>

#include <cstdint>
#include <limits>
#include <new>

#include "render/win32/ComPtr.h"

namespace orvane {

IconImage DecodePictureFile(const std::wstring& path) {
  ComPtr<IWICImagingFactory> factory;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              factory.PutVoid()))) {
    return IconImage{};
  }
  ComPtr<IWICBitmapDecoder> decoder;
  if (FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                decoder.Put()))) {
    return IconImage{};
  }
  ComPtr<IWICBitmapFrameDecode> frame;
  if (FAILED(decoder->GetFrame(0, frame.Put()))) return IconImage{};
  UINT width = 0;
  UINT height = 0;
  if (FAILED(frame->GetSize(&width, &height)) || width == 0 || height == 0) return IconImage{};
  // CopyPixels takes the byte count as a UINT; larger pictures are refused
  // rather than truncated.
  const std::uint64_t stride = static_cast<std::uint64_t>(width) * 4;
  const std::uint64_t bytes = stride * height;
  if (bytes > std::numeric_limits<UINT>::max() || width > static_cast<UINT>(std::numeric_limits<int>::max()) ||
      height > static_cast<UINT>(std::numeric_limits<int>::max())) {
    return IconImage{};
  }

  ComPtr<IWICFormatConverter> converter;
  if (FAILED(factory->CreateFormatConverter(converter.Put()))) return IconImage{};
  if (FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom))) {
    return IconImage{};
  }

  IconImage image;
  try {
    image.pixels.resize(static_cast<std::size_t>(bytes));
  } catch (const std::bad_alloc&) {
    return IconImage{};
  }
  if (FAILED(converter->CopyPixels(nullptr, static_cast<UINT>(stride), static_cast<UINT>(bytes), image.pixels.data()))) {
    return IconImage{};
  }
  image.width = static_cast<int>(width);
  image.height = static_cast<int>(height);
  return image;
}

}  // namespace orvane
