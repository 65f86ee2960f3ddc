#pragma once
// The one Direct3D 11 device of the process and the Direct2D/DirectWrite
// objects built on it. The hub owns exactly one and lends it to every window.
// The two factories are created once and survive device loss; the device,
// the Direct2D device and the context are rebuilt by each Create, which makes
// every pointer handed out before stale.

#include <d2d1_1.h>
#include <d3d11.h>
#include <dwrite.h>
#include <windows.h>

#include "platform/win32/ComPtr.h"

namespace orvane {

class GraphicsDevice {
 public:
  GraphicsDevice() = default;
  GraphicsDevice(const GraphicsDevice&) = delete;
  GraphicsDevice& operator=(const GraphicsDevice&) = delete;
  ~GraphicsDevice();

  // Releases the device-dependent objects and builds them again (first
  // creation and device-loss recovery alike). Throws HResultError.
  void Create();
  // Releases the context, the Direct2D device and the Direct3D device, in
  // that order. The factories stay.
  void ReleaseDevice();

  ID3D11Device* d3dDevice() const { return d3dDevice_.Get(); }
  ID2D1Factory1* d2dFactory() const { return d2dFactory_.Get(); }
  IDWriteFactory* dwriteFactory() const { return dwriteFactory_.Get(); }
  ID2D1Device* d2dDevice() const { return d2dDevice_.Get(); }
  ID2D1DeviceContext* d2dContext() const { return d2dContext_.Get(); }

 private:
  // Member order is the documented order; the implicit destruction after
  // ReleaseDevice then releases the factories last-created first.
  ComPtr<ID3D11Device> d3dDevice_;
  ComPtr<ID2D1Factory1> d2dFactory_;
  ComPtr<IDWriteFactory> dwriteFactory_;
  ComPtr<ID2D1Device> d2dDevice_;
  ComPtr<ID2D1DeviceContext> d2dContext_;
};

}  // namespace orvane
