#pragma once
// A Canvas drawn entirely on the CPU: shapes, strokes and gradients by the
// path rasterizer, pictures, clips and layers by FrameRaster, shadows by the
// portable blur. Only text comes from the platform, as coverage masks from
// its own layout and glyph rasterizer, so measuring and drawing agree.
//
// The software presenter draws its surfaces with it: no graphics device, no
// GPU memory and no read-back, and the same pixels on every system.

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "render/Canvas.h"
#include "render/FrameRaster.h"

namespace orvane {

// The platform's text: layout (alignment, wrapping, trimming) and glyph
// coverage.
class TextRasterizer {
 public:
  // A piece of coverage in frame pixels: box.width x box.height bytes of
  // 0..255, `stride` bytes a row.
  using CoverageSink = std::function<void(const PixelRect& box, const std::uint8_t* coverage, int stride)>;

  virtual ~TextRasterizer() = default;
  // As Canvas::MeasureText.
  virtual TextMetrics Measure(std::wstring_view text, const TextStyle& style, float maxWidth, float maxHeight) = 0;
  // The coverage of `text` laid out in `layout` as Canvas::DrawText lays it
  // out, under `transform`, for the pixels inside `limit`.
  virtual void Rasterize(std::wstring_view text, const TextStyle& style, const RectF& layout,
                         const Matrix3x2& transform, const PixelRect& limit, const CoverageSink& sink) = 0;
};

class SoftCanvas : public Canvas {
 public:
  // Draws into `raster` (which must outlive the canvas); `text` may be null
  // (text then draws nothing and measures as empty).
  SoftCanvas(FrameRaster& raster, SizeF size, TextRasterizer* text);
  ~SoftCanvas() override;  // pops the clips it left pushed
  SoftCanvas(const SoftCanvas&) = delete;
  SoftCanvas& operator=(const SoftCanvas&) = delete;

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
  void SetTransform(const Matrix3x2& transform) override { transform_ = transform; }
  Matrix3x2 Transform() const override { return transform_; }

 private:
  void FillPolygons(const std::vector<Polyline>& polygons, FillRule rule, const Paint& paint);
  void Blend(const PixelRect& box, const std::uint8_t* coverage, int stride, const Paint& paint);

  FrameRaster& raster_;
  SizeF size_;
  TextRasterizer* text_;
  Matrix3x2 transform_;
  size_t baseDepth_;
  std::vector<float> cells_;
  std::vector<std::uint8_t> coverage_;
};

// A SoftCanvas over a caller's buffer, with the contract of
// CreatePixelCanvas (see PixelCanvas.h): it writes through as each call
// returns. Null when the buffer is unusable.
std::unique_ptr<Canvas> CreateSoftPixelCanvas(std::uint8_t* bgraPremultiplied, int width, int height, int stride,
                                              std::shared_ptr<TextRasterizer> text);

}  // namespace orvane

namespace orvane {

// The platform's text rasterizer (headless/TextRasterizerPango.cpp,
// win32/TextRasterizerDWrite.cpp). One may be shared by every canvas of a
// thread.
std::shared_ptr<TextRasterizer> CreateTextRasterizer();

}  // namespace orvane
