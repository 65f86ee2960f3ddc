#include "Wallpaper.h"

#include <algorithm>

#include "render/PixelCanvas.h"

namespace orvane::preview {

Wallpaper MakeWallpaper(int width, int height) {
  Wallpaper wallpaper{width, height, std::vector<std::uint8_t>(static_cast<size_t>(width) * height * 4)};
  auto canvas = CreatePixelCanvas(wallpaper.pixels.data(), width, height, width * 4);
  if (canvas == nullptr) return wallpaper;
  const float w = static_cast<float>(width), h = static_cast<float>(height), unit = std::min(w, h);

  canvas->FillRect(RectF{0, 0, w, h},
                   LinearGradient{{0, 0},
                                  {w, h},
                                  {{0.0f, Color::FromArgb(0xFF1E3A8A)},
                                   {0.5f, Color::FromArgb(0xFF7C3AED)},
                                   {1.0f, Color::FromArgb(0xFFF97316)}}});
  canvas->FillEllipse({0.18f * w, 0.72f * h}, 0.26f * unit, 0.26f * unit, Color::FromArgb(0xE014B8A6));
  canvas->FillEllipse({0.78f * w, 0.28f * h}, 0.30f * unit, 0.30f * unit, Color::FromArgb(0xD0EC4899));
  canvas->FillEllipse({0.55f * w, 0.84f * h}, 0.16f * unit, 0.16f * unit, Color::FromArgb(0xE0FACC15));
  canvas->FillRoundedRect(RectF{0.30f * w, 0.12f * h, 0.52f * w, 0.40f * h}, 0.04f * unit, 0.04f * unit,
                          Color::FromArgb(0xC022D3EE));

  // Fine lines and a checker band: sharp detail that a blur visibly softens.
  for (int i = 0; i < 24; ++i) {
    const float x = (static_cast<float>(i) / 24.0f) * w * 1.5f - 0.25f * w;
    canvas->DrawLine({x, 0}, {x + 0.5f * w, h}, Color{1, 1, 1, 0.35f}, StrokeStyle::Plain(std::max(1.0f, unit / 400)));
  }
  const float cell = std::max(4.0f, unit / 40);
  for (float y = 0.48f * h; y < 0.56f * h; y += cell) {
    for (float x = 0; x < w; x += cell) {
      const bool dark = static_cast<int>(x / cell + (y - 0.48f * h) / cell) % 2 == 0;
      canvas->FillRect(RectF{x, y, x + cell, y + cell}, dark ? Color{0, 0, 0, 0.35f} : Color{1, 1, 1, 0.35f});
    }
  }
  return wallpaper;
}

}  // namespace orvane::preview
