// Entry point of Orvane.exe: one copy per sign-in, a crash filter that puts
// the desktop back in order, OLE on the UI thread, the App, fatal-error
// reporting and the exit restores.
#include <windows.h>
#include <ole2.h>

#include <exception>
#include <string>

#include "app/ExitRestores.h"
#include "app/FatalError.h"
#include "app/InstanceName.h"
#include "app/Log.h"
#include "app/TextUtil.h"
#include "app/win32/App.h"
#include "app/win32/HResult.h"
#include "system/win32/Win32SystemControls.h"

namespace {

constexpr wchar_t kFatalCaption[] = L"Orvane 启动失败";
constexpr char kFatalCaptionUtf8[] = "Orvane 启动失败";

LONG WINAPI CrashFilter(EXCEPTION_POINTERS* /*info*/) {
  // Runs on whichever thread faulted; every restore is bounded, so a lock
  // held by the dying thread cannot hang the process here.
  orvane::RunExitRestores();
  return EXCEPTION_CONTINUE_SEARCH;
}

// Unwinding the dock destroys its render window, whose WM_DESTROY posts
// WM_QUIT; a message box would take that quit and close before the user
// could read it.
void DiscardPendingQuit() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  using namespace orvane;

  const std::wstring mutexName = InstanceMutexName(GetEnvironment(L"ORVANE_INSTANCE_TAG"));
  HANDLE mutex = CreateMutexW(nullptr, TRUE, mutexName.c_str());
  if (mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    return 0;
  }

  // Before the crash filter exists, so it never sees a half-written slot.
  ProcessExitRestores().restoreGamma = [] { ProcessNightLight().Restore(); };
  SetUnhandledExceptionFilter(&CrashFilter);

  const HRESULT oleResult = OleInitialize(nullptr);
  const bool oleInitialized = SUCCEEDED(oleResult);
  if (!oleInitialized) {
    const HRESULT comResult = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(comResult)) {
      // Nothing has been created yet and there is no window to show; record
      // why and leave with the fatal-error code.
      Log(L"Fatal WinRT error 0x%08X: %s", static_cast<std::uint32_t>(comResult), SystemMessage(comResult));
      RunExitRestores();
      if (mutex != nullptr) CloseHandle(mutex);
      return 1;
    }
  }

  int exitCode = 0;
  bool reported = false;
  try {
    App app;
    exitCode = app.Run(instance);
  } catch (const HResultError& e) {
    Log(L"Fatal WinRT error 0x%08X: %s", static_cast<std::uint32_t>(e.code()), e.message());
    const std::wstring text = e.message().empty() ? HResultHex(e.code()) : e.message();
    DiscardPendingQuit();
    MessageBoxW(nullptr, text.c_str(), kFatalCaption, MB_ICONERROR);
    exitCode = 1;
    reported = true;
  } catch (const std::exception& e) {
    Log(L"Fatal exception: %S", e.what());
    DiscardPendingQuit();
    MessageBoxA(nullptr, e.what(), kFatalCaptionUtf8, MB_ICONERROR);
    exitCode = 1;
    reported = true;
  } catch (...) {
    Log(L"Fatal exception: %S", "unknown exception");
    DiscardPendingQuit();
    MessageBoxA(nullptr, "unknown exception", kFatalCaptionUtf8, MB_ICONERROR);
    exitCode = 1;
    reported = true;
  }
  // An exception caught at a window procedure was logged there and ended the
  // message loop; it is shown here like one that reached this function.
  if (const auto fatal = TakeFatalError()) {
    if (!reported) {
      DiscardPendingQuit();
      MessageBoxW(nullptr, fatal->message.c_str(), kFatalCaption, MB_ICONERROR);
    }
    exitCode = 1;
  }

  RunExitRestores();
  if (oleInitialized) OleUninitialize();
  if (mutex != nullptr) CloseHandle(mutex);
  return exitCode;
}
