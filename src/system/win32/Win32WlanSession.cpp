#include "system/win32/Win32WlanSession.h"

#include <windows.h>
#include <wlanapi.h>

#include <cstring>
#include <cwchar>

namespace orvane {
namespace {

// Constants wlanapi.h in mingw-w64 lacks (values from the WLAN API reference).
constexpr DWORD kWlanClientVersion2 = 2;
constexpr DWORD kIncludeAllManualHiddenProfiles = 0x00000002;

// A buffer the WLAN service allocated; freed with WlanFreeMemory.
template <class T>
class WlanBuffer {
 public:
  WlanBuffer() = default;
  WlanBuffer(const WlanBuffer&) = delete;
  WlanBuffer& operator=(const WlanBuffer&) = delete;
  ~WlanBuffer() {
    if (p_ != nullptr) WlanFreeMemory(p_);
  }
  T** Put() { return &p_; }
  void** PutVoid() { return reinterpret_cast<void**>(&p_); }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  T* p_ = nullptr;
};

GUID ToGuid(const WlanInterface& iface) {
  static_assert(sizeof(GUID) == sizeof(iface.guid));
  GUID guid;
  std::memcpy(&guid, iface.guid.data(), sizeof(guid));
  return guid;
}

std::string SsidBytes(const DOT11_SSID& ssid) {
  const ULONG length = ssid.uSSIDLength <= DOT11_SSID_MAX_LENGTH ? ssid.uSSIDLength : DOT11_SSID_MAX_LENGTH;
  return std::string(reinterpret_cast<const char*>(ssid.ucSSID), length);
}

std::wstring ProfileNameText(const WCHAR (&name)[WLAN_MAX_NAME_LENGTH]) {
  return std::wstring(name, wcsnlen(name, WLAN_MAX_NAME_LENGTH));
}

class Win32WlanSession : public WlanSession {
 public:
  explicit Win32WlanSession(HANDLE client) : client_(client) {}
  Win32WlanSession(const Win32WlanSession&) = delete;
  Win32WlanSession& operator=(const Win32WlanSession&) = delete;
  ~Win32WlanSession() override { WlanCloseHandle(client_, nullptr); }

  std::vector<WlanInterface> Interfaces() override {
    std::vector<WlanInterface> result;
    WlanBuffer<WLAN_INTERFACE_INFO_LIST> list;
    if (WlanEnumInterfaces(client_, nullptr, list.Put()) != ERROR_SUCCESS || !list) return result;
    for (DWORD i = 0; i < list->dwNumberOfItems; ++i) {
      const WLAN_INTERFACE_INFO& info = list->InterfaceInfo[i];
      WlanInterface iface;
      std::memcpy(iface.guid.data(), &info.InterfaceGuid, iface.guid.size());
      iface.state = static_cast<WlanInterfaceState>(info.isState);
      result.push_back(iface);
    }
    return result;
  }

  std::vector<std::wstring> ProfileNames(const WlanInterface& iface) override {
    std::vector<std::wstring> names;
    const GUID guid = ToGuid(iface);
    WlanBuffer<WLAN_PROFILE_INFO_LIST> list;
    if (WlanGetProfileList(client_, &guid, nullptr, list.Put()) != ERROR_SUCCESS || !list) return names;
    for (DWORD i = 0; i < list->dwNumberOfItems; ++i) {
      names.push_back(ProfileNameText(list->ProfileInfo[i].strProfileName));
    }
    return names;
  }

  std::optional<WlanConnection> CurrentConnection(const WlanInterface& iface) override {
    const GUID guid = ToGuid(iface);
    DWORD size = 0;
    WlanBuffer<WLAN_CONNECTION_ATTRIBUTES> attributes;
    const DWORD error = WlanQueryInterface(client_, &guid, wlan_intf_opcode_current_connection, nullptr, &size,
                                           attributes.PutVoid(), nullptr);
    if (error != ERROR_SUCCESS || !attributes || size < sizeof(WLAN_CONNECTION_ATTRIBUTES)) return std::nullopt;
    const WLAN_ASSOCIATION_ATTRIBUTES& association = attributes->wlanAssociationAttributes;
    return WlanConnection{SsidBytes(association.dot11Ssid), static_cast<std::int32_t>(association.wlanSignalQuality)};
  }

  std::vector<WlanAvailableNetwork> AvailableNetworks(const WlanInterface& iface) override {
    std::vector<WlanAvailableNetwork> result;
    const GUID guid = ToGuid(iface);
    WlanBuffer<WLAN_AVAILABLE_NETWORK_LIST> list;
    if (WlanGetAvailableNetworkList(client_, &guid, kIncludeAllManualHiddenProfiles, nullptr, list.Put()) !=
            ERROR_SUCCESS ||
        !list) {
      return result;
    }
    for (DWORD i = 0; i < list->dwNumberOfItems; ++i) {
      const WLAN_AVAILABLE_NETWORK& network = list->Network[i];
      WlanAvailableNetwork entry;
      entry.ssid = SsidBytes(network.dot11Ssid);
      entry.profileName = ProfileNameText(network.strProfileName);
      entry.signal = static_cast<std::int32_t>(network.wlanSignalQuality);
      entry.securityEnabled = network.bSecurityEnabled != FALSE;
      entry.flags = network.dwFlags;
      result.push_back(std::move(entry));
    }
    return result;
  }

  WlanResult SetProfile(const WlanInterface& iface, const std::wstring& profileXml) override {
    const GUID guid = ToGuid(iface);
    DWORD reason = 0;
    const DWORD error = WlanSetProfile(client_, &guid, 0, profileXml.c_str(), nullptr, TRUE, nullptr, &reason);
    return {error, reason};
  }

  std::uint32_t Connect(const WlanInterface& iface, const std::wstring& profileName) override {
    const GUID guid = ToGuid(iface);
    WLAN_CONNECTION_PARAMETERS parameters{};
    parameters.wlanConnectionMode = wlan_connection_mode_profile;
    parameters.strProfile = profileName.c_str();
    parameters.pDot11Ssid = nullptr;
    parameters.pDesiredBssidList = nullptr;
    parameters.dot11BssType = dot11_BSS_type_any;
    parameters.dwFlags = 0;
    return WlanConnect(client_, &guid, &parameters, nullptr);
  }

  void Scan(const WlanInterface& iface) override {
    const GUID guid = ToGuid(iface);
    WlanScan(client_, &guid, nullptr, nullptr, nullptr);
  }

  void Disconnect(const WlanInterface& iface) override {
    const GUID guid = ToGuid(iface);
    WlanDisconnect(client_, &guid, nullptr);
  }

 private:
  HANDLE client_;
};

}  // namespace

std::unique_ptr<WlanSession> OpenWin32WlanSession() {
  DWORD negotiated = 0;
  HANDLE client = nullptr;
  if (WlanOpenHandle(kWlanClientVersion2, nullptr, &negotiated, &client) != ERROR_SUCCESS || client == nullptr) {
    return nullptr;
  }
  return std::make_unique<Win32WlanSession>(client);
}

}  // namespace orvane
