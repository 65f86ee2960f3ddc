#pragma once
// The window tracker's view of the real desktop: each call is the Win32 or
// DWM call its portable declaration names, with handles passed as integers.

#include <windows.h>

#include "system/WindowSystem.h"

namespace orvane {

inline HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }
inline WindowHandle FromHwnd(HWND window) { return reinterpret_cast<WindowHandle>(window); }

class Win32WindowSystem : public WindowSystem {
 public:
  // Binds GetApplicationUserModelId, which kernel32 exports only from
  // Windows 8 on; without it every process simply has no AUMID.
  Win32WindowSystem();

  void EnumerateTopLevelWindows(const std::function<bool(WindowHandle)>& visit) override;
  bool IsVisible(WindowHandle window) override;
  std::uint32_t ProcessIdOf(WindowHandle window) override;
  std::uint32_t ExtendedStyle(WindowHandle window) override;
  WindowHandle Owner(WindowHandle window) override;
  std::optional<std::uint32_t> CloakedState(WindowHandle window) override;
  std::wstring ClassName(WindowHandle window, std::size_t bufferChars) override;
  bool IsIconic(WindowHandle window) override;
  std::optional<ScreenRect> WindowRect(WindowHandle window) override;
  std::optional<ScreenRect> ExtendedFrameBounds(WindowHandle window) override;
  std::optional<WindowPlacement> Placement(WindowHandle window) override;
  std::wstring WindowText(WindowHandle window, std::size_t bufferChars) override;
  WindowHandle ForegroundWindow() override;
  WindowHandle FindChildWindow(WindowHandle parent, const std::wstring& className) override;
  std::uint32_t CurrentProcessId() override;
  ProcessHandle OpenProcessForQuery(std::uint32_t processId) override;
  void CloseProcess(ProcessHandle process) override;
  std::optional<std::wstring> ProcessImagePath(ProcessHandle process, std::size_t bufferChars) override;
  long ApplicationUserModelId(ProcessHandle process, std::uint32_t& length, wchar_t* buffer) override;
  std::optional<std::wstring> ShellDisplayName(const std::wstring& path) override;
  std::wstring LowerCase(std::wstring text) override;
  std::wstring ExpandEnvironment(const std::wstring& text) override;
  WinEventHookHandle InstallWinEventHook(std::uint32_t eventMin, std::uint32_t eventMax) override;
  void RemoveWinEventHook(WinEventHookHandle hook) override;
  bool PostWindowMessage(WindowHandle window, std::uint32_t message) override;
  bool IsWindow(WindowHandle window) override;
  bool IsZoomed(WindowHandle window) override;
  void ShowWindowAsync(WindowHandle window, int command) override;
  void ShowWindow(WindowHandle window, int command) override;
  void BringWindowToTop(WindowHandle window) override;
  bool SetForegroundWindow(WindowHandle window) override;
  std::uint32_t WindowThreadId(WindowHandle window) override;
  std::uint32_t CurrentThreadId() override;
  bool AttachThreadInput(std::uint32_t thread, std::uint32_t toThread, bool attach) override;
  std::optional<ScreenRect> MonitorWorkArea(WindowHandle window) override;
  bool SetWindowPos(WindowHandle window, const ScreenRect& rect, std::uint32_t flags) override;
  unsigned SendKeyInputs(const std::vector<KeyStroke>& keys) override;

 private:
  // LONG GetApplicationUserModelId(HANDLE, UINT32* length, PWSTR buffer).
  using GetApplicationUserModelIdFn = LONG(WINAPI*)(HANDLE, UINT32*, PWSTR);
  GetApplicationUserModelIdFn getApplicationUserModelId_ = nullptr;
};

}  // namespace orvane
