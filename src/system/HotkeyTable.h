#pragma once
// The shortcuts the shell owns: the seven global hotkeys, the switcher's
// trigger and how the render window's hotkey and hook messages turn into
// actions. The numbers are what RegisterHotKey and the action callback see.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/MessageIds.h"

namespace orvane {

enum class HotkeyAction : int {
  ToggleLauncher = 1,
  ShowOverview = 2,
  ToggleStageManager = 3,
  ToggleControlCenter = 4,
  ToggleNotificationCenter = 5,
  ToggleTaskbar = 6,
  SwitcherNext = 7,
  SwitcherPrevious = 8,
  SwitcherCommit = 9,
};

// RegisterHotKey modifiers (MOD_*) and the virtual keys the tables use.
inline constexpr std::uint32_t kModAlt = 0x0001;
inline constexpr std::uint32_t kModControl = 0x0002;
inline constexpr std::uint32_t kModNoRepeat = 0x4000;

inline constexpr std::uint32_t kVkTab = 0x09;
inline constexpr std::uint32_t kVkShift = 0x10;
inline constexpr std::uint32_t kVkMenu = 0x12;
inline constexpr std::uint32_t kVkSpace = 0x20;
inline constexpr std::uint32_t kVkUp = 0x26;
inline constexpr std::uint32_t kVkLeftMenu = 0xA4;
inline constexpr std::uint32_t kVkRightMenu = 0xA5;

struct HotkeyRegistration {
  int id = 0;
  std::uint32_t modifiers = 0;
  std::uint32_t virtualKey = 0;
  bool operator==(const HotkeyRegistration&) const = default;
};

// Registered in this order; the ids are fixed because the render window's
// message handler dispatches on them.
inline constexpr std::array<HotkeyRegistration, 7> kGlobalHotkeys{{
    {kLauncherGridHotkeyId, kModAlt | kModNoRepeat, kVkSpace},
    {kWindowOverviewHotkeyId, kModAlt | kModControl | kModNoRepeat, kVkUp},
    {kStageManagerHotkeyId, kModAlt | kModControl | kModNoRepeat, 'S'},
    {kLauncherGridAltHotkeyId, kModAlt | kModControl | kModNoRepeat, 'L'},
    {kControlCenterHotkeyId, kModAlt | kModControl | kModNoRepeat, 'C'},
    {kNotificationCenterHotkeyId, kModAlt | kModControl | kModNoRepeat, 'N'},
    {kNativeTaskbarHotkeyId, kModAlt | kModControl | kModNoRepeat, 'T'},
}};

// The "stageSwitcherHotkey" value that means the keyboard hook, and the one
// an empty setting stands for.
inline constexpr wchar_t kSwitcherChoiceAltTab[] = L"alt+tab";

// The registered switcher trigger for a choice other than "alt+tab"; nothing
// for "alt+tab" (the hook) or an unknown value. Exact, case-sensitive match,
// and without MOD_NOREPEAT so holding the keys keeps stepping.
std::optional<HotkeyRegistration> SwitcherHotkeyFor(const std::wstring& choice);

// The wParam of the keyboard hook's kSwitcherHookMessage.
inline constexpr std::uintptr_t kSwitcherHookTab = 0;
inline constexpr std::uintptr_t kSwitcherHookShiftTab = 1;
inline constexpr std::uintptr_t kSwitcherHookAltReleased = 2;

// WM_HOTKEY id to action; nothing for ids the shell does not own (those go
// to the default window procedure).
std::optional<HotkeyAction> ActionForHotkeyId(int id);
// The hook message's wParam to action; nothing for an unknown value.
std::optional<HotkeyAction> ActionForSwitcherMessage(std::uintptr_t wParam);

}  // namespace orvane
