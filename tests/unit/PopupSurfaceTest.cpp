#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "GlassTestCompositor.h"
#include "platform/headless/HeadlessSurfaceWindow.h"
#include "ui/PopupSurface.h"

namespace orvane {
namespace {

using testing::GlassTestCompositor;
using testing::LogMessages;

const PopupMonitor kMonitor{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 1.0f};
// 200 x 100 DIP with a 10 DIP shadow margin.
const PopupGlassShape kShape{200, 100, 10, 12, 20, -1, std::nullopt};

// A tray-like popup on a fake desktop, with a dock window beside it.
class PopupSurfaceTest : public ::testing::Test {
 public:
  PopupSurfaceTest() {
    auto window = std::make_unique<HeadlessSurfaceWindow>(desktop);
    host = window.get();
    popup = std::make_unique<PopupSurface>(PopupKind::Tray, stack, compositor, std::move(window));
    SurfaceWindowParams params;
    params.className = L"OrvaneTrayPopup";
    popup->Create(params);
    popup->SetContent([this](Canvas& canvas, const GlassSurfaceWindow& glass) {
      ++contentDraws;
      canvas.FillRect({0, 0, 10 * glass.scale(), 10 * glass.scale()}, Color{1, 0, 0, 1});
    });
  }

  void ShowAtDockItem() {
    popup->Show(PopupAnchor::BubbleAt(DockEdge::Bottom, 960, 980), kMonitor, kShape, MakeTheme(true, true));
  }

  LogMessages log;
  GlassTestCompositor compositor;
  HeadlessSurfaceDesktop desktop;
  int frames = 0;
  PopupStack stack{[this] { ++frames; }};
  HeadlessSurfaceWindow* host = nullptr;
  std::unique_ptr<PopupSurface> popup;
  int contentDraws = 0;
};

TEST_F(PopupSurfaceTest, ShowPlacesDrawsTakesTheFocusAndAsksForAFrame) {
  ShowAtDockItem();
  EXPECT_TRUE(host->IsVisible());
  // The plate 10 px above the item, centred on it; the window 10 px larger all round.
  EXPECT_EQ(host->Rect(), (SurfaceRect{850, 860, 1070, 980}));
  EXPECT_TRUE(host->HasFocus());
  EXPECT_EQ(contentDraws, 1);
  EXPECT_EQ(frames, 1);
  EXPECT_TRUE(stack.IsOpen(PopupKind::Tray));
  EXPECT_TRUE(log.lines.empty());
}

TEST_F(PopupSurfaceTest, EscapeOutsideClickAndActivationLossClose) {
  struct Case {
    const char* name;
    std::function<void(PopupSurfaceTest&)> act;
  };
  const Case cases[] = {
      {"escape", [](PopupSurfaceTest& t) { t.host->PressKey(0x1B); }},
      {"press in the shadow margin", [](PopupSurfaceTest& t) { t.host->PressButton(PointerButton::Left, {3, 3}); }},
      {"outside click", [](PopupSurfaceTest& t) { t.popup->OnOutsideClick(); }},
      {"another program activates", [](PopupSurfaceTest& t) { t.desktop.ActivateOtherProgram(); }},
      {"the stack closes it", [](PopupSurfaceTest& t) { t.stack.Opened(PopupKind::ControlCenter); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ShowAtDockItem();
    // Inside the plate a press is the content's.
    host->PressButton(PointerButton::Left, {50, 50});
    host->ReleaseButton(PointerButton::Left, {50, 50});
    host->PressKey(0x41);
    ASSERT_TRUE(popup->visible());
    c.act(*this);
    EXPECT_FALSE(popup->visible());
    EXPECT_FALSE(host->IsVisible());
    EXPECT_FALSE(stack.IsOpen(PopupKind::Tray));
  }
}

TEST_F(PopupSurfaceTest, RefusedForegroundClosesOnTheNextForegroundChangeOrDockPress) {
  desktop.SetRefuseForeground(true);
  for (bool byDock : {false, true}) {
    SCOPED_TRACE(byDock);
    log.lines.clear();
    ShowAtDockItem();
    EXPECT_TRUE(host->IsVisible());
    EXPECT_FALSE(host->HasFocus());
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_NE(log.lines[0].find(L"foreground was refused"), std::wstring::npos);
    if (byDock) {
      popup->OnDockPress();
    } else {
      popup->OnForegroundChanged();
    }
    EXPECT_FALSE(host->IsVisible());
    EXPECT_EQ(log.lines.size(), 1u);
  }

  // Refused, then the user clicks into it: the foreground notice may come
  // before the window hears of its activation, and it is its own.
  ShowAtDockItem();
  desktop.SetForegroundUnannounced(host);
  popup->OnForegroundChanged();
  EXPECT_TRUE(host->IsVisible());
  desktop.ActivateOtherProgram();
  EXPECT_FALSE(host->IsVisible());

  // With the foreground taken, a foreground notice or a dock press leaves it.
  desktop.SetRefuseForeground(false);
  ShowAtDockItem();
  popup->OnForegroundChanged();
  popup->OnDockPress();
  EXPECT_TRUE(host->IsVisible());
}

TEST_F(PopupSurfaceTest, DeviceLossRedrawsShadowAndContentOfAnOpenPopup) {
  ShowAtDockItem();
  const size_t shadowUploads = compositor.pixelUploads.size();
  popup->RedrawAfterDeviceLoss();
  EXPECT_EQ(contentDraws, 2);
  EXPECT_EQ(compositor.pixelUploads.size(), shadowUploads + 1);

  popup->Hide();
  popup->RedrawAfterDeviceLoss();
  EXPECT_EQ(contentDraws, 2);
}

}  // namespace
}  // namespace orvane
