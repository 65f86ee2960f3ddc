#pragma once
// The notification panel's and the banner's fixed geometry, in DIP from the
// top-left corner of the glass plate, and the small calculations both
// draw and hit-test from: the list's rows, the month grid, the ring gauge.

#include <cstdint>
#include <vector>

#include "render/Canvas.h"

namespace orvane {

namespace notification_panel {
inline constexpr float kWidth = 352, kHeight = 640, kMargin = 14, kCornerRadius = 16, kBlur = 24;
inline constexpr float kTintDark = 0.66f, kTintLight = 0.76f;
// The plate's distance from the monitor's right and top edges.
inline constexpr float kRightGap = 10, kTopGap = 34;

inline constexpr RectF kHeaderCard{14, 14, 338, 82};
inline constexpr RectF kClock{24, 18, 190, 54};
inline constexpr RectF kDate{24, 56, 210, 76};
inline constexpr RectF kRefreshButton{202, 24, 246, 50};
inline constexpr RectF kClearAllButton{252, 24, 330, 50};
inline constexpr RectF kTabStrip{14, 92, 338, 124};
inline constexpr RectF kListTabHighlight{17, 95, 176, 121};
inline constexpr RectF kWidgetsTabHighlight{176, 95, 335, 121};
inline constexpr float kTabSplitX = 176;

// The list: rows 82 DIP tall every 90 DIP, clipped to the viewport.
inline constexpr RectF kListViewport{12, 132, 340, 626};
inline constexpr float kFirstRowTop = 136, kRowPitch = 90, kRowHeight = 82;
inline constexpr float kRowDrawTop = 130, kRowDrawBottom = 630;
inline constexpr float kScrollSlack = 450;
inline constexpr float kWheelStep = 48;
inline constexpr RectF kEmptyCard{14, 136, 338, 320};

// The detail view.
inline constexpr RectF kBackButton{14, 134, 108, 162};
inline constexpr RectF kDismissButton{242, 134, 338, 162};
inline constexpr RectF kDetailCard{14, 172, 338, 624};

// The widgets tab.
inline constexpr RectF kCalendarCard{14, 134, 338, 340};
inline constexpr RectF kPreviousMonth{270, 138, 300, 170};
inline constexpr RectF kNextMonth{301, 138, 332, 170};
inline constexpr RectF kSystemCard{14, 350, 338, 462};
inline constexpr RectF kNoteCard{14, 472, 338, 626};
inline constexpr RectF kNoteText{26, 506, 326, 618};

inline constexpr int kNoteLimit = 400;
}  // namespace notification_panel

namespace notification_banner {
inline constexpr float kWidth = 334, kHeight = 86, kMargin = 12, kCornerRadius = 16, kBlur = 24;
inline constexpr float kTintDark = 0.72f, kTintLight = 0.82f;
inline constexpr float kRightGap = 12, kTopGap = 36;
inline constexpr RectF kCloseBox{304, 6, 328, 30};
}  // namespace notification_banner

// One drawn row of the list.
struct NotificationRow {
  std::int64_t id = 0;
  int index = 0;
  RectF row;      // the card
  RectF dismiss;  // the "×" box
};

// The rows of `count` notifications at this scroll offset that are drawn.
std::vector<NotificationRow> LayOutNotificationRows(const std::vector<std::int64_t>& ids, float scroll);
// How far the list scrolls: 0 ... max(0, 90 × count − 450).
float MaxNotificationScroll(std::size_t count);

// Day of the week of a Gregorian date, Sunday 0.
int WeekdayOf(int year, int month, int day);
int DaysInMonth(int year, int month);
// The month's day cells: day d at cell (firstWeekday + d − 1), 7 a row.
RectF CalendarDayCell(int cell);

// The ring gauge's arc: the number of 10° segments a value fills.
int GaugeSegments(float percent);

}  // namespace orvane
