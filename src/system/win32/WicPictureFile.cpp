#include "system/win32/WicPictureFile.h"

#include <windows.h>
#include <wincodec.h>

#include <cstdint>
#include <limits>
#include <new>

#include "platform/win32/ComPtr.h"

namespace orvane {

ComPtr<IWICImagingFactory> TryCreateWicFactory() {
  ComPtr<IWICImagingFactory> factory;
  if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory2, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                 factory.PutVoid()))) {
    return factory;
  }
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              factory.PutVoid()))) {
    return {};
  }
  return factory;
}

namespace {

// Frame 0 of the decoder, converted to premultiplied BGRA.
IconImage DecodeFirstFrame(IWICImagingFactory* factory, IWICBitmapDecoder* decoder) {
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

}  // namespace

IconImage DecodePictureFile(const std::wstring& path) {
  ComPtr<IWICImagingFactory> factory = TryCreateWicFactory();
  if (!factory) return IconImage{};
  ComPtr<IWICBitmapDecoder> decoder;
  if (FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                decoder.Put()))) {
    return IconImage{};
  }
  return DecodeFirstFrame(factory.Get(), decoder.Get());
}

IconImage DecodePictureBytes(std::span<const std::uint8_t> bytes) {
  if (bytes.empty() || bytes.size() > std::numeric_limits<DWORD>::max()) return IconImage{};
  ComPtr<IWICImagingFactory> factory = TryCreateWicFactory();
  if (!factory) return IconImage{};
  // The WIC stream reads the caller's memory in place; it is gone before
  // this function returns.
  ComPtr<IWICStream> stream;
  if (FAILED(factory->CreateStream(stream.Put())) ||
      FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size())))) {
    return IconImage{};
  }
  ComPtr<IWICBitmapDecoder> decoder;
  if (FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                              decoder.Put()))) {
    return IconImage{};
  }
  return DecodeFirstFrame(factory.Get(), decoder.Get());
}

}  // namespace orvane
