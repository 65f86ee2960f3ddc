#pragma once
// The notification panel's state and input, without a window: the list of
// notifications with its rows and scroll, the detail view, the widgets tab
// (month calendar, processor and memory, the quick note) and what each
// click, key and wheel turn does. The surface draws it and hands it input
// in DIP from the plate's corner.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "render/Canvas.h"
#include "system/CivilClock.h"
#include "system/SystemStats.h"
#include "system/notifications/NotificationRecord.h"
#include "ui/notifications/NotificationCenterLayout.h"
#include "ui/text/TextField.h"

namespace orvane {

// What the panel needs of the feed (NotificationFeed in the program, a
// list in tests and previews).
class NotificationList {
 public:
  virtual ~NotificationList() = default;
  virtual void RequestRefresh() = 0;
  virtual std::vector<NotificationRecord> Items() = 0;
  virtual void Dismiss(std::int64_t id) = 0;
  virtual void ClearAll() = 0;
};

enum class NotificationTab { List, Widgets };

// What lies under a point of the plate.
struct NotificationHit {
  enum class Kind {
    None,
    ClearAll,
    Refresh,
    ListTab,
    WidgetsTab,
    PreviousMonth,
    NextMonth,
    NoteCard,
    WidgetsElsewhere,
    DetailBack,
    DetailDismiss,
    RowDismiss,
    Row,
  };
  Kind kind = Kind::None;
  std::int64_t id = 0;  // the row's notification
  bool operator==(const NotificationHit&) const = default;
};

enum class NotificationResponse { None, Redraw, Hide };

class NotificationCenterModel {
 public:
  // noteChanged receives the whole note after every edit.
  NotificationCenterModel(NotificationList& list, std::function<void(const std::wstring&)> noteChanged);

  // The panel opens: the note from the configuration, the calendar on the
  // current month, the list tab, nothing hovered, the list refreshed.
  void Open(std::wstring_view note, const CivilTime& now);
  // The panel hid: editing and the detail view end.
  void Closed();

  // Asks the feed for a new poll and takes its current list.
  void Refresh();
  // The panel's periodic timer: statistics, and the list while it shows.
  void Timer(const SystemSample& sample);
  void SetSample(const SystemSample& sample) { sample_ = sample; }

  // Pointer input in plate DIP. A click is a press and a release on the
  // same target (the same notification, for rows).
  NotificationResponse PointerMove(PointF point);
  NotificationResponse PointerLeave();
  void PointerDown(PointF point);
  NotificationResponse PointerUp(PointF point);
  // Whole notches, positive away from the user.
  NotificationResponse Wheel(int notches);
  // A key-down; nullopt when the panel does not take the key.
  std::optional<NotificationResponse> Key(unsigned virtualKey);
  NotificationResponse Char(char32_t codePoint);

  NotificationHit HitTest(PointF point) const;

  // --- state read by the drawing ---
  NotificationTab tab() const { return tab_; }
  bool detailOpen() const { return detail_.has_value(); }
  const NotificationRecord& detail() const { return *detail_; }
  bool editing() const { return editing_; }
  const TextField& note() const { return note_; }
  int calendarYear() const { return calendarYear_; }
  int calendarMonth() const { return calendarMonth_; }
  const std::vector<NotificationRecord>& items() const { return items_; }
  float scroll() const { return scroll_; }
  const std::vector<NotificationRow>& rows() const { return rows_; }
  // The hovered row's notification, and whether the pointer is on its "×".
  std::optional<std::int64_t> hoveredId() const { return hoveredId_; }
  bool hoveringDismiss() const { return hoveringDismiss_; }
  const SystemSample& sample() const { return sample_; }
  const NotificationRecord* Find(std::int64_t id) const;

 private:
  void TakeItems(std::vector<NotificationRecord> items);
  void LayOut();
  bool Rehover();
  void SetEditing(bool editing);
  void EmitNote();

  NotificationList& list_;
  std::function<void(const std::wstring&)> noteChanged_;
  NotificationTab tab_ = NotificationTab::List;
  std::optional<NotificationRecord> detail_;
  bool editing_ = false;
  TextField note_;
  int calendarYear_ = 2024;
  int calendarMonth_ = 1;
  std::vector<NotificationRecord> items_;
  float scroll_ = 0;
  std::vector<NotificationRow> rows_;
  std::optional<PointF> pointer_;
  std::optional<std::int64_t> hoveredId_;
  bool hoveringDismiss_ = false;
  std::optional<NotificationHit> pressed_;
  SystemSample sample_;
};

}  // namespace orvane
