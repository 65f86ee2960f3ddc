#pragma once
// Measures text outside a draw: a menu sizes its window from its labels
// before there is a surface to draw into. The platform measurers use the same
// layout code as their canvas (pango's TextBlock, DirectWrite's D2DText), so
// what is measured here is what a canvas then draws.

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

// The platform's measurer (headless/TextMeasurerPango.cpp, win32/TextMeasurerDWrite.cpp).
std::unique_ptr<TextMeasurer> CreateTextMeasurer();

}  // namespace orvane
