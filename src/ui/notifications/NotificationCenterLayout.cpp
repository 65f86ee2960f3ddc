#include "ui/notifications/NotificationCenterLayout.h"

#include <algorithm>
#include <cmath>

namespace orvane {

std::vector<NotificationRow> LayOutNotificationRows(const std::vector<std::int64_t>& ids, float scroll) {
  using namespace notification_panel;
  std::vector<NotificationRow> rows;
  for (std::size_t i = 0; i < ids.size(); ++i) {
    const float y0 = kFirstRowTop - scroll + kRowPitch * static_cast<float>(i);
    if (y0 + kRowHeight < kRowDrawTop || y0 > kRowDrawBottom) continue;
    NotificationRow row;
    row.id = ids[i];
    row.index = static_cast<int>(i);
    row.row = RectF{14, y0, 338, y0 + kRowHeight};
    row.dismiss = RectF{310, y0 + 8, 330, y0 + 28};
    rows.push_back(row);
  }
  return rows;
}

float MaxNotificationScroll(std::size_t count) {
  return std::max(0.0f, notification_panel::kRowPitch * static_cast<float>(count) - notification_panel::kScrollSlack);
}

int WeekdayOf(int year, int month, int day) {
  static constexpr int kOffsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 3) year -= 1;
  const int w = (year + year / 4 - year / 100 + year / 400 + kOffsets[(month - 1) % 12] + day) % 7;
  return w < 0 ? w + 7 : w;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 30;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

RectF CalendarDayCell(int cell) {
  const float left = 22 + 44 * static_cast<float>(cell % 7);
  const float top = 190 + 24 * static_cast<float>(cell / 7);
  return RectF{left, top, left + 44, top + 22};
}

int GaugeSegments(float percent) {
  if (!(percent > 0)) return 0;
  return static_cast<int>(std::lround(std::clamp(percent / 100.0f, 0.0f, 1.0f) * 36.0f));
}

}  // namespace orvane
