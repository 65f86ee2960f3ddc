// The pixel canvas on Windows: Direct2D drawing into a WIC bitmap that starts
// as a copy of the caller's buffer and is copied back when the canvas is
// destroyed. The software presenter draws with it, also under Wine.

#include <d2d1_1.h>
#include <dwrite.h>
#include <windows.h>

#include <memory>

#include "render/PixelCanvas.h"
#include "render/win32/D2DCanvas.h"
#include "render/win32/WicTarget.h"

namespace orvane {
namespace {

// One factory pair for every pixel canvas of the process, whatever thread
// draws. Deliberately never released: they would otherwise be torn down
// during process exit, after the DLLs behind them may be gone.
ID2D1Factory1* ProcessD2DFactory() {
  static ID2D1Factory1* factory = [] {
    ID2D1Factory1* created = nullptr;
    D2D1_FACTORY_OPTIONS options{};
    options.debugLevel = D2D1_DEBUG_LEVEL_NONE;
    ThrowIfFailed(D2D1CreateFactory(D2D1_FACTORY_TYPE_MULTI_THREADED, __uuidof(ID2D1Factory1), &options,
                                    reinterpret_cast<void**>(&created)));
    return created;
  }();
  return factory;
}

IDWriteFactory* ProcessDWriteFactory() {
  static IDWriteFactory* factory = [] {
    IDWriteFactory* created = nullptr;
    ThrowIfFailed(DWriteCreateFactory(DWRITE_FACTORY_TYPE_SHARED, __uuidof(IDWriteFactory),
                                      reinterpret_cast<IUnknown**>(&created)));
    return created;
  }();
  return factory;
}

class PixelCanvasWin32 final : public Canvas {
 public:
  PixelCanvasWin32(std::uint8_t* pixels, int width, int height, int stride)
      : pixels_(pixels),
        stride_(stride),
        target_(CreateWicTarget(ProcessD2DFactory(), CreateWicFactory().Get(), width, height)) {
    target_.target->BeginDraw();
    CopyIn(width, height);
    canvas_ = std::make_unique<D2DCanvas>(target_.context.Get(), ProcessDWriteFactory(),
                                          SizeF{static_cast<float>(width), static_cast<float>(height)},
                                          Matrix3x2::Identity());
  }

  ~PixelCanvasWin32() override {
    canvas_.reset();
    // A failed EndDraw leaves the buffer as it was; there is no one to tell.
    if (SUCCEEDED(target_.target->EndDraw())) {
      try {
        ReadWicPixels(target_.bitmap.Get(), pixels_, stride_);
      } catch (const HResultError&) {
      }
    }
  }

  PixelCanvasWin32(const PixelCanvasWin32&) = delete;
  PixelCanvasWin32& operator=(const PixelCanvasWin32&) = delete;

  SizeF Size() const override { return canvas_->Size(); }
  void Clear(Color color) override { canvas_->Clear(color); }
  void FillRect(const RectF& rect, const Paint& paint) override { canvas_->FillRect(rect, paint); }
  void StrokeRect(const RectF& rect, const Paint& paint, const StrokeStyle& stroke) override {
    canvas_->StrokeRect(rect, paint, stroke);
  }
  void FillRoundedRect(const RectF& rect, float radiusX, float radiusY, const Paint& paint) override {
    canvas_->FillRoundedRect(rect, radiusX, radiusY, paint);
  }
  void StrokeRoundedRect(const RectF& rect, float radiusX, float radiusY, const Paint& paint,
                         const StrokeStyle& stroke) override {
    canvas_->StrokeRoundedRect(rect, radiusX, radiusY, paint, stroke);
  }
  void FillEllipse(PointF center, float radiusX, float radiusY, const Paint& paint) override {
    canvas_->FillEllipse(center, radiusX, radiusY, paint);
  }
  void StrokeEllipse(PointF center, float radiusX, float radiusY, const Paint& paint,
                     const StrokeStyle& stroke) override {
    canvas_->StrokeEllipse(center, radiusX, radiusY, paint, stroke);
  }
  void DrawLine(PointF from, PointF to, const Paint& paint, const StrokeStyle& stroke) override {
    canvas_->DrawLine(from, to, paint, stroke);
  }
  void FillPath(const Path& path, const Paint& paint) override { canvas_->FillPath(path, paint); }
  void StrokePath(const Path& path, const Paint& paint, const StrokeStyle& stroke) override {
    canvas_->StrokePath(path, paint, stroke);
  }
  bool DrawBitmap(const BitmapView& bitmap, const RectF& dest, float opacity, Interpolation interpolation,
                  const RectF* source) override {
    return canvas_->DrawBitmap(bitmap, dest, opacity, interpolation, source);
  }
  void DrawText(std::wstring_view text, const TextStyle& style, const RectF& layout, const Paint& paint) override {
    canvas_->DrawText(text, style, layout, paint);
  }
  TextMetrics MeasureText(std::wstring_view text, const TextStyle& style, float maxWidth, float maxHeight) override {
    return canvas_->MeasureText(text, style, maxWidth, maxHeight);
  }
  void PushClipRect(const RectF& rect, bool antialias) override { canvas_->PushClipRect(rect, antialias); }
  void PushClipPath(const Path& path) override { canvas_->PushClipPath(path); }
  void PopClip() override { canvas_->PopClip(); }
  void DrawLayer(float opacity, const std::function<void(Canvas&)>& content) override {
    canvas_->DrawLayer(opacity, content);
  }
  void DrawShadow(const ShadowStyle& shadow, const std::function<void(Canvas&)>& content) override {
    canvas_->DrawShadow(shadow, content);
  }
  void SetTransform(const Matrix3x2& transform) override { canvas_->SetTransform(transform); }
  Matrix3x2 Transform() const override { return canvas_->Transform(); }

 private:
  // The buffer's content as the starting picture: cleared, then drawn in
  // unblended (over transparent pixels source-over is a copy).
  void CopyIn(int width, int height) {
    target_.target->Clear(D2D1::ColorF(0, 0, 0, 0));
    const D2D1_BITMAP_PROPERTIES properties =
        D2D1::BitmapProperties(D2D1::PixelFormat(DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_PREMULTIPLIED));
    ComPtr<ID2D1Bitmap> content;
    ThrowIfFailed(target_.target->CreateBitmap(D2D1::SizeU(static_cast<UINT32>(width), static_cast<UINT32>(height)),
                                               pixels_, static_cast<UINT32>(stride_), &properties, content.Put()));
    target_.target->DrawBitmap(content.Get(), D2D1::RectF(0, 0, static_cast<float>(width), static_cast<float>(height)),
                               1.0f, D2D1_BITMAP_INTERPOLATION_MODE_NEAREST_NEIGHBOR, nullptr);
  }

  std::uint8_t* pixels_;
  int stride_;
  WicTarget target_;
  std::unique_ptr<D2DCanvas> canvas_;
};

}  // namespace

std::unique_ptr<Canvas> CreatePixelCanvas(std::uint8_t* bgraPremultiplied, int width, int height, int stride) {
  if (bgraPremultiplied == nullptr || width <= 0 || height <= 0 || stride < width * 4) return nullptr;
  return std::make_unique<PixelCanvasWin32>(bgraPremultiplied, width, height, stride);
}

}  // namespace orvane
