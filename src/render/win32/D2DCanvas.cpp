#include "render/win32/D2DCanvas.h"

#include <d2d1effects.h>

#include <algorithm>
#include <cmath>

#include "app/Errors.h"
#include "render/ShadowMask.h"
#include "render/win32/D2DGeometry.h"
#include "render/win32/D2DSupport.h"
#include "render/win32/WicTarget.h"

namespace orvane {
namespace {

// The Shadow effect accepts deviations up to 250; the CPU blur gets the same.
constexpr float kMaxShadowDeviation = 250.0f;

float Finite(float value) { return std::isfinite(value) ? value : 0.0f; }
float Unit(float value) { return std::clamp(Finite(value), 0.0f, 1.0f); }

ComPtr<IDWriteFactory> SharedOr(IDWriteFactory* dwrite) {
  ComPtr<IDWriteFactory> factory(dwrite);
  if (!factory) {
    ThrowIfFailed(DWriteCreateFactory(DWRITE_FACTORY_TYPE_SHARED, __uuidof(IDWriteFactory),
                                      reinterpret_cast<IUnknown**>(factory.Put())));
  }
  return factory;
}

Matrix3x2 FromD2D(const D2D1_MATRIX_3X2_F& m) { return Matrix3x2{m._11, m._12, m._21, m._22, m._31, m._32}; }

RectF Normalized(const RectF& r) {
  return RectF{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
               std::max(r.top, r.bottom)};
}

D2D1_CAP_STYLE ToD2D(LineCap cap) {
  switch (cap) {
    case LineCap::Round: return D2D1_CAP_STYLE_ROUND;
    case LineCap::Square: return D2D1_CAP_STYLE_SQUARE;
    case LineCap::Flat: break;
  }
  return D2D1_CAP_STYLE_FLAT;
}

D2D1_LINE_JOIN ToD2D(LineJoin join) {
  switch (join) {
    case LineJoin::Round: return D2D1_LINE_JOIN_ROUND;
    case LineJoin::Bevel: return D2D1_LINE_JOIN_BEVEL;
    case LineJoin::Miter: break;
  }
  return D2D1_LINE_JOIN_MITER;
}

D2D1_INTERPOLATION_MODE ToD2D(Interpolation interpolation) {
  switch (interpolation) {
    case Interpolation::NearestNeighbor: return D2D1_INTERPOLATION_MODE_NEAREST_NEIGHBOR;
    case Interpolation::HighQuality: return D2D1_INTERPOLATION_MODE_HIGH_QUALITY_CUBIC;
    case Interpolation::Linear: break;
  }
  return D2D1_INTERPOLATION_MODE_LINEAR;
}

D2D1_LAYER_PARAMETERS1 LayerParameters(ID2D1Geometry* mask, float opacity) {
  D2D1_LAYER_PARAMETERS1 layer{};
  layer.contentBounds = D2D1::InfiniteRect();
  layer.geometricMask = mask;
  layer.maskAntialiasMode = D2D1_ANTIALIAS_MODE_PER_PRIMITIVE;
  layer.maskTransform = D2D1::IdentityMatrix();
  layer.opacity = opacity;
  layer.layerOptions = D2D1_LAYER_OPTIONS1_NONE;
  return layer;
}

}  // namespace

D2DCanvas::D2DCanvas(ID2D1DeviceContext* context, IDWriteFactory* dwrite, SizeF size)
    : D2DCanvas(context, dwrite, size, [context] {
        D2D1_MATRIX_3X2_F current;
        context->GetTransform(&current);
        return FromD2D(current);
      }()) {}

D2DCanvas::D2DCanvas(ID2D1DeviceContext* context, IDWriteFactory* dwrite, SizeF size, const Matrix3x2& base)
    : text_(SharedOr(dwrite)), size_(size) {
  context->GetFactory(factory_.Put());
  if (!(size_.width > 0) || !(size_.height > 0)) {
    const D2D1_SIZE_F target = context->GetSize();
    size_ = SizeF{target.width, target.height};
  }
  Level level;
  level.context = ComPtr<ID2D1DeviceContext>(context);
  level.base = base;
  level.area = RectF{0, 0, size_.width, size_.height};
  levels_.push_back(std::move(level));
  ApplyTransform();
}

D2DCanvas::~D2DCanvas() {
  try {
    while (!clips_.empty()) PopClip();
  } catch (...) {
    UnwindTo(0, 1);
  }
  UnwindTo(0, 1);
  levels_.front().context->SetTransform(ToD2D(levels_.front().base));
}

IWICImagingFactory* D2DCanvas::Wic() {
  if (!wic_) wic_ = CreateWicFactory();
  return wic_.Get();
}

const D2DSupport& D2DCanvas::Support() const { return ProbeD2DSupport(factory_.Get()); }

void D2DCanvas::ApplyTransform() {
  const Level& level = levels_.back();
  level.context->SetTransform(ToD2D(transform_.Then(level.base)));
}

void D2DCanvas::SetTransform(const Matrix3x2& transform) {
  transform_ = transform;
  ApplyTransform();
}

void D2DCanvas::Clear(Color color) { context()->Clear(ToD2D(color)); }

// --- Brushes, strokes, geometry -------------------------------------------------

ComPtr<ID2D1Brush> D2DCanvas::BrushFor(const Paint& paint) {
  Level& level = levels_.back();
  if (const Color* color = std::get_if<Color>(&paint)) {
    if (!(color->a > 0)) return {};  // paints nothing
    if (level.solid) {
      level.solid->SetColor(ToD2D(*color));
    } else if (FAILED(level.context->CreateSolidColorBrush(ToD2D(*color), level.solid.Put()))) {
      return {};
    }
    return ComPtr<ID2D1Brush>(level.solid.Get());
  }

  const LinearGradient& gradient = std::get<LinearGradient>(paint);
  if (gradient.stops.empty()) return {};
  std::vector<D2D1_GRADIENT_STOP> stops;
  stops.reserve(gradient.stops.size());
  for (const GradientStop& stop : gradient.stops) stops.push_back({Finite(stop.position), ToD2D(stop.color)});
  ComPtr<ID2D1GradientStopCollection> collection;
  if (FAILED(level.context->CreateGradientStopCollection(stops.data(), static_cast<UINT32>(stops.size()),
                                                         D2D1_GAMMA_2_2, D2D1_EXTEND_MODE_CLAMP, collection.Put()))) {
    return {};
  }
  ComPtr<ID2D1LinearGradientBrush> brush;
  if (FAILED(level.context->CreateLinearGradientBrush(
          D2D1::LinearGradientBrushProperties(ToD2D(gradient.start), ToD2D(gradient.end)), collection.Get(),
          brush.Put()))) {
    return {};
  }
  return ComPtr<ID2D1Brush>(brush.Get());
}

ID2D1StrokeStyle* D2DCanvas::StrokeStyleFor(const StrokeStyle& stroke) {
  const float miterLimit = std::max(Finite(stroke.miterLimit), 1.0f);
  // The target's own default: flat caps, miter joins, limit 10.
  if (stroke.cap == LineCap::Flat && stroke.join == LineJoin::Miter && miterLimit == 10.0f) return nullptr;
  for (const auto& [key, style] : strokes_) {
    if (key.cap == stroke.cap && key.join == stroke.join && key.miterLimit == miterLimit) return style.Get();
  }
  const D2D1_CAP_STYLE cap = ToD2D(stroke.cap);
  const D2D1_STROKE_STYLE_PROPERTIES properties{cap, cap, cap, ToD2D(stroke.join), miterLimit, D2D1_DASH_STYLE_SOLID,
                                                0.0f};
  ComPtr<ID2D1StrokeStyle> style;
  if (FAILED(factory_->CreateStrokeStyle(&properties, nullptr, 0, style.Put()))) return nullptr;
  strokes_.emplace_back(StrokeStyle{stroke.width, stroke.cap, stroke.join, miterLimit}, style);
  return style.Get();
}

void D2DCanvas::DrawGeometry(ID2D1Geometry* geometry, const Paint& paint, const StrokeStyle* stroke) {
  if (stroke != nullptr && !(Finite(stroke->width) > 0)) return;
  const ComPtr<ID2D1Brush> brush = BrushFor(paint);
  if (!brush) return;
  if (stroke == nullptr) {
    context()->FillGeometry(geometry, brush.Get());
  } else {
    context()->DrawGeometry(geometry, brush.Get(), stroke->width, StrokeStyleFor(*stroke));
  }
}

// --- Shapes ---------------------------------------------------------------------

void D2DCanvas::FillRect(const RectF& rect, const Paint& paint) {
  if (const auto brush = BrushFor(paint)) context()->FillRectangle(ToD2D(Normalized(rect)), brush.Get());
}

void D2DCanvas::StrokeRect(const RectF& rect, const Paint& paint, const StrokeStyle& stroke) {
  if (!(Finite(stroke.width) > 0)) return;
  if (const auto brush = BrushFor(paint)) {
    context()->DrawRectangle(ToD2D(Normalized(rect)), brush.Get(), stroke.width, StrokeStyleFor(stroke));
  }
}

namespace {

// Radii as the path builder clamps them: not negative, at most half a side.
D2D1_ROUNDED_RECT RoundedRect(const RectF& box, float radiusX, float radiusY) {
  const RectF r = Normalized(box);
  const float rx = std::min(std::max(Finite(radiusX), 0.0f), r.width() / 2);
  const float ry = std::min(std::max(Finite(radiusY), 0.0f), r.height() / 2);
  return D2D1::RoundedRect(ToD2D(r), rx, ry);
}

}  // namespace

void D2DCanvas::FillRoundedRect(const RectF& rect, float radiusX, float radiusY, const Paint& paint) {
  if (const auto brush = BrushFor(paint))
    context()->FillRoundedRectangle(RoundedRect(rect, radiusX, radiusY), brush.Get());
}

void D2DCanvas::StrokeRoundedRect(const RectF& rect, float radiusX, float radiusY, const Paint& paint,
                                  const StrokeStyle& stroke) {
  if (!(Finite(stroke.width) > 0)) return;
  if (const auto brush = BrushFor(paint)) {
    context()->DrawRoundedRectangle(RoundedRect(rect, radiusX, radiusY), brush.Get(), stroke.width,
                                    StrokeStyleFor(stroke));
  }
}

void D2DCanvas::FillEllipse(PointF center, float radiusX, float radiusY, const Paint& paint) {
  if (const auto brush = BrushFor(paint)) {
    context()->FillEllipse(D2D1::Ellipse(ToD2D(center), std::fabs(radiusX), std::fabs(radiusY)), brush.Get());
  }
}

void D2DCanvas::StrokeEllipse(PointF center, float radiusX, float radiusY, const Paint& paint,
                              const StrokeStyle& stroke) {
  if (!(Finite(stroke.width) > 0)) return;
  if (const auto brush = BrushFor(paint)) {
    context()->DrawEllipse(D2D1::Ellipse(ToD2D(center), std::fabs(radiusX), std::fabs(radiusY)), brush.Get(),
                           stroke.width, StrokeStyleFor(stroke));
  }
}

void D2DCanvas::DrawLine(PointF from, PointF to, const Paint& paint, const StrokeStyle& stroke) {
  if (!(Finite(stroke.width) > 0)) return;
  if (const auto brush = BrushFor(paint)) {
    context()->DrawLine(ToD2D(from), ToD2D(to), brush.Get(), stroke.width, StrokeStyleFor(stroke));
  }
}

ComPtr<ID2D1Geometry> D2DCanvas::PathGeometry(const Path& path) {
  if (path.empty()) return {};
  try {
    return ComPtr<ID2D1Geometry>(CreatePathGeometry(factory_.Get(), path, Support().arcs).Get());
  } catch (const HResultError&) {
    return {};
  }
}

void D2DCanvas::FillPath(const Path& path, const Paint& paint) {
  if (const auto geometry = PathGeometry(path)) DrawGeometry(geometry.Get(), paint, nullptr);
}

void D2DCanvas::StrokePath(const Path& path, const Paint& paint, const StrokeStyle& stroke) {
  if (const auto geometry = PathGeometry(path)) DrawGeometry(geometry.Get(), paint, &stroke);
}

// --- Bitmaps --------------------------------------------------------------------

bool D2DCanvas::DrawBitmap(const BitmapView& bitmap, const RectF& dest, float opacity, Interpolation interpolation,
                           const RectF* source) {
  const float alpha = Unit(opacity);
  if (bitmap.pixels == nullptr || bitmap.width <= 0 || bitmap.height <= 0 || bitmap.stride < bitmap.width * 4) {
    return false;
  }
  if (dest.width() == 0 || dest.height() == 0 || !(alpha > 0)) return true;
  RectF src =
      source != nullptr ? *source : RectF{0, 0, static_cast<float>(bitmap.width), static_cast<float>(bitmap.height)};
  src.left = std::max(src.left, 0.0f);
  src.top = std::max(src.top, 0.0f);
  src.right = std::min(src.right, static_cast<float>(bitmap.width));
  src.bottom = std::min(src.bottom, static_cast<float>(bitmap.height));
  if (!(src.width() > 0) || !(src.height() > 0)) return true;

  // Upload only the pixels under the source rectangle, so that filtering at
  // its edges cannot pull in neighbouring parts of an atlas.
  const int x0 = static_cast<int>(std::floor(src.left)), y0 = static_cast<int>(std::floor(src.top));
  const int width = static_cast<int>(std::ceil(src.right)) - x0, height = static_cast<int>(std::ceil(src.bottom)) - y0;
  const std::uint8_t* first = bitmap.pixels + static_cast<size_t>(y0) * bitmap.stride + static_cast<size_t>(x0) * 4;
  const D2D1_BITMAP_PROPERTIES properties =
      D2D1::BitmapProperties(D2D1::PixelFormat(DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_PREMULTIPLIED));
  ComPtr<ID2D1Bitmap> uploaded;
  if (FAILED(context()->CreateBitmap(D2D1::SizeU(static_cast<UINT32>(width), static_cast<UINT32>(height)), first,
                                     static_cast<UINT32>(bitmap.stride), &properties, uploaded.Put()))) {
    return false;
  }
  const D2D1_RECT_F destination = ToD2D(dest);
  const D2D1_RECT_F within = D2D1::RectF(src.left - x0, src.top - y0, src.right - x0, src.bottom - y0);
  context()->DrawBitmap(uploaded.Get(), &destination, alpha, ToD2D(interpolation), &within, nullptr);
  return true;
}

// --- Text -----------------------------------------------------------------------

TextMetrics D2DCanvas::MeasureText(std::wstring_view text, const TextStyle& style, float maxWidth, float maxHeight) {
  return text_.Measure(text, style, maxWidth, maxHeight);
}

void D2DCanvas::DrawText(std::wstring_view text, const TextStyle& style, const RectF& layout, const Paint& paint) {
  if (text.empty()) return;
  const auto textLayout = text_.Layout(text, style, layout.width(), layout.height());
  if (!textLayout) return;
  if (const auto brush = BrushFor(paint)) {
    const D2D1_TEXT_ANTIALIAS_MODE previous = context()->GetTextAntialiasMode();
    if (style.grayscale) context()->SetTextAntialiasMode(D2D1_TEXT_ANTIALIAS_MODE_GRAYSCALE);
    context()->DrawTextLayout(D2D1::Point2F(layout.left, layout.top), textLayout.Get(), brush.Get(),
                              D2D1_DRAW_TEXT_OPTIONS_NONE);
    context()->SetTextAntialiasMode(previous);
  }
}

// --- Offscreen levels -------------------------------------------------------------

void D2DCanvas::PushOffscreen(const RectF& area) {
  const int width = std::max(static_cast<int>(std::ceil(area.width())), 1);
  const int height = std::max(static_cast<int>(std::ceil(area.height())), 1);
  const WicTarget target = CreateWicTarget(factory_.Get(), Wic(), width, height);
  Level level;
  level.context = target.context;
  level.base = Matrix3x2::Translation(-area.left, -area.top);
  level.area = RectF{area.left, area.top, area.left + width, area.top + height};
  level.pixels = target.bitmap;
  level.target = target.target;
  level.target->BeginDraw();
  level.target->Clear(D2D1::ColorF(0, 0, 0, 0));
  levels_.push_back(std::move(level));
  ApplyTransform();
}

void D2DCanvas::PushRecording() {
  const Level& below = levels_.back();
  ComPtr<ID2D1Device> device;
  below.context->GetDevice(device.Put());
  if (!device) ThrowHResult(E_NOINTERFACE);
  Level level;
  ThrowIfFailed(device->CreateDeviceContext(D2D1_DEVICE_CONTEXT_OPTIONS_NONE, level.context.Put()));
  float dpiX = 96, dpiY = 96;
  below.context->GetDpi(&dpiX, &dpiY);
  level.context->SetDpi(dpiX, dpiY);
  ThrowIfFailed(level.context->CreateCommandList(level.commands.Put()));
  level.base = below.base;
  level.area = below.area;
  level.context->SetTarget(level.commands.Get());
  level.context->BeginDraw();
  levels_.push_back(std::move(level));
  ApplyTransform();
}

D2DCanvas::Level D2DCanvas::FinishLevel() {
  Level level = std::move(levels_.back());
  levels_.pop_back();
  if (level.target) {
    ThrowIfFailed(level.target->EndDraw());
  } else if (level.commands) {
    const HRESULT drawn = level.context->EndDraw();
    level.context->SetTarget(nullptr);
    ThrowIfFailed(drawn);
    ThrowIfFailed(level.commands->Close());
  }
  ApplyTransform();
  return level;
}

ComPtr<ID2D1Bitmap> D2DCanvas::UploadOffscreen(const Level& level) {
  ComPtr<ID2D1Bitmap> bitmap;
  ThrowIfFailed(context()->CreateBitmapFromWicBitmap(level.pixels.Get(), nullptr, bitmap.Put()));
  return bitmap;
}

void D2DCanvas::UnwindTo(size_t clipDepth, size_t levelDepth) {
  // Only after a failure: close what is open, newest first, without
  // compositing it.
  while (clips_.size() > clipDepth || levels_.size() > levelDepth) {
    const size_t top = levels_.size() - 1;
    const bool clipIsNewer = clips_.size() > clipDepth && clips_.back().level == top;
    if (clipIsNewer) {
      const ClipKind kind = clips_.back().kind;
      clips_.pop_back();
      if (kind == ClipKind::Rect) context()->PopAxisAlignedClip();
      if (kind == ClipKind::Layer) context()->PopLayer();
      continue;
    }
    if (top == 0) {  // clips of a level already gone (cannot happen)
      clips_.pop_back();
      continue;
    }
    if (!clips_.empty() && clips_.back().kind == ClipKind::Offscreen && clips_.back().level + 1 == top) {
      clips_.pop_back();
    }
    Level& level = levels_.back();
    if (level.target) level.target->EndDraw();
    if (level.commands) {
      level.context->EndDraw();
      level.context->SetTarget(nullptr);
    }
    levels_.pop_back();
  }
  ApplyTransform();
}

void D2DCanvas::RunContent(const std::function<void(Canvas&)>& content, size_t unwindClips, size_t unwindLevels) {
  // On a throw the caller's clips and levels are unwound too, so every
  // caller's push is undone in one place.
  try {
    const size_t clipDepth = clips_.size();
    const Matrix3x2 transform = transform_;
    content(*this);
    while (clips_.size() > clipDepth) PopClip();
    transform_ = transform;
    ApplyTransform();
  } catch (...) {
    UnwindTo(unwindClips, unwindLevels);
    throw;
  }
}

// --- Clips and layers -----------------------------------------------------------

void D2DCanvas::PushClipRect(const RectF& rect, bool antialias) {
  // Under a rotation the clip is the bounding box of the turned rectangle,
  // as Direct2D (and the cairo canvas) do it.
  context()->PushAxisAlignedClip(ToD2D(Normalized(rect)),
                                 antialias ? D2D1_ANTIALIAS_MODE_PER_PRIMITIVE : D2D1_ANTIALIAS_MODE_ALIASED);
  clips_.push_back({ClipKind::Rect, levels_.size() - 1, {}});
}

void D2DCanvas::PushClipPath(const Path& path) {
  const ComPtr<ID2D1Geometry> geometry = PathGeometry(path);
  if (!geometry) {
    // Nothing to draw inside: an empty path, or one that could not be built.
    context()->PushAxisAlignedClip(D2D1::RectF(0, 0, 0, 0), D2D1_ANTIALIAS_MODE_ALIASED);
    clips_.push_back({ClipKind::Rect, levels_.size() - 1, {}});
    return;
  }
  if (Support().layers) {
    const D2D1_LAYER_PARAMETERS1 layer = LayerParameters(geometry.Get(), 1.0f);
    context()->PushLayer(&layer, nullptr);
    clips_.push_back({ClipKind::Layer, levels_.size() - 1, {}});
    return;
  }
  // Draw what follows offscreen and fill the clip shape with it on PopClip.
  ComPtr<ID2D1TransformedGeometry> mask;
  ThrowIfFailed(factory_->CreateTransformedGeometry(geometry.Get(), ToD2D(transform_), mask.Put()));
  PushOffscreen(levels_.back().area);
  clips_.push_back({ClipKind::Offscreen, levels_.size() - 2, ComPtr<ID2D1Geometry>(mask.Get())});
}

void D2DCanvas::PopClip() {
  if (clips_.empty()) return;  // unmatched
  const Clip clip = std::move(clips_.back());
  clips_.pop_back();
  switch (clip.kind) {
    case ClipKind::Rect: context()->PopAxisAlignedClip(); return;
    case ClipKind::Layer: context()->PopLayer(); return;
    case ClipKind::Offscreen: break;
  }
  const Level level = FinishLevel();
  const ComPtr<ID2D1Bitmap> bitmap = UploadOffscreen(level);
  const D2D1_BITMAP_BRUSH_PROPERTIES mapping = D2D1::BitmapBrushProperties(
      D2D1_EXTEND_MODE_CLAMP, D2D1_EXTEND_MODE_CLAMP, D2D1_BITMAP_INTERPOLATION_MODE_NEAREST_NEIGHBOR);
  const D2D1_BRUSH_PROPERTIES placement =
      D2D1::BrushProperties(1.0f, D2D1::Matrix3x2F::Translation(level.area.left, level.area.top));
  ComPtr<ID2D1BitmapBrush> brush;
  ThrowIfFailed(context()->CreateBitmapBrush(bitmap.Get(), &mapping, &placement, brush.Put()));
  context()->SetTransform(ToD2D(levels_.back().base));
  context()->FillGeometry(clip.mask.Get(), brush.Get());
  ApplyTransform();
}

void D2DCanvas::DrawLayer(float opacity, const std::function<void(Canvas&)>& content) {
  const float alpha = Unit(opacity);
  if (!(alpha > 0)) return;
  const size_t clipDepth = clips_.size(), levelDepth = levels_.size();
  const bool native = alpha >= 1.0f || Support().layers;
  if (native && alpha < 1.0f) {
    const D2D1_LAYER_PARAMETERS1 layer = LayerParameters(nullptr, alpha);
    context()->PushLayer(&layer, nullptr);
  }
  if (!native) PushOffscreen(levels_.back().area);
  try {
    RunContent(content, clipDepth, levelDepth);
  } catch (...) {
    if (native && alpha < 1.0f) context()->PopLayer();
    throw;
  }
  if (native) {
    if (alpha < 1.0f) context()->PopLayer();
    return;
  }
  const Level level = FinishLevel();
  const ComPtr<ID2D1Bitmap> bitmap = UploadOffscreen(level);
  context()->SetTransform(ToD2D(levels_.back().base));
  context()->DrawBitmap(bitmap.Get(), ToD2D(level.area), alpha, D2D1_BITMAP_INTERPOLATION_MODE_NEAREST_NEIGHBOR,
                        nullptr);
  ApplyTransform();
}

// --- Shadows ----------------------------------------------------------------------

void D2DCanvas::DrawShadow(const ShadowStyle& shadow, const std::function<void(Canvas&)>& content) {
  if (!(Unit(shadow.color.a) > 0)) return;
  const float sigma = std::clamp(Finite(shadow.standardDeviation), 0.0f, kMaxShadowDeviation);
  if (Support().shadowEffect) {
    NativeShadow(shadow, sigma, content);
  } else {
    CpuShadow(shadow, sigma, content);
  }
}

void D2DCanvas::NativeShadow(const ShadowStyle& shadow, float sigma, const std::function<void(Canvas&)>& content) {
  // The content is recorded in this level's pixels (the full transform
  // applied), so the effect's output is drawn untransformed.
  const size_t clipDepth = clips_.size(), levelDepth = levels_.size();
  PushRecording();
  RunContent(content, clipDepth, levelDepth);
  const Level level = FinishLevel();

  ComPtr<ID2D1Effect> effect;
  ThrowIfFailed(context()->CreateEffect(CLSID_D2D1Shadow, effect.Put()));
  effect->SetInput(0, level.commands.Get());
  const D2D1_VECTOR_4F color{Unit(shadow.color.r), Unit(shadow.color.g), Unit(shadow.color.b), Unit(shadow.color.a)};
  const UINT32 optimization = kShadowOptimizationBalanced;
  ThrowIfFailed(effect->SetValue(D2D1_SHADOW_PROP_BLUR_STANDARD_DEVIATION, D2D1_PROPERTY_TYPE_UNKNOWN,
                                 reinterpret_cast<const BYTE*>(&sigma), sizeof sigma));
  ThrowIfFailed(effect->SetValue(D2D1_SHADOW_PROP_COLOR, D2D1_PROPERTY_TYPE_UNKNOWN,
                                 reinterpret_cast<const BYTE*>(&color), sizeof color));
  ThrowIfFailed(effect->SetValue(D2D1_SHADOW_PROP_OPTIMIZATION, D2D1_PROPERTY_TYPE_UNKNOWN,
                                 reinterpret_cast<const BYTE*>(&optimization), sizeof optimization));
  ComPtr<ID2D1Image> output;
  effect->GetOutput(output.Put());
  const D2D1_POINT_2F offset = D2D1::Point2F(Finite(shadow.offset.x), Finite(shadow.offset.y));
  context()->SetTransform(D2D1::IdentityMatrix());
  context()->DrawImage(output.Get(), &offset, nullptr, D2D1_INTERPOLATION_MODE_LINEAR, D2D1_COMPOSITE_MODE_SOURCE_OVER);
  ApplyTransform();
}

void D2DCanvas::CpuShadow(const ShadowStyle& shadow, float sigma, const std::function<void(Canvas&)>& content) {
  // The offscreen covers what the blur can carry into this level's area
  // once the offset has moved it.
  const float offsetX = Finite(shadow.offset.x), offsetY = Finite(shadow.offset.y);
  const float reach = std::ceil(3.0f * sigma) + 1.0f;
  const RectF& area = levels_.back().area;
  const RectF source{std::floor(area.left - offsetX - reach), std::floor(area.top - offsetY - reach),
                     std::ceil(area.right - offsetX + reach), std::ceil(area.bottom - offsetY + reach)};
  const size_t clipDepth = clips_.size(), levelDepth = levels_.size();
  PushOffscreen(source);
  RunContent(content, clipDepth, levelDepth);
  const Level level = FinishLevel();

  const int width = static_cast<int>(level.area.width()), height = static_cast<int>(level.area.height());
  std::vector<std::uint8_t> pixels(static_cast<size_t>(width) * height * 4);
  ReadWicPixels(level.pixels.Get(), pixels.data(), width * 4);
  const std::vector<std::uint8_t> tinted =
      ShadowFromContent(pixels.data(), width, height, width * 4, sigma, shadow.color);
  const D2D1_BITMAP_PROPERTIES properties =
      D2D1::BitmapProperties(D2D1::PixelFormat(DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_PREMULTIPLIED));
  ComPtr<ID2D1Bitmap> bitmap;
  ThrowIfFailed(context()->CreateBitmap(D2D1::SizeU(static_cast<UINT32>(width), static_cast<UINT32>(height)),
                                        tinted.data(), static_cast<UINT32>(width) * 4, &properties, bitmap.Put()));
  const D2D1_RECT_F destination = D2D1::RectF(level.area.left + offsetX, level.area.top + offsetY,
                                              level.area.right + offsetX, level.area.bottom + offsetY);
  context()->SetTransform(ToD2D(levels_.back().base));
  context()->DrawBitmap(bitmap.Get(), destination, 1.0f, D2D1_BITMAP_INTERPOLATION_MODE_LINEAR, nullptr);
  ApplyTransform();
}

}  // namespace orvane
