#pragma once
// The menu bar menus' own system calls on Windows: the tracker's windows,
// minimising and placing the target window, the known folders and the
// about box, owned by the bar.

#include <windows.h>

#include <string>
#include <vector>

#include "system/WindowSystem.h"
#include "system/WindowTracker.h"
#include "ui/menubar/MenuBarMenus.h"

namespace orvane {

class Win32MenuBarMenuPlatform final : public MenuBarMenuPlatform {
 public:
  Win32MenuBarMenuPlatform(HWND owner, WindowSystem& system, const WindowTracker& tracker);

  const std::vector<TrackedApp>& TrackedApps() override;
  void Minimize(WindowHandle window) override;
  void Arrange(WindowHandle window, WindowArrangement mode) override;
  std::wstring FolderPath(KnownFolder folder) override;
  void ShowInformation(const std::wstring& text, const std::wstring& caption) override;

 private:
  HWND owner_;
  WindowSystem& system_;
  const WindowTracker& tracker_;
};

}  // namespace orvane
