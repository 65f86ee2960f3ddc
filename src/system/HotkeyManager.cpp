#include "system/HotkeyManager.h"

namespace orvane {

std::atomic<HotkeyManager*> HotkeyManager::designated_{nullptr};

HotkeyManager::~HotkeyManager() {
  RemoveHook();
  UnregisterAll();
  HotkeyManager* self = this;
  designated_.compare_exchange_strong(self, nullptr);
}

void HotkeyManager::ApplyConfiguration(bool globalHotkeys, bool hotCorners, bool switcher,
                                       const std::wstring& switcherChoice) {
  ApplyGlobalHotkeys(globalHotkeys);
  hotCornersOn_ = hotCorners;
  corners_.ResetDwell();
  ConfigureSwitcher(switcher, switcherChoice);
}

void HotkeyManager::ApplyGlobalHotkeys(bool enabled) {
  unsigned wanted = 0;
  if (enabled && window_ != kNoWindow) {
    for (std::size_t i = 0; i < kGlobalHotkeys.size(); ++i) {
      const auto action = ActionForHotkeyId(kGlobalHotkeys[i].id);
      if (action && Claimed(*action)) wanted |= 1u << i;
    }
  }
  if (enabled == globalHotkeys_ && wanted == registeredMask_) return;
  UnregisterAll();
  globalHotkeys_ = enabled;
  if (!enabled || window_ == kNoWindow) return;
  // A failed registration (the keys are someone else's) leaves that shortcut dead.
  for (std::size_t i = 0; i < kGlobalHotkeys.size(); ++i) {
    if ((wanted & (1u << i)) != 0) platform_.RegisterHotkey(window_, kGlobalHotkeys[i]);
  }
  registeredMask_ = wanted;
  if (switcherOn_) {
    if (const auto trigger = SwitcherHotkeyFor(switcherChoice_)) platform_.RegisterHotkey(window_, *trigger);
  }
}

void HotkeyManager::ConfigureSwitcher(bool enabled, const std::wstring& choice) {
  RemoveHook();
  if (window_ != kNoWindow) platform_.UnregisterHotkey(window_, kSwitcherHotkeyId);
  switcherOn_ = enabled && Claimed(HotkeyAction::SwitcherNext);
  switcherChoice_ = choice.empty() ? std::wstring(kSwitcherChoiceAltTab) : choice;
  hook_.Reset();
  if (!switcherOn_ || window_ == kNoWindow) return;
  if (switcherChoice_ == kSwitcherChoiceAltTab) {
    // A failed installation leaves Alt+Tab to the system.
    if (!hookInstalled_) hookInstalled_ = platform_.InstallKeyboardHook();
    return;
  }
  if (const auto trigger = SwitcherHotkeyFor(switcherChoice_)) platform_.RegisterHotkey(window_, *trigger);
}

void HotkeyManager::UnregisterAll() {
  registeredMask_ = 0;
  if (window_ == kNoWindow) return;
  for (const HotkeyRegistration& hotkey : kGlobalHotkeys) platform_.UnregisterHotkey(window_, hotkey.id);
  platform_.UnregisterHotkey(window_, kSwitcherHotkeyId);
}

void HotkeyManager::RemoveHook() {
  if (hookInstalled_) platform_.RemoveKeyboardHook();
  hookInstalled_ = false;
  hook_.Reset();
}

void HotkeyManager::HotCornerTick(MonitorHandle monitor) {
  if (!hotCornersOn_ || !callback_) return;
  corners_.AdvanceCooldown();
  const auto pointer = platform_.CursorPosition();
  if (!pointer) return;
  const auto rect = platform_.MonitorRect(monitor);
  if (!rect) return;
  if (const auto action = corners_.Observe(*pointer, *rect); action && Claimed(*action)) Dispatch(*action);
}

HookDecision HotkeyManager::OnHookKey(const HookKeyEvent& event) {
  if (!switcherOn_ || switcherChoice_ != kSwitcherChoiceAltTab) return {};
  const HookDecision decision = hook_.OnKey(event);
  if (decision.post) platform_.PostSwitcherMessage(window_, *decision.post);
  return decision;
}

bool HotkeyManager::OnHotkeyMessage(int id) {
  const auto action = ActionForHotkeyId(id);
  if (!action) return false;
  Dispatch(*action);
  return true;
}

void HotkeyManager::OnSwitcherMessage(std::uintptr_t wParam) {
  if (const auto action = ActionForSwitcherMessage(wParam)) Dispatch(*action);
}

void HotkeyManager::Dispatch(HotkeyAction action) {
  if (callback_) callback_(action);
}

}  // namespace orvane
