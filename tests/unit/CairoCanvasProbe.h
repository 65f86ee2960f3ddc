#pragma once
// A pixel buffer with a canvas over it and probes for the canvas tests.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "render/PixelCanvas.h"

namespace orvane::testing {

struct Bgra {
  int b = 0, g = 0, r = 0, a = 0;
};

struct InkBox {
  int left = 0, top = 0, right = 0, bottom = 0;  // right/bottom exclusive
  int count = 0;
  bool empty() const { return count == 0; }
};

class PixelBuffer {
 public:
  PixelBuffer(int width, int height) : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height * 4) {}

  std::unique_ptr<Canvas> NewCanvas() { return CreatePixelCanvas(pixels_.data(), width_, height_, width_ * 4); }

  Bgra At(int x, int y) const {
    const std::uint8_t* p = pixels_.data() + (static_cast<size_t>(y) * width_ + x) * 4;
    return {p[0], p[1], p[2], p[3]};
  }
  int Alpha(int x, int y) const { return At(x, y).a; }

  // Bounding box of the pixels whose alpha exceeds `threshold`.
  InkBox Ink(int threshold = 0) const {
    InkBox box{width_, height_, 0, 0, 0};
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        if (Alpha(x, y) <= threshold) continue;
        box.left = std::min(box.left, x);
        box.top = std::min(box.top, y);
        box.right = std::max(box.right, x + 1);
        box.bottom = std::max(box.bottom, y + 1);
        ++box.count;
      }
    }
    return box;
  }

  int width() const { return width_; }
  int height() const { return height_; }
  std::vector<std::uint8_t>& pixels() { return pixels_; }

 private:
  int width_, height_;
  std::vector<std::uint8_t> pixels_;
};

constexpr Color kOpaqueRed{1, 0, 0, 1};
constexpr Color kOpaqueBlue{0, 0, 1, 1};
constexpr Color kOpaqueBlack{0, 0, 0, 1};

}  // namespace orvane::testing
