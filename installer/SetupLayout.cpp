#include "SetupLayout.h"

#include "SetupText.h"
#include "app/DataDirs.h"

namespace orvane {

SetupPaths MakeSetupPaths(const KnownFolders& folders) {
  SetupPaths paths;
  paths.installDirectory = JoinPath(JoinPath(folders.localAppData, L"Programs"), L"Orvane");
  paths.programFile = JoinPath(paths.installDirectory, L"Orvane.exe");
  paths.programNewFile = paths.programFile + L".tmp";
  paths.uninstallerFile = JoinPath(paths.installDirectory, L"Orvane-Uninstall.exe");
  paths.desktopShortcut = JoinPath(folders.desktop, L"Orvane.lnk");
  paths.startMenuShortcut = JoinPath(folders.programs, L"Orvane.lnk");
  return paths;
}

RegistryValue RunValue(const SetupPaths& paths) {
  return {kRunValueName, RegistryType::String, L"\"" + paths.programFile + L"\"", 0};
}

std::wstring UninstallCommand(const SetupPaths& paths) {
  return L"\"" + paths.uninstallerFile + L"\" /uninstall";
}

std::vector<RegistryValue> UninstallValues(const SetupPaths& paths) {
  const auto text = [](const wchar_t* name, std::wstring data) {
    return RegistryValue{name, RegistryType::String, std::move(data), 0};
  };
  const auto number = [](const wchar_t* name, std::uint32_t data) {
    return RegistryValue{name, RegistryType::Dword, L"", data};
  };
  return {
      text(L"DisplayName", L"Orvane"),
      text(L"DisplayVersion", L"3.0.0"),
      text(L"Publisher", L"Lumaro"),
      text(L"InstallLocation", paths.installDirectory),
      text(L"DisplayIcon", paths.programFile + L",0"),
      text(L"UninstallString", UninstallCommand(paths)),
      number(L"EstimatedSize", 1024),
      number(L"NoModify", 1),
      number(L"NoRepair", 1),
  };
}

std::vector<ShortcutSpec> Shortcuts(const SetupPaths& paths) {
  std::vector<ShortcutSpec> links;
  for (const std::wstring* link : {&paths.desktopShortcut, &paths.startMenuShortcut}) {
    links.push_back({*link, paths.programFile, paths.installDirectory, kShortcutDescription,
                     paths.programFile, 0});
  }
  return links;
}

}  // namespace orvane
