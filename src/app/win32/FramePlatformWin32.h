#pragma once
// The frame loop's platform on Windows: the thread's message queue, the
// performance counter, and frame pacing by the compositor clock (Windows 11)
// or DwmFlush.

#include <windows.h>

#include "app/FrameLoop.h"

namespace orvane {

// DCompositionWaitForCompositorClock(count, handles, timeoutMs).
using CompositorClockWait = DWORD(WINAPI*)(UINT, const HANDLE*, DWORD);

class Win32FramePlatform : public FramePlatform {
 public:
  using CompositorClockWait = ::orvane::CompositorClockWait;

  // wait may be null: pacing then uses DwmFlush.
  Win32FramePlatform(double secondsPerTick, CompositorClockWait wait);

  // Loads dcomp.dll from System32 (kept loaded for the life of the process)
  // and returns DCompositionWaitForCompositorClock, or null where the DLL or
  // the export is missing (before Windows 11).
  static CompositorClockWait LookUpCompositorClock();

  bool DispatchPending(int& exitCode) override;
  WaitResult WaitAndDispatch(int& exitCode) override;
  double NowSeconds() override;
  bool HasCompositorClock() override;
  bool WaitForCompositorClock(unsigned timeoutMs) override;
  bool FlushComposition() override;
  void SleepMs(unsigned ms) override;

 private:
  double secondsPerTick_;
  CompositorClockWait wait_;
};

}  // namespace orvane
