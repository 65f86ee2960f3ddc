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
    case kLauncherGridHotkeyId:
    case kLauncherGridAltHotkeyId: return HotkeyAction::ToggleLauncher;
    case kWindowOverviewHotkeyId: return HotkeyAction::ShowOverview;
    case kStageManagerHotkeyId: return HotkeyAction::ToggleStageManager;
    case kControlCenterHotkeyId: return HotkeyAction::ToggleControlCenter;
    case kNotificationCenterHotkeyId: return HotkeyAction::ToggleNotificationCenter;
    case kNativeTaskbarHotkeyId: return HotkeyAction::ToggleTaskbar;
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
