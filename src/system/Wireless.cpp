#include "system/Wireless.h"

#include <exception>

#include "app/Log.h"
#include "system/FailureLog.h"
#include "system/WlanProfileXml.h"

namespace orvane {
namespace {

// The session and its first interface, which is the only one used; nullopt
// when the service is unreachable or lists no interface.
struct FirstInterface {
  std::unique_ptr<WlanSession> session;
  WlanInterface iface;
};

std::optional<FirstInterface> OpenFirstInterface(WirelessPlatform& platform) {
  std::unique_ptr<WlanSession> session = platform.OpenWlan();
  if (!session) return std::nullopt;
  std::vector<WlanInterface> interfaces = session->Interfaces();
  if (interfaces.empty()) return std::nullopt;
  return FirstInterface{std::move(session), interfaces.front()};
}

}  // namespace

bool GetRadioState(WirelessPlatform& platform, RadioKind kind, bool& present, bool& on) {
  present = false;
  on = false;
  try {
    for (const auto& radio : platform.Radios()) {
      if (radio->Kind() != kind) continue;
      // Read before publishing, so a failing read leaves both outputs false.
      const bool isOn = radio->IsOn();
      present = true;
      on = isOn;
      return true;
    }
  } catch (...) {
    ReportCurrentException(L"Radio state read");
  }
  return false;
}

bool SetRadioState(WirelessPlatform& platform, RadioKind kind, bool on) {
  try {
    const RadioAccess access = platform.RequestRadioAccess();
    if (access != RadioAccess::Allowed) {
      BackgroundFailures().Report(L"Radio change", FormatWide(L"access refused (status %d)", access));
      return false;
    }
    bool allowed = false;
    for (const auto& radio : platform.Radios()) {
      if (radio->Kind() == kind && radio->SetState(on) == RadioAccess::Allowed) allowed = true;
    }
    return allowed;
  } catch (...) {
    ReportCurrentException(L"Radio change");
    return false;
  }
}

WifiSnapshot ReadWifi(WirelessPlatform& platform) {
  WifiSnapshot snapshot;
  const bool radioFound = GetRadioState(platform, RadioKind::WiFi, snapshot.present, snapshot.radioOn);

  std::optional<FirstInterface> wlan = OpenFirstInterface(platform);
  if (!wlan) return snapshot;
  WlanSession& session = *wlan->session;
  const WlanInterface& iface = wlan->iface;
  snapshot.present = true;
  if (!radioFound) snapshot.radioOn = iface.state != WlanInterfaceState::NotReady;

  std::unordered_set<std::wstring> savedProfiles;
  for (auto& name : session.ProfileNames(iface)) savedProfiles.insert(std::move(name));

  if (iface.state == WlanInterfaceState::Connected) {
    if (const std::optional<WlanConnection> connection = session.CurrentConnection(iface)) {
      snapshot.connectedSsid = SsidToText(connection->ssid, platform);
      snapshot.connectedSignal = connection->signal;
      snapshot.connected = !snapshot.connectedSsid.empty();
      snapshot.radioOn = true;
    }
  }

  std::vector<WifiNetwork> entries;
  for (const WlanAvailableNetwork& entry : session.AvailableNetworks(iface)) {
    const std::wstring ssid = SsidToText(entry.ssid, platform);
    if (ssid.empty()) continue;
    entries.push_back(NetworkFromEntry(entry, ssid, snapshot.connected, snapshot.connectedSsid, savedProfiles));
  }
  snapshot.networks = MergeAndSortNetworks(std::move(entries));
  return snapshot;
}

bool ConnectWifi(WirelessPlatform& platform, const std::wstring& ssid, const std::wstring& profileName,
                 const std::wstring& password) {
  if (ssid.empty() && profileName.empty()) return false;
  std::optional<FirstInterface> wlan = OpenFirstInterface(platform);
  if (!wlan) return false;

  std::wstring profile = profileName.empty() ? ssid : profileName;
  if (!password.empty() || profileName.empty()) {
    // A profile is named after the SSID and matches it by its bytes.
    if (ssid.empty()) return false;
    if (!password.empty() && !IsValidWpa2Passphrase(password)) {
      Log(L"Wireless: the password for %s is not a valid WPA2 key (length %u)", ssid,
          static_cast<unsigned>(password.size()));
      return false;
    }
    // A refused profile must not fall through to a connect, which would use
    // an older saved profile of the same name, if any.
    const WlanResult written = wlan->session->SetProfile(wlan->iface, WlanProfileXml(ssid, password));
    if (written.error != 0) {
      Log(L"Wireless: WlanSetProfile for %s failed: %u (reason %u)", ssid, written.error, written.reason);
      return false;
    }
    profile = ssid;
  }
  return wlan->session->Connect(wlan->iface, profile) == 0;
}

void ScanWifi(WirelessPlatform& platform) {
  if (std::optional<FirstInterface> wlan = OpenFirstInterface(platform)) wlan->session->Scan(wlan->iface);
}

void DisconnectWifi(WirelessPlatform& platform) {
  if (std::optional<FirstInterface> wlan = OpenFirstInterface(platform)) wlan->session->Disconnect(wlan->iface);
}

BluetoothSnapshot ReadBluetooth(WirelessPlatform& platform) {
  BluetoothSnapshot snapshot;
  GetRadioState(platform, RadioKind::Bluetooth, snapshot.present, snapshot.radioOn);
  const std::optional<std::vector<BluetoothDeviceRecord>> records = platform.FindBluetoothDevices();
  if (!records) return snapshot;
  snapshot.present = true;
  for (const BluetoothDeviceRecord& record : *records) {
    BluetoothDeviceEntry entry = BluetoothEntryFromRecord(record);
    if (entry.connected) {
      if (snapshot.connectedCount == 0) snapshot.firstConnectedName = entry.name;
      ++snapshot.connectedCount;
    }
    snapshot.devices.push_back(std::move(entry));
  }
  SortBluetoothDevices(snapshot.devices);
  return snapshot;
}

}  // namespace orvane
