// Win32SetupPlatform: values under HKEY_CURRENT_USER.
#include "Win32SetupPlatform.h"

namespace orvane {

bool Win32SetupPlatform::SetRegistryValue(const std::wstring& key, const RegistryValue& value) {
  HKEY handle = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                      &handle, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  LSTATUS status = ERROR_SUCCESS;
  if (value.type == RegistryType::Dword) {
    const DWORD number = value.number;
    status = RegSetValueExW(handle, value.name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                            sizeof(number));
  } else {
    // REG_SZ data includes its terminating null.
    const DWORD size = static_cast<DWORD>((value.text.size() + 1) * sizeof(wchar_t));
    status = RegSetValueExW(handle, value.name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.text.c_str()),
                            size);
  }
  RegCloseKey(handle);
  return status == ERROR_SUCCESS;
}

bool Win32SetupPlatform::DeleteRegistryValue(const std::wstring& key, const std::wstring& name) {
  // A missing key holds no value to delete; it is not created for this.
  HKEY handle = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_SET_VALUE, &handle) != ERROR_SUCCESS) return false;
  const LSTATUS status = RegDeleteValueW(handle, name.c_str());
  RegCloseKey(handle);
  return status == ERROR_SUCCESS;
}

bool Win32SetupPlatform::DeleteRegistryTree(const std::wstring& key) {
  return RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str()) == ERROR_SUCCESS;
}

}  // namespace orvane
