#include "render/win32/WinCompositor.h"

#include "app/win32/HResult.h"
#include "render/EffectDescription.h"
#include "render/win32/D2DCanvas.h"
#include "render/win32/D2DGeometry.h"
#include "render/win32/GraphicsDevice.h"
#include "render/win32/HostBackdrop.h"
#include "render/win32/RenderFx.h"
#include "render/win32/WinCompositionObjects.h"
#include "platform/win32/WinRt.h"
#include "platform/win32/winrt/CompositionInteropAbi.h"

namespace orvane {

WinCompositor::WinCompositor(ComPtr<winrt::ICompositor> compositor, GraphicsDevice& device)
    : compositor_(std::move(compositor)), device_(device) {}

HRESULT WinCompositor::TryActivate(ComPtr<winrt::ICompositor>& compositor) {
  return TryActivateInstance(L"Windows.UI.Composition.Compositor", winrt::ICompositor::kIid, compositor.PutVoid());
}

void WinCompositor::CreateGraphicsDevice() {
  auto interop = compositor_.As<winrt::ICompositorInterop>();
  ThrowIfFailed(interop->CreateGraphicsDevice(device_.d2dDevice(), graphicsDevice_.Put()));
}

void WinCompositor::SetRenderingDevice() {
  auto interop = graphicsDevice_.As<winrt::ICompositionGraphicsDeviceInterop>();
  ThrowIfFailed(interop->SetRenderingDevice(device_.d2dDevice()));
}

std::shared_ptr<ContainerVisual> WinCompositor::CreateContainerVisual() {
  ComPtr<winrt::IContainerVisual> container;
  ThrowIfFailed(compositor_->CreateContainerVisual(container.Put()));
  return std::make_shared<WinContainerVisual>(container.As<winrt::IVisual>());
}

std::shared_ptr<SpriteVisual> WinCompositor::CreateSpriteVisual() {
  ComPtr<winrt::ISpriteVisual> sprite;
  ThrowIfFailed(compositor_->CreateSpriteVisual(sprite.Put()));
  return std::make_shared<WinSpriteVisual>(std::move(sprite));
}

std::shared_ptr<ColorBrush> WinCompositor::CreateColorBrush(Color color) {
  ComPtr<winrt::ICompositionColorBrush> brush;
  ThrowIfFailed(compositor_->CreateColorBrushWithColor(ToAbiColor(color), brush.Put()));
  return std::make_shared<WinColorBrush>(std::move(brush));
}

std::shared_ptr<SurfaceBrush> WinCompositor::CreateSurfaceBrush(std::shared_ptr<DrawingSurface> surface) {
  const auto compositionSurface = CompositionSurfaceOf(surface.get());
  ComPtr<winrt::ICompositionSurfaceBrush> brush;
  if (compositionSurface) {
    ThrowIfFailed(compositor_->CreateSurfaceBrushWithSurface(compositionSurface.Get(), brush.Put()));
  } else {
    ThrowIfFailed(compositor_->CreateSurfaceBrush(brush.Put()));
  }
  return std::make_shared<WinSurfaceBrush>(std::move(brush), std::move(surface));
}

std::shared_ptr<NineGridBrush> WinCompositor::CreateNineGridBrush(std::shared_ptr<CompositionBrush> source) {
  if (!source) ThrowHResult(E_INVALIDARG);
  ComPtr<winrt::ICompositionNineGridBrush> brush;
  ThrowIfFailed(compositor_.As<winrt::ICompositor2>()->CreateNineGridBrush(brush.Put()));
  ThrowIfFailed(brush->put_Source(BrushAbiOf(*source)));
  return std::make_shared<WinNineGridBrush>(std::move(brush), std::move(source));
}

std::shared_ptr<RoundedRectangleGeometry> WinCompositor::CreateRoundedRectangleGeometry() {
  ComPtr<winrt::ICompositionRoundedRectangleGeometry> geometry;
  ThrowIfFailed(compositor_.As<winrt::ICompositor5>()->CreateRoundedRectangleGeometry(geometry.Put()));
  return std::make_shared<WinRoundedRectangleGeometry>(std::move(geometry));
}

std::shared_ptr<PathGeometry> WinCompositor::CreatePathGeometry() {
  ComPtr<winrt::ICompositionPathGeometry> geometry;
  ThrowIfFailed(compositor_.As<winrt::ICompositor5>()->CreatePathGeometry(geometry.Put()));
  return std::make_shared<WinPathGeometry>(std::move(geometry),
                                           [this](const Path& path) { return MakeCompositionPath(path); });
}

ComPtr<winrt::ICompositionPath> WinCompositor::MakeCompositionPath(const Path& path) {
  ComPtr<ID2D1Geometry> geometry(orvane::CreatePathGeometry(device_.d2dFactory(), path).Get());
  auto source = RenderFx::MakeGeometrySource(std::move(geometry));
  auto factory = GetActivationFactory<winrt::ICompositionPathFactory>(L"Windows.UI.Composition.CompositionPath");
  ComPtr<winrt::ICompositionPath> compositionPath;
  ThrowIfFailed(factory->Create(source.Get(), compositionPath.Put()));
  return compositionPath;
}

std::shared_ptr<Clip> WinCompositor::CreateGeometricClip(std::shared_ptr<Geometry> geometry) {
  if (!geometry) ThrowHResult(E_INVALIDARG);
  ComPtr<winrt::ICompositionGeometricClip> clip;
  ThrowIfFailed(compositor_.As<winrt::ICompositor6>()->CreateGeometricClipWithGeometry(GeometryAbiOf(*geometry),
                                                                                       clip.Put()));
  return std::make_shared<WinClip>(clip.As<winrt::ICompositionClip>(), std::move(geometry));
}

std::shared_ptr<BackdropBrush> WinCompositor::CreateHostBackdropBrush() {
  ComPtr<winrt::ICompositionBackdropBrush> brush;
  ThrowIfFailed(compositor_.As<winrt::ICompositor3>()->CreateHostBackdropBrush(brush.Put()));
  return std::make_shared<WinBackdropBrush>(brush.As<winrt::ICompositionBrush>());
}

std::shared_ptr<EffectBrush> WinCompositor::CreateBackdropEffectBrush(std::shared_ptr<BackdropBrush> backdrop,
                                                                      float blurAmount, float saturation) {
  if (!backdrop) ThrowHResult(E_INVALIDARG);
  const BackdropEffectGraph graph = MakeBackdropEffectGraph(blurAmount, saturation);

  auto parameterFactory = GetActivationFactory<winrt::ICompositionEffectSourceParameterFactory>(
      L"Windows.UI.Composition.CompositionEffectSourceParameter");
  ComPtr<winrt::ICompositionEffectSourceParameter> parameter;
  ThrowIfFailed(parameterFactory->Create(HString(graph.sourceName).Get(), parameter.Put()));

  auto saturationEffect = RenderFx::Make<RenderFx::SaturationEffect>(graph.saturation);
  saturationEffect->SetName(graph.saturationName);
  saturationEffect->SetSource(parameter.As<winrt::IGraphicsEffectSource>());

  auto blurEffect = RenderFx::Make<RenderFx::GaussianBlurEffect>(graph.blurAmount);
  blurEffect->SetName(graph.blurName);
  blurEffect->SetSource(saturationEffect.As<winrt::IGraphicsEffectSource>());

  ComPtr<winrt::ICompositionEffectFactory> factory;
  ThrowIfFailed(compositor_->CreateEffectFactory(blurEffect.As<winrt::IGraphicsEffect>().Get(), factory.Put()));
  ComPtr<winrt::ICompositionEffectBrush> brush;
  ThrowIfFailed(factory->CreateBrush(brush.Put()));
  ThrowIfFailed(brush->SetSourceParameter(HString(graph.sourceName).Get(), BrushAbiOf(*backdrop)));
  return std::make_shared<WinEffectBrush>(brush.As<winrt::ICompositionBrush>(), std::move(backdrop));
}

std::shared_ptr<WindowTarget> WinCompositor::CreateWindowTarget(NativeWindow window, bool topmost) {
  const auto hwnd = reinterpret_cast<HWND>(window);
  EnableHostBackdrop(hwnd);
  ComPtr<winrt::IDesktopWindowTarget> target;
  ThrowIfFailed(
      compositor_.As<winrt::ICompositorDesktopInterop>()->CreateDesktopWindowTarget(hwnd, topmost, target.Put()));
  return std::make_shared<WinWindowTarget>(target.As<winrt::ICompositionTarget>());
}

std::shared_ptr<DrawingSurface> WinCompositor::CreateDrawingSurface(int width, int height) {
  if (!graphicsDevice_) ThrowHResult(HRESULT_FROM_WIN32(ERROR_INVALID_STATE));
  const winrt::SizeInt32 size = SurfaceSize(width, height);
  ComPtr<winrt::ICompositionDrawingSurface> surface;
  ThrowIfFailed(graphicsDevice_.As<winrt::ICompositionGraphicsDevice2>()->CreateDrawingSurface2(
      size, winrt::DirectXPixelFormat_B8G8R8A8UIntNormalized, winrt::DirectXAlphaMode_Premultiplied, surface.Put()));
  return std::make_shared<WinDrawingSurface>(std::move(surface), size.Width, size.Height);
}

bool WinCompositor::DrawWithContext(DrawingSurface& surface, int widthPx, int heightPx,
                                    const std::function<void(ID2D1DeviceContext*)>& draw) {
  auto* winSurface = dynamic_cast<WinDrawingSurface*>(&surface);
  if (winSurface == nullptr) ThrowHResult(E_INVALIDARG);
  auto interop = ComPtr<winrt::ICompositionDrawingSurface>(winSurface->surfaceAbi())
                     .As<winrt::ICompositionDrawingSurfaceInterop>();

  ComPtr<ID2D1DeviceContext> context;
  POINT offset{};
  HRESULT hr = interop->BeginDraw(nullptr, __uuidof(ID2D1DeviceContext), context.PutVoid(), &offset);
  if (FAILED(hr)) return ReportSurfaceDrawFailure(*this, hr);

  context->SetDpi(96.0f, 96.0f);
  context->SetTransform(D2D1::Matrix3x2F::Translation(static_cast<float>(offset.x), static_cast<float>(offset.y)));
  context->PushAxisAlignedClip(D2D1::RectF(0, 0, static_cast<float>(widthPx), static_cast<float>(heightPx)),
                               D2D1_ANTIALIAS_MODE_ALIASED);
  context->Clear(D2D1::ColorF(0, 0, 0, 0));
  try {
    draw(context.Get());
  } catch (...) {
    // Leave the surface closed for drawing, then let the caller see the error.
    context->PopAxisAlignedClip();
    context.Reset();
    interop->EndDraw();
    throw;
  }
  context->PopAxisAlignedClip();
  context.Reset();
  hr = interop->EndDraw();
  if (FAILED(hr)) return ReportSurfaceDrawFailure(*this, hr);
  return true;
}

bool WinCompositor::DrawSurface(DrawingSurface& surface, int widthPx, int heightPx,
                                const std::function<void(Canvas&)>& draw) {
  return DrawWithContext(surface, widthPx, heightPx, [&](ID2D1DeviceContext* context) {
    D2DCanvas canvas(context, device_.dwriteFactory(),
                     SizeF{static_cast<float>(widthPx), static_cast<float>(heightPx)});
    draw(canvas);
  });
}

bool WinCompositor::DrawPixels(DrawingSurface& surface, int width, int height, const std::uint8_t* pixels) {
  return DrawWithContext(surface, width, height, [&](ID2D1DeviceContext* context) {
    if (pixels == nullptr || width <= 0 || height <= 0) return;
    const auto properties = D2D1::BitmapProperties1(
        D2D1_BITMAP_OPTIONS_NONE, D2D1::PixelFormat(DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_PREMULTIPLIED), 96.0f,
        96.0f);
    ComPtr<ID2D1Bitmap1> bitmap;
    if (FAILED(context->CreateBitmap(D2D1::SizeU(static_cast<UINT32>(width), static_cast<UINT32>(height)), pixels,
                                     static_cast<UINT32>(width) * 4, &properties, bitmap.Put()))) {
      return;  // a failed upload leaves the surface cleared
    }
    context->DrawImage(bitmap.Get(), D2D1::Point2F(0, 0));
  });
}

}  // namespace orvane
