#pragma once
// Wi-Fi and Bluetooth as Windows provides them: Windows.Devices.Radios, the
// native WLAN client API, the Bluetooth device search and the ANSI code page.

#include "system/Wireless.h"

namespace orvane {

class Win32WirelessPlatform : public WirelessPlatform {
 public:
  std::vector<std::unique_ptr<Radio>> Radios() override;
  RadioAccess RequestRadioAccess() override;
  std::unique_ptr<WlanSession> OpenWlan() override;
  std::optional<std::vector<BluetoothDeviceRecord>> FindBluetoothDevices() override;
  std::optional<std::wstring> DecodeAnsi(std::string_view bytes) override;

 private:
  bool accessAllowed_ = false;
};

}  // namespace orvane
