#pragma once
// Text layout with pango for the cairo canvas. DrawText and MeasureText both
// go through TextBlock, so what is measured is what is drawn.

#include <pango/pangocairo.h>

#include <string_view>

#include "render/Canvas.h"

namespace orvane {

// A pango context set up like the Windows text stack: unhinted outlines and
// fractional glyph positions (so measurements do not depend on the
// transform), greyscale antialiasing, and Simplified Chinese as the language,
// so fontconfig resolves families it does not have ("Microsoft YaHei UI" on
// Linux) to an installed CJK font. The caller owns the reference.
PangoContext* CreateTextContext();

// One laid-out text for a box of boxWidth x boxHeight. A size that is not a
// positive finite number leaves that direction unbounded.
class TextBlock {
 public:
  TextBlock(PangoContext* context, std::wstring_view text, const TextStyle& style, float boxWidth, float boxHeight);
  ~TextBlock();
  TextBlock(const TextBlock&) = delete;
  TextBlock& operator=(const TextBlock&) = delete;

  TextMetrics Metrics() const;
  // Where the layout's top-left corner goes when the text is drawn in `box`
  // (horizontal alignment of unwrapped text and the paragraph alignment).
  PointF Origin(const RectF& box) const;
  PangoLayout* layout() const { return layout_; }

 private:
  PangoLayout* layout_ = nullptr;
  TextStyle style_;
  bool alignedByPango_ = false;  // pango aligns lines inside a set width
};

}  // namespace orvane
