#pragma once
// Canvas: everything a surface draws. Draw code is written once against this
// interface; the system compositor's surfaces are drawn with Direct2D +
// DirectWrite, pixel buffers on Windows (the software presenter) with the CPU
// canvas (SoftCanvas.h), Linux (tests, preview) with cairo + pango.
//
// Coordinates are physical pixels of the target (callers multiply DIP lengths
// by their scale), y grows downwards, angles are degrees clockwise on screen.
// Colours are straight (not premultiplied) RGBA in 0..1; bitmaps are
// premultiplied BGRA, the format every surface and icon uses.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace orvane {

struct Color {
  float r = 0, g = 0, b = 0, a = 0;

  // 0xAARRGGBB, the way colours are written throughout the product.
  static constexpr Color FromArgb(std::uint32_t argb) {
    return Color{static_cast<float>((argb >> 16) & 0xFF) / 255.0f, static_cast<float>((argb >> 8) & 0xFF) / 255.0f,
                 static_cast<float>(argb & 0xFF) / 255.0f, static_cast<float>((argb >> 24) & 0xFF) / 255.0f};
  }
  static constexpr Color Transparent() { return Color{}; }
  constexpr Color WithAlpha(float alpha) const { return Color{r, g, b, alpha}; }
  bool operator==(const Color&) const = default;
};

struct PointF {
  float x = 0, y = 0;
  bool operator==(const PointF&) const = default;
};

struct SizeF {
  float width = 0, height = 0;
  bool operator==(const SizeF&) const = default;
};

struct RectF {
  float left = 0, top = 0, right = 0, bottom = 0;
  float width() const { return right - left; }
  float height() const { return bottom - top; }
  bool operator==(const RectF&) const = default;
};

// 2-D affine transform, row-vector convention as Direct2D:
// x' = x*m11 + y*m21 + dx, y' = x*m12 + y*m22 + dy.
struct Matrix3x2 {
  float m11 = 1, m12 = 0, m21 = 0, m22 = 1, dx = 0, dy = 0;

  static Matrix3x2 Identity() { return {}; }
  static Matrix3x2 Translation(float x, float y) { return {1, 0, 0, 1, x, y}; }
  static Matrix3x2 Scale(float sx, float sy, PointF center = {});
  static Matrix3x2 Rotation(float degrees, PointF center = {});
  // this, then next (apply this transform first).
  Matrix3x2 Then(const Matrix3x2& next) const;
  PointF Apply(PointF p) const { return {p.x * m11 + p.y * m21 + dx, p.x * m12 + p.y * m22 + dy}; }
  // The inverse transform in `out`; false (and `out` untouched) when this
  // one is singular or not finite.
  bool Invert(Matrix3x2& out) const;
  bool operator==(const Matrix3x2&) const = default;
};

struct GradientStop {
  float position = 0;  // 0..1
  Color color;
};

// Linear gradient in the canvas's current coordinates; colours are
// interpolated in gamma 2.2 space and clamped beyond the end points.
struct LinearGradient {
  PointF start;
  PointF end;
  std::vector<GradientStop> stops;
};

// What a fill or stroke paints with.
using Paint = std::variant<Color, LinearGradient>;

enum class LineCap { Flat, Round, Square };
enum class LineJoin { Miter, Round, Bevel };

struct StrokeStyle {
  float width = 1;
  LineCap cap = LineCap::Flat;   // start, end and dash caps
  LineJoin join = LineJoin::Miter;
  float miterLimit = 10;

  static StrokeStyle Plain(float width) { return StrokeStyle{width}; }
  static StrokeStyle Rounded(float width) { return StrokeStyle{width, LineCap::Round, LineJoin::Round, 10}; }
};

// A path of one or more figures. ArcTo follows the SVG/Direct2D endpoint
// form: elliptical arc from the current point to `end`.
class Path {
 public:
  enum class Verb { MoveTo, LineTo, ArcTo, QuadTo, CubicTo, Close };
  struct Segment {
    Verb verb;
    PointF p1;  // end point (MoveTo/LineTo/ArcTo), control (QuadTo, CubicTo)
    PointF p2;  // end (QuadTo), second control (CubicTo)
    PointF p3;  // end (CubicTo)
    float radiusX = 0, radiusY = 0, rotationDegrees = 0;
    bool clockwise = true, largeArc = false;
  };

  Path& MoveTo(PointF p);
  Path& LineTo(PointF p);
  Path& ArcTo(PointF end, float radiusX, float radiusY, bool clockwise, bool largeArc, float rotationDegrees = 0);
  Path& QuadTo(PointF control, PointF end);
  Path& CubicTo(PointF control1, PointF control2, PointF end);
  Path& Close();

  // Circle arc on (center, radius) from angle a0 to a1 (degrees, 0 = right,
  // clockwise), drawn clockwise, as a new open figure.
  Path& Arc(PointF center, float radius, float a0Degrees, float a1Degrees);
  // Closed figures for the common shapes.
  Path& Rect(RectF r);
  Path& RoundedRect(RectF r, float radiusX, float radiusY);
  Path& Ellipse(PointF center, float radiusX, float radiusY);
  Path& Polygon(const std::vector<PointF>& points, bool closed = true);

  const std::vector<Segment>& segments() const { return segments_; }
  bool empty() const { return segments_.empty(); }

 private:
  std::vector<Segment> segments_;
};

enum class TextAlignment { Leading, Trailing, Center, Justified };
enum class ParagraphAlignment { Near, Far, Center };

// A text format: what DirectWrite keeps in an IDWriteTextFormat.
struct TextStyle {
  std::wstring family = L"Microsoft YaHei UI";
  float size = 12;  // pixels (DIP x scale)
  int weight = 400;  // 100..950 as DWRITE_FONT_WEIGHT
  TextAlignment alignment = TextAlignment::Leading;
  ParagraphAlignment paragraph = ParagraphAlignment::Center;
  bool wrap = false;      // off: one line
  bool ellipsis = false;  // trim at character granularity with "…"
  // Grayscale instead of the system's (ClearType) antialiasing, for text on
  // transparent pixels. The cairo canvas always draws grayscale.
  bool grayscale = false;
  // Picks glyph forms shared between scripts (e.g. L"zh-CN"); empty: the
  // platform's default.
  std::wstring locale;
};

struct TextMetrics {
  float width = 0;   // of the laid-out text (without trailing whitespace)
  float height = 0;  // line height x line count
  int lineCount = 0;
  bool trimmed = false;  // the ellipsis sign replaced part of the text
};

enum class Interpolation { NearestNeighbor, Linear, HighQuality };

// A premultiplied BGRA bitmap the caller owns for the duration of a call.
struct BitmapView {
  int width = 0;
  int height = 0;
  int stride = 0;  // bytes per row; width * 4 when packed
  const std::uint8_t* pixels = nullptr;
};

// Drop shadow of drawn content (the Direct2D Shadow effect): the content's
// alpha blurred with this standard deviation, tinted, and offset.
struct ShadowStyle {
  float standardDeviation = 3;
  Color color = Color{0, 0, 0, 1};
  PointF offset;
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual SizeF Size() const = 0;  // target size in pixels
  virtual void Clear(Color color) = 0;

  virtual void FillRect(const RectF& rect, const Paint& paint) = 0;
  // The shapes below default to FillPath / StrokePath of the shape's path;
  // a canvas with its own calls for them overrides them.
  virtual void StrokeRect(const RectF& rect, const Paint& paint, const StrokeStyle& stroke);
  virtual void FillRoundedRect(const RectF& rect, float radiusX, float radiusY, const Paint& paint);
  virtual void StrokeRoundedRect(const RectF& rect, float radiusX, float radiusY, const Paint& paint,
                                 const StrokeStyle& stroke);
  virtual void FillEllipse(PointF center, float radiusX, float radiusY, const Paint& paint);
  virtual void StrokeEllipse(PointF center, float radiusX, float radiusY, const Paint& paint,
                             const StrokeStyle& stroke);
  virtual void DrawLine(PointF from, PointF to, const Paint& paint, const StrokeStyle& stroke);
  virtual void FillPath(const Path& path, const Paint& paint) = 0;
  virtual void StrokePath(const Path& path, const Paint& paint, const StrokeStyle& stroke) = 0;

  // Draws `source` (the whole bitmap when empty) into `dest`. False when the
  // bitmap cannot be used (no pixels, a size below 1, a short stride) or the
  // platform cannot make a bitmap of it; a draw that covers no area is true.
  virtual bool DrawBitmap(const BitmapView& bitmap, const RectF& dest, float opacity = 1.0f,
                          Interpolation interpolation = Interpolation::Linear, const RectF* source = nullptr) = 0;

  // Lays the text out in `layout` with the style's alignment, paragraph
  // alignment, wrapping and trimming, and fills it with `paint`.
  virtual void DrawText(std::wstring_view text, const TextStyle& style, const RectF& layout, const Paint& paint) = 0;
  // Measures the text as DrawText would lay it out in a box of maxWidth x maxHeight.
  virtual TextMetrics MeasureText(std::wstring_view text, const TextStyle& style, float maxWidth,
                                  float maxHeight) = 0;

  // Clips nest; every Push has one Pop. Clip shapes are in current coordinates.
  virtual void PushClipRect(const RectF& rect, bool antialias = false) = 0;
  virtual void PushClipPath(const Path& path) = 0;
  virtual void PopClip() = 0;

  // Draws everything `content` draws into a layer blended with `opacity`.
  virtual void DrawLayer(float opacity, const std::function<void(Canvas&)>& content) = 0;

  // Draws only the shadow of what `content` draws (not the content itself).
  virtual void DrawShadow(const ShadowStyle& shadow, const std::function<void(Canvas&)>& content) = 0;

  virtual void SetTransform(const Matrix3x2& transform) = 0;
  virtual Matrix3x2 Transform() const = 0;
};

}  // namespace orvane
