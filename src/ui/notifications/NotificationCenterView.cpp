#include "ui/notifications/NotificationCenterView.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "app/Format.h"

namespace orvane {
namespace {

using namespace notification_panel;

constexpr Color kAccent{0.0392f, 0.5176f, 1.0f, 0.94f};
constexpr Color kAlert{1.0f, 0.2706f, 0.2275f, 0.95f};
constexpr Color kGreen{0.1882f, 0.8196f, 0.3451f, 0.94f};
constexpr Color kWhite{1, 1, 1, 1};

struct Palette {
  Color primary, secondary, card, button, track;
};

Palette PanelPalette(const Theme& theme, float secondaryShare) {
  const Color text = ToColor(theme.tooltipText);
  Palette p;
  p.primary = text;
  p.secondary = text.WithAlpha(text.a * secondaryShare);
  p.card = theme.dark ? Color{1, 1, 1, 0.08f} : Color{0, 0, 0, 0.055f};
  p.button = theme.dark ? Color{1, 1, 1, 0.14f} : Color{0, 0, 0, 0.095f};
  p.track = theme.dark ? Color{1, 1, 1, 0.14f} : Color{0, 0, 0, 0.12f};
  return p;
}

TextStyle Style(float sizeDip, int weight, TextAlignment alignment, float k, bool ellipsis = false) {
  TextStyle style;
  style.size = sizeDip * k;
  style.weight = weight;
  style.alignment = alignment;
  style.paragraph = ParagraphAlignment::Center;
  style.ellipsis = ellipsis;
  style.locale = L"zh-CN";
  return style;
}

// The panel's six formats.
struct Formats {
  TextStyle clock, title, body, label, small, caption;
  explicit Formats(float k)
      : clock(Style(28, 300, TextAlignment::Leading, k)),
        title(Style(13, 600, TextAlignment::Leading, k, true)),
        body(Style(12, 400, TextAlignment::Leading, k)),
        label(Style(11.5f, 500, TextAlignment::Center, k)),
        small(Style(10.5f, 400, TextAlignment::Center, k)),
        caption(Style(10.5f, 600, TextAlignment::Leading, k, true)) {
    body.wrap = true;
    body.ellipsis = true;
    body.paragraph = ParagraphAlignment::Near;
  }
};

// DIP geometry onto the pixel canvas.
class Painter {
 public:
  Painter(Canvas& canvas, float scale) : canvas_(canvas), k_(scale) {}
  float k() const { return k_; }
  RectF Px(const RectF& r) const { return RectF{r.left * k_, r.top * k_, r.right * k_, r.bottom * k_}; }
  void Card(const RectF& r, float radius, Color color) {
    canvas_.FillRoundedRect(Px(r), radius * k_, radius * k_, color);
  }
  void Text(std::wstring_view text, const TextStyle& style, const RectF& r, Color color) {
    if (!text.empty()) canvas_.DrawText(text, style, Px(r), color);
  }
  void Dot(PointF c, float radius, Color color) {
    canvas_.FillEllipse({c.x * k_, c.y * k_}, radius * k_, radius * k_, color);
  }
  // A "×" of two lines centred at c.
  void Cross(PointF c, float half, float width, Color color) {
    const StrokeStyle stroke = StrokeStyle::Rounded(width * k_);
    canvas_.DrawLine({(c.x - half) * k_, (c.y - half) * k_}, {(c.x + half) * k_, (c.y + half) * k_}, color, stroke);
    canvas_.DrawLine({(c.x - half) * k_, (c.y + half) * k_}, {(c.x + half) * k_, (c.y - half) * k_}, color, stroke);
  }
  // The plate's edge: two outlines a pixel unit wide inside the plate.
  void PlateEdge(float widthDip, float heightDip, float cornerDip, const Theme& theme) {
    const float u = std::max(std::round(k_), 1.0f);
    const float radius = std::round(cornerDip * k_);
    const float w = widthDip * k_, h = heightDip * k_;
    const float outer = u / 2, inner = 1.5f * u;
    canvas_.StrokeRoundedRect(RectF{outer, outer, w - outer, h - outer}, radius - outer, radius - outer,
                              ToColor(theme.rimOutline), StrokeStyle::Plain(u));
    canvas_.StrokeRoundedRect(RectF{inner, inner, w - inner, h - inner}, radius - inner, radius - inner,
                              ToColor(theme.rimGradientTop), StrokeStyle::Plain(u));
  }
  Canvas& canvas() { return canvas_; }

 private:
  Canvas& canvas_;
  float k_;
};

const wchar_t* const kWeekdayNames[] = {L"星期日", L"星期一", L"星期二", L"星期三", L"星期四", L"星期五", L"星期六"};
const wchar_t* const kWeekdayLetters[] = {L"日", L"一", L"二", L"三", L"四", L"五", L"六"};

std::wstring AppNameOf(const NotificationRecord& record) {
  return record.appName.empty() ? std::wstring(L"系统通知") : record.appName;
}

void DrawHeader(Painter& p, const Formats& f, const Palette& c, const NotificationCenterModel& model,
                const CivilTime& now) {
  p.Card(kHeaderCard, 12, c.card);
  p.Text(FormatWide(L"%02u:%02u:%02u", now.hour, now.minute, now.second), f.clock, kClock, c.primary);
  const int weekday = std::clamp(now.weekday, 0, 6);
  p.Text(FormatWide(L"%u年%u月%u日 %s", now.year, now.month, now.day, kWeekdayNames[weekday]), f.caption, kDate,
         c.secondary);
  p.Card(kRefreshButton, 8, c.button);
  p.Text(L"刷新", f.label, kRefreshButton, c.primary);
  const bool any = !model.items().empty();
  p.Card(kClearAllButton, 8, any ? kAlert : c.track);
  p.Text(L"全部清除", f.label, kClearAllButton, any ? kWhite : c.secondary);

  p.Card(kTabStrip, 10, c.card);
  const bool list = model.tab() == NotificationTab::List;
  p.Card(list ? kListTabHighlight : kWidgetsTabHighlight, 8, kAccent);
  p.Text(FormatWide(L"通知中心 (%u)", model.items().size()), f.label, kListTabHighlight, list ? kWhite : c.primary);
  p.Text(L"小组件与便签", f.label, kWidgetsTabHighlight, list ? c.primary : kWhite);
}

void DrawList(Painter& p, const Formats& f, const Palette& c, const NotificationCenterModel& model) {
  if (model.items().empty()) {
    p.Card(kEmptyCard, 14, c.card);
    p.Text(L"暂无未读系统通知", f.label, RectF{24, 198, 328, 224}, c.primary);
    p.Text(L"Orvane 会实时接管并展示 Windows 系统通知\n无需打开原生系统通知侧栏，新消息到达时右上角自动横幅提醒",
           f.small, RectF{28, 230, 324, 290}, c.secondary);
    return;
  }
  p.canvas().PushClipRect(p.Px(kListViewport));
  for (const NotificationRow& row : model.rows()) {
    const NotificationRecord* record = model.Find(row.id);
    if (record == nullptr) continue;
    const float y0 = row.row.top;
    const bool hovered = model.hoveredId() == row.id;
    p.Card(row.row, 12, hovered ? c.button : c.card);
    p.Dot({28, y0 + 18}, 4, kAccent);
    p.Text(AppNameOf(*record), f.caption, RectF{38, y0 + 8, 260, y0 + 26}, c.secondary);
    p.Text(record->timeText, f.small, RectF{260, y0 + 8, 308, y0 + 26}, c.secondary);
    p.Text(record->title, f.title, RectF{28, y0 + 28, 324, y0 + 48}, c.primary);
    // Wrapped, the body ends with "…" at the bottom of its box.
    p.Text(record->body, f.body, RectF{28, y0 + 49, 324, y0 + 76}, c.secondary);
    const bool onDismiss = hovered && model.hoveringDismiss();
    if (onDismiss) p.Dot({320, y0 + 18}, 9, kAlert);
    p.Cross({320, y0 + 18}, 3.2f, 1.4f, onDismiss ? kWhite : c.secondary);
  }
  p.canvas().PopClip();
}

void DrawDetail(Painter& p, const Formats& f, const Palette& c, const NotificationRecord& record) {
  p.Card(kBackButton, 8, c.button);
  p.Text(L"← 返回列表", f.label, kBackButton, c.primary);
  p.Card(kDismissButton, 8, kAlert);
  p.Text(L"清除此通知", f.label, kDismissButton, kWhite);
  p.Card(kDetailCard, 12, c.card);
  p.Text(AppNameOf(record) + L"  ·  " + record.timeText, f.caption, RectF{26, 184, 326, 204}, kAccent);
  p.Text(record.title, f.title, RectF{26, 208, 326, 234}, c.primary);
  p.Text(record.body.empty() ? std::wstring(L"（该通知无附加正文）") : record.body, f.body, RectF{26, 240, 326, 612},
         c.primary);
}

void DrawGauge(Painter& p, PointF centre, float percent, Color arc, Color track) {
  constexpr float kRadius = 30, kStroke = 5.5f;
  const float k = p.k();
  p.canvas().StrokeEllipse({centre.x * k, centre.y * k}, kRadius * k, kRadius * k, track,
                           StrokeStyle::Plain(kStroke * k));
  const int segments = GaugeSegments(percent);
  const auto at = [&](int i) {
    const double angle = i * 2 * std::numbers::pi / 36 - std::numbers::pi / 2;
    return PointF{static_cast<float>((centre.x + kRadius * std::cos(angle)) * k),
                  static_cast<float>((centre.y + kRadius * std::sin(angle)) * k)};
  };
  for (int i = 0; i < segments; ++i) p.canvas().DrawLine(at(i), at(i + 1), arc, StrokeStyle::Plain(kStroke * k));
}

void DrawWidgets(Painter& p, const Formats& f, const Palette& c, const NotificationCenterModel& model,
                 const CivilTime& now) {
  // The month.
  p.Card(kCalendarCard, 12, c.card);
  const int year = model.calendarYear(), month = model.calendarMonth();
  p.Text(FormatWide(L"%d年 %d月", year, month), f.title, RectF{26, 144, 210, 166}, c.primary);
  p.Text(L"<", f.label, RectF{272, 142, 298, 166}, c.primary);
  p.Text(L">", f.label, RectF{302, 142, 328, 166}, c.primary);
  for (int k = 0; k < 7; ++k) {
    p.Text(kWeekdayLetters[k], f.small, RectF{22.0f + 44 * k, 170, 66.0f + 44 * k, 188}, c.secondary);
  }
  const int first = WeekdayOf(year, month, 1);
  const bool thisMonth = now.year == year && now.month == month;
  for (int day = 1; day <= DaysInMonth(year, month); ++day) {
    const RectF cell = CalendarDayCell(first + day - 1);
    const bool today = thisMonth && now.day == day;
    if (today) p.Dot({(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2}, 10.5f, kAlert);
    p.Text(std::to_wstring(day), f.label, cell, today ? kWhite : c.primary);
  }

  // Processor and memory.
  const SystemSample& s = model.sample();
  p.Card(kSystemCard, 12, c.card);
  DrawGauge(p, {96, 402}, s.cpuPercent, kAccent, c.track);
  DrawGauge(p, {256, 402}, s.memoryPercent, kGreen, c.track);
  p.Text(FormatWide(L"%.0f%%", s.cpuPercent), f.label, RectF{60, 390, 132, 414}, c.primary);
  p.Text(FormatWide(L"%.0f%%", s.memoryPercent), f.label, RectF{220, 390, 292, 414}, c.primary);
  p.Text(L"CPU 处理器", f.small, RectF{24, 438, 168, 456}, c.secondary);
  p.Text(FormatWide(L"内存 %.1f/%.0fGB", s.memoryUsedGiB, s.memoryTotalGiB), f.small, RectF{180, 438, 332, 456},
         c.secondary);

  // The quick note.
  p.Card(kNoteCard, 12, c.card);
  if (model.editing()) {
    const float inset = 0.75f;
    const RectF outline{kNoteCard.left + inset, kNoteCard.top + inset, kNoteCard.right - inset,
                        kNoteCard.bottom - inset};
    p.canvas().StrokeRoundedRect(p.Px(outline), (12 - inset) * p.k(), (12 - inset) * p.k(), kAccent,
                                 StrokeStyle::Plain(1.5f * p.k()));
  }
  p.Text(model.editing() ? L"快捷便签（正在编辑，按 Esc 完成）" : L"快捷便签（点击编辑）", f.title,
         RectF{26, 480, 326, 502}, c.primary);
  // A note longer than the card (kept whole from the file) is cut at the card.
  p.canvas().PushClipRect(p.Px(kNoteText));
  const TextField& note = model.note();
  p.Text(model.editing() ? note.DisplayTextWithCaret(L"|") : note.DisplayText(), f.body, kNoteText, c.primary);
  p.canvas().PopClip();
}

}  // namespace

void DrawNotificationPanel(Canvas& canvas, const NotificationCenterModel& model, const Theme& theme, float scale,
                           const CivilTime& now) {
  Painter p(canvas, scale);
  const Formats f(scale);
  const Palette c = PanelPalette(theme, 0.64f);
  p.PlateEdge(kWidth, kHeight, kCornerRadius, theme);
  DrawHeader(p, f, c, model, now);
  if (model.tab() == NotificationTab::Widgets) {
    DrawWidgets(p, f, c, model, now);
  } else if (model.detailOpen()) {
    DrawDetail(p, f, c, model.detail());
  } else {
    DrawList(p, f, c, model);
  }
}

void DrawNotificationBanner(Canvas& canvas, const NotificationRecord& record, bool closeHovered, const Theme& theme,
                            float scale) {
  Painter p(canvas, scale);
  const Palette c = PanelPalette(theme, 0.65f);
  p.PlateEdge(notification_banner::kWidth, notification_banner::kHeight, notification_banner::kCornerRadius, theme);
  p.Card(RectF{14, 21, 54, 61}, 11, Color{0.0392f, 0.5176f, 1.0f, 0.95f});
  const Color bell{1, 1, 1, 0.98f};
  canvas.FillEllipse({34 * scale, 39 * scale}, 7.5f * scale, 8 * scale, bell);
  p.Card(RectF{24, 44, 44, 47.5f}, 1.8f, bell);

  const TextStyle title = Style(12.5f, 600, TextAlignment::Leading, scale, true);
  const TextStyle rest = Style(11.5f, 400, TextAlignment::Leading, scale, true);
  p.Text(AppNameOf(record) + L" · 刚刚", rest, RectF{64, 12, 298, 29}, c.secondary);
  p.Text(record.title.empty() ? std::wstring(L"新消息") : record.title, title, RectF{64, 30, 312, 50}, c.primary);
  p.Text(record.body, rest, RectF{64, 50, 316, 74}, c.secondary);
  if (closeHovered) p.Dot({316, 18}, 9, theme.dark ? Color{1, 1, 1, 0.18f} : Color{0, 0, 0, 0.12f});
  p.Cross({316, 18}, 3.5f, 1.4f, c.secondary);
}

RectF NoteCaretRect(const TextField& note, TextMeasurer& measurer) {
  TextStyle body = Style(12, 400, TextAlignment::Leading, 1);
  body.wrap = true;
  body.paragraph = ParagraphAlignment::Near;
  const float width = kNoteText.width();
  const std::wstring before = note.DisplayTextBeforeCaret();
  // The caret's line: the height of the text up to it; its x: the width of
  // that line's own text.
  const TextMetrics all = measurer.Measure(before + L"|", body, width, 10000);
  const std::size_t lineStart = before.find_last_of(L'\n');
  const std::wstring lastLine = lineStart == std::wstring::npos ? before : before.substr(lineStart + 1);
  const TextMetrics line = measurer.Measure(lastLine + L"|", body, width, 10000);
  const float lineHeight = all.lineCount > 0 ? all.height / static_cast<float>(all.lineCount) : 16;
  const float x = line.lineCount > 1 ? 0 : std::max(0.0f, line.width - 2);
  const float top = std::min(kNoteText.top + all.height - lineHeight, kNoteText.bottom - lineHeight);
  return RectF{kNoteText.left + x, top, kNoteText.left + x + 1, top + lineHeight};
}

}  // namespace orvane
