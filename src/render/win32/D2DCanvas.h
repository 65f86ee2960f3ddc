#pragma once
// Canvas over a Direct2D device context: composition surfaces draw through it
// (with the context the surface-draw routine hands out) and so does the pixel
// canvas (with the context of a WIC bitmap render target).
//
// Failures to create a per-call resource (a brush, a geometry, a bitmap, a
// text layout) skip that one primitive; device trouble surfaces at the
// caller's EndDraw, where the surface-draw routine handles it.
//
// Where Direct2D lacks layers or the Shadow effect (Wine), clips by path,
// layers and shadows are drawn offscreen into WIC bitmaps and composited,
// with the shadow blurred on the CPU; this is decided once per process by
// drawing a few pixels and looking at them.

#include <d2d1_1.h>
#include <dwrite.h>
#include <wincodec.h>
#include <windows.h>

#include <utility>
#include <vector>

#include "render/Canvas.h"
#include "platform/win32/ComPtr.h"
#include "render/win32/D2DText.h"

namespace orvane {

struct D2DSupport;

class D2DCanvas final : public Canvas {
 public:
  // Draws into `context` between the caller's BeginDraw and EndDraw. The
  // context's transform at construction is the base (a composition surface's
  // update offset): SetTransform composes onto it. `size` is the drawable
  // area in pixels; empty means the target's size. `dwrite` may be null (the
  // shared DirectWrite factory is used).
  D2DCanvas(ID2D1DeviceContext* context, IDWriteFactory* dwrite, SizeF size = {});
  D2DCanvas(ID2D1DeviceContext* context, IDWriteFactory* dwrite, SizeF size, const Matrix3x2& base);
  // Pops whatever the drawing left pushed and puts the base transform back.
  ~D2DCanvas() override;

  D2DCanvas(const D2DCanvas&) = delete;
  D2DCanvas& operator=(const D2DCanvas&) = delete;

  SizeF Size() const override { return size_; }
  void Clear(Color color) override;

  void FillRect(const RectF& rect, const Paint& paint) override;
  void StrokeRect(const RectF& rect, const Paint& paint, const StrokeStyle& stroke) override;
  void FillRoundedRect(const RectF& rect, float radiusX, float radiusY, const Paint& paint) override;
  void StrokeRoundedRect(const RectF& rect, float radiusX, float radiusY, const Paint& paint,
                         const StrokeStyle& stroke) override;
  void FillEllipse(PointF center, float radiusX, float radiusY, const Paint& paint) override;
  void StrokeEllipse(PointF center, float radiusX, float radiusY, const Paint& paint,
                     const StrokeStyle& stroke) override;
  void DrawLine(PointF from, PointF to, const Paint& paint, const StrokeStyle& stroke) override;
  void FillPath(const Path& path, const Paint& paint) override;
  void StrokePath(const Path& path, const Paint& paint, const StrokeStyle& stroke) override;

  bool DrawBitmap(const BitmapView& bitmap, const RectF& dest, float opacity = 1.0f,
                  Interpolation interpolation = Interpolation::Linear, const RectF* source = nullptr) override;

  void DrawText(std::wstring_view text, const TextStyle& style, const RectF& layout, const Paint& paint) override;
  TextMetrics MeasureText(std::wstring_view text, const TextStyle& style, float maxWidth, float maxHeight) override;

  void PushClipRect(const RectF& rect, bool antialias = false) override;
  void PushClipPath(const Path& path) override;
  void PopClip() override;

  void DrawLayer(float opacity, const std::function<void(Canvas&)>& content) override;
  void DrawShadow(const ShadowStyle& shadow, const std::function<void(Canvas&)>& content) override;

  void SetTransform(const Matrix3x2& transform) override;
  Matrix3x2 Transform() const override { return transform_; }

 private:
  // A drawing destination: the caller's context, or an offscreen one that a
  // clip, layer or shadow draws into until it is composited into the level
  // below.
  struct Level {
    ComPtr<ID2D1DeviceContext> context;
    Matrix3x2 base;  // canvas pixels -> this level's target
    RectF area;      // what the level covers, in canvas pixels
    ComPtr<ID2D1SolidColorBrush> solid;
    ComPtr<IWICBitmap> pixels;  // offscreen pixels, with their render target
    ComPtr<ID2D1RenderTarget> target;
    ComPtr<ID2D1CommandList> commands;  // recorded for the Shadow effect
  };
  enum class ClipKind { Rect, Layer, Offscreen };
  struct Clip {
    ClipKind kind;
    size_t level;                // the level it was pushed on (Offscreen: the one below its own)
    ComPtr<ID2D1Geometry> mask;  // Offscreen: the clip shape in canvas pixels
  };

  ID2D1DeviceContext* context() const { return levels_.back().context.Get(); }
  void ApplyTransform();
  IWICImagingFactory* Wic();

  const D2DSupport& Support() const;
  ComPtr<ID2D1Geometry> PathGeometry(const Path& path);  // empty when it cannot be built
  ComPtr<ID2D1Brush> BrushFor(const Paint& paint);
  ID2D1StrokeStyle* StrokeStyleFor(const StrokeStyle& stroke);  // null: the default style
  void DrawGeometry(ID2D1Geometry* geometry, const Paint& paint, const StrokeStyle* stroke);

  void PushOffscreen(const RectF& area);
  void PushRecording();
  Level FinishLevel();  // ends and removes the top level
  ComPtr<ID2D1Bitmap> UploadOffscreen(const Level& level);
  // Runs content, then drops the clips it left and restores the transform;
  // if anything throws, unwinds to the given clip and level depths first.
  void RunContent(const std::function<void(Canvas&)>& content, size_t unwindClips, size_t unwindLevels);
  void UnwindTo(size_t clipDepth, size_t levelDepth);
  void NativeShadow(const ShadowStyle& shadow, float sigma, const std::function<void(Canvas&)>& content);
  void CpuShadow(const ShadowStyle& shadow, float sigma, const std::function<void(Canvas&)>& content);

  ComPtr<ID2D1Factory> factory_;
  D2DText text_;
  ComPtr<IWICImagingFactory> wic_;
  SizeF size_;
  Matrix3x2 transform_;
  std::vector<Level> levels_;  // [0] is the caller's context
  std::vector<Clip> clips_;
  std::vector<std::pair<StrokeStyle, ComPtr<ID2D1StrokeStyle>>> strokes_;
};

}  // namespace orvane
