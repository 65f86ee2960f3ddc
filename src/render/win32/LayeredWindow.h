#pragma once
// How the software presenter puts a frame on screen: the window becomes a
// per-pixel-alpha layered window and receives its frame from a 32-bit
// premultiplied DIB section, through UpdateLayeredWindowIndirect with the
// rectangle that changed.

#include <windows.h>

#include <cstdint>

namespace orvane {

// The window's client size in pixels (0 x 0 when it has none).
SIZE ClientSize(HWND window);

// A DIB section selected into a memory DC: the frame a layered window shows,
// drawn in place and kept between frames.
class LayeredFrameBuffer {
 public:
  LayeredFrameBuffer() = default;
  ~LayeredFrameBuffer();
  LayeredFrameBuffer(const LayeredFrameBuffer&) = delete;
  LayeredFrameBuffer& operator=(const LayeredFrameBuffer&) = delete;

  // Makes the buffer `width` x `height` (new, transparent pixels when the
  // size changes). False when the DIB section or the DC cannot be made.
  bool Resize(int width, int height);
  void Release();

  std::uint8_t* bits() const { return bits_; }
  int width() const { return width_; }
  int height() const { return height_; }
  int stride() const { return width_ * 4; }  // 32-bit rows are never padded

  // Adds WS_EX_LAYERED when missing, then shows the buffer with ULW_ALPHA
  // and AC_SRC_ALPHA; `dirty` (null: everything) is the part that changed.
  // False when the platform refused; nothing is thrown.
  bool Show(HWND window, const RECT* dirty) const;

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  std::uint8_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

// Shows `width` x `height` premultiplied BGRA pixels (rows top-down,
// `stride` bytes apart) in the window through a buffer of its own, as
// LayeredFrameBuffer::Show does.
bool ShowLayeredFrame(HWND window, int width, int height, const std::uint8_t* pixels, int stride);

}  // namespace orvane
