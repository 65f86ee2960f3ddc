#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "system/HotkeyTable.h"

namespace orvane {
namespace {

TEST(HotkeyTableTest, HotkeyIdsMapToActions) {
  const struct {
    int id;
    std::optional<HotkeyAction> action;
  } cases[] = {
      {9101, HotkeyAction::ToggleLauncher},      {9102, HotkeyAction::ShowOverview},
      {9103, HotkeyAction::ToggleStageManager},  {9104, HotkeyAction::ToggleLauncher},
      {9105, HotkeyAction::ToggleControlCenter}, {9106, HotkeyAction::ToggleNotificationCenter},
      {9107, HotkeyAction::ToggleTaskbar},       {9109, HotkeyAction::SwitcherNext},
      {9100, std::nullopt},                      {9108, std::nullopt},
      {9110, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ActionForHotkeyId(c.id), c.action) << c.id;
}

TEST(HotkeyTableTest, SwitcherMessagesMapToSteps) {
  EXPECT_EQ(ActionForSwitcherMessage(0), HotkeyAction::SwitcherNext);
  EXPECT_EQ(ActionForSwitcherMessage(1), HotkeyAction::SwitcherPrevious);
  EXPECT_EQ(ActionForSwitcherMessage(2), HotkeyAction::SwitcherCommit);
  EXPECT_EQ(ActionForSwitcherMessage(3), std::nullopt);
}

TEST(HotkeyTableTest, SwitcherChoicesMatchExactly) {
  const struct {
    std::wstring choice;
    std::optional<HotkeyRegistration> hotkey;
  } cases[] = {
      {L"ctrl+alt+tab", HotkeyRegistration{9109, 3, 0x09}},
      {L"alt+q", HotkeyRegistration{9109, 1, 0x51}},
      {L"ctrl+alt+s", HotkeyRegistration{9109, 3, 0x53}},
      {L"alt+tab", std::nullopt},  // the keyboard hook, not a hotkey
      {L"Alt+Q", std::nullopt},
      {L" alt+q", std::nullopt},
      {L"win+tab", std::nullopt},
      {L"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(SwitcherHotkeyFor(c.choice), c.hotkey) << std::string(c.choice.begin(), c.choice.end());
}

}  // namespace
}  // namespace orvane
