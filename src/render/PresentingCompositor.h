#pragma once
// A Compositor that forwards everything to another one and keeps what the
// software presenter needs to know: the windows that have a target, and the
// moment a surface has been drawn (so the windows can be shown the result).
// Objects it returns are the inner compositor's own.

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "render/Composition.h"

namespace orvane {

class PresentingCompositor final : public Compositor {
 public:
  // `afterDraw` runs after every DrawSurface/DrawPixels, whatever its result.
  PresentingCompositor(Compositor& inner, std::function<void()> afterDraw);

  struct Windows {
    std::vector<NativeWindow> live;    // some target of the window is still held, in creation order
    std::vector<NativeWindow> closed;  // every target of the window was released since the last call
  };
  Windows CollectWindows();

  std::shared_ptr<ContainerVisual> CreateContainerVisual() override { return inner_.CreateContainerVisual(); }
  std::shared_ptr<SpriteVisual> CreateSpriteVisual() override { return inner_.CreateSpriteVisual(); }
  std::shared_ptr<ColorBrush> CreateColorBrush(Color color) override { return inner_.CreateColorBrush(color); }
  std::shared_ptr<SurfaceBrush> CreateSurfaceBrush(std::shared_ptr<DrawingSurface> surface) override {
    return inner_.CreateSurfaceBrush(std::move(surface));
  }
  std::shared_ptr<NineGridBrush> CreateNineGridBrush(std::shared_ptr<CompositionBrush> source) override {
    return inner_.CreateNineGridBrush(std::move(source));
  }
  std::shared_ptr<RoundedRectangleGeometry> CreateRoundedRectangleGeometry() override {
    return inner_.CreateRoundedRectangleGeometry();
  }
  std::shared_ptr<PathGeometry> CreatePathGeometry() override { return inner_.CreatePathGeometry(); }
  std::shared_ptr<Clip> CreateGeometricClip(std::shared_ptr<Geometry> geometry) override {
    return inner_.CreateGeometricClip(std::move(geometry));
  }
  std::shared_ptr<BackdropBrush> CreateHostBackdropBrush() override { return inner_.CreateHostBackdropBrush(); }
  std::shared_ptr<EffectBrush> CreateBackdropEffectBrush(std::shared_ptr<BackdropBrush> backdrop, float blurAmount,
                                                         float saturation) override {
    return inner_.CreateBackdropEffectBrush(std::move(backdrop), blurAmount, saturation);
  }
  std::shared_ptr<DrawingSurface> CreateDrawingSurface(int width, int height) override {
    return inner_.CreateDrawingSurface(width, height);
  }

  std::shared_ptr<WindowTarget> CreateWindowTarget(NativeWindow window, bool topmost) override;
  bool DrawSurface(DrawingSurface& surface, int widthPx, int heightPx,
                   const std::function<void(Canvas&)>& draw) override;
  bool DrawPixels(DrawingSurface& surface, int width, int height, const std::uint8_t* pixels) override;

 private:
  // Moves a device-loss report of the inner compositor onto this one, which
  // is the compositor the frame step reads and clears.
  void TakeDeviceLoss();

  Compositor& inner_;
  std::function<void()> afterDraw_;
  std::vector<std::pair<NativeWindow, std::weak_ptr<WindowTarget>>> windows_;
};

}  // namespace orvane
