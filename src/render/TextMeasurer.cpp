#include "render/TextMeasurer.h"

#include "render/SoftCanvas.h"

namespace orvane {
namespace {

// Measures with the platform's text rasterizer: the layout the canvases
// draw. The rasterizer is made at the first measurement, so a measurer made
// at start-up costs nothing until a menu or a tooltip needs it.
class RasterizerTextMeasurer final : public TextMeasurer {
 public:
  TextMetrics Measure(std::wstring_view text, const TextStyle& style, float maxWidth, float maxHeight) override {
    if (!text_) text_ = CreateTextRasterizer();
    return text_->Measure(text, style, maxWidth, maxHeight);
  }

 private:
  std::shared_ptr<TextRasterizer> text_;
};

}  // namespace

std::unique_ptr<TextMeasurer> CreateTextMeasurer() { return std::make_unique<RasterizerTextMeasurer>(); }

}  // namespace orvane
