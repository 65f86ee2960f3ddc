#include "app/FrameLoop.h"

#include <cmath>

namespace orvane {

double ClampFrameStep(double step) {
  if (!(step >= kMinFrameStep)) return kMinFrameStep;
  if (step > kMaxFrameStep) return kMaxFrameStep;
  return step;
}

void PaceFrame(FramePlatform& platform, double frameStart) {
  if (platform.HasCompositorClock() && platform.WaitForCompositorClock(kCompositorClockTimeoutMs)) return;
  // No compositor clock (before Windows 11) or its wait failed this frame.
  const double before = platform.NowSeconds();
  if (!platform.FlushComposition()) {
    platform.SleepMs(kFlushFailureSleepMs);  // keeps the loop from spinning
    return;
  }
  const double now = platform.NowSeconds();
  if (now - before >= kFlushWaitedSeconds) return;
  const double remaining = frameStart + kFallbackFramePeriod - now;
  if (remaining > 0) platform.SleepMs(static_cast<unsigned>(std::ceil(remaining * 1000)));
}

int RunFrameLoop(FramePlatform& platform, bool& framesRequested, const std::function<bool(float)>& frameStep) {
  double last = platform.NowSeconds();
  for (;;) {
    int exitCode = 0;
    if (framesRequested) {
      // All pending input first, so the frame sees the newest pointer position.
      if (platform.DispatchPending(exitCode)) return exitCode;
      const double now = platform.NowSeconds();
      const double step = ClampFrameStep(now - last);
      last = now;
      framesRequested = frameStep(static_cast<float>(step));
      PaceFrame(platform, now);
      continue;
    }

    switch (platform.WaitAndDispatch(exitCode)) {
      case FramePlatform::WaitResult::Quit: return exitCode;
      case FramePlatform::WaitResult::Failed: return 1;
      case FramePlatform::WaitResult::Dispatched: break;
    }
    last = platform.NowSeconds();
    // A handler started an animation: its first frame runs now, with a
    // nominal step, rather than after the next message arrives.
    if (framesRequested) framesRequested = frameStep(kFirstStepAfterIdle);
  }
}

}  // namespace orvane
