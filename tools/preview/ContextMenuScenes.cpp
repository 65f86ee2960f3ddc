// "context-menu": the dock's global menu (checked toggles, separators, the
// destructive quit row) with the pointer over one row.
// "context-menu-items": an application's item menu: its window rows with the
// foreground one checked and a long title trimmed, a disabled row, and the
// pointer over the destructive force-quit row.
// Both stand on the menu's own glass, placed above a point as a right click
// on the dock places them.

#include <vector>

#include "MenuScene.h"
#include "Scenes.h"
#include "ui/menu/MenuItem.h"

namespace orvane::preview {
namespace {

MenuItem Flagged(int id, const wchar_t* text, bool checked, bool destructive = false, bool enabled = true) {
  MenuItem item = MenuItem::Row(id, text);
  item.checked = checked;
  item.destructive = destructive;
  item.enabled = enabled;
  return item;
}

void BuildGlobalMenu(SceneContext& ctx) {
  std::vector<MenuItem> items = {
      MenuItem::Row(2000, L"偏好设置… (Orvane v3.0)"),
      Flagged(2012, L"桌面小组件管理…", false),
      MenuItem::Separator(),
      MenuItem::Row(2005, L"启动台 (全部应用)"),
      Flagged(2001, L"台前调度 (Stage Manager)", true),
      MenuItem::Row(2004, L"调度中心 (Mission Control)"),
      MenuItem::Row(2013, L"Orvane 通知中心"),
      MenuItem::Row(2003, L"控制中心"),
      Flagged(2002, L"顶部 macOS 菜单栏", true),
      MenuItem::Separator(),
      Flagged(2006, L"任务栏：恢复并保留原生任务栏", false),
      Flagged(2007, L"任务栏：避让工作区 (AppBar)", true),
      Flagged(2008, L"任务栏：彻底隐藏（禁止底部唤起）", false),
      Flagged(2009, L"Dock 智能自动隐藏", true),
      MenuItem::Separator(),
      MenuItem::Row(2010, L"重新加载配置"),
      Flagged(2011, L"退出 Orvane", false, true),
  };
  BuildMenu(ctx, std::move(items), 7, 640, 740);
}

void BuildItemMenu(SceneContext& ctx) {
  std::vector<MenuItem> items = {
      MenuItem::Row(1000, L"收件箱 - 邮件"),
      Flagged(1001, L"回复：关于下周三项目评审会议的时间安排、参会人员名单以及需要提前准备的材料清单 - 邮件", true),
      MenuItem::Row(1002, L"草稿\t(3)\n未发送"),
      MenuItem::Separator(),
      MenuItem::Row(100, L"新建窗口 / 打开"),
      MenuItem::Row(101, L"在 Dock 中保留"),
      Flagged(102, L"打开文件所在位置", false, false, false),
      MenuItem::Separator(),
      MenuItem::Row(103, L"关闭窗口"),
      Flagged(104, L"强制退出", false, true),
  };
  BuildMenu(ctx, std::move(items), 9, 520, 740);
}

const SceneRegistration kContextMenu{{"context-menu",
                                      "The dock's global menu on the menu glass: check marks, separators, the "
                                      "destructive quit row and a hovered row",
                                      BuildGlobalMenu}};
const SceneRegistration kContextMenuItems{{"context-menu-items",
                                           "An application's item menu: window rows with one checked, a long title "
                                           "trimmed, a disabled row and the destructive row hovered",
                                           BuildItemMenu}};

}  // namespace
}  // namespace orvane::preview
