// orvane-probe: a small Windows console tool the end-to-end tests run under
// Wine to look at and poke the real programs.
//
//   orvane-probe wait-window CLASS TIMEOUT_MS     exit 0 once a window of CLASS exists
//   orvane-probe wait-gone CLASS TIMEOUT_MS       exit 0 once no window of CLASS exists
//   orvane-probe close-window CLASS TIMEOUT_MS    post WM_CLOSE, wait for the owner process to end,
//                                                 print "exit=<code>"
//   orvane-probe fatal-box EXE STAY_MS TIMEOUT_MS start EXE, wait for its message box, check it
//                                                 stays open STAY_MS, print its caption and text,
//                                                 press OK, print "exit=<code>"
//   orvane-probe window-pid CLASS                 print the process id owning the window of CLASS
//   orvane-probe apps [CACHE_DIR]                 refresh the window tracker and print one line per
//                                                 running app: key | display name | window count | title
//                                                 | icon WxH (through the icon cache in CACHE_DIR)
//   orvane-probe render                           draw through the graphics device and the Direct2D
//                                                 canvases and probe pixels; exit code = failures
//   orvane-probe wireless                         read Wi-Fi, Bluetooth and radios, scan, disconnect
//                                                 and try a join through the real adapters
//   orvane-probe shortcut LNK                     print the target, working folder, description
//                                                 and icon of a shell link
//   orvane-probe sysctl                           read the display, battery, recycle bin and volume
//                                                 and tint and restore the gamma ramp, one
//                                                 "name=value" line each
//   orvane-probe launch TARGET TIMEOUT_MS         describe TARGET, start it through the launcher, wait
//                                                 until the window tracker lists a new app with its
//                                                 executable name, bring it to the front, close it
//   orvane-probe dock-command LPARAM WPARAM [TIMEOUT_MS]
//                                                 send the dock's command message to its input window,
//                                                 print "result=N" or "result=none"
//   orvane-probe dock-windows                     print class, title, visibility, ex-style, rect and
//                                                 process of the dock's two windows and the primary
//                                                 monitor's rect
//   orvane-probe dock-notify display|theme       send the render window a display or theme change
//   orvane-probe status-icon LPARAM               post the status-area icon's callback to the render window
//   orvane-probe answer-box CAPTION yes|no TIMEOUT_MS
//                                                 answer the message box titled CAPTION
//   orvane-probe pointer rect|move X Y|click X Y  the input window's rect; the mouse as a user works it
//   orvane-probe right-click X Y                  press and release the right button at X, Y
//   orvane-probe drag X1 Y1 X2 Y2                 press the left button at X1, Y1, move to X2, Y2 in
//                                                 steps, release
//   orvane-probe key down|up KEY...               press or release keys (virtual-key codes or names
//                                                 such as alt, ctrl, shift, tab, escape, s)
//   orvane-probe type TEXT                        type TEXT as characters, whatever the keyboard layout
//   orvane-probe window-state CLASS               print "visible=0|1 iconic=0|1 rect=l,t,r,b
//                                                 exstyle=0x%08X" of the first window of CLASS, or
//                                                 "absent" (exit 1)
//   orvane-probe hold-file FILE RELEASE_FILE TIMEOUT_MS
//                                                 hold FILE open without sharing until RELEASE_FILE exists
//   orvane-probe weather-cities J1_FILE CITY1 CITY2
//                                                 the weather service over an HTTP fake that answers
//                                                 CITY1 from J1_FILE and fails CITY2; prints what each
//                                                 fetch left, "first-..." and "second-..." lines
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "DockProbe.h"
#include "FileHoldProbe.h"
#include "KeyboardProbe.h"
#include "CostProbe.h"
#include "PointerProbe.h"
#include "RenderProbe.h"
#include "ServicesProbe.h"
#include "SurfaceProbe.h"
#include "WirelessProbe.h"
#include "SystemControlsProbe.h"
#include "app/DataDirs.h"
#include "system/AppIdentity.h"
#include "system/IconExtractor.h"
#include "system/IconSources.h"
#include "system/LaunchTarget.h"
#include "system/Launcher.h"
#include "system/WindowActions.h"
#include "system/WindowTracker.h"
#include "system/win32/Win32LaunchPlatform.h"
#include "system/win32/Win32WindowSystem.h"

namespace {

void PrintUtf8(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
  std::fwrite(out.data(), 1, out.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

template <class Pred>
bool WaitFor(DWORD timeoutMs, Pred pred) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    if (pred()) return true;
    if (GetTickCount64() >= deadline) return false;
    Sleep(50);
  }
}

struct DialogSearch {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK FindDialogOfProcess(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<DialogSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  wchar_t cls[64] = {};
  GetClassNameW(hwnd, cls, 64);
  if (pid == search->pid && std::wcscmp(cls, L"#32770") == 0 && IsWindowVisible(hwnd)) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

std::wstring WindowText(HWND hwnd) {
  wchar_t text[1024] = {};
  GetWindowTextW(hwnd, text, 1024);
  return text;
}

BOOL CALLBACK CollectStaticText(HWND child, LPARAM param) {
  wchar_t cls[64] = {};
  GetClassNameW(child, cls, 64);
  if (_wcsicmp(cls, L"Static") == 0) {
    const std::wstring text = WindowText(child);
    if (!text.empty()) *reinterpret_cast<std::wstring*>(param) += text;
  }
  return TRUE;
}

int FatalBox(const wchar_t* exe, DWORD stayMs, DWORD timeoutMs) {
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  std::wstring commandLine = L"\"" + std::wstring(exe) + L"\"";
  if (!CreateProcessW(exe, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    std::printf("error=cannot start (%lu)\n", GetLastError());
    return 2;
  }
  DialogSearch search{pi.dwProcessId, nullptr};
  const bool shown = WaitFor(timeoutMs, [&] {
    search.found = nullptr;
    EnumWindows(&FindDialogOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr;
  });
  if (!shown) {
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    std::printf("box=none exit=%lu\n", code);
    TerminateProcess(pi.hProcess, 99);
    return 3;
  }
  Sleep(stayMs);
  const bool stayed = IsWindow(search.found) && IsWindowVisible(search.found);
  std::printf("box=%s\n", stayed ? "stayed" : "closed");
  PrintUtf8(L"caption=" + WindowText(search.found));
  std::wstring text;
  EnumChildWindows(search.found, &CollectStaticText, reinterpret_cast<LPARAM>(&text));
  PrintUtf8(L"text=" + text);
  PostMessageW(search.found, WM_COMMAND, IDOK, 0);
  if (WaitForSingleObject(pi.hProcess, timeoutMs) != WAIT_OBJECT_0) {
    std::printf("exit=timeout\n");
    TerminateProcess(pi.hProcess, 99);
    return 4;
  }
  DWORD code = 0;
  GetExitCodeProcess(pi.hProcess, &code);
  std::printf("exit=%lu\n", code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return stayed ? 0 : 5;
}

int CloseWindow(const wchar_t* cls, DWORD timeoutMs) {
  HWND hwnd = FindWindowW(cls, nullptr);
  if (hwnd == nullptr) {
    std::printf("error=no window\n");
    return 2;
  }
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  PostMessageW(hwnd, WM_CLOSE, 0, 0);
  if (process == nullptr) {
    std::printf("error=cannot open process\n");
    return 3;
  }
  if (WaitForSingleObject(process, timeoutMs) != WAIT_OBJECT_0) {
    std::printf("exit=timeout\n");
    CloseHandle(process);
    return 4;
  }
  DWORD code = 0;
  GetExitCodeProcess(process, &code);
  std::printf("exit=%lu\n", code);
  CloseHandle(process);
  return 0;
}

int WindowState(const wchar_t* cls) {
  HWND hwnd = FindWindowW(cls, nullptr);
  RECT rect{};
  if (hwnd == nullptr || !GetWindowRect(hwnd, &rect)) {
    std::printf("absent\n");
    return 1;
  }
  std::printf("visible=%d iconic=%d rect=%ld,%ld,%ld,%ld exstyle=0x%08lX\n", IsWindowVisible(hwnd) ? 1 : 0,
              IsIconic(hwnd) ? 1 : 0, rect.left, rect.top, rect.right, rect.bottom,
              static_cast<unsigned long>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE)));
  return 0;
}

// Brings the first window of the class to the front; prints "foreground=0|1".
int Activate(const wchar_t* cls) {
  HWND window = FindWindowW(cls, nullptr);
  if (window != nullptr) SetForegroundWindow(window);
  const bool front = window != nullptr && GetForegroundWindow() == window;
  std::printf("foreground=%d\n", front ? 1 : 0);
  return front ? 0 : 1;
}

// The foreground window's class, or "class=none".
int Foreground() {
  wchar_t name[256] = {};
  HWND window = GetForegroundWindow();
  if (window == nullptr || GetClassNameW(window, name, 256) == 0) {
    std::printf("class=none\n");
    return 1;
  }
  std::printf("class=%ls\n", name);
  return 0;
}

int Shortcut(const wchar_t* path) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IShellLinkW* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link)))) {
    std::printf("error=no shell link\n");
    return 2;
  }
  IPersistFile* file = nullptr;
  int rc = 3;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
      SUCCEEDED(file->Load(path, STGM_READ))) {
    wchar_t buffer[MAX_PATH * 2] = {};
    link->GetPath(buffer, MAX_PATH * 2, nullptr, SLGP_RAWPATH);
    PrintUtf8(L"target=" + std::wstring(buffer));
    buffer[0] = 0;
    link->GetWorkingDirectory(buffer, MAX_PATH * 2);
    PrintUtf8(L"workdir=" + std::wstring(buffer));
    buffer[0] = 0;
    link->GetDescription(buffer, MAX_PATH * 2);
    PrintUtf8(L"description=" + std::wstring(buffer));
    buffer[0] = 0;
    int icon = -1;
    link->GetIconLocation(buffer, MAX_PATH * 2, &icon);
    PrintUtf8(L"icon=" + std::wstring(buffer) + L"," + std::to_wstring(icon));
    rc = 0;
  } else {
    std::printf("error=cannot load\n");
  }
  if (file) file->Release();
  link->Release();
  CoUninitialize();
  return rc;
}

int Apps(const wchar_t* cacheDir) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (cacheDir != nullptr) {
    CreateDirectoryW(cacheDir, nullptr);
    orvane::SetCacheDirectory(cacheDir);
  }
  orvane::Win32WindowSystem system;
  orvane::WindowTracker tracker(system);
  tracker.Refresh();
  for (const auto& app : tracker.Apps()) {
    const orvane::IconImage icon = orvane::PlatformIconExtractor().ForRunningApp(
        app.windows.empty() ? orvane::kNoWindow : app.windows.front().hwnd, app.exePath, app.aumid, 48);
    PrintUtf8(app.key + L" | " + app.displayName + L" | " + std::to_wstring(app.windows.size()) + L" | " +
              (app.windows.empty() ? std::wstring() : app.windows.front().title) + L" | icon " +
              std::to_wstring(icon.width) + L"x" + std::to_wstring(icon.height));
  }
  PrintUtf8(L"frontmost=" + tracker.FrontmostAppName());
  return 0;
}

const orvane::TrackedApp* FindApp(const std::vector<orvane::TrackedApp>& apps, const std::wstring& key) {
  for (const auto& app : apps) {
    if (app.key == key) return &app;
  }
  return nullptr;
}

// Prints "described=", "launched=", "tracked=<key> | <name> | <windows>",
// "activated=" and "closed=" lines; exit 0 only when the app was tracked
// and closed again.
int Launch(const wchar_t* target, DWORD timeoutMs) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  orvane::Win32WindowSystem system;
  orvane::Win32LaunchPlatform platform;
  orvane::Launcher launcher(platform, system, orvane::PlatformIconSources());
  orvane::WindowTracker tracker(system);

  const orvane::LaunchTargetInfo info = orvane::DescribeLaunchTarget(system, orvane::PlatformIconSources(), target);
  PrintUtf8(L"described=" + info.name + L" | " + info.target + L" | " + info.exeNameLower);
  tracker.Refresh();
  std::vector<std::wstring> before;
  for (const auto& app : tracker.Apps()) before.push_back(app.key);

  const bool launched = launcher.Launch(target);
  std::printf("launched=%d\n", launched ? 1 : 0);
  std::wstring key;
  const bool tracked = launched && WaitFor(timeoutMs, [&] {
    tracker.Refresh();
    for (const auto& app : tracker.Apps()) {
      const bool isNew = std::find(before.begin(), before.end(), app.key) == before.end();
      if (isNew && !app.windows.empty() && orvane::FileNameOf(app.exePathLower) == info.exeNameLower) {
        key = app.key;
        return true;
      }
    }
    return false;
  });
  const orvane::TrackedApp* app = tracked ? FindApp(tracker.Apps(), key) : nullptr;
  if (app == nullptr) {
    std::printf("tracked=none\n");
    CoUninitialize();
    return 2;
  }
  PrintUtf8(L"tracked=" + app->key + L" | " + app->displayName + L" | " + std::to_wstring(app->windows.size()));
  const HWND window = orvane::ToHwnd(app->windows.front().hwnd);
  const bool activated = orvane::ActivateWindow(system, app->windows.front().hwnd);
  std::printf("activated=%d foreground=%d\n", activated ? 1 : 0, GetForegroundWindow() == window ? 1 : 0);

  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, app->windows.front().processId);
  PostMessageW(window, WM_CLOSE, 0, 0);
  const bool closed = process != nullptr && WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0;
  if (process != nullptr) CloseHandle(process);
  std::printf("closed=%d\n", closed ? 1 : 0);
  CoUninitialize();
  return closed ? 0 : 3;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: orvane-probe COMMAND ...\n");
    return 64;
  }
  const std::wstring command = argv[1];
  auto number = [&](int i) { return argc > i ? static_cast<DWORD>(_wtoi(argv[i])) : 5000u; };
  if (command == L"wait-window" && argc >= 3) {
    return WaitFor(number(3), [&] { return FindWindowW(argv[2], nullptr) != nullptr; }) ? 0 : 1;
  }
  if (command == L"wait-gone" && argc >= 3) {
    return WaitFor(number(3), [&] { return FindWindowW(argv[2], nullptr) == nullptr; }) ? 0 : 1;
  }
  if (command == L"window-pid" && argc >= 3) {
    HWND hwnd = FindWindowW(argv[2], nullptr);
    if (hwnd == nullptr) return 1;
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    std::printf("%lu\n", pid);
    return 0;
  }
  if (command == L"window-state" && argc >= 3) return WindowState(argv[2]);
  if (command == L"foreground") return Foreground();
  if (command == L"activate" && argc >= 3) return Activate(argv[2]);
  if (command == L"close-window" && argc >= 3) return CloseWindow(argv[2], number(3));
  if (command == L"fatal-box" && argc >= 3) return FatalBox(argv[2], number(3), argc > 4 ? number(4) : 20000u);
  if (command == L"shortcut" && argc >= 3) return Shortcut(argv[2]);
  if (command == L"launch" && argc >= 3) return Launch(argv[2], number(3));
  if (command == L"dock-command" && argc >= 4) return RunDockCommand(argv[2], argv[3], argc > 4 ? argv[4] : nullptr);
  if (command == L"dock-windows") return RunDockWindows();
  if (command == L"dock-notify" && argc >= 3) return RunDockNotify(argv[2]);
  if (command == L"status-icon" && argc >= 3) return RunStatusIcon(argv[2]);
  if (command == L"menubar-slot" && argc >= 3) return RunMenuBarSlot(argv[2]);
  if (command == L"answer-box" && argc >= 5) return RunAnswerBox(argv[2], argv[3], _wtoi(argv[4]));
  if (command == L"apps") return Apps(argc > 2 ? argv[2] : nullptr);
  if (command == L"render") {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const int failures = RunRenderProbe();
    CoUninitialize();
    return failures;
  }
  if (command == L"wireless") {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const int result = RunWirelessProbe();
    CoUninitialize();
    return result;
  }
  if (command == L"pointer") return RunPointerProbe(argc, argv);
  if (command == L"frame-count") return RunFrameCount();
  if (command == L"sweep" && argc >= 3) return RunPointerSweep(_wtoi(argv[2]));
  if (command == L"floor" && argc >= 5) return RunFloorProgram(_wtoi(argv[2]), _wtoi(argv[3]), _wtoi(argv[4]));
  if (command == L"surface") return RunSurfaceProbe();
  if (command == L"hold-file" && argc >= 4) return RunFileHoldProbe(argv[2], argv[3], number(4));
  if (command == L"weather-cities" && argc >= 5) return RunWeatherCitiesProbe(argv[2], argv[3], argv[4]);
  if (command == L"right-click" && argc >= 4) return RunRightClick(_wtoi(argv[2]), _wtoi(argv[3]));
  if (command == L"drag" && argc >= 6) return RunDrag(_wtoi(argv[2]), _wtoi(argv[3]), _wtoi(argv[4]), _wtoi(argv[5]));
  if (command == L"key" && argc >= 4) return RunKeyProbe(argv[2], argc - 3, argv + 3);
  if (command == L"type" && argc >= 3) return RunTypeProbe(argv[2]);
  if (command == L"sysctl") {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const int rc = RunSystemControlsProbe();
    CoUninitialize();
    return rc;
  }
  std::fprintf(stderr, "unknown command\n");
  return 64;
}
