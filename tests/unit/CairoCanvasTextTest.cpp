#include <gtest/gtest.h>

#include <string>

#include "CairoCanvasProbe.h"

namespace orvane {
namespace {

using testing::InkBox;
using testing::kOpaqueBlack;
using testing::PixelBuffer;

TextStyle Style(float size, TextAlignment alignment = TextAlignment::Leading,
                ParagraphAlignment paragraph = ParagraphAlignment::Center) {
  TextStyle style;
  style.size = size;
  style.alignment = alignment;
  style.paragraph = paragraph;
  return style;
}

InkBox DrawAndFindInk(std::wstring_view text, const TextStyle& style, const RectF& box, int width = 300,
                      int height = 100) {
  PixelBuffer buffer(width, height);
  buffer.NewCanvas()->DrawText(text, style, box, kOpaqueBlack);
  return buffer.Ink();
}

TEST(CairoCanvasTextTest, InkStaysInsideTheLayoutBox) {
  const RectF box{20, 20, 280, 60};
  const InkBox ink = DrawAndFindInk(L"Orvane 设置 Ag", Style(16, TextAlignment::Center), box);
  ASSERT_FALSE(ink.empty());
  EXPECT_GE(ink.left, 20);
  EXPECT_LE(ink.right, 280);
  EXPECT_GE(ink.top, 20);
  EXPECT_LE(ink.bottom, 60);
}

TEST(CairoCanvasTextTest, HorizontalAndParagraphAlignment) {
  const RectF box{10, 10, 290, 90};
  const struct {
    TextAlignment alignment;
    ParagraphAlignment paragraph;
    float expectedCentreX, expectedCentreY;  // of the ink, within 8 px
    float halfWidth;                          // 0: check only the centre
  } cases[] = {
      {TextAlignment::Leading, ParagraphAlignment::Near, 0, 0, 0},
      {TextAlignment::Center, ParagraphAlignment::Center, 150, 50, 0},
      {TextAlignment::Trailing, ParagraphAlignment::Far, 0, 0, 0},
  };
  for (const auto& tc : cases) {
    const InkBox ink = DrawAndFindInk(L"设置中心", Style(20, tc.alignment, tc.paragraph), box);
    ASSERT_FALSE(ink.empty());
    const int label = static_cast<int>(tc.alignment);
    switch (tc.alignment) {
      case TextAlignment::Leading:
        EXPECT_LE(ink.left - 10, 4) << label;
        EXPECT_LE(ink.top - 10, 12) << label << ": near the top";
        break;
      case TextAlignment::Center:
        EXPECT_NEAR((ink.left + ink.right) / 2.0f, tc.expectedCentreX, 8) << label;
        EXPECT_NEAR((ink.top + ink.bottom) / 2.0f, tc.expectedCentreY, 8) << label;
        break;
      default:
        EXPECT_LE(290 - ink.right, 4) << label;
        EXPECT_LE(90 - ink.bottom, 12) << label << ": near the bottom";
        break;
    }
  }
}

TEST(CairoCanvasTextTest, CjkTextFindsACjkFont) {
  PixelBuffer buffer(200, 60);
  auto canvas = buffer.NewCanvas();
  const TextStyle style = Style(24);
  // Ideographs are one em wide in a CJK font; a missing-glyph box would not be.
  const TextMetrics metrics = canvas->MeasureText(L"设置", style, 1000, 1000);
  EXPECT_NEAR(metrics.width, 48, 2);
  canvas->DrawText(L"设置", style, {0, 0, 200, 60}, kOpaqueBlack);
  canvas.reset();
  const InkBox ink = buffer.Ink(64);
  EXPECT_GT(ink.count, 150);
  EXPECT_GT(ink.right - ink.left, 36);
}

TEST(CairoCanvasTextTest, MeasureMatchesLengthWeightAndWrapping) {
  PixelBuffer buffer(10, 10);
  auto canvas = buffer.NewCanvas();
  const TextStyle style = Style(14);
  const TextMetrics shortText = canvas->MeasureText(L"Dock", style, 1000, 100);
  const TextMetrics longText = canvas->MeasureText(L"Dock settings", style, 1000, 100);
  EXPECT_GT(shortText.width, 0);
  EXPECT_GT(longText.width, shortText.width);
  EXPECT_EQ(longText.lineCount, 1);
  EXPECT_FALSE(longText.trimmed);

  EXPECT_FLOAT_EQ(canvas->MeasureText(L"Dock   ", style, 1000, 100).width, shortText.width)
      << "trailing spaces do not count";

  TextStyle bold = style;
  bold.weight = 700;
  EXPECT_GT(canvas->MeasureText(L"Dock settings", bold, 1000, 100).width, longText.width);

  // The transform does not change what is measured.
  canvas->SetTransform(Matrix3x2::Scale(3, 3));
  EXPECT_FLOAT_EQ(canvas->MeasureText(L"Dock settings", style, 1000, 100).width, longText.width);

  TextStyle wrapping = style;
  wrapping.wrap = true;
  const TextMetrics wrapped = canvas->MeasureText(L"Dock settings and more", wrapping, longText.width + 2, 100);
  EXPECT_GE(wrapped.lineCount, 2);
  EXPECT_LE(wrapped.width, longText.width + 2);
  EXPECT_NEAR(wrapped.height, wrapped.lineCount * shortText.height, 0.5f);
}

TEST(CairoCanvasTextTest, EllipsisTrimsToTheBoxWidth) {
  PixelBuffer buffer(300, 40);
  auto canvas = buffer.NewCanvas();
  TextStyle style = Style(14);
  const std::wstring text = L"Visual Studio Code — 设置 — 一个很长的窗口标题";
  const RectF box{20, 0, 120, 40};

  const TextMetrics untrimmed = canvas->MeasureText(text, style, box.width(), box.height());
  EXPECT_FALSE(untrimmed.trimmed);
  EXPECT_GT(untrimmed.width, box.width()) << "without ellipsis the line runs past the box";

  style.ellipsis = true;
  const TextMetrics trimmed = canvas->MeasureText(text, style, box.width(), box.height());
  EXPECT_TRUE(trimmed.trimmed);
  EXPECT_LE(trimmed.width, box.width());
  EXPECT_GT(trimmed.width, box.width() / 2) << "trimmed by characters, not by whole words";
  EXPECT_EQ(trimmed.lineCount, 1);

  // Wrapped text is cut only where it runs out of height.
  TextStyle wrapped = style;
  wrapped.wrap = true;
  const TextMetrics oneLine = canvas->MeasureText(L"Dock", wrapped, 1000, 1000);
  const TextMetrics unlimited = canvas->MeasureText(text, wrapped, box.width(), 1e9f);
  EXPECT_FALSE(unlimited.trimmed);
  EXPECT_GE(unlimited.lineCount, 3);
  const TextMetrics twoLines = canvas->MeasureText(text, wrapped, box.width(), oneLine.height * 2.5f);
  EXPECT_TRUE(twoLines.trimmed);
  EXPECT_EQ(twoLines.lineCount, 2);
  EXPECT_LE(twoLines.width, box.width());

  canvas->DrawText(text, style, box, kOpaqueBlack);
  canvas.reset();
  const InkBox ink = buffer.Ink();
  ASSERT_FALSE(ink.empty());
  EXPECT_GE(ink.left, 20);
  EXPECT_LE(ink.right, 121);

  PixelBuffer fits(10, 10);
  EXPECT_FALSE(fits.NewCanvas()->MeasureText(L"短", style, 100, 40).trimmed) << "text that fits is left alone";
}

}  // namespace
}  // namespace orvane
