// PNG through WIC. Both directions use straight 32-bit BGRA; the portable
// codec front converts from and to premultiplied alpha, so a cached icon
// decodes to the same bytes here as in the Linux build.
#include <windows.h>
#include <wincodec.h>

#include <cstring>
#include <limits>

#include "platform/win32/ComPtr.h"
#include "system/PngCodec.h"
#include "system/win32/WicPictureFile.h"

namespace orvane {
namespace {

// The bytes written into a stream made by CreateStreamOnHGlobal.
std::vector<std::uint8_t> StreamBytes(IStream* stream) {
  STATSTG stat{};
  HGLOBAL global = nullptr;
  if (FAILED(stream->Stat(&stat, STATFLAG_NONAME)) || FAILED(GetHGlobalFromStream(stream, &global))) return {};
  const ULONGLONG size = stat.cbSize.QuadPart;
  if (size == 0 || size > std::numeric_limits<std::size_t>::max() || size > GlobalSize(global)) return {};
  const void* data = GlobalLock(global);
  if (data == nullptr) return {};
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  std::memcpy(bytes.data(), data, bytes.size());
  GlobalUnlock(global);
  return bytes;
}

class WicPngCodec final : public PngCodec {
 protected:
  std::vector<std::uint8_t> EncodeStraight(const Straight& image) override {
    const std::uint64_t stride = static_cast<std::uint64_t>(image.width) * 4;
    if (image.bgra.size() > std::numeric_limits<UINT>::max() || stride > std::numeric_limits<UINT>::max()) return {};
    ComPtr<IWICImagingFactory> factory = TryCreateWicFactory();
    if (!factory) return {};
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Put()))) return {};
    ComPtr<IWICBitmapEncoder> encoder;
    if (FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.Put())) ||
        FAILED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache))) {
      return {};
    }
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    if (FAILED(encoder->CreateNewFrame(frame.Put(), options.Put())) || FAILED(frame->Initialize(options.Get())) ||
        FAILED(frame->SetSize(static_cast<UINT>(image.width), static_cast<UINT>(image.height)))) {
      return {};
    }
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
    // The encoder may answer with the nearest format it supports; PNG takes
    // BGRA as it is, anything else would need a conversion we do not want.
    if (FAILED(frame->SetPixelFormat(&format)) || format != GUID_WICPixelFormat32bppBGRA) return {};
    if (FAILED(frame->WritePixels(static_cast<UINT>(image.height), static_cast<UINT>(stride),
                                  static_cast<UINT>(image.bgra.size()), const_cast<BYTE*>(image.bgra.data()))) ||
        FAILED(frame->Commit()) || FAILED(encoder->Commit())) {
      return {};
    }
    return StreamBytes(stream.Get());
  }

  bool DecodeStraight(std::span<const std::uint8_t> png, int maxSide, Straight& out) override {
    if (png.empty() || png.size() > std::numeric_limits<DWORD>::max()) return false;
    ComPtr<IWICImagingFactory> factory = TryCreateWicFactory();
    if (!factory) return false;
    ComPtr<IWICStream> stream;
    if (FAILED(factory->CreateStream(stream.Put())) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(png.data()), static_cast<DWORD>(png.size())))) {
      return false;
    }
    ComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoder(GUID_ContainerFormatPng, nullptr, decoder.Put())) ||
        FAILED(decoder->Initialize(stream.Get(), WICDecodeMetadataCacheOnDemand))) {
      return false;
    }
    ComPtr<IWICBitmapFrameDecode> frame;
    UINT width = 0;
    UINT height = 0;
    if (FAILED(decoder->GetFrame(0, frame.Put())) || FAILED(frame->GetSize(&width, &height))) return false;
    if (width == 0 || height == 0 || width > static_cast<UINT>(maxSide) || height > static_cast<UINT>(maxSide)) {
      return false;
    }
    ComPtr<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(converter.Put())) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom))) {
      return false;
    }
    const UINT stride = width * 4;
    out.bgra.assign(static_cast<std::size_t>(stride) * height, 0);
    if (FAILED(converter->CopyPixels(nullptr, stride, static_cast<UINT>(out.bgra.size()), out.bgra.data()))) {
      return false;
    }
    out.width = static_cast<int>(width);
    out.height = static_cast<int>(height);
    return true;
  }
};

}  // namespace

PngCodec& PlatformPngCodec() {
  static WicPngCodec codec;
  return codec;
}

}  // namespace orvane
