#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "HotkeyTestFixture.h"

namespace orvane {
namespace {

// Modifier keys held during an event, as GetAsyncKeyState reports them.
enum Held : unsigned { kNone = 0, kShift = 1, kCtrl = 2, kLeftWin = 4, kRightWin = 8 };

HookKeyEvent Key(std::uint32_t vk, bool down, bool alt, unsigned held = kNone) {
  HookKeyEvent event;
  event.virtualKey = vk;
  event.keyDown = down;
  event.altDown = alt;
  event.shiftDown = (held & kShift) != 0;
  event.controlDown = (held & kCtrl) != 0;
  event.leftWinDown = (held & kLeftWin) != 0;
  event.rightWinDown = (held & kRightWin) != 0;
  return event;
}

HookKeyEvent AltDown() { return Key(kVkLeftMenu, true, true); }
HookKeyEvent AltUp(std::uint32_t vk = kVkLeftMenu) { return Key(vk, false, false); }
HookKeyEvent TabDown(unsigned held = kNone) { return Key(kVkTab, true, true, held); }
HookKeyEvent TabUp() { return Key(kVkTab, false, true); }

struct Step {
  Step(const HookKeyEvent& e, bool swallow = false, std::optional<std::uintptr_t> post = std::nullopt)
      : event(e), swallowed(swallow), posted(post) {}
  HookKeyEvent event;
  bool swallowed;
  std::optional<std::uintptr_t> posted;
};

struct Scenario {
  const char* name;
  std::vector<Step> steps;
};

class KeyboardHookTest : public HotkeyManagerFixture {
 protected:
  KeyboardHookTest() { manager.ApplyConfiguration(true, false, true, L"alt+tab"); }

  void Run(const Scenario& scenario) {
    platform.posted.clear();
    std::vector<std::pair<WindowHandle, std::uintptr_t>> expectedPosts;
    for (std::size_t i = 0; i < scenario.steps.size(); ++i) {
      const Step& step = scenario.steps[i];
      const HookDecision decision = manager.OnHookKey(step.event);
      EXPECT_EQ(decision.swallow, step.swallowed) << scenario.name << " step " << i;
      EXPECT_EQ(decision.post, step.posted) << scenario.name << " step " << i;
      if (step.posted) expectedPosts.emplace_back(kRenderWindow, *step.posted);
    }
    EXPECT_EQ(platform.posted, expectedPosts) << scenario.name;
  }
};

TEST_F(KeyboardHookTest, AltTabSequences) {
  const Scenario scenarios[] = {
      {"each Tab while Alt is held steps, one release commits",
       {{AltDown()},
        {TabDown(), true, 0},
        {TabUp()},
        {TabDown(), true, 0},
        {TabUp()},
        {AltUp(), false, 2},
        {AltUp()}}},
      {"Shift+Tab steps back",
       {{AltDown()}, {Key(kVkShift, true, true, kShift)}, {TabDown(kShift), true, 1}, {TabDown(), true, 0},
        {AltUp(), false, 2}}},
      {"right Alt and the generic Alt code commit too",
       {{TabDown(), true, 0}, {AltUp(kVkRightMenu), false, 2}, {TabDown(), true, 0}, {AltUp(kVkMenu), false, 2}}},
      {"Alt released without a swallowed Tab posts nothing", {{AltDown()}, {AltUp()}}},
      {"Ctrl+Alt+Tab stays with the system", {{TabDown(kCtrl)}, {AltUp()}}},
      {"Win+Alt+Tab stays with the system", {{TabDown(kLeftWin)}, {TabDown(kRightWin)}, {AltUp()}}},
      {"Tab without Alt is typed", {{Key(kVkTab, true, false)}, {AltUp()}}},
      {"other keys while switching are passed and keep the switcher open",
       {{TabDown(), true, 0}, {Key('A', true, true)}, {Key(kVkShift, false, true)}, {AltUp(), false, 2}}},
  };
  for (const Scenario& scenario : scenarios) Run(scenario);
}

TEST_F(KeyboardHookTest, OtherTriggersLeaveEveryKeyAlone) {
  for (const auto& [on, choice] : {std::pair{false, L"alt+tab"}, std::pair{true, L"alt+q"}, std::pair{true, L"Alt+Tab"}}) {
    manager.ConfigureSwitcher(on, choice);
    Run({"not the hook's trigger", {{TabDown()}, {AltUp()}}});
  }
}

TEST_F(KeyboardHookTest, RemovingTheHookMidSwitchForgetsTheTab) {
  Run({"switching", {{AltDown()}, {TabDown(), true, 0}}});
  manager.ConfigureSwitcher(true, L"alt+tab");  // a configuration apply while Alt is held
  EXPECT_FALSE(manager.AltTabActive());
  Run({"release after the re-apply", {{AltUp()}}});
}

}  // namespace
}  // namespace orvane
