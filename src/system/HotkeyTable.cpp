#include "system/HotkeyTable.h"

namespace orvane {

std::optional<HotkeyRegistration> SwitcherHotkeyFor(const std::wstring& choice) {
  if (choice == L"ctrl+alt+tab") return HotkeyRegistration{kSwitcherHotkeyId, kModAlt | kModControl, kVkTab};
  if (choice == L"alt+q") return HotkeyRegistration{kSwitcherHotkeyId, kModAlt, 'Q'};
  if (choice == L"ctrl+alt+s") return HotkeyRegistration{kSwitcherHotkeyId, kModAlt | kModControl, 'S'};
  return std::nullopt;
}

std::optional<HotkeyAction> ActionForHotkeyId(int id) {
  switch (id) {
    case 9101:
    case 9104: return HotkeyAction::ToggleLauncher;
    case 9102: return HotkeyAction::ShowOverview;
    case 9103: return HotkeyAction::ToggleStageManager;
    case 9105: return HotkeyAction::ToggleControlCenter;
    case 9106: return HotkeyAction::ToggleNotificationCenter;
    case 9107: return HotkeyAction::ToggleTaskbar;
    case kSwitcherHotkeyId: return HotkeyAction::SwitcherNext;
    default: return std::nullopt;
  }
}

std::optional<HotkeyAction> ActionForSwitcherMessage(std::uintptr_t wParam) {
  switch (wParam) {
    case kSwitcherHookTab: return HotkeyAction::SwitcherNext;
    case kSwitcherHookShiftTab: return HotkeyAction::SwitcherPrevious;
    case kSwitcherHookAltReleased: return HotkeyAction::SwitcherCommit;
    default: return std::nullopt;
  }
}

}  // namespace orvane
