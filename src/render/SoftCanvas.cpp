#include "render/SoftCanvas.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "render/Blur.h"

namespace orvane {
namespace {

// The shadow and blur effects of the system canvas accept deviations up to 250.
constexpr float kMaxShadowDeviation = 250.0f;

float Finite(float value) { return std::isfinite(value) ? value : 0.0f; }

// A linear gradient as 256 premultiplied pixels along its axis. Channels
// are interpolated as stored (gamma-encoded), as the canvas promises.
class GradientRamp {
 public:
  explicit GradientRamp(const LinearGradient& g) {
    std::vector<GradientStop> stops = g.stops;
    std::stable_sort(stops.begin(), stops.end(),
                     [](const GradientStop& a, const GradientStop& b) { return a.position < b.position; });
    for (int i = 0; i < 256; ++i) {
      const float t = static_cast<float>(i) / 255.0f;
      ramp_[i] = PremultipliedPixel(ColorAt(stops, t));
    }
  }
  std::uint32_t At(float t) const {
    if (!(t > 0)) return ramp_[0];
    if (t >= 1) return ramp_[255];
    return ramp_[static_cast<int>(t * 255.0f + 0.5f)];
  }

 private:
  static Color ColorAt(const std::vector<GradientStop>& stops, float t) {
    if (stops.empty()) return Color{};
    if (t <= std::clamp(stops.front().position, 0.0f, 1.0f)) return stops.front().color;
    for (size_t i = 1; i < stops.size(); ++i) {
      const float p0 = std::clamp(stops[i - 1].position, 0.0f, 1.0f), p1 = std::clamp(stops[i].position, 0.0f, 1.0f);
      if (t > p1) continue;
      const float f = p1 > p0 ? (t - p0) / (p1 - p0) : 1.0f;
      const Color& a = stops[i - 1].color;
      const Color& b = stops[i].color;
      return Color{a.r + (b.r - a.r) * f, a.g + (b.g - a.g) * f, a.b + (b.b - a.b) * f, a.a + (b.a - a.a) * f};
    }
    return stops.back().color;
  }

  std::array<std::uint32_t, 256> ramp_{};
};

// A rectangle's corners under a transform, as a closed polygon.
Polyline RectPolygon(const RectF& r, const Matrix3x2& m) {
  return Polyline{{m.Apply({r.left, r.top}), m.Apply({r.right, r.top}), m.Apply({r.right, r.bottom}),
                   m.Apply({r.left, r.bottom})},
                  true};
}

// Area-averaged reduction by whole factors, so that a picture drawn at a
// fraction of its size is not sampled from a few of its pixels.
std::vector<std::uint8_t> BoxReduce(const BitmapView& bitmap, int fx, int fy, int& outWidth, int& outHeight) {
  outWidth = std::max(1, bitmap.width / fx);
  outHeight = std::max(1, bitmap.height / fy);
  std::vector<std::uint8_t> out(static_cast<size_t>(outWidth) * outHeight * 4);
  for (int y = 0; y < outHeight; ++y) {
    for (int x = 0; x < outWidth; ++x) {
      std::uint32_t sum[4] = {0, 0, 0, 0};
      int count = 0;
      for (int sy = y * fy; sy < std::min(bitmap.height, (y + 1) * fy); ++sy) {
        const std::uint8_t* p = bitmap.pixels + static_cast<size_t>(sy) * bitmap.stride + static_cast<size_t>(x) * fx * 4;
        for (int sx = x * fx; sx < std::min(bitmap.width, (x + 1) * fx); ++sx, p += 4) {
          for (int k = 0; k < 4; ++k) sum[k] += p[k];
          ++count;
        }
      }
      std::uint8_t* d = out.data() + (static_cast<size_t>(y) * outWidth + x) * 4;
      for (int k = 0; k < 4; ++k) d[k] = static_cast<std::uint8_t>((sum[k] + count / 2) / std::max(count, 1));
    }
  }
  return out;
}

}  // namespace

SoftCanvas::SoftCanvas(FrameRaster& raster, SizeF size, TextRasterizer* text)
    : raster_(raster), size_(size), text_(text), baseDepth_(raster.clipDepth()) {}

SoftCanvas::~SoftCanvas() {
  while (raster_.clipDepth() > baseDepth_) raster_.PopClip();
}

void SoftCanvas::Clear(Color color) { raster_.Replace(color); }

void SoftCanvas::Blend(const PixelRect& box, const std::uint8_t* coverage, int stride, const Paint& paint) {
  if (const Color* color = std::get_if<Color>(&paint)) {
    raster_.FillMask(box, coverage, stride, PremultipliedPixel(*color));
    return;
  }
  const LinearGradient& gradient = std::get<LinearGradient>(paint);
  Matrix3x2 inverse;
  if (!transform_.Invert(inverse)) return;
  const GradientRamp ramp(gradient);
  const float ax = gradient.end.x - gradient.start.x, ay = gradient.end.y - gradient.start.y;
  const float lengthSquared = ax * ax + ay * ay;
  raster_.FillMask(box, coverage, stride, [&](int x, int y) {
    if (!(lengthSquared > 0)) return ramp.At(1);
    const PointF p = inverse.Apply({x + 0.5f, y + 0.5f});
    return ramp.At(((p.x - gradient.start.x) * ax + (p.y - gradient.start.y) * ay) / lengthSquared);
  });
}

void SoftCanvas::FillPolygons(const std::vector<Polyline>& polygons, FillRule rule, const Paint& paint) {
  const PixelRect box = PolygonBounds(polygons, raster_.clipBox());
  if (box.empty()) return;
  RasterizePolygons(polygons, box, rule, cells_, coverage_);
  Blend(box, coverage_.data(), box.width, paint);
}

void SoftCanvas::FillRect(const RectF& rect, const Paint& paint) {
  if (const Color* color = std::get_if<Color>(&paint)) {
    // Exact edge coverage, and no outline to rasterize.
    raster_.SetTransform(transform_);
    raster_.FillRect(RectF{std::min(rect.left, rect.right), std::min(rect.top, rect.bottom),
                           std::max(rect.left, rect.right), std::max(rect.top, rect.bottom)},
                     *color);
    return;
  }
  FillPolygons({RectPolygon(rect, transform_)}, FillRule::NonZero, paint);
}

void SoftCanvas::FillPath(const Path& path, const Paint& paint) {
  // Figures overlap by the alternate rule, as on the system canvas.
  FillPolygons(FlattenPath(path, transform_), FillRule::EvenOdd, paint);
}

void SoftCanvas::StrokePath(const Path& path, const Paint& paint, const StrokeStyle& stroke) {
  // Stroked in a uniformly scaled space as fine as the device, then mapped
  // through the rest of the transform, so a skew or a stretch widens the
  // pen as it would on the system canvas.
  const float det = transform_.m11 * transform_.m22 - transform_.m12 * transform_.m21;
  const float scale = std::sqrt(std::fabs(det));
  if (!(scale > 1e-6f) || !std::isfinite(scale)) return;
  StrokeStyle scaled = stroke;
  scaled.width = stroke.width * scale;
  std::vector<Polyline> polygons = StrokePolygons(FlattenPath(path, Matrix3x2::Scale(scale, scale)), scaled);
  TransformPolylines(polygons, Matrix3x2::Scale(1 / scale, 1 / scale).Then(transform_));
  FillPolygons(polygons, FillRule::NonZero, paint);
}

bool SoftCanvas::DrawBitmap(const BitmapView& bitmap, const RectF& dest, float opacity, Interpolation interpolation,
                            const RectF* source) {
  if (bitmap.pixels == nullptr || bitmap.width <= 0 || bitmap.height <= 0 || bitmap.stride < bitmap.width * 4) {
    return false;
  }
  raster_.SetTransform(transform_);
  RectF src = source != nullptr ? *source
                                : RectF{0, 0, static_cast<float>(bitmap.width), static_cast<float>(bitmap.height)};
  if (interpolation == Interpolation::HighQuality && source == nullptr && dest.width() != 0 && dest.height() != 0) {
    // Shrinking by more than half: average blocks of pixels first.
    const float sx = std::hypot(transform_.m11, transform_.m12) * std::fabs(dest.width()) / bitmap.width;
    const float sy = std::hypot(transform_.m21, transform_.m22) * std::fabs(dest.height()) / bitmap.height;
    const int fx = sx > 0 && sx < 0.5f ? static_cast<int>(1 / sx) : 1;
    const int fy = sy > 0 && sy < 0.5f ? static_cast<int>(1 / sy) : 1;
    if (fx > 1 || fy > 1) {
      int width = 0, height = 0;
      const std::vector<std::uint8_t> reduced = BoxReduce(bitmap, fx, fy, width, height);
      raster_.DrawBitmap(BitmapView{width, height, width * 4, reduced.data()}, dest, opacity, Interpolation::Linear);
      return true;
    }
  }
  raster_.DrawBitmap(bitmap, dest, opacity, interpolation, &src);
  return true;
}

void SoftCanvas::DrawText(std::wstring_view text, const TextStyle& style, const RectF& layout, const Paint& paint) {
  if (text_ == nullptr || text.empty() || !raster_.CanDraw()) return;
  text_->Rasterize(text, style, layout, transform_, raster_.clipBox(),
                   [&](const PixelRect& box, const std::uint8_t* coverage, int stride) {
                     Blend(box, coverage, stride, paint);
                   });
}

TextMetrics SoftCanvas::MeasureText(std::wstring_view text, const TextStyle& style, float maxWidth, float maxHeight) {
  if (text_ == nullptr) return TextMetrics{};
  return text_->Measure(text, style, maxWidth, maxHeight);
}

void SoftCanvas::PushClipRect(const RectF& rect, bool antialias) {
  // Axis-aligned like the system canvas's rectangle clip: under a rotation
  // the clip is the transformed rectangle's bounding box.
  const Polyline corners = RectPolygon(rect, transform_);
  float left = corners.points[0].x, right = left, top = corners.points[0].y, bottom = top;
  for (const PointF& p : corners.points) {
    left = std::min(left, p.x), right = std::max(right, p.x);
    top = std::min(top, p.y), bottom = std::max(bottom, p.y);
  }
  if (!antialias) {
    // An aliased clip keeps the pixels whose centres lie inside.
    left = std::ceil(left - 0.5f), top = std::ceil(top - 0.5f);
    right = std::ceil(right - 0.5f), bottom = std::ceil(bottom - 0.5f);
  }
  if (!(right > left) || !(bottom > top)) right = left, bottom = top;  // clips everything away
  raster_.PushClipPolygons({RectPolygon(RectF{left, top, right, bottom}, Matrix3x2::Identity())}, FillRule::NonZero);
}

void SoftCanvas::PushClipPath(const Path& path) {
  raster_.PushClipPolygons(FlattenPath(path, transform_), FillRule::EvenOdd);
}

void SoftCanvas::PopClip() {
  if (raster_.clipDepth() > baseDepth_) raster_.PopClip();  // an unmatched pop changes nothing
}

void SoftCanvas::DrawLayer(float opacity, const std::function<void(Canvas&)>& content) {
  if (!content) return;
  raster_.SetTransform(transform_);
  raster_.DrawLayer(std::clamp(Finite(opacity), 0.0f, 1.0f), [&](FrameRaster& layer) {
    SoftCanvas inner(layer, size_, text_);
    inner.SetTransform(transform_);
    content(inner);
  });
}

void SoftCanvas::DrawShadow(const ShadowStyle& shadow, const std::function<void(Canvas&)>& content) {
  if (!content) return;
  const float sigma = std::clamp(Finite(shadow.standardDeviation), 0.0f, kMaxShadowDeviation);
  const int offsetX = static_cast<int>(std::lround(std::clamp(Finite(shadow.offset.x), -1e6f, 1e6f)));
  const int offsetY = static_cast<int>(std::lround(std::clamp(Finite(shadow.offset.y), -1e6f, 1e6f)));
  // The shadow lands only inside the clip; the content it comes from lies
  // there before the offset moved it, plus what the blur reaches.
  const PixelRect clip = raster_.clipBox();
  if (clip.empty()) return;
  const int reach = static_cast<int>(std::ceil(3.0f * sigma)) + 1;
  const PixelRect area{clip.left - offsetX - reach, clip.top - offsetY - reach, clip.width + 2 * reach,
                       clip.height + 2 * reach};
  std::vector<std::uint8_t> pixels(static_cast<size_t>(area.width) * area.height * 4, 0);
  {
    FrameRaster piece(pixels.data(), area.width, area.height, area.width * 4, area, area.left, area.top, nullptr);
    SoftCanvas inner(piece, size_, text_);
    inner.SetTransform(transform_);
    content(inner);
  }
  std::vector<std::uint8_t> alpha(static_cast<size_t>(area.width) * area.height);
  for (size_t i = 0; i < alpha.size(); ++i) alpha[i] = pixels[i * 4 + 3];
  GaussianBlurAlpha(alpha.data(), area.width, area.height, area.width, sigma);
  const PixelRect landed{area.left + offsetX, area.top + offsetY, area.width, area.height};
  raster_.FillMask(landed, alpha.data(), area.width, PremultipliedPixel(shadow.color));
}

// --- over a caller's buffer -------------------------------------------------------------

namespace {

// What the canvas draws into, built before the canvas part and kept until
// after it (a base of the class below, so it comes first).
struct PixelTarget {
  PixelTarget(std::uint8_t* pixels, int width, int height, int stride, std::shared_ptr<TextRasterizer> text)
      : text(std::move(text)), raster(pixels, width, height, stride, PixelRect{0, 0, width, height}) {}
  std::shared_ptr<TextRasterizer> text;
  FrameRaster raster;
};

class SoftPixelCanvas final : private PixelTarget, public SoftCanvas {
 public:
  SoftPixelCanvas(std::uint8_t* pixels, int width, int height, int stride, std::shared_ptr<TextRasterizer> text)
      : PixelTarget(pixels, width, height, stride, std::move(text)),
        SoftCanvas(raster, SizeF{static_cast<float>(width), static_cast<float>(height)}, PixelTarget::text.get()) {}
};

}  // namespace

std::unique_ptr<Canvas> CreateSoftPixelCanvas(std::uint8_t* bgraPremultiplied, int width, int height, int stride,
                                              std::shared_ptr<TextRasterizer> text) {
  if (bgraPremultiplied == nullptr || width <= 0 || height <= 0 || stride < width * 4) return nullptr;
  return std::make_unique<SoftPixelCanvas>(bgraPremultiplied, width, height, stride, std::move(text));
}

}  // namespace orvane
