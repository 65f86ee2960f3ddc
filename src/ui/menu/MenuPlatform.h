#pragma once
// The system calls that menu choices have in common: closing a window,
// starting something, a yes/no question and the power commands. The dock's
// menus and the menu bar's menus each hold one, whose boxes their own window
// owns. Windows: win32/Win32MenuPlatform.

#include <string>

#include "system/WindowHandle.h"

namespace orvane {

class MenuPlatform {
 public:
  virtual ~MenuPlatform() = default;

  // --- windows ----------------------------------------------------------------------
  virtual bool WindowExists(WindowHandle window) = 0;
  virtual void PostClose(WindowHandle window) = 0;  // WM_CLOSE; the application may ask to save

  // --- starting things --------------------------------------------------------------
  // Launcher::Launch: false for an empty target or when nothing started (then logged).
  virtual bool Launch(const std::wstring& target, const std::wstring& arguments) = 0;

  // --- questions and power ------------------------------------------------------------
  // A modal yes/no box owned by the menu's window; warning: the warning
  // icon, else the question mark. True only for Yes.
  virtual bool Confirm(const std::wstring& text, const std::wstring& caption, bool warning) = 0;
  virtual void LockScreen() = 0;
  virtual void Sleep() = 0;
  virtual void SignOut() = 0;
  // Starts "shutdown.exe" hidden with the parameters; false when it did not start.
  virtual bool RunShutdownCommand(const std::wstring& parameters) = 0;
};

enum class ShutdownKind { Restart, PowerOff };

// Restarts or powers off once the user answered Yes to the warning box;
// a shutdown.exe that did not start is logged.
void ConfirmShutdown(MenuPlatform& platform, ShutdownKind kind, const std::wstring& question,
                     const std::wstring& caption);

}  // namespace orvane
