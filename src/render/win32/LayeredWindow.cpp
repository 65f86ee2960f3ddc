#include "render/win32/LayeredWindow.h"

#include <cstring>

namespace orvane {

SIZE ClientSize(HWND window) {
  RECT client{};
  if (!GetClientRect(window, &client)) return SIZE{0, 0};
  return SIZE{client.right - client.left, client.bottom - client.top};
}

LayeredFrameBuffer::~LayeredFrameBuffer() { Release(); }

void LayeredFrameBuffer::Release() {
  if (dc_ != nullptr) {
    if (previous_ != nullptr) SelectObject(dc_, previous_);
    DeleteDC(dc_);
  }
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
  dc_ = nullptr;
  bitmap_ = nullptr;
  previous_ = nullptr;
  bits_ = nullptr;
  width_ = height_ = 0;
}

bool LayeredFrameBuffer::Resize(int width, int height) {
  if (width <= 0 || height <= 0) return false;
  if (bits_ != nullptr && width == width_ && height == height_) return true;
  Release();

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down, like the frame
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  dc_ = CreateCompatibleDC(nullptr);
  if (bitmap_ == nullptr || bits == nullptr || dc_ == nullptr) {
    Release();
    return false;
  }
  previous_ = SelectObject(dc_, bitmap_);
  bits_ = static_cast<std::uint8_t*>(bits);
  width_ = width;
  height_ = height;
  std::memset(bits_, 0, static_cast<size_t>(width) * height * 4);
  return true;
}

bool LayeredFrameBuffer::Show(HWND window, const RECT* dirty) const {
  if (dc_ == nullptr) return false;
  const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
  if ((exStyle & WS_EX_LAYERED) == 0) SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
  // Whatever GDI still has queued for the section lands before it is read.
  GdiFlush();
  SIZE size{width_, height_};
  POINT source{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  UPDATELAYEREDWINDOWINFO update{};
  update.cbSize = sizeof(update);
  update.psize = &size;
  update.hdcSrc = dc_;
  update.pptSrc = &source;
  update.pblend = &blend;
  update.dwFlags = ULW_ALPHA;
  update.prcDirty = dirty;
  if (UpdateLayeredWindowIndirect(window, &update)) return true;
  // Some systems refuse a dirty rectangle they would take as the whole frame.
  return UpdateLayeredWindow(window, nullptr, nullptr, &size, dc_, &source, 0, &blend, ULW_ALPHA) != FALSE;
}

bool ShowLayeredFrame(HWND window, int width, int height, const std::uint8_t* pixels, int stride) {
  if (width <= 0 || height <= 0 || pixels == nullptr || stride < width * 4) return false;
  LayeredFrameBuffer buffer;
  if (!buffer.Resize(width, height)) return false;
  const size_t rowBytes = static_cast<size_t>(width) * 4;
  for (int y = 0; y < height; ++y) {
    std::memcpy(buffer.bits() + rowBytes * y, pixels + static_cast<size_t>(stride) * y, rowBytes);
  }
  return buffer.Show(window, nullptr);
}

}  // namespace orvane
