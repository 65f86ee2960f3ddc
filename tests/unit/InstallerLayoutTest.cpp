// Where the setup program writes: paths, shortcut targets, registry values,
// and how it reads its command line.
#include <gtest/gtest.h>

#include "InstallerFakePlatform.h"
#include "SetupCommandLine.h"
#include "SetupLayout.h"

namespace orvane {
namespace {

using testing::Native;
using testing::TestFolders;

TEST(InstallerLayoutTest, PathsHangFromTheKnownFolders) {
  const SetupPaths paths = MakeSetupPaths(TestFolders());
  EXPECT_EQ(paths.installDirectory, Native(L"C:\\Users\\ana\\AppData\\Local\\Programs\\Orvane"));
  EXPECT_EQ(paths.programFile, Native(L"C:\\Users\\ana\\AppData\\Local\\Programs\\Orvane\\Orvane.exe"));
  EXPECT_EQ(paths.uninstallerFile, Native(L"C:\\Users\\ana\\AppData\\Local\\Programs\\Orvane\\Orvane-Uninstall.exe"));
  EXPECT_EQ(paths.desktopShortcut, Native(L"C:\\Users\\ana\\Desktop\\Orvane.lnk"));
  EXPECT_EQ(paths.startMenuShortcut,
            Native(L"C:\\Users\\ana\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Orvane.lnk"));
}

TEST(InstallerLayoutTest, RunValueIsTheQuotedProgramWithoutArguments) {
  const SetupPaths paths = MakeSetupPaths(TestFolders());
  const RegistryValue value = RunValue(paths);
  EXPECT_EQ(value.name, L"Orvane");
  EXPECT_EQ(value.type, RegistryType::String);
  EXPECT_EQ(value.text, L"\"" + Native(L"C:\\Users\\ana\\AppData\\Local\\Programs\\Orvane\\Orvane.exe") + L"\"");
}

TEST(InstallerLayoutTest, UninstallEntryHoldsEveryValue) {
  const SetupPaths paths = MakeSetupPaths(TestFolders());
  const std::wstring dir = Native(L"C:\\Users\\ana\\AppData\\Local\\Programs\\Orvane");
  const std::vector<RegistryValue> expected = {
      {L"DisplayName", RegistryType::String, L"Orvane", 0},
      {L"DisplayVersion", RegistryType::String, L"3.0.0", 0},
      {L"Publisher", RegistryType::String, L"Lumaro", 0},
      {L"InstallLocation", RegistryType::String, dir, 0},
      {L"DisplayIcon", RegistryType::String, dir + Native(L"\\Orvane.exe,0"), 0},
      {L"UninstallString", RegistryType::String, L"\"" + dir + Native(L"\\Orvane-Uninstall.exe") + L"\" /uninstall", 0},
      {L"EstimatedSize", RegistryType::Dword, L"", 1024},
      {L"NoModify", RegistryType::Dword, L"", 1},
      {L"NoRepair", RegistryType::Dword, L"", 1},
  };
  EXPECT_EQ(UninstallValues(paths), expected);
}

TEST(InstallerLayoutTest, BothShortcutsStartTheProgramFromItsFolder) {
  const SetupPaths paths = MakeSetupPaths(TestFolders());
  const std::vector<ShortcutSpec> links = Shortcuts(paths);
  ASSERT_EQ(links.size(), 2u);
  EXPECT_EQ(links[0].linkPath, paths.desktopShortcut);
  EXPECT_EQ(links[1].linkPath, paths.startMenuShortcut);
  for (const ShortcutSpec& link : links) {
    EXPECT_EQ(link.targetPath, paths.programFile);
    EXPECT_EQ(link.workingDirectory, paths.installDirectory);
    EXPECT_EQ(link.description, L"Orvane - 原生 macOS 风格桌面套件");
    EXPECT_EQ(link.iconPath, paths.programFile);
    EXPECT_EQ(link.iconIndex, 0);
  }
}

TEST(InstallerCommandLineTest, SearchesTheWholeLineCaseSensitively) {
  struct Case {
    const wchar_t* line;
    bool silent;
    bool uninstall;
  };
  const Case cases[] = {
      {L"\"C:\\Downloads\\Orvane-Setup.exe\"", false, false},
      {L"\"C:\\Downloads\\Orvane-Setup.exe\" /S", true, false},
      {L"\"C:\\Downloads\\Orvane-Setup.exe\" /s", true, false},
      {L"\"C:\\Users\\ana\\Orvane-Uninstall.exe\" /uninstall", false, true},
      {L"\"C:\\Users\\ana\\Orvane-Uninstall.exe\" /uninstall /S", true, true},
      {L"Orvane-Setup.exe /S/uninstall", true, true},
      // The match is plain text: a "/s" inside a path counts too.
      {L"\"D:/setups/Orvane-Setup.exe\"", true, false},
      {L"Orvane-Setup.exe /Uninstall", false, false},
      {L"Orvane-Setup.exe -s \\S", false, false},
      {L"", false, false},
  };
  for (const Case& c : cases) {
    const SetupOptions options = ParseSetupCommandLine(c.line);
    EXPECT_EQ(options.silent, c.silent) << c.line;
    EXPECT_EQ(options.uninstall, c.uninstall) << c.line;
  }
}

}  // namespace
}  // namespace orvane
