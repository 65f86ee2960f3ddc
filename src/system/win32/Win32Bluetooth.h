#pragma once
// Paired Bluetooth devices through the classic Bluetooth device search.

#include <optional>
#include <vector>

#include "system/Wireless.h"

namespace orvane {

// Authenticated, remembered and connected devices on every radio, without
// an inquiry; nullopt when BluetoothFindFirstDevice gives no handle (no
// radio, or no device at all).
std::optional<std::vector<BluetoothDeviceRecord>> FindWin32BluetoothDevices();

}  // namespace orvane
