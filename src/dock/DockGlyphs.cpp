// The vector glyphs of the launcher button, the notification area and the
// power item: a dark rounded plate with a motif, on a 160-pixel square that
// the sprite scales.

#include <cmath>
#include <numbers>

#include "dock/DockPictures.h"

namespace orvane {
namespace {

constexpr float kSide = static_cast<float>(kGlyphSide);

void Plate(Canvas& canvas, Color fill, Color outline) {
  const RectF plate{10, 10, kSide - 10, kSide - 10};
  canvas.FillRoundedRect(plate, 34, 34, fill);
  canvas.StrokeRoundedRect(plate, 34, 34, outline, StrokeStyle::Plain(2.5f));
}

// Squares of `side` in a grid of `columns`, one colour each, row by row.
void SquareGrid(Canvas& canvas, int columns, float side, float radius, float pitch, const Color* colours, int count) {
  const float first = (kSide - (pitch * static_cast<float>(columns - 1) + side)) / 2;
  for (int i = 0; i < count; ++i) {
    const float x = first + pitch * static_cast<float>(i % columns), y = first + pitch * static_cast<float>(i / columns);
    canvas.FillRoundedRect(RectF{x, y, x + side, y + side}, radius, radius, colours[i]);
  }
}

void LauncherButton(Canvas& canvas) {
  Plate(canvas, Color{0.14f, 0.16f, 0.22f, 0.96f}, Color{1, 1, 1, 0.26f});
  static constexpr Color kColours[] = {
      {1.0f, 0.36f, 0.38f, 1}, {1.0f, 0.64f, 0.16f, 1}, {1.0f, 0.84f, 0.18f, 1},
      {0.24f, 0.84f, 0.44f, 1}, {0.12f, 0.72f, 0.96f, 1}, {0.22f, 0.50f, 1.0f, 1},
      {0.68f, 0.38f, 1.0f, 1}, {0.98f, 0.32f, 0.68f, 1}, {0.86f, 0.90f, 0.96f, 1},
  };
  SquareGrid(canvas, 3, 28, 8, 39, kColours, 9);
}

void NotificationArea(Canvas& canvas) {
  Plate(canvas, Color{0.12f, 0.36f, 0.72f, 0.96f}, Color{1, 1, 1, 0.28f});
  const Color white{1, 1, 1, 0.96f};
  const Color colours[] = {white, white, white, Color::FromArgb(0xFF30D158)};
  SquareGrid(canvas, 2, 32, 9, 46, colours, 4);
}

// A ring open at the top with a bar standing in the gap.
void Power(Canvas& canvas) {
  Plate(canvas, Color{0.16f, 0.14f, 0.18f, 0.96f}, Color{1.0f, 0.36f, 0.32f, 0.45f});
  const Color red{1.0f, 0.30f, 0.28f, 0.98f};
  const float cx = kSide / 2, cy = 0.52f * kSide, radius = 36;
  constexpr int kSegments = 40;
  // One open figure of the 40 chords, so the joins leave no seams between them.
  Path ring;
  for (int k = 0; k <= kSegments; ++k) {
    const double a = (static_cast<double>(k) / kSegments * 270.0 - 45.0) * std::numbers::pi / 180.0;
    const PointF p{cx + radius * static_cast<float>(std::cos(a)), cy + radius * static_cast<float>(std::sin(a))};
    if (k == 0) {
      ring.MoveTo(p);
    } else {
      ring.LineTo(p);
    }
  }
  canvas.StrokePath(ring, red, StrokeStyle::Plain(10));
  canvas.DrawLine({cx, cy - 44}, {cx, cy - 2}, red, StrokeStyle::Plain(10.5f));
}

}  // namespace

bool HasBuiltInGlyph(DockItemKind kind) {
  return kind == DockItemKind::LauncherButton || kind == DockItemKind::NotificationArea || kind == DockItemKind::Power;
}

void DrawBuiltInGlyph(Canvas& canvas, DockItemKind kind) {
  switch (kind) {
    case DockItemKind::LauncherButton: LauncherButton(canvas); break;
    case DockItemKind::NotificationArea: NotificationArea(canvas); break;
    case DockItemKind::Power: Power(canvas); break;
    default: break;
  }
}

}  // namespace orvane
