#include "ui/menu/MenuLayout.h"

#include <algorithm>
#include <cmath>

namespace orvane {

TextStyle MenuTextStyle(float scale) {
  TextStyle style;
  style.family = L"Microsoft YaHei UI";
  style.size = MenuMetrics::kFontSize * MenuScale(scale);
  style.weight = 400;
  style.alignment = TextAlignment::Leading;
  style.paragraph = ParagraphAlignment::Center;
  style.wrap = false;
  style.ellipsis = true;
  style.grayscale = true;
  return style;
}

std::wstring MenuLabel(std::wstring_view text) {
  std::wstring label;
  label.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    switch (c) {
      case L'\r':
        if (i + 1 < text.size() && text[i + 1] == L'\n') ++i;  // CR LF is one break
        label += L' ';
        break;
      case L'\n':
      case L'\t':
      case L'\v':
      case L'\f':
      case L'\u0085':
      case L'\u2028':
      case L'\u2029':
        label += L' ';
        break;
      default:
        label += c;
    }
  }
  return label;
}

float MenuScale(float scale) { return std::isfinite(scale) ? std::max(scale, 1.0f) : 1.0f; }

RectF MenuLayout::LabelBox(std::size_t row) const {
  const MenuRow& r = rows.at(row);
  const float right = std::max(widthDip - MenuMetrics::kLabelRightMargin,
                               MenuMetrics::kLabelLeft + MenuMetrics::kMinLabelBox);
  return RectF{MenuMetrics::kLabelLeft, r.top + MenuMetrics::kLabelDrop, right, r.bottom + MenuMetrics::kLabelDrop};
}

MenuLayout LayoutMenu(const std::vector<MenuItem>& items, TextMeasurer& measurer, float scale) {
  scale = MenuScale(scale);
  const TextStyle style = MenuTextStyle(scale);
  MenuLayout layout;
  layout.rows.reserve(items.size());
  layout.labels.reserve(items.size());

  float y = MenuMetrics::kPadding;
  float textWidth = MenuMetrics::kMinTextWidth;
  for (const MenuItem& item : items) {
    const float top = y;
    y += item.separator ? MenuMetrics::kSeparatorHeight : MenuMetrics::kRowHeight;
    layout.rows.push_back({top, y});
    layout.labels.push_back(item.separator ? std::wstring() : MenuLabel(item.text));
    const std::wstring& label = layout.labels.back();
    if (label.empty()) continue;
    const TextMetrics measured = measurer.Measure(label, style, MenuMetrics::kMeasureWidth * scale,
                                                  MenuMetrics::kRowHeight * scale);
    textWidth = std::max(textWidth, measured.width / scale);
  }
  layout.widthDip = std::clamp(std::ceil(textWidth + MenuMetrics::kLabelAllowance), MenuMetrics::kMinWidth,
                               MenuMetrics::kMaxWidth);
  layout.heightDip = std::ceil(y + MenuMetrics::kPadding);

  // Whether each label fits the box it is drawn in, now that the width is known.
  layout.labelTrimmed.assign(items.size(), false);
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (layout.labels[i].empty()) continue;
    const RectF box = layout.LabelBox(i);
    layout.labelTrimmed[i] =
        measurer.Measure(layout.labels[i], style, box.width() * scale, box.height() * scale).trimmed;
  }
  return layout;
}

int HitTestMenu(const MenuLayout& layout, const std::vector<MenuItem>& items, PointF point) {
  if (!(point.x >= 0 && point.x <= layout.widthDip && point.y >= 0 && point.y <= layout.heightDip)) return -1;
  const std::size_t count = std::min(items.size(), layout.rows.size());
  for (std::size_t i = 0; i < count; ++i) {
    const MenuRow& row = layout.rows[i];
    if (point.y < row.top || point.y > row.bottom) continue;
    const MenuItem& item = items[i];
    return item.separator || !item.enabled ? -1 : static_cast<int>(i);
  }
  return -1;
}

}  // namespace orvane
