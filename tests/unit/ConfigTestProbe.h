#pragma once
// A pretend Windows machine for first-run pinning: a fixed environment and a
// set of files that exist. Records which paths were looked up.

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/TextUtil.h"
#include "config/ConfigDefaults.h"

namespace orvane::testing {

struct FakeMachine {
  std::map<std::wstring, std::wstring> environment{
      {L"WINDIR", L"C:\\Windows"},
      {L"ProgramFiles", L"C:\\Program Files"},
      {L"ProgramFiles(x86)", L"C:\\Program Files (x86)"},
      {L"LOCALAPPDATA", L"C:\\Users\\u\\AppData\\Local"},
  };
  std::set<std::wstring> files;
  std::vector<std::wstring> lookedUp;

  static inline const std::wstring kExplorer = L"C:\\Windows\\explorer.exe";
  static inline const std::wstring kEdge = L"C:\\Program Files (x86)\\Microsoft\\Edge\\Application\\msedge.exe";
  static inline const std::wstring kChrome = L"C:\\Program Files\\Google\\Chrome\\Application\\chrome.exe";
  static inline const std::wstring kTerminal = L"C:\\Users\\u\\AppData\\Local\\Microsoft\\WindowsApps\\wt.exe";
  static inline const std::wstring kNotepad = L"C:\\Windows\\System32\\notepad.exe";

  // A typical installation: everything but Chrome.
  static std::shared_ptr<FakeMachine> Typical() {
    auto machine = std::make_shared<FakeMachine>();
    machine->files = {kExplorer, kEdge, kTerminal, kNotepad};
    return machine;
  }
};

inline PinProbe ProbeOf(const std::shared_ptr<FakeMachine>& machine) {
  return PinProbe{
      [machine](const std::wstring& text) {
        return ExpandEnvironmentWith(text, [machine](const std::wstring& name) -> std::optional<std::wstring> {
          const auto it = machine->environment.find(name);
          if (it == machine->environment.end()) return std::nullopt;
          return it->second;
        });
      },
      [machine](const std::wstring& path) {
        machine->lookedUp.push_back(path);
        return machine->files.count(path) > 0;
      }};
}

}  // namespace orvane::testing
