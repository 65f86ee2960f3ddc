#pragma once
// What a launch target really is: the thing started once shortcuts and App
// Execution Aliases are followed, and the executable path or AUMID a running
// app will report, so dock items can be matched with tracked apps.

#include <string>

#include "system/IconSources.h"
#include "system/WindowSystem.h"

namespace orvane {

struct LaunchTargetInfo {
  std::wstring name;          // the caller's name, else the target's display name
  std::wstring target;        // what is started: the target, a shortcut's path or an alias's executable
  std::wstring exePathLower;  // lower-cased executable path; "" when not an executable
  std::wstring exeNameLower;  // its file name
  std::wstring aumidLower;    // lower-cased AUMID of a store app; ""
};

// The target may be a path (with %VARS%), a shortcut, an alias,
// "shell:AppsFolder\" + AUMID or an "ms-settings:" URI. Unreadable
// shortcuts and aliases leave the fields they would have filled empty.
LaunchTargetInfo DescribeLaunchTarget(WindowSystem& system, IconSources& files, const std::wstring& target,
                                      const std::wstring& name = {});

// The target with environment variables expanded when it holds a "%".
std::wstring ExpandTarget(WindowSystem& system, const std::wstring& target);

}  // namespace orvane
