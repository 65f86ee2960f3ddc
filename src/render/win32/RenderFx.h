#pragma once
// RenderFx: the small COM objects the compositor reads to build Direct2D
// effect graphs and paths.
//  - D2DEffectBase<Derived>: IGraphicsEffect + IGraphicsEffectSource +
//    IGraphicsEffectD2D1Interop over an EffectDescription (the portable
//    property table), with a name and at most one source.
//  - GaussianBlurEffect, SaturationEffect: the two effects of the backdrop.
//  - D2DGeometrySource: hands an ID2D1Geometry to the compositor as an
//    IGeometrySource2D (for CompositionPath).
// Objects start with one reference, owned by the ComPtr Make() returns.

#include <windows.h>
#include <d2d1_1.h>

#include <atomic>
#include <initializer_list>
#include <string>
#include <utility>

#include "render/EffectDescription.h"
#include "platform/win32/ComPtr.h"
#include "platform/win32/winrt/EffectsAbi.h"

namespace orvane::RenderFx {

template <class T, class... Args>
ComPtr<T> Make(Args&&... args) {
  return ComPtr<T>::Attach(new T(std::forward<Args>(args)...));
}

// Boxes a property value through Windows.Foundation.PropertyValue.
HRESULT BoxEffectProperty(const EffectPropertyValue& value, winrt::IPropertyValue** boxed);

// Fills an IInspectable::GetIids answer (CoTaskMemAlloc'd array).
HRESULT ReturnIids(std::initializer_list<IID> iids, ULONG* count, IID** out);

// A new HSTRING copy of `text` for a COM out-parameter.
HRESULT ReturnHString(const std::wstring& text, HSTRING* out);

template <class Derived>
class D2DEffectBase : public winrt::IGraphicsEffect,
                      public winrt::IGraphicsEffectSource,
                      public winrt::IGraphicsEffectD2D1Interop {
 public:
  D2DEffectBase(const D2DEffectBase&) = delete;
  D2DEffectBase& operator=(const D2DEffectBase&) = delete;

  void SetName(std::wstring name) { name_ = std::move(name); }
  void SetSource(ComPtr<winrt::IGraphicsEffectSource> source) { source_ = std::move(source); }
  const EffectDescription& description() const { return description_; }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IInspectable) || iid == winrt::IGraphicsEffect::kIid) {
      *object = static_cast<winrt::IGraphicsEffect*>(this);
    } else if (iid == winrt::IGraphicsEffectSource::kIid) {
      *object = static_cast<winrt::IGraphicsEffectSource*>(this);
    } else if (iid == winrt::IGraphicsEffectD2D1Interop::kIid) {
      *object = static_cast<winrt::IGraphicsEffectD2D1Interop*>(this);
    } else {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete static_cast<Derived*>(this);
    return left;
  }

  // IInspectable
  HRESULT STDMETHODCALLTYPE GetIids(ULONG* count, IID** iids) override {
    return ReturnIids({winrt::IGraphicsEffect::kIid, winrt::IGraphicsEffectSource::kIid}, count, iids);
  }
  HRESULT STDMETHODCALLTYPE GetRuntimeClassName(HSTRING* className) override {
    return ReturnHString(Derived::kRuntimeClassName, className);
  }
  HRESULT STDMETHODCALLTYPE GetTrustLevel(TrustLevel* level) override {
    if (level == nullptr) return E_POINTER;
    *level = BaseTrust;
    return S_OK;
  }

  // IGraphicsEffect
  HRESULT STDMETHODCALLTYPE get_Name(HSTRING* name) override { return ReturnHString(name_, name); }
  HRESULT STDMETHODCALLTYPE put_Name(HSTRING name) override {
    UINT32 length = 0;
    const wchar_t* text = WindowsGetStringRawBuffer(name, &length);
    try {
      name_.assign(text != nullptr ? text : L"", length);
    } catch (...) {
      return E_OUTOFMEMORY;
    }
    return S_OK;
  }

  // IGraphicsEffectD2D1Interop
  HRESULT STDMETHODCALLTYPE GetEffectId(GUID* id) override {
    if (id == nullptr) return E_POINTER;
    *id = Derived::EffectId();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetNamedPropertyMapping(LPCWSTR, UINT*, winrt::GRAPHICS_EFFECT_PROPERTY_MAPPING*) override {
    return kNamedPropertyMappingResult;
  }
  HRESULT STDMETHODCALLTYPE GetPropertyCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = description_.propertyCount();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetProperty(UINT index, winrt::IPropertyValue** value) override {
    if (value != nullptr) *value = nullptr;
    EffectPropertyValue property;
    const HRESULT hr = description_.PropertyAt(index, value != nullptr ? &property : nullptr);
    if (FAILED(hr)) return hr;
    return BoxEffectProperty(property, value);
  }
  HRESULT STDMETHODCALLTYPE GetSource(UINT index, winrt::IGraphicsEffectSource** source) override {
    if (source != nullptr) *source = nullptr;
    const HRESULT hr = EffectSourceQuery(static_cast<bool>(source_), index, source == nullptr);
    if (FAILED(hr)) return hr;
    source_.CopyTo(source);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetSourceCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = source_ ? 1u : 0u;
    return S_OK;
  }

 protected:
  explicit D2DEffectBase(EffectDescription description) : description_(std::move(description)) {}
  // Release deletes through the final Derived; no vtable slot beyond the interfaces'.
  ~D2DEffectBase() = default;

 private:
  std::atomic<ULONG> references_{1};
  EffectDescription description_;
  std::wstring name_;
  ComPtr<winrt::IGraphicsEffectSource> source_;
};

class GaussianBlurEffect final : public D2DEffectBase<GaussianBlurEffect> {
 public:
  static constexpr const wchar_t* kRuntimeClassName = L"Orvane.RenderFx.GaussianBlurEffect";
  static GUID EffectId();
  // The blur amount is the effect's standard deviation in pixels.
  explicit GaussianBlurEffect(float blurAmount) : D2DEffectBase(EffectDescription::GaussianBlur(blurAmount)) {}
};

class SaturationEffect final : public D2DEffectBase<SaturationEffect> {
 public:
  static constexpr const wchar_t* kRuntimeClassName = L"Orvane.RenderFx.SaturationEffect";
  static GUID EffectId();
  explicit SaturationEffect(float saturation) : D2DEffectBase(EffectDescription::Saturation(saturation)) {}
};

class D2DGeometrySource final : public winrt::IGeometrySource2D, public winrt::IGeometrySource2DInterop {
 public:
  explicit D2DGeometrySource(ComPtr<ID2D1Geometry> geometry) : geometry_(std::move(geometry)) {}
  D2DGeometrySource(const D2DGeometrySource&) = delete;
  D2DGeometrySource& operator=(const D2DGeometrySource&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override;
  // IInspectable
  HRESULT STDMETHODCALLTYPE GetIids(ULONG* count, IID** iids) override;
  HRESULT STDMETHODCALLTYPE GetRuntimeClassName(HSTRING* className) override;
  HRESULT STDMETHODCALLTYPE GetTrustLevel(TrustLevel* level) override;
  // IGeometrySource2DInterop
  HRESULT STDMETHODCALLTYPE GetGeometry(ID2D1Geometry** value) override;
  HRESULT STDMETHODCALLTYPE TryGetGeometryUsingFactory(ID2D1Factory* factory, ID2D1Geometry** value) override;

 private:
  ~D2DGeometrySource() = default;

  std::atomic<ULONG> references_{1};
  ComPtr<ID2D1Geometry> geometry_;
};

// Wraps a Direct2D geometry so that it can become a CompositionPath.
ComPtr<winrt::IGeometrySource2D> MakeGeometrySource(ComPtr<ID2D1Geometry> geometry);

}  // namespace orvane::RenderFx
