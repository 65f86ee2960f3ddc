#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "HotkeyTestFixture.h"

namespace orvane {
namespace {

using HotkeyManagerTest = HotkeyManagerFixture;

const std::vector<int> kGlobalIds{9101, 9102, 9103, 9104, 9105, 9106, 9107};

std::vector<int> With(std::vector<int> ids, int id) {
  ids.push_back(id);
  return ids;
}

TEST_F(HotkeyManagerTest, ConfigurationAppliesRegisterTheRightTriggers) {
  const struct {
    bool globals;
    bool switcher;
    const wchar_t* choice;
    std::vector<int> ids;
    bool hook;
  } cases[] = {
      {true, false, L"alt+q", kGlobalIds, false},
      {true, true, L"alt+tab", kGlobalIds, true},
      {true, true, L"", kGlobalIds, true},  // empty means "alt+tab"
      {true, true, L"alt+q", With(kGlobalIds, 9109), false},
      {true, true, L"ctrl+alt+tab", With(kGlobalIds, 9109), false},
      {true, true, L"Alt+Tab", kGlobalIds, false},  // unknown: nothing at all
      {false, true, L"alt+q", {9109}, false},
      {false, true, L"alt+tab", {}, true},
      {false, false, L"alt+tab", {}, false},
  };
  for (const auto& c : cases) {
    FakeHotkeyPlatform fresh;
    HotkeyManager m(fresh);
    m.SetWindow(kRenderWindow);
    m.ApplyConfiguration(c.globals, false, c.switcher, c.choice);
    std::vector<int> ids;
    for (const auto& r : fresh.registered) ids.push_back(r.hotkey.id);
    EXPECT_EQ(ids, c.ids) << c.globals << c.switcher;
    EXPECT_EQ(fresh.hookInstalled, c.hook) << c.globals << c.switcher;
    EXPECT_TRUE(fresh.refused.empty());
  }
}

TEST_F(HotkeyManagerTest, SwitcherHotkeyIsRepeatableAndGlobalsAreNot) {
  manager.ApplyConfiguration(true, false, true, L"alt+q");
  EXPECT_EQ(platform.Find(kRenderWindow, 9109), (HotkeyRegistration{9109, kModAlt, 'Q'}));
  EXPECT_EQ(platform.Find(kRenderWindow, 9101), (HotkeyRegistration{9101, kModAlt | kModNoRepeat, kVkSpace}));
}

TEST_F(HotkeyManagerTest, GlobalHotkeysOffKeepsTheSwitcherHotkey) {
  manager.ApplyConfiguration(true, false, true, L"alt+q");
  manager.ApplyConfiguration(false, false, true, L"alt+q");
  EXPECT_EQ(RegisteredIds(), std::vector<int>{9109});
  manager.ApplyConfiguration(true, false, true, L"alt+q");
  EXPECT_EQ(RegisteredIds(), With(kGlobalIds, 9109));
  EXPECT_TRUE(platform.refused.empty());
}

TEST_F(HotkeyManagerTest, RepeatedAppliesDoNotRegisterTwice) {
  for (int i = 0; i < 3; ++i) manager.ApplyConfiguration(true, false, true, L"ctrl+alt+tab");
  EXPECT_EQ(RegisteredIds(), With(kGlobalIds, 9109));
  EXPECT_TRUE(platform.refused.empty());
  for (int i = 0; i < 3; ++i) manager.ApplyConfiguration(true, false, true, L"alt+tab");
  EXPECT_EQ(platform.hookInstalls, 3);  // removed and installed again per apply, never two at once
  EXPECT_TRUE(platform.hookInstalled);
}

TEST_F(HotkeyManagerTest, TakenCombinationsAreSkippedQuietly) {
  // "ctrl+alt+s" is 9103's combination; 9103 registers first and keeps it.
  platform.takenElsewhere.push_back({1, kModAlt, kVkSpace});
  manager.ApplyConfiguration(true, false, true, L"ctrl+alt+s");
  EXPECT_EQ(RegisteredIds(), (std::vector<int>{9102, 9103, 9104, 9105, 9106, 9107}));
  ASSERT_EQ(platform.refused.size(), 2u);
  EXPECT_EQ(platform.refused[1].id, 9109);
}

TEST_F(HotkeyManagerTest, SwitcherOffRemovesHookAndHotkey) {
  manager.ApplyConfiguration(true, false, true, L"alt+tab");
  manager.ApplyConfiguration(true, false, false, L"alt+tab");
  EXPECT_FALSE(platform.hookInstalled);
  manager.ApplyConfiguration(true, false, true, L"alt+q");
  manager.ApplyConfiguration(true, false, false, L"alt+q");
  EXPECT_EQ(RegisteredIds(), kGlobalIds);
  EXPECT_FALSE(manager.SwitcherOn());
}

TEST_F(HotkeyManagerTest, ChangingTheChoiceSwapsHookAndHotkey) {
  manager.ApplyConfiguration(true, false, true, L"alt+tab");
  manager.ApplyConfiguration(true, false, true, L"alt+q");
  EXPECT_FALSE(platform.hookInstalled);
  EXPECT_TRUE(platform.Find(kRenderWindow, 9109));
  manager.ApplyConfiguration(true, false, true, L"");
  EXPECT_TRUE(platform.hookInstalled);
  EXPECT_FALSE(platform.Find(kRenderWindow, 9109));
  EXPECT_EQ(manager.SwitcherChoice(), L"alt+tab");
}

TEST_F(HotkeyManagerTest, FailedHookLeavesAltTabToTheSystemAndIsRetried) {
  platform.hookInstallFails = true;
  manager.ApplyConfiguration(true, false, true, L"alt+tab");
  EXPECT_FALSE(manager.HookInstalled());
  platform.hookInstallFails = false;
  manager.ApplyConfiguration(true, false, true, L"alt+tab");
  EXPECT_TRUE(manager.HookInstalled());
}

TEST_F(HotkeyManagerTest, WithoutAWindowNothingIsRegistered) {
  FakeHotkeyPlatform fresh;
  HotkeyManager m(fresh);
  m.ApplyConfiguration(true, false, true, L"alt+tab");
  m.ConfigureSwitcher(true, L"alt+q");
  EXPECT_TRUE(fresh.registered.empty());
  EXPECT_FALSE(fresh.hookInstalled);
}

TEST_F(HotkeyManagerTest, DestructionReleasesEverythingAndOnlyItsOwnDesignation) {
  auto first = std::make_unique<HotkeyManager>(platform);
  first->SetWindow(kRenderWindow);
  first->DesignateForHook();
  first->ApplyConfiguration(true, false, true, L"alt+tab");
  first.reset();
  EXPECT_TRUE(platform.registered.empty());
  EXPECT_FALSE(platform.hookInstalled);
  EXPECT_EQ(HotkeyManager::Designated(), nullptr);

  manager.DesignateForHook();
  { HotkeyManager other(platform); }
  EXPECT_EQ(HotkeyManager::Designated(), &manager);
}

TEST_F(HotkeyManagerTest, MessagesDispatchOnlyKnownIdsAndOnlyWithACallback) {
  EXPECT_TRUE(manager.OnHotkeyMessage(9104));
  EXPECT_FALSE(manager.OnHotkeyMessage(9108));
  manager.OnSwitcherMessage(1);
  manager.OnSwitcherMessage(7);
  EXPECT_EQ(actions, (std::vector<HotkeyAction>{HotkeyAction::ToggleLauncher, HotkeyAction::SwitcherPrevious}));

  manager.SetActionCallback(nullptr);
  EXPECT_TRUE(manager.OnHotkeyMessage(9101));
  manager.OnSwitcherMessage(2);
  EXPECT_EQ(actions.size(), 2u);
}

}  // namespace
}  // namespace orvane
