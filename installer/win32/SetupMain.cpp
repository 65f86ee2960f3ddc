// Entry point of Orvane-Setup.exe.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "SetupFlow.h"
#include "Win32SetupPlatform.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  using namespace orvane;

  // Shell links need COM; the task dialog needs the common controls.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  INITCOMMONCONTROLSEX controls = {};
  controls.dwSize = sizeof(controls);
  controls.dwICC = ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&controls);

  const SetupOptions options = ParseSetupCommandLine(GetCommandLineW());
  Win32SetupPlatform platform(instance);
  const int exitCode = RunSetup(platform, options, MakeSetupPaths(QueryKnownFolders()));

  if (SUCCEEDED(com)) CoUninitialize();
  return exitCode;
}
