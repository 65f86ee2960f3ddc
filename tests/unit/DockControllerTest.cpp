#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "FakeDockClickPlatform.h"
#include "FakeDockServices.h"
#include "RecordingShellCommands.h"
#include "dock/DockController.h"
#include "render/SoftCompositor.h"

namespace orvane {
namespace {

using testing::ExeApp;
using testing::FakeDockServices;
using testing::RecordingClickPlatform;
using testing::RecordingShellCommands;

// A bottom dock at 100 % on 1920 x 1080: launcher button, pinned a, b, c and
// a folder, separator, running d, music, Downloads, notification area,
// power, recycle bin. b and d run; d has two windows.
class DockControllerTest : public ::testing::Test {
 protected:
  DockControllerTest() {
    config.pinned.clear();
    for (const wchar_t* target : {L"C:\\a.exe", L"C:\\b.exe", L"C:\\c.exe", L"D:\\Projects"}) {
      config.pinned.push_back({target, target, target == std::wstring(L"C:\\c.exe") ? L"--new" : L"", L""});
    }
    services.apps = {ExeApp(L"C:\\b.exe", {21}), ExeApp(L"C:\\d.exe", {31, 32})};
    dock.Place({0, 0, 1920, 1080}, 1.0f);
    dock.CreateVisuals(compositor, MakeTheme(false, true));
    target->SetRoot(dock.root());
    dock.Rebuild();
    Settle();
    services.saved.clear();
  }

  DockFrameResult Settle(const DockPopupState& popups = {}) {
    DockFrameResult result;
    for (int frame = 0; frame < 4000; ++frame) {
      result = dock.FrameStep(1.0f / 120, popups);
      if (!result.moreFrames) break;
    }
    return result;
  }
  int IndexOf(const std::wstring& name) const {
    for (std::size_t i = 0; i < dock.items().size(); ++i) {
      if (dock.items()[i].config.name == name) return static_cast<int>(i);
    }
    return -1;
  }
  int IndexOfKind(DockItemKind kind) const {
    for (std::size_t i = 0; i < dock.items().size(); ++i) {
      if (dock.items()[i].kind == kind) return static_cast<int>(i);
    }
    return -1;
  }
  Vector2 Centre(int index) const {
    const DockSlot& slot = dock.animator().layout().slots.at(static_cast<std::size_t>(index));
    return {slot.centerX, slot.centerY};
  }
  void ClickAt(int index) {
    dock.ButtonDown(Centre(index));
    dock.ButtonUp(Centre(index));
  }
  // Presses the item, lifts it with a 6-DIP move (the grab offset), drags
  // its centre by (dx, dy) in eight moves a few frames apart and lets go.
  void Drag(int index, float dx, float dy, bool release = true) {
    const Vector2 start = Centre(index);
    dock.ButtonDown(start);
    Vector2 at{start.x, start.y - kDragStartDistance};
    dock.PointerMoved(at);
    for (int move = 1; move <= 8; ++move) {
      at = {start.x + dx * move / 8, start.y - kDragStartDistance + dy * move / 8};
      dock.PointerMoved(at);
      for (int frame = 0; frame < 4; ++frame) dock.FrameStep(1.0f / 120, {});
    }
    if (release) dock.ButtonUp(at);
  }
  std::vector<std::wstring> PinnedOrder() const {
    std::vector<std::wstring> names;
    for (const auto& item : dock.items().items()) {
      if (item->kind == DockItemKind::Pinned) names.push_back(item->config.name);
    }
    return names;
  }

  SoftCompositor compositor;
  std::shared_ptr<WindowTarget> target = compositor.CreateWindowTarget(1, true);
  DockConfig config;
  FakeDockServices services;
  RecordingClickPlatform platform;
  int frameRequests = 0;
  RecordingShellCommands shell;
  DockController dock{config, services, platform, shell, [this] { ++frameRequests; }};
  std::vector<std::wstring>& hooks = shell.calls;
};

TEST_F(DockControllerTest, AClickActsByTheKindOfItem) {
  struct Case {
    std::wstring item;  // a name, or a built-in item's target
    bool shift;
    bool session;
    std::wstring call;  // the system call, if any
    std::wstring hook;  // the surface opened, if any
  } cases[] = {
      {L"C:\\a.exe", false, false, L"launch C:\\a.exe", L""},
      {L"C:\\c.exe", false, false, L"launch C:\\c.exe --new", L""},
      {L"C:\\b.exe", false, false, L"toggle 21", L""},
      {L"d.exe", false, false, L"toggle 31 32", L""},
      {L"D:\\Projects", false, false, L"", L"stack D:\\Projects D:\\Projects"},
      {L"D:\\Projects", true, false, L"launch D:\\Projects", L""},
      {kDownloadsItemName, false, false, L"", L"stack 下载 C:\\Users\\u\\Downloads"},
      {kDownloadsItemName, true, false, L"launch C:\\Users\\u\\Downloads", L""},
      {kRecycleBinItemName, false, false, L"launch shell:RecycleBinFolder", L""},
      {kLauncherButtonName, false, false, L"", L"launcher grid"},
      {kMusicItemName, false, false, L"", L"music popup"},
      {kMusicItemName, false, true, L"", L"play/pause"},
      {kNotificationAreaItemName, false, false, L"", L"tray popup"},
      {kPowerItemName, false, false, L"", L"power menu"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    platform.calls.clear();
    hooks.clear();
    platform.shift = c.shift;
    shell.answers[ShellQuery::MediaHasSession] = c.session ? 1 : 0;
    const int index = IndexOf(c.item);
    ASSERT_GE(index, 0);
    ClickAt(index);
    EXPECT_EQ(platform.calls, c.call.empty() ? std::vector<std::wstring>{} : std::vector<std::wstring>{c.call});
    EXPECT_EQ(hooks, c.hook.empty() ? std::vector<std::wstring>{} : std::vector<std::wstring>{c.hook});
  }
}

TEST_F(DockControllerTest, MinimisedWindowItemActivatesItsWindow) {
  services.apps.push_back(ExeApp(L"C:\\e.exe", {41}, true));
  dock.SynchroniseRunning();
  Settle();
  const int index = IndexOfKind(DockItemKind::MinimisedWindow);
  ASSERT_GE(index, 0);
  ClickAt(index);
  EXPECT_EQ(platform.calls, std::vector<std::wstring>{L"activate 41"});
}

TEST_F(DockControllerTest, OnlyASuccessfulLaunchBouncesAndOnlyWhenBouncingIsOn) {
  struct Case {
    bool launches, bounceOn;
    int hops;
  } cases[] = {{true, true, kLaunchBounceHops}, {true, false, 0}, {false, true, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.launches << c.bounceOn);
    platform.launchSucceeds = c.launches;
    config.enableBounce = c.bounceOn;
    const int index = IndexOf(L"C:\\a.exe");
    dock.items()[static_cast<std::size_t>(index)].motion.bounceHops = 0;
    ClickAt(index);
    EXPECT_EQ(dock.items()[static_cast<std::size_t>(index)].motion.bounceHops, c.hops);
  }
}

TEST_F(DockControllerTest, ReleaseOverAnotherItemIsNoClick) {
  dock.ButtonDown(Centre(IndexOf(L"C:\\a.exe")));
  dock.ButtonUp(Centre(IndexOf(L"C:\\b.exe")));
  EXPECT_TRUE(platform.calls.empty());
}

TEST_F(DockControllerTest, AToggleThatMinimisesFliesTheWindowIntoItsItem) {
  platform.minimises = 21;
  ClickAt(IndexOf(L"C:\\b.exe"));
  dock.FrameStep(0.05f, {});
  EXPECT_GT(dock.layer().effectSpriteCount(), 0u);
  Settle();
  EXPECT_EQ(dock.layer().effectSpriteCount(), 0u);
}

TEST_F(DockControllerTest, AMinimiseFliesOnceFromWhereTheWindowStood) {
  platform.windowRects[21] = {1000, 100, 1400, 500};
  platform.minimises = 21;
  ClickAt(IndexOf(L"C:\\b.exe"));
  const auto& copies = dock.animator().effects().copies();
  ASSERT_EQ(copies.size(), 4u);
  EXPECT_EQ(copies.front().from.x, 1200.0f);

  // The tracker reports the same minimise a moment later: no second flight.
  services.minimizing = 21;
  dock.SynchroniseRunning();
  EXPECT_EQ(copies.size(), 4u);
  Settle();
  EXPECT_TRUE(copies.empty());

  // Minimised by other means, it flies from its restored place.
  services.minimizing = 21;
  dock.SynchroniseRunning();
  ASSERT_EQ(copies.size(), 4u);
  EXPECT_EQ(copies.front().from.x, 1200.0f);
}

TEST_F(DockControllerTest, AClickRightAfterATrackerChangeHitsTheItemUnderThePointer) {
  struct Case {
    const char* what;
    std::function<void()> change;
  } cases[] = {
      {"an application starts", [this] { services.apps.push_back(ExeApp(L"C:\\e.exe", {41})); }},
      {"an application quits", [this] { services.apps.pop_back(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    hooks.clear();
    platform.calls.clear();
    const Vector2 music = Centre(IndexOfKind(DockItemKind::Music));
    c.change();
    dock.SynchroniseRunning();
    // Button down and up arrive in the same burst, before any frame.
    dock.ButtonDown(music);
    dock.ButtonUp(music);
    EXPECT_EQ(hooks, std::vector<std::wstring>{L"music popup"});
    EXPECT_TRUE(platform.calls.empty());
    Settle();
  }
}

TEST_F(DockControllerTest, TheMusicItemKeepsWhatPlaysThroughARebuild) {
  MediaInfo media;
  media.hasSession = media.isPlaying = true;
  media.title = L"Song";
  dock.RefreshMusicItem(media);
  dock.Rebuild();
  const DockItem& music = dock.items()[static_cast<std::size_t>(IndexOfKind(DockItemKind::Music))];
  EXPECT_TRUE(music.running);
  EXPECT_EQ(music.config.name, L"Song");
}

TEST_F(DockControllerTest, ASizeChangeRedrawsEveryPictureAtTheNewSize) {
  struct Case {
    const char* what;
    float iconSize, magnification, scale;
  } cases[] = {
      {"icon size", 96, 1.65f, 1},
      {"magnification", 48, 2.5f, 1.5f},
      {"scale", 48, 1.65f, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    config.iconSize = c.iconSize;
    config.magnification = c.magnification;
    services.iconRequests.clear();
    dock.Place({0, 0, 1920, 1080}, c.scale);
    dock.FrameStep(1.0f / 120, {});
    const std::wstring size = L" @" + std::to_wstring(IconRequestSize(c.magnification, c.iconSize, c.scale));
    for (const std::wstring request : {L"target C:\\a.exe", L"target D:\\Projects", L"app C:\\d.exe"}) {
      EXPECT_NE(std::find(services.iconRequests.begin(), services.iconRequests.end(), request + size),
                services.iconRequests.end())
          << std::string(request.begin(), request.end());
    }
    DockItem& music = dock.items()[static_cast<std::size_t>(IndexOfKind(DockItemKind::Music))];
    const auto& surface = dock.layer().VisualsOf(&music)->picture.surface;
    EXPECT_EQ((PictureSize{surface->width(), surface->height()}), MusicTileSize(c.scale, c.iconSize));
    EXPECT_EQ(dock.pictures().musicTextFormats().title->size, 11.5f * c.scale);
  }

  // Moved to another DPI the dock is rebuilt: the icons are requested once.
  services.iconRequests.clear();
  dock.Place({0, 0, 1920, 1080}, 1);
  dock.Rebuild();
  Settle();
  const std::wstring request = L"target C:\\a.exe @" + std::to_wstring(IconRequestSize(1.65f, 48, 1));
  EXPECT_EQ(std::count(services.iconRequests.begin(), services.iconRequests.end(), request), 1);
}

TEST_F(DockControllerTest, EveryRebuildReleasesMemoryOnce) {
  EXPECT_EQ(platform.memoryReleases, 1);  // the fixture's
  dock.Rebuild();
  EXPECT_EQ(platform.memoryReleases, 2);
  services.apps.push_back(ExeApp(L"C:\\e.exe", {41}));
  dock.SynchroniseRunning();
  config.iconSize = 64;
  dock.Place({0, 0, 1920, 1080}, 1);
  Settle();
  EXPECT_EQ(platform.memoryReleases, 2);
}

TEST_F(DockControllerTest, DraggingReordersAndSavesOnlyAChangedOrder) {
  const float step = config.iconSize + config.iconSpacing;
  Drag(IndexOf(L"C:\\a.exe"), 2.6f * step, 0);
  Settle();
  EXPECT_EQ(PinnedOrder(), (std::vector<std::wstring>{L"C:\\b.exe", L"C:\\c.exe", L"C:\\a.exe", L"D:\\Projects"}));
  ASSERT_EQ(services.saved.size(), 1u);
  EXPECT_EQ(services.saved.back().pinned[2].target, L"C:\\a.exe");
  EXPECT_TRUE(platform.calls.empty());  // a drag is no click

  Drag(IndexOf(L"C:\\c.exe"), 10, 0);  // back onto its own slot
  Settle();
  EXPECT_EQ(services.saved.size(), 1u);
  EXPECT_EQ(dock.layer().itemVisualCount(), dock.items().size());
}

TEST_F(DockControllerTest, DraggedOffTheDockTheItemVanishes) {
  struct Case {
    float above;  // DIPs above the plate's top where the icon is let go
    bool removed;
  } cases[] = {{45, false}, {47, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.above);
    services.saved.clear();
    const int index = IndexOf(L"C:\\c.exe");
    const Vector2 centre = Centre(index);
    const float plateTop = dock.animator().layout().plate.y;
    Drag(index, 0, plateTop - c.above - centre.y);
    EXPECT_EQ(IndexOf(L"C:\\c.exe") >= 0, !c.removed);
    EXPECT_EQ(services.saved.size(), c.removed ? 1u : 0u);
    if (c.removed) {
      dock.FrameStep(1.0f / 120, {});
      EXPECT_GT(dock.layer().effectSpriteCount(), 0u);  // the vanish puff
    }
    Settle();
    EXPECT_EQ(dock.layer().itemVisualCount(), dock.items().size());
  }
}

TEST_F(DockControllerTest, ADragInterruptedPutsTheItemBackOnce) {
  const float step = config.iconSize + config.iconSpacing;
  const std::vector<std::wstring> before = PinnedOrder();
  struct Case {
    const char* what;
    std::function<void()> interrupt;
  } cases[] = {
      {"capture lost", [this] { dock.CaptureLost(); }},
      {"tracker refresh", [this] { dock.SynchroniseRunning(); }},
      {"configuration applied", [this] {
         dock.EndPress();
         dock.Rebuild();
       }},
      {"rebuild", [this] { dock.Rebuild(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Drag(IndexOf(L"C:\\a.exe"), 2.6f * step, 0, false);
    ASSERT_TRUE(dock.press().dragging() || dock.items().lifted() != nullptr);
    c.interrupt();
    if (dock.press().dragging()) dock.ButtonUp(Centre(IndexOf(L"C:\\b.exe")));  // the tracker refresh lets it go on
    Settle();
    std::vector<std::wstring> order = PinnedOrder();
    std::sort(order.begin(), order.end());
    std::vector<std::wstring> expected = before;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(order, expected);
    EXPECT_EQ(dock.items().lifted(), nullptr);
    EXPECT_FALSE(dock.press().dragging());
    EXPECT_EQ(dock.layer().itemVisualCount(), dock.items().size());
    // Put the original order back for the next case.
    config.pinned.clear();
    for (const auto& name : before) config.pinned.push_back({name, name, name == L"C:\\c.exe" ? L"--new" : L"", L""});
    dock.Rebuild();
    Settle();
  }
}

TEST_F(DockControllerTest, FilesDroppedOnTheRecycleBinAreRecycledNeverPinned) {
  const std::vector<std::wstring> files{L"C:\\x.txt", L"C:\\y.txt"};
  // Reported as a copy, so the program the files came from never deletes them itself.
  EXPECT_EQ(dock.FileDragOver(Centre(IndexOfKind(DockItemKind::RecycleBin)), true), DockDropEffect::Copy);
  EXPECT_TRUE(dock.overRecycleBin());
  dock.FileDrop(files);
  EXPECT_EQ(platform.calls, std::vector<std::wstring>{L"recycle C:\\x.txt C:\\y.txt"});
  EXPECT_EQ(PinnedOrder().size(), 4u);
  EXPECT_TRUE(services.saved.empty());
  EXPECT_FALSE(dock.externalDrag());
}

TEST_F(DockControllerTest, FilesDroppedBetweenPinnedItemsArePinnedThereInOrder) {
  const Vector2 a = Centre(IndexOf(L"C:\\a.exe")), b = Centre(IndexOf(L"C:\\b.exe"));
  EXPECT_EQ(dock.FileDragOver({(a.x + b.x) / 2, a.y}, false), DockDropEffect::None);
  EXPECT_EQ(dock.FileDragOver({(a.x + b.x) / 2, a.y}, true), DockDropEffect::Copy);
  dock.FileDrop({L"C:\\x.txt", L"C:\\a.exe", L"C:\\y.txt"});  // a is pinned already
  EXPECT_EQ(PinnedOrder(), (std::vector<std::wstring>{L"C:\\a.exe", L"name of C:\\x.txt", L"name of C:\\y.txt",
                                                       L"C:\\b.exe", L"C:\\c.exe", L"D:\\Projects"}));
  EXPECT_FALSE(services.saved.empty());
  Settle();
  EXPECT_EQ(dock.layer().itemVisualCount(), dock.items().size());

  // A drag that leaves drops nothing.
  const std::size_t count = dock.items().size();
  dock.FileDragOver({(a.x + b.x) / 2, a.y}, true);
  dock.FileDragLeave();
  dock.FileDrop({L"C:\\z.txt"});
  EXPECT_EQ(dock.items().size(), count);
}

TEST_F(DockControllerTest, CommandsReachTheirSurfacesAndItems) {
  EXPECT_EQ(dock.Command(0, 13), 0);  // no surface answers yet
  shell.answers[ShellQuery::LauncherAppCount] = 37;
  EXPECT_EQ(dock.Command(0, 14), 37);
  EXPECT_EQ(dock.Command(0, 7), 0);
  EXPECT_EQ(hooks, std::vector<std::wstring>{L"launcher grid"});

  const int a = IndexOf(L"C:\\a.exe");
  EXPECT_EQ(dock.Command(static_cast<std::uint64_t>(a), 1), 0);
  EXPECT_TRUE(dock.items()[static_cast<std::size_t>(a)].running);
  EXPECT_EQ(dock.items()[static_cast<std::size_t>(a)].motion.bounceHops, kCommandBounceHops);

  const std::size_t count = dock.items().size();
  EXPECT_EQ(dock.Command(count, 1), 0);
  EXPECT_EQ(dock.Command(~0ull, 0), 0);
  EXPECT_EQ(dock.Command(static_cast<std::uint64_t>(IndexOfKind(DockItemKind::Separator)), 1), 0);
  EXPECT_FALSE(dock.items()[static_cast<std::size_t>(IndexOfKind(DockItemKind::Separator))].running);
}

class OverlapProbe final : public DockHideProbe {
 public:
  bool fullScreen = false, overlapping = false;
  bool FullScreen() override { return fullScreen; }
  bool Overlapping() override { return overlapping; }
};

TEST_F(DockControllerTest, AHiddenDockKeepsAStripAndComesBackAfterRestingOnIt) {
  const ScreenRect shown = Settle().inputRect;
  EXPECT_EQ(shown.bottom, 1080);
  EXPECT_GT(shown.Height(), static_cast<int>(config.iconSize));

  config.smartHide = true;
  OverlapProbe probe;
  probe.overlapping = true;
  dock.EvaluateAutoHide(probe);
  const ScreenRect strip = Settle().inputRect;
  EXPECT_EQ(strip, (ScreenRect{shown.left, 1080 - kHiddenStripPixels, shown.right, 1080}));

  // Resting on the strip for the reveal delay brings it out; leaving hides it again.
  dock.PointerMoved(dock.ScreenToDips(960, 1079));
  for (int frame = 0; frame < 60; ++frame) dock.FrameStep(1.0f / 120, {});
  EXPECT_TRUE(dock.reveal().revealed());
  EXPECT_GT(Settle().inputRect.Height(), kHiddenStripPixels);

  // An open popup keeps it out while the pointer is away.
  dock.PointerLeft();
  DockPopupState popup;
  popup.trayPopupOpen = true;
  for (int frame = 0; frame < 120; ++frame) dock.FrameStep(1.0f / 120, popup);
  EXPECT_TRUE(dock.reveal().revealed());
  EXPECT_EQ(Settle().inputRect, strip);
}

TEST(DockInputRectTest, SideDocksReachFromTheirEdgeAndHideToAStrip) {
  DockConfig config;
  for (const std::wstring position : {L"left", L"right"}) {
    SCOPED_TRACE(std::string(position.begin(), position.end()));
    config.dockPosition = position;
    const DockGeometry geometry = ComputeDockGeometry(config, {0, 0, 1920, 1080}, 1.5f);
    DockLayout layout;
    layout.orientation = geometry.orientation;
    const float plateX = position == L"left" ? 8.0f : geometry.windowLength - 8 - 66;
    layout.plate = {plateX, 200, 66, 400};
    layout.hoverBounds = {plateX, 200, plateX + 66, 600};
    const ScreenRect shown = DockInputRect(layout, geometry, 0, false);
    const ScreenRect hidden = DockInputRect(layout, geometry, 1, false);
    EXPECT_EQ(shown.top, geometry.renderWindow.top + 300);
    EXPECT_EQ(shown.bottom, geometry.renderWindow.top + 900);
    EXPECT_EQ(hidden.Width(), kHiddenStripPixels);
    EXPECT_EQ(hidden.top, shown.top);
    if (position == L"left") {
      EXPECT_EQ(shown.left, 0);
      EXPECT_EQ(hidden.left, 0);
    } else {
      EXPECT_EQ(shown.right, 1920);
      EXPECT_EQ(hidden.right, 1920);
    }
    EXPECT_EQ(DockInputRect(layout, geometry, 1, true), shown);  // revealed
  }
}

}  // namespace
}  // namespace orvane
