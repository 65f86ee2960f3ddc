#pragma once
// The composition model over Windows.UI.Composition and its desktop interop.
// Lives on the UI thread that owns the dispatcher queue. The compositor
// graphics device is built over the Direct2D device of the GraphicsDevice,
// whose pointers are fetched afresh on every use (they change on recovery).

#include <windows.h>
#include <d2d1_1.h>

#include <functional>
#include <memory>

#include "render/Composition.h"
#include "platform/win32/ComPtr.h"
#include "platform/win32/winrt/CompositionAbi.h"

namespace orvane {

class GraphicsDevice;

class WinCompositor final : public Compositor {
 public:
  // `compositor` is a Windows.UI.Composition.Compositor of this thread.
  WinCompositor(ComPtr<winrt::ICompositor> compositor, GraphicsDevice& device);

  // Activates Windows.UI.Composition.Compositor; the failing HRESULT when the
  // system has none.
  static HRESULT TryActivate(ComPtr<winrt::ICompositor>& compositor);

  // Builds the compositor graphics device over the device's Direct2D device
  // (ICompositorInterop::CreateGraphicsDevice). Surfaces need it.
  void CreateGraphicsDevice();
  // Device-loss recovery: points the existing graphics device at the new
  // Direct2D device (ICompositionGraphicsDeviceInterop::SetRenderingDevice).
  // Visuals, brushes and surfaces stay; their content must be drawn again.
  void SetRenderingDevice();

  std::shared_ptr<ContainerVisual> CreateContainerVisual() override;
  std::shared_ptr<SpriteVisual> CreateSpriteVisual() override;
  std::shared_ptr<ColorBrush> CreateColorBrush(Color color) override;
  std::shared_ptr<SurfaceBrush> CreateSurfaceBrush(std::shared_ptr<DrawingSurface> surface) override;
  std::shared_ptr<NineGridBrush> CreateNineGridBrush(std::shared_ptr<CompositionBrush> source) override;
  std::shared_ptr<RoundedRectangleGeometry> CreateRoundedRectangleGeometry() override;
  std::shared_ptr<PathGeometry> CreatePathGeometry() override;
  std::shared_ptr<Clip> CreateGeometricClip(std::shared_ptr<Geometry> geometry) override;
  std::shared_ptr<BackdropBrush> CreateHostBackdropBrush() override;
  std::shared_ptr<EffectBrush> CreateBackdropEffectBrush(std::shared_ptr<BackdropBrush> backdrop, float blurAmount,
                                                         float saturation) override;
  std::shared_ptr<WindowTarget> CreateWindowTarget(NativeWindow window, bool topmost) override;
  std::shared_ptr<DrawingSurface> CreateDrawingSurface(int width, int height) override;
  bool DrawSurface(DrawingSurface& surface, int widthPx, int heightPx,
                   const std::function<void(Canvas&)>& draw) override;
  bool DrawPixels(DrawingSurface& surface, int width, int height, const std::uint8_t* pixels) override;

 private:
  // The surface-draw routine on the Direct2D context of the surface.
  bool DrawWithContext(DrawingSurface& surface, int widthPx, int heightPx,
                       const std::function<void(ID2D1DeviceContext*)>& draw);
  ComPtr<winrt::ICompositionPath> MakeCompositionPath(const Path& path);

  ComPtr<winrt::ICompositor> compositor_;
  GraphicsDevice& device_;
  ComPtr<winrt::ICompositionGraphicsDevice> graphicsDevice_;
};

}  // namespace orvane
