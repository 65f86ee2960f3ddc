#include "system/win32/IconBitmapWin32.h"

#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "system/FallbackIcon.h"
#include "system/IconPixels.h"

namespace orvane {
namespace {

class GdiObject {
 public:
  explicit GdiObject(HGDIOBJ object) : object_(object) {}
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  ~GdiObject() {
    if (object_ != nullptr) DeleteObject(object_);
  }
  HGDIOBJ get() const { return object_; }

 private:
  HGDIOBJ object_;
};

class MemoryDc {
 public:
  MemoryDc() : dc_(CreateCompatibleDC(nullptr)) {}
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  ~MemoryDc() {
    if (dc_ != nullptr) DeleteDC(dc_);
  }
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// 32 bits per pixel, rows top-down (negative height).
BITMAPINFO TopDownInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

bool UsableSize(long width, long height) {
  return width > 0 && height > 0 && width <= static_cast<long>(kMaxDrawnIconSize) &&
         height <= static_cast<long>(kMaxDrawnIconSize);
}

}  // namespace

IconImage ImageFromIcon(HICON icon, unsigned requestedSize) {
  if (icon == nullptr) return IconImage{};
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return IconImage{};
  const GdiObject colour(info.hbmColor);
  const GdiObject mask(info.hbmMask);

  long width = static_cast<long>(requestedSize);
  long height = static_cast<long>(requestedSize);
  BITMAP bitmap{};
  if (info.hbmColor != nullptr && GetObjectW(info.hbmColor, sizeof bitmap, &bitmap) != 0 && bitmap.bmWidth > 0 &&
      bitmap.bmHeight > 0) {
    width = bitmap.bmWidth;
    height = bitmap.bmHeight;
  }
  if (!UsableSize(width, height)) return IconImage{};

  const MemoryDc dc;
  if (dc.get() == nullptr) return IconImage{};
  const BITMAPINFO dibInfo = TopDownInfo(static_cast<int>(width), static_cast<int>(height));
  void* bits = nullptr;
  const GdiObject dib(CreateDIBSection(dc.get(), &dibInfo, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (dib.get() == nullptr || bits == nullptr) return IconImage{};
  const HGDIOBJ previous = SelectObject(dc.get(), dib.get());

  const std::size_t stride = static_cast<std::size_t>(width) * 4;
  const std::size_t bytes = stride * static_cast<std::size_t>(height);
  const std::span<const std::uint8_t> view(static_cast<const std::uint8_t*>(bits), bytes);

  std::memset(bits, 0, bytes);
  const bool drawn =
      DrawIconEx(dc.get(), 0, 0, icon, static_cast<int>(width), static_cast<int>(height), 0, nullptr, DI_NORMAL) != 0;
  GdiFlush();
  std::vector<std::uint8_t> pixels = TopDownRows(view, static_cast<int>(width), static_cast<int>(height), stride, false);

  // The mask on white: black where the icon is opaque. Only icons without
  // alpha need it, but drawing it is cheap and keeps the choice in one place.
  std::vector<std::uint8_t> maskPixels;
  std::memset(bits, 0xFF, bytes);
  if (drawn &&
      DrawIconEx(dc.get(), 0, 0, icon, static_cast<int>(width), static_cast<int>(height), 0, nullptr, DI_MASK) != 0) {
    GdiFlush();
    maskPixels = TopDownRows(view, static_cast<int>(width), static_cast<int>(height), stride, false);
  }
  SelectObject(dc.get(), previous);
  if (!drawn) return IconImage{};

  FinishDrawnIcon(pixels, maskPixels);
  IconImage image;
  image.width = static_cast<int>(width);
  image.height = static_cast<int>(height);
  image.pixels = std::move(pixels);
  return image;
}

IconImage ImageFromShellBitmap(HBITMAP bitmap) {
  if (bitmap == nullptr) return IconImage{};
  BITMAP info{};
  if (GetObjectW(bitmap, sizeof info, &info) == 0) return IconImage{};
  const long width = info.bmWidth;
  const long height = info.bmHeight < 0 ? -static_cast<long>(info.bmHeight) : info.bmHeight;
  if (!UsableSize(width, height)) return IconImage{};

  BITMAPINFO dibInfo = TopDownInfo(static_cast<int>(width), static_cast<int>(height));
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
  const HDC screen = GetDC(nullptr);
  if (screen == nullptr) return IconImage{};
  const int lines = GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &dibInfo, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (lines != static_cast<int>(height)) return IconImage{};

  FixUpShellBitmapAlpha(pixels);
  IconImage image;
  image.width = static_cast<int>(width);
  image.height = static_cast<int>(height);
  image.pixels = std::move(pixels);
  return image;
}

}  // namespace orvane
