#include <algorithm>
#include <string>
#include <unordered_map>

#include "app/TextUtil.h"
#include "system/Wireless.h"

namespace orvane {
namespace {

// Wide strings are UTF-32 off Windows; compare as the UTF-16 the system
// sorts by, so characters beyond U+FFFF order the same on both builds.
std::u16string Utf16Units(const std::wstring& text) {
  std::u16string units;
  units.reserve(text.size());
  for (const wchar_t c : text) {
    const auto cp = static_cast<char32_t>(c);
    if (cp >= 0x10000 && cp <= 0x10FFFF) {
      units.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
      units.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
    } else {
      units.push_back(static_cast<char16_t>(cp));
    }
  }
  return units;
}

bool NameBefore(const std::wstring& a, const std::wstring& b) {
  if constexpr (sizeof(wchar_t) == 2) {
    return a < b;
  } else {
    return Utf16Units(a) < Utf16Units(b);
  }
}

}  // namespace

std::wstring SsidToText(std::string_view ssid, WirelessPlatform& platform) {
  if (ssid.empty()) return {};
  // The converter replaces broken sequences, so only valid UTF-8 survives
  // the round trip unchanged.
  std::wstring text = Utf8ToWide(ssid);
  if (WideToUtf8(text) == ssid) return text;
  return platform.DecodeAnsi(ssid).value_or(std::wstring());
}

WifiNetwork NetworkFromEntry(const WlanAvailableNetwork& entry, const std::wstring& ssid, bool interfaceConnected,
                             const std::wstring& connectedSsid,
                             const std::unordered_set<std::wstring>& savedProfiles) {
  const bool saved = savedProfiles.contains(ssid);
  WifiNetwork network;
  network.ssid = ssid;
  // A hidden network's entry may come without the name of its saved profile,
  // which is then the SSID.
  network.profileName = entry.profileName.empty() && saved ? ssid : entry.profileName;
  network.signal = entry.signal;
  network.connected = (entry.flags & kWlanNetworkConnected) != 0 || (interfaceConnected && ssid == connectedSsid);
  network.secured = entry.securityEnabled;
  network.known = (entry.flags & kWlanNetworkHasProfile) != 0 || !entry.profileName.empty() || saved;
  return network;
}

std::vector<WifiNetwork> MergeAndSortNetworks(std::vector<WifiNetwork> entries) {
  std::vector<WifiNetwork> merged;
  std::unordered_map<std::wstring, std::size_t> bySsid;
  for (auto& entry : entries) {
    const auto [it, inserted] = bySsid.try_emplace(entry.ssid, merged.size());
    if (inserted) {
      merged.push_back(std::move(entry));
      continue;
    }
    WifiNetwork& kept = merged[it->second];
    kept.connected = kept.connected || entry.connected;
    kept.known = kept.known || entry.known;
    if (kept.profileName.empty()) kept.profileName = entry.profileName;
    kept.signal = std::max(kept.signal, entry.signal);
  }
  std::stable_sort(merged.begin(), merged.end(), [](const WifiNetwork& a, const WifiNetwork& b) {
    if (a.connected != b.connected) return a.connected;
    if (a.known != b.known) return a.known;
    return a.signal > b.signal;
  });
  return merged;
}

int SignalBars(std::int32_t signal) {
  if (signal >= 70) return 3;
  if (signal >= 38) return 2;
  if (signal >= 1) return 1;
  return 0;
}

BluetoothDeviceEntry BluetoothEntryFromRecord(const BluetoothDeviceRecord& record) {
  BluetoothDeviceEntry entry;
  entry.name = record.name.empty() ? kUnnamedBluetoothDevice : record.name;
  entry.address = record.address;
  entry.connected = record.connected;
  entry.remembered = record.remembered;
  // Major device class: bits 8-12 of the class of device.
  switch ((record.classOfDevice >> 8) & 0x1F) {
    case 4: entry.deviceType = BluetoothDeviceType::AudioVideo; break;
    case 5: entry.deviceType = BluetoothDeviceType::Peripheral; break;
    case 2: entry.deviceType = BluetoothDeviceType::Phone; break;
    default: entry.deviceType = BluetoothDeviceType::Other; break;
  }
  return entry;
}

void SortBluetoothDevices(std::vector<BluetoothDeviceEntry>& devices) {
  std::stable_sort(devices.begin(), devices.end(), [](const BluetoothDeviceEntry& a, const BluetoothDeviceEntry& b) {
    if (a.connected != b.connected) return a.connected;
    return NameBefore(a.name, b.name);
  });
}

}  // namespace orvane
