#include "system/win32/Win32LaunchPlatform.h"

#include <windows.h>
#include <shellapi.h>
#include <shobjidl.h>

#include "platform/win32/ComPtr.h"

namespace orvane {
namespace {

const wchar_t* OrNull(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

}  // namespace

bool Win32LaunchPlatform::Execute(const ShellExecuteRequest& request) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_FLAG_NO_UI;
  info.lpVerb = OrNull(request.verb);
  info.lpFile = request.file.c_str();
  info.lpParameters = OrNull(request.parameters);
  info.lpDirectory = OrNull(request.directory);
  info.nShow = SW_SHOWNORMAL;
  return ShellExecuteExW(&info) != FALSE;
}

bool Win32LaunchPlatform::ActivateApplication(const std::wstring& aumid) {
  ComPtr<IApplicationActivationManager> manager;
  if (FAILED(CoCreateInstance(CLSID_ApplicationActivationManager, nullptr, CLSCTX_LOCAL_SERVER,
                              IID_IApplicationActivationManager, manager.PutVoid()))) {
    return false;
  }
  DWORD processId = 0;
  return SUCCEEDED(manager->ActivateApplication(aumid.c_str(), nullptr, AO_NONE, &processId));
}

std::uint32_t Win32LaunchPlatform::LastError() { return GetLastError(); }

}  // namespace orvane
