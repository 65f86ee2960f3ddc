#pragma once
// What the window tracker and the window actions ask of the platform:
// top-level windows in Z order and their attributes, the processes behind
// them, the shell's display name of a file, lower-casing, environment
// expansion, WinEvent hooks, posting a message, activating, showing and
// placing windows and injecting keys. Windows: win32/Win32WindowSystem; tests and the preview tool:
// FakeWindowSystem. Each call answers what the matching Win32 call answers,
// with std::nullopt where the Win32 call can fail and the caller cares.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "system/WindowHandle.h"

namespace orvane {

// Extended window style bits the filters read (WS_EX_*).
inline constexpr std::uint32_t kExStyleToolWindow = 0x00000080;
inline constexpr std::uint32_t kExStyleAppWindow = 0x00040000;
inline constexpr std::uint32_t kExStyleNoActivate = 0x08000000;

// Win32 error codes of GetApplicationUserModelId.
inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorInsufficientBuffer = 122;
inline constexpr long kAppModelErrorNoApplication = 15703;

// ShowWindow / ShowWindowAsync commands (SW_*).
inline constexpr int kShowMaximized = 3;
inline constexpr int kShowMinimize = 6;
inline constexpr int kShowRestore = 9;

// SetWindowPos flags (SWP_*).
inline constexpr std::uint32_t kSwpNoZOrder = 0x0004;
inline constexpr std::uint32_t kSwpShowWindow = 0x0040;

// GetWindowPlacement's answer, in screen coordinates.
struct WindowPlacement {
  ScreenRect normal;               // rcNormalPosition: the window's rectangle when restored
  bool restoresMaximized = false;  // WPF_RESTORETOMAXIMIZED: the minimised window comes back maximised
  bool operator==(const WindowPlacement&) const = default;
};

// One keyboard input for SendInput: a virtual-key code, pressed or released.
struct KeyStroke {
  std::uint16_t virtualKey = 0;
  bool keyUp = false;
  bool operator==(const KeyStroke&) const = default;
};
inline constexpr std::uint16_t kVirtualKeyLeftWindows = 0x5B;  // VK_LWIN

using ProcessHandle = std::uintptr_t;       // 0: the process could not be opened
using WinEventHookHandle = std::uintptr_t;  // 0: the hook was not installed

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // --- windows ---------------------------------------------------------------
  // EnumWindows: top-level windows, topmost first, until visit returns false.
  virtual void EnumerateTopLevelWindows(const std::function<bool(WindowHandle)>& visit) = 0;
  virtual bool IsVisible(WindowHandle window) = 0;               // IsWindowVisible
  virtual std::uint32_t ProcessIdOf(WindowHandle window) = 0;    // GetWindowThreadProcessId, 0 on failure
  virtual std::uint32_t ExtendedStyle(WindowHandle window) = 0;  // GetWindowLongPtrW(GWL_EXSTYLE)
  virtual WindowHandle Owner(WindowHandle window) = 0;           // GetWindow(GW_OWNER)
  // DwmGetWindowAttribute(DWMWA_CLOAKED); nullopt when the call fails.
  virtual std::optional<std::uint32_t> CloakedState(WindowHandle window) = 0;
  // GetClassNameW into a buffer of bufferChars (so at most bufferChars - 1
  // characters); "" on failure.
  virtual std::wstring ClassName(WindowHandle window, std::size_t bufferChars) = 0;
  virtual bool IsIconic(WindowHandle window) = 0;
  virtual std::optional<ScreenRect> WindowRect(WindowHandle window) = 0;           // GetWindowRect
  virtual std::optional<ScreenRect> ExtendedFrameBounds(WindowHandle window) = 0;  // DWMWA_EXTENDED_FRAME_BOUNDS
  // GetWindowPlacement, rcNormalPosition turned from workspace into screen
  // coordinates; nullopt when the call fails.
  virtual std::optional<WindowPlacement> Placement(WindowHandle window) = 0;
  // GetWindowTextW into a buffer of bufferChars; "" on failure.
  virtual std::wstring WindowText(WindowHandle window, std::size_t bufferChars) = 0;
  virtual WindowHandle ForegroundWindow() = 0;
  // FindWindowExW(parent, null, className, null): the first direct child of that class.
  virtual WindowHandle FindChildWindow(WindowHandle parent, const std::wstring& className) = 0;
  virtual std::uint32_t CurrentProcessId() = 0;

  // --- processes ---------------------------------------------------------------
  // OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION); every non-zero handle is
  // closed again with CloseProcess.
  virtual ProcessHandle OpenProcessForQuery(std::uint32_t processId) = 0;
  virtual void CloseProcess(ProcessHandle process) = 0;
  // QueryFullProcessImageNameW(flags 0) into a buffer of bufferChars.
  virtual std::optional<std::wstring> ProcessImagePath(ProcessHandle process, std::size_t bufferChars) = 0;
  // GetApplicationUserModelId exactly: length is the buffer's size in
  // characters on input and the size needed (terminator included) on output;
  // buffer may be null. Returns a Win32 error code.
  virtual long ApplicationUserModelId(ProcessHandle process, std::uint32_t& length, wchar_t* buffer) = 0;

  // --- shell and text ------------------------------------------------------------
  // SHGetFileInfoW(SHGFI_DISPLAYNAME); nullopt when the call fails.
  virtual std::optional<std::wstring> ShellDisplayName(const std::wstring& path) = 0;
  virtual std::wstring LowerCase(std::wstring text) = 0;                  // CharLowerBuffW
  virtual std::wstring ExpandEnvironment(const std::wstring& text) = 0;  // ExpandEnvironmentStringsW

  // --- events ------------------------------------------------------------------------
  // An out-of-context WinEvent hook on [eventMin, eventMax] for all processes
  // and threads except this process. Events reach WindowTracker::DispatchWinEvent.
  virtual WinEventHookHandle InstallWinEventHook(std::uint32_t eventMin, std::uint32_t eventMax) = 0;
  virtual void RemoveWinEventHook(WinEventHookHandle hook) = 0;
  // PostMessageW(window, message, 0, 0); false when the post failed.
  virtual bool PostWindowMessage(WindowHandle window, std::uint32_t message) = 0;

  // --- window actions ------------------------------------------------------------------
  virtual bool IsWindow(WindowHandle window) = 0;
  virtual bool IsZoomed(WindowHandle window) = 0;
  virtual void ShowWindowAsync(WindowHandle window, int command) = 0;
  virtual void ShowWindow(WindowHandle window, int command) = 0;
  virtual void BringWindowToTop(WindowHandle window) = 0;
  // SetForegroundWindow; false when the system refused (foreground lock).
  virtual bool SetForegroundWindow(WindowHandle window) = 0;
  virtual std::uint32_t WindowThreadId(WindowHandle window) = 0;  // GetWindowThreadProcessId, 0 on failure
  virtual std::uint32_t CurrentThreadId() = 0;
  virtual bool AttachThreadInput(std::uint32_t thread, std::uint32_t toThread, bool attach) = 0;
  // The work area of the monitor nearest the window (MonitorFromWindow,
  // GetMonitorInfoW); nullopt when the monitor information cannot be read.
  virtual std::optional<ScreenRect> MonitorWorkArea(WindowHandle window) = 0;
  // SetWindowPos(window, null, ...); false when it failed.
  virtual bool SetWindowPos(WindowHandle window, const ScreenRect& rect, std::uint32_t flags) = 0;
  // SendInput of keyboard inputs; the number of inputs injected.
  virtual unsigned SendKeyInputs(const std::vector<KeyStroke>& keys) = 0;
};

}  // namespace orvane
