#pragma once
// Night light and the softer colour warmth, done by scaling the display's
// gamma ramp. The ramp in force before the program first touched it is kept
// so it can be put back at exit and from the crash filter: a tint must not
// outlive the process.

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>

#include "app/ExitRestores.h"

namespace orvane {

// Red, then green, then blue, 256 entries each (the platform's ramp layout).
using GammaRamp = std::array<std::uint16_t, 3 * 256>;
inline constexpr std::size_t kGammaRampSize = 256;

// The screen's gamma ramp through its device context (GetDC of the whole
// screen), released with this object.
class ScreenGamma {
 public:
  virtual ~ScreenGamma() = default;
  virtual std::optional<GammaRamp> Read() = 0;    // GetDeviceGammaRamp
  virtual bool Write(const GammaRamp& ramp) = 0;  // SetDeviceGammaRamp
};

class ScreenGammaPlatform {
 public:
  virtual ~ScreenGammaPlatform() = default;
  virtual std::unique_ptr<ScreenGamma> OpenScreen() = 0;  // null when GetDC fails
};

struct GammaGains {
  double green = 1.0;
  double blue = 1.0;
};

// Night light keeps 86 % green and 66 % blue; the soft warmth takes a further
// 95 % and 89 %. Red is never scaled.
GammaGains GainsFor(bool nightLight, bool softColour);

// i x 257 on every channel: the ramp of an uncalibrated display.
GammaRamp IdentityGammaRamp();

// Red as in base; green and blue scaled by the gains, rounded and clamped to
// 0-65535.
GammaRamp ScaledGammaRamp(const GammaRamp& base, GammaGains gains);

struct ColourFlags {
  bool nightLight = false;
  bool softColour = false;
};

class NightLight {
 public:
  // The platform must outlive this object.
  explicit NightLight(ScreenGammaPlatform& platform) : platform_(platform) {}

  // Take the lock, set the flag and write the ramp. False (and the flag back
  // as it was) when the ramp could not be written, so the flags always say
  // what the screen shows.
  bool SetNightLight(bool on);
  bool SetSoftColour(bool on);

  ColourFlags Flags();

  // Clears both flags and writes back the captured ramp (the identity ramp
  // when the capture failed). Does nothing when the program never tinted or
  // captured. Never waits longer than kRestoreLockWait: when the lock stays
  // taken (the crash filter running on a thread that faulted while writing
  // the ramp), the ramp is restored without it.
  void Restore();

 private:
  bool SetFlag(bool ColourFlags::*flag, bool on);
  bool Apply();  // lock_ held
  bool Write(ScreenGamma& screen, const GammaRamp& ramp);
  void RestoreWithoutLock();

  ScreenGammaPlatform& platform_;
  RestoreLock lock_;
  ColourFlags flags_;         // lock_
  bool captureTried_ = false;  // lock_
  // Written once, before savedRampValid_ is published, and never again: the
  // lock-free restore may read it once the flag says so.
  GammaRamp savedRamp_{};
  std::atomic<bool> savedRampValid_{false};
  std::atomic<bool> everWritten_{false};  // set before the first write starts
};

}  // namespace orvane
