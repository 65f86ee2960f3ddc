// The setup program's install and uninstall runs against a fake machine.
#include <gtest/gtest.h>

#include "CapturedLog.h"
#include "InstallerFakePlatform.h"
#include "RunningInstance.h"
#include "SetupFlow.h"
#include "SetupText.h"

namespace orvane {
namespace {

using testing::FakeSetupPlatform;
using testing::TestFolders;

const std::wstring kRun = kRunKey;
const std::wstring kUninstall = kUninstallKey;

class InstallerFlowTest : public ::testing::Test {
 protected:
  // An earlier installation that enabled start at sign-in.
  void SeedEarlierRunValue() { fake.registry[kRun][L"Orvane"] = RunValue(paths); }
  bool HasRunValue() { return fake.registry[kRun].count(L"Orvane") > 0; }

  int Install(const wchar_t* commandLine = L"Orvane-Setup.exe") {
    return RunSetup(fake, ParseSetupCommandLine(commandLine), paths);
  }

  FakeSetupPlatform fake;
  SetupPaths paths = MakeSetupPaths(TestFolders());
};

TEST_F(InstallerFlowTest, DialogOffersBothLinksWithTheInstallDirectory) {
  Install();
  ASSERT_EQ(fake.dialogs.size(), 1u);
  const InstallDialogSpec& dialog = fake.dialogs[0];
  EXPECT_EQ(dialog.title, L"安装 Orvane v3.0.0 — Lumaro");
  EXPECT_EQ(dialog.mainInstruction, L"欢迎安装 Orvane v3.0.0");
  EXPECT_EQ(dialog.content, std::wstring(kDialogContentIntro) + paths.installDirectory);
  EXPECT_TRUE(dialog.content.starts_with(L"原生 C++20 / DirectComposition"));
  ASSERT_EQ(dialog.buttons.size(), 2u);
  EXPECT_EQ(dialog.buttons[0].id, 1001);
  EXPECT_EQ(dialog.buttons[0].text, L"立即安装并启动 Orvane\n安装到当前用户目录，创建桌面与开始菜单快捷方式");
  EXPECT_EQ(dialog.buttons[1].id, 1002);
  EXPECT_EQ(dialog.buttons[1].text, L"仅安装（不立即启动）\n完成文件部署和快捷方式创建后关闭向导");
  EXPECT_EQ(dialog.defaultButton, 1001);
  EXPECT_EQ(dialog.checkBoxText, L"随 Windows 开机自动启动 Orvane");
}

TEST_F(InstallerFlowTest, CancelledOrFailedDialogChangesNothing) {
  const std::optional<DialogResult> outcomes[] = {
      std::nullopt,              // TaskDialogIndirect failed
      DialogResult{2, true},     // Cancel / Escape / close box
      DialogResult{0, false},
  };
  for (const auto& outcome : outcomes) {
    FakeSetupPlatform machine;
    machine.instanceRunning = true;
    machine.registry[kRun][L"Orvane"] = RunValue(paths);
    machine.dialogResult = outcome;
    EXPECT_EQ(RunSetup(machine, {}, paths), 0);
    EXPECT_EQ(machine.journal, std::vector<std::wstring>{L"dialog"});
    EXPECT_TRUE(machine.registry[kRun].count(L"Orvane"));
  }
}

TEST_F(InstallerFlowTest, InstallAndLaunchWritesEverythingThenStartsTheProgram) {
  fake.instanceRunning = true;
  fake.dialogResult = DialogResult{1001, false};
  EXPECT_EQ(Install(), 0);

  EXPECT_EQ(fake.files[paths.programFile], fake.payload);
  EXPECT_EQ(fake.files.count(paths.programNewFile), 0u);
  EXPECT_EQ(fake.files[paths.uninstallerFile], fake.selfBytes);
  EXPECT_EQ(fake.shortcuts.size(), 2u);
  EXPECT_EQ(fake.shortcuts[paths.desktopShortcut], Shortcuts(paths)[0]);
  EXPECT_EQ(fake.shortcuts[paths.startMenuShortcut], Shortcuts(paths)[1]);
  EXPECT_FALSE(HasRunValue());
  EXPECT_EQ(fake.registry[kUninstall].size(), UninstallValues(paths).size());
  for (const RegistryValue& value : UninstallValues(paths)) EXPECT_EQ(fake.registry[kUninstall][value.name], value);
  EXPECT_TRUE(fake.messages.empty());

  // The old instance is told to quit before its file is replaced, which is
  // written beside it and moved over it; the program starts last, from its
  // own folder.
  const std::vector<std::wstring> changes = fake.Changes();
  ASSERT_GE(changes.size(), 2u);
  EXPECT_EQ(changes[0], L"write " + paths.programNewFile);
  EXPECT_EQ(changes[1], L"move " + paths.programNewFile + L" -> " + paths.programFile);
  EXPECT_EQ(changes.back(), L"open " + paths.programFile + L" in " + paths.installDirectory);
  const auto posted = std::find(fake.journal.begin(), fake.journal.end(), L"post-close");
  const auto writtenAt = std::find(fake.journal.begin(), fake.journal.end(), changes.front());
  EXPECT_LT(posted, writtenAt);
}

TEST_F(InstallerFlowTest, InstallOnlyReportsSuccessAndDoesNotLaunch) {
  fake.dialogResult = DialogResult{1002, false};
  EXPECT_EQ(Install(), 0);
  EXPECT_EQ(fake.files.count(paths.programFile), 1u);
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].caption, L"安装完成");
  EXPECT_EQ(fake.messages[0].text, L"Orvane v3.0.0（Lumaro）已成功安装！可从桌面或开始菜单启动。");
  EXPECT_EQ(fake.messages[0].style, MessageStyle::Information);
  for (const std::wstring& change : fake.Changes()) EXPECT_FALSE(change.starts_with(L"open ")) << change;
}

TEST_F(InstallerFlowTest, CheckBoxDecidesTheRunValue) {
  struct Case {
    bool earlierValue;
    bool checked;
  };
  for (const Case c : {Case{false, true}, Case{true, true}, Case{true, false}, Case{false, false}}) {
    FakeSetupPlatform machine;
    if (c.earlierValue) machine.registry[kRun][L"Orvane"] = {L"Orvane", RegistryType::String, L"\"old.exe\"", 0};
    machine.dialogResult = DialogResult{1001, c.checked};
    EXPECT_EQ(RunSetup(machine, {}, paths), 0);
    if (c.checked) {
      EXPECT_EQ(machine.registry[kRun][L"Orvane"], RunValue(paths));
    } else {
      EXPECT_EQ(machine.registry[kRun].count(L"Orvane"), 0u) << "earlier value " << c.earlierValue;
    }
  }
}

TEST_F(InstallerFlowTest, SilentInstallLaunchesWithoutAnyWindowOrAutoStart) {
  SeedEarlierRunValue();
  EXPECT_EQ(Install(L"\"C:\\Downloads\\Orvane-Setup.exe\" /S"), 0);
  EXPECT_TRUE(fake.dialogs.empty());
  EXPECT_TRUE(fake.messages.empty());
  EXPECT_FALSE(HasRunValue());
  EXPECT_EQ(fake.files[paths.programFile], fake.payload);
  EXPECT_EQ(fake.Changes().back(), L"open " + paths.programFile + L" in " + paths.installDirectory);
}

TEST_F(InstallerFlowTest, FailedWriteExitsOneAndChangesNothingElse) {
  struct Case {
    const wchar_t* what;
    bool silent;
    bool emptyPayload;
    bool diskFull;     // the new file stops half-way
    bool programHeld;  // the old program cannot be replaced
  };
  const Case cases[] = {
      {L"old program held open", false, false, false, true},
      {L"old program held open, silent", true, false, false, true},
      {L"disk full", false, false, true, false},
      {L"disk full, silent", true, false, true, false},
      {L"no payload", false, true, false, false},
      {L"no payload, silent", true, true, false, false},
  };
  const std::vector<std::uint8_t> oldProgram = {'M', 'Z', 'O', 'L', 'D'};
  for (const Case& c : cases) {
    FakeSetupPlatform machine;
    CapturedLog log;
    machine.registry[kRun][L"Orvane"] = RunValue(paths);
    machine.files[paths.programFile] = oldProgram;  // an earlier installation
    machine.failWrites = c.diskFull;
    if (c.programHeld) machine.heldFiles.insert(paths.programFile);
    if (c.emptyPayload) machine.payload.clear();
    const auto before = machine.registry;

    EXPECT_EQ(RunSetup(machine, {.silent = c.silent}, paths), 1) << c.what;
    // The old program is untouched and no partial new one is left behind.
    EXPECT_EQ(machine.files, (std::map<std::wstring, std::vector<std::uint8_t>>{{paths.programFile, oldProgram}}))
        << c.what;
    EXPECT_TRUE(machine.shortcuts.empty()) << c.what;
    EXPECT_EQ(machine.registry, before) << c.what;
    for (const std::wstring& change : machine.Changes()) {
      EXPECT_TRUE(change.starts_with(L"write " + paths.programNewFile) || change.starts_with(L"move ") ||
                  change == L"remove " + paths.programNewFile)
          << c.what << ": " << change;
    }
    ASSERT_FALSE(log.lines.empty()) << c.what;
    EXPECT_NE(log.lines.back().find(L"Setup: could not write " + paths.programFile), std::wstring::npos) << c.what;
    if (c.silent) {
      EXPECT_TRUE(machine.messages.empty()) << c.what;
    } else {
      ASSERT_EQ(machine.messages.size(), 1u) << c.what;
      EXPECT_EQ(machine.messages[0].caption, L"Orvane 安装失败");
      EXPECT_EQ(machine.messages[0].text, L"无法写入 Orvane.exe，请先关闭正在运行的 Orvane 后重试。");
      EXPECT_EQ(machine.messages[0].style, MessageStyle::Error);
    }
  }
}

TEST_F(InstallerFlowTest, InstallReplacesAnEarlierProgramWhole) {
  fake.files[paths.programFile] = {'M', 'Z', 'O', 'L', 'D'};
  fake.files[paths.programNewFile] = {'s', 't', 'a', 'l', 'e'};  // left by a setup that was cut off
  EXPECT_EQ(Install(L"Orvane-Setup.exe /S"), 0);
  EXPECT_EQ(fake.files[paths.programFile], fake.payload);
  EXPECT_EQ(fake.files.count(paths.programNewFile), 0u);
}

class UninstallTest : public InstallerFlowTest {
 protected:
  void SetUp() override {
    fake.dialogResult = DialogResult{1001, true};
    ASSERT_EQ(Install(), 0);
    fake.journal.clear();
    fake.messages.clear();
    fake.instanceRunning = true;
  }
};

TEST_F(UninstallTest, SilentUninstallRemovesEverythingInOrder) {
  EXPECT_EQ(RunSetup(fake, ParseSetupCommandLine(L"\"C:\\P\\Orvane-Uninstall.exe\" /uninstall /S"), paths), 0);
  EXPECT_TRUE(fake.messages.empty());

  const std::vector<std::wstring> expected = {
      L"find OrvaneRenderWindow",
      L"open-process",
      L"post-close",
      L"sleep 100",
      L"delete-value " + kRun + L"|Orvane",
      L"remove " + paths.desktopShortcut,
      L"remove " + paths.startMenuShortcut,
      L"remove " + paths.programFile,
      L"delete-tree " + kUninstall,
  };
  EXPECT_EQ(fake.journal, expected);
  EXPECT_FALSE(HasRunValue());
  EXPECT_EQ(fake.registry.count(kUninstall), 0u);
  EXPECT_TRUE(fake.shortcuts.empty());
  // The running uninstaller cannot delete itself; it stays behind.
  ASSERT_EQ(fake.files.size(), 1u);
  EXPECT_EQ(fake.files.begin()->first, paths.uninstallerFile);
}

TEST_F(UninstallTest, ConfirmedUninstallAsksAndReports) {
  fake.answer = MessageAnswer::Yes;
  EXPECT_EQ(RunSetup(fake, {.uninstall = true}, paths), 0);
  ASSERT_EQ(fake.messages.size(), 2u);
  EXPECT_EQ(fake.messages[0].caption, L"卸载 Orvane");
  EXPECT_EQ(fake.messages[0].text, L"确定要卸载 Orvane 吗？（将自动恢复 Windows 原生任务栏）");
  EXPECT_EQ(fake.messages[0].style, MessageStyle::Question);
  EXPECT_EQ(fake.messages[1].caption, L"卸载 Orvane");
  EXPECT_EQ(fake.messages[1].text, L"Orvane 已安全卸载完成。");
  EXPECT_EQ(fake.messages[1].style, MessageStyle::Information);
  EXPECT_EQ(fake.files.count(paths.programFile), 0u);
  EXPECT_EQ(fake.journal.back(), L"message 卸载 Orvane");
}

TEST_F(UninstallTest, ProgramFileThatStaysKeepsTheEntryAndIsReported) {
  struct Case {
    const char* what;
    bool silent;
    bool programHeld;     // a copy still running after the wait
    bool programMissing;  // removed by hand before
    int exitCode;
  };
  const Case cases[] = {
      {"held", false, true, false, 2},
      {"held, silent", true, true, false, 2},
      {"already gone", false, false, true, 0},
      {"already gone, silent", true, false, true, 0},
  };
  for (const Case& c : cases) {
    FakeSetupPlatform machine;
    machine.dialogResult = DialogResult{1001, true};
    ASSERT_EQ(RunSetup(machine, {}, paths), 0);
    machine.messages.clear();
    machine.answer = MessageAnswer::Yes;
    if (c.programHeld) machine.heldFiles.insert(paths.programFile);
    if (c.programMissing) machine.files.erase(paths.programFile);
    CapturedLog log;

    EXPECT_EQ(RunSetup(machine, {.silent = c.silent, .uninstall = true}, paths), c.exitCode) << c.what;
    const bool kept = c.programHeld;
    EXPECT_EQ(machine.files.count(paths.programFile), kept ? 1u : 0u) << c.what;
    EXPECT_EQ(machine.registry.count(kUninstall), kept ? 1u : 0u) << c.what;
    if (kept) {
      EXPECT_EQ(machine.registry[kUninstall].size(), UninstallValues(paths).size()) << c.what;
    }
    EXPECT_TRUE(machine.shortcuts.empty()) << c.what;

    std::vector<std::wstring> texts;
    for (const auto& message : machine.messages) texts.push_back(message.text);
    std::vector<std::wstring> expected;
    if (!c.silent) {
      expected = {kUninstallQuestion, kept ? L"Orvane 未能完全卸载：程序文件仍在使用中。" : L"Orvane 已安全卸载完成。"};
      EXPECT_EQ(machine.messages.back().caption, L"卸载 Orvane") << c.what;
      EXPECT_EQ(machine.messages.back().style, kept ? MessageStyle::Error : MessageStyle::Information) << c.what;
    }
    EXPECT_EQ(texts, expected) << c.what;
    const bool logged = !log.lines.empty() &&
                        log.lines.back().find(L"Setup: could not remove " + paths.programFile) != std::wstring::npos;
    EXPECT_EQ(logged, kept) << c.what;
  }
}

TEST_F(UninstallTest, DeclinedUninstallChangesNothing) {
  for (const MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Other}) {
    fake.answer = answer;
    fake.journal.clear();
    EXPECT_EQ(RunSetup(fake, {.uninstall = true}, paths), 0);
    EXPECT_EQ(fake.journal, std::vector<std::wstring>{L"message 卸载 Orvane"});
  }
  EXPECT_TRUE(HasRunValue());
  EXPECT_EQ(fake.files.size(), 2u);
  EXPECT_EQ(fake.shortcuts.size(), 2u);
}

TEST(CloseRunningInstanceTest, WaitsForTheWindowAndItsProcess) {
  struct Case {
    const char* what;
    bool running;
    bool processOpenable;
    int windowGoneAfter;
    int processExitsAfter;  // -1: never
    int expectedSleeps;
  };
  const Case cases[] = {
      {"nothing running", false, true, 0, 0, 0},
      {"window and process gone at once", true, true, 0, 0, 1},
      {"process outlives its window by five polls", true, true, 0, 6, 6},
      {"process ends before its window", true, true, 4, 1, 4},
      {"process never exits", true, true, 0, -1, 20},
      {"window never goes", true, true, 1000, 0, 20},
      {"process cannot be opened", true, false, 3, -1, 3},
  };
  for (const Case& c : cases) {
    FakeSetupPlatform fake;
    fake.instanceRunning = c.running;
    fake.processOpenable = c.processOpenable;
    fake.windowGoneAfterSleeps = c.windowGoneAfter;
    fake.processExitsAfterSleeps = c.processExitsAfter;
    CloseRunningInstance(fake);
    EXPECT_EQ(fake.sleeps, c.expectedSleeps) << c.what;
    const bool posted = std::count(fake.journal.begin(), fake.journal.end(), L"post-close") == 1;
    EXPECT_EQ(posted, c.running) << c.what;
    if (c.running) {
      // The owner is looked up while the window still exists.
      EXPECT_LT(std::find(fake.journal.begin(), fake.journal.end(), L"open-process"),
                std::find(fake.journal.begin(), fake.journal.end(), L"post-close"))
          << c.what;
    }
  }
}

}  // namespace
}  // namespace orvane
