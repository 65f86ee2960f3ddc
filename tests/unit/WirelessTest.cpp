#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "CapturedLog.h"
#include "app/TextUtil.h"
#include "system/FakeWirelessPlatform.h"
#include "system/Wireless.h"
#include "system/WlanProfileXml.h"

namespace orvane::testing {
namespace {

using Calls = std::vector<FakeWlanCall>;

WlanInterface Interface(std::uint8_t id, WlanInterfaceState state) {
  WlanInterface iface;
  iface.guid[0] = id;
  iface.state = state;
  return iface;
}

WlanAvailableNetwork Entry(std::string ssid, std::int32_t signal, std::uint32_t flags = 0,
                           std::wstring profile = L"", bool secured = true) {
  return {std::move(ssid), std::move(profile), signal, secured, flags};
}

class WirelessFixture : public ::testing::Test {
 protected:
  WirelessFixture() { wlan.interfaces = {Interface(1, WlanInterfaceState::Disconnected)}; }
  void TearDown() override { EXPECT_EQ(wlan.openSessions, 0) << "a WLAN session was left open"; }

  FakeWirelessPlatform wlan;
};

// ---------------------------------------------------------------- radios

using RadioTest = WirelessFixture;

TEST_F(RadioTest, FirstRadioOfTheKindAnswers) {
  wlan.radios = {{RadioKind::Bluetooth, true}, {RadioKind::WiFi, false}, {RadioKind::WiFi, true}};
  bool present = true, on = true;
  EXPECT_TRUE(GetRadioState(wlan, RadioKind::WiFi, present, on));
  EXPECT_TRUE(present);
  EXPECT_FALSE(on);
  EXPECT_TRUE(GetRadioState(wlan, RadioKind::Bluetooth, present, on));
  EXPECT_TRUE(on);
}

TEST_F(RadioTest, MissingRadioOrFailingServiceAnswersFalse) {
  const std::function<void(FakeWirelessPlatform&)> setups[] = {
      [](FakeWirelessPlatform& p) { p.radios = {{RadioKind::Bluetooth, true}}; },
      [](FakeWirelessPlatform& p) {
        p.radios = {{RadioKind::WiFi, true}};
        p.radioServiceFails = true;
      },
      [](FakeWirelessPlatform& p) { p.radios = {{RadioKind::WiFi, true, RadioAccess::Allowed, true}}; },
  };
  for (const auto& setup : setups) {
    FakeWirelessPlatform p;
    setup(p);
    bool present = true, on = true;
    EXPECT_FALSE(GetRadioState(p, RadioKind::WiFi, present, on));
    EXPECT_FALSE(present);
    EXPECT_FALSE(on);
  }
}

TEST_F(RadioTest, SetSwitchesEveryRadioOfTheKindAndSucceedsWhenAnyAllowed) {
  wlan.radios = {{RadioKind::WiFi, false, RadioAccess::DeniedBySystem},
                 {RadioKind::Bluetooth, false},
                 {RadioKind::WiFi, false, RadioAccess::Allowed}};
  EXPECT_TRUE(SetRadioState(wlan, RadioKind::WiFi, true));
  EXPECT_FALSE(wlan.radios[0].on);
  EXPECT_FALSE(wlan.radios[1].on) << "another kind must stay as it is";
  EXPECT_TRUE(wlan.radios[2].on);

  wlan.radios[2].access = RadioAccess::DeniedByUser;
  EXPECT_FALSE(SetRadioState(wlan, RadioKind::WiFi, false));
  EXPECT_FALSE(SetRadioState(wlan, RadioKind{2}, true)) << "no radio of that kind";
  wlan.radioServiceFails = true;
  EXPECT_FALSE(SetRadioState(wlan, RadioKind::Bluetooth, true));
}

TEST_F(RadioTest, NoRadioChangesWithoutAccess) {
  wlan.radios = {{RadioKind::WiFi, false}, {RadioKind::Bluetooth, false}};
  for (const RadioAccess refused :
       {RadioAccess::Unspecified, RadioAccess::DeniedByUser, RadioAccess::DeniedBySystem}) {
    wlan.accessAnswer = refused;
    EXPECT_FALSE(SetRadioState(wlan, RadioKind::WiFi, true)) << static_cast<int>(refused);
    EXPECT_FALSE(wlan.radios[0].on);
  }
  EXPECT_EQ(wlan.accessRequests, 3) << "a refusal is asked about again";

  wlan.accessAnswer = RadioAccess::Allowed;
  EXPECT_TRUE(SetRadioState(wlan, RadioKind::WiFi, true));
  EXPECT_TRUE(wlan.radios[0].on);
  EXPECT_FALSE(wlan.radios[1].on);
}

// ---------------------------------------------------------------- ReadWifi

struct PresenceCase {
  const char* name;
  std::function<void(FakeWirelessPlatform&)> setup;
  bool present;
  bool radioOn;
};

void PrintTo(const PresenceCase& c, std::ostream* os) { *os << c.name; }

class WifiPresenceTest : public ::testing::TestWithParam<PresenceCase> {};

TEST_P(WifiPresenceTest, PresentAndRadioOn) {
  FakeWirelessPlatform p;
  GetParam().setup(p);
  const WifiSnapshot s = ReadWifi(p);
  EXPECT_EQ(s.present, GetParam().present);
  EXPECT_EQ(s.radioOn, GetParam().radioOn);
  EXPECT_EQ(p.openSessions, 0);
}

const PresenceCase kPresenceCases[] = {
    {"NothingAtAll", [](FakeWirelessPlatform& p) { p.wlanServiceRunning = false; }, false, false},
    {"ServiceWithoutInterface", [](FakeWirelessPlatform&) {}, false, false},
    {"RadioWithoutService",
     [](FakeWirelessPlatform& p) {
       p.wlanServiceRunning = false;
       p.radios = {{RadioKind::WiFi, true}};
     },
     true, true},
    {"InterfaceNotReadyWithoutRadio",
     [](FakeWirelessPlatform& p) { p.interfaces = {Interface(1, WlanInterfaceState::NotReady)}; }, true, false},
    {"InterfaceReadyWithoutRadio",
     [](FakeWirelessPlatform& p) { p.interfaces = {Interface(1, WlanInterfaceState::Disconnected)}; }, true, true},
    {"RadioOffOutranksAReadyInterface",
     [](FakeWirelessPlatform& p) {
       p.radios = {{RadioKind::WiFi, false}};
       p.interfaces = {Interface(1, WlanInterfaceState::Disconnected)};
     },
     true, false},
    {"ConnectionMeansTheRadioIsOn",
     [](FakeWirelessPlatform& p) {
       p.radios = {{RadioKind::WiFi, false}};
       p.interfaces = {Interface(1, WlanInterfaceState::Connected)};
       p.connection = WlanConnection{"Home", 80};
     },
     true, true},
};

INSTANTIATE_TEST_SUITE_P(States, WifiPresenceTest, ::testing::ValuesIn(kPresenceCases),
                         [](const auto& info) { return std::string(info.param.name); });

using ReadWifiTest = WirelessFixture;

TEST_F(ReadWifiTest, ConnectedNetworkComesFirstWithoutItsFlag) {
  wlan.interfaces = {Interface(1, WlanInterfaceState::Connected)};
  wlan.connection = WlanConnection{"\xE5\xAE\xB6", 64};
  wlan.availableNetworks = {Entry("Strong", 99), Entry("\xE5\xAE\xB6", 64)};
  const WifiSnapshot s = ReadWifi(wlan);
  EXPECT_TRUE(s.connected);
  EXPECT_EQ(s.connectedSsid, L"家");
  EXPECT_EQ(s.connectedSignal, 64);
  ASSERT_EQ(s.networks.size(), 2u);
  EXPECT_EQ(s.networks[0].ssid, L"家");
  EXPECT_TRUE(s.networks[0].connected);
  EXPECT_FALSE(s.networks[1].connected);
}

TEST_F(ReadWifiTest, FailedConnectionQueryLeavesItDisconnected) {
  wlan.interfaces = {Interface(1, WlanInterfaceState::Connected)};
  wlan.availableNetworks = {Entry("Home", 50)};
  const WifiSnapshot s = ReadWifi(wlan);
  EXPECT_FALSE(s.connected);
  EXPECT_EQ(s.connectedSsid, L"");
  ASSERT_EQ(s.networks.size(), 1u);
  EXPECT_FALSE(s.networks[0].connected);
}

TEST_F(ReadWifiTest, HiddenSavedNetworkIsKnownUnderItsSsid) {
  wlan.profileNames = {L"Hidden"};
  wlan.availableNetworks = {Entry("Hidden", 40)};
  const WifiSnapshot s = ReadWifi(wlan);
  ASSERT_EQ(s.networks.size(), 1u);
  EXPECT_TRUE(s.networks[0].known);
  EXPECT_EQ(s.networks[0].profileName, L"Hidden");
}

TEST_F(ReadWifiTest, AccessPointsOfOneSsidAppearOnceWithTheStrongerSignal) {
  wlan.availableNetworks = {Entry("Office", 30), Entry("Other", 50), Entry("Office", 90)};
  const WifiSnapshot s = ReadWifi(wlan);
  ASSERT_EQ(s.networks.size(), 2u);
  EXPECT_EQ(s.networks[0].ssid, L"Office");
  EXPECT_EQ(s.networks[0].signal, 90);
}

TEST_F(ReadWifiTest, SsidsThatCannotBeNamedAreSkipped) {
  wlan.ansiText = {{"\xB0\xEC", L"办"}};
  wlan.availableNetworks = {Entry("", 90), Entry("\xB0\xEC", 50), Entry("\xFF\xFE", 40)};
  const WifiSnapshot s = ReadWifi(wlan);
  ASSERT_EQ(s.networks.size(), 1u);
  EXPECT_EQ(s.networks[0].ssid, L"办");
}

TEST_F(ReadWifiTest, OnlyTheFirstInterfaceIsRead) {
  wlan.interfaces.push_back(Interface(2, WlanInterfaceState::Connected));
  wlan.connection = WlanConnection{"Home", 70};
  wlan.availableNetworks = {Entry("Home", 70)};
  const WifiSnapshot s = ReadWifi(wlan);
  EXPECT_FALSE(s.connected) << "the first interface is not connected";
}

// ---------------------------------------------------------------- SsidToText

TEST(SsidToTextTest, Utf8ThenAnsiThenNothing) {
  FakeWirelessPlatform p;
  p.ansiText = {{"\xC4\xE3\xBA\xC3", L"你好"}, {"\xC0\xAF", L"ANSI"}};
  EXPECT_EQ(SsidToText("", p), L"");
  EXPECT_EQ(SsidToText("Caf\xC3\xA9", p), L"Café");
  EXPECT_EQ(SsidToText("\xEF\xBF\xBD", p), L"\xFFFD") << "a literal replacement character is valid UTF-8";
  EXPECT_EQ(SsidToText("\xC4\xE3\xBA\xC3", p), L"你好");
  EXPECT_EQ(SsidToText("\xC0\xAF", p), L"ANSI") << "overlong forms are not UTF-8";
  EXPECT_EQ(SsidToText("\x81", p), L"");
  EXPECT_EQ(SsidToText(std::string("a\0b", 3), p), std::wstring(L"a\0b", 3));
}

// ---------------------------------------------------------------- list building

struct EntryCase {
  const char* name;
  WlanAvailableNetwork entry;
  bool interfaceConnected;
  std::wstring profileName;
  bool connected;
  bool known;
};

void PrintTo(const EntryCase& c, std::ostream* os) { *os << c.name; }

class NetworkFromEntryTest : public ::testing::TestWithParam<EntryCase> {};

TEST_P(NetworkFromEntryTest, MarksAndProfileName) {
  const EntryCase& c = GetParam();
  const std::unordered_set<std::wstring> saved = {L"Saved"};
  const WifiNetwork n = NetworkFromEntry(c.entry, Utf8ToWide(c.entry.ssid), c.interfaceConnected, L"Home", saved);
  EXPECT_EQ(n.profileName, c.profileName);
  EXPECT_EQ(n.connected, c.connected);
  EXPECT_EQ(n.known, c.known);
  EXPECT_EQ(n.signal, c.entry.signal);
  EXPECT_EQ(n.secured, c.entry.securityEnabled);
}

const EntryCase kEntryCases[] = {
    {"Unknown", Entry("Cafe", 40), false, L"", false, false},
    {"ConnectedFlag", Entry("Cafe", 40, kWlanNetworkConnected), false, L"", true, false},
    {"SameSsidAsTheConnection", Entry("Home", 40), true, L"", true, false},
    {"SameSsidWhileNotConnected", Entry("Home", 40), false, L"", false, false},
    {"HasProfileFlag", Entry("Cafe", 40, kWlanNetworkHasProfile), false, L"", false, true},
    {"ProfileNameGiven", Entry("Cafe", 40, 0, L"Cafe-5G"), false, L"Cafe-5G", false, true},
    {"SavedUnderItsSsid", Entry("Saved", 40), false, L"Saved", false, true},
    {"SavedButEntryNamesAnotherProfile", Entry("Saved", 40, 0, L"Work"), false, L"Work", false, true},
    {"OpenNetwork", Entry("Cafe", 40, 0, L"", false), false, L"", false, false},
};

INSTANTIATE_TEST_SUITE_P(Entries, NetworkFromEntryTest, ::testing::ValuesIn(kEntryCases),
                         [](const auto& info) { return std::string(info.param.name); });

WifiNetwork Net(std::wstring ssid, std::int32_t signal, bool connected = false, bool known = false,
                std::wstring profile = L"") {
  return {std::move(ssid), std::move(profile), signal, connected, true, known};
}

struct MergeCase {
  const char* name;
  std::vector<WifiNetwork> entries;
  std::vector<WifiNetwork> expected;
};

void PrintTo(const MergeCase& c, std::ostream* os) { *os << c.name; }

class MergeAndSortTest : public ::testing::TestWithParam<MergeCase> {};

TEST_P(MergeAndSortTest, OneRowPerSsidInShownOrder) {
  EXPECT_EQ(MergeAndSortNetworks(GetParam().entries), GetParam().expected);
}

const MergeCase kMergeCases[] = {
    {"Empty", {}, {}},
    {"StrongestFirst", {Net(L"a", 20), Net(L"b", 90), Net(L"c", 50)}, {Net(L"b", 90), Net(L"c", 50), Net(L"a", 20)}},
    {"ConnectedThenKnownThenSignal",
     {Net(L"strong", 99), Net(L"known", 10, false, true), Net(L"conn", 5, true), Net(L"mid", 60)},
     {Net(L"conn", 5, true), Net(L"known", 10, false, true), Net(L"strong", 99), Net(L"mid", 60)}},
    {"EqualSignalsKeepFirstSeenOrder", {Net(L"x", 50), Net(L"y", 50), Net(L"z", 50)},
     {Net(L"x", 50), Net(L"y", 50), Net(L"z", 50)}},
    {"DuplicateRaisesSignalOnly", {Net(L"dup", 30), Net(L"dup", 80)}, {Net(L"dup", 80)}},
    {"DuplicateNeverLowersSignal", {Net(L"dup", 80), Net(L"dup", 30)}, {Net(L"dup", 80)}},
    {"DuplicateBringsMarksAndProfile",
     {Net(L"dup", 50), Net(L"other", 60), Net(L"dup", 40, true, true, L"dup-profile")},
     {Net(L"dup", 50, true, true, L"dup-profile"), Net(L"other", 60)}},
    {"KeptProfileNameWins", {Net(L"dup", 50, false, true, L"first"), Net(L"dup", 50, false, true, L"second")},
     {Net(L"dup", 50, false, true, L"first")}},
    {"SsidsDifferingInCaseStaySeparate", {Net(L"Home", 50), Net(L"home", 40)}, {Net(L"Home", 50), Net(L"home", 40)}},
};

INSTANTIATE_TEST_SUITE_P(Lists, MergeAndSortTest, ::testing::ValuesIn(kMergeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SignalBarsTest, Thresholds) {
  const std::pair<std::int32_t, int> cases[] = {{-5, 0}, {0, 0},  {1, 1},  {37, 1},
                                                {38, 2}, {69, 2}, {70, 3}, {100, 3}};
  for (const auto& [signal, bars] : cases) EXPECT_EQ(SignalBars(signal), bars) << "signal " << signal;
}

// ---------------------------------------------------------------- ConnectWifi

const std::wstring kOpenCafe = L"profile " + WlanProfileXml(L"Cafe", L"");
const std::wstring kHomeWpa2 = L"profile " + WlanProfileXml(L"Home", L"correct horse");

struct ConnectCase {
  const char* name;
  std::wstring ssid;
  std::wstring profileName;
  std::wstring password;
  std::function<void(FakeWirelessPlatform&)> setup;
  bool accepted;
  Calls calls;
};

void PrintTo(const ConnectCase& c, std::ostream* os) { *os << c.name; }

class ConnectWifiTest : public ::testing::TestWithParam<ConnectCase> {};

TEST_P(ConnectWifiTest, WritesWhatIsNeededAndConnects) {
  const ConnectCase& c = GetParam();
  CapturedLog log;
  FakeWirelessPlatform p;
  p.interfaces = {Interface(1, WlanInterfaceState::Disconnected)};
  p.profileNames = {L"Home"};  // an older profile the service would fall back to
  if (c.setup) c.setup(p);
  EXPECT_EQ(ConnectWifi(p, c.ssid, c.profileName, c.password), c.accepted);
  EXPECT_EQ(p.wlanCalls, c.calls);
  EXPECT_EQ(p.openSessions, 0);
  if (!c.password.empty()) {
    for (const std::wstring& line : log.lines) {
      EXPECT_EQ(line.find(c.password), std::wstring::npos) << "the password reached the log";
    }
  }
}

const ConnectCase kConnectCases[] = {
    {"SavedNetworkUsesItsProfile", L"Home", L"Home", L"", nullptr, true, {L"connect Home"}},
    {"SavedProfileWithAnotherName", L"Home", L"Home-Work", L"", nullptr, true, {L"connect Home-Work"}},
    {"ProfileNameAlone", L"", L"Home", L"", nullptr, true, {L"connect Home"}},
    {"UnknownOpenNetworkGetsAnOpenProfile", L"Cafe", L"", L"", nullptr, true, {kOpenCafe, L"connect Cafe"}},
    {"PasswordWritesWpa2UnderTheSsid", L"Home", L"", L"correct horse", nullptr, true,
     {kHomeWpa2, L"connect Home"}},
    {"PasswordReplacesTheSavedProfile", L"Home", L"Home-Old", L"correct horse", nullptr, true,
     {kHomeWpa2, L"connect Home"}},
    {"NothingToJoin", L"", L"", L"", nullptr, false, {}},
    {"PasswordWithoutSsid", L"", L"Home", L"correct horse", nullptr, false, {}},
    {"NoInterface", L"Home", L"Home", L"", [](FakeWirelessPlatform& p) { p.interfaces.clear(); }, false, {}},
    {"NoService", L"Home", L"Home", L"", [](FakeWirelessPlatform& p) { p.wlanServiceRunning = false; }, false, {}},
    {"ConnectRefused", L"Home", L"Home", L"", [](FakeWirelessPlatform& p) { p.connectError = 5; }, false,
     {L"connect Home"}},
    // A refused key must neither be written nor fall back to the older profile.
    {"PassphraseTooShort", L"Home", L"", L"1234567", nullptr, false, {}},
    {"PassphraseTooLong", L"Home", L"", std::wstring(64, L'x'), nullptr, false, {}},
    {"PassphraseSixtyFiveHexDigits", L"Home", L"", std::wstring(65, L'a'), nullptr, false, {}},
    {"PassphraseNotAscii", L"Home", L"", L"密码密码密码密码", nullptr, false, {}},
    {"ProfileRefusedByTheService", L"Home", L"", L"correct horse",
     [](FakeWirelessPlatform& p) { p.setProfileResult = {1206, 524289}; }, false, {kHomeWpa2}},
    {"OpenProfileRefusedByTheService", L"Cafe", L"", L"",
     [](FakeWirelessPlatform& p) { p.setProfileResult = {87, 0}; }, false, {kOpenCafe}},
};

INSTANTIATE_TEST_SUITE_P(Joins, ConnectWifiTest, ::testing::ValuesIn(kConnectCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ConnectWifiLogTest, RefusalsAreLogged) {
  CapturedLog log;
  FakeWirelessPlatform p;
  p.interfaces = {Interface(1, WlanInterfaceState::Disconnected)};
  EXPECT_FALSE(ConnectWifi(p, L"Home", L"", L"short"));
  p.setProfileResult = {1206, 524289};
  EXPECT_FALSE(ConnectWifi(p, L"Home", L"", L"long enough"));
  ASSERT_EQ(log.lines.size(), 2u);
  EXPECT_NE(log.lines[0].find(L"Wireless: the password for Home is not a valid WPA2 key (length 5)"),
            std::wstring::npos);
  EXPECT_NE(log.lines[1].find(L"Wireless: WlanSetProfile for Home failed: 1206 (reason 524289)"), std::wstring::npos);
}

// ---------------------------------------------------------------- scan and disconnect

using ScanDisconnectTest = WirelessFixture;

TEST_F(ScanDisconnectTest, ActOnTheFirstInterfaceOnly) {
  wlan.interfaces.push_back(Interface(2, WlanInterfaceState::Connected));
  ScanWifi(wlan);
  DisconnectWifi(wlan);
  EXPECT_EQ(wlan.wlanCalls, (Calls{L"scan", L"disconnect"}));

  wlan.interfaces.clear();
  ScanWifi(wlan);
  DisconnectWifi(wlan);
  wlan.wlanServiceRunning = false;
  ScanWifi(wlan);
  DisconnectWifi(wlan);
  EXPECT_EQ(wlan.wlanCalls.size(), 2u);
}

// ---------------------------------------------------------------- Bluetooth

BluetoothDeviceRecord Device(std::wstring name, bool connected, std::uint32_t majorClass = 0x1F,
                             std::uint64_t address = 0) {
  return {std::move(name), address, connected, true, majorClass << 8};
}

TEST(BluetoothTypeTest, MajorDeviceClass) {
  const std::pair<std::uint32_t, BluetoothDeviceType> cases[] = {
      {0x240404, BluetoothDeviceType::AudioVideo},  // headset: service bits set, major 4
      {0x002540, BluetoothDeviceType::Peripheral},  // keyboard
      {0x5A020C, BluetoothDeviceType::Phone},       // smartphone
      {0x000100, BluetoothDeviceType::Other},       // computer
      {0x001F00, BluetoothDeviceType::Other},       // uncategorised
      {0x000000, BluetoothDeviceType::Other},
  };
  for (const auto& [cod, type] : cases) {
    BluetoothDeviceRecord record;
    record.classOfDevice = cod;
    EXPECT_EQ(BluetoothEntryFromRecord(record).deviceType, type) << std::hex << cod;
  }
}

TEST(ReadBluetoothTest, CountsNamesAndOrdersDevices) {
  FakeWirelessPlatform p;
  p.radios = {{RadioKind::Bluetooth, true}};
  p.bluetoothDevices = {{Device(L"Mouse", false, 5, 0x11), Device(L"Speaker", true, 4, 0x22),
                         Device(L"", false, 2, 0x33), Device(L"Headset", true, 4, 0x44),
                         Device(L"mouse", false), Device(L"Mouse 2", false)}};
  const BluetoothSnapshot s = ReadBluetooth(p);
  EXPECT_TRUE(s.present);
  EXPECT_TRUE(s.radioOn);
  EXPECT_EQ(s.connectedCount, 2);
  EXPECT_EQ(s.firstConnectedName, L"Speaker") << "first in the system's order, not the sorted one";
  std::vector<std::wstring> names;
  for (const auto& d : s.devices) names.push_back(d.name);
  EXPECT_EQ(names, (std::vector<std::wstring>{L"Headset", L"Speaker", L"Mouse", L"Mouse 2", L"mouse", L"蓝牙设备"}));
  EXPECT_EQ(s.devices[0].address, 0x44u);
  EXPECT_EQ(s.devices[5].deviceType, BluetoothDeviceType::Phone);
}

TEST(ReadBluetoothTest, NamesSortByUtf16CodeUnits) {
  // By code point U+FF21 comes first; in UTF-16, which the system compares,
  // U+10000 (0xD800 0xDC00) does.
  std::vector<BluetoothDeviceEntry> devices(2);
  devices[0].name = L"\U00010000";
  devices[1].name = L"\xFF21";
  SortBluetoothDevices(devices);
  EXPECT_EQ(devices[0].name, L"\U00010000");
}

TEST(ReadBluetoothTest, PresenceFromRadioOrSearch) {
  FakeWirelessPlatform p;
  EXPECT_FALSE(ReadBluetooth(p).present) << "no radio, no search handle";
  p.bluetoothDevices.emplace();
  EXPECT_TRUE(ReadBluetooth(p).present) << "a handle alone shows an adapter";
  p.bluetoothDevices.reset();
  p.radios = {{RadioKind::Bluetooth, false}};
  const BluetoothSnapshot s = ReadBluetooth(p);
  EXPECT_TRUE(s.present);
  EXPECT_FALSE(s.radioOn);
  EXPECT_TRUE(s.devices.empty());
}

}  // namespace
}  // namespace orvane::testing
