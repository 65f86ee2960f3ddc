#include "system/NightLight.h"

#include <algorithm>
#include <cmath>
#include <mutex>

namespace orvane {

GammaGains GainsFor(bool nightLight, bool softColour) {
  GammaGains gains;
  if (nightLight) {
    gains.green = 0.86;
    gains.blue = 0.66;
  }
  if (softColour) {
    gains.green *= 0.95;
    gains.blue *= 0.89;
  }
  return gains;
}

GammaRamp IdentityGammaRamp() {
  GammaRamp ramp{};
  for (std::size_t channel = 0; channel < 3; ++channel) {
    for (std::size_t i = 0; i < kGammaRampSize; ++i) {
      ramp[channel * kGammaRampSize + i] = static_cast<std::uint16_t>(i * 257);
    }
  }
  return ramp;
}

namespace {

std::uint16_t Scale(std::uint16_t value, double gain) {
  return static_cast<std::uint16_t>(std::clamp(std::round(value * gain), 0.0, 65535.0));
}

}  // namespace

GammaRamp ScaledGammaRamp(const GammaRamp& base, GammaGains gains) {
  GammaRamp ramp = base;
  for (std::size_t i = 0; i < kGammaRampSize; ++i) {
    ramp[kGammaRampSize + i] = Scale(base[kGammaRampSize + i], gains.green);
    ramp[2 * kGammaRampSize + i] = Scale(base[2 * kGammaRampSize + i], gains.blue);
  }
  return ramp;
}

bool NightLight::SetNightLight(bool on) { return SetFlag(&ColourFlags::nightLight, on); }

bool NightLight::SetSoftColour(bool on) { return SetFlag(&ColourFlags::softColour, on); }

bool NightLight::SetFlag(bool ColourFlags::*flag, bool on) {
  std::lock_guard<RestoreLock> guard(lock_);
  const bool was = flags_.*flag;
  flags_.*flag = on;
  if (Apply()) return true;
  flags_.*flag = was;
  return false;
}

ColourFlags NightLight::Flags() {
  std::lock_guard<RestoreLock> guard(lock_);
  return flags_;
}

bool NightLight::Apply() {
  std::unique_ptr<ScreenGamma> screen = platform_.OpenScreen();
  if (!screen) return false;
  // Only the first look is the user's own ramp; later ones would be ours.
  if (!captureTried_) {
    captureTried_ = true;
    if (std::optional<GammaRamp> current = screen->Read()) {
      savedRamp_ = *current;
      savedRampValid_.store(true, std::memory_order_release);
    }
  }
  const GammaRamp base = savedRampValid_.load(std::memory_order_relaxed) ? savedRamp_ : IdentityGammaRamp();
  return Write(*screen, ScaledGammaRamp(base, GainsFor(flags_.nightLight, flags_.softColour)));
}

bool NightLight::Write(ScreenGamma& screen, const GammaRamp& ramp) {
  // Before the call: a crash inside it must still be restored.
  everWritten_.store(true, std::memory_order_release);
  return screen.Write(ramp);
}

void NightLight::Restore() {
  const bool locked = RunUnderRestoreLock(lock_, [this] {
    const bool captured = savedRampValid_.load(std::memory_order_relaxed);
    if (!captured && !flags_.nightLight && !flags_.softColour) return;
    flags_ = ColourFlags{};
    if (std::unique_ptr<ScreenGamma> screen = platform_.OpenScreen()) {
      Write(*screen, captured ? savedRamp_ : IdentityGammaRamp());
    }
  });
  if (!locked) RestoreWithoutLock();
}

void NightLight::RestoreWithoutLock() {
  // The lock's holder is stuck (typically this very thread, faulted inside a
  // write). The saved ramp is immutable once published, so reading it here is
  // safe; the flags are left alone, the process is going away.
  if (!everWritten_.load(std::memory_order_acquire)) return;
  const bool captured = savedRampValid_.load(std::memory_order_acquire);
  if (std::unique_ptr<ScreenGamma> screen = platform_.OpenScreen()) {
    screen->Write(captured ? savedRamp_ : IdentityGammaRamp());
  }
}

}  // namespace orvane
