#include "dock/DockMenuHost.h"

#include <utility>

#include "dock/DockController.h"

namespace orvane {

DockMenuHost::DockMenuHost(DockController& dock, ShellCommands& commands, const DockConfig& config,
                           DockMenuActions& actions, DockMenuProbes probes, DockMenuPresenter present)
    : dock_(dock),
      commands_(commands),
      config_(config), actions_(actions), probes_(std::move(probes)), present_(std::move(present)) {}

ShellAnchor DockMenuHost::AnchorOf(const ShellCommandArgs& args) const {
  if (args.anchor) return *args.anchor;
  return probes_.cursor ? probes_.cursor() : ShellAnchor{};
}

void DockMenuHost::Run(ShellCommand command, const ShellCommandArgs& args) {
  switch (command) {
    case ShellCommand::OpenItemMenu:
      ShowItemMenu(args.item, AnchorOf(args));
      return;
    case ShellCommand::OpenDockMenu:
      ShowGlobalMenu(AnchorOf(args));
      return;
    case ShellCommand::OpenPowerMenu:
      ShowPowerMenu(AnchorOf(args));
      return;
    default:
      return;
  }
}

void DockMenuHost::ShowItemMenu(int index, ShellAnchor at) {
  const DockItemList& items = dock_.items();
  if (index < 0 || static_cast<std::size_t>(index) >= items.size()) return;
  const DockItem& item = items[static_cast<std::size_t>(index)];
  switch (item.kind) {
    case DockItemKind::Separator:
      return;
    case DockItemKind::NotificationArea: {
      ShellCommandArgs args;
      args.anchor = at;
      commands_.Run(ShellCommand::ToggleTrayPopup, args);
      return;
    }
    case DockItemKind::Power:
      ShowPowerMenu(at);
      return;
    default:
      break;
  }
  const std::wstring& target = item.launchInfo.target.empty() ? item.config.target : item.launchInfo.target;
  const bool exists = probes_.pathExists && !target.empty() && probes_.pathExists(target);
  const bool binHasFiles = probes_.recycleBinHasFiles && probes_.recycleBinHasFiles();
  ItemMenuSubject subject = CaptureItemMenuSubject(item, index, exists, binHasFiles);
  std::vector<MenuItem> rows = BuildItemMenu(subject);
  if (rows.empty() || !present_) return;
  present_(at, std::move(rows), [this, subject = std::move(subject), at](int id) {
    actions_.RunItemChoice(subject, id, at);
  });
}

void DockMenuHost::ShowGlobalMenu(ShellAnchor at) {
  if (!present_) return;
  present_(at, BuildGlobalMenu(config_), [this](int id) { actions_.RunGlobalChoice(id); });
}

void DockMenuHost::ShowPowerMenu(ShellAnchor at) {
  if (!present_) return;
  present_(at, BuildPowerMenu(), [this](int id) { actions_.RunPowerChoice(id); });
}

}  // namespace orvane
