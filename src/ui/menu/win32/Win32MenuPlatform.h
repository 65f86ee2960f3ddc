#pragma once
// The menus' shared system calls on Windows. The yes/no boxes are owned by
// the window given here (the dock's render window, the menu bar), so they
// stay modal to the surface whose menu asked.

#include <windows.h>

#include <string>

#include "system/Launcher.h"
#include "system/WindowSystem.h"
#include "ui/menu/MenuPlatform.h"

namespace orvane {

class Win32MenuPlatform final : public MenuPlatform {
 public:
  Win32MenuPlatform(HWND owner, Launcher& launcher, WindowSystem& system);

  bool WindowExists(WindowHandle window) override;
  void PostClose(WindowHandle window) override;
  bool Launch(const std::wstring& target, const std::wstring& arguments) override;
  bool Confirm(const std::wstring& text, const std::wstring& caption, bool warning) override;
  void LockScreen() override;
  void Sleep() override;
  void SignOut() override;
  bool RunShutdownCommand(const std::wstring& parameters) override;

 private:
  HWND owner_;
  Launcher& launcher_;
  WindowSystem& system_;
};

}  // namespace orvane
