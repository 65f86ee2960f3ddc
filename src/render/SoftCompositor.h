#pragma once
// The compositor in software: keeps the visual tree of every window target
// and renders a target into a premultiplied BGRA frame through a pixel
// canvas. The preview tool and the render tests use it on Linux; on Windows
// the software presenter uses it where the system compositor is missing.
//
// Backdrop brushes show a desktop picture supplied with SetWallpaper: the
// region behind the window, for the effect brush saturated and then blurred.
// Without a picture there is no host backdrop (CreateHostBackdropBrush
// throws, so glass falls back to its tint). Drawing cannot lose a device, so
// deviceLost is never set.

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "platform/ScreenTypes.h"
#include "render/Composition.h"
#include "render/FrameRaster.h"
#include "render/SoftRender.h"

namespace orvane {

// A rendered frame: `height` rows of `width` premultiplied BGRA pixels, packed.
struct SoftFrame {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;

  BitmapView view() const { return BitmapView{width, height, width * 4, pixels.data()}; }
};

class SoftCompositor final : public Compositor {
 public:
  SoftCompositor();
  ~SoftCompositor() override;
  SoftCompositor(const SoftCompositor&) = delete;
  SoftCompositor& operator=(const SoftCompositor&) = delete;

  // The desktop picture, in screen pixels from (0, 0), premultiplied BGRA;
  // copied. A view without pixels removes it. Brushes made before keep
  // working and show the new picture (or nothing).
  void SetWallpaper(const BitmapView& picture);
  bool hasWallpaper() const { return !wallpaper_.empty(); }

  std::shared_ptr<ContainerVisual> CreateContainerVisual() override;
  std::shared_ptr<SpriteVisual> CreateSpriteVisual() override;
  std::shared_ptr<ColorBrush> CreateColorBrush(Color color) override;
  std::shared_ptr<SurfaceBrush> CreateSurfaceBrush(std::shared_ptr<DrawingSurface> surface) override;
  std::shared_ptr<NineGridBrush> CreateNineGridBrush(std::shared_ptr<CompositionBrush> source) override;
  std::shared_ptr<RoundedRectangleGeometry> CreateRoundedRectangleGeometry() override;
  std::shared_ptr<PathGeometry> CreatePathGeometry() override;
  std::shared_ptr<Clip> CreateGeometricClip(std::shared_ptr<Geometry> geometry) override;
  // Throws HResultError (E_NOTIMPL) while no wallpaper is set.
  std::shared_ptr<BackdropBrush> CreateHostBackdropBrush() override;
  std::shared_ptr<EffectBrush> CreateBackdropEffectBrush(std::shared_ptr<BackdropBrush> backdrop, float blurAmount,
                                                         float saturation) override;
  // Records the target; a window has at most one live target per layer
  // (topmost or not), as on the platform.
  std::shared_ptr<WindowTarget> CreateWindowTarget(NativeWindow window, bool topmost) override;
  std::shared_ptr<DrawingSurface> CreateDrawingSurface(int width, int height) override;
  bool DrawSurface(DrawingSurface& surface, int widthPx, int heightPx,
                   const std::function<void(Canvas&)>& draw) override;
  bool DrawPixels(DrawingSurface& surface, int width, int height, const std::uint8_t* pixels) override;

  // Renders the target's tree over transparent pixels into `pixels` (rows
  // `stride` bytes apart). `window` is where the window sits on the screen,
  // which picks the wallpaper region the backdrop brushes show. False when
  // no canvas can be made over the buffer (null, empty, a short stride).
  // Throws HResultError (E_INVALIDARG) for a target of another compositor.
  bool RenderTarget(const WindowTarget& target, std::uint8_t* pixels, int width, int height, int stride,
                    ScreenPoint window = {});
  SoftFrame RenderTarget(const WindowTarget& target, int width, int height, ScreenPoint window = {});

  // The window's live targets, the lower layer (not topmost) first.
  std::vector<std::shared_ptr<WindowTarget>> TargetsOf(NativeWindow window);
  // Every live target of the window rendered into one frame, lower layer first.
  SoftFrame RenderWindow(NativeWindow window, int width, int height, ScreenPoint position = {});

  // Brings a window's frame up to date, drawing only what changed since the
  // last call for this window: `pixels` must still hold what that call left
  // there (anything at all on the first call, after ForgetWindowFrame, or
  // when the size differs; the whole frame is drawn then). Returns the
  // rectangles drawn, in window pixels; empty when nothing changed.
  std::vector<PixelRect> UpdateWindowFrame(NativeWindow window, std::uint8_t* pixels, int width, int height,
                                           int stride, ScreenPoint position = {});
  // The next UpdateWindowFrame of the window draws everything.
  void ForgetWindowFrame(NativeWindow window);

  // What a surface of this compositor holds (valid until it is resized or
  // released). Throws HResultError (E_INVALIDARG) for other surfaces.
  static BitmapView SurfacePixels(const DrawingSurface& surface);

 private:
  struct TargetRecord {
    NativeWindow window;
    bool topmost;
    std::weak_ptr<WindowTarget> target;
  };

  struct WindowFrame {
    int width = 0;
    int height = 0;
    std::vector<DrawRecord> records;
  };

  BackdropSource Backdrop(ScreenPoint window) const;
  // Draws the targets' trees over what the raster holds.
  void Compose(const std::vector<std::shared_ptr<WindowTarget>>& targets, FrameRaster& raster, SizeF frame,
               ScreenPoint window);

  std::vector<std::uint8_t> wallpaper_;
  int wallpaperWidth_ = 0;
  int wallpaperHeight_ = 0;
  std::uint64_t wallpaperId_ = 0;
  std::vector<TargetRecord> targets_;
  std::map<NativeWindow, WindowFrame> frames_;
  RasterScratch scratch_;
};

}  // namespace orvane
