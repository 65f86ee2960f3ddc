#pragma once
// DirectWrite text for the Direct2D canvas: text formats made from a
// TextStyle (kept while the canvas lives), layouts and measuring. A family
// that is not installed is replaced by one that is (see FontFallback.h).

#include <dwrite.h>
#include <windows.h>

#include <string_view>
#include <utility>
#include <vector>

#include "render/Canvas.h"
#include "platform/win32/ComPtr.h"

namespace orvane {

class D2DText {
 public:
  explicit D2DText(ComPtr<IDWriteFactory> dwrite) : dwrite_(std::move(dwrite)) {}

  // The text laid out in a width x height box with the style's alignments,
  // wrapping and trimming. A side that is not positive (or not finite) is
  // unbounded, as in the cairo canvas: the text then keeps its natural size
  // from the box's corner. Empty when DirectWrite refuses (e.g. size 0).
  ComPtr<IDWriteTextLayout> Layout(std::wstring_view text, const TextStyle& style, float width, float height);

  TextMetrics Measure(std::wstring_view text, const TextStyle& style, float maxWidth, float maxHeight);

 private:
  ComPtr<IDWriteTextFormat> Format(const TextStyle& style);

  ComPtr<IDWriteFactory> dwrite_;
  std::vector<std::pair<TextStyle, ComPtr<IDWriteTextFormat>>> formats_;
};

}  // namespace orvane
