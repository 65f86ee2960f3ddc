#pragma once
// A HotkeyManager on the fake platform with its render window set and a
// callback that records the actions it is handed.

#include <gtest/gtest.h>

#include <vector>

#include "system/FakeHotkeyPlatform.h"
#include "system/HotkeyManager.h"

namespace orvane {

class HotkeyManagerFixture : public ::testing::Test {
 protected:
  static constexpr WindowHandle kRenderWindow = 0x4711;

  HotkeyManagerFixture() {
    manager.SetWindow(kRenderWindow);
    manager.SetActionCallback([this](HotkeyAction action) { actions.push_back(action); });
  }

  std::vector<int> RegisteredIds() const {
    std::vector<int> ids;
    for (const auto& r : platform.registered) ids.push_back(r.hotkey.id);
    return ids;
  }

  FakeHotkeyPlatform platform;
  HotkeyManager manager{platform};
  std::vector<HotkeyAction> actions;
};

}  // namespace orvane
