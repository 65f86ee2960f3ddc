#pragma once
// A ShellCommands that records each command as text, so a table can say
// what a click or a message asked the shell for.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "app/TextUtil.h"
#include "ui/ShellCommands.h"

namespace orvane::testing {

class RecordingShellCommands final : public ShellCommands {
 public:
  // "launcher grid", "control center 2", "stack <name> <folder>", "item menu 3", ...
  std::vector<std::wstring> calls;
  std::vector<ShellCommandArgs> args;
  int presses = 0;
  int drags = 0;
  std::map<ShellQuery, std::int64_t> answers;

  bool Run(ShellCommand command, const ShellCommandArgs& a) override {
    if (command == ShellCommand::DockPressed) {
      ++presses;
      return true;
    }
    if (command == ShellCommand::DockDragStarted) {
      ++drags;
      return true;
    }
    std::wstring text = Utf8ToWide(ShellCommandName(command));
    if (command == ShellCommand::OpenControlCenter) text += L" " + std::to_wstring(a.page);
    if (command == ShellCommand::OpenStack) text = L"stack " + a.name + L" " + a.path;
    if (command == ShellCommand::OpenItemMenu) text += L" " + std::to_wstring(a.item);
    calls.push_back(text);
    args.push_back(a);
    return true;
  }
  bool Handles(ShellCommand) const override { return true; }
  std::int64_t Query(ShellQuery query) override {
    const auto it = answers.find(query);
    return it == answers.end() ? 0 : it->second;
  }
};

}  // namespace orvane::testing
