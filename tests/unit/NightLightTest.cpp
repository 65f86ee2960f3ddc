#include <gtest/gtest.h>

#include <stdlib.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <future>
#include <memory>
#include <string>
#include <thread>

#include "ReturnsInTime.h"
#include "app/TextUtil.h"
#include "config/ConfigFile.h"
#include "system/FakeSystemControlsPlatform.h"
#include "system/NightLight.h"

namespace orvane {
namespace {

constexpr std::size_t kGreen = kGammaRampSize;
constexpr std::size_t kBlue = 2 * kGammaRampSize;

// A calibrated display: not the identity ramp, so a test sees which base was used.
GammaRamp CalibratedRamp() {
  GammaRamp ramp{};
  for (std::size_t i = 0; i < kGammaRampSize; ++i) {
    ramp[i] = static_cast<std::uint16_t>(i * 250);
    ramp[kGreen + i] = static_cast<std::uint16_t>(i * 240 + 100);
    ramp[kBlue + i] = static_cast<std::uint16_t>(i * 230 + 200);
  }
  return ramp;
}

struct GainCase {
  const char* name;
  bool nightLight;
  bool softColour;
  double green;
  double blue;
};

void PrintTo(const GainCase& c, std::ostream* os) { *os << c.name; }

class GammaRampTableTest : public ::testing::TestWithParam<GainCase> {};

TEST_P(GammaRampTableTest, ScalesGreenAndBlueOfTheIdentityRamp) {
  const GainCase& c = GetParam();
  const GammaGains gains = GainsFor(c.nightLight, c.softColour);
  EXPECT_NEAR(gains.green, c.green, 1e-12);
  EXPECT_NEAR(gains.blue, c.blue, 1e-12);

  const GammaRamp ramp = ScaledGammaRamp(IdentityGammaRamp(), gains);
  EXPECT_EQ(ramp[0], 0);
  EXPECT_EQ(ramp[kGreen], 0);
  EXPECT_EQ(ramp[kBlue], 0);
  EXPECT_EQ(ramp[255], 65535) << "red is never scaled";
  EXPECT_EQ(ramp[kGreen + 255], std::lround(65535 * c.green));
  EXPECT_EQ(ramp[kBlue + 255], std::lround(65535 * c.blue));
  for (std::size_t i = 1; i < kGammaRampSize; ++i) {
    ASSERT_EQ(ramp[i], i * 257);
    ASSERT_LE(ramp[kGreen + i - 1], ramp[kGreen + i]) << "green falls at " << i;
    ASSERT_LE(ramp[kBlue + i - 1], ramp[kBlue + i]) << "blue falls at " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Flags, GammaRampTableTest,
                         ::testing::Values(GainCase{"Off", false, false, 1.0, 1.0},
                                           GainCase{"NightLight", true, false, 0.86, 0.66},
                                           GainCase{"SoftColour", false, true, 0.95, 0.89},
                                           GainCase{"Both", true, true, 0.817, 0.5874}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GammaRampTest, GainsAboveOneSaturateInsteadOfWrapping) {
  const GammaRamp ramp = ScaledGammaRamp(IdentityGammaRamp(), GammaGains{1.5, 2.0});
  EXPECT_EQ(ramp[kGreen + 100], std::lround(100 * 257 * 1.5));
  EXPECT_EQ(ramp[kGreen + 255], 65535);
  EXPECT_EQ(ramp[kBlue + 200], 65535);
  EXPECT_EQ(ramp[255], 65535);
}

class NightLightTest : public ::testing::Test {
 protected:
  FakeScreenGammaPlatform screen_;
  NightLight nightLight_{screen_};
};

TEST_F(NightLightTest, ScalesTheCapturedRampAndCapturesItOnlyOnce) {
  const GammaRamp calibrated = CalibratedRamp();
  screen_.ramp = calibrated;

  ASSERT_TRUE(nightLight_.SetNightLight(true));
  EXPECT_EQ(screen_.ramp, ScaledGammaRamp(calibrated, GainsFor(true, false)));

  // A second capture would read our own tint back as the user's ramp.
  ASSERT_TRUE(nightLight_.SetSoftColour(true));
  EXPECT_EQ(screen_.ramp, ScaledGammaRamp(calibrated, GainsFor(true, true)));
  EXPECT_EQ(screen_.ramp[kGreen + 10], std::lround((10 * 240 + 100) * 0.817));
  EXPECT_EQ(screen_.ramp[kBlue + 10], std::lround((10 * 230 + 200) * 0.5874));

  ASSERT_TRUE(nightLight_.SetNightLight(false));
  ASSERT_TRUE(nightLight_.SetSoftColour(false));
  EXPECT_EQ(screen_.ramp, calibrated);
  EXPECT_TRUE(nightLight_.Flags().nightLight == false && nightLight_.Flags().softColour == false);
}

TEST_F(NightLightTest, RestorePutsBackTheCapturedRampAndIsHarmlessTwice) {
  const GammaRamp calibrated = CalibratedRamp();
  screen_.ramp = calibrated;
  ASSERT_TRUE(nightLight_.SetNightLight(true));
  ASSERT_TRUE(nightLight_.SetSoftColour(true));

  nightLight_.Restore();
  EXPECT_EQ(screen_.ramp, calibrated);
  EXPECT_FALSE(nightLight_.Flags().nightLight);
  EXPECT_FALSE(nightLight_.Flags().softColour);

  nightLight_.Restore();  // the crash filter after the exit path, or the other way round
  EXPECT_EQ(screen_.ramp, calibrated);
  EXPECT_EQ(screen_.writes.back(), calibrated);
}

TEST_F(NightLightTest, RestoreWithoutEverTouchingTheRampWritesNothing) {
  screen_.ramp = CalibratedRamp();
  nightLight_.Restore();
  EXPECT_TRUE(screen_.writes.empty());
  EXPECT_FALSE(nightLight_.Flags().nightLight);
}

TEST_F(NightLightTest, AFailedCaptureUsesAndRestoresTheIdentityRamp) {
  screen_.ramp = CalibratedRamp();
  screen_.readFails = true;
  ASSERT_TRUE(nightLight_.SetNightLight(true));
  EXPECT_EQ(screen_.ramp, ScaledGammaRamp(IdentityGammaRamp(), GainsFor(true, false)));

  screen_.readFails = false;  // never captured again, even when it would work now
  ASSERT_TRUE(nightLight_.SetSoftColour(true));
  EXPECT_EQ(screen_.ramp, ScaledGammaRamp(IdentityGammaRamp(), GainsFor(true, true)));

  nightLight_.Restore();
  EXPECT_EQ(screen_.ramp, IdentityGammaRamp());
}

TEST_F(NightLightTest, AFailedChangeLeavesTheFlagAsItWas) {
  screen_.openFails = true;  // no screen DC: nothing read, nothing written
  EXPECT_FALSE(nightLight_.SetNightLight(true));
  EXPECT_FALSE(nightLight_.Flags().nightLight);
  EXPECT_TRUE(screen_.writes.empty());

  screen_.openFails = false;
  const GammaRamp calibrated = CalibratedRamp();
  screen_.ramp = calibrated;  // the capture was not used up by the failed attempt
  ASSERT_TRUE(nightLight_.SetNightLight(true));

  screen_.writeFails = true;
  EXPECT_FALSE(nightLight_.SetSoftColour(true));
  EXPECT_FALSE(nightLight_.Flags().softColour);
  EXPECT_TRUE(nightLight_.Flags().nightLight);

  screen_.writeFails = false;
  nightLight_.Restore();
  EXPECT_EQ(screen_.ramp, calibrated);
}

// A run that ends without its restore (killed, power lost) leaves its tint on
// the screen; the ramp kept on disk lets the next run undo it.
class NightLightAcrossRunsTest : public ::testing::Test {
 protected:
  static std::filesystem::path MakeFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvane-gamma-XXXXXX").string();
    return std::filesystem::path(::mkdtemp(pattern.data()));
  }
  NightLightAcrossRunsTest() { screen_.ramp = CalibratedRamp(); }
  ~NightLightAcrossRunsTest() override {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }
  // Below the temporary folder, so the file's folder must be created.
  std::wstring DataFolder() const { return Utf8ToWide((folder_ / "data").string()); }
  bool FileKept() const { return std::filesystem::exists(folder_ / "data" / "gamma-ramp.bin"); }

  const std::filesystem::path folder_ = MakeFolder();
  FakeScreenGammaPlatform screen_;
  GammaRampFile file_{PlatformConfigFileSystem(), DataFolder()};
};

TEST_F(NightLightAcrossRunsTest, TheNextRunRestoresTheRampAKilledRunLeftTinted) {
  const GammaRamp calibrated = CalibratedRamp();
  {
    NightLight killed(screen_, &file_);
    ASSERT_TRUE(killed.SetNightLight(true));
    EXPECT_TRUE(FileKept());
  }  // no Restore
  ASSERT_NE(screen_.ramp, calibrated);

  NightLight next(screen_, &file_);
  next.RecoverUnrestoredRamp();
  EXPECT_EQ(screen_.ramp, calibrated);
  EXPECT_FALSE(FileKept());

  // The tint is taken from the user's ramp, not compounded on the old one.
  ASSERT_TRUE(next.SetNightLight(true));
  EXPECT_EQ(screen_.ramp, ScaledGammaRamp(calibrated, GainsFor(true, false)));
  EXPECT_TRUE(FileKept());
  ASSERT_TRUE(next.SetNightLight(false));
  EXPECT_EQ(screen_.ramp, calibrated);
  EXPECT_FALSE(FileKept()) << "no tint, nothing to recover";

  ASSERT_TRUE(next.SetSoftColour(true));
  next.Restore();
  EXPECT_EQ(screen_.ramp, calibrated);
  EXPECT_FALSE(FileKept());
}

TEST_F(NightLightAcrossRunsTest, ARampThatCannotBeWrittenBackYetStaysTheOneToRestore) {
  const GammaRamp calibrated = CalibratedRamp();
  {
    NightLight killed(screen_, &file_);
    ASSERT_TRUE(killed.SetNightLight(true));
  }
  const GammaRamp tinted = screen_.ramp;

  NightLight next(screen_, &file_);
  screen_.openFails = true;
  next.RecoverUnrestoredRamp();
  EXPECT_EQ(screen_.ramp, tinted);
  EXPECT_TRUE(FileKept());

  // The screen still shows the old tint: it is never captured as the user's.
  screen_.openFails = false;
  ASSERT_TRUE(next.SetSoftColour(true));
  EXPECT_EQ(screen_.ramp, ScaledGammaRamp(calibrated, GainsFor(false, true)));
  next.Restore();
  EXPECT_EQ(screen_.ramp, calibrated);
  EXPECT_FALSE(FileKept());
}

TEST_F(NightLightAcrossRunsTest, NothingOrSomethingUnreadableOnDiskIsLeftAlone) {
  NightLight first(screen_, &file_);
  first.RecoverUnrestoredRamp();
  EXPECT_TRUE(screen_.writes.empty());

  std::filesystem::create_directories(folder_ / "data");
  std::ofstream(folder_ / "data" / "gamma-ramp.bin") << "OVGAMMA1 cut short";
  NightLight second(screen_, &file_);
  second.RecoverUnrestoredRamp();
  EXPECT_TRUE(screen_.writes.empty());
  ASSERT_TRUE(second.SetNightLight(true));
  EXPECT_EQ(screen_.ramp, ScaledGammaRamp(CalibratedRamp(), GainsFor(true, false)));
}

// The crash filter runs on the thread that faulted inside SetDeviceGammaRamp,
// which still holds the gamma lock: the restore must come back, and still
// put the user's ramp back.
TEST(NightLightCrashTest, RestoreOnTheThreadThatHoldsTheLockReturnsAndRestores) {
  auto screen = std::make_shared<FakeScreenGammaPlatform>();
  auto nightLight = std::make_shared<NightLight>(*screen);
  const GammaRamp calibrated = CalibratedRamp();
  screen->ramp = calibrated;

  const bool returned = ReturnsInTime([screen, nightLight] {
    screen->duringWrite = [screen, nightLight] {
      screen->duringWrite = nullptr;
      nightLight->Restore();
    };
    nightLight->SetNightLight(true);
  });
  ASSERT_TRUE(returned) << "the restore waited for a lock its own thread holds";
  // writes: the restore's (made inside the interrupted write), then the tint itself.
  ASSERT_EQ(screen->writes.size(), 2u);
  EXPECT_EQ(screen->writes[0], calibrated);
}

TEST(NightLightCrashTest, RestoreWhileAnotherThreadHoldsTheLockReturns) {
  auto screen = std::make_shared<FakeScreenGammaPlatform>();
  auto nightLight = std::make_shared<NightLight>(*screen);
  screen->ramp = CalibratedRamp();
  ASSERT_TRUE(nightLight->SetNightLight(true));

  // The UI thread is stuck inside a change; the crash filter runs elsewhere.
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  std::promise<void> entered;
  screen->duringWrite = [&entered, released] {
    entered.set_value();
    released.wait();
  };
  std::thread ui([nightLight] { nightLight->SetSoftColour(true); });
  entered.get_future().wait();
  screen->duringWrite = nullptr;

  const bool returned = ReturnsInTime([nightLight] { nightLight->Restore(); });
  release.set_value();
  ui.join();
  ASSERT_TRUE(returned) << "the restore waited without bound";
  // The restore's own write landed while the change was still in flight.
  ASSERT_GE(screen->writes.size(), 2u);
  EXPECT_EQ(screen->writes[1], CalibratedRamp());
}

}  // namespace
}  // namespace orvane
