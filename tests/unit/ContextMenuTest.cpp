#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "CairoCanvasProbe.h"
#include "GlassTestCompositor.h"
#include "platform/headless/HeadlessSurfaceWindow.h"
#include "ui/menu/ContextMenu.h"
#include "ui/menu/ContextMenuLook.h"
#include "ui/menu/ContextMenuSurface.h"

namespace orvane {
namespace {

using testing::PixelBuffer;

constexpr unsigned kEnter = 0x0D, kEscape = 0x1B, kUp = 0x26, kDown = 0x28;

// Every character is half the font size wide (6.25 DIP at 12.5); too wide
// for the box it is trimmed to the box, as the platform measurers do.
class HalfEmMeasurer final : public TextMeasurer {
 public:
  TextMetrics Measure(std::wstring_view text, const TextStyle& style, float maxWidth, float) override {
    TextMetrics m;
    m.width = static_cast<float>(text.size()) * style.size / 2;
    m.height = style.size * 1.3f;
    m.lineCount = 1;
    if (style.ellipsis && maxWidth > 0 && m.width > maxWidth) {
      m.width = maxWidth;
      m.trimmed = true;
    }
    return m;
  }
};

MenuItem Disabled(int id, std::wstring text) {
  MenuItem item = MenuItem::Row(id, std::move(text));
  item.enabled = false;
  return item;
}

MenuItem Destructive(int id, std::wstring text) {
  MenuItem item = MenuItem::Row(id, std::move(text));
  item.destructive = true;
  return item;
}

MenuItem Checked(int id, std::wstring text) {
  MenuItem item = MenuItem::Row(id, std::move(text));
  item.checked = true;
  return item;
}

TEST(MenuLabelTest, LineBreaksAndTabsBecomeSpaces) {
  EXPECT_EQ(MenuLabel(L"报告.docx - 编辑器"), L"报告.docx - 编辑器");
  EXPECT_EQ(MenuLabel(L"line\r\nbreak"), L"line break");
  EXPECT_EQ(MenuLabel(L"a\n\nb\rc"), L"a  b c");
  EXPECT_EQ(MenuLabel(L"tab\there\u2028end"), L"tab here end");
}

TEST(MenuLayoutTest, SizesFollowTheRowsAndTheWidestLabel) {
  HalfEmMeasurer measurer;
  const std::wstring long64(64, L'x');  // 400 DIP
  struct Case {
    const char* name;
    std::vector<MenuItem> items;
    float scale;
    float width, height;
  };
  const Case cases[] = {
      {"short labels keep the minimum width", {MenuItem::Row(1, L"打开"), MenuItem::Row(2, L"关闭")}, 1, 168, 64},
      {"three rows and a separator", {MenuItem::Row(1, L"a"), MenuItem::Row(2, L"b"), MenuItem::Separator(),
                                       MenuItem::Row(3, L"c")}, 1, 168, 100},
      {"a 150 DIP label", {MenuItem::Row(1, std::wstring(24, L'x'))}, 1, 200, 37},
      {"the same label at scale 2", {MenuItem::Row(1, std::wstring(24, L'x'))}, 2, 200, 37},
      {"fractions round up", {MenuItem::Row(1, std::wstring(23, L'x'))}, 1.5f, 194, 37},
      {"a 400 DIP label is capped", {MenuItem::Row(1, long64)}, 1, 270, 37},
      {"disabled rows count", {MenuItem::Row(1, L"a"), Disabled(2, std::wstring(24, L'x'))}, 1, 200, 64},
      {"separator text is ignored", {MenuItem::Row(1, L"a"), MenuItem{0, long64, true, false, false, true}}, 1, 168,
       46},
      {"a scale below 1 counts as 1", {MenuItem::Row(1, std::wstring(24, L'x'))}, 0.5f, 200, 37},
      {"a scale that is not a number counts as 1", {MenuItem::Row(1, std::wstring(24, L'x'))}, std::nanf(""), 200,
       37},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const MenuLayout layout = LayoutMenu(c.items, measurer, c.scale);
    EXPECT_FLOAT_EQ(layout.widthDip, c.width);
    EXPECT_FLOAT_EQ(layout.heightDip, c.height);
    ASSERT_EQ(layout.rows.size(), c.items.size());
    EXPECT_FLOAT_EQ(layout.rows.front().top, 5);
  }
}

TEST(MenuLayoutTest, OnlyALabelWiderThanItsBoxIsTrimmed) {
  HalfEmMeasurer measurer;
  const std::vector<MenuItem> items = {MenuItem::Row(1, std::wstring(64, L'x')), MenuItem::Row(2, L"关闭窗口"),
                                       MenuItem::Row(3, std::wstring(36, L'x')), MenuItem::Row(4, std::wstring(37, L'x'))};
  const MenuLayout layout = LayoutMenu(items, measurer, 1);
  ASSERT_FLOAT_EQ(layout.widthDip, 270);
  EXPECT_EQ(layout.LabelBox(0), (RectF{27, 4.5f, 258, 31.5f}));
  // The box is 231 DIP: 36 characters (225) fit, 37 (231.25) do not.
  EXPECT_EQ(layout.labelTrimmed, (std::vector<bool>{true, false, false, true}));
}

TEST(MenuLayoutTest, RealTextMeasurerTrimsA400DipLabel) {
  const auto measurer = CreateTextMeasurer();
  const std::wstring title =
      L"一个非常非常长的窗口标题，它包含了许多汉字，足以超过菜单的最大宽度，并且还会继续写下去直到四百像素以上为止";
  const std::vector<MenuItem> items = {MenuItem::Row(1, title), MenuItem::Row(2, L"关闭")};
  for (float scale : {1.0f, 2.0f}) {
    SCOPED_TRACE(scale);
    const MenuLayout layout = LayoutMenu(items, *measurer, scale);
    EXPECT_FLOAT_EQ(layout.widthDip, 270);
    EXPECT_EQ(layout.labelTrimmed, (std::vector<bool>{true, false}));
  }
}

TEST(MenuLayoutTest, HitTestFindsEnabledRowsOnly) {
  HalfEmMeasurer measurer;
  // Rows: 5-32, separator 32-41, disabled 41-68, 68-95; 168 x 100.
  const std::vector<MenuItem> items = {MenuItem::Row(1, L"a"), MenuItem::Separator(), Disabled(2, L"b"),
                                       MenuItem::Row(3, L"c")};
  const MenuLayout layout = LayoutMenu(items, measurer, 1);
  struct Case {
    PointF point;
    int row;
  };
  const Case cases[] = {
      {{50, 10}, 0},  {{50, 32}, 0},   {{50, 36}, -1},  {{50, 50}, -1}, {{50, 80}, 3},   {{0, 80}, 3},
      {{168, 80}, 3}, {{50, 3}, -1},   {{50, 98}, -1},  {{-1, 10}, -1}, {{169, 10}, -1}, {{50, 101}, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.point.x << ", " << c.point.y);
    EXPECT_EQ(HitTestMenu(layout, items, c.point), c.row);
  }
}

class ContextMenuTest : public ::testing::Test {
 public:  // the case tables reach in through a reference
  ContextMenuTest() : menu(measurer, [this] { ++hides; }) {}

  // Rows: 0 "打开", 1 separator, 2 disabled, 3 "关闭窗口", 4 destructive, 5 disabled.
  static std::vector<MenuItem> SampleItems() {
    return {MenuItem::Row(100, L"打开"), MenuItem::Separator(), Disabled(102, L"打开文件所在位置"),
            MenuItem::Row(103, L"关闭窗口"), Destructive(104, L"强制退出"), Disabled(105, L"恢复默认图标")};
  }
  void ShowSample() {
    ASSERT_TRUE(menu.Show(SampleItems(), MakeTheme(false, true), 1, [this](int id) {
      chosen.push_back(id);
      visibleDuringCallback = menu.visible();
    }));
  }
  PointF RowCentre(int row) const {
    const MenuRow& r = menu.layout().rows[static_cast<std::size_t>(row)];
    return {60, (r.top + r.bottom) / 2};
  }

  HalfEmMeasurer measurer;
  ContextMenu menu;
  int hides = 0;
  std::vector<int> chosen;
  bool visibleDuringCallback = true;
};

TEST_F(ContextMenuTest, UpAndDownWrapOverTheEnabledRows) {
  struct Case {
    const char* name;
    std::vector<unsigned> keys;
    int hover;
  };
  const Case cases[] = {
      {"Down with nothing hovered takes the first row", {kDown}, 0},
      {"Down skips the separator and disabled rows", {kDown, kDown}, 3},
      {"Down from the last enabled row wraps to the first", {kDown, kDown, kDown, kDown}, 0},
      {"Up with nothing hovered takes the last enabled row", {kUp}, 4},
      {"Up from the first row wraps to the last enabled one", {kDown, kUp}, 4},
      {"Up skips a disabled row", {kUp, kUp}, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ShowSample();
    for (unsigned key : c.keys) EXPECT_EQ(menu.Key(key), MenuResponse::Redraw);
    EXPECT_EQ(menu.hoverIndex(), c.hover);
  }
}

TEST_F(ContextMenuTest, KeysFromAPointerHoverAndWithoutEnabledRows) {
  ShowSample();
  EXPECT_EQ(menu.PointerMove(RowCentre(3)), MenuResponse::Redraw);
  EXPECT_EQ(menu.Key(kDown), MenuResponse::Redraw);
  EXPECT_EQ(menu.hoverIndex(), 4);
  EXPECT_EQ(menu.Key('A'), MenuResponse::Ignored);

  ASSERT_TRUE(menu.Show({Disabled(1, L"a"), MenuItem::Separator()}, MakeTheme(false, true), 1, {}));
  EXPECT_EQ(menu.Key(kDown), MenuResponse::Unchanged);
  EXPECT_EQ(menu.Key(kUp), MenuResponse::Unchanged);
  EXPECT_EQ(menu.hoverIndex(), -1);
  EXPECT_EQ(menu.Key(kEnter), MenuResponse::Unchanged);
  EXPECT_TRUE(menu.visible());

  ASSERT_TRUE(menu.Show({MenuItem::Row(1, L"only")}, MakeTheme(false, true), 1, {}));
  EXPECT_EQ(menu.Key(kDown), MenuResponse::Redraw);
  EXPECT_EQ(menu.Key(kDown), MenuResponse::Unchanged);
  EXPECT_EQ(menu.hoverIndex(), 0);
}

TEST_F(ContextMenuTest, PointerHoverFollowsEnabledRowsAndLeaves) {
  ShowSample();
  EXPECT_EQ(menu.PointerMove(RowCentre(0)), MenuResponse::Redraw);
  EXPECT_EQ(menu.hoverIndex(), 0);
  EXPECT_EQ(menu.PointerMove({61, RowCentre(0).y + 3}), MenuResponse::Unchanged);
  EXPECT_EQ(menu.PointerMove(RowCentre(2)), MenuResponse::Redraw);  // disabled: nothing hovered
  EXPECT_EQ(menu.hoverIndex(), -1);
  menu.PointerMove(RowCentre(4));
  EXPECT_EQ(menu.PointerLeave(), MenuResponse::Redraw);
  EXPECT_EQ(menu.hoverIndex(), -1);
  EXPECT_EQ(menu.PointerLeave(), MenuResponse::Unchanged);
}

TEST_F(ContextMenuTest, ChoosingARowHidesThenCallsBackOnce) {
  struct Case {
    const char* name;
    std::function<MenuResponse(ContextMenuTest&)> choose;
    int id;
  };
  const Case cases[] = {
      {"click", [](ContextMenuTest& t) { return t.menu.Click(t.RowCentre(3)); }, 103},
      {"Enter on the hovered row",
       [](ContextMenuTest& t) {
         t.menu.Key(kUp);
         return t.menu.Key(kEnter);
       },
       104},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    chosen.clear();
    hides = 0;
    ShowSample();
    EXPECT_EQ(c.choose(*this), MenuResponse::Closed);
    EXPECT_EQ(chosen, std::vector<int>{c.id});
    EXPECT_FALSE(visibleDuringCallback);
    EXPECT_EQ(hides, 1);
    EXPECT_FALSE(menu.hasPendingChoice());
    // One shot: the hidden menu takes no more input.
    EXPECT_EQ(menu.Click(RowCentre(3)), MenuResponse::Ignored);
    EXPECT_EQ(menu.Key(kEnter), MenuResponse::Ignored);
    EXPECT_EQ(chosen.size(), 1u);
  }
}

TEST_F(ContextMenuTest, ClosingWithoutAChoiceNeverCallsBack) {
  struct Case {
    const char* name;
    std::function<MenuResponse(ContextMenuTest&)> close;
  };
  const Case cases[] = {
      {"Escape", [](ContextMenuTest& t) { return t.menu.Key(kEscape); }},
      {"click outside the plate", [](ContextMenuTest& t) { return t.menu.Click({-4, 10}); }},
      {"click on a disabled row", [](ContextMenuTest& t) { return t.menu.Click(t.RowCentre(2)); }},
      {"click on the separator", [](ContextMenuTest& t) { return t.menu.Click(t.RowCentre(1)); }},
      {"deactivation", [](ContextMenuTest& t) { return t.menu.Deactivated(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    hides = 0;
    ShowSample();
    menu.Key(kDown);
    EXPECT_EQ(c.close(*this), MenuResponse::Closed);
    EXPECT_FALSE(menu.visible());
    EXPECT_EQ(menu.hoverIndex(), -1);
    EXPECT_EQ(hides, 1);
    EXPECT_TRUE(chosen.empty());
    menu.Hide();
    EXPECT_EQ(hides, 1);
  }
}

TEST_F(ContextMenuTest, ASecondShowReplacesTheContentAndDropsTheFirstCallback) {
  ShowSample();
  menu.Key(kDown);
  std::vector<int> second;
  ASSERT_TRUE(menu.Show({MenuItem::Row(7, L"第二个菜单")}, MakeTheme(true, true), 2,
                        [&](int id) { second.push_back(id); }));
  EXPECT_EQ(menu.items().size(), 1u);
  EXPECT_EQ(menu.hoverIndex(), -1);
  EXPECT_FLOAT_EQ(menu.scale(), 2);
  menu.Key(kDown);
  menu.Key(kEnter);
  EXPECT_EQ(second, std::vector<int>{7});
  EXPECT_TRUE(chosen.empty());
}

TEST_F(ContextMenuTest, AnEmptyMenuIsNotShownAndItsCallbackIsDropped) {
  bool called = false;
  EXPECT_FALSE(menu.Show({}, MakeTheme(false, true), 1, [&](int) { called = true; }));
  EXPECT_FALSE(menu.visible());
  // An open menu stays as it was.
  ShowSample();
  EXPECT_FALSE(menu.Show({}, MakeTheme(false, true), 1, [&](int) { called = true; }));
  EXPECT_TRUE(menu.visible());
  EXPECT_EQ(menu.items().size(), 6u);
  menu.Click(RowCentre(0));
  EXPECT_EQ(chosen, std::vector<int>{100});
  EXPECT_FALSE(called);
}

TEST_F(ContextMenuTest, TheCallbackMayOpenTheNextMenu) {
  std::vector<int> next;
  ASSERT_TRUE(menu.Show({MenuItem::Row(1, L"更多…")}, MakeTheme(false, true), 1, [&](int) {
    menu.Show({MenuItem::Row(2, L"下一个")}, MakeTheme(false, true), 1, [&](int id) { next.push_back(id); });
  }));
  EXPECT_EQ(menu.Click(RowCentre(0)), MenuResponse::Closed);
  EXPECT_TRUE(menu.visible());
  EXPECT_EQ(hides, 1);
  EXPECT_EQ(menu.items().front().id, 2);
  menu.Click(RowCentre(0));
  EXPECT_EQ(next, std::vector<int>{2});
}

// Pixel probes of the drawn plate: the hover fills, the check mark, a label
// and the separator, in both themes and at two scales.
TEST_F(ContextMenuTest, DrawsHoverFillsCheckMarkLabelsAndSeparator) {
  struct Case {
    bool dark;
    float scale;
    int hovered;
  };
  const Case cases[] = {{false, 1, 0}, {true, 1, 3}, {false, 2, 3}, {true, 2, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << (c.dark ? "dark" : "light") << " x" << c.scale);
    const std::vector<MenuItem> items = {Checked(1, L"台前调度"), MenuItem::Separator(), MenuItem::Row(2, L"控制中心"),
                                         Destructive(3, L"退出 Orvane")};
    ASSERT_TRUE(menu.Show(items, MakeTheme(c.dark, true), c.scale, {}));
    menu.PointerMove(RowCentre(c.hovered));
    const float k = c.scale;
    const int width = static_cast<int>(std::lround(menu.layout().widthDip * k));
    const int height = static_cast<int>(std::lround(menu.layout().heightDip * k));
    PixelBuffer buffer(width, height);
    {
      auto canvas = buffer.NewCanvas();
      menu.Draw(*canvas);
    }
    const auto px = [&](float x, float y) {
      return buffer.At(static_cast<int>(x * k), static_cast<int>(y * k));
    };
    // Hover fill between the check column and the label: blue, or red for the destructive row.
    const testing::Bgra fill = px(22, RowCentre(c.hovered).y + 9);
    EXPECT_NEAR(fill.a, 224, 1);
    if (c.hovered == 3) {
      EXPECT_GT(fill.r, 200);
      EXPECT_LT(fill.b, 60);
    } else {
      EXPECT_GT(fill.b, 200);
      EXPECT_LT(fill.r, 20);
    }
    // The unhovered row has no fill there.
    EXPECT_EQ(px(22, RowCentre(c.hovered == 0 ? 3 : 0).y + 9).a, 0);
    // The check mark's corner (13 - 0.8, centre + 3) of row 0.
    EXPECT_GT(px(12.2f, RowCentre(0).y + 2.6f).a, 100);
    // Ink in row 2's label and the separator's line.
    int ink = 0;
    for (int x = static_cast<int>(28 * k); x < static_cast<int>(60 * k); ++x) {
      ink += buffer.At(x, static_cast<int>(RowCentre(2).y * k)).a > 0;
    }
    EXPECT_GT(ink, 0);
    const int separatorY = static_cast<int>(std::round(RowCentre(1).y * k));
    EXPECT_GT(buffer.At(width / 2, separatorY).a, 0);
    EXPECT_EQ(buffer.At(width / 2, separatorY - static_cast<int>(3 * k)).a, 0);
  }
}

TEST(ContextMenuLookTest, LabelColourPutsDisabledBeforeHoverBeforeDestructive) {
  const MenuPalette palette = MenuPaletteFor(MakeTheme(true, true));
  MenuItem plain = MenuItem::Row(1, L"a");
  MenuItem destructive = Destructive(2, L"b");
  MenuItem disabledDestructive = Disabled(3, L"c");
  disabledDestructive.destructive = true;
  EXPECT_EQ(MenuLabelColor(palette, plain, false), palette.label);
  EXPECT_EQ(MenuLabelColor(palette, plain, true), (Color{1, 1, 1, 1}));
  EXPECT_EQ(MenuLabelColor(palette, destructive, false), palette.labelDestructive);
  EXPECT_EQ(MenuLabelColor(palette, destructive, true), (Color{1, 1, 1, 1}));
  EXPECT_EQ(MenuLabelColor(palette, disabledDestructive, true), palette.labelDisabled);
  EXPECT_FLOAT_EQ(palette.labelDisabled.a, palette.label.a * 0.38f);
}

// The menu window on a fake desktop: 1920 x 1080 at the monitor's scale.
class ContextMenuSurfaceTest : public ::testing::Test {
 public:
  ContextMenuSurfaceTest() {
    auto window = std::make_unique<HeadlessSurfaceWindow>(desktop);
    host = window.get();
    surface = std::make_unique<ContextMenuSurface>(stack, compositor, std::move(window), measurer);
    surface->Create();
  }
  bool Show(int x, int y, float scale = 1) {
    const PopupMonitor monitor{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, scale};
    return surface->Show(x, y, monitor, {MenuItem::Row(1, L"一"), MenuItem::Separator(), MenuItem::Row(2, L"二"),
                                         Disabled(3, L"三"), MenuItem::Row(4, L"四")},
                         MakeTheme(true, true), [this](int id) { chosen.push_back(id); });
  }
  // A client point in the middle of row `row` (rows of 27 DIP after 5 of
  // padding, the separator 9) at scale 1 with the 12 DIP margin.
  static SurfacePoint RowPoint(int row) {
    static const int kTops[] = {5, 32, 41, 68, 95};
    return {12 + 80, 12 + kTops[row] + 10};
  }

  testing::LogMessages log;
  testing::GlassTestCompositor compositor;
  HeadlessSurfaceDesktop desktop;
  PopupStack stack{[] {}};
  HalfEmMeasurer measurer;
  HeadlessSurfaceWindow* host = nullptr;
  std::unique_ptr<ContextMenuSurface> surface;
  std::vector<int> chosen;
};

TEST_F(ContextMenuSurfaceTest, OpensAboveThePointSizedByItsRowsAndTakesTheFocus) {
  ASSERT_TRUE(Show(960, 700));
  // A 168 x 127 DIP plate (four rows and a separator between the paddings),
  // its bottom 8 DIP above the point, the window 12 DIP larger all round.
  const MenuLayout& layout = surface->menu().layout();
  EXPECT_EQ(layout.widthDip, 168);
  EXPECT_EQ(layout.heightDip, 5 + 4 * 27 + 9 + 5);
  const SurfaceRect r = host->Rect();
  EXPECT_EQ(r.right - r.left, 168 + 24);
  EXPECT_EQ(r.bottom - r.top, 127 + 24);
  EXPECT_EQ(r.bottom - 12, 700 - 8);
  EXPECT_TRUE(host->IsVisible());
  EXPECT_TRUE(host->HasFocus());
  EXPECT_TRUE(stack.IsOpen(PopupKind::ContextMenu));

  // Near the top of the monitor it opens below the point; at scale 2 it is
  // laid out at twice the size.
  ASSERT_TRUE(Show(960, 20, 2));
  EXPECT_EQ(host->Rect().top + 24, 20 + 16);
  EXPECT_EQ(host->Rect().right - host->Rect().left, 2 * (168 + 24));
  EXPECT_FALSE(surface->Show(0, 0, {}, {}, MakeTheme(true, true), [this](int id) { chosen.push_back(id); }));
  EXPECT_TRUE(host->IsVisible()) << "an empty list leaves the open menu alone";
}

TEST_F(ContextMenuSurfaceTest, PointerAndKeysChooseOnce) {
  ASSERT_TRUE(Show(960, 700));
  host->MovePointer(RowPoint(2));
  EXPECT_EQ(surface->menu().hoverIndex(), 2);
  host->MovePointer(RowPoint(3));  // disabled
  EXPECT_EQ(surface->menu().hoverIndex(), -1);
  host->PressButton(PointerButton::Left, RowPoint(2));
  host->ReleaseButton(PointerButton::Left, RowPoint(2));
  EXPECT_EQ(chosen, std::vector<int>{2});
  EXPECT_FALSE(host->IsVisible());
  EXPECT_FALSE(stack.IsOpen(PopupKind::ContextMenu));

  ASSERT_TRUE(Show(960, 700));
  host->PressKey(kUp);  // the last enabled row
  host->PressKey(kEnter);
  EXPECT_EQ(chosen, (std::vector<int>{2, 4}));
}

TEST_F(ContextMenuSurfaceTest, EveryOtherWayOutClosesWithoutACall) {
  struct Case {
    const char* name;
    std::function<void(ContextMenuSurfaceTest&)> act;
  };
  const Case cases[] = {
      {"escape", [](ContextMenuSurfaceTest& t) { t.host->PressKey(kEscape); }},
      {"release on a disabled row",
       [](ContextMenuSurfaceTest& t) { t.host->ReleaseButton(PointerButton::Left, RowPoint(3)); }},
      {"press in the shadow margin", [](ContextMenuSurfaceTest& t) { t.host->PressButton(PointerButton::Left, {3, 3}); }},
      {"another program activates", [](ContextMenuSurfaceTest& t) { t.desktop.ActivateOtherProgram(); }},
      {"the shell closes it (a dock press)", [](ContextMenuSurfaceTest& t) { t.stack.Close(PopupKind::ContextMenu); }},
      {"hidden by its owner", [](ContextMenuSurfaceTest& t) { t.surface->Hide(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(Show(960, 700));
    c.act(*this);
    EXPECT_FALSE(host->IsVisible());
    EXPECT_FALSE(surface->menu().visible());
    EXPECT_FALSE(stack.IsOpen(PopupKind::ContextMenu));
    // A key after closing does nothing.
    host->PressKey(kEnter);
  }
  EXPECT_TRUE(chosen.empty());
}

TEST_F(ContextMenuSurfaceTest, ARefusedForegroundClosesOnTheNextForegroundChange) {
  desktop.SetRefuseForeground(true);
  ASSERT_TRUE(Show(960, 700));
  EXPECT_TRUE(host->IsVisible());
  ASSERT_EQ(log.lines.size(), 1u);
  surface->popup().OnForegroundChanged();
  EXPECT_FALSE(host->IsVisible());
  EXPECT_FALSE(surface->menu().visible());
  EXPECT_TRUE(chosen.empty());
}

}  // namespace
}  // namespace orvane
