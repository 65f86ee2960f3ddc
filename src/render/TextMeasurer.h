#pragma once
// Measures text outside a draw: a menu sizes its window from its labels
// before there is a surface to draw into. It measures with the platform's
// text rasterizer (SoftCanvas.h), whose layout code the canvases share
// (pango's TextBlock, DirectWrite's D2DText), so what is measured here is
// what a canvas then draws.

#include <memory>
#include <string_view>

#include "render/Canvas.h"

namespace orvane {

class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  // As Canvas::MeasureText: the text laid out in a maxWidth x maxHeight box.
  virtual TextMetrics Measure(std::wstring_view text, const TextStyle& style, float maxWidth, float maxHeight) = 0;
};

// A measurer over the platform's text rasterizer.
std::unique_ptr<TextMeasurer> CreateTextMeasurer();

}  // namespace orvane
