#pragma once
// The WLAN profile written when the control center joins a network that has
// no saved profile yet: WPA2-Personal with a passphrase, or open.

#include <string>
#include <string_view>

namespace orvane {

// The platform's WLAN profile namespace (schema version 1).
inline constexpr const wchar_t* kWlanProfileNamespace = L"http://www.microsoft.com/networking/WLAN/profile/v1";

// Two upper-case hex digits per byte.
std::wstring HexUpper(std::string_view bytes);

// Replaces & < > " ' with their predefined XML entities.
std::wstring XmlEscape(std::wstring_view text);

// Whether the platform takes the text as a WPA2-Personal key: 8 to 63
// printable ASCII characters (a passphrase), or exactly 64 hex digits (the
// raw key). Anything else, including non-ASCII text, is refused up front:
// the standard hashes the passphrase as ASCII, and a profile the service
// rejects must not fall through to a connect with an older saved profile.
bool IsValidWpa2Passphrase(std::wstring_view key);

// Exactly 64 hex digits: the pre-shared key itself rather than a passphrase.
bool IsRawWpa2Key(std::wstring_view key);

// The profile named after the SSID, matching it by the SSID's UTF-8 bytes.
// A non-empty password gives WPA2-Personal (AES, automatic connection; a raw
// 64-digit key is written as a network key, anything else as a passphrase),
// an empty one an open network joined manually.
std::wstring WlanProfileXml(std::wstring_view ssid, std::wstring_view password);

}  // namespace orvane
