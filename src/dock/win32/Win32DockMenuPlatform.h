#pragma once
// The dock menus' own system calls on Windows: activating windows, ending
// processes, the shell's recycle bin and file dialog, owned by the dock's
// render window. The calls every menu shares are Win32MenuPlatform's.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "dock/DockMenus.h"
#include "system/Launcher.h"
#include "system/WindowSystem.h"

namespace orvane {

struct DockMenuHooks {
  std::function<void(MediaKey)> media;
  std::function<void(const std::function<void(DockConfig&)>&)> editConfig;
  std::function<void()> reloadConfig;
};

class Win32DockMenuPlatform final : public DockMenuPlatform {
 public:
  Win32DockMenuPlatform(HWND owner, Launcher& launcher, WindowSystem& system, DockMenuHooks hooks);

  void ActivateWindow(WindowHandle window) override;
  std::uint32_t OwnProcessId() override;
  ProcessIdentity DescribeProcess(std::uint32_t processId) override;
  void Terminate(std::uint32_t processId) override;
  void RevealInExplorer(const std::wstring& target) override;
  void EmptyRecycleBin() override;
  std::optional<std::wstring> PickCustomIcon() override;
  void Media(MediaKey key) override;
  void EditConfig(const std::function<void(DockConfig&)>& edit) override;
  void ReloadConfig() override;

 private:
  HWND owner_;
  Launcher& launcher_;
  WindowSystem& system_;
  DockMenuHooks hooks_;
};

}  // namespace orvane
