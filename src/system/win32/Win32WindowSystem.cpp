#include "system/win32/Win32WindowSystem.h"

#include <dwmapi.h>
#include <shellapi.h>

#include "app/TextUtil.h"
#include "platform/win32/SystemProc.h"
#include "system/WindowTracker.h"

namespace orvane {
namespace {

BOOL CALLBACK VisitWindow(HWND window, LPARAM context) {
  const auto& visit = *reinterpret_cast<const std::function<bool(WindowHandle)>*>(context);
  return visit(FromHwnd(window)) ? TRUE : FALSE;
}

// Out-of-context hooks run on the installing (UI) thread's message loop.
void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG objectId, LONG childId, DWORD, DWORD) {
  WindowTracker::DispatchWinEvent(event, FromHwnd(window), objectId, childId);
}

ScreenRect FromRect(const RECT& rect) { return ScreenRect{rect.left, rect.top, rect.right, rect.bottom}; }

HANDLE ToHandle(ProcessHandle process) { return reinterpret_cast<HANDLE>(process); }

}  // namespace

Win32WindowSystem::Win32WindowSystem() {
  getApplicationUserModelId_ =
      LoadSystemProc<GetApplicationUserModelIdFn>(L"kernel32.dll", "GetApplicationUserModelId");
}

void Win32WindowSystem::EnumerateTopLevelWindows(const std::function<bool(WindowHandle)>& visit) {
  EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&visit));
}

bool Win32WindowSystem::IsVisible(WindowHandle window) { return IsWindowVisible(ToHwnd(window)) != FALSE; }

std::uint32_t Win32WindowSystem::ProcessIdOf(WindowHandle window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(ToHwnd(window), &processId);
  return processId;
}

std::uint32_t Win32WindowSystem::ExtendedStyle(WindowHandle window) {
  return static_cast<std::uint32_t>(GetWindowLongPtrW(ToHwnd(window), GWL_EXSTYLE));
}

WindowHandle Win32WindowSystem::Owner(WindowHandle window) { return FromHwnd(GetWindow(ToHwnd(window), GW_OWNER)); }

std::optional<std::uint32_t> Win32WindowSystem::CloakedState(WindowHandle window) {
  DWORD cloaked = 0;
  if (FAILED(DwmGetWindowAttribute(ToHwnd(window), DWMWA_CLOAKED, &cloaked, sizeof(cloaked)))) return std::nullopt;
  return cloaked;
}

std::wstring Win32WindowSystem::ClassName(WindowHandle window, std::size_t bufferChars) {
  if (bufferChars == 0) return std::wstring();
  std::wstring name(bufferChars, L'\0');
  const int length = GetClassNameW(ToHwnd(window), name.data(), static_cast<int>(bufferChars));
  name.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  return name;
}

bool Win32WindowSystem::IsIconic(WindowHandle window) { return ::IsIconic(ToHwnd(window)) != FALSE; }

std::optional<ScreenRect> Win32WindowSystem::WindowRect(WindowHandle window) {
  RECT rect{};
  if (!GetWindowRect(ToHwnd(window), &rect)) return std::nullopt;
  return FromRect(rect);
}

std::optional<ScreenRect> Win32WindowSystem::ExtendedFrameBounds(WindowHandle window) {
  RECT rect{};
  if (FAILED(DwmGetWindowAttribute(ToHwnd(window), DWMWA_EXTENDED_FRAME_BOUNDS, &rect, sizeof(rect)))) {
    return std::nullopt;
  }
  return FromRect(rect);
}

std::optional<WindowPlacement> Win32WindowSystem::Placement(WindowHandle window) {
  const HWND hwnd = ToHwnd(window);
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  if (!GetWindowPlacement(hwnd, &placement)) return std::nullopt;
  RECT normal = placement.rcNormalPosition;
  // A top-level window without WS_EX_TOOLWINDOW gets workspace coordinates,
  // whose origin is the top-left corner of its monitor's work area. For a
  // minimised window MonitorFromWindow goes by its restored rectangle.
  const bool workspace = (GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) == 0 &&
                         GetAncestor(hwnd, GA_PARENT) == GetDesktopWindow();
  if (workspace) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    const HMONITOR monitor = MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST);
    if (monitor != nullptr && GetMonitorInfoW(monitor, &info)) {
      OffsetRect(&normal, info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top);
    }
  }
  return WindowPlacement{FromRect(normal), (placement.flags & WPF_RESTORETOMAXIMIZED) != 0};
}

std::wstring Win32WindowSystem::WindowText(WindowHandle window, std::size_t bufferChars) {
  if (bufferChars == 0) return std::wstring();
  std::wstring text(bufferChars, L'\0');
  const int length = GetWindowTextW(ToHwnd(window), text.data(), static_cast<int>(bufferChars));
  text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  return text;
}

WindowHandle Win32WindowSystem::ForegroundWindow() { return FromHwnd(GetForegroundWindow()); }

WindowHandle Win32WindowSystem::FindChildWindow(WindowHandle parent, const std::wstring& className) {
  return FromHwnd(FindWindowExW(ToHwnd(parent), nullptr, className.c_str(), nullptr));
}

std::uint32_t Win32WindowSystem::CurrentProcessId() { return GetCurrentProcessId(); }

ProcessHandle Win32WindowSystem::OpenProcessForQuery(std::uint32_t processId) {
  return reinterpret_cast<ProcessHandle>(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
}

void Win32WindowSystem::CloseProcess(ProcessHandle process) { CloseHandle(ToHandle(process)); }

std::optional<std::wstring> Win32WindowSystem::ProcessImagePath(ProcessHandle process, std::size_t bufferChars) {
  std::wstring path(bufferChars, L'\0');
  DWORD size = static_cast<DWORD>(bufferChars);
  if (!QueryFullProcessImageNameW(ToHandle(process), 0, path.data(), &size)) return std::nullopt;
  path.resize(size);
  return path;
}

long Win32WindowSystem::ApplicationUserModelId(ProcessHandle process, std::uint32_t& length, wchar_t* buffer) {
  if (getApplicationUserModelId_ == nullptr) return ERROR_PROC_NOT_FOUND;
  UINT32 size = length;
  const LONG result = getApplicationUserModelId_(ToHandle(process), &size, buffer);
  length = size;
  return result;
}

std::optional<std::wstring> Win32WindowSystem::ShellDisplayName(const std::wstring& path) {
  SHFILEINFOW info{};
  if (SHGetFileInfoW(path.c_str(), 0, &info, sizeof(info), SHGFI_DISPLAYNAME) == 0) return std::nullopt;
  return std::wstring(info.szDisplayName);
}

std::wstring Win32WindowSystem::LowerCase(std::wstring text) {
  if (!text.empty()) CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

std::wstring Win32WindowSystem::ExpandEnvironment(const std::wstring& text) { return ::orvane::ExpandEnvironment(text); }

WinEventHookHandle Win32WindowSystem::InstallWinEventHook(std::uint32_t eventMin, std::uint32_t eventMax) {
  const HWINEVENTHOOK hook = SetWinEventHook(eventMin, eventMax, nullptr, OnWinEvent, 0, 0,
                                             WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
  return reinterpret_cast<WinEventHookHandle>(hook);
}

void Win32WindowSystem::RemoveWinEventHook(WinEventHookHandle hook) {
  UnhookWinEvent(reinterpret_cast<HWINEVENTHOOK>(hook));
}

bool Win32WindowSystem::PostWindowMessage(WindowHandle window, std::uint32_t message) {
  return PostMessageW(ToHwnd(window), message, 0, 0) != FALSE;
}

bool Win32WindowSystem::IsWindow(WindowHandle window) { return ::IsWindow(ToHwnd(window)) != FALSE; }

bool Win32WindowSystem::IsZoomed(WindowHandle window) { return ::IsZoomed(ToHwnd(window)) != FALSE; }

void Win32WindowSystem::ShowWindowAsync(WindowHandle window, int command) { ::ShowWindowAsync(ToHwnd(window), command); }

void Win32WindowSystem::ShowWindow(WindowHandle window, int command) { ::ShowWindow(ToHwnd(window), command); }

void Win32WindowSystem::BringWindowToTop(WindowHandle window) { ::BringWindowToTop(ToHwnd(window)); }

bool Win32WindowSystem::SetForegroundWindow(WindowHandle window) {
  return ::SetForegroundWindow(ToHwnd(window)) != FALSE;
}

std::uint32_t Win32WindowSystem::WindowThreadId(WindowHandle window) {
  return GetWindowThreadProcessId(ToHwnd(window), nullptr);
}

std::uint32_t Win32WindowSystem::CurrentThreadId() { return GetCurrentThreadId(); }

bool Win32WindowSystem::AttachThreadInput(std::uint32_t thread, std::uint32_t toThread, bool attach) {
  return ::AttachThreadInput(thread, toThread, attach ? TRUE : FALSE) != FALSE;
}

std::optional<ScreenRect> Win32WindowSystem::MonitorWorkArea(WindowHandle window) {
  const HMONITOR monitor = MonitorFromWindow(ToHwnd(window), MONITOR_DEFAULTTONEAREST);
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (monitor == nullptr || !GetMonitorInfoW(monitor, &info)) return std::nullopt;
  return FromRect(info.rcWork);
}

bool Win32WindowSystem::SetWindowPos(WindowHandle window, const ScreenRect& rect, std::uint32_t flags) {
  return ::SetWindowPos(ToHwnd(window), nullptr, rect.left, rect.top, rect.Width(), rect.Height(), flags) != FALSE;
}

unsigned Win32WindowSystem::SendKeyInputs(const std::vector<KeyStroke>& keys) {
  std::vector<INPUT> inputs(keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) {
    inputs[i].type = INPUT_KEYBOARD;
    inputs[i].ki.wVk = keys[i].virtualKey;
    inputs[i].ki.dwFlags = keys[i].keyUp ? KEYEVENTF_KEYUP : 0;
  }
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace orvane
