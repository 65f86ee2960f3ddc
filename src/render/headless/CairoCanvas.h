#pragma once
// Canvas on cairo + pango: the Linux canvas behind CreatePixelCanvas, used by
// the software compositor, the preview tool and the render tests.

#include <cairo.h>
#include <pango/pangocairo.h>

#include "render/Canvas.h"

namespace orvane {

class CairoCanvas : public Canvas {
 public:
  // Draws on `surface` (an image surface, ARGB32 or A8; a reference is kept).
  // `size` is what Size() reports.
  CairoCanvas(cairo_surface_t* surface, SizeF size);
  ~CairoCanvas() override;
  CairoCanvas(const CairoCanvas&) = delete;
  CairoCanvas& operator=(const CairoCanvas&) = delete;

  // Makes everything drawn so far visible in the surface's memory.
  void Flush();

  SizeF Size() const override { return size_; }
  void Clear(Color color) override;

  void FillRect(const RectF& rect, const Paint& paint) override;
  void FillPath(const Path& path, const Paint& paint) override;
  void StrokePath(const Path& path, const Paint& paint, const StrokeStyle& stroke) override;

  bool DrawBitmap(const BitmapView& bitmap, const RectF& dest, float opacity, Interpolation interpolation,
                  const RectF* source) override;

  void DrawText(std::wstring_view text, const TextStyle& style, const RectF& layout, const Paint& paint) override;
  TextMetrics MeasureText(std::wstring_view text, const TextStyle& style, float maxWidth, float maxHeight) override;

  void PushClipRect(const RectF& rect, bool antialias) override;
  void PushClipPath(const Path& path) override;
  void PopClip() override;

  void DrawLayer(float opacity, const std::function<void(Canvas&)>& content) override;
  void DrawShadow(const ShadowStyle& shadow, const std::function<void(Canvas&)>& content) override;

  void SetTransform(const Matrix3x2& transform) override;
  Matrix3x2 Transform() const override { return transform_; }

 private:
  void ApplyTransform();
  void FillCurrentPath(const Paint& paint);
  void StrokeCurrentPath(const Paint& paint, const StrokeStyle& stroke);
  PangoContext* TextContext();

  cairo_t* cr_;
  SizeF size_;
  PangoContext* text_ = nullptr;  // created with the first text call
  Matrix3x2 transform_;
  // A transform that cannot be inverted (a zero scale) draws nothing, as in
  // Direct2D; cairo would instead stop drawing for good.
  bool singular_ = false;
  int clipDepth_ = 0;
};

}  // namespace orvane
