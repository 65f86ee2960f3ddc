#include "PointerProbe.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

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

// Presses the virtual keys in order and releases them in reverse, as a user
// types a shortcut.
bool SendChord(const std::vector<WORD>& keys) {
  std::vector<INPUT> inputs;
  for (const WORD key : keys) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    inputs.push_back(input);
  }
  for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = *it;
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(input);
  }
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

}  // namespace

int RunPointerProbe(int argc, wchar_t** argv) {
  const std::wstring action = argc > 2 ? argv[2] : L"";
  if (action == L"rect") return PrintInputRect();
  if (action == L"keys") {
    std::vector<WORD> keys;
    for (int i = 3; i < argc; ++i) keys.push_back(static_cast<WORD>(_wtoi(argv[i])));
    return !keys.empty() && SendChord(keys) ? 0 : 1;
  }
  if (argc < 5) return 64;
  const int x = _wtoi(argv[3]), y = _wtoi(argv[4]);
  if (action == L"move") return MoveTo(x, y) ? 0 : 1;
  if (action == L"click") {
    if (!MoveTo(x, y)) return 1;
    Sleep(100);
    const bool down = SendButton(MOUSEEVENTF_LEFTDOWN);
    Sleep(60);
    const bool up = SendButton(MOUSEEVENTF_LEFTUP);
    return down && up ? 0 : 1;
  }
  return 64;
}
