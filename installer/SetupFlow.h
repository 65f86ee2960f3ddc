#pragma once
// The setup program from start to exit code: install with or without the
// dialog, or uninstall.

#include "SetupCommandLine.h"
#include "SetupLayout.h"
#include "SetupPlatform.h"

namespace orvane {

inline constexpr int kInstallAndLaunchButton = 1001;
inline constexpr int kInstallOnlyButton = 1002;

inline constexpr int kExitOk = 0;           // installed, cancelled or uninstalled
inline constexpr int kExitWriteFailed = 1;  // the program file could not be written
inline constexpr int kExitUninstallIncomplete = 2;  // the program file could not be removed

InstallDialogSpec MakeInstallDialog(const SetupPaths& paths);

int RunInstall(SetupPlatform& platform, const SetupPaths& paths, bool silent);
int RunUninstall(SetupPlatform& platform, const SetupPaths& paths, bool silent);

// Dispatches on the options; returns the process exit code.
int RunSetup(SetupPlatform& platform, const SetupOptions& options, const SetupPaths& paths);

}  // namespace orvane
