#pragma once
// The setup program's platform on Windows: task dialog and message boxes,
// the running main program, the embedded payload, files, shell links and
// the per-user registry.

#include <windows.h>

#include "SetupPlatform.h"

namespace orvane {

// Resource ids, as setup.rc.in assigns them.
inline constexpr WORD kProgramIconResource = 101;
inline constexpr WORD kPayloadResource = 201;

// The three folders of the layout, created when missing; "" for a lookup that fails.
KnownFolders QueryKnownFolders();

class Win32SetupPlatform final : public SetupPlatform {
 public:
  explicit Win32SetupPlatform(HINSTANCE instance) : instance_(instance) {}

  std::optional<DialogResult> ShowInstallDialog(const InstallDialogSpec& dialog) override;
  MessageAnswer ShowMessage(const std::wstring& text, const std::wstring& caption, MessageStyle style) override;

  WindowHandle FindWindowOfClass(const std::wstring& className) override;
  std::unique_ptr<WatchedProcess> OpenWindowProcess(WindowHandle window) override;
  void PostCloseMessage(WindowHandle window) override;
  bool WindowExists(WindowHandle window) override;
  void SleepMilliseconds(unsigned milliseconds) override;

  std::span<const std::uint8_t> LoadPayload() override;
  void CreateFolder(const std::wstring& path) override;
  bool WriteWholeFile(const std::wstring& path, std::span<const std::uint8_t> bytes) override;
  bool MoveFileReplacing(const std::wstring& from, const std::wstring& to) override;
  bool CopySelfTo(const std::wstring& path) override;
  bool CreateShortcut(const ShortcutSpec& shortcut) override;

  bool SetRegistryValue(const std::wstring& key, const RegistryValue& value) override;
  bool DeleteRegistryValue(const std::wstring& key, const std::wstring& name) override;
  bool DeleteRegistryTree(const std::wstring& key) override;
  bool RemoveFile(const std::wstring& path) override;

  void OpenProgram(const std::wstring& program, const std::wstring& workingDirectory) override;

 private:
  HINSTANCE instance_;
};

}  // namespace orvane
