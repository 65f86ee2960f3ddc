#include "system/KeyboardHookStateMachine.h"

#include "system/HotkeyTable.h"

namespace orvane {

HookDecision KeyboardHookStateMachine::OnKey(const HookKeyEvent& event) {
  if (event.keyDown) {
    if (event.virtualKey != kVkTab || !event.altDown) return {};
    if (event.controlDown || event.leftWinDown || event.rightWinDown) return {};
    altTabActive_.store(true);
    return {true, event.shiftDown ? kSwitcherHookShiftTab : kSwitcherHookTab};
  }
  const bool altKey =
      event.virtualKey == kVkMenu || event.virtualKey == kVkLeftMenu || event.virtualKey == kVkRightMenu;
  // The release itself reaches the system, so Alt never sticks.
  if (altKey && altTabActive_.exchange(false)) return {false, kSwitcherHookAltReleased};
  return {};
}

}  // namespace orvane
