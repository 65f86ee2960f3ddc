#include <gtest/gtest.h>

#include <vector>

#include "FakeDockServices.h"
#include "dock/DockAnimator.h"
#include "dock/DockVisualLayer.h"
#include "render/SoftCompositor.h"

namespace orvane {
namespace {

using testing::ExeApp;
using testing::FakeDockServices;

// A bottom dock at 100 % with two pinned items and one running, unpinned
// application, its visual layer fed by the list's change record and one
// settled frame step.
class DockVisualLayerTest : public ::testing::Test {
 protected:
  DockVisualLayerTest() {
    config.pinned = {{L"Editor", L"C:\\Apps\\editor.exe", L"", L""}, {L"Mail", L"C:\\Apps\\mail.exe", L"", L""}};
    services.apps = {ExeApp(L"C:\\Apps\\editor.exe", {11}), ExeApp(L"C:\\Apps\\chat.exe", {12})};
    const Theme theme = MakeTheme(false, true);
    pictures.CreateSharedSprites(compositor, 1, theme);
    layer.Create(compositor, pictures);
    layer.Configure(config, 1, theme, 400);
    target->SetRoot(layer.root());
    list.Rebuild(1);
    Settle();
  }

  void Settle() {
    layer.ApplyChanges(list.TakeChanges());
    std::vector<DockItemView> views = DockItemViews(list);
    animator.Configure(config, ComputeDockGeometry(config, ScreenRect{0, 0, 1280, 800}, 1));
    animator.AdoptLayout(views);
    DockFrameInput input;
    input.dt = 1.0f / 120;
    for (int frame = 0; frame < 2000 && animator.Step(views, input); ++frame) {
    }
    layer.Apply(list, animator.visuals(), animator.effectSprites());
  }

  int IndexOf(const std::wstring& name) const {
    for (std::size_t i = 0; i < list.size(); ++i) {
      if (list[i].config.name == name) return static_cast<int>(i);
    }
    return -1;
  }

  SoftCompositor compositor;
  std::shared_ptr<WindowTarget> target = compositor.CreateWindowTarget(1, true);
  DockConfig config;
  FakeDockServices services;
  DockItemList list{config, services};
  DockPictures pictures;
  DockVisualLayer layer;
  DockAnimator animator;
};

TEST_F(DockVisualLayerTest, EveryItemGetsSpritesAndARemovedItemLosesThem) {
  ASSERT_EQ(layer.itemVisualCount(), list.size());
  const int mail = IndexOf(L"Mail");
  ASSERT_GE(mail, 0);
  const DockItem* removed = &list[static_cast<std::size_t>(mail)];

  list.Unpin(mail, true);
  Settle();

  EXPECT_EQ(layer.VisualsOf(removed), nullptr);
  EXPECT_EQ(layer.itemVisualCount(), list.size());
  for (const auto& item : list.items()) EXPECT_NE(layer.VisualsOf(item.get()), nullptr);
}

TEST_F(DockVisualLayerTest, ItemsCreatedAndRemovedBetweenFramesGetNoSprites) {
  services.apps.push_back(ExeApp(L"C:\\Apps\\game.exe", {13}));
  list.SynchroniseRunning();
  services.apps.pop_back();
  list.SynchroniseRunning();
  Settle();

  EXPECT_EQ(layer.itemVisualCount(), list.size());
}

TEST_F(DockVisualLayerTest, IndicatorShowsUnderRunningItemsOnly) {
  int running = 0;
  for (const auto& item : list.items()) {
    SCOPED_TRACE(static_cast<int>(item->kind));
    const DockItemVisuals* visuals = layer.VisualsOf(item.get());
    ASSERT_NE(visuals, nullptr);
    EXPECT_EQ(visuals->indicator->isVisible(), item->running);
    running += item->running ? 1 : 0;
  }
  EXPECT_EQ(running, 2);  // the pinned editor and the chat application
}

TEST_F(DockVisualLayerTest, HideOffsetMovesTheWholeDockOffTheEdge) {
  animator.hiddenAmount.target = 1;
  std::vector<DockItemView> views = DockItemViews(list);
  DockFrameInput input;
  input.dt = 1.0f / 120;
  input.shouldHide = true;
  for (int frame = 0; frame < 2000 && animator.Step(views, input); ++frame) {
  }
  layer.Apply(list, animator.visuals(), animator.effectSprites());

  const float depth = (2 * config.paddingY + config.iconSize + config.bottomMargin + 22);
  EXPECT_NEAR(layer.root()->offset().y, depth, 0.5f);
  EXPECT_EQ(layer.root()->offset().x, 0);
}

TEST_F(DockVisualLayerTest, VanishPuffsComeAndGoInTheEffectLayer) {
  const int mail = IndexOf(L"Mail");
  ASSERT_GE(mail, 0);
  list.Unpin(mail, true);
  const DockItemChanges changes = list.TakeChanges();
  ASSERT_EQ(changes.removed.size(), 1u);
  animator.effects().StartVanish(layer.VisualsOf(changes.removed[0].item.get())->picture.brush, {100, 40}, 48);
  layer.ApplyChanges(changes);

  std::vector<DockItemView> views = DockItemViews(list);
  DockFrameInput input;
  input.dt = 1.0f / 120;
  animator.Step(views, input);
  layer.Apply(list, animator.visuals(), animator.effectSprites());
  EXPECT_EQ(layer.effectSpriteCount(), 8u);  // the item copy and seven puffs
  EXPECT_EQ(pictures.effectContainer()->childCount(), 8u);

  for (int frame = 0; frame < 2000 && animator.Step(views, input); ++frame) {
  }
  layer.Apply(list, animator.visuals(), animator.effectSprites());
  EXPECT_EQ(layer.effectSpriteCount(), 0u);
  EXPECT_EQ(pictures.effectContainer()->childCount(), 0u);
}

}  // namespace
}  // namespace orvane
