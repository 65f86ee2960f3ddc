#pragma once
// Night light and the softer colour warmth, done by scaling the display's
// gamma ramp. The ramp in force before the program first touched it is kept
// so it can be put back at exit and from the crash filter: a tint must not
// outlive the process. While a tint may be on, that ramp is also kept on
// disk, so a run that ended without its restore (killed, power lost) is put
// right by the next one instead of taking the tinted ramp for the user's own.

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/ExitRestores.h"
#include "config/ConfigFile.h"

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

// Where the user's own ramp waits while a tint is on.
class SavedGammaRamp {
 public:
  virtual ~SavedGammaRamp() = default;
  // nullopt when nothing (or nothing valid) is saved.
  virtual std::optional<GammaRamp> Load() = 0;
  virtual bool Save(const GammaRamp& ramp) = 0;
  virtual void Remove() = 0;
};

// Name of the file in the local data directory.
inline constexpr wchar_t kSavedGammaRampFile[] = L"gamma-ramp.bin";

// The ramp as a file: "OVGAMMA1" and the 768 entries as little-endian 16-bit
// values, replaced in one step so a half-written file is never read.
class GammaRampFile : public SavedGammaRamp {
 public:
  GammaRampFile(ConfigFileSystem& files, std::wstring folder);
  std::optional<GammaRamp> Load() override;
  bool Save(const GammaRamp& ramp) override;  // creates the folder first
  void Remove() override;

 private:
  ConfigFileSystem& files_;
  std::wstring folder_;
  std::wstring path_;
};

struct ColourFlags {
  bool nightLight = false;
  bool softColour = false;
};

class NightLight {
 public:
  // The platform and the saved ramp (nullptr: nothing is kept on disk) must
  // outlive this object.
  explicit NightLight(ScreenGammaPlatform& platform, SavedGammaRamp* saved = nullptr)
      : platform_(platform), saved_(saved) {}

  // Once at start, before any tint: a ramp left on disk by a run that did not
  // restore it is written back and the file removed. It also becomes the
  // ramp this run restores to, so the screen's (possibly tinted) ramp is
  // never captured instead; when it cannot be written yet, the file stays
  // for the next start.
  void RecoverUnrestoredRamp();

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
  void Adopt(const GammaRamp& ramp);  // lock_ held; makes ramp the one restored
  void ForgetSavedRamp();             // lock_ held; the screen shows savedRamp_ again
  bool Write(ScreenGamma& screen, const GammaRamp& ramp);
  void RestoreWithoutLock();

  ScreenGammaPlatform& platform_;
  SavedGammaRamp* saved_;
  RestoreLock lock_;
  ColourFlags flags_;         // lock_
  bool captureTried_ = false;  // lock_
  bool onDisk_ = false;        // lock_; the saved ramp's file holds savedRamp_
  // Written once, before savedRampValid_ is published, and never again: the
  // lock-free restore may read it once the flag says so.
  GammaRamp savedRamp_{};
  std::atomic<bool> savedRampValid_{false};
  std::atomic<bool> everWritten_{false};  // set before the first write starts
};

}  // namespace orvane
