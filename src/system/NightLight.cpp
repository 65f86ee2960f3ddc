#include "system/NightLight.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <string_view>
#include <utility>

#include "app/DataDirs.h"
#include "app/Log.h"

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

constexpr std::string_view kRampFileMagic = "OVGAMMA1";
constexpr std::size_t kRampFileBytes = kRampFileMagic.size() + 2 * 3 * kGammaRampSize;

}  // namespace

GammaRampFile::GammaRampFile(ConfigFileSystem& files, std::wstring folder)
    : files_(files), folder_(std::move(folder)), path_(JoinPath(folder_, kSavedGammaRampFile)) {}

std::optional<GammaRamp> GammaRampFile::Load() {
  const FileReadResult read = files_.Read(path_);
  if (read.status != FileReadStatus::Ok) return std::nullopt;
  const std::string& bytes = read.bytes;
  if (bytes.size() != kRampFileBytes || !bytes.starts_with(kRampFileMagic)) {
    Log(L"NightLight: ignoring a saved gamma ramp of %zu bytes that is not one", bytes.size());
    return std::nullopt;
  }
  GammaRamp ramp{};
  for (std::size_t i = 0; i < ramp.size(); ++i) {
    const std::size_t at = kRampFileMagic.size() + 2 * i;
    ramp[i] = static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                         static_cast<unsigned char>(bytes[at + 1]) << 8);
  }
  return ramp;
}

bool GammaRampFile::Save(const GammaRamp& ramp) {
  std::string bytes(kRampFileMagic);
  bytes.reserve(kRampFileBytes);
  for (const std::uint16_t value : ramp) {
    bytes.push_back(static_cast<char>(value & 0xFF));
    bytes.push_back(static_cast<char>(value >> 8));
  }
  return files_.CreateFolders(folder_) && WriteFileAtomically(files_, path_, bytes);
}

void GammaRampFile::Remove() { files_.Remove(path_); }

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

void NightLight::RecoverUnrestoredRamp() {
  if (saved_ == nullptr) return;
  std::lock_guard<RestoreLock> guard(lock_);
  if (captureTried_) return;
  const std::optional<GammaRamp> left = saved_->Load();
  if (!left) return;
  Adopt(*left);
  onDisk_ = true;
  std::unique_ptr<ScreenGamma> screen = platform_.OpenScreen();
  if (screen && Write(*screen, *left)) {
    saved_->Remove();
    onDisk_ = false;
    Log(L"NightLight: restored the gamma ramp an earlier run left tinted");
  } else {
    Log(L"NightLight: the gamma ramp an earlier run left tinted could not be restored yet");
  }
}

void NightLight::Adopt(const GammaRamp& ramp) {
  captureTried_ = true;
  savedRamp_ = ramp;
  savedRampValid_.store(true, std::memory_order_release);
}

bool NightLight::Apply() {
  std::unique_ptr<ScreenGamma> screen = platform_.OpenScreen();
  if (!screen) return false;
  // Only the first look is the user's own ramp; later ones would be ours.
  if (!captureTried_) {
    captureTried_ = true;
    if (std::optional<GammaRamp> current = screen->Read()) Adopt(*current);
  }
  const bool captured = savedRampValid_.load(std::memory_order_relaxed);
  const GammaRamp base = captured ? savedRamp_ : IdentityGammaRamp();
  const bool tinted = flags_.nightLight || flags_.softColour;
  // On disk before the tint reaches the screen, so no moment exists when the
  // screen is tinted and only this process knows the way back.
  if (tinted && captured && saved_ != nullptr && !onDisk_) {
    onDisk_ = saved_->Save(base);
    if (!onDisk_) Log(L"NightLight: could not keep the gamma ramp on disk");
  }
  if (!Write(*screen, ScaledGammaRamp(base, GainsFor(flags_.nightLight, flags_.softColour)))) return false;
  if (!tinted) ForgetSavedRamp();
  return true;
}

void NightLight::ForgetSavedRamp() {
  if (saved_ == nullptr || !onDisk_) return;
  saved_->Remove();
  onDisk_ = false;
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
      if (Write(*screen, captured ? savedRamp_ : IdentityGammaRamp())) ForgetSavedRamp();
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
