#pragma once
// Turns the global hotkeys, the switcher trigger and hot-corner dwells into
// HotkeyAction values for the one callback the dock host installs. Every
// registration and hook message goes to the host's render window, whose
// window procedure hands WM_HOTKEY and the hook's message back here.

#include <atomic>
#include <functional>
#include <string>

#include "system/HotCorners.h"
#include "system/HotkeyPlatform.h"
#include "system/HotkeyTable.h"
#include "system/KeyboardHookStateMachine.h"

namespace orvane {

class HotkeyManager {
 public:
  using ActionCallback = std::function<void(HotkeyAction)>;
  // Whether anything carries the action out; unclaimed shortcuts are left to
  // the system and other programs.
  using ClaimPredicate = std::function<bool(HotkeyAction)>;

  explicit HotkeyManager(HotkeyPlatform& platform) : platform_(platform) {}
  // Removes the hook, unregisters everything and gives up the hook
  // designation if it is still this manager's.
  ~HotkeyManager();
  HotkeyManager(const HotkeyManager&) = delete;
  HotkeyManager& operator=(const HotkeyManager&) = delete;

  void SetWindow(WindowHandle window) { window_ = window; }
  void SetActionCallback(ActionCallback callback) { callback_ = std::move(callback); }
  // Unset: every action counts as claimed. Takes effect at the next apply.
  void SetClaimPredicate(ClaimPredicate claimed) { claimed_ = std::move(claimed); }

  // The hook procedure has no context argument; it asks for the manager here.
  void DesignateForHook() { designated_.store(this); }
  static HotkeyManager* Designated() { return designated_.load(); }

  // One configuration apply: global hotkeys, hot corners, then the switcher.
  // Only claimed actions get a hotkey, and the switcher (its hook or its
  // hotkey) only when its steps are claimed.
  void ApplyConfiguration(bool globalHotkeys, bool hotCorners, bool switcher, const std::wstring& switcherChoice);

  // Re-registers only when the value or the claimed set changes; the
  // switcher hotkey, which is unregistered with the others, is registered
  // again when it is in use.
  void ApplyGlobalHotkeys(bool enabled);
  // Also called with (false, "alt+tab") when the window goes away or the
  // session ends, which removes the hook.
  void ConfigureSwitcher(bool enabled, const std::wstring& choice);
  bool Claimed(HotkeyAction action) const { return !claimed_ || claimed_(action); }
  void UnregisterAll();

  // One 260 ms timer tick; monitor 0 means the primary monitor.
  void HotCornerTick(MonitorHandle monitor);

  // The keyboard hook's decision for one event (HC_ACTION only); posts the
  // switcher message itself. Passes everything on unless "alt+tab" is the
  // switcher's trigger.
  HookDecision OnHookKey(const HookKeyEvent& event);

  // The render window's WM_HOTKEY; false for ids the manager does not own
  // (those go to the default window procedure).
  bool OnHotkeyMessage(int id);
  // The render window's switcher message from the hook.
  void OnSwitcherMessage(std::uintptr_t wParam);

  bool GlobalHotkeysOn() const { return globalHotkeys_; }
  bool HotCornersOn() const { return hotCornersOn_; }
  bool SwitcherOn() const { return switcherOn_; }
  const std::wstring& SwitcherChoice() const { return switcherChoice_; }
  bool HookInstalled() const { return hookInstalled_; }
  bool AltTabActive() const { return hook_.AltTabActive(); }
  const HotCorners& Corners() const { return corners_; }

 private:
  void RemoveHook();
  void Dispatch(HotkeyAction action);

  static std::atomic<HotkeyManager*> designated_;

  HotkeyPlatform& platform_;
  WindowHandle window_ = kNoWindow;
  ActionCallback callback_;
  ClaimPredicate claimed_;
  unsigned registeredMask_ = 0;  // bit i: kGlobalHotkeys[i] is registered
  bool globalHotkeys_ = false;
  bool hotCornersOn_ = false;
  bool switcherOn_ = false;
  std::wstring switcherChoice_ = kSwitcherChoiceAltTab;
  bool hookInstalled_ = false;
  KeyboardHookStateMachine hook_;
  HotCorners corners_;
};

}  // namespace orvane
