// The Linux measurer: pango through the cairo canvas's own TextBlock.

#include <glib-object.h>

#include "render/TextMeasurer.h"
#include "render/headless/CairoText.h"

namespace orvane {
namespace {

class PangoTextMeasurer final : public TextMeasurer {
 public:
  PangoTextMeasurer() : context_(CreateTextContext()) {}
  ~PangoTextMeasurer() override { g_object_unref(context_); }
  PangoTextMeasurer(const PangoTextMeasurer&) = delete;
  PangoTextMeasurer& operator=(const PangoTextMeasurer&) = delete;

  TextMetrics Measure(std::wstring_view text, const TextStyle& style, float maxWidth, float maxHeight) override {
    return TextBlock(context_, text, style, maxWidth, maxHeight).Metrics();
  }

 private:
  PangoContext* context_;
};

}  // namespace

std::unique_ptr<TextMeasurer> CreateTextMeasurer() { return std::make_unique<PangoTextMeasurer>(); }

}  // namespace orvane
