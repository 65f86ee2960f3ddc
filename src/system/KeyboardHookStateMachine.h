#pragma once
// The low-level keyboard hook's decisions for the "alt+tab" switcher trigger:
// Alt+Tab (and Alt+Shift+Tab) is swallowed and becomes a switcher step, and
// the Alt release after a swallowed Tab commits the selection. Everything
// else is passed on, so Ctrl+Alt+Tab and Win+Alt+Tab stay with the system.
// The hook must return quickly: a decision only names the message to post.

#include <atomic>
#include <cstdint>
#include <optional>

namespace orvane {

// One event as WH_KEYBOARD_LL reports it, with the modifier keys read
// (GetAsyncKeyState) at the time of the event.
struct HookKeyEvent {
  std::uint32_t virtualKey = 0;
  bool keyDown = false;  // WM_KEYDOWN / WM_SYSKEYDOWN; false for the key-up messages
  bool altDown = false;  // LLKHF_ALTDOWN
  bool controlDown = false;
  bool shiftDown = false;
  bool leftWinDown = false;
  bool rightWinDown = false;
};

struct HookDecision {
  bool swallow = false;                 // return 1 instead of calling the next hook
  std::optional<std::uintptr_t> post;  // wParam of the switcher message to post
  bool operator==(const HookDecision&) const = default;
};

class KeyboardHookStateMachine {
 public:
  HookDecision OnKey(const HookKeyEvent& event);

  // Forgets a swallowed Tab, e.g. when the hook is removed while Alt is held.
  void Reset() { altTabActive_.store(false); }
  bool AltTabActive() const { return altTabActive_.load(); }

 private:
  std::atomic<bool> altTabActive_{false};
};

}  // namespace orvane
