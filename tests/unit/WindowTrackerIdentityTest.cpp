#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "WindowTrackerDesktop.h"
#include "app/TextUtil.h"
#include "system/AppIdentity.h"

namespace orvane::testing {
namespace {

constexpr const wchar_t* kCalculatorPath =
    L"C:\\Program Files\\WindowsApps\\Microsoft.WindowsCalculator_11.2_x64__8wekyb3d8bbwe\\CalculatorApp.exe";
constexpr const wchar_t* kCalculatorAumid = L"Microsoft.WindowsCalculator_8wekyb3d8bbwe!App";
constexpr const wchar_t* kCalculatorKey = L"aumid:microsoft.windowscalculator_8wekyb3d8bbwe!app";
constexpr const wchar_t* kFrameHostKey = L"exe:c:\\windows\\system32\\applicationframehost.exe";

// A store-app frame (process 200) with a core-window child of childProcess,
// or without a child when childProcess is nullopt.
WindowHandle AddFrame(FakeWindowSystem& system, std::optional<std::uint32_t> childProcess) {
  FakeProcess host;
  host.imagePath = kFrameHostPath;
  system.AddProcess(200, host);
  FakeWindow frame;
  frame.processId = 200;
  frame.className = L"ApplicationFrameWindow";
  frame.text = L"Calculator";
  const WindowHandle handle = system.AddWindow(frame);
  if (childProcess) {
    FakeWindow core;
    core.processId = *childProcess;
    core.className = L"Windows.UI.Core.CoreWindow";
    system.AddChildWindow(handle, core);
  }
  return handle;
}

class WindowIdentityTest : public TrackerDesktop {
 protected:
  WindowHandle Frame(std::optional<std::uint32_t> childProcess) { return AddFrame(system, childProcess); }
};

TEST_F(WindowIdentityTest, FrameHostTakesTheHostedAppsIdentity) {
  Program(300, kCalculatorPath, kCalculatorAumid);
  const WindowHandle frame = Frame(300);

  tracker.Refresh();

  ASSERT_EQ(tracker.Apps().size(), 1u);
  const TrackedApp& app = tracker.Apps()[0];
  EXPECT_EQ(app.key, kCalculatorKey);
  EXPECT_EQ(app.exePath, kCalculatorPath);
  EXPECT_EQ(app.aumid, kCalculatorAumid);
  ASSERT_EQ(app.windows.size(), 1u);
  EXPECT_EQ(app.windows[0].hwnd, frame);  // the frame, not the core window
  EXPECT_EQ(app.windows[0].processId, 300u);
  EXPECT_EQ(app.processIds, std::vector<std::uint32_t>{300});
  EXPECT_EQ(system.OpenProcessHandleCount(), 0u);
}

TEST(FrameHostTest, CoreWindowFromNoOtherProcessKeepsTheFrame) {
  struct Case {
    const char* name;
    std::optional<std::uint32_t> childProcess;
    bool tracked;
  };
  const Case cases[] = {
      {"no core window: suspended app", std::nullopt, false},
      {"core window in the frame's process", 200u, true},
      {"core window without a process", 0u, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeWindowSystem system;
    AddFrame(system, c.childProcess);
    WindowTracker tracker(system);
    tracker.Refresh();
    if (!c.tracked) {
      EXPECT_TRUE(tracker.Apps().empty());
      continue;
    }
    ASSERT_EQ(tracker.Apps().size(), 1u);
    EXPECT_EQ(tracker.Apps()[0].key, kFrameHostKey);
    EXPECT_EQ(tracker.Apps()[0].windows[0].processId, 200u);
  }
}

TEST_F(WindowIdentityTest, FrameHostIsRecognisedInAnyCase) {
  // The suffix test runs on the lower-cased path.
  Program(300, kCalculatorPath, kCalculatorAumid);
  Frame(300);
  system.FindProcess(200)->imagePath = L"C:\\WINDOWS\\SYSTEM32\\APPLICATIONFRAMEHOST.EXE";
  tracker.Refresh();
  EXPECT_EQ(Keys(), std::vector<std::wstring>{kCalculatorKey});
}

TEST_F(WindowIdentityTest, ShellProcessesAreExcluded) {
  struct Case {
    const wchar_t* path;
    bool tracked;
  };
  const Case cases[] = {
      {L"C:\\Windows\\SystemApps\\MicrosoftWindows.Client.CBS_cw5n1h2txyewy\\SearchHost.exe", false},
      {L"C:\\Windows\\SystemApps\\Microsoft.Windows.Search_cw5n1h2txyewy\\SearchApp.exe", false},
      {L"C:\\Windows\\SystemApps\\StartMenuExperienceHost.exe", false},
      {L"C:\\Windows\\SystemApps\\ShellExperienceHost.exe", false},
      {L"C:\\Windows\\SystemApps\\TextInputHost.exe", false},
      {L"C:\\Windows\\SystemApps\\LockApp.exe", false},
      {L"C:\\Program Files\\WindowsApps\\Widgets.exe", false},
      {L"C:\\Windows\\SystemApps\\ScreenCaptureHost.exe", false},
      {L"searchhost.exe", false},
      {L"C:/Tools/widgets.exe", false},
      {L"C:\\Tools\\MySearchHost.exe", true},
      {L"C:\\Tools\\searchhost.exe.old", true},
      {L"C:\\searchhost.exe\\real.exe", true},
  };
  std::uint32_t processId = 100;
  for (const Case& c : cases) {
    Program(processId, c.path);
    Window(processId, L"window");
    ++processId;
  }
  tracker.Refresh();

  std::vector<std::wstring> tracked;
  for (const TrackedApp& app : tracker.Apps()) tracked.push_back(app.exePath);
  std::vector<std::wstring> expected;
  for (const Case& c : cases) {
    if (c.tracked) expected.push_back(c.path);
  }
  EXPECT_EQ(tracked, expected);
}

TEST_F(WindowIdentityTest, HostedShellProcessIsExcluded) {
  Program(300, L"C:\\Windows\\SystemApps\\ShellExperienceHost.exe", L"Microsoft.Windows.ShellExperienceHost!App");
  Frame(300);
  tracker.Refresh();
  EXPECT_TRUE(tracker.Apps().empty());
}

TEST_F(WindowIdentityTest, WindowWithoutPathOrAumidIsDropped) {
  FakeProcess denied;  // elevated: cannot be opened at all
  denied.imagePath = L"C:\\Admin\\tool.exe";
  denied.canOpen = false;
  system.AddProcess(100, denied);
  Window(100, L"Admin tool");
  Program(101, L"");  // opens, but the image name cannot be read
  Window(101, L"Mystery");
  Window(102, L"No such process");
  Program(103, L"", L"Contoso.Player_abc!App");  // AUMID alone is enough
  Window(103, L"Player");

  tracker.Refresh();

  EXPECT_EQ(Keys(), std::vector<std::wstring>{L"aumid:contoso.player_abc!app"});
  EXPECT_EQ(system.OpenProcessHandleCount(), 0u);
}

TEST_F(WindowIdentityTest, PathIsExpandedAndLowerCasedForTheKey) {
  system.SetEnvironmentVariable(L"SystemRoot", L"C:\\Windows");
  Program(100, L"%SYSTEMROOT%\\NOTEPAD.EXE");
  Window(100, L"a");
  Program(101, L"D:\\Программы\\Ελληνικά\\ÉDITEUR.exe");
  Window(101, L"b");

  tracker.Refresh();

  ASSERT_EQ(tracker.Apps().size(), 2u);
  EXPECT_EQ(tracker.Apps()[0].exePath, L"%SYSTEMROOT%\\NOTEPAD.EXE");
  EXPECT_EQ(tracker.Apps()[0].exePathLower, L"c:\\windows\\notepad.exe");
  EXPECT_EQ(tracker.Apps()[0].key, L"exe:c:\\windows\\notepad.exe");
  EXPECT_EQ(tracker.Apps()[1].exePathLower, L"d:\\программы\\ελληνικά\\éditeur.exe");
}

TEST_F(WindowIdentityTest, ImagePathMustFitTheBuffer) {
  // 519 characters fit the 520-character buffer with the terminator; 520 do not.
  const std::wstring fits = L"C:\\" + std::wstring(512, L'a') + L".exe";
  const std::wstring tooLong = L"C:\\" + std::wstring(513, L'b') + L".exe";
  ASSERT_EQ(fits.size(), 519u);
  Program(100, fits);
  Window(100, L"fits");
  Program(101, tooLong);
  Window(101, L"too long");

  tracker.Refresh();

  ASSERT_EQ(tracker.Apps().size(), 1u);
  EXPECT_EQ(tracker.Apps()[0].exePath, fits);
}

TEST_F(WindowIdentityTest, EmptyTitleFallsBackToTheProgramName) {
  Program(100, kNotepadPath);
  system.SetShellDisplayName(kNotepadPath, L"Notepad.exe");
  Window(100, L"");
  Program(101, L"C:\\Tools\\Viewer.exe");
  system.SetShellDisplayName(L"C:\\Tools\\Viewer.exe", std::nullopt);  // the shell cannot name it
  Window(101, L"");
  Program(102, L"", L"Contoso.Player_abc!App");
  Window(102, L"");

  tracker.Refresh();

  ASSERT_EQ(tracker.Apps().size(), 3u);
  EXPECT_EQ(tracker.Apps()[0].windows[0].title, L"Notepad");
  EXPECT_EQ(tracker.Apps()[1].windows[0].title, L"Viewer");
  EXPECT_EQ(tracker.Apps()[2].windows[0].title, L"Contoso.Player_abc!App");
  EXPECT_EQ(tracker.Apps()[2].displayName, L"Contoso.Player_abc!App");
}

TEST_F(WindowIdentityTest, TitleIsCutToTheBuffer) {
  Program(100, kNotepadPath);
  Window(100, std::wstring(300, L'x'));
  tracker.Refresh();
  ASSERT_EQ(tracker.Apps().size(), 1u);
  EXPECT_EQ(tracker.Apps()[0].windows[0].title, std::wstring(255, L'x'));
}

TEST_F(WindowIdentityTest, AumidTwoCallProtocol) {
  struct Case {
    const char* name;
    std::optional<long> lengthResult;  // forced answer of the first call
    bool readFails;
    bool hasAumid;
  };
  const Case cases[] = {
      {"both calls answer", std::nullopt, false, true},
      {"length query succeeds without a buffer", kErrorSuccess, false, false},
      {"length query: no package identity", kAppModelErrorNoApplication, false, false},
      {"length query: invalid parameter", 87, false, false},
      {"second call fails", std::nullopt, true, false},
  };
  // One program per case, each with a path of its own so none group together.
  std::uint32_t processId = 100;
  for (const Case& c : cases) {
    FakeProcess process;
    process.imagePath = L"C:\\Apps\\Calc" + std::to_wstring(processId) + L".exe";
    process.aumid = L"Contoso.Calc" + std::to_wstring(processId) + L"!App";
    process.aumidLengthResult = c.lengthResult;
    process.aumidReadFails = c.readFails;
    system.AddProcess(processId, process);
    Window(processId, L"Calculator");
    ++processId;
  }

  tracker.Refresh();

  ASSERT_EQ(tracker.Apps().size(), std::size(cases));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].name);
    const TrackedApp& app = tracker.Apps()[i];
    const std::wstring n = std::to_wstring(100 + i);
    if (cases[i].hasAumid) {
      EXPECT_EQ(app.aumid, L"Contoso.Calc" + n + L"!App");
      EXPECT_EQ(app.key, L"aumid:contoso.calc" + n + L"!app");
    } else {
      EXPECT_EQ(app.aumid, L"");
      EXPECT_EQ(app.key, L"exe:c:\\apps\\calc" + n + L".exe");
    }
  }
  EXPECT_EQ(system.OpenProcessHandleCount(), 0u);
}

TEST_F(WindowIdentityTest, AumidHasNoTrailingTerminator) {
  Program(100, kCalculatorPath, kCalculatorAumid);
  const ProcessHandle process = system.OpenProcessForQuery(100);
  const std::wstring aumid = ReadApplicationUserModelId(system, process);
  system.CloseProcess(process);
  EXPECT_EQ(aumid, kCalculatorAumid);
  EXPECT_EQ(aumid.size(), std::wstring(kCalculatorAumid).size());
}

struct DisplayNameCase {
  const wchar_t* path;
  std::optional<std::wstring> shellName;  // nullopt: the shell lookup fails
  const wchar_t* expected;
};

TEST(DisplayNameFromPathTest, ShellNameLessExtensionElseStem) {
  const DisplayNameCase cases[] = {
      {L"C:\\Apps\\notepad.exe", L"notepad.exe", L"notepad"},
      {L"C:\\Apps\\Tool.lnk", L"Tool.LNK", L"Tool"},
      {L"C:\\Apps\\Tool.EXE", L"Tool.Exe", L"Tool"},
      {L"C:\\Apps\\a.exe", L"a.exe", L"a"},
      {L"C:\\Apps\\.exe", L".exe", L".exe"},        // nothing would be left
      {L"C:\\Apps\\Word.exe", L"Word", L"Word"},    // extensions hidden by the shell
      {L"C:\\Apps\\setup.msi", L"setup.msi", L"setup.msi"},
      {L"C:\\Apps\\Paint.exe", L"", L"Paint"},      // an empty shell name counts as none
      {L"C:\\Apps\\My.Tool.exe", std::nullopt, L"My.Tool"},
      {L"C:\\Apps\\README", std::nullopt, L"README"},
      {L"C:\\Apps.d\\runner", std::nullopt, L"runner"},
      {L"C:\\Apps\\.", std::nullopt, L"."},
      {L"C:\\Apps\\..", std::nullopt, L".."},
      {L"C:\\Apps\\.exe", std::nullopt, L""},
      {L"C:/Apps/viewer.exe", std::nullopt, L"viewer"},
      {L"plain.exe", std::nullopt, L"plain"},
      {L"", std::nullopt, L""},
  };
  for (const DisplayNameCase& c : cases) {
    FakeWindowSystem system;
    system.SetShellDisplayName(c.path, c.shellName);
    EXPECT_EQ(DisplayNameFromPath(system, c.path), c.expected)
        << WideToUtf8(c.path) << " / " << WideToUtf8(c.shellName.value_or(L"<fails>"));
  }
}

}  // namespace
}  // namespace orvane::testing
