#pragma once
// Windows.Graphics.Effects and Windows.Graphics interfaces that the program
// implements itself (effect descriptions and geometry sources handed to the
// compositor), with their classic-COM interop companions.

#include <d2d1.h>

#include "platform/win32/winrt/FoundationAbi.h"

namespace orvane::winrt {

// Order checked against the Wine IDL (include/windows.graphics.effects.idl);
// no methods of its own.
struct IGraphicsEffectSource : IInspectable {
  static constexpr GUID kIid{0x2d8f9ddc, 0x4339, 0x4eb9, {0x92, 0x16, 0xf9, 0xde, 0xb7, 0x56, 0x58, 0xa2}};
};

// Order checked against the Wine IDL (include/windows.graphics.effects.idl).
// Its implementations also implement IGraphicsEffectSource.
struct IGraphicsEffect : IInspectable {
  static constexpr GUID kIid{0xcb51c0ce, 0x8fe6, 0x4636, {0xb2, 0x02, 0x86, 0x1f, 0xaa, 0x07, 0xd8, 0xf3}};
  virtual HRESULT STDMETHODCALLTYPE get_Name(HSTRING* name) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Name(HSTRING name) = 0;
};

// IUnknown-based (slots from 3). Order checked against the Windows SDK header
// windows.graphics.effects.interop.h as published in the TerraFX interop port.
struct IGraphicsEffectD2D1Interop : IUnknown {
  static constexpr GUID kIid{0x2fc57384, 0xa068, 0x44d7, {0xa3, 0x31, 0x30, 0x98, 0x2f, 0xcf, 0x71, 0x77}};
  virtual HRESULT STDMETHODCALLTYPE GetEffectId(GUID* id) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetNamedPropertyMapping(LPCWSTR name, UINT* index,
                                                            GRAPHICS_EFFECT_PROPERTY_MAPPING* mapping) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetPropertyCount(UINT* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetProperty(UINT index, IPropertyValue** value) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetSource(UINT index, IGraphicsEffectSource** source) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetSourceCount(UINT* count) = 0;
};

// Windows.Graphics.IGeometrySource2D: a marker interface without methods. IID
// from the public Windows API reference (Windows.Graphics.IGeometrySource2D).
struct IGeometrySource2D : IInspectable {
  static constexpr GUID kIid{0xcaff7902, 0x670c, 0x4181, {0xa6, 0x24, 0xda, 0x97, 0x72, 0x03, 0xb8, 0x45}};
};

// IUnknown-based (slots from 3), from windows.graphics.interop.h. Order
// checked against the public Rust bindings documentation generated from the
// Windows metadata (Win32::System::WinRT::Graphics::Direct2D).
struct IGeometrySource2DInterop : IUnknown {
  static constexpr GUID kIid{0x0657af73, 0x53fd, 0x47cf, {0x84, 0xff, 0xc8, 0x49, 0x2d, 0x2a, 0x80, 0xa3}};
  virtual HRESULT STDMETHODCALLTYPE GetGeometry(ID2D1Geometry** value) = 0;
  virtual HRESULT STDMETHODCALLTYPE TryGetGeometryUsingFactory(ID2D1Factory* factory, ID2D1Geometry** value) = 0;
};

}  // namespace orvane::winrt
