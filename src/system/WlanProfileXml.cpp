#include "system/WlanProfileXml.h"

#include "app/TextUtil.h"

namespace orvane {
namespace {

bool IsHexDigit(wchar_t c) {
  return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
}

}  // namespace

std::wstring HexUpper(std::string_view bytes) {
  static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
  std::wstring out;
  out.reserve(bytes.size() * 2);
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    out.push_back(kDigits[b >> 4]);
    out.push_back(kDigits[b & 0x0F]);
  }
  return out;
}

std::wstring XmlEscape(std::wstring_view text) {
  std::wstring out;
  out.reserve(text.size());
  for (const wchar_t c : text) {
    switch (c) {
      case L'&': out += L"&amp;"; break;
      case L'<': out += L"&lt;"; break;
      case L'>': out += L"&gt;"; break;
      case L'"': out += L"&quot;"; break;
      case L'\'': out += L"&apos;"; break;
      default: out.push_back(c); break;
    }
  }
  return out;
}

bool IsRawWpa2Key(std::wstring_view key) {
  if (key.size() != 64) return false;
  for (const wchar_t c : key) {
    if (!IsHexDigit(c)) return false;
  }
  return true;
}

bool IsValidWpa2Passphrase(std::wstring_view key) {
  if (IsRawWpa2Key(key)) return true;
  if (key.size() < 8 || key.size() > 63) return false;
  for (const wchar_t c : key) {
    if (c < 0x20 || c > 0x7E) return false;
  }
  return true;
}

std::wstring WlanProfileXml(std::wstring_view ssid, std::wstring_view password) {
  const std::wstring name = XmlEscape(ssid);
  std::wstring xml = L"<?xml version=\"1.0\"?><WLANProfile xmlns=\"";
  xml += kWlanProfileNamespace;
  xml += L"\"><name>";
  xml += name;
  xml += L"</name><SSIDConfig><SSID><hex>";
  xml += HexUpper(WideToUtf8(ssid));
  xml += L"</hex><name>";
  xml += name;
  xml += L"</name></SSID></SSIDConfig><connectionType>ESS</connectionType>";
  if (!password.empty()) {
    xml += L"<connectionMode>auto</connectionMode><MSM><security><authEncryption>"
           L"<authentication>WPA2PSK</authentication><encryption>AES</encryption><useOneX>false</useOneX>"
           L"</authEncryption><sharedKey><keyType>";
    // The schema takes 64 hex digits only as a network key, never as a passphrase.
    xml += IsRawWpa2Key(password) ? L"networkKey" : L"passPhrase";
    xml += L"</keyType><protected>false</protected><keyMaterial>";
    xml += XmlEscape(password);
    xml += L"</keyMaterial></sharedKey></security></MSM></WLANProfile>";
  } else {
    xml += L"<connectionMode>manual</connectionMode><MSM><security><authEncryption>"
           L"<authentication>open</authentication><encryption>none</encryption><useOneX>false</useOneX>"
           L"</authEncryption></security></MSM></WLANProfile>";
  }
  return xml;
}

}  // namespace orvane
