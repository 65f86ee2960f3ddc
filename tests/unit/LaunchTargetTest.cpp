#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CapturedLog.h"
#include "IconFakeSources.h"
#include "app/TextUtil.h"
#include "system/AppExecutionAlias.h"
#include "system/FakeWindowSystem.h"
#include "system/IconTarget.h"
#include "system/LaunchTarget.h"
#include "system/Launcher.h"

namespace orvane {
namespace {

constexpr const wchar_t* kTerminalAlias = L"C:\\Users\\lin\\AppData\\Local\\Microsoft\\WindowsApps\\wt.exe";
constexpr const wchar_t* kTerminalExe =
    L"C:\\Program Files\\WindowsApps\\Microsoft.WindowsTerminal_1.18_x64__8wekyb3d8bbwe\\WindowsTerminal.exe";

// A desktop with a few shortcuts, one alias and a Windows folder variable.
class LaunchTargetTest : public ::testing::Test {
 protected:
  LaunchTargetTest() {
    system.SetEnvironmentVariable(L"WINDIR", L"C:\\Windows");
    system.SetEnvironmentVariable(L"ProgramFiles", L"C:\\Program Files");
    system.SetShellDisplayName(L"C:\\Users\\lin\\Desktop\\App.lnk", L"My App.lnk");
    files.shortcuts[L"C:\\Users\\lin\\Desktop\\App.lnk"] = {{}, 0, L"C:\\Tools\\App.exe"};
    files.shortcuts[L"C:\\Start\\Editor.lnk"] = {{}, 0, L"%ProgramFiles%\\Editor\\Editor.exe"};
    files.shortcuts[L"C:\\Start\\Terminal.lnk"] = {{}, 0, kTerminalAlias};
    files.reparse[kTerminalAlias] = ReparseBuffer(
        kReparseTagAppExecLink, {u"Microsoft.WindowsTerminal_8wekyb3d8bbwe", u"Microsoft.WindowsTerminal_8wekyb3d8bbwe!App",
                                 u"C:\\Program Files\\WindowsApps\\Microsoft.WindowsTerminal_1.18_x64__8wekyb3d8bbwe\\"
                                 u"WindowsTerminal.exe",
                                 u"0"});
    files.reparse[L"C:\\Users\\lin\\AppData\\Local\\Microsoft\\WindowsApps\\Spotify.exe"] =
        ReparseBuffer(kReparseTagAppExecLink, {u"SpotifyAB.SpotifyMusic_zpdnekdrzrea0", u"SpotifyAB.SpotifyMusic!Spotify"});
  }

  FakeWindowSystem system;
  FakeIconSources files;
};

TEST_F(LaunchTargetTest, DescribesEveryKindOfTarget) {
  const std::wstring terminalAumid = L"microsoft.windowsterminal_8wekyb3d8bbwe!app";
  const std::wstring terminalExeLower =
      L"c:\\program files\\windowsapps\\microsoft.windowsterminal_1.18_x64__8wekyb3d8bbwe\\windowsterminal.exe";
  struct Case {
    const char* what;
    std::wstring target;
    std::wstring name;
    LaunchTargetInfo expected;  // name, target, exePathLower, exeNameLower, aumidLower
  };
  const Case cases[] = {
      {"settings URI", L"ms-settings:", L"设置",
       {L"设置", L"ms-settings:", L"", L"", std::wstring(kSettingsAumid)}},
      {"settings page, any case", L"MS-Settings:display", L"显示",
       {L"显示", L"MS-Settings:display", L"", L"", std::wstring(kSettingsAumid)}},
      {"store app", L"shell:AppsFolder\\Microsoft.WindowsCalculator_8wekyb3d8bbwe!App", L"计算器",
       {L"计算器", L"shell:AppsFolder\\Microsoft.WindowsCalculator_8wekyb3d8bbwe!App", L"", L"",
        L"microsoft.windowscalculator_8wekyb3d8bbwe!app"}},
      {"shortcut, named by the shell", L"C:\\Users\\lin\\Desktop\\App.lnk", L"",
       {L"My App", L"C:\\Tools\\App.exe", L"c:\\tools\\app.exe", L"app.exe", L""}},
      {"shortcut whose raw path holds a variable", L"C:\\Start\\Editor.lnk", L"Editor",
       {L"Editor", L"C:\\Program Files\\Editor\\Editor.exe", L"c:\\program files\\editor\\editor.exe", L"editor.exe",
        L""}},
      {"unreadable shortcut stays as it is", L"C:\\Start\\Gone.lnk", L"",
       {L"Gone", L"C:\\Start\\Gone.lnk", L"", L"", L""}},
      {"alias: AUMID and real executable", kTerminalAlias, L"",
       {L"wt", kTerminalExe, terminalExeLower, L"windowsterminal.exe", terminalAumid}},
      {"shortcut to an alias", L"C:\\Start\\Terminal.lnk", L"终端",
       {L"终端", kTerminalExe, terminalExeLower, L"windowsterminal.exe", terminalAumid}},
      {"alias without executable keeps its path", L"C:\\Users\\lin\\AppData\\Local\\Microsoft\\WindowsApps\\Spotify.exe",
       L"Spotify",
       {L"Spotify", L"C:\\Users\\lin\\AppData\\Local\\Microsoft\\WindowsApps\\Spotify.exe", L"", L"",
        L"spotifyab.spotifymusic!spotify"}},
      {"executable with a variable", L"%WINDIR%\\explorer.exe", L"",
       {L"explorer", L"C:\\Windows\\explorer.exe", L"c:\\windows\\explorer.exe", L"explorer.exe", L""}},
      {"executable in Cyrillic, upper-case extension", L"D:\\ИГРЫ\\Игра.EXE", L"",
       {L"Игра", L"D:\\ИГРЫ\\Игра.EXE", L"d:\\игры\\игра.exe", L"игра.exe", L""}},
      {"forward slashes", L"C:/Tools/App.exe", L"App",
       {L"App", L"C:/Tools/App.exe", L"c:/tools/app.exe", L"app.exe", L""}},
      {"document", L"C:\\Docs\\Report.pdf", L"", {L"Report", L"C:\\Docs\\Report.pdf", L"", L"", L""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const LaunchTargetInfo info = DescribeLaunchTarget(system, files, c.target, c.name);
    EXPECT_EQ(WideToUtf8(info.name), WideToUtf8(c.expected.name));
    EXPECT_EQ(WideToUtf8(info.target), WideToUtf8(c.expected.target));
    EXPECT_EQ(WideToUtf8(info.exePathLower), WideToUtf8(c.expected.exePathLower));
    EXPECT_EQ(WideToUtf8(info.exeNameLower), WideToUtf8(c.expected.exeNameLower));
    EXPECT_EQ(WideToUtf8(info.aumidLower), WideToUtf8(c.expected.aumidLower));
  }
}

// ------------------------------------------------------------ launching

// Records every call; the first failExecutes shell executions fail.
class FakeLaunchPlatform : public LaunchPlatform {
 public:
  int failExecutes = 0;
  bool activationWorks = true;
  std::vector<ShellExecuteRequest> executed;
  std::vector<std::wstring> activated;

  bool Execute(const ShellExecuteRequest& request) override {
    executed.push_back(request);
    return static_cast<int>(executed.size()) > failExecutes;
  }
  bool ActivateApplication(const std::wstring& aumid) override {
    activated.push_back(aumid);
    return activationWorks;
  }
  std::uint32_t LastError() override { return 2; }  // ERROR_FILE_NOT_FOUND
};

class LauncherTest : public LaunchTargetTest {
 protected:
  FakeLaunchPlatform platform;
  Launcher launcher{platform, system, files};
  CapturedLog log;
};

TEST_F(LauncherTest, TriesEachWayInTurn) {
  const std::wstring calc = L"shell:AppsFolder\\Microsoft.WindowsCalculator_8wekyb3d8bbwe!App";
  struct Case {
    const char* what;
    std::wstring target;
    std::wstring arguments;
    int failExecutes;
    bool activationWorks;
    bool launched;
    std::vector<ShellExecuteRequest> executed;
    std::vector<std::wstring> activated;
  };
  const Case cases[] = {
      {"path with arguments starts in its folder", L"C:\\Tools\\App.exe", L"--new", 0, true, true,
       {{L"", L"C:\\Tools\\App.exe", L"--new", L"C:\\Tools"}}, {}},
      {"target expanded, arguments as given", L"%WINDIR%\\notepad.exe", L"%TEMP%\\a.txt", 0, true, true,
       {{L"", L"C:\\Windows\\notepad.exe", L"%TEMP%\\a.txt", L"C:\\Windows"}}, {}},
      {"network path starts in its share", L"\\\\server\\share\\tool.exe", L"", 0, true, true,
       {{L"", L"\\\\server\\share\\tool.exe", L"", L"\\\\server\\share"}}, {}},
      {"URI has no working folder", L"https://example.com/", L"", 0, true, true,
       {{L"", L"https://example.com/", L"", L""}}, {}},
      {"shell path has no working folder", L"shell:Downloads", L"", 0, true, true, {{L"", L"shell:Downloads", L"", L""}},
       {}},
      {"then with the open verb", L"C:\\Docs\\a.txt", L"", 1, true, true,
       {{L"", L"C:\\Docs\\a.txt", L"", L"C:\\Docs"}, {L"open", L"C:\\Docs\\a.txt", L"", L"C:\\Docs"}}, {}},
      {"store app through the activation manager", calc, L"", 2, true, true,
       {{L"", calc, L"", L""}, {L"open", calc, L"", L""}}, {L"Microsoft.WindowsCalculator_8wekyb3d8bbwe!App"}},
      {"then Explorer with the quoted target", calc, L"", 2, false, true,
       {{L"", calc, L"", L""}, {L"open", calc, L"", L""}, {L"", L"explorer.exe", L"\"" + calc + L"\"", L""}},
       {L"Microsoft.WindowsCalculator_8wekyb3d8bbwe!App"}},
      {"AppsFolder without an AUMID is not activated", L"shell:AppsFolder\\", L"", 3, true, false,
       {{L"", L"shell:AppsFolder\\", L"", L""},
        {L"open", L"shell:AppsFolder\\", L"", L""},
        {L"", L"explorer.exe", L"\"shell:AppsFolder\\\"", L""}},
       {}},
      {"no Explorer fallback with arguments", L"C:\\Tools\\App.exe", L"-x", 2, true, false,
       {{L"", L"C:\\Tools\\App.exe", L"-x", L"C:\\Tools"}, {L"open", L"C:\\Tools\\App.exe", L"-x", L"C:\\Tools"}}, {}},
      {"empty target", L"", L"", 0, true, false, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    platform = FakeLaunchPlatform{};
    platform.failExecutes = c.failExecutes;
    platform.activationWorks = c.activationWorks;
    log.lines.clear();
    EXPECT_EQ(launcher.Launch(c.target, c.arguments), c.launched);
    EXPECT_EQ(platform.executed, c.executed);
    EXPECT_EQ(platform.activated, c.activated);
    // Only a launch that was tried and failed is logged.
    EXPECT_EQ(log.lines.size(), !c.launched && !c.target.empty() ? 1u : 0u);
  }
}

TEST_F(LauncherTest, LogsAFailedLaunchWithTheErrorAndTarget) {
  platform.failExecutes = 9;
  EXPECT_FALSE(launcher.Launch(L"%WINDIR%\\missing.exe"));
  ASSERT_EQ(log.lines.size(), 1u);
  EXPECT_NE(log.lines[0].find(L"] Launcher: failed to launch (2) C:\\Windows\\missing.exe\r\n"), std::wstring::npos);
}

TEST_F(LauncherTest, RevealsWhatATargetStartsInExplorer) {
  files.files[L"C:\\Docs\\Report.pdf"] = 1;
  files.files[L"C:\\Tools\\App.exe"] = 1;
  struct Case {
    const char* what;
    std::wstring target;
    bool revealed;
    std::wstring parameters;
  };
  const Case cases[] = {
      {"file", L"C:\\Docs\\Report.pdf", true, L"/select,\"C:\\Docs\\Report.pdf\""},
      {"a shortcut selects its target", L"C:\\Users\\lin\\Desktop\\App.lnk", true, L"/select,\"C:\\Tools\\App.exe\""},
      {"missing file", L"C:\\Docs\\Gone.pdf", false, L""},
      {"settings URI", L"ms-settings:", false, L""},
      {"empty", L"", false, L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    platform = FakeLaunchPlatform{};
    EXPECT_EQ(launcher.RevealInExplorer(c.target), c.revealed);
    if (c.revealed) {
      ASSERT_EQ(platform.executed.size(), 1u);
      EXPECT_EQ(platform.executed[0], (ShellExecuteRequest{L"", L"explorer.exe", c.parameters, L""}));
    } else {
      EXPECT_TRUE(platform.executed.empty());
    }
  }
}

}  // namespace
}  // namespace orvane
