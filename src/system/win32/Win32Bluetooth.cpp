#include "system/win32/Win32Bluetooth.h"

#include <windows.h>
// After windows.h, which it relies on.
#include <bluetoothapis.h>

#include <cwchar>

namespace orvane {
namespace {

BluetoothDeviceRecord ToRecord(const BLUETOOTH_DEVICE_INFO& info) {
  BluetoothDeviceRecord record;
  record.name = std::wstring(info.szName, wcsnlen(info.szName, BLUETOOTH_MAX_NAME_SIZE));
  record.address = info.Address.ullLong;
  record.connected = info.fConnected != FALSE;
  record.remembered = info.fRemembered != FALSE;
  record.classOfDevice = info.ulClassofDevice;
  return record;
}

}  // namespace

std::optional<std::vector<BluetoothDeviceRecord>> FindWin32BluetoothDevices() {
  BLUETOOTH_DEVICE_SEARCH_PARAMS search{};
  search.dwSize = sizeof(search);
  search.fReturnAuthenticated = TRUE;
  search.fReturnRemembered = TRUE;
  search.fReturnUnknown = FALSE;
  search.fReturnConnected = TRUE;
  search.fIssueInquiry = FALSE;
  search.cTimeoutMultiplier = 0;
  search.hRadio = nullptr;  // all radios

  BLUETOOTH_DEVICE_INFO info{};
  info.dwSize = sizeof(info);
  HBLUETOOTH_DEVICE_FIND find = BluetoothFindFirstDevice(&search, &info);
  if (find == nullptr) return std::nullopt;

  std::vector<BluetoothDeviceRecord> devices;
  do {
    devices.push_back(ToRecord(info));
    info = BLUETOOTH_DEVICE_INFO{};
    info.dwSize = sizeof(info);
  } while (BluetoothFindNextDevice(find, &info));
  BluetoothFindDeviceClose(find);
  return devices;
}

}  // namespace orvane
