#pragma once
// Where the setup program puts things: files, shortcuts and registry values.
// Everything lives under the user's profile and HKEY_CURRENT_USER, so no
// elevation is ever needed.

#include <cstdint>
#include <string>
#include <vector>

namespace orvane {

// The three known folders the layout hangs from, as the platform reports them.
struct KnownFolders {
  std::wstring localAppData;
  std::wstring desktop;
  std::wstring programs;  // the Start menu's "Programs" folder
};

struct SetupPaths {
  std::wstring installDirectory;   // <LocalAppData>\Programs\Orvane
  std::wstring programFile;        // <install>\Orvane.exe
  std::wstring programNewFile;     // <install>\Orvane.exe.tmp, moved over the program once complete
  std::wstring uninstallerFile;    // <install>\Orvane-Uninstall.exe
  std::wstring desktopShortcut;    // <Desktop>\Orvane.lnk
  std::wstring startMenuShortcut;  // <Programs>\Orvane.lnk
};

SetupPaths MakeSetupPaths(const KnownFolders& folders);

// Registry keys, relative to HKEY_CURRENT_USER.
inline constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kRunValueName[] = L"Orvane";
inline constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Orvane";

// The class of the main program's render window, which accepts WM_CLOSE.
inline constexpr wchar_t kRunningInstanceClass[] = L"OrvaneRenderWindow";

enum class RegistryType { String, Dword };

struct RegistryValue {
  std::wstring name;
  RegistryType type = RegistryType::String;
  std::wstring text;          // RegistryType::String
  std::uint32_t number = 0;   // RegistryType::Dword

  bool operator==(const RegistryValue&) const = default;
};

// The start-at-sign-in value: the quoted program path, no arguments.
RegistryValue RunValue(const SetupPaths& paths);

// "\"<uninstaller>\" /uninstall"
std::wstring UninstallCommand(const SetupPaths& paths);

// Every value of the uninstall entry, in the order they are written.
std::vector<RegistryValue> UninstallValues(const SetupPaths& paths);

struct ShortcutSpec {
  std::wstring linkPath;
  std::wstring targetPath;
  std::wstring workingDirectory;
  std::wstring description;
  std::wstring iconPath;
  int iconIndex = 0;

  bool operator==(const ShortcutSpec&) const = default;
};

// The desktop shortcut first, then the Start-menu one; both start the program.
std::vector<ShortcutSpec> Shortcuts(const SetupPaths& paths);

}  // namespace orvane
