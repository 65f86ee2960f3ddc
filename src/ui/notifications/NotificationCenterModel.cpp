#include "ui/notifications/NotificationCenterModel.h"

#include <algorithm>
#include <utility>

namespace orvane {
namespace {

constexpr unsigned kKeyEscape = 0x1B;  // VK_ESCAPE

bool Inside(const RectF& r, PointF p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

TextFieldOptions NoteOptions() {
  TextFieldOptions options;
  options.maxCodePoints = notification_panel::kNoteLimit;
  options.multiline = true;
  return options;
}

}  // namespace

NotificationCenterModel::NotificationCenterModel(NotificationList& list,
                                                 std::function<void(const std::wstring&)> noteChanged)
    : list_(list), noteChanged_(std::move(noteChanged)), note_(NoteOptions()) {}

void NotificationCenterModel::Open(std::wstring_view note, const CivilTime& now) {
  note_.SetText(note);
  tab_ = NotificationTab::List;
  detail_.reset();
  editing_ = false;
  calendarYear_ = now.year;
  calendarMonth_ = now.month;
  scroll_ = 0;
  pointer_.reset();
  pressed_.reset();
  hoveredId_.reset();
  hoveringDismiss_ = false;
  Refresh();
}

void NotificationCenterModel::Closed() {
  editing_ = false;
  detail_.reset();
  pressed_.reset();
  pointer_.reset();
  hoveredId_.reset();
  hoveringDismiss_ = false;
}

void NotificationCenterModel::Refresh() {
  list_.RequestRefresh();
  TakeItems(list_.Items());
}

void NotificationCenterModel::Timer(const SystemSample& sample) {
  sample_ = sample;
  if (tab_ == NotificationTab::List) Refresh();
}

void NotificationCenterModel::TakeItems(std::vector<NotificationRecord> items) {
  items_ = std::move(items);
  scroll_ = std::clamp(scroll_, 0.0f, MaxNotificationScroll(items_.size()));
  LayOut();
  Rehover();
}

void NotificationCenterModel::LayOut() {
  rows_.clear();
  if (tab_ != NotificationTab::List || detail_) return;
  std::vector<std::int64_t> ids;
  ids.reserve(items_.size());
  for (const NotificationRecord& item : items_) ids.push_back(item.id);
  rows_ = LayOutNotificationRows(ids, scroll_);
}

const NotificationRecord* NotificationCenterModel::Find(std::int64_t id) const {
  const auto found = std::find_if(items_.begin(), items_.end(), [id](const NotificationRecord& r) { return r.id == id; });
  return found == items_.end() ? nullptr : &*found;
}

NotificationHit NotificationCenterModel::HitTest(PointF p) const {
  using namespace notification_panel;
  using Kind = NotificationHit::Kind;
  if (Inside(kClearAllButton, p)) return {Kind::ClearAll};
  if (Inside(kRefreshButton, p)) return {Kind::Refresh};
  if (Inside(kTabStrip, p)) return {p.x >= kTabSplitX ? Kind::WidgetsTab : Kind::ListTab};
  if (tab_ == NotificationTab::Widgets) {
    if (Inside(kPreviousMonth, p)) return {Kind::PreviousMonth};
    if (Inside(kNextMonth, p)) return {Kind::NextMonth};
    if (Inside(kNoteCard, p)) return {Kind::NoteCard};
    return {Kind::WidgetsElsewhere};
  }
  if (detail_) {
    if (Inside(kBackButton, p)) return {Kind::DetailBack};
    if (Inside(kDismissButton, p)) return {Kind::DetailDismiss, detail_->id};
    return {};
  }
  // Only the part of a row inside the list's viewport can be hit: a row cut
  // by the clip must not take clicks in its hidden part.
  if (!Inside(kListViewport, p)) return {};
  for (const NotificationRow& row : rows_) {
    if (Inside(row.dismiss, p)) return {Kind::RowDismiss, row.id};
    if (Inside(row.row, p)) return {Kind::Row, row.id};
  }
  return {};
}

bool NotificationCenterModel::Rehover() {
  std::optional<std::int64_t> id;
  bool dismiss = false;
  if (pointer_) {
    const NotificationHit hit = HitTest(*pointer_);
    if (hit.kind == NotificationHit::Kind::Row || hit.kind == NotificationHit::Kind::RowDismiss) {
      id = hit.id;
      dismiss = hit.kind == NotificationHit::Kind::RowDismiss;
    }
  }
  const bool changed = id != hoveredId_ || dismiss != hoveringDismiss_;
  hoveredId_ = id;
  hoveringDismiss_ = dismiss;
  return changed;
}

NotificationResponse NotificationCenterModel::PointerMove(PointF point) {
  pointer_ = point;
  return Rehover() ? NotificationResponse::Redraw : NotificationResponse::None;
}

NotificationResponse NotificationCenterModel::PointerLeave() {
  pointer_.reset();
  return Rehover() ? NotificationResponse::Redraw : NotificationResponse::None;
}

void NotificationCenterModel::PointerDown(PointF point) { pressed_ = HitTest(point); }

NotificationResponse NotificationCenterModel::PointerUp(PointF point) {
  using Kind = NotificationHit::Kind;
  const NotificationHit hit = HitTest(point);
  const std::optional<NotificationHit> pressed = std::exchange(pressed_, std::nullopt);
  if (!pressed || *pressed != hit) return NotificationResponse::None;
  switch (hit.kind) {
    case Kind::None:
      return NotificationResponse::None;
    case Kind::ClearAll:
      list_.ClearAll();
      items_.clear();
      detail_.reset();
      scroll_ = 0;
      LayOut();
      Rehover();
      break;
    case Kind::Refresh:
      Refresh();
      break;
    case Kind::ListTab:
    case Kind::WidgetsTab:
      tab_ = hit.kind == Kind::WidgetsTab ? NotificationTab::Widgets : NotificationTab::List;
      SetEditing(false);
      detail_.reset();
      LayOut();
      Rehover();
      break;
    case Kind::PreviousMonth:
      if (--calendarMonth_ < 1) {
        calendarMonth_ = 12;
        --calendarYear_;
      }
      break;
    case Kind::NextMonth:
      if (++calendarMonth_ > 12) {
        calendarMonth_ = 1;
        ++calendarYear_;
      }
      break;
    case Kind::NoteCard:
      SetEditing(true);
      break;
    case Kind::WidgetsElsewhere:
      SetEditing(false);
      break;
    case Kind::DetailBack:
      detail_.reset();
      LayOut();
      Rehover();
      break;
    case Kind::DetailDismiss:
    case Kind::RowDismiss:
      list_.Dismiss(hit.id);
      detail_.reset();
      Refresh();
      break;
    case Kind::Row:
      if (const NotificationRecord* record = Find(hit.id)) {
        detail_ = *record;
        LayOut();
        Rehover();
      }
      break;
  }
  return NotificationResponse::Redraw;
}

NotificationResponse NotificationCenterModel::Wheel(int notches) {
  if (tab_ != NotificationTab::List || detail_ || items_.empty() || notches == 0) return NotificationResponse::None;
  const float before = scroll_;
  scroll_ = std::clamp(scroll_ - static_cast<float>(notches) * notification_panel::kWheelStep, 0.0f,
                       MaxNotificationScroll(items_.size()));
  if (scroll_ == before) return NotificationResponse::None;
  LayOut();
  Rehover();
  return NotificationResponse::Redraw;
}

std::optional<NotificationResponse> NotificationCenterModel::Key(unsigned virtualKey) {
  if (virtualKey == kKeyEscape) {
    if (editing_) {
      SetEditing(false);
      return NotificationResponse::Redraw;
    }
    if (detail_) {
      detail_.reset();
      LayOut();
      Rehover();
      return NotificationResponse::Redraw;
    }
    return NotificationResponse::Hide;
  }
  if (!editing_ || !note_.Owns(virtualKey)) return std::nullopt;
  const TextFieldChange change = note_.Key(virtualKey);
  if (change == TextFieldChange::Text) EmitNote();
  return change == TextFieldChange::None ? NotificationResponse::None : NotificationResponse::Redraw;
}

NotificationResponse NotificationCenterModel::Char(char32_t codePoint) {
  if (!editing_ || note_.Insert(codePoint) != TextFieldChange::Text) return NotificationResponse::None;
  EmitNote();
  return NotificationResponse::Redraw;
}

void NotificationCenterModel::SetEditing(bool editing) { editing_ = editing; }

void NotificationCenterModel::EmitNote() {
  if (noteChanged_) noteChanged_(note_.Text());
}

}  // namespace orvane
