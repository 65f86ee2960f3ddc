#pragma once
// What the setup flow needs from the operating system. The Windows version
// lives in win32/; tests use a recording fake. Every call is a plain
// translation; all decisions are made by the flow.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "SetupLayout.h"

namespace orvane {

struct DialogButton {
  int id = 0;
  std::wstring text;  // first line the link, further lines its note
};

// The install task dialog: command links, a Cancel button, the program icon
// and one verification check box that starts unchecked.
struct InstallDialogSpec {
  std::wstring title;
  std::wstring mainInstruction;
  std::wstring content;
  std::vector<DialogButton> buttons;
  int defaultButton = 0;
  std::wstring checkBoxText;
};

struct DialogResult {
  int button = 0;         // a command link id, or the platform's id for Cancel
  bool checked = false;   // the verification check box
};

enum class MessageStyle {
  Error,        // error icon, OK
  Information,  // information icon, OK
  Question,     // question icon, Yes and No
};

enum class MessageAnswer { Yes, No, Other };

// Opaque window handle; 0 means none.
using WindowHandle = std::uintptr_t;

// A process opened only to wait for its end; closed on destruction.
class WatchedProcess {
 public:
  virtual ~WatchedProcess() = default;
  virtual bool HasExited() = 0;  // also true when the wait itself fails
};

class SetupPlatform {
 public:
  virtual ~SetupPlatform() = default;

  // nullopt when the dialog could not be shown.
  virtual std::optional<DialogResult> ShowInstallDialog(const InstallDialogSpec& dialog) = 0;
  virtual MessageAnswer ShowMessage(const std::wstring& text, const std::wstring& caption, MessageStyle style) = 0;

  virtual WindowHandle FindWindowOfClass(const std::wstring& className) = 0;
  // nullptr when the owner process cannot be opened for waiting.
  virtual std::unique_ptr<WatchedProcess> OpenWindowProcess(WindowHandle window) = 0;
  virtual void PostCloseMessage(WindowHandle window) = 0;
  virtual bool WindowExists(WindowHandle window) = 0;
  virtual void SleepMilliseconds(unsigned milliseconds) = 0;

  // The embedded main program; empty when missing or unreadable. The bytes
  // stay valid for the life of the process.
  virtual std::span<const std::uint8_t> LoadPayload() = 0;
  // Creates the folder and every missing parent; an existing folder is fine.
  virtual void CreateFolder(const std::wstring& path) = 0;
  // Creates or truncates the file, writes all bytes and flushes them to disk.
  virtual bool WriteWholeFile(const std::wstring& path, std::span<const std::uint8_t> bytes) = 0;
  // Renames from over to in one step, replacing an existing file.
  virtual bool MoveFileReplacing(const std::wstring& from, const std::wstring& to) = 0;
  // Copies the running setup program's own file, overwriting.
  virtual bool CopySelfTo(const std::wstring& path) = 0;
  virtual bool CreateShortcut(const ShortcutSpec& shortcut) = 0;

  // Keys are relative to HKEY_CURRENT_USER.
  virtual bool SetRegistryValue(const std::wstring& key, const RegistryValue& value) = 0;
  virtual bool DeleteRegistryValue(const std::wstring& key, const std::wstring& name) = 0;
  // Deletes the key itself with all its values and subkeys.
  virtual bool DeleteRegistryTree(const std::wstring& key) = 0;
  // True when the file is gone afterwards, also when it was never there.
  virtual bool RemoveFile(const std::wstring& path) = 0;

  // Opens the program with the shell; the outcome is not reported.
  virtual void OpenProgram(const std::wstring& program, const std::wstring& workingDirectory) = 0;
};

}  // namespace orvane
