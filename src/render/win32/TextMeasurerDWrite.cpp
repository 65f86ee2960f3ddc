// The Windows measurer: DirectWrite through the Direct2D canvas's own
// D2DText, on the process's shared DirectWrite factory.

#include <dwrite.h>
#include <windows.h>

#include "render/TextMeasurer.h"
#include "render/win32/D2DText.h"

namespace orvane {
namespace {

ComPtr<IDWriteFactory> CreateSharedDWriteFactory() {
  ComPtr<IDWriteFactory> factory;
  ThrowIfFailed(DWriteCreateFactory(DWRITE_FACTORY_TYPE_SHARED, __uuidof(IDWriteFactory),
                                    reinterpret_cast<IUnknown**>(factory.Put())));
  return factory;
}

class DWriteTextMeasurer final : public TextMeasurer {
 public:
  DWriteTextMeasurer() : text_(CreateSharedDWriteFactory()) {}

  TextMetrics Measure(std::wstring_view text, const TextStyle& style, float maxWidth, float maxHeight) override {
    return text_.Measure(text, style, maxWidth, maxHeight);
  }

 private:
  D2DText text_;
};

}  // namespace

std::unique_ptr<TextMeasurer> CreateTextMeasurer() { return std::make_unique<DWriteTextMeasurer>(); }

}  // namespace orvane
