#pragma once
// The one message loop of the process and its frame pacing, free of the
// platform. While nothing animates the loop blocks in the message wait; while
// frames are requested it pumps every pending message, advances the
// animations by the measured (clamped) frame time and waits for the next
// composition frame.

#include <functional>

namespace orvane {

inline constexpr double kMinFrameStep = 0.0001;
inline constexpr double kMaxFrameStep = 0.05;
inline constexpr float kFirstStepAfterIdle = 0.008333334f;  // 1/120 s
inline constexpr unsigned kCompositorClockTimeoutMs = 50;
inline constexpr unsigned kFlushFailureSleepMs = 4;
// A flush that returns sooner than this did not wait for the display.
inline constexpr double kFlushWaitedSeconds = 0.001;
// Frames are held to this period when nothing else paces them.
inline constexpr double kFallbackFramePeriod = 1.0 / 60.0;

// Clamps a measured frame time so a stall never makes springs jump and a
// step is never zero. NaN and negative steps (a clock running backwards)
// become the minimum.
double ClampFrameStep(double step);

class FramePlatform {
 public:
  enum class WaitResult { Dispatched, Quit, Failed };
  virtual ~FramePlatform() = default;
  // PeekMessage/PM_REMOVE loop: translates and dispatches every pending message; on WM_QUIT returns true with its exit code (remaining messages stay queued).
  virtual bool DispatchPending(int& exitCode) = 0;
  // GetMessage: Dispatched after translate+dispatch; Quit with the WM_QUIT code; Failed when GetMessage returned -1.
  virtual WaitResult WaitAndDispatch(int& exitCode) = 0;
  virtual double NowSeconds() = 0;               // performance counter x secondsPerTick
  virtual bool HasCompositorClock() = 0;
  virtual bool WaitForCompositorClock(unsigned timeoutMs) = 0;  // false when the wait returned 0xFFFFFFFF
  virtual bool FlushComposition() = 0;           // DwmFlush; false on a failure HRESULT
  virtual void SleepMs(unsigned ms) = 0;
};

// Waits for the next composition frame: the compositor clock, else a flush,
// else a 4 ms sleep. A flush that returns at once (a compositor that paces
// nothing, as under Wine) is followed by a sleep to the end of the fallback
// period counted from `frameStart`, so frames never run as fast as they can
// be drawn.
void PaceFrame(FramePlatform& platform, double frameStart);

// Runs until WM_QUIT (returns its code) or a GetMessage failure (returns 1).
// framesRequested is read at the top of every pass and may be set by handlers during dispatch.
int RunFrameLoop(FramePlatform& platform, bool& framesRequested, const std::function<bool(float)>& frameStep);

}  // namespace orvane
