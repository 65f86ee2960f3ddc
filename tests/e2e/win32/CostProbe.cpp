#include "CostProbe.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "render/win32/GraphicsDevice.h"
#include "platform/MessageIds.h"
#include "render/win32/LayeredWindow.h"

namespace {

bool MoveTo(int x, int y) {
  SetCursorPos(x, y);
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  if (width <= 1 || height <= 1) return false;
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = static_cast<LONG>((x * 65535LL) / (width - 1));
  input.mi.dy = static_cast<LONG>((y * 65535LL) / (height - 1));
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  return SendInput(1, &input, sizeof(INPUT)) == 1;
}

}  // namespace

int RunPointerSweep(int seconds) {
  HWND input = FindWindowW(L"OrvaneInputWindow", nullptr);
  RECT rect{};
  if (input == nullptr || !GetWindowRect(input, &rect) || rect.right - rect.left < 4) {
    std::printf("sweep=no-dock\n");
    return 1;
  }
  // Across the plate at its middle height, a little inside both ends; the
  // plate grows under the pointer, so the input window is read again at
  // each turn.
  const int y = (rect.top + rect.bottom) / 2;
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
  int x = rect.left + 4, direction = 1, steps = 0;
  while (GetTickCount64() < end) {
    if (!MoveTo(x, y)) return 1;
    ++steps;
    Sleep(16);
    x += direction * 6;
    if (x >= rect.right - 4 || x <= rect.left + 4) {
      direction = -direction;
      GetWindowRect(input, &rect);
      x = direction > 0 ? rect.left + 4 : rect.right - 4;
    }
  }
  // Off the dock, so it settles before the next measurement.
  MoveTo(GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 3);
  std::printf("sweep=%d\n", steps);
  return 0;
}

int RunFloorProgram(int width, int height, int seconds) {
  if (width <= 0 || height <= 0) return 64;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  orvane::GraphicsDevice device;
  try {
    device.Create();
  } catch (...) {
    std::printf("floor=no-device\n");
    return 1;
  }
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"OrvaneFloorWindow";
  RegisterClassExW(&wc);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  HWND window = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE,
                                wc.lpszClassName, L"", WS_POPUP, 0, screenHeight - height, width, height, nullptr,
                                nullptr, wc.hInstance, nullptr);
  if (window == nullptr) return 1;
  ShowWindow(window, SW_SHOWNOACTIVATE);
  // A faint strip, so the window is composed like the dock's.
  std::vector<std::uint8_t> pixels(static_cast<size_t>(width) * height * 4, 0x20);
  if (!orvane::ShowLayeredFrame(window, width, height, pixels.data(), width * 4)) return 1;
  std::printf("ready\n");
  std::fflush(stdout);
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
  for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  DestroyWindow(window);
  return 0;
}

int RunFrameCount() {
  HWND render = FindWindowW(L"OrvaneRenderWindow", nullptr);
  DWORD_PTR frames = 0;
  if (render == nullptr ||
      SendMessageTimeoutW(render, orvane::kFrameCountQueryMessage, 0, 0, SMTO_ABORTIFHUNG, 5000, &frames) == 0) {
    std::printf("frames=none\n");
    return 1;
  }
  std::printf("frames=%llu\n", static_cast<unsigned long long>(frames));
  return 0;
}
