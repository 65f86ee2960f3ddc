#include "system/FakeWirelessPlatform.h"

#include <algorithm>

#include "app/Errors.h"

namespace orvane {
namespace {

constexpr std::int32_t kFail = static_cast<std::int32_t>(0x80004005);
// ERROR_INVALID_PARAMETER, as the service answers for an unknown interface.
constexpr std::uint32_t kInvalidParameter = 87;

class FakeRadio : public Radio {
 public:
  explicit FakeRadio(FakeRadioState& state) : state_(state) {}
  RadioKind Kind() override { return state_.kind; }
  bool IsOn() override {
    if (state_.failReads) throw HResultError(kFail, L"radio state unavailable");
    return state_.on;
  }
  RadioAccess SetState(bool on) override {
    if (state_.access == RadioAccess::Allowed) state_.on = on;
    return state_.access;
  }

 private:
  FakeRadioState& state_;
};

class FakeWlanSession : public WlanSession {
 public:
  explicit FakeWlanSession(FakeWirelessPlatform& platform) : p_(platform) { ++p_.openSessions; }
  ~FakeWlanSession() override { --p_.openSessions; }

  std::vector<WlanInterface> Interfaces() override { return p_.interfaces; }
  std::vector<std::wstring> ProfileNames(const WlanInterface& iface) override {
    return Known(iface) ? p_.profileNames : std::vector<std::wstring>();
  }
  std::optional<WlanConnection> CurrentConnection(const WlanInterface& iface) override {
    return Known(iface) ? p_.connection : std::nullopt;
  }
  std::vector<WlanAvailableNetwork> AvailableNetworks(const WlanInterface& iface) override {
    return Known(iface) ? p_.availableNetworks : std::vector<WlanAvailableNetwork>();
  }
  WlanResult SetProfile(const WlanInterface& iface, const std::wstring& profileXml) override {
    if (!Known(iface)) return {kInvalidParameter, 0};
    p_.wlanCalls.push_back(L"profile " + profileXml);
    return p_.setProfileResult;
  }
  std::uint32_t Connect(const WlanInterface& iface, const std::wstring& profileName) override {
    if (!Known(iface)) return kInvalidParameter;
    p_.wlanCalls.push_back(L"connect " + profileName);
    return p_.connectError;
  }
  void Scan(const WlanInterface& iface) override {
    if (Known(iface)) p_.wlanCalls.push_back(L"scan");
  }
  void Disconnect(const WlanInterface& iface) override {
    if (Known(iface)) p_.wlanCalls.push_back(L"disconnect");
  }

 private:
  bool Known(const WlanInterface& iface) const {
    return std::any_of(p_.interfaces.begin(), p_.interfaces.end(),
                       [&](const WlanInterface& i) { return i.guid == iface.guid; });
  }

  FakeWirelessPlatform& p_;
};

}  // namespace

std::vector<std::unique_ptr<Radio>> FakeWirelessPlatform::Radios() {
  if (radioServiceFails) throw HResultError(kFail, L"radio service unavailable");
  std::vector<std::unique_ptr<Radio>> result;
  for (FakeRadioState& state : radios) result.push_back(std::make_unique<FakeRadio>(state));
  return result;
}

RadioAccess FakeWirelessPlatform::RequestRadioAccess() {
  ++accessRequests;
  if (radioServiceFails) throw HResultError(kFail, L"radio service unavailable");
  return accessAnswer;
}

std::unique_ptr<WlanSession> FakeWirelessPlatform::OpenWlan() {
  if (!wlanServiceRunning) return nullptr;
  return std::make_unique<FakeWlanSession>(*this);
}

std::optional<std::wstring> FakeWirelessPlatform::DecodeAnsi(std::string_view bytes) {
  const auto it = ansiText.find(std::string(bytes));
  if (it == ansiText.end()) return std::nullopt;
  return it->second;
}

}  // namespace orvane
