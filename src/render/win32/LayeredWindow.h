#pragma once
// How the software presenter puts a frame on screen: the window becomes a
// per-pixel-alpha layered window and receives the frame through
// UpdateLayeredWindow from a 32-bit premultiplied DIB section.

#include <windows.h>

#include <cstdint>

namespace orvane {

// The window's client size in pixels (0 x 0 when it has none).
SIZE ClientSize(HWND window);

// Adds WS_EX_LAYERED when missing, then shows `width` x `height` premultiplied
// BGRA pixels (rows top-down, `stride` bytes apart) with ULW_ALPHA and
// AC_SRC_ALPHA. False when the platform refused; nothing is thrown.
bool ShowLayeredFrame(HWND window, int width, int height, const std::uint8_t* pixels, int stride);

}  // namespace orvane
