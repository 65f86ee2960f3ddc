#include "WirelessProbe.h"

#include <cstdio>

#include "system/Wireless.h"
#include "system/win32/Win32WirelessPlatform.h"

int RunWirelessProbe() {
  orvane::Win32WirelessPlatform platform;
  const orvane::WifiSnapshot wifi = orvane::ReadWifi(platform);
  std::printf("wifi present=%d on=%d connected=%d networks=%u\n", wifi.present, wifi.radioOn, wifi.connected,
              static_cast<unsigned>(wifi.networks.size()));
  const orvane::BluetoothSnapshot bluetooth = orvane::ReadBluetooth(platform);
  std::printf("bluetooth present=%d on=%d connected=%d devices=%u\n", bluetooth.present, bluetooth.radioOn,
              bluetooth.connectedCount, static_cast<unsigned>(bluetooth.devices.size()));
  bool present = false, on = false;
  const bool found = orvane::GetRadioState(platform, orvane::RadioKind::WiFi, present, on);
  std::printf("radio wifi found=%d present=%d on=%d\n", found, present, on);
  std::printf("radio wifi set=%d\n", orvane::SetRadioState(platform, orvane::RadioKind::WiFi, true));
  orvane::ScanWifi(platform);
  orvane::DisconnectWifi(platform);
  std::printf("join=%d\n", orvane::ConnectWifi(platform, L"Orvane e2e & <test>", L"", L"correct horse"));
  std::fflush(stdout);
  return 0;
}
