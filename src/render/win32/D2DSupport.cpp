#include "render/win32/D2DSupport.h"

#include <d2d1effects.h>

#include <cstdint>
#include <mutex>
#include <vector>

#include "app/Errors.h"
#include "app/Log.h"
#include "render/win32/WicTarget.h"

namespace orvane {
namespace {

std::vector<std::uint8_t> Pixels(const WicTarget& t, int width, int height) {
  std::vector<std::uint8_t> pixels(static_cast<size_t>(width) * height * 4);
  ReadWicPixels(t.bitmap.Get(), pixels.data(), width * 4);
  return pixels;
}

// A half disc bounded by an arc, filled: without the arc the figure is a
// flat line and the pixel inside the disc stays empty.
bool ArcsWork(ID2D1Factory* factory, IWICImagingFactory* wic) {
  const WicTarget t = CreateWicTarget(factory, wic, 4, 4);
  ComPtr<ID2D1PathGeometry> geometry;
  ThrowIfFailed(factory->CreatePathGeometry(geometry.Put()));
  ComPtr<ID2D1GeometrySink> sink;
  ThrowIfFailed(geometry->Open(sink.Put()));
  sink->BeginFigure(D2D1::Point2F(0, 4), D2D1_FIGURE_BEGIN_FILLED);
  const D2D1_ARC_SEGMENT arc{D2D1::Point2F(4, 4), D2D1::SizeF(2, 2), 0, D2D1_SWEEP_DIRECTION_CLOCKWISE,
                             D2D1_ARC_SIZE_SMALL};
  sink->AddArc(&arc);
  sink->EndFigure(D2D1_FIGURE_END_CLOSED);
  ThrowIfFailed(sink->Close());
  ComPtr<ID2D1SolidColorBrush> white;
  ThrowIfFailed(t.target->CreateSolidColorBrush(D2D1::ColorF(1, 1, 1, 1), white.Put()));
  t.target->BeginDraw();
  t.target->FillGeometry(geometry.Get(), white.Get());
  ThrowIfFailed(t.target->EndDraw());
  const auto pixels = Pixels(t, 4, 4);
  return pixels[(3 * 4 + 2) * 4 + 3] > 128;
}

// A half-opaque layer masked to the left pixel of two, filled white: the left
// pixel comes out at about half alpha and the right one stays empty.
bool LayersWork(ID2D1Factory* factory, IWICImagingFactory* wic) {
  const WicTarget t = CreateWicTarget(factory, wic, 2, 1);
  ComPtr<ID2D1RectangleGeometry> mask;
  ThrowIfFailed(factory->CreateRectangleGeometry(D2D1::RectF(0, 0, 1, 1), mask.Put()));
  ComPtr<ID2D1SolidColorBrush> white;
  ThrowIfFailed(t.target->CreateSolidColorBrush(D2D1::ColorF(1, 1, 1, 1), white.Put()));
  t.target->BeginDraw();
  t.target->Clear(D2D1::ColorF(0, 0, 0, 0));
  const D2D1_LAYER_PARAMETERS1 layer{D2D1::InfiniteRect(),    mask.Get(), D2D1_ANTIALIAS_MODE_ALIASED,
                                     D2D1::IdentityMatrix(),  0.5f,       nullptr,
                                     D2D1_LAYER_OPTIONS1_NONE};
  t.context->PushLayer(&layer, nullptr);
  t.target->FillRectangle(D2D1::RectF(0, 0, 2, 1), white.Get());
  t.context->PopLayer();
  ThrowIfFailed(t.target->EndDraw());
  const auto pixels = Pixels(t, 2, 1);
  return pixels[3] >= 96 && pixels[3] <= 160 && pixels[7] == 0;
}

// A black square recorded into a command list and shadowed with a small
// blur: its centre must come out dark.
bool ShadowEffectWorks(ID2D1Factory* factory, IWICImagingFactory* wic) {
  const WicTarget t = CreateWicTarget(factory, wic, 8, 8);
  ComPtr<ID2D1Device> device;
  t.context->GetDevice(device.Put());
  if (!device) return false;
  ComPtr<ID2D1DeviceContext> recorder;
  ThrowIfFailed(device->CreateDeviceContext(D2D1_DEVICE_CONTEXT_OPTIONS_NONE, recorder.Put()));
  ComPtr<ID2D1CommandList> commands;
  ThrowIfFailed(recorder->CreateCommandList(commands.Put()));
  ComPtr<ID2D1SolidColorBrush> black;
  ThrowIfFailed(recorder->CreateSolidColorBrush(D2D1::ColorF(0, 0, 0, 1), black.Put()));
  recorder->SetTarget(commands.Get());
  recorder->BeginDraw();
  recorder->FillRectangle(D2D1::RectF(2, 2, 6, 6), black.Get());
  ThrowIfFailed(recorder->EndDraw());
  recorder->SetTarget(nullptr);
  ThrowIfFailed(commands->Close());

  ComPtr<ID2D1Effect> shadow;
  ThrowIfFailed(t.context->CreateEffect(CLSID_D2D1Shadow, shadow.Put()));
  shadow->SetInput(0, commands.Get());
  const float deviation = 1.0f;
  const D2D1_VECTOR_4F color{0, 0, 0, 1};
  ThrowIfFailed(shadow->SetValue(D2D1_SHADOW_PROP_BLUR_STANDARD_DEVIATION, D2D1_PROPERTY_TYPE_UNKNOWN,
                                 reinterpret_cast<const BYTE*>(&deviation), sizeof deviation));
  ThrowIfFailed(shadow->SetValue(D2D1_SHADOW_PROP_COLOR, D2D1_PROPERTY_TYPE_UNKNOWN,
                                 reinterpret_cast<const BYTE*>(&color), sizeof color));
  ComPtr<ID2D1Image> output;
  shadow->GetOutput(output.Put());
  t.target->BeginDraw();
  t.target->Clear(D2D1::ColorF(0, 0, 0, 0));
  t.context->DrawImage(output.Get(), nullptr, nullptr, D2D1_INTERPOLATION_MODE_LINEAR, D2D1_COMPOSITE_MODE_SOURCE_OVER);
  ThrowIfFailed(t.target->EndDraw());
  const auto pixels = Pixels(t, 8, 8);
  return pixels[(4 * 8 + 4) * 4 + 3] >= 128;
}

template <class Probe>
bool Try(Probe probe) {
  try {
    return probe();
  } catch (const HResultError&) {
    return false;
  }
}

}  // namespace

const D2DSupport& ProbeD2DSupport(ID2D1Factory* factory) {
  static D2DSupport support;
  static std::once_flag once;
  std::call_once(once, [&] {
    ComPtr<IWICImagingFactory> wicFactory;
    try {
      wicFactory = CreateWicFactory();
    } catch (const HResultError&) {
      support = D2DSupport{true, true, true};
      return;
    }
    IWICImagingFactory* wic = wicFactory.Get();
    support.arcs = Try([&] { return ArcsWork(factory, wic); });
    support.layers = Try([&] { return LayersWork(factory, wic); });
    support.shadowEffect = Try([&] { return ShadowEffectWorks(factory, wic); });
    if (!support.arcs) Log(L"D2DCanvas: arc segments unavailable, drawing arcs as curves");
    if (!support.layers) Log(L"D2DCanvas: layers unavailable, drawing clips and layers offscreen");
    if (!support.shadowEffect) Log(L"D2DCanvas: Shadow effect unavailable, blurring shadows on the CPU");
  });
  return support;
}

}  // namespace orvane
