#include "RenderProbe.h"

#include <windows.h>
#include <d2d1_1.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <vector>

#include "render/PixelCanvas.h"
#include "render/win32/D2DCanvas.h"
#include "render/win32/GraphicsDevice.h"

namespace orvane {
namespace {

int failures = 0;

void Check(bool passed, const char* name, int value = 0) {
  if (!passed) ++failures;
  std::printf("%s %s (%d)\n", passed ? "ok  " : "FAIL", name, value);
  std::fflush(stdout);
}

// A BGRA buffer with spare bytes at the end of each row, which no canvas
// may touch.
struct Buffer {
  Buffer(int w, int h) : width(w), height(h), stride(w * 4 + 8), pixels(static_cast<size_t>(stride) * h, 0) {}
  const std::uint8_t* At(int x, int y) const { return &pixels[static_cast<size_t>(y) * stride + x * 4]; }
  int Alpha(int x, int y) const { return At(x, y)[3]; }
  void Draw(const std::function<void(Canvas&)>& draw) {
    auto canvas = CreatePixelCanvas(pixels.data(), width, height, stride);
    draw(*canvas);
  }
  int width, height, stride;
  std::vector<std::uint8_t> pixels;
};

bool Near(int value, int expected, int tolerance) { return value >= expected - tolerance && value <= expected + tolerance; }

void DeviceChecks() {
  GraphicsDevice device;
  device.Create();
  ID2D1Factory1* factory = device.d2dFactory();
  IDWriteFactory* dwrite = device.dwriteFactory();
  ComPtr<ID2D1DeviceContext> oldContext(device.d2dContext());  // held, so the new one cannot reuse its address
  device.Create();
  Check(device.d2dFactory() == factory && device.dwriteFactory() == dwrite, "device: factories survive Create");
  Check(device.d2dContext() != oldContext.Get() && device.d2dDevice() != nullptr, "device: new context after Create");

  // A canvas over the device's context, on a target bitmap, under a base
  // offset as a composition surface draw sets it.
  ID2D1DeviceContext* context = device.d2dContext();
  const auto format = D2D1::PixelFormat(DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_PREMULTIPLIED);
  const D2D1_BITMAP_PROPERTIES1 targetProperties{format, 96, 96, D2D1_BITMAP_OPTIONS_TARGET, nullptr};
  const D2D1_BITMAP_PROPERTIES1 readProperties{format, 96, 96,
                                               D2D1_BITMAP_OPTIONS_CPU_READ | D2D1_BITMAP_OPTIONS_CANNOT_DRAW, nullptr};
  ComPtr<ID2D1Bitmap1> target, readback;
  if (FAILED(context->CreateBitmap(D2D1::SizeU(64, 64), nullptr, 0, &targetProperties, target.Put())) ||
      FAILED(context->CreateBitmap(D2D1::SizeU(64, 64), nullptr, 0, &readProperties, readback.Put()))) {
    Check(false, "device: target bitmaps");
    return;
  }
  context->SetTarget(target.Get());
  context->BeginDraw();
  context->Clear(D2D1::ColorF(0, 0, 0, 0));
  context->SetTransform(D2D1::Matrix3x2F::Translation(10, 10));
  {
    D2DCanvas canvas(context, dwrite, SizeF{40, 40});
    canvas.FillRect({0, 0, 5, 5}, Color{0, 1, 0, 1});
    canvas.PushClipPath(Path().Ellipse({20, 20}, 6, 6));
    canvas.FillRect({0, 0, 40, 40}, Color{1, 0, 0, 1});
    canvas.PopClip();
  }
  const HRESULT drawn = context->EndDraw();
  context->SetTarget(nullptr);
  D2D1_MAPPED_RECT mapped{};
  if (FAILED(drawn) || FAILED(readback->CopyFromBitmap(nullptr, target.Get(), nullptr)) ||
      FAILED(readback->Map(D2D1_MAP_OPTIONS_READ, &mapped))) {
    Check(false, "device: draw and read back", static_cast<int>(drawn));
    return;
  }
  const auto pixel = [&](int x, int y) { return mapped.bits + y * mapped.pitch + x * 4; };
  Check(pixel(12, 12)[1] == 255 && pixel(5, 5)[3] == 0, "device canvas: drawing starts at the base offset",
        pixel(12, 12)[1]);
  Check(pixel(30, 30)[2] == 255 && pixel(12, 28)[3] == 0, "device canvas: path clip", pixel(30, 30)[2]);
  readback->Unmap();
}

void PixelCanvasChecks() {
  {
    Buffer b(32, 32);
    b.pixels[0] = 7, b.pixels[3] = 200;  // existing content
    for (int y = 0; y < 32; ++y) b.pixels[static_cast<size_t>(y) * b.stride + 32 * 4] = 0xAB;
    b.Draw([](Canvas& c) { c.FillRect({10, 10, 20, 20}, Color{1, 0, 0, 1}); });
    Check(b.At(15, 15)[2] == 255 && b.Alpha(15, 15) == 255 && b.Alpha(5, 5) == 0, "rectangle");
    Check(b.At(0, 0)[0] == 7 && b.Alpha(0, 0) == 200, "existing pixels kept", b.Alpha(0, 0));
    Check(b.pixels[5 * static_cast<size_t>(b.stride) + 32 * 4] == 0xAB, "row padding untouched");
  }
  {
    Buffer b(160, 40);
    TextStyle style;
    style.size = 20;
    TextStyle trimmedStyle = style;
    trimmedStyle.ellipsis = true;
    TextMetrics natural, longText, shortText;
    b.Draw([&](Canvas& c) {
      c.DrawText(L"中文 Hello", style, {0, 0, 160, 40}, Color{1, 1, 1, 1});
      natural = c.MeasureText(L"中文 Hello", style, 500, 40);
      longText = c.MeasureText(L"这是一段很长很长的文字 long text", trimmedStyle, 80, 40);
      shortText = c.MeasureText(L"短", trimmedStyle, 80, 40);
    });
    int cjk = 0;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x) cjk += b.Alpha(x, y) > 0;
    Check(cjk > 40, "text: Chinese glyphs drawn", cjk);
    Check(natural.width > 60 && natural.width < 160 && natural.lineCount == 1, "text: measured",
          static_cast<int>(natural.width));
    Check(longText.trimmed && longText.width <= 80.5f && !shortText.trimmed, "text: ellipsis trimming",
          static_cast<int>(longText.width));
  }
  {
    Buffer b(16, 16);
    b.Draw([](Canvas& c) {
      c.DrawLayer(0.5f, [](Canvas& layer) {
        layer.FillRect({0, 0, 16, 16}, Color{1, 1, 1, 1});
        layer.FillRect({0, 0, 8, 8}, Color{1, 1, 1, 1});
      });
    });
    Check(Near(b.Alpha(4, 4), 128, 8) && Near(b.Alpha(12, 12), 128, 8), "layer opacity", b.Alpha(4, 4));
  }
  {
    Buffer b(40, 40);
    b.Draw([](Canvas& c) {
      c.SetTransform(Matrix3x2::Translation(5, 5));
      c.PushClipRect({0, 0, 30, 15});
      c.PushClipPath(Path().Ellipse({15, 15}, 10, 10));
      c.FillRect({-5, -5, 40, 40}, Color{0, 0, 1, 1});
      c.PopClip();
      c.PopClip();
    });
    Check(b.At(20, 12)[0] == 255 && b.Alpha(20, 25) == 0 && b.Alpha(7, 7) == 0, "nested rect and path clips");
  }
  {
    Buffer b(60, 60);
    b.Draw([](Canvas& c) {
      c.DrawShadow(ShadowStyle{3, Color{0, 0, 0, 0.5f}, {0, 4}},
                   [](Canvas& s) { s.FillRoundedRect({20, 20, 40, 40}, 4, 4, Color{1, 1, 1, 1}); });
    });
    Check(Near(b.Alpha(30, 34), 128, 6) && b.At(30, 34)[0] == 0, "shadow: colour under the content",
          b.Alpha(30, 34));
    Check(b.Alpha(30, 46) > 5 && b.Alpha(30, 46) < 120 && b.Alpha(30, 58) == 0, "shadow: blurred edge",
          b.Alpha(30, 46));
    Check(b.Alpha(30, 20) < b.Alpha(30, 44), "shadow: offset downwards", b.Alpha(30, 20));
  }
  {
    Buffer b(64, 64);
    const std::uint8_t image[2 * 2 * 4] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 0, 0, 0, 0};
    const RectF rightTop{1, 0, 2, 1};
    b.Draw([&](Canvas& c) {
      c.FillRect({0, 32, 64, 64}, LinearGradient{{0, 0}, {64, 0}, {{0, Color{1, 1, 1, 1}}, {1, Color{0, 0, 0, 1}}}});
      c.DrawBitmap(BitmapView{2, 2, 8, image}, {0, 0, 16, 16}, 1.0f, Interpolation::NearestNeighbor);
      c.DrawBitmap(BitmapView{2, 2, 8, image}, {16, 0, 24, 8}, 0.5f, Interpolation::Linear, &rightTop);
      c.StrokePath(Path().Arc({48, 12}, 8, -134, -46), Color{1, 1, 1, 1}, StrokeStyle::Rounded(3));
    });
    Check(b.At(4, 4)[0] == 255 && b.At(12, 4)[1] == 255 && b.At(4, 12)[2] == 255 && b.Alpha(12, 12) == 0,
          "bitmap");
    Check(Near(b.At(20, 4)[1], 128, 8) && b.At(20, 4)[0] == 0, "bitmap source rectangle and opacity",
          b.At(20, 4)[1]);
    Check(Near(b.At(32, 48)[0], 128, 12), "gradient in gamma 2.2", b.At(32, 48)[0]);
    Check(b.Alpha(48, 4) == 255 && b.Alpha(48, 12) == 0, "arc stroke", b.Alpha(48, 4));
  }
}

}  // namespace
}  // namespace orvane

int RunRenderProbe() {
  orvane::failures = 0;
  orvane::DeviceChecks();
  orvane::PixelCanvasChecks();
  return orvane::failures;
}
