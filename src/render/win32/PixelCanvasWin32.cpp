// The pixel canvas on Windows: the CPU canvas with DirectWrite text. The
// software presenter, the icon pictures and everything else drawn into
// plain memory use it, also under Wine; no graphics device is created for it.

#include "render/PixelCanvas.h"
#include "render/SoftCanvas.h"

namespace orvane {

std::unique_ptr<Canvas> CreatePixelCanvas(std::uint8_t* bgraPremultiplied, int width, int height, int stride) {
  if (bgraPremultiplied == nullptr || width <= 0 || height <= 0 || stride < width * 4) return nullptr;
  // One text rasterizer per drawing thread keeps its formats between draws.
  thread_local const std::shared_ptr<TextRasterizer> text = CreateTextRasterizer();
  return CreateSoftPixelCanvas(bgraPremultiplied, width, height, stride, text);
}

}  // namespace orvane
