#pragma once
// A software compositor with one window target and a root that fills the
// frame, plus helpers to build sprites and surfaces and to probe frames.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "app/Errors.h"
#include "render/SoftCompositor.h"

namespace orvane::testing {

struct Pixel {
  int b = 0, g = 0, r = 0, a = 0;
};

inline Pixel PixelAt(const SoftFrame& frame, int x, int y) {
  const std::uint8_t* p = frame.pixels.data() + (static_cast<size_t>(y) * frame.width + x) * 4;
  return {p[0], p[1], p[2], p[3]};
}

inline Pixel PixelAt(const BitmapView& view, int x, int y) {
  const std::uint8_t* p = view.pixels + static_cast<size_t>(y) * view.stride + static_cast<size_t>(x) * 4;
  return {p[0], p[1], p[2], p[3]};
}

// Whether the premultiplied pixel shows `color` (straight, opaque) at `alpha`, within `tolerance`.
inline bool Shows(Pixel p, std::uint32_t rgb, int alpha = 255, int tolerance = 3) {
  const int r = static_cast<int>((rgb >> 16) & 0xFF) * alpha / 255, g = static_cast<int>((rgb >> 8) & 0xFF) * alpha / 255,
            b = static_cast<int>(rgb & 0xFF) * alpha / 255;
  return std::abs(p.r - r) <= tolerance && std::abs(p.g - g) <= tolerance && std::abs(p.b - b) <= tolerance &&
         std::abs(p.a - alpha) <= tolerance;
}

inline ::testing::AssertionResult PixelIs(const SoftFrame& frame, int x, int y, std::uint32_t rgb, int alpha = 255,
                                          int tolerance = 3) {
  const Pixel p = PixelAt(frame, x, y);
  if (Shows(p, rgb, alpha, tolerance)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is BGRA " << p.b << ", " << p.g << ", "
                                       << p.r << ", " << p.a << "; expected RGB " << std::hex << rgb << std::dec
                                       << " at alpha " << alpha;
}

// Bounding box of the pixels whose alpha exceeds `threshold`; right and bottom exclusive.
struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const Box&) const = default;
};

inline Box InkBox(const SoftFrame& frame, int threshold = 127) {
  Box box{frame.width, frame.height, 0, 0};
  for (int y = 0; y < frame.height; ++y) {
    for (int x = 0; x < frame.width; ++x) {
      if (PixelAt(frame, x, y).a <= threshold) continue;
      box.left = std::min(box.left, x), box.top = std::min(box.top, y);
      box.right = std::max(box.right, x + 1), box.bottom = std::max(box.bottom, y + 1);
    }
  }
  return box.right == 0 ? Box{} : box;
}

inline void PrintTo(const Box& b, std::ostream* os) {
  *os << "(" << b.left << ", " << b.top << ")-(" << b.right << ", " << b.bottom << ")";
}

// Opaque BGRA pixels from a function of the pixel position returning 0xRRGGBB.
inline std::vector<std::uint8_t> OpaquePixels(int width, int height, const std::function<std::uint32_t(int, int)>& rgb) {
  std::vector<std::uint8_t> pixels(static_cast<size_t>(width) * height * 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t c = rgb(x, y);
      std::uint8_t* p = pixels.data() + (static_cast<size_t>(y) * width + x) * 4;
      p[0] = c & 0xFF, p[1] = (c >> 8) & 0xFF, p[2] = (c >> 16) & 0xFF, p[3] = 255;
    }
  }
  return pixels;
}

inline Color Rgb(std::uint32_t rgb) { return Color::FromArgb(0xFF000000u | rgb); }

class SoftCompositorTest : public ::testing::Test {
 protected:
  SoftCompositorTest() {
    root->SetRelativeSizeAdjustment({1, 1});
    target->SetRoot(root);
  }

  SoftFrame Render(int width = 100, int height = 100, ScreenPoint window = {}) {
    return compositor.RenderTarget(*target, width, height, window);
  }

  // A sprite with a colour brush, inserted at the top of `parent` (the root when null).
  std::shared_ptr<SpriteVisual> AddSprite(std::uint32_t rgb, Vector2 offset, Vector2 size,
                                          ContainerVisual* parent = nullptr) {
    auto sprite = compositor.CreateSpriteVisual();
    sprite->SetBrush(compositor.CreateColorBrush(Rgb(rgb)));
    sprite->SetOffset({offset.x, offset.y, 0});
    sprite->SetSize(size);
    (parent != nullptr ? parent : root.get())->InsertAtTop(sprite);
    return sprite;
  }

  std::shared_ptr<DrawingSurface> SurfaceWith(int width, int height, const std::function<std::uint32_t(int, int)>& rgb) {
    auto surface = compositor.CreateDrawingSurface(width, height);
    const auto pixels = OpaquePixels(width, height, rgb);
    EXPECT_TRUE(compositor.DrawPixels(*surface, width, height, pixels.data()));
    return surface;
  }

  SoftCompositor compositor;
  std::shared_ptr<WindowTarget> target = compositor.CreateWindowTarget(1, true);
  std::shared_ptr<ContainerVisual> root = compositor.CreateContainerVisual();
};

constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF, kBlack = 0x000000;

}  // namespace orvane::testing
