#pragma once
// Radios, a WLAN service and paired Bluetooth devices held in memory, for
// tests and the preview tool. Calls answer as the Windows ones do for the
// state set here, and every change request is recorded.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "system/Wireless.h"

namespace orvane {

struct FakeRadioState {
  RadioKind kind = RadioKind::WiFi;
  bool on = false;
  RadioAccess access = RadioAccess::Allowed;  // the answer to a change; Allowed applies it
  bool failReads = false;                     // reading the state throws
};

// One call that changed something, in order: "scan", "disconnect",
// "profile <xml>" or "connect <profile name>".
using FakeWlanCall = std::wstring;

class FakeWirelessPlatform : public WirelessPlatform {
 public:
  // Radio service.
  std::vector<FakeRadioState> radios;
  bool radioServiceFails = false;  // listing the radios (or asking for access) throws
  RadioAccess accessAnswer = RadioAccess::Allowed;
  int accessRequests = 0;

  // WLAN service; without it OpenWlan fails.
  bool wlanServiceRunning = true;
  std::vector<WlanInterface> interfaces;
  std::vector<std::wstring> profileNames;
  std::optional<WlanConnection> connection;  // nullopt: the query fails
  std::vector<WlanAvailableNetwork> availableNetworks;
  WlanResult setProfileResult;  // error 0: the profile is stored
  std::uint32_t connectError = 0;
  std::vector<FakeWlanCall> wlanCalls;
  int openSessions = 0;  // sessions not yet closed

  // Bluetooth search; nullopt: no find handle.
  std::optional<std::vector<BluetoothDeviceRecord>> bluetoothDevices;

  // Byte strings the ANSI code page can decode.
  std::map<std::string, std::wstring> ansiText;

  std::vector<std::unique_ptr<Radio>> Radios() override;
  RadioAccess RequestRadioAccess() override;
  std::unique_ptr<WlanSession> OpenWlan() override;
  std::optional<std::vector<BluetoothDeviceRecord>> FindBluetoothDevices() override { return bluetoothDevices; }
  std::optional<std::wstring> DecodeAnsi(std::string_view bytes) override;
};

}  // namespace orvane
