#pragma once
// The context menu's geometry, in DIP: rows stacked between the paddings,
// the width from the widest measured label, and what a point hits.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "render/Canvas.h"
#include "render/TextMeasurer.h"
#include "ui/menu/MenuItem.h"

namespace orvane {

struct MenuMetrics {
  static constexpr float kShadowMargin = 12;
  static constexpr float kPadding = 5;  // above the first row and below the last
  static constexpr float kRowHeight = 27;
  static constexpr float kSeparatorHeight = 9;
  static constexpr float kMinTextWidth = 110;
  static constexpr float kLabelAllowance = 10 + 18 + 22;  // around the widest label
  static constexpr float kMinWidth = 168;
  static constexpr float kMaxWidth = 270;
  static constexpr float kMeasureWidth = 280;  // labels are measured at most this wide
  static constexpr float kCornerRadius = 10;
  static constexpr float kLabelLeft = 27;
  static constexpr float kLabelRightMargin = 12;
  static constexpr float kMinLabelBox = 10;
  static constexpr float kLabelDrop = -0.5f;
  static constexpr float kCheckCenterX = 13;
  static constexpr float kCheckStroke = 1.6f;
  static constexpr float kHoverInsetX = 5;
  static constexpr float kHoverInsetY = 1;
  static constexpr float kHoverRadius = 6;
  static constexpr float kSeparatorInset = 12;
  static constexpr float kFontSize = 12.5f;
};

// The menu's font at a scale: one line, vertically centred, character
// ellipsis.
TextStyle MenuTextStyle(float scale);

// A label as the menu shows it: line breaks and tabs become spaces, so a
// window title with a new line stays one row.
std::wstring MenuLabel(std::wstring_view text);

struct MenuRow {
  float top = 0;
  float bottom = 0;
  bool operator==(const MenuRow&) const = default;
};

struct MenuLayout {
  float widthDip = 0;
  float heightDip = 0;
  std::vector<MenuRow> rows;         // one per item
  std::vector<std::wstring> labels;  // one line each; empty for separators
  // The label does not fit its box and ends in an ellipsis.
  std::vector<bool> labelTrimmed;

  // Where a row's label is laid out (DIP): from the label edge to the right
  // margin, at least kMinLabelBox wide, the row's height, 0.5 up.
  RectF LabelBox(std::size_t row) const;
};

// Lays the menu out with labels measured at `scale` (at least 1).
MenuLayout LayoutMenu(const std::vector<MenuItem>& items, TextMeasurer& measurer, float scale);

// The row under a point in DIP relative to the plate's corner, or -1:
// outside the plate, in the paddings, on a separator or a disabled row.
int HitTestMenu(const MenuLayout& layout, const std::vector<MenuItem>& items, PointF point);

// A scale as the menu uses it: at least 1; one that is not a number is 1.
float MenuScale(float scale);

}  // namespace orvane
