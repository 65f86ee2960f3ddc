#include "SetupFlow.h"

#include "RunningInstance.h"
#include "SetupText.h"

namespace orvane {
namespace {

bool WriteProgramFile(SetupPlatform& platform, const SetupPaths& paths) {
  const std::span<const std::uint8_t> payload = platform.LoadPayload();
  if (payload.empty()) return false;
  platform.CreateFolder(paths.installDirectory);
  return platform.WriteWholeFile(paths.programFile, payload);
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
  // stay behind. Deletions are best effort.
  platform.DeleteRegistryValue(kRunKey, kRunValueName);
  platform.RemoveFile(paths.desktopShortcut);
  platform.RemoveFile(paths.startMenuShortcut);
  platform.RemoveFile(paths.programFile);
  platform.DeleteRegistryTree(kUninstallKey);

  if (!silent) platform.ShowMessage(kUninstalledMessage, kUninstallCaption, MessageStyle::Information);
  return kExitOk;
}

int RunSetup(SetupPlatform& platform, const SetupOptions& options, const SetupPaths& paths) {
  return options.uninstall ? RunUninstall(platform, paths, options.silent)
                           : RunInstall(platform, paths, options.silent);
}

}  // namespace orvane
