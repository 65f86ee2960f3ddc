#include "config/ConfigDefaults.h"

#include "app/TextUtil.h"

namespace orvane {

PinProbe ProcessPinProbe() {
  return PinProbe{[](const std::wstring& text) { return ExpandEnvironment(text); },
                  [](const std::wstring& path) { return PathExists(path); }};
}

const std::wstring& WelcomeNote() {
  static const std::wstring note =
      L"欢迎使用 Orvane v3.0（开发者：Lumaro）\n"
      L"• Dock 左侧「启动台」可查看全部应用并一键固定到 Dock\n"
      L"• 悬停 Dock 音乐图标弹出歌词与播放控制；Ctrl+Alt+T 随时恢复原生任务栏";
  return note;
}

std::vector<WidgetConfig> DefaultWidgets() {
  return {
      {L"clock_1", L"clock", 36.0f, 52.0f, true},
      {L"weather_1", L"weather", 300.0f, 52.0f, true},
      {L"calendar_1", L"calendar", 36.0f, 224.0f, false},
      {L"sysmon_1", L"sysmon", 300.0f, 224.0f, true},
      {L"note_1", L"note", 36.0f, 444.0f, false},
  };
}

bool IsNonFileTarget(const std::wstring& expandedTarget) {
  for (size_t i = 0; i < expandedTarget.size(); ++i) {
    if (expandedTarget[i] == L':' && i != 1) return true;
  }
  return false;
}

std::vector<DockItemConfig> FirstRunPinned(const PinProbe& probe) {
  struct Candidate {
    const wchar_t* name;
    const wchar_t* target;
  };
  static const Candidate kCandidates[] = {
      {L"文件资源管理器", L"%WINDIR%\\explorer.exe"},
      {L"Microsoft Edge", L"%ProgramFiles(x86)%\\Microsoft\\Edge\\Application\\msedge.exe"},
      {L"Google Chrome", L"%ProgramFiles%\\Google\\Chrome\\Application\\chrome.exe"},
      {L"Windows 终端", L"%LOCALAPPDATA%\\Microsoft\\WindowsApps\\wt.exe"},
      {L"记事本", L"%WINDIR%\\System32\\notepad.exe"},
      {L"计算器", L"shell:AppsFolder\\Microsoft.WindowsCalculator_8wekyb3d8bbwe!App"},
      {L"设置", L"ms-settings:"},
  };

  std::vector<DockItemConfig> pinned;
  for (const Candidate& c : kCandidates) {
    const std::wstring target = c.target;
    const std::wstring expanded = probe.expand ? probe.expand(target) : target;
    // Shell paths and URIs cannot be checked on disk; they are kept as they are.
    if (IsNonFileTarget(expanded) || (probe.exists && probe.exists(expanded))) {
      pinned.push_back(DockItemConfig{c.name, target, {}, {}});
    }
  }
  if (pinned.empty()) {
    pinned.push_back(DockItemConfig{L"资源管理器", L"%WINDIR%\\explorer.exe", {}, {}});
    pinned.push_back(DockItemConfig{L"记事本", L"%WINDIR%\\System32\\notepad.exe", {}, {}});
  }
  return pinned;
}

DockConfig FirstRunDefaults(const PinProbe& probe) {
  DockConfig config;
  config.quickNote = WelcomeNote();
  config.widgets = DefaultWidgets();
  config.pinned = FirstRunPinned(probe);
  return config;
}

}  // namespace orvane
