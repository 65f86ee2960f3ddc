#include "app/win32/App.h"

#include <shlobj.h>

#include "app/DataDirs.h"
#include "app/FrameLoop.h"
#include "app/Log.h"
#include "config/ConfigFile.h"
#include "system/win32/Win32SystemControls.h"

namespace orvane {

int App::Run(HINSTANCE instance) {
  OpenLog(LogsDirectory(LocalDataDirectory()));

  SetCacheDirectory(CacheDirectoryUnder(LocalDataDirectory()));
  if (!CacheDirectory().empty()) SHCreateDirectoryExW(nullptr, CacheDirectory().c_str(), nullptr);

  Log(L"Orvane starting...");
  ProcessNightLight().RecoverUnrestoredRamp();

  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  secondsPerTick = 1.0 / static_cast<double>(frequency.QuadPart);

  waitForCompositorClock = Win32FramePlatform::LookUpCompositorClock();
  Log(L"FrameClock: %s", waitForCompositorClock != nullptr ? L"DCompositionWaitForCompositorClock" : L"DwmFlush");

  const DockConfig config = LoadConfig();
  dock.Create(instance, config, [this] { framesRequested = true; });

  Win32FramePlatform platform(secondsPerTick, waitForCompositorClock);
  return RunFrameLoop(platform, framesRequested, [this](float dt) { return dock.FrameStep(dt); });
}

}  // namespace orvane
