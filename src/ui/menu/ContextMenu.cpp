#include "ui/menu/ContextMenu.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "ui/menu/ContextMenuLook.h"

namespace orvane {
namespace {

constexpr unsigned kKeyEnter = 0x0D;   // VK_RETURN
constexpr unsigned kKeyEscape = 0x1B;  // VK_ESCAPE
constexpr unsigned kKeyUp = 0x26;      // VK_UP
constexpr unsigned kKeyDown = 0x28;    // VK_DOWN

}  // namespace

ContextMenu::ContextMenu(TextMeasurer& measurer, std::function<void()> hideWindow)
    : measurer_(measurer), hideWindow_(std::move(hideWindow)) {}

bool ContextMenu::Show(std::vector<MenuItem> items, const Theme& theme, float scale, Choice onChoice) {
  if (items.empty()) return false;
  items_ = std::move(items);
  theme_ = theme;
  scale_ = MenuScale(scale);
  onChoice_ = std::move(onChoice);  // a previous menu's callback is dropped uncalled
  hoverIndex_ = -1;
  layout_ = LayoutMenu(items_, measurer_, scale_);
  visible_ = true;
  return true;
}

void ContextMenu::Hide() {
  if (!visible_) return;
  visible_ = false;
  hoverIndex_ = -1;
  if (hideWindow_) hideWindow_();
}

bool ContextMenu::Choosable(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= items_.size()) return false;
  const MenuItem& item = items_[static_cast<std::size_t>(index)];
  return item.enabled && !item.separator;
}

MenuResponse ContextMenu::PointerMove(PointF point) {
  if (!visible_) return MenuResponse::Ignored;
  const int hit = HitTestMenu(layout_, items_, point);
  if (hit == hoverIndex_) return MenuResponse::Unchanged;
  hoverIndex_ = hit;
  return MenuResponse::Redraw;
}

MenuResponse ContextMenu::PointerLeave() {
  if (!visible_) return MenuResponse::Ignored;
  if (hoverIndex_ == -1) return MenuResponse::Unchanged;
  hoverIndex_ = -1;
  return MenuResponse::Redraw;
}

MenuResponse ContextMenu::Click(PointF point) {
  if (!visible_) return MenuResponse::Ignored;
  const int hit = HitTestMenu(layout_, items_, point);
  if (hit >= 0) return Activate(hit);
  Hide();
  return MenuResponse::Closed;
}

MenuResponse ContextMenu::Key(unsigned virtualKey) {
  if (!visible_) return MenuResponse::Ignored;
  switch (virtualKey) {
    case kKeyEscape:
      Hide();
      return MenuResponse::Closed;
    case kKeyDown:
      return MoveHover(+1);
    case kKeyUp:
      return MoveHover(-1);
    case kKeyEnter:
      return hoverIndex_ >= 0 ? Activate(hoverIndex_) : MenuResponse::Unchanged;
    default:
      return MenuResponse::Ignored;
  }
}

MenuResponse ContextMenu::Deactivated() {
  if (!visible_) return MenuResponse::Ignored;
  Hide();
  return MenuResponse::Closed;
}

MenuResponse ContextMenu::MoveHover(int step) {
  const int count = static_cast<int>(items_.size());
  // With nothing hovered, Down starts before the first row and Up after the last.
  int index = hoverIndex_ >= 0 ? hoverIndex_ : (step > 0 ? -1 : count);
  for (int tried = 0; tried < count; ++tried) {
    index = ((index + step) % count + count) % count;
    if (!Choosable(index)) continue;
    if (index == hoverIndex_) return MenuResponse::Unchanged;
    hoverIndex_ = index;
    return MenuResponse::Redraw;
  }
  return MenuResponse::Unchanged;
}

MenuResponse ContextMenu::Activate(int index) {
  if (!Choosable(index)) return MenuResponse::Unchanged;
  const int id = items_[static_cast<std::size_t>(index)].id;
  // The menu lets go of the callback before it runs: the callback may show
  // another menu, which brings its own.
  Choice choice = std::move(onChoice_);
  onChoice_ = nullptr;
  Hide();
  if (choice) choice(id);
  return MenuResponse::Closed;
}

void ContextMenu::Draw(Canvas& canvas) const {
  if (items_.empty()) return;
  const float k = scale_;
  const float rim = std::max(std::round(k), 1.0f);
  const float radius = std::round(MenuMetrics::kCornerRadius * k);
  const float width = layout_.widthDip * k;
  const float height = layout_.heightDip * k;
  const MenuPalette palette = MenuPaletteFor(theme_);

  const float outer = rim / 2, inner = 1.5f * rim;
  canvas.StrokeRoundedRect(RectF{outer, outer, width - outer, height - outer}, radius - outer, radius - outer,
                           palette.outline, StrokeStyle::Plain(rim));
  canvas.StrokeRoundedRect(RectF{inner, inner, width - inner, height - inner}, radius - inner, radius - inner,
                           palette.innerOutline, StrokeStyle::Plain(rim));

  const TextStyle style = MenuTextStyle(k);
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const MenuItem& item = items_[i];
    const MenuRow& row = layout_.rows[i];
    if (item.separator) {
      const float y = std::round((row.top + row.bottom) / 2 * k) + 0.5f;
      canvas.DrawLine({MenuMetrics::kSeparatorInset * k, y}, {width - MenuMetrics::kSeparatorInset * k, y},
                      palette.separator, StrokeStyle::Plain(rim));
      continue;
    }
    const bool hovered = static_cast<int>(i) == hoverIndex_ && item.enabled;
    if (hovered) {
      const float r = MenuMetrics::kHoverRadius * k;
      canvas.FillRoundedRect(RectF{MenuMetrics::kHoverInsetX * k, (row.top + MenuMetrics::kHoverInsetY) * k,
                                   width - MenuMetrics::kHoverInsetX * k, (row.bottom - MenuMetrics::kHoverInsetY) * k},
                             r, r, item.destructive ? palette.hoverFillDestructive : palette.hoverFill);
    }
    const Color label = MenuLabelColor(palette, item, hovered);
    if (item.checked) {
      const float cx = MenuMetrics::kCheckCenterX * k;
      const float yc = (row.top + row.bottom) / 2 * k;
      Path check;
      check.Polygon({{cx - 3.5f * k, yc + 0.2f * k}, {cx - 0.8f * k, yc + 3 * k}, {cx + 4.2f * k, yc - 3.2f * k}},
                    false);
      canvas.StrokePath(check, label, StrokeStyle::Rounded(MenuMetrics::kCheckStroke * k));
    }
    const RectF box = layout_.LabelBox(i);
    canvas.DrawText(layout_.labels[i], style, RectF{box.left * k, box.top * k, box.right * k, box.bottom * k}, label);
  }
}

}  // namespace orvane
