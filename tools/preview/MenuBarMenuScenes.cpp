// "menu-bar-logo-menu": the logo menu of a user named Ann Lee with the native
// taskbar hidden: the check-marked row offering it back is hovered; the
// restart, shut-down and quit rows are red.
// "menu-bar-window-menu": the window menu with no target window: the five
// placement rows dimmed, stage manager checked, the overview row hovered.
// "menu-bar-go-menu": the destinations menu with the Documents row hovered.
// Each opens below its slot of a 28 DIP bar, at the point the bar anchors
// its menus (4 DIP under the bar, the slot's middle).

#include "MenuScene.h"
#include "Scenes.h"
#include "ui/menubar/MenuBarMenus.h"

namespace orvane::preview {
namespace {

constexpr float kAnchorYDip = 28 + 4;

void BuildLogoMenuScene(SceneContext& ctx) { BuildMenu(ctx, BuildLogoMenu(L"Ann Lee", true), 3, 45, kAnchorYDip); }

void BuildWindowMenuScene(SceneContext& ctx) {
  BuildMenu(ctx, BuildWindowMenu(false, true), 7, 190, kAnchorYDip);
}

void BuildGoMenuScene(SceneContext& ctx) { BuildMenu(ctx, BuildGoMenu(), 3, 238, kAnchorYDip); }

const SceneRegistration kLogoMenu{{"menu-bar-logo-menu",
                                   "The menu bar's logo menu with the taskbar hidden: the checked taskbar row "
                                   "hovered, red power and quit rows",
                                   BuildLogoMenuScene}};
const SceneRegistration kWindowMenu{{"menu-bar-window-menu",
                                     "The menu bar's window menu without a target window: placements dimmed, "
                                     "stage manager checked, the overview row hovered",
                                     BuildWindowMenuScene}};
const SceneRegistration kGoMenu{{"menu-bar-go-menu", "The menu bar's destinations menu with the Documents row hovered",
                                 BuildGoMenuScene}};

}  // namespace
}  // namespace orvane::preview
