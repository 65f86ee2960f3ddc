#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GlassTestCompositor.h"
#include "render/DeviceRecovery.h"
#include "dock/DockGeometry.h"
#include "render/GlassPlate.h"

namespace orvane {
namespace {

using testing::GlassTestCompositor;
using testing::LogMessages;

TEST(DeviceLossTest, OnlyTheLossCodesFlagTheDevice) {
  struct Case {
    std::uint32_t hr;
    bool lost;
    const wchar_t* line;
  };
  const Case cases[] = {
      {0x80070057u, false, L"Surface draw failed: 0x80070057"},  // E_INVALIDARG
      {0x8007000Eu, false, L"Surface draw failed: 0x8007000E"},  // E_OUTOFMEMORY
      {0x887A0005u, true, L"Surface draw failed: 0x887A0005"},   // device removed
      {0x887A0007u, true, L"Surface draw failed: 0x887A0007"},   // device reset
      {0x8899000Cu, true, L"Surface draw failed: 0x8899000C"},   // recreate target
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hr);
    LogMessages log;
    GlassTestCompositor compositor;
    compositor.drawError = static_cast<std::int32_t>(c.hr);
    auto surface = compositor.CreateDrawingSurface(4, 4);
    EXPECT_FALSE(compositor.DrawSurface(*surface, 4, 4, [](Canvas&) {}));
    EXPECT_EQ(compositor.deviceLost, c.lost);
    EXPECT_EQ(IsDeviceLossCode(static_cast<std::int32_t>(c.hr)), c.lost);
    EXPECT_EQ(log.lines, std::vector<std::wstring>{c.line});
  }
}

class DeviceRecoveryTest : public ::testing::Test {
 protected:
  DeviceRecoverySteps RecordingSteps() {
    const auto step = [this](const char* name) {
      return [this, name] {
        steps.push_back(name);
        flagDuringSteps.push_back(compositor.deviceLost);
      };
    };
    return {step("device"), step("rendering device"), step("plate"), step("dock"), step("frame")};
  }

  LogMessages log;
  GlassTestCompositor compositor;
  std::vector<std::string> steps;
  std::vector<bool> flagDuringSteps;
};

TEST_F(DeviceRecoveryTest, NothingHappensWhileTheDeviceIsFine) {
  EXPECT_FALSE(RecoverLostDevice(compositor, RecordingSteps()));
  EXPECT_TRUE(steps.empty());
  EXPECT_TRUE(log.lines.empty());
}

TEST_F(DeviceRecoveryTest, LostDeviceIsRebuiltInOrderAfterTheFlagIsCleared) {
  compositor.drawError = static_cast<std::int32_t>(0x887A0005u);
  auto surface = compositor.CreateDrawingSurface(4, 4);
  compositor.DrawSurface(*surface, 4, 4, [](Canvas&) {});
  compositor.drawError = 0;

  EXPECT_TRUE(RecoverLostDevice(compositor, RecordingSteps()));
  EXPECT_EQ(steps, (std::vector<std::string>{"device", "rendering device", "plate", "dock", "frame"}));
  // Cleared before the redraws, so a draw failing during them is not lost.
  EXPECT_EQ(flagDuringSteps, std::vector<bool>(5, false));
  EXPECT_FALSE(compositor.deviceLost);
  EXPECT_EQ(log.lines, (std::vector<std::wstring>{L"Surface draw failed: 0x887A0005",
                                                   L"Handling D3D11/D2D device lost..."}));
  // Once is enough.
  EXPECT_FALSE(RecoverLostDevice(compositor, RecordingSteps()));
}

TEST_F(DeviceRecoveryTest, PlateRedrawsItsSurfacesOnlyOnceConfigured) {
  GlassPlate plate;
  plate.Initialize(compositor);
  DeviceRecoverySteps recovery;
  recovery.redrawPlate = [&] { plate.RedrawSurfaces(); };

  compositor.deviceLost = true;
  RecoverLostDevice(compositor, recovery);
  EXPECT_TRUE(compositor.pixelUploads.empty());
  EXPECT_EQ(compositor.surfaceDraws, 0);

  plate.Configure(DockPlateGeometry(DockConfig{}, 1.0f, 400), MakeTheme(true, true));
  compositor.pixelUploads.clear();
  compositor.surfaceDraws = 0;
  compositor.deviceLost = true;
  RecoverLostDevice(compositor, recovery);
  EXPECT_EQ(compositor.pixelUploads.size(), 2u);  // shadow and grain
  EXPECT_EQ(compositor.surfaceDraws, 1);          // rim
}

}  // namespace
}  // namespace orvane
