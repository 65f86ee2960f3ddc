#pragma once
// The program's icon in the notification area of the native taskbar: its
// tip, and its callback message to the render window. Added once the window
// exists, added again when the taskbar is recreated, removed at teardown.
//
// The calls to the shell run on a worker thread: they send a message to the
// taskbar and wait for it, which takes seconds where the taskbar does not
// answer (Wine without one waits two seconds per call). Removing waits a
// moment for the shell and then lets the program go on closing.

#include <windows.h>

#include <memory>

namespace orvane {

inline constexpr UINT kStatusIconId = 1001;
inline constexpr wchar_t kStatusIconTip[] = L"Orvane v3.0 (Lumaro) - 双击打开偏好设置";
inline constexpr int kProgramIconResource = 101;
// How long Remove waits for the shell before the program closes anyway.
inline constexpr DWORD kStatusIconRemoveWaitMs = 300;

// What a callback of the icon (the low word of its lParam) asks for.
enum class StatusIconAction { None, GlobalMenu, Settings };
StatusIconAction StatusIconActionFor(LPARAM lParam);

class StatusAreaIcon {
 public:
  StatusAreaIcon() = default;
  ~StatusAreaIcon() { Remove(); }
  StatusAreaIcon(const StatusAreaIcon&) = delete;
  StatusAreaIcon& operator=(const StatusAreaIcon&) = delete;

  // Removes any icon added before, then adds it for `window` (on the
  // worker; a refusal is logged and the program runs without the icon).
  void Add(HWND window, HINSTANCE instance);
  // Deletes the icon and frees the picture this object loaded.
  void Remove();

  struct State;

 private:
  std::shared_ptr<State> state_;
};

}  // namespace orvane
