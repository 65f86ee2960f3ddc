// Window tracker refresh over a synthetic desktop held by the fake window
// system: mostly application windows grouped several per app, with tool,
// owned, cloaked and hidden windows and a few store apps behind frame hosts.

#include <benchmark/benchmark.h>

#include <string>

#include "system/FakeWindowSystem.h"
#include "system/WindowTracker.h"

namespace orvane {
namespace {

constexpr std::uint32_t kOwnProcess = 4;
constexpr const wchar_t* kFrameHost = L"C:\\Windows\\System32\\ApplicationFrameHost.exe";
constexpr std::uint32_t kFrameHostProcess = 8;

// Ten-window pattern: six ordinary windows, then one each of tool, owned,
// cloaked and hidden. Apps take 1 to 4 consecutive ordinary windows, every
// seventh app is a store app, and every third desktop app runs two processes.
void BuildDesktop(FakeWindowSystem& system, int windowCount) {
  system.SetCurrentProcessId(kOwnProcess);
  FakeProcess frameHost;
  frameHost.imagePath = kFrameHost;
  system.AddProcess(kFrameHostProcess, frameHost);

  std::uint32_t nextProcess = 100;
  int app = -1;
  int windowsLeftInApp = 0;
  std::uint32_t appProcesses[2] = {0, 0};
  bool storeApp = false;
  WindowHandle lastAppWindow = kNoWindow;

  for (int i = 0; i < windowCount; ++i) {
    FakeWindow window;
    window.rect = ScreenRect{10 * (i % 50), 8 * (i % 40), 10 * (i % 50) + 900, 8 * (i % 40) + 700};
    const int kind = i % 10;
    if (kind >= 6) {
      window.processId = appProcesses[0] != 0 ? appProcesses[0] : 50;
      window.text = L"helper";
      if (kind == 6) window.exStyle = kExStyleToolWindow;
      if (kind == 7) window.owner = lastAppWindow;
      if (kind == 8) window.cloaked = 2;
      if (kind == 9) window.visible = false;
      system.AddWindow(window);
      continue;
    }

    if (windowsLeftInApp == 0) {
      ++app;
      windowsLeftInApp = 1 + app % 4;
      storeApp = app % 7 == 3;
      const std::wstring name = L"App" + std::to_wstring(app);
      for (int p = 0; p < 2; ++p) {
        FakeProcess process;
        process.imagePath = storeApp ? L"C:\\Program Files\\WindowsApps\\Contoso." + name + L"\\" + name + L".exe"
                                     : L"C:\\Program Files\\" + name + L"\\" + name + L".exe";
        if (storeApp) process.aumid = L"Contoso." + name + L"_8wekyb3d8bbwe!App";
        appProcesses[p] = nextProcess++;
        system.AddProcess(appProcesses[p], process);
      }
      if (app % 3 != 0 || storeApp) appProcesses[1] = appProcesses[0];
    }
    --windowsLeftInApp;
    window.text = L"Document " + std::to_wstring(i) + L" - App" + std::to_wstring(app);
    if (storeApp) {
      window.processId = kFrameHostProcess;
      window.className = L"ApplicationFrameWindow";
      lastAppWindow = system.AddWindow(window);
      FakeWindow core;
      core.processId = appProcesses[0];
      core.className = L"Windows.UI.Core.CoreWindow";
      system.AddChildWindow(lastAppWindow, core);
    } else {
      window.processId = appProcesses[windowsLeftInApp % 2];
      lastAppWindow = system.AddWindow(window);
    }
  }
}

void BM_TrackerRefresh(benchmark::State& state) {
  FakeWindowSystem system;
  BuildDesktop(system, static_cast<int>(state.range(0)));
  WindowTracker tracker(system);
  for (auto _ : state) {
    tracker.Refresh();
    benchmark::DoNotOptimize(tracker.Apps().data());
  }
  std::size_t windows = 0;
  for (const TrackedApp& app : tracker.Apps()) windows += app.windows.size();
  state.counters["apps"] = static_cast<double>(tracker.Apps().size());
  state.counters["tracked"] = static_cast<double>(windows);
}
BENCHMARK(BM_TrackerRefresh)->Arg(50)->Arg(200)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace orvane
