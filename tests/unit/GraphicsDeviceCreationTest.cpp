#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/Log.h"
#include "render/DeviceCreation.h"

namespace orvane {
namespace {

class MessageBackend : public LogBackend {
 public:
  LogTime Now() override { return {}; }
  void DebugOutput(const std::wstring& line) override {
    // Keep the message only: drop "[00:00:00.000] " and the line break.
    lines.push_back(line.substr(15, line.size() - 17));
  }
  bool OpenFile(const std::wstring&) override { return false; }
  void Append(std::string_view) override {}
  std::vector<std::wstring> lines;
};

class GraphicsDeviceCreationTest : public ::testing::Test {
 protected:
  void SetUp() override { SetLogBackend(&log_); }
  void TearDown() override { SetLogBackend(nullptr); }
  MessageBackend log_;
};

constexpr std::int32_t kOk = 0;
constexpr std::int32_t kUnsupported = static_cast<std::int32_t>(0x887A0004);  // DXGI_ERROR_UNSUPPORTED
constexpr std::int32_t kOutOfMemory = static_cast<std::int32_t>(0x8007000E);

TEST_F(GraphicsDeviceCreationTest, HardwareFirstThenOneWarpAttempt) {
  struct Case {
    const char* name;
    std::int32_t hardware;
    std::int32_t warp;
    std::vector<DeviceDriver> calls;
    std::int32_t result;
    std::vector<std::wstring> log;
  };
  const std::wstring fallback = L"Hardware D3D11 device failed (0x887A0004), falling back to WARP";
  const Case cases[] = {
      {"hardware works", kOk, kOutOfMemory, {DeviceDriver::Hardware}, kOk, {}},
      {"hardware refused", kUnsupported, kOk, {DeviceDriver::Hardware, DeviceDriver::Warp}, kOk, {fallback}},
      {"both refused", kUnsupported, kOutOfMemory, {DeviceDriver::Hardware, DeviceDriver::Warp}, kOutOfMemory,
       {fallback}},
      // S_FALSE is success, not a reason to fall back.
      {"hardware S_FALSE", 1, kOk, {DeviceDriver::Hardware}, 1, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    log_.lines.clear();
    std::vector<DeviceDriver> calls;
    const std::int32_t result = CreateDeviceWithWarpFallback([&](DeviceDriver driver) {
      calls.push_back(driver);
      return driver == DeviceDriver::Hardware ? c.hardware : c.warp;
    });
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(calls, c.calls);
    EXPECT_EQ(log_.lines, c.log);
  }
}

TEST_F(GraphicsDeviceCreationTest, AdapterLineShowsWholeMebibytes) {
  LogAdapter(L"Microsoft Basic Render Driver", 0);
  LogAdapter(L"GPU 2 GiB", 2ull << 30);
  LogAdapter(L"GPU just under 3 MiB", (3ull << 20) - 1);
  LogAdapter(L"GPU 24 GiB", 24ull << 30);
  EXPECT_EQ(log_.lines, (std::vector<std::wstring>{
                            L"GraphicsDevice adapter: Microsoft Basic Render Driver (dedicatedVRAM=0 MB)",
                            L"GraphicsDevice adapter: GPU 2 GiB (dedicatedVRAM=2048 MB)",
                            L"GraphicsDevice adapter: GPU just under 3 MiB (dedicatedVRAM=2 MB)",
                            L"GraphicsDevice adapter: GPU 24 GiB (dedicatedVRAM=24576 MB)",
                        }));
}

}  // namespace
}  // namespace orvane
