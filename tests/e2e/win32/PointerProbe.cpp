#include "PointerProbe.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

int PrintInputRect() {
  HWND input = FindWindowW(L"OrvaneInputWindow", nullptr);
  RECT rect{};
  if (input == nullptr || !GetWindowRect(input, &rect)) {
    std::printf("input=none\n");
    return 1;
  }
  std::printf("input=%ld,%ld,%ld,%ld\n", rect.left, rect.top, rect.right, rect.bottom);
  return 0;
}

bool SendButton(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  return SendInput(1, &input, sizeof(INPUT)) == 1;
}

// An absolute move through SendInput, so the window under the pointer gets
// its mouse-move as from a real device.
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

// Moves in even steps, pausing between them as a hand does, so the window
// under the pointer sees a path rather than a jump.
bool Glide(int x1, int y1, int x2, int y2, int steps) {
  for (int i = 1; i <= steps; ++i) {
    if (!MoveTo(x1 + (x2 - x1) * i / steps, y1 + (y2 - y1) * i / steps)) return false;
    Sleep(40);
  }
  return true;
}

bool Click(int x, int y, DWORD down, DWORD up) {
  if (!MoveTo(x, y)) return false;
  Sleep(100);
  const bool pressed = SendButton(down);
  Sleep(60);
  const bool released = SendButton(up);
  return pressed && released;
}

}  // namespace

int RunPointerProbe(int argc, wchar_t** argv) {
  const std::wstring action = argc > 2 ? argv[2] : L"";
  if (action == L"rect") return PrintInputRect();
  if (argc < 5) return 64;
  const int x = _wtoi(argv[3]), y = _wtoi(argv[4]);
  if (action == L"move") return MoveTo(x, y) ? 0 : 1;
  if (action == L"click") return Click(x, y, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP) ? 0 : 1;
  return 64;
}

int RunRightClick(int x, int y) { return Click(x, y, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP) ? 0 : 1; }

int RunDrag(int x1, int y1, int x2, int y2) {
  if (!MoveTo(x1, y1)) return 1;
  Sleep(100);
  if (!SendButton(MOUSEEVENTF_LEFTDOWN)) return 1;
  Sleep(100);
  const bool moved = Glide(x1, y1, x2, y2, 12);
  Sleep(100);
  // The button goes up even when a move failed, so no press is left behind.
  const bool released = SendButton(MOUSEEVENTF_LEFTUP);
  return moved && released ? 0 : 1;
}
