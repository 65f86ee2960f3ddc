#pragma once
// A software compositor with a few failures on request and a record of what
// the glass code asked for, plus a log backend that keeps the messages.

#include <cstdint>
#include <string>
#include <vector>

#include "app/Errors.h"
#include "app/Log.h"
#include "render/SoftCompositor.h"

namespace orvane::testing {

class GlassTestCompositor final : public Compositor {
 public:
  struct EffectRequest {
    float blurAmount = 0;
    float saturation = 0;
  };
  struct PixelUpload {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
  };

  // Backdrop brushes need a desktop picture; this one is a flat colour.
  void SetUniformWallpaper(std::uint32_t rgb, int width = 800, int height = 600) {
    std::vector<std::uint8_t> pixels(static_cast<size_t>(width) * height * 4);
    for (size_t i = 0; i < pixels.size(); i += 4) {
      pixels[i] = rgb & 0xFF, pixels[i + 1] = (rgb >> 8) & 0xFF, pixels[i + 2] = (rgb >> 16) & 0xFF;
      pixels[i + 3] = 255;
    }
    soft.SetWallpaper(BitmapView{width, height, width * 4, pixels.data()});
  }

  SoftFrame Render(const WindowTarget& target, int width, int height) {
    return soft.RenderTarget(target, width, height);
  }

  std::shared_ptr<ContainerVisual> CreateContainerVisual() override { return soft.CreateContainerVisual(); }
  std::shared_ptr<SpriteVisual> CreateSpriteVisual() override { return soft.CreateSpriteVisual(); }
  std::shared_ptr<ColorBrush> CreateColorBrush(Color color) override { return soft.CreateColorBrush(color); }
  std::shared_ptr<SurfaceBrush> CreateSurfaceBrush(std::shared_ptr<DrawingSurface> surface) override {
    return soft.CreateSurfaceBrush(std::move(surface));
  }
  std::shared_ptr<NineGridBrush> CreateNineGridBrush(std::shared_ptr<CompositionBrush> source) override {
    return soft.CreateNineGridBrush(std::move(source));
  }
  std::shared_ptr<RoundedRectangleGeometry> CreateRoundedRectangleGeometry() override {
    return soft.CreateRoundedRectangleGeometry();
  }
  std::shared_ptr<PathGeometry> CreatePathGeometry() override { return soft.CreatePathGeometry(); }
  std::shared_ptr<Clip> CreateGeometricClip(std::shared_ptr<Geometry> geometry) override {
    return soft.CreateGeometricClip(std::move(geometry));
  }
  std::shared_ptr<BackdropBrush> CreateHostBackdropBrush() override { return soft.CreateHostBackdropBrush(); }
  std::shared_ptr<EffectBrush> CreateBackdropEffectBrush(std::shared_ptr<BackdropBrush> backdrop, float blurAmount,
                                                         float saturation) override {
    effectRequests.push_back({blurAmount, saturation});
    if (effectError != 0) throw HResultError(effectError, L"effect factory refused");
    return soft.CreateBackdropEffectBrush(std::move(backdrop), blurAmount, saturation);
  }
  std::shared_ptr<WindowTarget> CreateWindowTarget(NativeWindow window, bool topmost) override {
    return soft.CreateWindowTarget(window, topmost);
  }
  std::shared_ptr<DrawingSurface> CreateDrawingSurface(int width, int height) override {
    return soft.CreateDrawingSurface(width, height);
  }
  bool DrawSurface(DrawingSurface& surface, int widthPx, int heightPx,
                   const std::function<void(Canvas&)>& draw) override {
    ++surfaceDraws;
    if (drawError != 0) return ReportSurfaceDrawFailure(*this, drawError);
    return soft.DrawSurface(surface, widthPx, heightPx, draw);
  }
  bool DrawPixels(DrawingSurface& surface, int width, int height, const std::uint8_t* pixels) override {
    PixelUpload upload{width, height, {}};
    if (pixels != nullptr) upload.pixels.assign(pixels, pixels + static_cast<size_t>(width) * height * 4);
    pixelUploads.push_back(std::move(upload));
    if (drawError != 0) return ReportSurfaceDrawFailure(*this, drawError);
    return soft.DrawPixels(surface, width, height, pixels);
  }

  SoftCompositor soft;
  std::int32_t effectError = 0;  // non-zero: CreateBackdropEffectBrush throws it
  std::int32_t drawError = 0;    // non-zero: draws fail with it
  std::vector<EffectRequest> effectRequests;
  std::vector<PixelUpload> pixelUploads;
  int surfaceDraws = 0;
};

// Keeps each log message without its time stamp and line break.
class LogMessages : public LogBackend {
 public:
  LogMessages() { SetLogBackend(this); }
  ~LogMessages() override { SetLogBackend(nullptr); }
  LogTime Now() override { return {}; }
  void DebugOutput(const std::wstring& line) override { lines.push_back(line.substr(15, line.size() - 17)); }
  bool OpenFile(const std::wstring&) override { return false; }
  void Append(std::string_view) override {}

  std::vector<std::wstring> lines;
};

}  // namespace orvane::testing
