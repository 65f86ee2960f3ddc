#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "FakeDockServices.h"
#include "app/TextUtil.h"
#include "dock/DockItemList.h"
#include "system/FallbackIcon.h"

namespace orvane {
namespace {

using testing::ExeApp;
using testing::FakeDockServices;
using testing::Lower;
using testing::StoreApp;

// A bottom dock at 100 %; every option on, no pinned items unless a test
// adds them.
class DockItemListTest : public ::testing::Test {
 protected:
  void Build(std::vector<std::wstring> pinnedTargets = {}) {
    for (const std::wstring& target : pinnedTargets) config.pinned.push_back({L"Pin " + target, target, L"", L""});
    list.Rebuild(1.0f);
    list.TakeChanges();
    services.iconRequests.clear();
    services.saved.clear();
  }
  void Sync() { list.SynchroniseRunning(); }

  // The kinds in display order, one letter each: L launcher, P pinned,
  // | separator, R running, M minimised window, u music, D Downloads,
  // T notification area, W power, B recycle bin.
  std::string Kinds() const {
    static const char kLetters[] = "LP|RMuDTWB";
    std::string kinds;
    for (const auto& item : list.items()) kinds += kLetters[static_cast<int>(item->kind)];
    return kinds;
  }
  std::vector<std::wstring> Names(DockItemKind kind) const {
    std::vector<std::wstring> names;
    for (const auto& item : list.items()) {
      if (item->kind == kind) names.push_back(item->config.name);
    }
    return names;
  }
  int IndexOf(const std::wstring& name) const {
    for (std::size_t i = 0; i < list.size(); ++i) {
      if (list[i].config.name == name) return static_cast<int>(i);
    }
    return -1;
  }
  // The pinned entries of the last save.
  std::vector<std::wstring> SavedTargets() const {
    std::vector<std::wstring> targets;
    if (services.saved.empty()) return targets;
    for (const DockItemConfig& pinned : services.saved.back().pinned) targets.push_back(pinned.target);
    return targets;
  }
  void HideBuiltIns() {
    config.showDockMusic = config.showDownloadsStack = config.showDockTray = false;
    config.showDockPower = config.showRecycleBin = false;
  }

  DockConfig config;
  FakeDockServices services;
  DockItemList list{config, services};
};

TEST_F(DockItemListTest, RebuildListsTheConfiguredItemsInDisplayOrder) {
  services.apps = {ExeApp(L"C:\\Tools\\viewer.exe", {5})};
  Build({L"C:\\Tools\\edit.exe", L"C:\\Tools\\calc.exe"});

  EXPECT_EQ(Kinds(), "LPP|RuDTWB");
  const std::vector<std::wstring> names = {L"启动台 (全部应用)", L"Pin C:\\Tools\\edit.exe", L"Pin C:\\Tools\\calc.exe",
                                           L"", L"viewer.exe", L"音乐与歌词", L"下载", L"系统托盘", L"电源中心",
                                           L"回收站"};
  const std::vector<std::wstring> targets = {L"orvane:launchpad", L"C:\\Tools\\edit.exe", L"C:\\Tools\\calc.exe",
                                             L"", L"C:\\Tools\\viewer.exe", L"orvane:music", services.downloads,
                                             L"orvane:tray", L"orvane:power", L"shell:RecycleBinFolder"};
  for (std::size_t i = 0; i < list.size(); ++i) {
    EXPECT_EQ(list[i].config.name, names[i]) << i;
    EXPECT_EQ(list[i].config.target, targets[i]) << i;
    EXPECT_EQ(list[i].motion.appearance.value, 1.0f) << "the rebuilt dock appears whole, item " << i;
    EXPECT_TRUE(list[i].needsRedraw) << i;
  }
  // The dock draws these pictures itself.
  for (const int i : {0, 5, 7, 8}) EXPECT_TRUE(list[static_cast<std::size_t>(i)].icon.empty()) << i;
  EXPECT_EQ(list[1].launchInfo.exeNameLower, L"edit.exe");
  EXPECT_EQ(list[4].appKey, L"exe:c:\\tools\\viewer.exe");
  EXPECT_TRUE(list[4].running);
}

TEST_F(DockItemListTest, RebuildRequestsEveryIconAtTheMagnifiedSize) {
  config.magnification = 2.0f;
  config.iconSize = 64.0f;
  config.pinned = {{L"Edit", L"C:\\Tools\\edit.exe", L"", L"C:\\Pictures\\edit.png"},
                   {L"Calc", L"C:\\Tools\\calc.exe", L"", L"C:\\Pictures\\missing.png"}};
  services.unloadableImages = {L"C:\\Pictures\\missing.png"};
  services.apps = {ExeApp(L"C:\\Tools\\viewer.exe", {5})};
  list.Rebuild(1.5f);

  EXPECT_EQ(list.iconSize(), 192u);
  const std::vector<std::wstring> expected = {
      L"custom C:\\Pictures\\edit.png @192",
      L"custom C:\\Pictures\\missing.png @192",
      L"target C:\\Tools\\calc.exe @192",  // the custom picture failed
      L"target C:\\Users\\u\\Downloads @192",
      L"stock 31 @192",  // the bin is empty until told otherwise
      L"app C:\\Tools\\viewer.exe @192",
  };
  EXPECT_EQ(services.iconRequests, expected);
}

TEST_F(DockItemListTest, IconsAreRequestedAgainOnlyAtANewSize) {
  services.apps = {ExeApp(L"C:\\Tools\\viewer.exe", {5}), ExeApp(L"C:\\Tools\\old.exe", {6}, true)};
  Build({L"C:\\Tools\\edit.exe"});
  ASSERT_EQ(Kinds(), "LP|RRMuDTWB");
  for (const auto& item : list.items()) item->needsRedraw = false;

  list.RequestIcons(1.0f);  // the same request size: the pictures are redrawn from the icons held
  EXPECT_TRUE(services.iconRequests.empty());
  for (const auto& item : list.items()) EXPECT_TRUE(item->needsRedraw);

  list.RequestIcons(2.0f);
  EXPECT_EQ(list.iconSize(), 159u);
  const std::vector<std::wstring> expected = {
      L"target C:\\Tools\\edit.exe @159", L"app C:\\Tools\\viewer.exe @159", L"app C:\\Tools\\old.exe @159",
      L"app C:\\Tools\\old.exe @159",  // the minimised window
      L"target C:\\Users\\u\\Downloads @159", L"stock 31 @159",
  };
  EXPECT_EQ(services.iconRequests, expected);

  // Applications gone from the tracker keep the icons they had.
  services.apps.clear();
  services.iconRequests.clear();
  list.RequestIcons(1.0f);
  EXPECT_EQ(services.iconRequests.size(), 3u);
  for (const auto& item : list.items()) {
    if (item->kind == DockItemKind::Running || item->kind == DockItemKind::MinimisedWindow) {
      EXPECT_FALSE(item->icon.empty());
    }
  }
}

TEST_F(DockItemListTest, OptionsLeaveTheirBuiltInItemsOut) {
  struct Case {
    bool DockConfig::*option;
    std::string kinds;
  };
  const Case cases[] = {
      {&DockConfig::showLaunchpadIcon, "uDTWB"},
      {&DockConfig::showDockMusic, "L|DTWB"},
      {&DockConfig::showDownloadsStack, "L|uTWB"},
      {&DockConfig::showDockTray, "L|uDWB"},
      {&DockConfig::showDockPower, "L|uDTB"},
      {&DockConfig::showRecycleBin, "L|uDTW"},
  };
  for (const Case& c : cases) {
    config = DockConfig{};
    config.*c.option = false;
    list.Rebuild(1.0f);
    EXPECT_EQ(Kinds(), c.kinds);
  }
  config = DockConfig{};
  services.downloads.clear();
  list.Rebuild(1.0f);
  EXPECT_EQ(Kinds(), "L|uTWB") << "a Downloads folder that cannot be resolved";
}

TEST_F(DockItemListTest, SeparatorAppearsOnlyBetweenBothGroups) {
  HideBuiltIns();
  Build({L"C:\\Tools\\edit.exe"});
  EXPECT_EQ(Kinds(), "LP");

  services.apps = {ExeApp(L"C:\\Tools\\viewer.exe", {5})};
  Sync();
  EXPECT_EQ(Kinds(), "LP|R");
  const DockItemChanges changes = list.TakeChanges();
  ASSERT_EQ(changes.created.size(), 2u);
  EXPECT_EQ(changes.created[0]->kind, DockItemKind::Running);
  EXPECT_EQ(changes.created[1]->kind, DockItemKind::Separator);
  EXPECT_EQ(changes.created[0]->motion.appearance.value, kNewItemAppearance);
  EXPECT_TRUE(changes.layoutChanged && changes.frameRequested);

  services.apps.clear();
  Sync();
  EXPECT_EQ(Kinds(), "LP");
  EXPECT_EQ(list.TakeChanges().removed.size(), 2u);

  config.showLaunchpadIcon = false;
  config.pinned.clear();
  config.showRecycleBin = true;
  list.Rebuild(1.0f);
  EXPECT_EQ(Kinds(), "B") << "no leading group, no separator";
}

TEST_F(DockItemListTest, AtMostSixRunningItemsInTrackerOrder) {
  for (WindowHandle i = 1; i <= 7; ++i) services.apps.push_back(ExeApp(L"C:\\App" + std::to_wstring(i) + L".exe", {i}));
  Build();
  EXPECT_EQ(Kinds(), "L|RRRRRRuDTWB");
  const std::vector<std::wstring> six = {L"App1.exe", L"App2.exe", L"App3.exe",
                                         L"App4.exe", L"App5.exe", L"App6.exe"};
  EXPECT_EQ(Names(DockItemKind::Running), six);

  services.apps.erase(services.apps.begin() + 2);
  Sync();
  const std::vector<std::wstring> next = {L"App1.exe", L"App2.exe", L"App4.exe",
                                          L"App5.exe", L"App6.exe", L"App7.exe"};
  EXPECT_EQ(Names(DockItemKind::Running), next);

  config.showRunningUnpinned = false;
  Sync();
  EXPECT_EQ(Kinds(), "L|uDTWB");
}

TEST_F(DockItemListTest, RunningItemsFollowWindowChanges) {
  services.apps = {ExeApp(L"C:\\Tools\\viewer.exe", {5})};
  Build();
  Sync();
  EXPECT_FALSE(list.TakeChanges().frameRequested) << "nothing changed";

  services.apps = {ExeApp(L"C:\\Tools\\viewer.exe", {6, 5})};
  Sync();
  const DockItem& item = list[static_cast<std::size_t>(IndexOf(L"viewer.exe"))];
  ASSERT_EQ(item.windows.size(), 2u);
  EXPECT_EQ(item.windows[0].hwnd, 6u);
  EXPECT_EQ(item.processIds, (std::vector<std::uint32_t>{60, 50}));
  const DockItemChanges changes = list.TakeChanges();
  EXPECT_TRUE(changes.layoutChanged);
  EXPECT_TRUE(changes.created.empty()) << "the item is updated in place";
}

TEST_F(DockItemListTest, AtMostFourMinimisedWindowsBetweenRunningItemsAndMusic) {
  services.apps = {ExeApp(L"C:\\Tools\\viewer.exe", {1, 2, 3}, true), ExeApp(L"C:\\Tools\\paint.exe", {4, 5}, true)};
  Build();
  EXPECT_EQ(Kinds(), "L|RRMMMMuDTWB");
  const std::vector<std::wstring> names = {L"已最小化：viewer.exe 1", L"已最小化：viewer.exe 2",
                                           L"已最小化：viewer.exe 3", L"已最小化：paint.exe 4"};
  EXPECT_EQ(Names(DockItemKind::MinimisedWindow), names);
  EXPECT_EQ(list[static_cast<std::size_t>(IndexOf(names[0]))].window, 1u);
  EXPECT_FALSE(list[static_cast<std::size_t>(IndexOf(names[0]))].running);

  // A closed window drops out and the fifth takes its place; a new title is
  // picked up.
  services.closedWindows = {2};
  services.apps[0].windows[0].title = L"renamed";
  Sync();
  const std::vector<std::wstring> after = {L"已最小化：renamed", L"已最小化：viewer.exe 3",
                                           L"已最小化：paint.exe 4", L"已最小化：paint.exe 5"};
  EXPECT_EQ(Names(DockItemKind::MinimisedWindow), after);
}

TEST_F(DockItemListTest, NewRunningItemsGoBeforeTheMinimisedWindows) {
  services.apps = {ExeApp(L"C:\\Tools\\viewer.exe", {1}, true)};
  Build();
  ASSERT_EQ(Kinds(), "L|RMuDTWB");

  services.apps.push_back(ExeApp(L"C:\\Tools\\paint.exe", {2}));
  Sync();
  EXPECT_EQ(Kinds(), "L|RRMuDTWB");
  EXPECT_EQ(list[3].config.name, L"paint.exe");

  // Without any built-in items the order holds as well.
  HideBuiltIns();
  services.apps.pop_back();
  list.Rebuild(1.0f);
  services.apps.push_back(ExeApp(L"C:\\Tools\\paint.exe", {2}));
  Sync();
  EXPECT_EQ(Kinds(), "L|RRM");
}

TEST_F(DockItemListTest, MinimisedWindowItemsNeedTheMinimiseAnimationAndNoStageManager) {
  services.apps = {ExeApp(L"C:\\Tools\\viewer.exe", {1}, true)};
  Build();
  ASSERT_EQ(Names(DockItemKind::MinimisedWindow).size(), 1u);

  config.stageManagerEnabled = true;
  Sync();
  EXPECT_TRUE(Names(DockItemKind::MinimisedWindow).empty());

  config.stageManagerEnabled = false;
  config.enableMinimizeAnim = false;
  Sync();
  EXPECT_TRUE(Names(DockItemKind::MinimisedWindow).empty());
}

TEST_F(DockItemListTest, SynchronisationFeedsMenuBarStageManagerAndMinimiseEffect) {
  Build();
  services.menuBarUpdates = services.stageManagerUpdates = 0;
  services.minimizing = 42;
  Sync();
  EXPECT_EQ(services.menuBarUpdates, 1);
  EXPECT_EQ(services.stageManagerUpdates, 1);
  EXPECT_EQ(list.TakeChanges().minimiseEffect, 42u);

  config.enableMinimizeAnim = false;
  services.minimizing = 43;
  Sync();
  EXPECT_EQ(services.minimizing, kNoWindow) << "taken and discarded";
  EXPECT_EQ(list.TakeChanges().minimiseEffect, kNoWindow);
}

TEST_F(DockItemListTest, PinnedItemsCollectTheirApplications) {
  services.apps = {StoreApp(L"Contoso.Mail_8wekyb!Launcher", 1), ExeApp(L"C:\\Tools\\edit.exe", {2}),
                   ExeApp(L"D:\\Old\\edit.exe", {3}), StoreApp(L"Contoso.Mail_8wekyb!App", 4)};
  Build({L"shell:AppsFolder\\Contoso.Mail_8wekyb!App", L"C:\\Tools\\EDIT.exe"});

  EXPECT_EQ(Kinds(), "LPP|uDTWB") << "every app is claimed by a pinned item";
  const DockItem& mail = list[1];
  EXPECT_TRUE(mail.running);
  ASSERT_EQ(mail.windows.size(), 2u);
  EXPECT_EQ(mail.windows[0].hwnd, 1u);
  EXPECT_EQ(mail.windows[1].hwnd, 4u);
  EXPECT_EQ(list[2].processIds, (std::vector<std::uint32_t>{20, 30}));

  services.apps.clear();
  Sync();
  EXPECT_FALSE(list[1].running);
  EXPECT_TRUE(list[1].windows.empty());
  EXPECT_TRUE(list[1].processIds.empty());
}

TEST_F(DockItemListTest, StartedApplicationCutsTheLaunchBounceToOneHop) {
  Build({L"C:\\Tools\\edit.exe"});
  DockItem& item = list[1];
  item.motion.bounceHops = 3;
  item.motion.bouncePhase = 0.1f;
  services.apps = {ExeApp(L"C:\\Tools\\edit.exe", {2})};
  Sync();
  EXPECT_EQ(item.motion.bounceHops, 1);

  // A launch of an app that already runs keeps its bounce.
  item.motion.bounceHops = 3;
  services.apps[0].windows.push_back({7, 70, L"second", false, false});
  Sync();
  EXPECT_EQ(item.motion.bounceHops, 3);
}

TEST_F(DockItemListTest, PinTogglesByTargetWrittenAnyWay) {
  config.showDockMusic = false;
  Build({L"C:\\Apps\\edit.exe"});
  ASSERT_EQ(Kinds(), "LP|DTWB");

  EXPECT_TRUE(list.Pin({L"Calc", L"C:\\Tools\\calc.exe", L"", L""}));
  EXPECT_EQ(Kinds(), "LPP|DTWB");
  EXPECT_EQ(list[2].config.name, L"Calc");
  EXPECT_EQ(list[2].motion.appearance.value, kNewItemAppearance);
  EXPECT_EQ(SavedTargets(), (std::vector<std::wstring>{L"C:\\Apps\\edit.exe", L"C:\\Tools\\calc.exe"}));

  for (const wchar_t* writing : {L"c:\\apps\\EDIT.EXE", L"%APPS%\\edit.exe"}) {
    SCOPED_TRACE(::testing::Message() << WideToUtf8(writing));
    config.pinned.clear();
    Build({L"C:\\Apps\\edit.exe"});
    EXPECT_FALSE(list.Pin({L"Edit", writing, L"", L""}));
    EXPECT_EQ(Kinds(), "L|DTWB");
    EXPECT_TRUE(SavedTargets().empty());
    EXPECT_EQ(services.saved.size(), 1u);
    const DockItemChanges changes = list.TakeChanges();
    ASSERT_FALSE(changes.removed.empty());
    EXPECT_FALSE(changes.removed[0].vanish) << "the toggle removes without effect";
  }
}

TEST_F(DockItemListTest, PinningARunningAppReplacesItsRunningItem) {
  services.apps = {ExeApp(L"C:\\Tools\\viewer.exe", {5})};
  Build();
  ASSERT_EQ(Kinds(), "L|RuDTWB");
  EXPECT_TRUE(list.Pin({L"Viewer", L"C:\\Tools\\viewer.exe", L"", L""}));
  EXPECT_EQ(Kinds(), "LP|uDTWB");
  EXPECT_TRUE(list[1].running);
}

TEST_F(DockItemListTest, UnpinnedRunningAppComesBackAsRunningItem) {
  services.apps = {ExeApp(L"C:\\Tools\\edit.exe", {2})};
  Build({L"C:\\Tools\\edit.exe", L"C:\\Tools\\calc.exe"});
  ASSERT_EQ(Kinds(), "LPP|uDTWB");

  list.Unpin(1, true);
  EXPECT_EQ(Kinds(), "LP|RuDTWB");
  EXPECT_EQ(list[3].config.target, L"C:\\Tools\\edit.exe");
  EXPECT_EQ(SavedTargets(), std::vector<std::wstring>{L"C:\\Tools\\calc.exe"});
  const DockItemChanges changes = list.TakeChanges();
  ASSERT_FALSE(changes.removed.empty());
  EXPECT_EQ(changes.removed[0].index, 1);
  EXPECT_TRUE(changes.removed[0].vanish);
  EXPECT_EQ(changes.removed[0].item->config.target, L"C:\\Tools\\edit.exe");

  // Anything but a pinned item stays.
  for (const int index : {-1, 0, 2, 3, 99}) list.Unpin(index, true);
  EXPECT_EQ(Kinds(), "LP|RuDTWB");
  EXPECT_EQ(services.saved.size(), 1u);
}

TEST_F(DockItemListTest, KeepInDockPinsTheRunningItemAndSavesAtOnce) {
  services.apps = {ExeApp(L"C:\\Tools\\viewer.exe", {5}), StoreApp(L"Contoso.Mail_8wekyb!App", 6)};
  Build({L"C:\\Tools\\edit.exe"});
  ASSERT_EQ(Kinds(), "LP|RRuDTWB");

  list.KeepInDock(4);
  EXPECT_EQ(Kinds(), "LPP|RuDTWB");
  const DockItem& kept = list[2];
  EXPECT_EQ(kept.config.target, L"shell:AppsFolder\\Contoso.Mail_8wekyb!App");
  EXPECT_TRUE(kept.appKey.empty());
  EXPECT_TRUE(kept.running);
  EXPECT_EQ(SavedTargets(),
            (std::vector<std::wstring>{L"C:\\Tools\\edit.exe", L"shell:AppsFolder\\Contoso.Mail_8wekyb!App"}));

  // The next synchronisation sees a pinned, running item and no duplicate.
  Sync();
  EXPECT_EQ(Kinds(), "LPP|RuDTWB");
  EXPECT_TRUE(list[2].running);

  list.KeepInDock(1);  // already pinned
  list.KeepInDock(5);  // music
  EXPECT_EQ(services.saved.size(), 1u);
}

TEST_F(DockItemListTest, DroppedFilesArePinnedWithinThePinnedRange) {
  struct Case {
    int slot;
    std::vector<std::wstring> targets;
  };
  const Case cases[] = {
      {0, {L"C:\\new.txt", L"C:\\a.exe", L"C:\\b.exe"}},    // not before the launcher button
      {2, {L"C:\\a.exe", L"C:\\new.txt", L"C:\\b.exe"}},
      {-5, {L"C:\\new.txt", L"C:\\a.exe", L"C:\\b.exe"}},
      {99, {L"C:\\a.exe", L"C:\\b.exe", L"C:\\new.txt"}},   // not past the separator
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.slot);
    config.pinned.clear();
    Build({L"C:\\a.exe", L"C:\\b.exe"});
    list.AddDroppedFiles({L"C:\\new.txt", L"c:\\A.EXE", L"C:\\new.txt"}, c.slot);
    EXPECT_EQ(SavedTargets(), c.targets);
    EXPECT_EQ(Kinds(), "LPPP|uDTWB");
  }
  EXPECT_EQ(list[static_cast<std::size_t>(IndexOf(L"name of C:\\new.txt"))].config.target, L"C:\\new.txt");
}

TEST_F(DockItemListTest, LiftedItemKeepsItsWindowsAndReturnsWithinThePinnedRange) {
  services.apps = {ExeApp(L"C:\\Tools\\edit.exe", {2})};
  Build({L"C:\\Tools\\edit.exe", L"C:\\Tools\\calc.exe"});
  DockItem* lifted = list.LiftPinned(1);
  ASSERT_NE(lifted, nullptr);
  EXPECT_EQ(Kinds(), "LP|uDTWB");

  Sync();
  EXPECT_EQ(Kinds(), "LP|uDTWB") << "the dragged item still claims its app";
  EXPECT_TRUE(lifted->running);

  list.PlaceLifted(1);  // where it came from
  EXPECT_TRUE(services.saved.empty());
  ASSERT_NE(list.LiftPinned(1), nullptr);
  list.PlaceLifted(50);
  EXPECT_EQ(Kinds(), "LPP|uDTWB");
  EXPECT_EQ(SavedTargets(), (std::vector<std::wstring>{L"C:\\Tools\\calc.exe", L"C:\\Tools\\edit.exe"}));

  ASSERT_NE(list.LiftPinned(2), nullptr);
  list.TakeChanges();
  list.RemoveLifted();
  EXPECT_EQ(Kinds(), "LP|RuDTWB") << "its app shows as a running item again";
  EXPECT_EQ(SavedTargets(), std::vector<std::wstring>{L"C:\\Tools\\calc.exe"});
  const DockItemChanges changes = list.TakeChanges();
  ASSERT_FALSE(changes.removed.empty());
  EXPECT_TRUE(changes.removed[0].vanish);

  EXPECT_EQ(list.LiftPinned(3), nullptr) << "only pinned items are dragged";
}

// The dragged item is out of the list: whatever arrives during the drag
// must neither lose it nor bring it back twice.
TEST_F(DockItemListTest, RefreshDuringADragKeepsTheSeparatorRight) {
  config.showLaunchpadIcon = false;
  HideBuiltIns();
  services.apps = {ExeApp(L"C:\\Tools\\viewer.exe", {5})};
  Build({L"C:\\a.exe"});
  ASSERT_EQ(Kinds(), "P|R");
  ASSERT_NE(list.LiftPinned(0), nullptr);
  Sync();
  list.PlaceLifted(0);
  EXPECT_EQ(Kinds(), "P|R");
}

TEST_F(DockItemListTest, RebuildDuringADragEndsItWithOneCopyOfTheItem) {
  Build({L"C:\\a.exe", L"C:\\b.exe"});
  DockItem* lifted = list.LiftPinned(2);
  ASSERT_NE(lifted, nullptr);
  list.TakeChanges();
  list.Rebuild(1.0f);
  EXPECT_EQ(list.lifted(), nullptr);
  const DockItemChanges changes = list.TakeChanges();
  EXPECT_TRUE(std::any_of(changes.removed.begin(), changes.removed.end(), [&](const DockItemRemoval& r) {
    return r.item.get() == lifted && !r.vanish;
  })) << "the hub drops the dragged visuals";
  list.PlaceLifted(1);
  EXPECT_EQ(Kinds(), "LPP|uDTWB");
  EXPECT_EQ(IndexOf(L"Pin C:\\b.exe"), 2);
}

TEST_F(DockItemListTest, SavesAndPinsDuringADragKeepTheDraggedItem) {
  Build({L"C:\\a.exe", L"C:\\b.exe", L"C:\\c.exe"});
  ASSERT_NE(list.LiftPinned(2), nullptr);
  list.Unpin(IndexOf(L"Pin C:\\c.exe"), false);
  EXPECT_EQ(SavedTargets(), (std::vector<std::wstring>{L"C:\\a.exe", L"C:\\b.exe"}));

  list.AddDroppedFiles({L"c:\\B.exe"}, 1);
  EXPECT_EQ(SavedTargets(), (std::vector<std::wstring>{L"C:\\a.exe", L"C:\\b.exe"})) << "already pinned";

  // Config apply with what was saved: the rebuilt list has b once.
  list.Rebuild(1.0f);
  EXPECT_EQ(Kinds(), "LPP|uDTWB");
  EXPECT_EQ(IndexOf(L"Pin C:\\b.exe"), 2);

  // The pin toggle on the dragged item's target unpins it.
  ASSERT_NE(list.LiftPinned(2), nullptr);
  EXPECT_FALSE(list.Pin({L"B", L"C:\\b.exe", L"", L""}));
  EXPECT_EQ(list.lifted(), nullptr);
  EXPECT_EQ(SavedTargets(), std::vector<std::wstring>{L"C:\\a.exe"});
  EXPECT_EQ(Kinds(), "LP|uDTWB");
}

TEST_F(DockItemListTest, IconsArriveLaterInPlaceOfThePlaceholder) {
  services.deferIcons = true;
  config.pinned = {{L"Calc", L"C:\\Tools\\calc.exe", L"", L"C:\\Pictures\\missing.png"}};
  services.unloadableImages = {L"C:\\Pictures\\missing.png"};
  services.apps = {ExeApp(L"C:\\Tools\\viewer.exe", {5})};
  list.Rebuild(1.0f);
  list.TakeChanges();
  ASSERT_EQ(Kinds(), "LP|RuDTWB");
  const IconImage placeholder = DrawLoadingPlaceholder(128);
  const std::vector<std::size_t> withIcons = {1, 3, 5, 8};
  for (const std::size_t i : withIcons) {
    EXPECT_EQ(list[i].icon, placeholder) << i;
    EXPECT_TRUE(list[i].pendingIcon.has_value()) << i;
  }

  // The custom picture cannot be loaded: the pinned item asks for its target's icon.
  services.ArriveAll();
  list.DeliverArrivedIcons();
  EXPECT_TRUE(list.TakeChanges().frameRequested);
  EXPECT_EQ(list[1].icon, placeholder);
  EXPECT_EQ(list[1].pendingIcon, TargetIconRequest(L"C:\\Tools\\calc.exe", 128));
  for (const std::size_t i : {3, 5, 8}) {
    EXPECT_NE(list[i].icon, placeholder) << i;
    EXPECT_FALSE(list[i].pendingIcon.has_value()) << i;
  }
  services.ArriveAll();
  list.DeliverArrivedIcons();
  EXPECT_NE(list[1].icon, placeholder);

  // At a new size the items keep their icons until the new ones come; an
  // answer to a request no item waits for any more changes nothing.
  for (const auto& item : list.items()) item->needsRedraw = false;
  const IconImage before = list[3].icon;
  list.RequestIcons(2.0f);
  list.TakeChanges();
  EXPECT_EQ(list[3].icon, before);
  services.arrived.push_back({RunningAppIconRequest(5, L"C:\\Tools\\viewer.exe", L"", 128), IconImage{1, 1, {9, 9, 9, 255}}});
  list.DeliverArrivedIcons();
  EXPECT_EQ(list[3].icon, before);
  EXPECT_FALSE(list.TakeChanges().frameRequested);
  services.ArriveAll();
  list.DeliverArrivedIcons();
  EXPECT_NE(list[3].icon, before);
  EXPECT_TRUE(list[3].needsRedraw);

  // A source with nothing keeps an earlier icon but drops the placeholder.
  const auto arriveEmpty = [&](std::size_t i) {
    services.arrived.push_back({*list[i].pendingIcon, IconImage{}});
    services.deferred.clear();
    list.DeliverArrivedIcons();
  };
  const IconImage bin = list[8].icon;
  list.SetRecycleBinFull(true);
  arriveEmpty(8);
  EXPECT_EQ(list[8].icon, bin);
  list.Rebuild(1.0f);
  ASSERT_EQ(list[8].icon, placeholder);
  arriveEmpty(8);
  EXPECT_TRUE(list[8].icon.empty());
}

TEST_F(DockItemListTest, RecycleBinIconFollowsItsState) {
  Build();
  list.SetRecycleBinFull(true);
  EXPECT_EQ(services.iconRequests, std::vector<std::wstring>{L"stock 32 @128"});
  EXPECT_TRUE(list[list.size() - 1].needsRedraw);
  EXPECT_TRUE(list.TakeChanges().frameRequested);

  list.SetRecycleBinFull(true);
  EXPECT_EQ(services.iconRequests.size(), 1u) << "an unchanged state keeps the icon";
  list.Rebuild(1.0f);
  EXPECT_NE(std::find(services.iconRequests.begin(), services.iconRequests.end(), L"stock 32 @128"),
            services.iconRequests.end());
}

TEST_F(DockItemListTest, ViewsDescribeEveryItemForTheFrameStep) {
  services.apps = {ExeApp(L"C:\\Tools\\viewer.exe", {5})};
  Build({L"C:\\Tools\\edit.exe"});
  const std::vector<DockItemView> views = DockItemViews(list);
  ASSERT_EQ(views.size(), list.size());
  for (std::size_t i = 0; i < views.size(); ++i) {
    EXPECT_EQ(views[i].kind, list[i].kind);
    EXPECT_EQ(views[i].running, list[i].running);
    EXPECT_EQ(views[i].hasWindows, !list[i].windows.empty());
    EXPECT_EQ(views[i].name, list[i].config.name);
    EXPECT_EQ(views[i].motion, &list[i].motion);
  }
  EXPECT_TRUE(views[3].running && views[3].hasWindows);
}

}  // namespace
}  // namespace orvane
