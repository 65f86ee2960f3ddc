#include <windows.h>
#include <oleauto.h>
#include <wbemidl.h>

#include <string>
#include <utility>

#include "platform/win32/ComPtr.h"
#include "system/win32/Win32SystemControls.h"

namespace orvane {
namespace {

// Longest wait for the first result of a query, on the calling thread.
constexpr LONG kQueryTimeoutMs = 1500;

class Bstr {
 public:
  explicit Bstr(const wchar_t* text) : value_(SysAllocString(text)) {}
  ~Bstr() { SysFreeString(value_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  BSTR Get() const { return value_; }
  explicit operator bool() const { return value_ != nullptr; }

 private:
  BSTR value_;
};

class Variant {
 public:
  Variant() { VariantInit(&value_); }
  ~Variant() { VariantClear(&value_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  VARIANT* Get() { return &value_; }
  const VARIANT& operator*() const { return value_; }

 private:
  VARIANT value_;
};

ComPtr<IWbemServices> ConnectRootWmi() {
  ComPtr<IWbemLocator> locator;
  if (FAILED(CoCreateInstance(__uuidof(WbemLocator), nullptr, CLSCTX_INPROC_SERVER, IidOf<IWbemLocator>(),
                              locator.PutVoid()))) {
    return nullptr;
  }
  const Bstr space(L"ROOT\\WMI");
  ComPtr<IWbemServices> services;
  if (!space || FAILED(locator->ConnectServer(space.Get(), nullptr, nullptr, nullptr, 0, nullptr, nullptr,
                                               services.Put()))) {
    return nullptr;
  }
  if (FAILED(CoSetProxyBlanket(services.Get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr, RPC_C_AUTHN_LEVEL_CALL,
                               RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE))) {
    return nullptr;
  }
  return services;
}

// The first object a WQL query yields within the timeout.
ComPtr<IWbemClassObject> FirstObject(IWbemServices& services, const wchar_t* query) {
  const Bstr language(L"WQL");
  const Bstr text(query);
  if (!language || !text) return nullptr;
  ComPtr<IEnumWbemClassObject> results;
  if (FAILED(services.ExecQuery(language.Get(), text.Get(), WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY,
                                nullptr, results.Put()))) {
    return nullptr;
  }
  ComPtr<IWbemClassObject> object;
  ULONG returned = 0;
  // WBEM_S_TIMEDOUT and WBEM_S_FALSE are successes with nothing returned.
  if (results->Next(kQueryTimeoutMs, 1, object.Put(), &returned) != WBEM_S_NO_ERROR || returned != 1) return nullptr;
  return object;
}

// A BSTR property as text; "" when it is missing or of another type.
std::wstring StringProperty(IWbemClassObject& object, const wchar_t* name) {
  Variant value;
  if (FAILED(object.Get(name, 0, value.Get(), nullptr, nullptr)) || (*value).vt != VT_BSTR ||
      (*value).bstrVal == nullptr) {
    return {};
  }
  return std::wstring((*value).bstrVal, SysStringLen((*value).bstrVal));
}

// The object of a WQL query whose InstanceName is instance, each step
// within the timeout.
ComPtr<IWbemClassObject> ObjectWithInstance(IWbemServices& services, const wchar_t* query,
                                            const std::wstring& instance) {
  const Bstr language(L"WQL");
  const Bstr text(query);
  if (!language || !text) return nullptr;
  ComPtr<IEnumWbemClassObject> results;
  if (FAILED(services.ExecQuery(language.Get(), text.Get(), WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY,
                                nullptr, results.Put()))) {
    return nullptr;
  }
  for (;;) {
    ComPtr<IWbemClassObject> object;
    ULONG returned = 0;
    if (results->Next(kQueryTimeoutMs, 1, object.Put(), &returned) != WBEM_S_NO_ERROR || returned != 1) return nullptr;
    if (StringProperty(*object.Get(), L"InstanceName") == instance) return object;
  }
}

std::optional<std::int64_t> IntegerOf(const VARIANT& value) {
  switch (value.vt) {
    case VT_UI1:
      return value.bVal;
    case VT_I2:
      return value.iVal;
    case VT_I4:
      return value.lVal;
    case VT_UI4:
      return value.ulVal;
    default:
      return std::nullopt;
  }
}

}  // namespace

std::wstring Win32SystemControlsPlatform::WmiBrightnessInstance() {
  const ComPtr<IWbemServices> services = ConnectRootWmi();
  if (!services) return {};
  const ComPtr<IWbemClassObject> monitor =
      FirstObject(*services.Get(), L"SELECT InstanceName FROM WmiMonitorBrightness");
  if (!monitor) return {};
  return StringProperty(*monitor.Get(), L"InstanceName");
}

std::optional<std::int64_t> Win32SystemControlsPlatform::WmiCurrentBrightness() {
  const ComPtr<IWbemServices> services = ConnectRootWmi();
  if (!services) return std::nullopt;
  const ComPtr<IWbemClassObject> monitor =
      FirstObject(*services.Get(), L"SELECT CurrentBrightness FROM WmiMonitorBrightness");
  if (!monitor) return std::nullopt;
  Variant value;
  if (FAILED(monitor->Get(L"CurrentBrightness", 0, value.Get(), nullptr, nullptr))) return std::nullopt;
  return IntegerOf(*value);
}

bool Win32SystemControlsPlatform::WmiSetBrightness(const std::wstring& instance, std::uint8_t percent) {
  if (instance.empty()) return false;
  const ComPtr<IWbemServices> services = ConnectRootWmi();
  if (!services) return false;
  const ComPtr<IWbemClassObject> methods =
      ObjectWithInstance(*services.Get(), L"SELECT * FROM WmiMonitorBrightnessMethods", instance);
  if (!methods) return false;
  Variant path;
  if (FAILED(methods->Get(L"__PATH", 0, path.Get(), nullptr, nullptr)) || (*path).vt != VT_BSTR) return false;

  const Bstr className(L"WmiMonitorBrightnessMethods");
  const Bstr methodName(L"WmiSetBrightness");
  if (!className || !methodName) return false;
  ComPtr<IWbemClassObject> methodClass;
  if (FAILED(services->GetObject(className.Get(), 0, nullptr, methodClass.Put(), nullptr))) return false;
  ComPtr<IWbemClassObject> signature;
  if (FAILED(methodClass->GetMethod(L"WmiSetBrightness", 0, signature.Put(), nullptr)) || !signature) return false;
  ComPtr<IWbemClassObject> arguments;
  if (FAILED(signature->SpawnInstance(0, arguments.Put()))) return false;

  Variant timeout;
  V_VT(timeout.Get()) = VT_I4;
  V_I4(timeout.Get()) = 0;
  Variant brightness;
  V_VT(brightness.Get()) = VT_UI1;
  V_UI1(brightness.Get()) = percent;
  if (FAILED(arguments->Put(L"Timeout", 0, timeout.Get(), 0)) ||
      FAILED(arguments->Put(L"Brightness", 0, brightness.Get(), 0))) {
    return false;
  }
  return SUCCEEDED(services->ExecMethod((*path).bstrVal, methodName.Get(), 0, nullptr, arguments.Get(), nullptr,
                                        nullptr));
}

}  // namespace orvane
