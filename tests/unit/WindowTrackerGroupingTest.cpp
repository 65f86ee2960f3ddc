#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WindowTrackerDesktop.h"

namespace orvane::testing {
namespace {

constexpr const wchar_t* kNotepadKey = L"exe:c:\\windows\\system32\\notepad.exe";
constexpr const wchar_t* kEditorPath = L"C:\\Apps\\Editor.exe";
constexpr const wchar_t* kEditorKey = L"exe:c:\\apps\\editor.exe";

using WindowTrackerGroupingTest = TrackerDesktop;

TEST_F(WindowTrackerGroupingTest, TwoWindowsOfOneProgramMakeOneApp) {
  Program(100, kNotepadPath);
  const WindowHandle top = Window(100, L"a.txt - Notepad");
  const WindowHandle below = Window(100, L"b.txt - Notepad");

  tracker.Refresh();

  ASSERT_EQ(tracker.Apps().size(), 1u);
  const TrackedApp& app = tracker.Apps()[0];
  EXPECT_EQ(app.key, kNotepadKey);
  EXPECT_EQ(app.displayName, L"notepad");  // the shell's "notepad.exe" without ".exe"
  EXPECT_EQ(app.exePath, kNotepadPath);
  EXPECT_EQ(app.exePathLower, L"c:\\windows\\system32\\notepad.exe");
  EXPECT_EQ(TrackedHandles(), (std::vector<WindowHandle>{top, below}));
  EXPECT_EQ(app.windows[0].title, L"a.txt - Notepad");
  EXPECT_EQ(app.processIds, std::vector<std::uint32_t>{100});
}

TEST_F(WindowTrackerGroupingTest, ProcessesOfOneProgramShareTheApp) {
  Program(100, kEditorPath);
  Program(101, L"C:\\APPS\\EDITOR.EXE");  // same file, other spelling
  Window(101, L"second instance");
  Window(100, L"first instance");
  Window(101, L"second instance, other window");

  tracker.Refresh();

  ASSERT_EQ(Keys(), std::vector<std::wstring>{kEditorKey});
  const TrackedApp& app = tracker.Apps()[0];
  EXPECT_EQ(app.processIds, (std::vector<std::uint32_t>{101, 100}));
  EXPECT_EQ(app.windows.size(), 3u);
  EXPECT_EQ(app.exePath, L"C:\\APPS\\EDITOR.EXE");  // the topmost window's process decides
}

TEST_F(WindowTrackerGroupingTest, AppsFollowTheirTopmostWindow) {
  Program(100, kNotepadPath);
  Program(200, kEditorPath);
  const WindowHandle notepad1 = Window(100, L"n1");
  const WindowHandle editor = Window(200, L"e1");
  const WindowHandle notepad2 = Window(100, L"n2");

  tracker.Refresh();
  EXPECT_EQ(Keys(), (std::vector<std::wstring>{kNotepadKey, kEditorKey}));
  EXPECT_EQ(TrackedHandles(), (std::vector<WindowHandle>{notepad1, notepad2, editor}));

  system.BringToTop(editor);
  tracker.Refresh();
  EXPECT_EQ(Keys(), (std::vector<std::wstring>{kEditorKey, kNotepadKey}));

  system.DestroyWindow(editor);
  tracker.Refresh();
  EXPECT_EQ(Keys(), std::vector<std::wstring>{kNotepadKey});
}

TEST_F(WindowTrackerGroupingTest, FirstWindowDecidesNameAndPaths) {
  // Two executables of one packaged app share its AUMID and so its key.
  const std::wstring aumid = L"Contoso.Studio_abc!App";
  Program(100, L"C:\\Program Files\\WindowsApps\\Contoso.Studio\\Studio.exe", aumid);
  Program(101, L"C:\\Program Files\\WindowsApps\\Contoso.Studio\\Helper.exe", aumid);
  system.SetShellDisplayName(L"C:\\Program Files\\WindowsApps\\Contoso.Studio\\Helper.exe", L"Studio Helper");
  Window(101, L"Export");
  Window(100, L"Main");

  tracker.Refresh();

  ASSERT_EQ(tracker.Apps().size(), 1u);
  const TrackedApp& app = tracker.Apps()[0];
  EXPECT_EQ(app.key, L"aumid:contoso.studio_abc!app");
  EXPECT_EQ(app.displayName, L"Studio Helper");
  EXPECT_EQ(app.exePath, L"C:\\Program Files\\WindowsApps\\Contoso.Studio\\Helper.exe");
  EXPECT_EQ(app.processIds, (std::vector<std::uint32_t>{101, 100}));
}

TEST_F(WindowTrackerGroupingTest, DisplayNameFallsBackToTheTitle) {
  Program(100, L"", L"Contoso.Player_abc!App");  // no readable path
  Window(100, L"Now Playing");
  Program(101, L"C:\\Apps\\.exe");
  system.SetShellDisplayName(L"C:\\Apps\\.exe", std::nullopt);  // stem of ".exe" is empty
  Window(101, L"Odd Tool");

  tracker.Refresh();

  ASSERT_EQ(tracker.Apps().size(), 2u);
  EXPECT_EQ(tracker.Apps()[0].displayName, L"Now Playing");
  EXPECT_EQ(tracker.Apps()[1].displayName, L"Odd Tool");
}

TEST_F(WindowTrackerGroupingTest, WindowStateAndFrontmostApp) {
  Program(100, kNotepadPath);
  Program(200, kEditorPath);
  system.SetShellDisplayName(kEditorPath, L"Editor.exe");
  Window(100, L"n1");
  FakeWindow minimised;
  minimised.processId = 100;
  minimised.iconic = true;
  minimised.rect = {-32000, -32000, -31840, -31972};
  const WindowHandle notepadMinimised = system.AddWindow(minimised);
  const WindowHandle editor = Window(200, L"e1");
  FakeWindow desktop;
  desktop.processId = 300;
  desktop.className = L"Progman";
  const WindowHandle desktopWindow = system.AddWindow(desktop);

  tracker.Refresh();
  EXPECT_EQ(tracker.FrontmostAppName(), L"桌面");
  EXPECT_EQ(tracker.LastForegroundWindow(), kNoWindow);

  system.SetForeground(editor);
  tracker.Refresh();
  EXPECT_EQ(tracker.FrontmostAppName(), L"Editor");
  EXPECT_EQ(tracker.LastForegroundWindow(), editor);
  ASSERT_EQ(tracker.Apps().size(), 2u);
  const TrackedApp& notepad = tracker.Apps()[0];
  EXPECT_FALSE(notepad.windows[0].minimized);
  EXPECT_EQ(notepad.windows[1].hwnd, notepadMinimised);
  EXPECT_TRUE(notepad.windows[1].minimized);
  EXPECT_FALSE(notepad.windows[0].foreground);
  EXPECT_TRUE(tracker.Apps()[1].windows[0].foreground);

  // One of our own windows (a menu) or no window at all in front: the
  // editor stays the frontmost application.
  FakeWindow menu;
  menu.processId = system.CurrentProcessId();
  const WindowHandle ownMenu = system.AddWindow(menu);
  for (WindowHandle front : {ownMenu, kNoWindow}) {
    system.SetForeground(front);
    tracker.Refresh();
    EXPECT_EQ(tracker.FrontmostAppName(), L"Editor");
    EXPECT_EQ(tracker.FrontmostWindow(), editor);
    EXPECT_EQ(tracker.LastForegroundWindow(), front);
  }

  // The desktop has the focus: not tracked, so no app is frontmost.
  system.SetForeground(desktopWindow);
  tracker.Refresh();
  EXPECT_EQ(tracker.FrontmostAppName(), L"桌面");
  EXPECT_EQ(tracker.LastForegroundWindow(), desktopWindow);
  EXPECT_EQ(tracker.FrontmostWindow(), desktopWindow);
}

TEST_F(WindowTrackerGroupingTest, EmptyDesktop) {
  tracker.Refresh();
  EXPECT_TRUE(tracker.Apps().empty());
  EXPECT_EQ(tracker.FrontmostAppName(), kDesktopAppName);
}

}  // namespace
}  // namespace orvane::testing
