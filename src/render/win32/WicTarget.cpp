#include "render/win32/WicTarget.h"

#include <algorithm>
#include <cstring>

namespace orvane {
namespace {

// Runs `copy(row pointer, row number, row bytes)` over every row of a locked bitmap.
template <class RowCopy>
void ForEachLockedRow(IWICBitmap* bitmap, DWORD flags, RowCopy copy) {
  UINT width = 0, height = 0;
  ThrowIfFailed(bitmap->GetSize(&width, &height));
  if (width == 0 || height == 0) return;
  const WICRect all{0, 0, static_cast<INT>(width), static_cast<INT>(height)};
  ComPtr<IWICBitmapLock> lock;
  ThrowIfFailed(bitmap->Lock(&all, flags, lock.Put()));
  UINT lockStride = 0, size = 0;
  BYTE* data = nullptr;
  ThrowIfFailed(lock->GetStride(&lockStride));
  ThrowIfFailed(lock->GetDataPointer(&size, &data));
  const size_t rowBytes = static_cast<size_t>(width) * 4;
  if (data == nullptr || lockStride < rowBytes || size < static_cast<size_t>(lockStride) * (height - 1) + rowBytes) {
    ThrowHResult(E_UNEXPECTED);
  }
  for (UINT y = 0; y < height; ++y) copy(data + static_cast<size_t>(y) * lockStride, y, rowBytes);
}

}  // namespace

ComPtr<IWICImagingFactory> CreateWicFactory() {
  ComPtr<IWICImagingFactory> wic;
  ThrowIfFailed(
      CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory, wic.PutVoid()));
  return wic;
}

WicTarget CreateWicTarget(ID2D1Factory* factory, IWICImagingFactory* wic, int width, int height) {
  WicTarget result;
  ThrowIfFailed(wic->CreateBitmap(static_cast<UINT>(std::max(width, 1)), static_cast<UINT>(std::max(height, 1)),
                                  GUID_WICPixelFormat32bppPBGRA, WICBitmapCacheOnLoad, result.bitmap.Put()));
  const D2D1_RENDER_TARGET_PROPERTIES properties = D2D1::RenderTargetProperties(
      D2D1_RENDER_TARGET_TYPE_DEFAULT, D2D1::PixelFormat(DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_PREMULTIPLIED),
      96.0f, 96.0f);
  ThrowIfFailed(factory->CreateWicBitmapRenderTarget(result.bitmap.Get(), &properties, result.target.Put()));
  result.context = result.target.As<ID2D1DeviceContext>();
  return result;
}

void ReadWicPixels(IWICBitmap* bitmap, std::uint8_t* pixels, int stride) {
  ForEachLockedRow(bitmap, WICBitmapLockRead, [&](const BYTE* row, UINT y, size_t rowBytes) {
    std::memcpy(pixels + static_cast<size_t>(y) * static_cast<size_t>(stride), row, rowBytes);
  });
}

}  // namespace orvane
