#include "ui/glyphs/StatusGlyphs.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numbers>
#include <vector>

namespace orvane {
namespace {

// Points of one glyph in its own units around its centre.
struct GlyphFrame {
  PointF center;
  float u;

  PointF At(float x, float y) const { return {center.x + x * u, center.y + y * u}; }
  float Len(float units) const { return units * u; }
  RectF Box(float left, float top, float right, float bottom) const {
    return {center.x + left * u, center.y + top * u, center.x + right * u, center.y + bottom * u};
  }
};

GlyphFrame FrameOf(GlyphStroke stroke, PointF center, float size) { return {center, GlyphUnit(stroke, size)}; }

// Round caps and joins: every stroke but the few drawn plain.
StrokeStyle Shared(float width) { return StrokeStyle::Rounded(width); }

void StrokeArc(Canvas& canvas, PointF center, float radius, float a0, float a1, Color color, float width) {
  Path path;
  path.Arc(center, radius, a0, a1);
  canvas.StrokePath(path, color, Shared(width));
}

void FillPolygon(Canvas& canvas, std::initializer_list<PointF> points, Color color) {
  Path path;
  path.Polygon(std::vector<PointF>(points), true);
  canvas.FillPath(path, color);
}

void DrawRune(Canvas& canvas, PointF center, float size, bool slash, Color color) {
  const GlyphFrame f = FrameOf(GlyphStroke::BluetoothRune, center, size);
  const float w = GlyphStrokeWidth(GlyphStroke::BluetoothRune, size);
  Path rune;
  rune.Polygon({f.At(-4, -3.4f), f.At(4, 3.4f), f.At(-0.2f, 7.2f), f.At(-0.2f, -7.2f), f.At(4, -3.4f),
                f.At(-4, 3.4f)},
               false);
  canvas.StrokePath(rune, color, Shared(w));
  if (slash) canvas.DrawLine(f.At(-6.5f, -6), f.At(6.5f, 6), color, Shared(w));
}

// Eight rays at 45-degree steps from radius r0 to r1.
void DrawRays(Canvas& canvas, const GlyphFrame& f, float r0, float r1, Color color, float width) {
  for (int i = 0; i < 8; ++i) {
    const float a = static_cast<float>(i) * std::numbers::pi_v<float> / 4;
    const float c = std::cos(a), s = std::sin(a);
    canvas.DrawLine(f.At(r0 * c, r0 * s), f.At(r1 * c, r1 * s), color, Shared(width));
  }
}

}  // namespace

GlyphStrokeRule StrokeRuleOf(GlyphStroke stroke) {
  switch (stroke) {
    case GlyphStroke::WifiArc: return {18, 1.65f, 1.25f};
    case GlyphStroke::BluetoothRune: return {18, 1.55f, 1.25f};
    case GlyphStroke::SmallSunRay: return {18, 1.55f, 1.25f};
    case GlyphStroke::NightLight: return {18, 1.5f, 1.25f};
    case GlyphStroke::ThemeRing: return {18, 1.5f, 1.25f};
    case GlyphStroke::Speaker: return {18, 1.45f, 1.2f};
    case GlyphStroke::Chevron: return {14, 1.6f, 1.25f};
    case GlyphStroke::Rescan: return {16, 1.45f, 1.2f};
    case GlyphStroke::Device: return {18, 1.5f, 1.2f};
    case GlyphStroke::PadlockShackle: return {14, 1.35f, 1.1f};
    case GlyphStroke::MagnifierRing: return {18, 1.6f, 1.3f};
    case GlyphStroke::TogglePill: return {18, 1.25f, 1.1f};
  }
  return {};
}

float GlyphUnit(GlyphStroke stroke, float sizePx) { return sizePx / StrokeRuleOf(stroke).unitDivisor; }

float GlyphStrokeWidth(GlyphStroke stroke, float sizePx) {
  const GlyphStrokeRule rule = StrokeRuleOf(stroke);
  return std::max(rule.widthUnits * sizePx / rule.unitDivisor, rule.floorPx);
}

std::array<bool, 3> WifiArcsLit(int bars, bool off) {
  std::array<bool, 3> lit{};
  for (int k = 1; k <= 3; ++k) lit[k - 1] = !off && bars >= k;
  return lit;
}

SpeakerMarks SpeakerMarksFor(float level, bool muted) {
  if (muted || !(level >= 0.01f)) return {true, 0};
  if (level > 0.66f) return {false, 3};
  if (level > 0.28f) return {false, 2};
  return {false, 1};
}

BluetoothDeviceType BluetoothDeviceTypeOf(int deviceType) {
  switch (deviceType) {
    case 0: return BluetoothDeviceType::AudioVideo;
    case 1: return BluetoothDeviceType::Peripheral;
    case 2: return BluetoothDeviceType::Phone;
    default: return BluetoothDeviceType::Other;
  }
}

void DrawWifiGlyph(Canvas& canvas, PointF center, float size, int bars, bool off, Color on, Color dim) {
  const GlyphFrame f = FrameOf(GlyphStroke::WifiArc, center, size);
  const float w = GlyphStrokeWidth(GlyphStroke::WifiArc, size);
  const PointF dot = f.At(0, 5.2f);
  canvas.FillEllipse(dot, f.Len(1.45f), f.Len(1.45f), off ? dim : on);
  const std::array<bool, 3> lit = WifiArcsLit(bars, off);
  const float radii[3] = {4.3f, 7.6f, 10.9f};
  for (int k = 0; k < 3; ++k) StrokeArc(canvas, dot, f.Len(radii[k]), -134, -46, lit[k] ? on : dim, w);
  if (off) canvas.DrawLine(f.At(-6.8f, -5.8f), f.At(6.8f, 6.2f), on, Shared(w));
}

void DrawBluetoothGlyph(Canvas& canvas, PointF center, float size, bool slash, Color color) {
  DrawRune(canvas, center, size, slash, color);
}

void DrawSmallSunGlyph(Canvas& canvas, PointF center, float size, Color color) {
  const GlyphFrame f = FrameOf(GlyphStroke::SmallSunRay, center, size);
  canvas.FillEllipse(center, f.Len(3.6f), f.Len(3.6f), color);
  DrawRays(canvas, f, 5.6f, 7.7f, color, GlyphStrokeWidth(GlyphStroke::SmallSunRay, size));
}

void DrawNightLightGlyph(Canvas& canvas, PointF center, float size, Color color) {
  const GlyphFrame f = FrameOf(GlyphStroke::NightLight, center, size);
  const float w = GlyphStrokeWidth(GlyphStroke::NightLight, size);
  canvas.StrokeEllipse(center, f.Len(4), f.Len(4), color, StrokeStyle::Plain(w));
  StrokeArc(canvas, f.At(1.1f, -0.5f), f.Len(2.2f), 40, 220, color, w);
  DrawRays(canvas, f, 6, 7.6f, color, w);
}

void DrawThemeGlyph(Canvas& canvas, PointF center, float size, Color color) {
  const GlyphFrame f = FrameOf(GlyphStroke::ThemeRing, center, size);
  const float r = f.Len(6.8f);
  canvas.StrokeEllipse(center, r, r, color, StrokeStyle::Plain(GlyphStrokeWidth(GlyphStroke::ThemeRing, size)));
  Path half;
  half.MoveTo(f.At(0, -6.8f)).ArcTo(f.At(0, 6.8f), r, r, true, false).Close();
  canvas.FillPath(half, color);
}

void DrawSpeakerGlyph(Canvas& canvas, PointF center, float size, float level, bool muted, Color color,
                      Color cross) {
  const GlyphFrame f = FrameOf(GlyphStroke::Speaker, center, size);
  const float w = GlyphStrokeWidth(GlyphStroke::Speaker, size);
  FillPolygon(canvas,
              {f.At(-7.2f, -2.4f), f.At(-4, -2.4f), f.At(0, -5.8f), f.At(0, 5.8f), f.At(-4, 2.4f), f.At(-7.2f, 2.4f)},
              color);
  const SpeakerMarks marks = SpeakerMarksFor(level, muted);
  if (marks.cross) {
    canvas.DrawLine(f.At(2.2f, -2.8f), f.At(6.8f, 2.8f), cross, Shared(w));
    canvas.DrawLine(f.At(6.8f, -2.8f), f.At(2.2f, 2.8f), cross, Shared(w));
    return;
  }
  const float radii[3] = {3.2f, 5.6f, 8};
  for (int k = 0; k < marks.waves; ++k) StrokeArc(canvas, f.At(-0.5f, 0), f.Len(radii[k]), -42, 42, color, w);
}

void DrawChevronGlyph(Canvas& canvas, PointF center, float size, ChevronDirection direction, Color color) {
  const GlyphFrame f = FrameOf(GlyphStroke::Chevron, center, size);
  const float w = GlyphStrokeWidth(GlyphStroke::Chevron, size);
  const float d = direction == ChevronDirection::Right ? 2.6f : -2.6f;
  canvas.DrawLine(f.At(-d, -4.2f), f.At(d, 0), color, Shared(w));
  canvas.DrawLine(f.At(d, 0), f.At(-d, 4.2f), color, Shared(w));
}

void DrawRescanGlyph(Canvas& canvas, PointF center, float size, Color color) {
  const GlyphFrame f = FrameOf(GlyphStroke::Rescan, center, size);
  const float w = GlyphStrokeWidth(GlyphStroke::Rescan, size);
  StrokeArc(canvas, center, f.Len(4.8f), -60, 235, color, w);
  canvas.DrawLine(f.At(2.4f, -6.2f), f.At(4.8f, -3.6f), color, Shared(w));
  canvas.DrawLine(f.At(4.8f, -3.6f), f.At(1.8f, -2.6f), color, Shared(w));
}

void DrawPreviousGlyph(Canvas& canvas, PointF center, float size, Color color) {
  const GlyphFrame f{center, size / 18};
  canvas.FillRoundedRect(f.Box(-6.2f, -5, -4.2f, 5), f.Len(0.9f), f.Len(0.9f), color);
  FillPolygon(canvas, {f.At(-3.4f, 0), f.At(5.4f, -5.2f), f.At(5.4f, 5.2f)}, color);
}

void DrawPlayGlyph(Canvas& canvas, PointF center, float size, Color color) {
  const GlyphFrame f{center, size / 18};
  FillPolygon(canvas, {f.At(-4, -5.8f), f.At(5.8f, 0), f.At(-4, 5.8f)}, color);
}

void DrawPauseGlyph(Canvas& canvas, PointF center, float size, Color color) {
  const GlyphFrame f{center, size / 18};
  canvas.FillRoundedRect(f.Box(-4.8f, -5.6f, -1.4f, 5.6f), f.Len(1.2f), f.Len(1.2f), color);
  canvas.FillRoundedRect(f.Box(1.4f, -5.6f, 4.8f, 5.6f), f.Len(1.2f), f.Len(1.2f), color);
}

void DrawNextGlyph(Canvas& canvas, PointF center, float size, Color color) {
  const GlyphFrame f{center, size / 18};
  canvas.FillRoundedRect(f.Box(4.2f, -5, 6.2f, 5), f.Len(0.9f), f.Len(0.9f), color);
  FillPolygon(canvas, {f.At(3.4f, 0), f.At(-5.4f, -5.2f), f.At(-5.4f, 5.2f)}, color);
}

void DrawDeviceGlyph(Canvas& canvas, PointF center, float size, BluetoothDeviceType type, Color color) {
  const GlyphFrame f = FrameOf(GlyphStroke::Device, center, size);
  const float w = GlyphStrokeWidth(GlyphStroke::Device, size);
  switch (type) {
    case BluetoothDeviceType::AudioVideo:
      StrokeArc(canvas, f.At(0, 0.5f), f.Len(5.4f), -180, 0, color, w);
      canvas.FillRoundedRect(f.Box(-6.8f, 0.2f, -3.6f, 5.6f), f.Len(1.4f), f.Len(1.4f), color);
      canvas.FillRoundedRect(f.Box(3.6f, 0.2f, 6.8f, 5.6f), f.Len(1.4f), f.Len(1.4f), color);
      return;
    case BluetoothDeviceType::Peripheral:
      canvas.StrokeRoundedRect(f.Box(-4.4f, -6.2f, 4.4f, 6.2f), f.Len(4), f.Len(4), color, StrokeStyle::Plain(w));
      canvas.DrawLine(f.At(0, -3.6f), f.At(0, -1.2f), color, Shared(w));
      return;
    case BluetoothDeviceType::Phone:
      canvas.StrokeRoundedRect(f.Box(-4, -6.6f, 4, 6.6f), f.Len(1.6f), f.Len(1.6f), color, StrokeStyle::Plain(w));
      canvas.FillEllipse(f.At(0, 4.4f), f.Len(0.9f), f.Len(0.9f), color);
      return;
    case BluetoothDeviceType::Other:
      break;
  }
  DrawRune(canvas, center, size, false, color);
}

void DrawPadlockGlyph(Canvas& canvas, PointF center, float size, Color color) {
  const GlyphFrame f = FrameOf(GlyphStroke::PadlockShackle, center, size);
  StrokeArc(canvas, f.At(0, -1.5f), f.Len(2.6f), -180, 0, color, GlyphStrokeWidth(GlyphStroke::PadlockShackle, size));
  canvas.FillRoundedRect(f.Box(-4, -1, 4, 4.8f), f.Len(1.4f), f.Len(1.4f), color);
}

void DrawMagnifierGlyph(Canvas& canvas, PointF center, float size, Color color) {
  const GlyphFrame f = FrameOf(GlyphStroke::MagnifierRing, center, size);
  const float w = GlyphStrokeWidth(GlyphStroke::MagnifierRing, size);
  canvas.StrokeEllipse(f.At(-1.4f, -1.4f), f.Len(4.8f), f.Len(4.8f), color, StrokeStyle::Plain(w));
  canvas.DrawLine(f.At(2.2f, 2.2f), f.At(6.2f, 6.2f), color, Shared(1.15f * w));
}

void DrawTogglePillsGlyph(Canvas& canvas, PointF center, float size, Color primary, Color secondary) {
  const GlyphFrame f = FrameOf(GlyphStroke::TogglePill, center, size);
  constexpr float kLeft = -6.7f, kWidth = 13.4f, kHeight = 5.4f, kRadius = 2.7f, kKnob = 2.1f;
  const float radius = f.Len(kRadius);
  const float knob = f.Len(kKnob);

  constexpr float kUpperTop = -6;
  canvas.StrokeRoundedRect(f.Box(kLeft, kUpperTop, kLeft + kWidth, kUpperTop + kHeight), radius, radius, primary,
                           StrokeStyle::Plain(GlyphStrokeWidth(GlyphStroke::TogglePill, size)));
  canvas.FillEllipse(f.At(kLeft + kWidth - kRadius, kUpperTop + kHeight / 2), knob, knob, primary);

  constexpr float kLowerTop = 0.8f;
  canvas.FillRoundedRect(f.Box(kLeft, kLowerTop, kLeft + kWidth, kLowerTop + kHeight), radius, radius, secondary);
  canvas.FillEllipse(f.At(kLeft + kRadius, kLowerTop + kHeight / 2), knob, knob, primary);
}

}  // namespace orvane
