#pragma once
// Wi-Fi and Bluetooth for the control center: radio power, the Wi-Fi
// interface and its visible networks, joining (with a saved profile or one
// written on the spot), scanning, disconnecting and the paired Bluetooth
// devices. Everything runs synchronously on the UI thread and never shows a
// system dialog; failures come back as false or as an empty part of a
// snapshot, and the control center words them.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace orvane {

// ---------------------------------------------------------------- records

// The platform's radio kinds; other values occur and simply match nothing.
enum class RadioKind : std::int32_t { WiFi = 1, Bluetooth = 3 };

struct WifiNetwork {
  std::wstring ssid;
  std::wstring profileName;  // empty when there is none
  std::int32_t signal = 0;   // quality 0-100
  bool connected = false;
  bool secured = false;
  bool known = false;  // a saved profile exists
  bool operator==(const WifiNetwork&) const = default;
};

struct WifiSnapshot {
  bool present = false;  // an adapter or a Wi-Fi radio exists
  bool radioOn = false;
  bool connected = false;
  std::wstring connectedSsid;
  std::int32_t connectedSignal = 0;
  std::vector<WifiNetwork> networks;  // connected, then known, then strongest first
};

enum class BluetoothDeviceType : std::int32_t { AudioVideo = 0, Peripheral = 1, Phone = 2, Other = 3 };

struct BluetoothDeviceEntry {
  std::wstring name;
  std::uint64_t address = 0;
  bool connected = false;
  bool remembered = false;
  BluetoothDeviceType deviceType = BluetoothDeviceType::Other;
  bool operator==(const BluetoothDeviceEntry&) const = default;
};

struct BluetoothSnapshot {
  bool present = false;
  bool radioOn = false;
  std::int32_t connectedCount = 0;
  std::wstring firstConnectedName;           // in the order the system listed them
  std::vector<BluetoothDeviceEntry> devices;  // connected first, then by name
};

// ---------------------------------------------------------------- platform

// Windows.Devices.Radios.RadioAccessStatus.
enum class RadioAccess : std::int32_t { Unspecified = 0, Allowed = 1, DeniedByUser = 2, DeniedBySystem = 3 };

// One radio of the platform's radio service. Calls throw (HResultError) when
// the platform fails; SetState waits for the asynchronous change.
class Radio {
 public:
  virtual ~Radio() = default;
  virtual RadioKind Kind() = 0;
  virtual bool IsOn() = 0;
  virtual RadioAccess SetState(bool on) = 0;
};

// WLAN_INTERFACE_STATE.
enum class WlanInterfaceState : std::int32_t {
  NotReady = 0,
  Connected = 1,
  AdHocNetworkFormed = 2,
  Disconnecting = 3,
  Disconnected = 4,
  Associating = 5,
  Discovering = 6,
  Authenticating = 7,
};

struct WlanInterface {
  std::array<std::uint8_t, 16> guid{};
  WlanInterfaceState state = WlanInterfaceState::NotReady;
};

// The association of a connected interface.
struct WlanConnection {
  std::string ssid;  // raw SSID bytes
  std::int32_t signal = 0;
};

// WLAN_AVAILABLE_NETWORK flags.
inline constexpr std::uint32_t kWlanNetworkConnected = 0x1;
inline constexpr std::uint32_t kWlanNetworkHasProfile = 0x2;

// One entry of the available-network list (one per SSID and profile).
struct WlanAvailableNetwork {
  std::string ssid;  // raw SSID bytes
  std::wstring profileName;
  std::int32_t signal = 0;
  bool securityEnabled = false;
  std::uint32_t flags = 0;
};

// Win32 error code and WLAN reason code of a call that returns both.
struct WlanResult {
  std::uint32_t error = 0;
  std::uint32_t reason = 0;
};

// An open WLAN client session (client version 2); closed when destroyed.
// Queries answer empty or nullopt where the service call fails.
class WlanSession {
 public:
  virtual ~WlanSession() = default;
  virtual std::vector<WlanInterface> Interfaces() = 0;
  virtual std::vector<std::wstring> ProfileNames(const WlanInterface& iface) = 0;
  // Only asked while the interface reports itself connected.
  virtual std::optional<WlanConnection> CurrentConnection(const WlanInterface& iface) = 0;
  // Includes the profiles of hidden networks joined manually.
  virtual std::vector<WlanAvailableNetwork> AvailableNetworks(const WlanInterface& iface) = 0;
  // Writes (overwriting) a profile for all users.
  virtual WlanResult SetProfile(const WlanInterface& iface, const std::wstring& profileXml) = 0;
  // Asks the service to connect with a saved profile; 0 means the request
  // was accepted, not that the association succeeded.
  virtual std::uint32_t Connect(const WlanInterface& iface, const std::wstring& profileName) = 0;
  virtual void Scan(const WlanInterface& iface) = 0;
  virtual void Disconnect(const WlanInterface& iface) = 0;
};

// A paired device as the Bluetooth search reports it.
struct BluetoothDeviceRecord {
  std::wstring name;
  std::uint64_t address = 0;
  bool connected = false;
  bool remembered = false;
  std::uint32_t classOfDevice = 0;
};

// Windows: win32/Win32WirelessPlatform; tests: FakeWirelessPlatform.
class WirelessPlatform {
 public:
  virtual ~WirelessPlatform() = default;
  // Every radio of the radio service, in its order; throws when the service
  // fails or the request is cancelled.
  virtual std::vector<std::unique_ptr<Radio>> Radios() = 0;
  // Radio.RequestAccessAsync, on the UI thread: whether this program may
  // switch radios. An Allowed answer is kept and not asked for again; any
  // other is asked for again next time (the setting may change meanwhile).
  // Throws like Radios.
  virtual RadioAccess RequestRadioAccess() = 0;
  // nullptr when the WLAN service cannot be reached.
  virtual std::unique_ptr<WlanSession> OpenWlan() = 0;
  // Authenticated, remembered and connected devices on all radios, without
  // an inquiry; nullopt when the search gave no handle.
  virtual std::optional<std::vector<BluetoothDeviceRecord>> FindBluetoothDevices() = 0;
  // The bytes in the system ANSI code page; nullopt when they are not valid there.
  virtual std::optional<std::wstring> DecodeAnsi(std::string_view bytes) = 0;
};

// ---------------------------------------------------------------- operations

// The first radio of the kind gives present and on; false (both outputs
// false) when there is none or the radio service fails.
bool GetRadioState(WirelessPlatform& platform, RadioKind kind, bool& present, bool& on);
// Asks for radio access, then switches every radio of the kind; true when
// access was granted and any of them allowed the change.
bool SetRadioState(WirelessPlatform& platform, RadioKind kind, bool on);

WifiSnapshot ReadWifi(WirelessPlatform& platform);
// Joins with profileName when given; otherwise, or when a password is given,
// writes a profile named after the SSID first. A password that is no valid
// WPA2 key, or a profile the service refuses, fails without connecting.
// True when the connect request was accepted.
bool ConnectWifi(WirelessPlatform& platform, const std::wstring& ssid, const std::wstring& profileName,
                 const std::wstring& password);
void ScanWifi(WirelessPlatform& platform);
void DisconnectWifi(WirelessPlatform& platform);
BluetoothSnapshot ReadBluetooth(WirelessPlatform& platform);

// ---------------------------------------------------------------- lists

// SSID bytes as UTF-8 when they are valid UTF-8, else in the ANSI code page,
// else "".
std::wstring SsidToText(std::string_view ssid, WirelessPlatform& platform);

// One available-network entry as listed (ssid already decoded).
WifiNetwork NetworkFromEntry(const WlanAvailableNetwork& entry, const std::wstring& ssid, bool interfaceConnected,
                             const std::wstring& connectedSsid,
                             const std::unordered_set<std::wstring>& savedProfiles);

// One row per SSID (exact match): the first entry stays and takes from later
// ones the connected and known marks, a missing profile name and the
// stronger signal. Then connected first, known next, strongest first; ties
// keep their first-seen order.
std::vector<WifiNetwork> MergeAndSortNetworks(std::vector<WifiNetwork> entries);

// Wi-Fi glyph bars for a signal quality: 3 from 70, 2 from 38, 1 from 1, else 0.
int SignalBars(std::int32_t signal);

// The name shown for a device without one.
inline constexpr const wchar_t* kUnnamedBluetoothDevice = L"蓝牙设备";

BluetoothDeviceEntry BluetoothEntryFromRecord(const BluetoothDeviceRecord& record);
// Connected first, then by name in UTF-16 code-unit order.
void SortBluetoothDevices(std::vector<BluetoothDeviceEntry>& devices);

}  // namespace orvane
