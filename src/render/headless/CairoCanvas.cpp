#include "render/headless/CairoCanvas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "render/Blur.h"
#include "render/headless/CairoGeometry.h"
#include "render/headless/CairoText.h"

namespace orvane {
namespace {

// Direct2D's shadow and blur effects accept deviations up to 250.
constexpr float kMaxShadowDeviation = 250.0f;

// Every call leaves its pixels in the surface's memory before returning, so
// the caller's buffer is always up to date.
class FlushOnReturn {
 public:
  explicit FlushOnReturn(cairo_t* cr) : cr_(cr) {}
  ~FlushOnReturn() { cairo_surface_flush(cairo_get_target(cr_)); }
  FlushOnReturn(const FlushOnReturn&) = delete;
  FlushOnReturn& operator=(const FlushOnReturn&) = delete;

 private:
  cairo_t* cr_;
};

float Finite(float value) { return std::isfinite(value) ? value : 0.0f; }

}  // namespace

CairoCanvas::CairoCanvas(cairo_surface_t* surface, SizeF size) : cr_(cairo_create(surface)), size_(size) {
  // Direct2D fills paths with the alternate (even-odd) rule by default.
  cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_EVEN_ODD);
}

CairoCanvas::~CairoCanvas() {
  while (clipDepth_ > 0) PopClip();
  Flush();
  if (text_ != nullptr) g_object_unref(text_);
  cairo_destroy(cr_);
}

void CairoCanvas::Flush() { cairo_surface_flush(cairo_get_target(cr_)); }

void CairoCanvas::ApplyTransform() {
  if (singular_) return;
  const cairo_matrix_t m = ToCairoMatrix(transform_);
  cairo_set_matrix(cr_, &m);
}

void CairoCanvas::SetTransform(const Matrix3x2& transform) {
  transform_ = transform;
  cairo_matrix_t inverse = ToCairoMatrix(transform);
  singular_ = cairo_matrix_invert(&inverse) != CAIRO_STATUS_SUCCESS;
  ApplyTransform();
}

void CairoCanvas::FillCurrentPath(const Paint& paint) {
  SetSource(cr_, paint);
  cairo_fill(cr_);
}

void CairoCanvas::StrokeCurrentPath(const Paint& paint, const StrokeStyle& stroke) {
  SetStrokeStyle(cr_, stroke);
  SetSource(cr_, paint);
  cairo_stroke(cr_);
}

void CairoCanvas::Clear(Color color) {
  FlushOnReturn flush(cr_);
  cairo_save(cr_);
  cairo_set_operator(cr_, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_rgba(cr_, color.r, color.g, color.b, color.a);
  cairo_paint(cr_);
  cairo_restore(cr_);
}

void CairoCanvas::FillRect(const RectF& rect, const Paint& paint) { FillPath(Path().Rect(rect), paint); }

void CairoCanvas::FillPath(const Path& path, const Paint& paint) {
  if (singular_) return;
  FlushOnReturn flush(cr_);
  cairo_new_path(cr_);
  AppendPath(cr_, path);
  FillCurrentPath(paint);
}

void CairoCanvas::StrokePath(const Path& path, const Paint& paint, const StrokeStyle& stroke) {
  if (singular_) return;
  FlushOnReturn flush(cr_);
  cairo_new_path(cr_);
  AppendPath(cr_, path);
  StrokeCurrentPath(paint, stroke);
}

bool CairoCanvas::DrawBitmap(const BitmapView& bitmap, const RectF& dest, float opacity, Interpolation interpolation,
                             const RectF* source) {
  if (bitmap.pixels == nullptr || bitmap.width <= 0 || bitmap.height <= 0 || bitmap.stride < bitmap.width * 4) {
    return false;
  }
  if (singular_ || dest.width() == 0 || dest.height() == 0) return true;
  RectF src = source != nullptr ? *source : RectF{0, 0, static_cast<float>(bitmap.width), static_cast<float>(bitmap.height)};
  src.left = std::max(src.left, 0.0f);
  src.top = std::max(src.top, 0.0f);
  src.right = std::min(src.right, static_cast<float>(bitmap.width));
  src.bottom = std::min(src.bottom, static_cast<float>(bitmap.height));
  if (!(src.width() > 0) || !(src.height() > 0)) return true;
  FlushOnReturn flush(cr_);

  // Only the pixels under the source rectangle are sampled, so filtering at
  // its edges does not bleed in neighbouring parts of an atlas.
  const int x0 = static_cast<int>(std::floor(src.left)), y0 = static_cast<int>(std::floor(src.top));
  const int width = static_cast<int>(std::ceil(src.right)) - x0, height = static_cast<int>(std::ceil(src.bottom)) - y0;
  const std::uint8_t* first = bitmap.pixels + static_cast<size_t>(y0) * bitmap.stride + static_cast<size_t>(x0) * 4;
  std::vector<std::uint8_t> copy;
  unsigned char* data = nullptr;
  int stride = bitmap.stride;
  if (bitmap.stride % 4 == 0 && reinterpret_cast<std::uintptr_t>(first) % 4 == 0) {
    data = const_cast<unsigned char*>(first);  // cairo only reads a source surface
  } else {
    // cairo needs whole 32-bit words per pixel row.
    stride = width * 4;
    copy.resize(static_cast<size_t>(stride) * height);
    for (int y = 0; y < height; ++y) {
      std::copy_n(first + static_cast<size_t>(y) * bitmap.stride, stride, copy.begin() + static_cast<std::ptrdiff_t>(y) * stride);
    }
    data = copy.data();
  }
  cairo_surface_t* image = cairo_image_surface_create_for_data(data, CAIRO_FORMAT_ARGB32, width, height, stride);
  if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(image);
    return false;
  }
  cairo_pattern_t* pattern = cairo_pattern_create_for_surface(image);
  const double sx = src.width() / dest.width(), sy = src.height() / dest.height();
  cairo_matrix_t toBitmap;
  cairo_matrix_init(&toBitmap, sx, 0, 0, sy, src.left - x0 - dest.left * sx, src.top - y0 - dest.top * sy);
  cairo_pattern_set_matrix(pattern, &toBitmap);
  switch (interpolation) {
    case Interpolation::NearestNeighbor: cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST); break;
    case Interpolation::Linear: cairo_pattern_set_filter(pattern, CAIRO_FILTER_BILINEAR); break;
    case Interpolation::HighQuality: cairo_pattern_set_filter(pattern, CAIRO_FILTER_GOOD); break;
  }
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);

  cairo_save(cr_);
  cairo_new_path(cr_);
  cairo_rectangle(cr_, dest.left, dest.top, dest.width(), dest.height());
  cairo_clip(cr_);
  cairo_set_source(cr_, pattern);
  cairo_paint_with_alpha(cr_, std::clamp(Finite(opacity), 0.0f, 1.0f));
  cairo_restore(cr_);

  cairo_pattern_destroy(pattern);
  cairo_surface_finish(image);  // the pixels are the caller's only for this call
  cairo_surface_destroy(image);
  return true;
}

PangoContext* CairoCanvas::TextContext() {
  if (text_ == nullptr) text_ = CreateTextContext();
  return text_;
}

void CairoCanvas::DrawText(std::wstring_view text, const TextStyle& style, const RectF& layout, const Paint& paint) {
  if (singular_ || text.empty()) return;
  FlushOnReturn flush(cr_);
  TextBlock block(TextContext(), text, style, layout.width(), layout.height());
  const PointF origin = block.Origin(layout);
  SetSource(cr_, paint);
  cairo_new_path(cr_);
  cairo_move_to(cr_, origin.x, origin.y);
  pango_cairo_show_layout(cr_, block.layout());
  cairo_new_path(cr_);
}

TextMetrics CairoCanvas::MeasureText(std::wstring_view text, const TextStyle& style, float maxWidth,
                                     float maxHeight) {
  return TextBlock(TextContext(), text, style, maxWidth, maxHeight).Metrics();
}

void CairoCanvas::PushClipRect(const RectF& rect, bool antialias) {
  cairo_save(cr_);
  ++clipDepth_;
  cairo_new_path(cr_);
  cairo_identity_matrix(cr_);
  if (singular_) {
    cairo_rectangle(cr_, 0, 0, 0, 0);
  } else {
    // Like Direct2D's axis-aligned clip: under a rotation or skew the clip
    // is the bounding box of the transformed rectangle.
    const PointF corners[4] = {transform_.Apply({rect.left, rect.top}), transform_.Apply({rect.right, rect.top}),
                               transform_.Apply({rect.right, rect.bottom}), transform_.Apply({rect.left, rect.bottom})};
    float left = corners[0].x, right = corners[0].x, top = corners[0].y, bottom = corners[0].y;
    for (const PointF& p : corners) {
      left = std::min(left, p.x);
      right = std::max(right, p.x);
      top = std::min(top, p.y);
      bottom = std::max(bottom, p.y);
    }
    if (!antialias) {
      // An aliased clip keeps the pixels whose centres lie inside.
      left = std::ceil(left - 0.5f);
      top = std::ceil(top - 0.5f);
      right = std::ceil(right - 0.5f);
      bottom = std::ceil(bottom - 0.5f);
      cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
    }
    cairo_rectangle(cr_, left, top, std::max(right - left, 0.0f), std::max(bottom - top, 0.0f));
  }
  cairo_clip(cr_);
  cairo_set_antialias(cr_, CAIRO_ANTIALIAS_DEFAULT);
  ApplyTransform();
}

void CairoCanvas::PushClipPath(const Path& path) {
  cairo_save(cr_);
  ++clipDepth_;
  cairo_new_path(cr_);
  if (singular_) {
    cairo_identity_matrix(cr_);
    cairo_rectangle(cr_, 0, 0, 0, 0);
  } else {
    AppendPath(cr_, path);
  }
  cairo_clip(cr_);
  ApplyTransform();
}

void CairoCanvas::PopClip() {
  if (clipDepth_ == 0) return;  // an unmatched pop would break cairo's state for good
  cairo_restore(cr_);
  --clipDepth_;
  ApplyTransform();  // restore brought back the transform of the push
}

void CairoCanvas::DrawLayer(float opacity, const std::function<void(Canvas&)>& content) {
  FlushOnReturn flush(cr_);
  const int depth = clipDepth_;
  cairo_push_group(cr_);
  content(*this);
  while (clipDepth_ > depth) PopClip();
  cairo_pop_group_to_source(cr_);
  cairo_paint_with_alpha(cr_, std::clamp(Finite(opacity), 0.0f, 1.0f));
  ApplyTransform();
}

void CairoCanvas::DrawShadow(const ShadowStyle& shadow, const std::function<void(Canvas&)>& content) {
  FlushOnReturn flush(cr_);
  const float sigma = std::clamp(Finite(shadow.standardDeviation), 0.0f, kMaxShadowDeviation);
  const float offsetX = Finite(shadow.offset.x), offsetY = Finite(shadow.offset.y);

  // The shadow can only land inside the clip; the mask covers what the
  // blur reaches of that area before the offset moves it.
  double clipLeft = 0, clipTop = 0, clipRight = 0, clipBottom = 0;
  cairo_identity_matrix(cr_);
  cairo_clip_extents(cr_, &clipLeft, &clipTop, &clipRight, &clipBottom);
  ApplyTransform();
  const double reach = std::ceil(3.0 * sigma) + 1;
  const int left = static_cast<int>(std::floor(clipLeft - offsetX - reach));
  const int top = static_cast<int>(std::floor(clipTop - offsetY - reach));
  const int width = static_cast<int>(std::ceil(clipRight - offsetX + reach)) - left;
  const int height = static_cast<int>(std::ceil(clipBottom - offsetY + reach)) - top;
  if (clipRight <= clipLeft || clipBottom <= clipTop || width <= 0 || height <= 0) return;

  cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, width, height);
  if (cairo_surface_status(mask) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(mask);
    return;
  }
  cairo_surface_set_device_offset(mask, -left, -top);
  {
    CairoCanvas maskCanvas(mask, size_);
    maskCanvas.SetTransform(transform_);
    content(maskCanvas);
  }
  GaussianBlurAlpha(cairo_image_surface_get_data(mask), width, height, cairo_image_surface_get_stride(mask), sigma);
  cairo_surface_mark_dirty(mask);
  cairo_surface_set_device_offset(mask, 0, 0);

  cairo_identity_matrix(cr_);
  cairo_set_source_rgba(cr_, shadow.color.r, shadow.color.g, shadow.color.b, shadow.color.a);
  cairo_mask_surface(cr_, mask, left + offsetX, top + offsetY);
  ApplyTransform();
  cairo_surface_destroy(mask);
}

}  // namespace orvane
