#pragma once
// The classic-COM interop interfaces of Windows.UI.Composition
// (windows.ui.composition.interop.h): they tie the compositor to Win32
// windows and to a Direct2D device. All derive from IUnknown, so the first
// listed method is slot 3. Sources named as in CompositionAbi.h; "SDK interop
// header" is winrt/windows.ui.composition.interop.h as published in the
// TerraFX interop port.

#include "platform/win32/winrt/CompositionAbi.h"

namespace orvane::winrt {

// Order checked against the Wine IDL (windows.ui.composition.interop.idl).
struct ICompositorInterop : IUnknown {
  static constexpr GUID kIid{0x25297d5c, 0x3ad4, 0x4c9c, {0xb5, 0xcf, 0xe3, 0x6a, 0x38, 0x51, 0x23, 0x30}};
  virtual HRESULT STDMETHODCALLTYPE CreateCompositionSurfaceForHandle(HANDLE swapChain,
                                                                      ICompositionSurface** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateCompositionSurfaceForSwapChain(IUnknown* swapChain,
                                                                         ICompositionSurface** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateGraphicsDevice(IUnknown* renderingDevice,
                                                         ICompositionGraphicsDevice** result) = 0;
};

// Order checked against the SDK interop header.
struct ICompositorDesktopInterop : IUnknown {
  static constexpr GUID kIid{0x29e691fa, 0x4567, 0x4dca, {0xb3, 0x19, 0xd0, 0xf2, 0x07, 0xeb, 0x68, 0x07}};
  virtual HRESULT STDMETHODCALLTYPE CreateDesktopWindowTarget(HWND hwndTarget, BOOL isTopmost,
                                                              IDesktopWindowTarget** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE EnsureOnThread(DWORD threadId) = 0;
};

// Order checked against the SDK interop header.
struct ICompositionDrawingSurfaceInterop : IUnknown {
  static constexpr GUID kIid{0xfd04e6e3, 0xfe0c, 0x4c3c, {0xab, 0x19, 0xa0, 0x76, 0x01, 0xa5, 0x76, 0xee}};
  virtual HRESULT STDMETHODCALLTYPE BeginDraw(const RECT* updateRect, REFIID iid, void** updateObject,
                                              POINT* updateOffset) = 0;
  virtual HRESULT STDMETHODCALLTYPE EndDraw() = 0;
  virtual HRESULT STDMETHODCALLTYPE Resize(SIZE sizePixels) = 0;
  virtual HRESULT STDMETHODCALLTYPE Scroll(const RECT* scrollRect, const RECT* clipRect, int offsetX,
                                           int offsetY) = 0;
  virtual HRESULT STDMETHODCALLTYPE ResumeDraw() = 0;
  virtual HRESULT STDMETHODCALLTYPE SuspendDraw() = 0;
};

// Order checked against the SDK interop header.
struct ICompositionGraphicsDeviceInterop : IUnknown {
  static constexpr GUID kIid{0xa116ff71, 0xf8bf, 0x4c8a, {0x9c, 0x98, 0x70, 0x77, 0x9a, 0x32, 0xa9, 0xc8}};
  virtual HRESULT STDMETHODCALLTYPE GetRenderingDevice(IUnknown** value) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetRenderingDevice(IUnknown* value) = 0;
};

}  // namespace orvane::winrt
