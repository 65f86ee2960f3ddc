#include "app/win32/FramePlatformWin32.h"

#include <dwmapi.h>

#include "platform/win32/SystemProc.h"

namespace orvane {

Win32FramePlatform::Win32FramePlatform(double secondsPerTick, CompositorClockWait wait)
    : secondsPerTick_(secondsPerTick), wait_(wait) {}

Win32FramePlatform::CompositorClockWait Win32FramePlatform::LookUpCompositorClock() {
  return LoadSystemProc<CompositorClockWait>(L"dcomp.dll", "DCompositionWaitForCompositorClock");
}

bool Win32FramePlatform::DispatchPending(int& exitCode) {
  MSG msg{};
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      exitCode = static_cast<int>(msg.wParam);
      return true;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return false;
}

FramePlatform::WaitResult Win32FramePlatform::WaitAndDispatch(int& exitCode) {
  MSG msg{};
  const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
  if (got == 0) {
    exitCode = static_cast<int>(msg.wParam);
    return WaitResult::Quit;
  }
  if (got == -1) return WaitResult::Failed;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return WaitResult::Dispatched;
}

double Win32FramePlatform::NowSeconds() {
  LARGE_INTEGER counter{};
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * secondsPerTick_;
}

bool Win32FramePlatform::HasCompositorClock() { return wait_ != nullptr; }

bool Win32FramePlatform::WaitForCompositorClock(unsigned timeoutMs) {
  if (wait_ == nullptr) return false;
  return wait_(0, nullptr, timeoutMs) != 0xFFFFFFFF;
}

bool Win32FramePlatform::FlushComposition() { return SUCCEEDED(DwmFlush()); }

void Win32FramePlatform::SleepMs(unsigned ms) { Sleep(ms); }

}  // namespace orvane
