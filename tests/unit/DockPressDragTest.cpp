#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeDockServices.h"
#include "dock/DockPressDrag.h"

namespace orvane {
namespace {

using testing::FakeDockServices;

// A bottom dock at 100 % on 1920 x 1080: launcher button, pinned a, b, c,
// separator, recycle bin.
class DockPressDragTest : public ::testing::Test {
 protected:
  void SetUp() override {
    config.pinned.clear();
    config.showDockMusic = config.showDownloadsStack = config.showDockTray = config.showDockPower = false;
    for (const wchar_t* target : {L"C:\\a.exe", L"C:\\b.exe", L"C:\\c.exe"}) config.pinned.push_back({target, target, L"", L""});
    animator.Configure(config, ComputeDockGeometry(config, {0, 0, 1920, 1080}, 1.0f));
    list.Rebuild(1.0f);
    Relayout();
    list.TakeChanges();
    services.saved.clear();
  }
  // The hub lays the list out again each frame.
  void Relayout() { animator.AdoptLayout(DockItemViews(list)); }
  Vector2 Centre(int index) const {
    const DockSlot& slot = animator.layout().slots[static_cast<std::size_t>(index)];
    return {slot.centerX, slot.centerY};
  }
  std::vector<std::wstring> Order() const {
    std::vector<std::wstring> names;
    for (const auto& item : list.items()) {
      if (item->kind == DockItemKind::Pinned) names.push_back(item->config.name);
    }
    return names;
  }
  // Presses item `index` at its centre and drags by (dx, dy).
  bool PressAndDrag(int index, float dx, float dy) {
    const Vector2 start = Centre(index);
    press.Press(index, start);
    const bool started = press.Move({start.x + dx, start.y + dy});
    if (started) Relayout();
    return started;
  }

  DockConfig config;
  FakeDockServices services;
  DockItemList list{config, services};
  DockAnimator animator;
  DockPressDrag press{list, animator};
  const std::vector<std::wstring> kOriginal{L"C:\\a.exe", L"C:\\b.exe", L"C:\\c.exe"};
};

TEST_F(DockPressDragTest, OnlyAPinnedItemMovedSixDipsStartsADrag) {
  struct Case {
    int index;
    float dx, dy;
    bool drag;
  };
  const Case cases[] = {
      {1, 5, 0, false}, {1, 6, 0, true}, {1, 0, -6, true}, {1, 3, 4, false},
      {0, 20, 0, false},  // launcher button
      {5, 0, -20, false},  // recycle bin
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.index << " by " << c.dx << "," << c.dy);
    EXPECT_EQ(PressAndDrag(c.index, c.dx, c.dy), c.drag);
    EXPECT_EQ(press.dragging(), c.drag);
    const DockRelease release = press.Release(c.index);
    EXPECT_EQ(release.action, c.drag ? DockReleaseAction::Placed : DockReleaseAction::Click);
    EXPECT_EQ(release.index, c.index);
    EXPECT_EQ(Order(), kOriginal);
    EXPECT_TRUE(services.saved.empty()) << "dropped back at its own slot";
    Relayout();
  }
}

TEST_F(DockPressDragTest, ReleaseOnAnotherItemIsNoClick) {
  press.Press(1, Centre(1));
  EXPECT_EQ(press.Release(2).action, DockReleaseAction::None);
  press.Press(1, Centre(1));
  press.Leave();
  EXPECT_EQ(press.Release(1).action, DockReleaseAction::None);
  EXPECT_EQ(press.Release(-1).action, DockReleaseAction::None);
}

TEST_F(DockPressDragTest, DragStartOpensTheGapAtTheItemsSize) {
  ASSERT_TRUE(PressAndDrag(2, 0, -10));
  EXPECT_FLOAT_EQ(animator.dropGap.value, config.iconSize + config.iconSpacing);
  EXPECT_FLOAT_EQ(animator.dropGap.target, config.iconSize + config.iconSpacing);
  ASSERT_NE(list.lifted(), nullptr);
  EXPECT_FLOAT_EQ(list.lifted()->motion.magnification.value, 1.08f);
  EXPECT_FLOAT_EQ(list.lifted()->motion.magnification.target, 0.85f * config.magnification);
  EXPECT_EQ(press.dropSlot(), 2);
}

TEST_F(DockPressDragTest, DragReorderSavesTheNewOrder) {
  const float past = Centre(3).x + 1;
  ASSERT_TRUE(PressAndDrag(1, 0, -10));  // a, out of the list: L b c | B
  press.Move({past, Centre(1).y - 10});
  EXPECT_EQ(press.dropSlot(), 3);
  const DockRelease release = press.Release(-1);
  EXPECT_EQ(release.action, DockReleaseAction::Placed);
  EXPECT_EQ(release.index, 3);
  EXPECT_TRUE(release.reordered);
  const std::vector<std::wstring> moved{L"C:\\b.exe", L"C:\\c.exe", L"C:\\a.exe"};
  EXPECT_EQ(Order(), moved);
  ASSERT_EQ(services.saved.size(), 1u);
  ASSERT_EQ(services.saved.back().pinned.size(), 3u);
  EXPECT_EQ(services.saved.back().pinned[0].target, L"C:\\b.exe");
  EXPECT_EQ(services.saved.back().pinned[2].target, L"C:\\a.exe");
  EXPECT_EQ(animator.dropGap.value, 0.0f);
  EXPECT_FALSE(press.dragging());
}

TEST_F(DockPressDragTest, DraggedMoreThan46DipsAboveThePlateIsRemoved) {
  struct Case {
    float above;
    DockReleaseAction action;
  };
  for (const Case& c : {Case{45, DockReleaseAction::Placed}, Case{47, DockReleaseAction::Removed}}) {
    SCOPED_TRACE(c.above);
    SetUp();
    const float x = Centre(2).x;
    ASSERT_TRUE(PressAndDrag(2, 0, -10));  // grabbed 10 DIPs above the centre
    press.Move({x, animator.layout().plate.y - c.above - 10});
    const DockRelease release = press.Release(-1);
    EXPECT_EQ(release.action, c.action);
    const bool removed = c.action == DockReleaseAction::Removed;
    EXPECT_EQ(Order().size(), removed ? 2u : 3u);
    EXPECT_EQ(services.saved.size(), removed ? 1u : 0u);
    EXPECT_EQ(list.TakeChanges().removed.size(), removed ? 1u : 0u);
  }
}

TEST_F(DockPressDragTest, CancelledDragPutsTheItemBack) {
  ASSERT_TRUE(PressAndDrag(1, 0, -10));
  press.Move({Centre(3).x + 1, Centre(1).y});
  EXPECT_TRUE(press.Cancel());
  EXPECT_EQ(Order(), kOriginal);
  EXPECT_TRUE(services.saved.empty());
  EXPECT_EQ(list.lifted(), nullptr);
  EXPECT_EQ(animator.dropGap.target, 0.0f);
  EXPECT_EQ(press.state(), DockPressState::Idle);
  EXPECT_EQ(press.Release(1).action, DockReleaseAction::None) << "the later button up does nothing";

  press.Press(1, Centre(1));
  EXPECT_FALSE(press.Cancel()) << "a plain press is only forgotten";
  EXPECT_EQ(press.Release(1).action, DockReleaseAction::None);
}

TEST_F(DockPressDragTest, RebuildDuringADragEndsIt) {
  ASSERT_TRUE(PressAndDrag(1, 0, -10));
  EXPECT_FALSE(press.ItemListChanged()) << "a tracker refresh keeps the drag";
  list.Rebuild(1.0f);
  Relayout();
  EXPECT_TRUE(press.ItemListChanged());
  EXPECT_FALSE(press.dragging());
  EXPECT_EQ(press.Release(-1).action, DockReleaseAction::None);
  EXPECT_EQ(Order(), kOriginal);
}

TEST_F(DockPressDragTest, DropSlotStaysWithinThePinnedRun) {
  // L a b c | B: centres of a, b, c.
  const float a = Centre(1).x, b = Centre(2).x, c = Centre(3).x;
  const std::pair<float, int> cases[] = {{0, 1}, {a - 1, 1}, {a + 1, 2}, {b + 1, 3}, {c + 1, 4}, {1900, 4}};
  for (const auto& [along, slot] : cases) EXPECT_EQ(DockDropSlot(animator.layout(), along), slot) << along;
}

TEST_F(DockPressDragTest, DraggedOutIsMeasuredAwayFromTheScreenEdge) {
  DockLayout layout;
  layout.plate = {100, 500, 80, 400};
  struct Case {
    DockOrientation orientation;
    Vector2 point;
    bool out;
  };
  const Case cases[] = {
      {DockOrientation::Bottom, {140, 500 - 46}, false}, {DockOrientation::Bottom, {140, 500 - 46.5f}, true},
      {DockOrientation::Bottom, {140, 1200}, false},
      {DockOrientation::Left, {180 + 46, 600}, false},    {DockOrientation::Left, {180 + 47, 600}, true},
      {DockOrientation::Right, {100 - 46, 600}, false},   {DockOrientation::Right, {100 - 47, 600}, true},
  };
  for (const Case& c : cases) {
    layout.orientation = c.orientation;
    EXPECT_EQ(DockDraggedOut(layout, c.point), c.out) << static_cast<int>(c.orientation) << " " << c.point.x;
  }
}

TEST_F(DockPressDragTest, FilesOverTheRecycleBinAreRecycledNeverPinned) {
  const DockFileDragOver bin = DockFileDragAt(animator.layout(), config, Centre(5), true);
  // A copy: the source keeps its files until the bin has them.
  EXPECT_EQ(bin.effect, DockDropEffect::Copy);
  EXPECT_TRUE(bin.overRecycleBin);
  EXPECT_EQ(bin.dropSlot, -1);
  EXPECT_EQ(bin.gapTarget, 0.0f);

  const DockFileDragOver between = DockFileDragAt(animator.layout(), config, {(Centre(1).x + Centre(2).x) / 2, Centre(1).y}, true);
  EXPECT_EQ(between.effect, DockDropEffect::Copy);
  EXPECT_FALSE(between.overRecycleBin);
  EXPECT_EQ(between.dropSlot, 2);
  EXPECT_EQ(between.gapTarget, config.iconSize + config.iconSpacing);

  EXPECT_EQ(DockFileDragAt(animator.layout(), config, Centre(5), false).effect, DockDropEffect::None);
}

}  // namespace
}  // namespace orvane
