#include "render/win32/LayeredWindow.h"

#include <cstring>

namespace orvane {

SIZE ClientSize(HWND window) {
  RECT client{};
  if (!GetClientRect(window, &client)) return SIZE{0, 0};
  return SIZE{client.right - client.left, client.bottom - client.top};
}

bool ShowLayeredFrame(HWND window, int width, int height, const std::uint8_t* pixels, int stride) {
  if (width <= 0 || height <= 0 || pixels == nullptr || stride < width * 4) return false;

  const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
  if ((exStyle & WS_EX_LAYERED) == 0) SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down, like the frame
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;

  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return false;
  bool shown = false;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(screen);
  if (dib != nullptr && bits != nullptr && memory != nullptr) {
    // 32-bit DIB rows are always width x 4 bytes apart.
    const size_t rowBytes = static_cast<size_t>(width) * 4;
    for (int y = 0; y < height; ++y) {
      std::memcpy(static_cast<std::uint8_t*>(bits) + rowBytes * y, pixels + static_cast<size_t>(stride) * y,
                  rowBytes);
    }
    GdiFlush();
    const HGDIOBJ previous = SelectObject(memory, dib);
    SIZE size{width, height};
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    shown = UpdateLayeredWindow(window, screen, nullptr, &size, memory, &source, 0, &blend, ULW_ALPHA) != FALSE;
    SelectObject(memory, previous);
  }
  if (memory != nullptr) DeleteDC(memory);
  if (dib != nullptr) DeleteObject(dib);
  ReleaseDC(nullptr, screen);
  return shown;
}

}  // namespace orvane
