#include "render/TextMeasurer.h"

#include "render/SoftCanvas.h"

namespace orvane {
namespace {

// Measures with the platform's text rasterizer: the layout the canvases draw.
class RasterizerTextMeasurer final : public TextMeasurer {
 public:
  RasterizerTextMeasurer() : text_(CreateTextRasterizer()) {}

  TextMetrics Measure(std::wstring_view text, const TextStyle& style, float maxWidth, float maxHeight) override {
    return text_->Measure(text, style, maxWidth, maxHeight);
  }

 private:
  std::shared_ptr<TextRasterizer> text_;
};

}  // namespace

std::unique_ptr<TextMeasurer> CreateTextMeasurer() { return std::make_unique<RasterizerTextMeasurer>(); }

}  // namespace orvane
