#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "CairoCanvasProbe.h"
#include "CapturedLog.h"
#include "GlassTestCompositor.h"
#include "app/TextUtil.h"
#include "platform/headless/HeadlessSurfaceWindow.h"
#include "ui/notifications/NotificationCenterModel.h"
#include "ui/notifications/NotificationCenterSurface.h"
#include "ui/notifications/NotificationCenterView.h"

namespace orvane {
namespace {

using Kind = NotificationHit::Kind;
constexpr unsigned kBack = 0x08, kEnter = 0x0D, kEscape = 0x1B;

NotificationRecord Record(std::int64_t id, std::wstring title, std::wstring body = L"") {
  NotificationRecord r;
  r.id = id;
  r.appName = L"邮件";
  r.title = std::move(title);
  r.body = std::move(body);
  r.timeText = L"09:05";
  return r;
}

// The feed as the panel sees it: a list that forgets what was dismissed.
class FakeList final : public NotificationList {
 public:
  void RequestRefresh() override { ++refreshes; }
  std::vector<NotificationRecord> Items() override { return items; }
  void Dismiss(std::int64_t id) override {
    dismissed.push_back(id);
    std::erase_if(items, [id](const NotificationRecord& r) { return r.id == id; });
  }
  void ClearAll() override {
    ++clears;
    items.clear();
  }

  std::vector<NotificationRecord> items;
  std::vector<std::int64_t> dismissed;
  int refreshes = 0;
  int clears = 0;
};

std::vector<NotificationRecord> Records(int count) {
  std::vector<NotificationRecord> out;
  for (int i = 0; i < count; ++i) out.push_back(Record(100 + i, L"标题 " + std::to_wstring(i)));
  return out;
}

class NotificationCenterModelTest : public ::testing::Test {
 public:
  NotificationCenterModelTest() : model(list, [this](const std::wstring& note) { notes.push_back(note); }) {}
  void Open(int count, std::wstring note = L"") {
    list.items = Records(count);
    model.Open(note, CivilTime{2025, 1, 15, 3, 10, 30, 0, 0});
  }
  NotificationResponse Click(PointF p) {
    model.PointerDown(p);
    return model.PointerUp(p);
  }
  // A point on row i's card (not on its "×") at the current scroll.
  PointF OnRow(int i) const { return {100, 136 - model.scroll() + 90.0f * i + 40}; }

  FakeList list;
  NotificationCenterModel model;
  std::vector<std::wstring> notes;
};

TEST_F(NotificationCenterModelTest, TenNotificationsScrollAtMost450AndANotchMoves48) {
  Open(10);
  EXPECT_EQ(MaxNotificationScroll(10), 450);
  EXPECT_EQ(MaxNotificationScroll(3), 0);
  EXPECT_EQ(model.Wheel(1), NotificationResponse::None);  // already at the top
  EXPECT_EQ(model.Wheel(-1), NotificationResponse::Redraw);
  EXPECT_EQ(model.scroll(), 48);
  model.Wheel(-20);
  EXPECT_EQ(model.scroll(), 450);
  // Only the rows that reach into the list are laid out.
  for (const NotificationRow& row : model.rows()) {
    EXPECT_GE(row.row.bottom, 130);
    EXPECT_LE(row.row.top, 630);
  }
  EXPECT_EQ(model.rows().back().id, 109);
}

TEST_F(NotificationCenterModelTest, APartlyHiddenRowTakesNoClickInItsHiddenPart) {
  Open(10);
  // Row 5 starts at 586 and is cut by the list's bottom at 626.
  const PointF hidden{100, 640}, visible{100, 600};
  EXPECT_EQ(model.HitTest(hidden).kind, Kind::None);
  EXPECT_EQ(model.HitTest(visible), (NotificationHit{Kind::Row, 105}));
  // Scrolled by 48, row 0 reaches above the list's top at 132.
  model.Wheel(-1);
  EXPECT_EQ(model.HitTest({100, 128}).kind, Kind::None);  // between the tabs and the list
  EXPECT_EQ(model.HitTest({320, 98}).kind, Kind::WidgetsTab);  // row 0's "×" lies under the tabs
  EXPECT_EQ(model.HitTest({100, 140}), (NotificationHit{Kind::Row, 100}));
}

TEST_F(NotificationCenterModelTest, AClickActsOnTheNotificationPressedEvenAfterTheListMoved) {
  Open(3);
  const PointF row1 = OnRow(1);
  model.PointerDown(row1);
  // A refresh between press and release puts another notification there.
  list.items.insert(list.items.begin(), Record(7, L"新的"));
  model.Refresh();
  EXPECT_EQ(model.PointerUp(row1), NotificationResponse::None);
  EXPECT_FALSE(model.detailOpen());
  // A release with no press does nothing either.
  EXPECT_EQ(model.PointerUp(row1), NotificationResponse::None);
  // A real click opens the notification under it.
  Click(OnRow(1));
  ASSERT_TRUE(model.detailOpen());
  EXPECT_EQ(model.detail().id, 100);
}

TEST_F(NotificationCenterModelTest, DismissBoxesDetailAndClearAll) {
  Open(3);
  model.PointerMove({320, 136 + 18});
  EXPECT_EQ(model.hoveredId(), 100);
  EXPECT_TRUE(model.hoveringDismiss());
  Click({320, 136 + 18});
  EXPECT_EQ(list.dismissed, std::vector<std::int64_t>{100});
  ASSERT_EQ(model.items().size(), 2u);
  EXPECT_EQ(model.items()[0].id, 101);
  // The pointer still there is now on the next row's box.
  EXPECT_EQ(model.hoveredId(), 101);

  Click(OnRow(0));
  ASSERT_TRUE(model.detailOpen());
  EXPECT_EQ(model.HitTest({300, 150}), (NotificationHit{Kind::DetailDismiss, 101}));
  Click({300, 150});
  EXPECT_FALSE(model.detailOpen());
  EXPECT_EQ(list.dismissed.back(), 101);

  Click({290, 37});
  EXPECT_EQ(list.clears, 1);
  EXPECT_TRUE(model.items().empty());
  EXPECT_EQ(model.scroll(), 0);
}

TEST_F(NotificationCenterModelTest, EscapeEndsEditingThenTheDetailThenHidesThePanel) {
  Open(2);
  Click(OnRow(0));
  EXPECT_EQ(model.Key(kEscape), NotificationResponse::Redraw);
  EXPECT_FALSE(model.detailOpen());
  EXPECT_EQ(model.Key(kEscape), NotificationResponse::Hide);

  Click({250, 108});  // the widgets tab
  Click({100, 550});  // the note card
  ASSERT_TRUE(model.editing());
  EXPECT_EQ(model.Key(kEscape), NotificationResponse::Redraw);
  EXPECT_FALSE(model.editing());
  EXPECT_EQ(model.tab(), NotificationTab::Widgets);
}

TEST_F(NotificationCenterModelTest, TheNoteTakesFourHundredCharactersLineBreaksAndReportsEveryEdit) {
  Open(0, std::wstring(399, L'a'));
  Click({250, 108});
  Click({100, 550});
  EXPECT_EQ(model.Char(U'中'), NotificationResponse::Redraw);
  EXPECT_EQ(model.Char(U'b'), NotificationResponse::None);  // the 401st
  EXPECT_EQ(model.Key(kEnter), NotificationResponse::None);
  EXPECT_EQ(model.Key(kBack), NotificationResponse::Redraw);
  EXPECT_EQ(model.Key(kEnter), NotificationResponse::Redraw);
  ASSERT_EQ(notes.size(), 3u);
  EXPECT_EQ(notes.back(), std::wstring(399, L'a') + L"\n");
  // Keys the note does not own stay with the panel; nothing is typed while
  // the note is not being edited.
  EXPECT_FALSE(model.Key(0x41).has_value());
  Click({100, 200});  // the calendar: editing ends
  EXPECT_EQ(model.Char(U'x'), NotificationResponse::None);
  EXPECT_EQ(notes.size(), 3u);
}

TEST_F(NotificationCenterModelTest, AnOverLongNoteFromTheFileIsKeptWhole) {
  const std::wstring long_note(450, L'n');
  Open(0, long_note);
  EXPECT_EQ(model.note().Text(), long_note);
  Click({250, 108});
  Click({100, 550});
  model.Char(U'x');
  EXPECT_TRUE(notes.empty());
}

TEST_F(NotificationCenterModelTest, TheCalendarStepsAcrossYears) {
  Open(0);
  Click({250, 108});
  Click({285, 150});  // "<" from January 2025
  EXPECT_EQ(model.calendarYear(), 2024);
  EXPECT_EQ(model.calendarMonth(), 12);
  Click({315, 150});
  Click({315, 150});
  EXPECT_EQ(model.calendarYear(), 2025);
  EXPECT_EQ(model.calendarMonth(), 2);
}

TEST_F(NotificationCenterModelTest, RowsStayInsideTheListAndOnlyTheHoveredBoxTurnsRed) {
  Open(10);
  model.Wheel(-1);  // rows cut at both ends of the list
  model.PointerMove({320, 136 - 48 + 90 * 2 + 18});
  ASSERT_EQ(model.hoveredId(), 102);
  testing::PixelBuffer pixels(352, 640);
  DrawNotificationPanel(*pixels.NewCanvas(), model, MakeTheme(true, true), 1, CivilTime{2025, 1, 15, 3, 10, 30, 0, 0});
  // Nothing of the rows between the list's bottom (626) and the plate's
  // edge, nor between the tabs (124) and the list's top (132).
  for (int y : {627, 630, 634}) {
    for (int x = 20; x < 330; x += 7) ASSERT_EQ(pixels.Alpha(x, y), 0) << x << "," << y;
  }
  for (int x = 20; x < 330; x += 7) ASSERT_EQ(pixels.Alpha(x, 128), 0) << x;
  // The hovered row's "×" stands on the alert colour; the next row's does not.
  const auto red = [&](int y) {
    const testing::Bgra p = pixels.At(320, y);
    return p.r > 200 && p.g < 120;
  };
  const int hoveredBox = 136 - 48 + 90 * 2 + 18, nextBox = hoveredBox + 90;
  EXPECT_TRUE(red(hoveredBox + 7));
  EXPECT_FALSE(red(nextBox + 7));
}

TEST(NotificationCalendarTest, WeekdaysMonthLengthsAndGaugeSteps) {
  const struct {
    int year, month, day, weekday;
  } days[] = {{2024, 2, 1, 4}, {2025, 1, 1, 3}, {2000, 3, 1, 3}, {2100, 2, 28, 0}, {1970, 1, 1, 4}};
  for (const auto& d : days) EXPECT_EQ(WeekdayOf(d.year, d.month, d.day), d.weekday) << d.year << "-" << d.month;
  EXPECT_EQ(DaysInMonth(2024, 2), 29);
  EXPECT_EQ(DaysInMonth(2100, 2), 28);
  EXPECT_EQ(DaysInMonth(2000, 2), 29);
  EXPECT_EQ(DaysInMonth(2023, 4), 30);
  const struct {
    float percent;
    int segments;
  } gauges[] = {{0, 0}, {-5, 0}, {1.3f, 0}, {1.5f, 1}, {50, 18}, {100, 36}, {250, 36}};
  for (const auto& g : gauges) EXPECT_EQ(GaugeSegments(g.percent), g.segments) << g.percent;
}

// --- the surface on a fake desktop ---------------------------------------------------------

// Every character is half the font size wide, one line per "\n".
class HalfEmMeasurer final : public TextMeasurer {
 public:
  TextMetrics Measure(std::wstring_view text, const TextStyle& style, float, float) override {
    TextMetrics m;
    m.lineCount = 1 + static_cast<int>(std::count(text.begin(), text.end(), L'\n'));
    const std::size_t last = text.find_last_of(L'\n');
    const std::size_t tail = last == std::wstring_view::npos ? text.size() : text.size() - last - 1;
    m.width = static_cast<float>(tail) * style.size / 2;
    m.height = style.size * 1.3f * static_cast<float>(m.lineCount);
    return m;
  }
};

class NotificationCenterSurfaceTest : public ::testing::Test {
 public:
  NotificationCenterSurfaceTest() : clock(FixedCivilClock::FileTimeOf({2024, 2, 10, 6, 9, 30, 0, 0}, 0), 0) {
    NotificationCenterDeps deps;
    deps.list = &list;
    deps.popArrival = [this]() -> std::optional<NotificationRecord> {
      if (arrivals.empty()) return std::nullopt;
      NotificationRecord r = arrivals.front();
      arrivals.erase(arrivals.begin());
      return r;
    };
    deps.clock = &clock;
    deps.measurer = &measurer;
    deps.monitor = [] { return PopupMonitor{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 1}; };
    deps.fullScreen = [this] { return fullScreen; };
    deps.now = [this] { return now; };
    deps.noteChanged = [this](const std::wstring& note) { config.quickNote = note; };
    surface = std::make_unique<NotificationCenterSurface>(
        stack, compositor,
        [this]() -> std::unique_ptr<SurfaceWindow> {
          auto window = std::make_unique<HeadlessSurfaceWindow>(desktop);
          windows.push_back(window.get());
          return window;
        },
        config, MakeTheme(true, true), std::move(deps));
    surface->Create();
  }
  HeadlessSurfaceWindow& panel() { return *windows[0]; }
  HeadlessSurfaceWindow& banner() { return *windows[1]; }
  void Tick(int ms = 260) {
    now += std::chrono::milliseconds(ms);
    surface->PeriodicTick(++tick);
  }
  // A client point of the panel from plate DIP (margin 14 at scale 1).
  static SurfacePoint PanelPoint(float x, float y) { return {static_cast<int>(14 + x), static_cast<int>(14 + y)}; }
  void ClickPanel(float x, float y) {
    panel().PressButton(PointerButton::Left, PanelPoint(x, y));
    panel().ReleaseButton(PointerButton::Left, PanelPoint(x, y));
  }

  testing::LogMessages log;
  testing::GlassTestCompositor compositor;
  HeadlessSurfaceDesktop desktop;
  PopupStack stack{[] {}};
  DockConfig config;
  FakeList list;
  FixedCivilClock clock;
  HalfEmMeasurer measurer;
  std::vector<NotificationRecord> arrivals;
  bool fullScreen = false;
  std::chrono::steady_clock::time_point now{};
  unsigned tick = 0;
  std::vector<HeadlessSurfaceWindow*> windows;
  std::unique_ptr<NotificationCenterSurface> surface;
};

TEST_F(NotificationCenterSurfaceTest, TheCommandTogglesThePanelAtTheTopRightWithItsExactPlate) {
  surface->Run(ShellCommand::ToggleNotificationCenter, {});
  ASSERT_TRUE(panel().IsVisible());
  EXPECT_TRUE(panel().HasFocus());
  // A 352 x 640 plate 10 DIP from the right and 34 from the top, the
  // window 14 DIP larger all round.
  EXPECT_EQ(panel().Rect(), (SurfaceRect{1920 - 10 - 352 - 14, 34 - 14, 1920 - 10 + 14, 34 + 640 + 14}));
  EXPECT_EQ(panel().Params().className, kNotificationCenterClass);
  surface->Run(ShellCommand::ToggleNotificationCenter, {});
  EXPECT_FALSE(panel().IsVisible());

  surface->Run(ShellCommand::ToggleNotificationCenter, {});
  panel().PressKey(kEscape);
  EXPECT_FALSE(panel().IsVisible());
  surface->Run(ShellCommand::ToggleNotificationCenter, {});
  desktop.ActivateOtherProgram();
  EXPECT_FALSE(panel().IsVisible());
}

TEST_F(NotificationCenterSurfaceTest, TypedTextReachesTheNoteOnceWithTheInputMethodAtTheCaret) {
  config.quickNote = L"备忘";
  surface->Run(ShellCommand::ToggleNotificationCenter, {});
  ClickPanel(250, 108);
  ClickPanel(100, 550);
  ASSERT_TRUE(surface->model().editing());
  ASSERT_TRUE(panel().textInput().has_value());
  const SurfaceRect caretBefore = panel().textInput()->caret;

  panel().PressKey(0x41, u"a");
  panel().TypeUnits(u"\u4E2D\U0001F600");  // an input method's result: CJK and an emoji
  // Backspace and Enter are keys of the note: each acts once, though the
  // key-down also types "\b" and "\r".
  EXPECT_TRUE(panel().PressKey(kBack, u"\b"));
  EXPECT_TRUE(panel().PressKey(kEnter, u"\r"));
  std::wstring expected = L"备忘a中";
  expected += L"\n";
  EXPECT_EQ(config.quickNote, expected);
  EXPECT_EQ(WideToUtf8(config.quickNote), "\xE5\xA4\x87\xE5\xBF\x98" "a\xE4\xB8\xAD\n");
  EXPECT_NE(panel().textInput()->caret, caretBefore);

  panel().PressKey(kEscape);
  EXPECT_TRUE(panel().IsVisible());
  EXPECT_FALSE(panel().textInput().has_value());
}

TEST_F(NotificationCenterSurfaceTest, BannersWaitForTheirTurnAndNeverShowOverAFullScreenApplication) {
  arrivals = {Record(1, L"第一"), Record(2, L"第二")};
  fullScreen = true;
  Tick();
  EXPECT_FALSE(banner().IsVisible());
  fullScreen = false;
  Tick();
  ASSERT_TRUE(banner().IsVisible());
  EXPECT_EQ(surface->bannerRecord()->id, 1);
  EXPECT_FALSE(banner().HasFocus());
  EXPECT_EQ(banner().Params().className, kNotificationBannerClass);
  EXPECT_EQ(banner().Rect(), (SurfaceRect{1920 - 12 - 334 - 12, 36 - 12, 1920 - 12 + 12, 36 + 86 + 12}));
  // The second waits until the first has been up a while.
  Tick();
  EXPECT_EQ(surface->bannerRecord()->id, 1);
  Tick(2400);
  EXPECT_EQ(surface->bannerRecord()->id, 2);
  Tick(4800);
  EXPECT_FALSE(banner().IsVisible());

  // Banners off: arrivals stay in the feed.
  config.showNotificationBanners = false;
  arrivals = {Record(3, L"第三")};
  Tick();
  EXPECT_FALSE(banner().IsVisible());
  EXPECT_EQ(arrivals.size(), 1u);
}

TEST_F(NotificationCenterSurfaceTest, ABannerClickOpensThePanelAndItsCloseBoxOnlyHidesIt) {
  arrivals = {Record(1, L"第一"), Record(2, L"第二")};
  Tick();
  ASSERT_TRUE(banner().IsVisible());
  const SurfacePoint close{12 + 316, 12 + 18};
  banner().PressButton(PointerButton::Left, close);
  banner().ReleaseButton(PointerButton::Left, close);
  EXPECT_FALSE(banner().IsVisible());
  EXPECT_FALSE(panel().IsVisible());

  Tick(2400);
  ASSERT_TRUE(banner().IsVisible());
  banner().PressButton(PointerButton::Left, {100, 60});
  banner().ReleaseButton(PointerButton::Left, {100, 60});
  EXPECT_FALSE(banner().IsVisible());
  EXPECT_TRUE(panel().IsVisible());
  // No banner while the panel is open.
  arrivals = {Record(3, L"第三")};
  Tick(3000);
  EXPECT_FALSE(banner().IsVisible());
}

}  // namespace
}  // namespace orvane
