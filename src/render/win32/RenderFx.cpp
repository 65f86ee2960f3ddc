// The effect CLSIDs are not in any import library; define them here.
#include <initguid.h>

#include "render/win32/RenderFx.h"

#include <d2d1effects.h>

#include "platform/win32/WinRt.h"

namespace orvane::RenderFx {

HRESULT BoxEffectProperty(const EffectPropertyValue& value, winrt::IPropertyValue** boxed) {
  if (boxed == nullptr) return E_POINTER;
  *boxed = nullptr;
  ComPtr<winrt::IPropertyValueStatics> statics;
  HRESULT hr = TryGetActivationFactory(L"Windows.Foundation.PropertyValue", winrt::IPropertyValueStatics::kIid,
                                       statics.PutVoid());
  if (FAILED(hr)) return hr;
  ComPtr<IInspectable> inspectable;
  hr = value.type == EffectPropertyValue::Type::Single ? statics->CreateSingle(value.single, inspectable.Put())
                                                        : statics->CreateUInt32(value.uint32, inspectable.Put());
  if (FAILED(hr)) return hr;
  return inspectable->QueryInterface(winrt::IPropertyValue::kIid, reinterpret_cast<void**>(boxed));
}

HRESULT ReturnIids(std::initializer_list<IID> iids, ULONG* count, IID** out) {
  if (count == nullptr || out == nullptr) return E_POINTER;
  *count = 0;
  *out = static_cast<IID*>(CoTaskMemAlloc(sizeof(IID) * iids.size()));
  if (*out == nullptr) return E_OUTOFMEMORY;
  for (const IID& iid : iids) (*out)[(*count)++] = iid;
  return S_OK;
}

HRESULT ReturnHString(const std::wstring& text, HSTRING* out) {
  if (out == nullptr) return E_POINTER;
  return WindowsCreateString(text.c_str(), static_cast<UINT32>(text.size()), out);
}

GUID GaussianBlurEffect::EffectId() { return CLSID_D2D1GaussianBlur; }
GUID SaturationEffect::EffectId() { return CLSID_D2D1Saturation; }

HRESULT D2DGeometrySource::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (iid == __uuidof(IUnknown) || iid == __uuidof(IInspectable) || iid == winrt::IGeometrySource2D::kIid) {
    *object = static_cast<winrt::IGeometrySource2D*>(this);
  } else if (iid == winrt::IGeometrySource2DInterop::kIid) {
    *object = static_cast<winrt::IGeometrySource2DInterop*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG D2DGeometrySource::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT D2DGeometrySource::GetIids(ULONG* count, IID** iids) {
  return ReturnIids({winrt::IGeometrySource2D::kIid}, count, iids);
}

HRESULT D2DGeometrySource::GetRuntimeClassName(HSTRING* className) {
  return ReturnHString(L"Orvane.RenderFx.D2DGeometrySource", className);
}

HRESULT D2DGeometrySource::GetTrustLevel(TrustLevel* level) {
  if (level == nullptr) return E_POINTER;
  *level = BaseTrust;
  return S_OK;
}

HRESULT D2DGeometrySource::GetGeometry(ID2D1Geometry** value) {
  if (value == nullptr) return E_POINTER;
  *value = nullptr;
  if (!geometry_) return E_FAIL;
  geometry_.CopyTo(value);
  return S_OK;
}

HRESULT D2DGeometrySource::TryGetGeometryUsingFactory(ID2D1Factory*, ID2D1Geometry** value) {
  // Every geometry comes from the process's one Direct2D factory, so the one
  // we hold is already usable with the caller's.
  return GetGeometry(value);
}

ComPtr<winrt::IGeometrySource2D> MakeGeometrySource(ComPtr<ID2D1Geometry> geometry) {
  auto source = Make<D2DGeometrySource>(std::move(geometry));
  return ComPtr<winrt::IGeometrySource2D>(static_cast<winrt::IGeometrySource2D*>(source.Get()));
}

}  // namespace orvane::RenderFx
