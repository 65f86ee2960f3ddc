#pragma once
// Starting things: a path with arguments and its folder as working folder, a
// "shell:" path, a URI or a store app, through a chain of attempts that ends
// in Explorer; and showing a file selected in an Explorer window.

#include <cstdint>
#include <string>

#include "system/IconSources.h"
#include "system/WindowSystem.h"

namespace orvane {

// One ShellExecuteExW call, always with SW_SHOWNORMAL and SEE_MASK_FLAG_NO_UI.
struct ShellExecuteRequest {
  std::wstring verb;        // "": the default verb
  std::wstring file;
  std::wstring parameters;  // "": none
  std::wstring directory;   // "": none
  bool operator==(const ShellExecuteRequest&) const = default;
};

// What launching asks of the platform. Windows: win32/Win32LaunchPlatform.
class LaunchPlatform {
 public:
  virtual ~LaunchPlatform() = default;
  virtual bool Execute(const ShellExecuteRequest& request) = 0;
  // IApplicationActivationManager::ActivateApplication(aumid, no arguments,
  // no options); false when the manager is missing or refuses.
  virtual bool ActivateApplication(const std::wstring& aumid) = 0;
  virtual std::uint32_t LastError() = 0;  // GetLastError
};

class Launcher {
 public:
  Launcher(LaunchPlatform& platform, WindowSystem& system, IconSources& files)
      : platform_(platform), system_(system), files_(files) {}

  // False for an empty target or when every attempt failed (then logged).
  bool Launch(const std::wstring& target, const std::wstring& arguments = {});
  // Opens Explorer with the target (a shortcut or alias: what it starts)
  // selected; false when it does not exist or Explorer did not start.
  bool RevealInExplorer(const std::wstring& target);

 private:
  LaunchPlatform& platform_;
  WindowSystem& system_;
  IconSources& files_;
};

}  // namespace orvane
