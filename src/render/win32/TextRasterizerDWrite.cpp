// Text for the CPU canvas on Windows: DirectWrite lays it out (the same
// D2DText as the Direct2D canvas and the measurer) and rasterizes each glyph
// run on the CPU through a glyph-run analysis; no graphics device is
// involved. Coverage is greyscale: the three ClearType samples of a pixel
// are averaged, as text on the layered windows' transparent pixels needs.

#include <dwrite.h>
#include <windows.h>

#include <algorithm>
#include <vector>

#include "render/SoftCanvas.h"
#include "render/win32/D2DText.h"

namespace orvane {
namespace {

ComPtr<IDWriteFactory> SharedDWriteFactory() {
  ComPtr<IDWriteFactory> factory;
  ThrowIfFailed(DWriteCreateFactory(DWRITE_FACTORY_TYPE_SHARED, __uuidof(IDWriteFactory),
                                    reinterpret_cast<IUnknown**>(factory.Put())));
  return factory;
}

// Receives a layout's glyph runs and hands their coverage to the sink. Lives
// on the stack for one Draw call, so it does not count references.
class CoverageRenderer final : public IDWriteTextRenderer {
 public:
  CoverageRenderer(IDWriteFactory* dwrite, const Matrix3x2& transform, const PixelRect& limit,
                   const TextRasterizer::CoverageSink& sink)
      : dwrite_(dwrite),
        transform_{transform.m11, transform.m12, transform.m21, transform.m22, transform.dx, transform.dy},
        limit_(limit),
        sink_(sink) {}
  virtual ~CoverageRenderer() = default;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDWritePixelSnapping) || iid == __uuidof(IDWriteTextRenderer)) {
      *object = static_cast<IDWriteTextRenderer*>(this);
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE IsPixelSnappingDisabled(void*, WINBOOL* disabled) override {
    *disabled = FALSE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetCurrentTransform(void*, DWRITE_MATRIX* transform) override {
    *transform = transform_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPixelsPerDip(void*, FLOAT* pixelsPerDip) override {
    *pixelsPerDip = 1.0f;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE DrawGlyphRun(void*, FLOAT baselineX, FLOAT baselineY, DWRITE_MEASURING_MODE mode,
                                         const DWRITE_GLYPH_RUN* run, const DWRITE_GLYPH_RUN_DESCRIPTION*,
                                         IUnknown*) override {
    ComPtr<IDWriteGlyphRunAnalysis> analysis;
    HRESULT hr = dwrite_->CreateGlyphRunAnalysis(run, 1.0f, &transform_, DWRITE_RENDERING_MODE_NATURAL, mode,
                                                 baselineX, baselineY, analysis.Put());
    if (FAILED(hr)) return S_OK;  // a run that cannot be drawn leaves the rest
    RECT bounds{};
    if (FAILED(analysis->GetAlphaTextureBounds(DWRITE_TEXTURE_CLEARTYPE_3x1, &bounds))) return S_OK;
    const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
    if (width <= 0 || height <= 0) return S_OK;
    samples_.resize(static_cast<size_t>(width) * height * 3);
    if (FAILED(analysis->CreateAlphaTexture(DWRITE_TEXTURE_CLEARTYPE_3x1, &bounds, samples_.data(),
                                            static_cast<UINT32>(samples_.size())))) {
      return S_OK;
    }
    const int left = std::max<int>(bounds.left, limit_.left), top = std::max<int>(bounds.top, limit_.top);
    const int right = std::min<int>(bounds.right, limit_.left + limit_.width);
    const int bottom = std::min<int>(bounds.bottom, limit_.top + limit_.height);
    if (right <= left || bottom <= top) return S_OK;
    coverage_.resize(static_cast<size_t>(right - left) * (bottom - top));
    for (int y = top; y < bottom; ++y) {
      const BYTE* in = samples_.data() + (static_cast<size_t>(y - bounds.top) * width + (left - bounds.left)) * 3;
      std::uint8_t* out = coverage_.data() + static_cast<size_t>(y - top) * (right - left);
      for (int x = left; x < right; ++x, in += 3) *out++ = static_cast<std::uint8_t>((in[0] + in[1] + in[2] + 1) / 3);
    }
    sink_(PixelRect{left, top, right - left, bottom - top}, coverage_.data(), right - left);
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE DrawUnderline(void*, FLOAT, FLOAT, const DWRITE_UNDERLINE*, IUnknown*) override {
    return S_OK;  // no text of the product is underlined
  }
  HRESULT STDMETHODCALLTYPE DrawStrikethrough(void*, FLOAT, FLOAT, const DWRITE_STRIKETHROUGH*, IUnknown*) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DrawInlineObject(void* context, FLOAT originX, FLOAT originY, IDWriteInlineObject* object,
                                             WINBOOL sideways, WINBOOL rightToLeft, IUnknown* effect) override {
    // The trimming sign ("…") is an inline object; it draws itself through us.
    if (object == nullptr) return S_OK;
    return object->Draw(context, this, originX, originY, sideways, rightToLeft, effect);
  }

 private:
  IDWriteFactory* dwrite_;
  DWRITE_MATRIX transform_;
  PixelRect limit_;
  const TextRasterizer::CoverageSink& sink_;
  std::vector<BYTE> samples_;
  std::vector<std::uint8_t> coverage_;
};

class DWriteTextRasterizer final : public TextRasterizer {
 public:
  DWriteTextRasterizer() : dwrite_(SharedDWriteFactory()), text_(dwrite_) {}

  TextMetrics Measure(std::wstring_view text, const TextStyle& style, float maxWidth, float maxHeight) override {
    return text_.Measure(text, style, maxWidth, maxHeight);
  }

  void Rasterize(std::wstring_view text, const TextStyle& style, const RectF& layout, const Matrix3x2& transform,
                 const PixelRect& limit, const CoverageSink& sink) override {
    if (text.empty() || limit.empty()) return;
    const auto textLayout = text_.Layout(text, style, layout.width(), layout.height());
    if (!textLayout) return;
    CoverageRenderer renderer(dwrite_.Get(), transform, limit, sink);
    textLayout->Draw(nullptr, &renderer, layout.left, layout.top);
  }

 private:
  ComPtr<IDWriteFactory> dwrite_;
  D2DText text_;
};

}  // namespace

std::shared_ptr<TextRasterizer> CreateTextRasterizer() { return std::make_shared<DWriteTextRasterizer>(); }

}  // namespace orvane
