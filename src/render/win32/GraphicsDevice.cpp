#include "render/win32/GraphicsDevice.h"

#include <d3d10.h>
#include <dxgi.h>

#include <cwchar>

#include "app/Log.h"
#include "render/DeviceCreation.h"

namespace orvane {

GraphicsDevice::~GraphicsDevice() {
  ReleaseDevice();
  d2dContext_.Reset();
  d2dDevice_.Reset();
  dwriteFactory_.Reset();
  d2dFactory_.Reset();
  d3dDevice_.Reset();
}

void GraphicsDevice::ReleaseDevice() {
  d2dContext_.Reset();
  d2dDevice_.Reset();
  d3dDevice_.Reset();
}

void GraphicsDevice::Create() {
  ReleaseDevice();

  static const D3D_FEATURE_LEVEL kLevels[] = {D3D_FEATURE_LEVEL_11_1, D3D_FEATURE_LEVEL_11_0, D3D_FEATURE_LEVEL_10_1,
                                              D3D_FEATURE_LEVEL_10_0};
  ComPtr<ID3D11Device> device;
  const std::int32_t created = CreateDeviceWithWarpFallback([&](DeviceDriver driver) {
    const D3D_DRIVER_TYPE type = driver == DeviceDriver::Hardware ? D3D_DRIVER_TYPE_HARDWARE : D3D_DRIVER_TYPE_WARP;
    return static_cast<std::int32_t>(D3D11CreateDevice(nullptr, type, nullptr, D3D11_CREATE_DEVICE_BGRA_SUPPORT,
                                                       kLevels, ARRAYSIZE(kLevels), D3D11_SDK_VERSION, device.Put(),
                                                       nullptr, nullptr));
  });
  ThrowIfFailed(static_cast<HRESULT>(created));

  // Direct2D and the compositor may reach the immediate context from their
  // own threads.
  ComPtr<ID3D11DeviceContext> immediate;
  device->GetImmediateContext(immediate.Put());
  if (auto multithread = immediate.TryAs<ID3D10Multithread>()) multithread->SetMultithreadProtected(TRUE);

  if (!d2dFactory_) {
    D2D1_FACTORY_OPTIONS options{};
    options.debugLevel = D2D1_DEBUG_LEVEL_NONE;
    ThrowIfFailed(
        D2D1CreateFactory(D2D1_FACTORY_TYPE_MULTI_THREADED, __uuidof(ID2D1Factory1), &options, d2dFactory_.PutVoid()));
  }
  if (!dwriteFactory_) {
    ThrowIfFailed(DWriteCreateFactory(DWRITE_FACTORY_TYPE_SHARED, __uuidof(IDWriteFactory),
                                      reinterpret_cast<IUnknown**>(dwriteFactory_.Put())));
  }

  auto dxgiDevice = device.As<IDXGIDevice>();
  ComPtr<IDXGIAdapter> adapter;
  if (SUCCEEDED(dxgiDevice->GetAdapter(adapter.Put()))) {
    DXGI_ADAPTER_DESC desc{};
    if (SUCCEEDED(adapter->GetDesc(&desc))) {
      // The description is a fixed array; do not trust it to be terminated.
      const size_t length = wcsnlen(desc.Description, ARRAYSIZE(desc.Description));
      LogAdapter(std::wstring_view(desc.Description, length), desc.DedicatedVideoMemory);
    }
  }

  ComPtr<ID2D1Device> d2dDevice;
  ThrowIfFailed(d2dFactory_->CreateDevice(dxgiDevice.Get(), d2dDevice.Put()));
  ComPtr<ID2D1DeviceContext> context;
  ThrowIfFailed(d2dDevice->CreateDeviceContext(D2D1_DEVICE_CONTEXT_OPTIONS_NONE, context.Put()));

  d3dDevice_ = std::move(device);
  d2dDevice_ = std::move(d2dDevice);
  d2dContext_ = std::move(context);
  Log(L"GraphicsDevice created");
}

}  // namespace orvane
