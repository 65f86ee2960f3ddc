#include "system/win32/Win32WirelessPlatform.h"

#include <windows.h>

#include "system/win32/Win32Bluetooth.h"
#include "system/win32/Win32Radios.h"
#include "system/win32/Win32WlanSession.h"

namespace orvane {

std::vector<std::unique_ptr<Radio>> Win32WirelessPlatform::Radios() { return ListWin32Radios(); }

RadioAccess Win32WirelessPlatform::RequestRadioAccess() {
  if (accessAllowed_) return RadioAccess::Allowed;
  const RadioAccess access = RequestWin32RadioAccess();
  accessAllowed_ = access == RadioAccess::Allowed;
  return access;
}

std::unique_ptr<WlanSession> Win32WirelessPlatform::OpenWlan() { return OpenWin32WlanSession(); }

std::optional<std::vector<BluetoothDeviceRecord>> Win32WirelessPlatform::FindBluetoothDevices() {
  return FindWin32BluetoothDevices();
}

std::optional<std::wstring> Win32WirelessPlatform::DecodeAnsi(std::string_view bytes) {
  if (bytes.empty()) return std::wstring();
  const int size = static_cast<int>(bytes.size());
  const int chars = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
  if (chars <= 0) return std::nullopt;
  std::wstring text(static_cast<std::size_t>(chars), L'\0');
  if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), size, text.data(), chars) != chars) {
    return std::nullopt;
  }
  return text;
}

}  // namespace orvane
