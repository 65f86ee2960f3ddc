#include "SetupFlow.h"

#include "RunningInstance.h"
#include "SetupText.h"
#include "app/Log.h"

namespace orvane {
namespace {

bool WriteProgramFile(SetupPlatform& platform, const SetupPaths& paths) {
  const std::span<const std::uint8_t> payload = platform.LoadPayload();
  if (payload.empty()) return false;
  platform.CreateFolder(paths.installDirectory);
  // Written beside the old program and moved over it in one step: a failed
  // write (disk full, a scanner holding the file) leaves the old program
  // whole instead of a truncated one the shortcuts still point to.
  if (platform.WriteWholeFile(paths.programNewFile, payload) &&
      platform.MoveFileReplacing(paths.programNewFile, paths.programFile)) {
    return true;
  }
  platform.RemoveFile(paths.programNewFile);
  return false;
}

}  // namespace

InstallDialogSpec MakeInstallDialog(const SetupPaths& paths) {
  InstallDialogSpec dialog;
  dialog.title = kDialogTitle;
  dialog.mainInstruction = kDialogMainInstruction;
  dialog.content = DialogContent(paths.installDirectory);
  dialog.buttons = {{kInstallAndLaunchButton, kInstallAndLaunchLink}, {kInstallOnlyButton, kInstallOnlyLink}};
  dialog.defaultButton = kInstallAndLaunchButton;
  dialog.checkBoxText = kAutoStartCheckBox;
  return dialog;
}

int RunInstall(SetupPlatform& platform, const SetupPaths& paths, bool silent) {
  bool launchAfter = true;
  bool autoStart = false;
  if (!silent) {
    const std::optional<DialogResult> choice = platform.ShowInstallDialog(MakeInstallDialog(paths));
    if (!choice || (choice->button != kInstallAndLaunchButton && choice->button != kInstallOnlyButton)) {
      return kExitOk;  // cancelled: nothing has been touched
    }
    launchAfter = choice->button == kInstallAndLaunchButton;
    autoStart = choice->checked;
  }

  CloseRunningInstance(platform);

  if (!WriteProgramFile(platform, paths)) {
    Log(L"Setup: could not write %s", paths.programFile);
    if (!silent) platform.ShowMessage(kWriteFailedMessage, kWriteFailedCaption, MessageStyle::Error);
    return kExitWriteFailed;
  }

  // From here on every failure is ignored: the program itself is in place.
  platform.CopySelfTo(paths.uninstallerFile);
  for (const ShortcutSpec& shortcut : Shortcuts(paths)) platform.CreateShortcut(shortcut);

  // An unchecked box also clears a value left by an earlier installation.
  if (autoStart) {
    platform.SetRegistryValue(kRunKey, RunValue(paths));
  } else {
    platform.DeleteRegistryValue(kRunKey, kRunValueName);
  }

  for (const RegistryValue& value : UninstallValues(paths)) platform.SetRegistryValue(kUninstallKey, value);

  if (launchAfter) {
    platform.OpenProgram(paths.programFile, paths.installDirectory);
  } else if (!silent) {
    platform.ShowMessage(kInstalledMessage, kInstalledCaption, MessageStyle::Information);
  }
  return kExitOk;
}

int RunUninstall(SetupPlatform& platform, const SetupPaths& paths, bool silent) {
  if (!silent && platform.ShowMessage(kUninstallQuestion, kUninstallCaption, MessageStyle::Question) !=
                     MessageAnswer::Yes) {
    return kExitOk;
  }

  // The main program puts the native taskbar back during its own shutdown.
  CloseRunningInstance(platform);

  // The uninstaller (this very file while it runs) and the install directory
  // stay behind. Deletions are best effort, except the program's own file.
  platform.DeleteRegistryValue(kRunKey, kRunValueName);
  platform.RemoveFile(paths.desktopShortcut);
  platform.RemoveFile(paths.startMenuShortcut);
  if (!platform.RemoveFile(paths.programFile)) {
    // A copy still running (or anything else holding the file) keeps it. The
    // entry stays in the installed-programs list so the uninstall can be run
    // again once it is closed.
    Log(L"Setup: could not remove %s, uninstall entry kept", paths.programFile);
    if (!silent) platform.ShowMessage(kUninstallIncompleteMessage, kUninstallCaption, MessageStyle::Error);
    return kExitUninstallIncomplete;
  }
  platform.DeleteRegistryTree(kUninstallKey);

  if (!silent) platform.ShowMessage(kUninstalledMessage, kUninstallCaption, MessageStyle::Information);
  return kExitOk;
}

int RunSetup(SetupPlatform& platform, const SetupOptions& options, const SetupPaths& paths) {
  return options.uninstall ? RunUninstall(platform, paths, options.silent)
                           : RunInstall(platform, paths, options.silent);
}

}  // namespace orvane
