#include "DockProbe.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "app/TextUtil.h"
#include "platform/MessageIds.h"

namespace {

// The dock's public command message; other programs send it by this value.
constexpr UINT kDockCommand = orvane::kDockCommandMessage;

void PrintRect(const char* prefix, const RECT& r) {
  std::printf("%s%ld,%ld,%ld,%ld", prefix, r.left, r.top, r.right, r.bottom);
}

bool DescribeWindow(const wchar_t* cls) {
  const std::string name = orvane::WideToUtf8(cls);
  HWND hwnd = FindWindowW(cls, nullptr);
  if (hwnd == nullptr) {
    std::printf("%s none\n", name.c_str());
    return false;
  }
  wchar_t title[256] = {};
  GetWindowTextW(hwnd, title, 256);
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  const auto exStyle = static_cast<unsigned long>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE));
  std::printf("%s title=%s visible=%d exstyle=0x%08lX", name.c_str(), orvane::WideToUtf8(title).c_str(),
              IsWindowVisible(hwnd) ? 1 : 0, exStyle);
  PrintRect(" rect=", rect);
  std::printf(" pid=%lu\n", pid);
  return true;
}

}  // namespace

int RunDockCommand(const wchar_t* action, const wchar_t* index, const wchar_t* timeoutMs) {
  // Both are parsed at full width so out-of-range indices (e.g. 2^64 - 1)
  // reach the dock unchanged.
  const auto lParam = static_cast<LPARAM>(_wcstoi64(action, nullptr, 10));
  const auto wParam = static_cast<WPARAM>(_wcstoui64(index, nullptr, 10));
  const UINT timeout = timeoutMs != nullptr ? static_cast<UINT>(_wtoi(timeoutMs)) : 5000u;
  HWND input = FindWindowW(L"OrvaneInputWindow", nullptr);
  DWORD_PTR result = 0;
  if (input == nullptr ||
      SendMessageTimeoutW(input, kDockCommand, wParam, lParam, SMTO_ABORTIFHUNG, timeout, &result) == 0) {
    std::printf("result=none\n");
    std::fflush(stdout);
    return 1;
  }
  std::printf("result=%lld\n", static_cast<long long>(result));
  std::fflush(stdout);
  return 0;
}

int RunDockWindows() {
  const bool render = DescribeWindow(L"OrvaneRenderWindow");
  const bool input = DescribeWindow(L"OrvaneInputWindow");
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
  PrintRect("monitor=", info.rcMonitor);
  std::printf("\n");
  std::fflush(stdout);
  return render && input ? 0 : 1;
}

int RunDockNotify(const wchar_t* what) {
  HWND render = FindWindowW(L"OrvaneRenderWindow", nullptr);
  const std::wstring kind = what != nullptr ? what : L"";
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  if (kind == L"display") {
    message = WM_DISPLAYCHANGE;
    wParam = 32;
    lParam = MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  } else if (kind == L"theme") {
    message = WM_SETTINGCHANGE;
    lParam = reinterpret_cast<LPARAM>(L"ImmersiveColorSet");
  } else {
    return 64;
  }
  DWORD_PTR result = 0;
  const bool answered = render != nullptr &&
                        SendMessageTimeoutW(render, message, wParam, lParam, SMTO_ABORTIFHUNG, 10000, &result) != 0;
  std::printf("answered=%d\n", answered ? 1 : 0);
  std::fflush(stdout);
  return answered ? 0 : 1;
}

int RunStatusIcon(const wchar_t* lParam) {
  HWND render = FindWindowW(L"OrvaneRenderWindow", nullptr);
  // Posted, as the shell does: the dock answers after this program has gone on.
  const bool posted = render != nullptr && PostMessageW(render, 0x8001, 1001, static_cast<LPARAM>(_wtoi(lParam))) != 0;
  std::printf("posted=%d\n", posted ? 1 : 0);
  std::fflush(stdout);
  return posted ? 0 : 1;
}

int RunAnswerBox(const wchar_t* caption, const wchar_t* answer, int timeoutMs) {
  const std::wstring choice = answer;
  const int button = choice == L"yes" ? IDYES : choice == L"ok" ? IDOK : IDNO;
  HWND box = nullptr;
  for (int waited = 0; waited <= timeoutMs && box == nullptr; waited += 100) {
    box = FindWindowW(L"#32770", caption);
    if (box == nullptr) Sleep(100);
  }
  if (box != nullptr) PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
  std::printf("answered=%d\n", box != nullptr ? 1 : 0);
  std::fflush(stdout);
  return box != nullptr ? 0 : 1;
}

int RunMenuBarSlot(const wchar_t* kind) {
  HWND bar = FindWindowW(L"OrvaneMenuBar", nullptr);
  RECT rect{};
  DWORD_PTR left = 0, width = 0;
  const auto slot = static_cast<WPARAM>(_wtoi(kind));
  if (bar == nullptr || !GetWindowRect(bar, &rect) ||
      SendMessageTimeoutW(bar, orvane::kMenuBarSlotQueryMessage, slot, 0, SMTO_ABORTIFHUNG, 5000, &left) == 0 ||
      SendMessageTimeoutW(bar, orvane::kMenuBarSlotQueryMessage, slot, 1, SMTO_ABORTIFHUNG, 5000, &width) == 0) {
    std::printf("slot=none\n");
    std::fflush(stdout);
    return 1;
  }
  const auto x = static_cast<LONG_PTR>(left), w = static_cast<LONG_PTR>(width);
  if (x < 0 || w < 0) {
    std::printf("slot=absent\n");
  } else {
    // Screen pixels: the slot's left edge, its width and the bar's bottom.
    std::printf("left=%ld width=%ld bottom=%ld\n", static_cast<long>(rect.left + x), static_cast<long>(w),
                rect.bottom);
  }
  std::fflush(stdout);
  return 0;
}
