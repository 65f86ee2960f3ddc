#pragma once
// The dock's menus as a surface of the shell: the item menu, the dock's
// global menu and the power menu open on their commands, show through the
// program's menu window and hand the chosen row to DockMenuActions.

#include <functional>
#include <utility>
#include <vector>

#include "config/DockConfig.h"
#include "dock/DockMenus.h"
#include "ui/ShellSurface.h"
#include "ui/menu/MenuItem.h"

namespace orvane {

class DockController;

// Shows a menu at a screen point; false when nothing was shown. The choice
// is called at most once, after the menu hid.
using DockMenuPresenter =
    std::function<bool(ShellAnchor at, std::vector<MenuItem> items, std::function<void(int id)> choice)>;

// What an item menu needs to know of the system when it opens.
struct DockMenuProbes {
  std::function<bool(const std::wstring& path)> pathExists;
  std::function<bool()> recycleBinHasFiles;
  std::function<ShellAnchor()> cursor;  // where a menu without an anchor opens
};

class DockMenuHost final : public ShellSurface {
 public:
  DockMenuHost(DockController& dock, ShellCommands& commands, const DockConfig& config, DockMenuActions& actions,
               DockMenuProbes probes, DockMenuPresenter present);

  // OpenItemMenu (args.item, args.anchor), OpenDockMenu and OpenPowerMenu (args.anchor).
  void Run(ShellCommand command, const ShellCommandArgs& args) override;
  void DeviceLost() override {
    if (redraw_) redraw_();
  }
  // Redraws the open menu after the graphics device came back.
  void SetRedraw(std::function<void()> redraw) { redraw_ = std::move(redraw); }

  // The item menu of the item at `index`; separators and indices out of
  // range are ignored, the notification area opens its popup and the power
  // item its menu.
  void ShowItemMenu(int index, ShellAnchor at);
  void ShowGlobalMenu(ShellAnchor at);
  void ShowPowerMenu(ShellAnchor at);

 private:
  ShellAnchor AnchorOf(const ShellCommandArgs& args) const;

  DockController& dock_;
  ShellCommands& commands_;
  const DockConfig& config_;
  DockMenuActions& actions_;
  DockMenuProbes probes_;
  DockMenuPresenter present_;
  std::function<void()> redraw_;
};

}  // namespace orvane
