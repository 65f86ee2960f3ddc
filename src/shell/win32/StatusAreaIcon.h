#pragma once
// The program's icon in the notification area of the native taskbar: its
// tip, and its callback message to the render window. Added once the window
// exists, added again when the taskbar is recreated, removed at teardown.

#include <windows.h>

namespace orvane {

inline constexpr UINT kStatusIconId = 1001;
inline constexpr wchar_t kStatusIconTip[] = L"Orvane v3.0 (Lumaro) - 双击打开偏好设置";
inline constexpr int kProgramIconResource = 101;

// What a callback of the icon (the low word of its lParam) asks for.
enum class StatusIconAction { None, GlobalMenu, Settings };
StatusIconAction StatusIconActionFor(LPARAM lParam);

class StatusAreaIcon {
 public:
  StatusAreaIcon() = default;
  ~StatusAreaIcon() { Remove(); }
  StatusAreaIcon(const StatusAreaIcon&) = delete;
  StatusAreaIcon& operator=(const StatusAreaIcon&) = delete;

  // Removes any icon added before, then adds it for `window`; false (and
  // the program runs without it) when the shell refused.
  bool Add(HWND window, HINSTANCE instance);
  // Deletes the icon and frees the picture this object loaded.
  void Remove();
  bool added() const { return added_; }

 private:
  HWND window_ = nullptr;
  HICON icon_ = nullptr;
  bool ownsIcon_ = false;  // loaded for this icon, not the system's shared one
  bool added_ = false;
};

}  // namespace orvane
