// "status-glyphs": every status glyph at its call sizes, drawn with the
// light theme's brush on a light panel and the dark theme's on a dark one,
// each at scale 1 and 2 side by side: Wi-Fi with 0-3 bars and off, the
// speaker from silent to loud and muted, suns, runes, chevrons, media
// transport, device types, the padlock, the magnifier and the toggle pills.

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "Scenes.h"
#include "ui/glyphs/StatusGlyphs.h"

namespace orvane::preview {
namespace {

using Sizes = GlyphSizes;

struct Brushes {
  Color on, dim, cross, secondary;
};

// One glyph in a cell: drawn at (centre, size in pixels).
using GlyphDraw = std::function<void(Canvas&, PointF, float, const Brushes&)>;

struct GlyphCell {
  float sizeDip;
  GlyphDraw draw;
};

struct GlyphRow {
  const wchar_t* label;
  std::vector<GlyphCell> cells;
};

std::vector<GlyphRow> Rows() {
  const auto wifi = [](int bars, bool off, float size) {
    return GlyphCell{size, [=](Canvas& c, PointF p, float s, const Brushes& b) {
                       DrawWifiGlyph(c, p, s, bars, off, b.on, b.dim);
                     }};
  };
  const auto speaker = [](float level, bool muted, float size) {
    return GlyphCell{size, [=](Canvas& c, PointF p, float s, const Brushes& b) {
                       DrawSpeakerGlyph(c, p, s, level, muted, b.on, b.cross);
                     }};
  };
  const auto one = [](float size, void (*draw)(Canvas&, PointF, float, Color)) {
    return GlyphCell{size, [=](Canvas& c, PointF p, float s, const Brushes& b) { draw(c, p, s, b.on); }};
  };
  const auto device = [](BluetoothDeviceType type) {
    return GlyphCell{Sizes::kGridBluetooth, [=](Canvas& c, PointF p, float s, const Brushes& b) {
                       DrawDeviceGlyph(c, p, s, type, b.on);
                     }};
  };
  const auto chevron = [](ChevronDirection direction) {
    return GlyphCell{Sizes::kChevron, [=](Canvas& c, PointF p, float s, const Brushes& b) {
                       DrawChevronGlyph(c, p, s, direction, b.on);
                     }};
  };
  const auto rune = [](bool slash, float size) {
    return GlyphCell{size, [=](Canvas& c, PointF p, float s, const Brushes& b) {
                       DrawBluetoothGlyph(c, p, s, slash, b.on);
                     }};
  };
  return {
      {L"Wi-Fi", {wifi(0, false, Sizes::kMenuBarWifi), wifi(1, false, Sizes::kMenuBarWifi),
                  wifi(2, false, Sizes::kMenuBarWifi), wifi(3, false, Sizes::kMenuBarWifi),
                  wifi(3, true, Sizes::kMenuBarWifi), wifi(2, false, Sizes::kWifiPageConnected),
                  wifi(3, false, Sizes::kWifiRow)}},
      {L"扬声器", {speaker(0.005f, false, Sizes::kMenuBarSpeaker), speaker(0.2f, false, Sizes::kMenuBarSpeaker),
                   speaker(0.5f, false, Sizes::kMenuBarSpeaker), speaker(0.9f, false, Sizes::kMenuBarSpeaker),
                   speaker(0.9f, true, Sizes::kMenuBarSpeaker), speaker(0.5f, false, Sizes::kArtSpeaker)}},
      {L"蓝牙", {rune(false, Sizes::kMenuBarBluetooth), rune(false, Sizes::kGridBluetooth),
                 rune(true, Sizes::kGridBluetooth)}},
      {L"亮度", {one(Sizes::kMenuBarSun, DrawSmallSunGlyph), one(Sizes::kNightLight, DrawNightLightGlyph),
                 one(Sizes::kTheme, DrawThemeGlyph)}},
      {L"导航", {chevron(ChevronDirection::Right), chevron(ChevronDirection::Left),
                 one(Sizes::kGridWifi, DrawRescanGlyph)}},
      {L"媒体", {one(Sizes::kMediaSkip, DrawPreviousGlyph), one(Sizes::kMediaPlay, DrawPlayGlyph),
                 one(Sizes::kMediaPlay, DrawPauseGlyph), one(Sizes::kMediaSkip, DrawNextGlyph)}},
      {L"设备", {device(BluetoothDeviceType::AudioVideo), device(BluetoothDeviceType::Peripheral),
                 device(BluetoothDeviceType::Phone), device(BluetoothDeviceType::Other)}},
      {L"其他", {one(Sizes::kPadlock, DrawPadlockGlyph), one(Sizes::kMenuBarMagnifier, DrawMagnifierGlyph),
                 GlyphCell{Sizes::kMenuBarTogglePills, [](Canvas& c, PointF p, float s, const Brushes& b) {
                             DrawTogglePillsGlyph(c, p, s, b.on, b.secondary);
                           }}}},
  };
}

constexpr float kLabelWidth = 56, kCell = 24, kRowHeight = 26, kHeader = 22, kGap = 18, kPad = 12;
constexpr int kColumns = 7;

// Width of one section at a glyph scale (DIP of the scene).
float SectionWidth(float glyphScale) { return kColumns * kCell * glyphScale; }
float PanelWidth() { return 2 * kPad + kLabelWidth + SectionWidth(1) + kGap + SectionWidth(2); }
float PanelHeight(std::size_t rows) { return 2 * kPad + kHeader + static_cast<float>(rows) * kRowHeight * 2; }

void DrawPanel(Canvas& canvas, float s, float left, bool dark, const std::vector<GlyphRow>& rows) {
  constexpr float top = 0;
  const Color background = Color::FromArgb(dark ? 0xFF1E1E22 : 0xFFF6F6FA);
  const Color ink = Color::FromArgb(dark ? 0xFFF6F6F9 : 0xFF1A1A1E);
  const Brushes brushes{ink, ink.WithAlpha(0.3f), Color::FromArgb(dark ? 0xFFFF6961 : 0xFFD72D26),
                        ink.WithAlpha(0.35f)};
  canvas.FillRoundedRect(RectF{left * s, top * s, (left + PanelWidth()) * s, (top + PanelHeight(rows.size())) * s},
                         12 * s, 12 * s, background);

  TextStyle text;
  text.size = 11 * s;
  text.alignment = TextAlignment::Leading;
  const Color caption = ink.WithAlpha(0.6f);
  const float labelLeft = left + kPad;
  const float sectionLeft[2] = {labelLeft + kLabelWidth, labelLeft + kLabelWidth + SectionWidth(1) + kGap};
  canvas.DrawText(dark ? L"深色" : L"浅色", text, RectF{labelLeft * s, (top + kPad) * s, (labelLeft + kLabelWidth) * s,
                                                         (top + kPad + kHeader) * s}, caption);
  for (int section = 0; section < 2; ++section) {
    const wchar_t* name = section == 0 ? L"× 1" : L"× 2";
    canvas.DrawText(name, text, RectF{sectionLeft[section] * s, (top + kPad) * s, (sectionLeft[section] + 80) * s,
                                      (top + kPad + kHeader) * s}, caption);
  }

  for (std::size_t r = 0; r < rows.size(); ++r) {
    const float rowTop = top + kPad + kHeader + static_cast<float>(r) * kRowHeight * 2;
    const float centreY = rowTop + kRowHeight;
    canvas.DrawText(rows[r].label, text, RectF{labelLeft * s, rowTop * s, (labelLeft + kLabelWidth) * s,
                                               (rowTop + 2 * kRowHeight) * s}, ink);
    for (int section = 0; section < 2; ++section) {
      const float glyphScale = static_cast<float>(section + 1);
      for (std::size_t i = 0; i < rows[r].cells.size(); ++i) {
        const GlyphCell& cell = rows[r].cells[i];
        const float cx = sectionLeft[section] + (static_cast<float>(i) + 0.5f) * kCell * glyphScale;
        cell.draw(canvas, PointF{cx * s, centreY * s}, cell.sizeDip * glyphScale * s, brushes);
      }
    }
  }
}

void BuildStatusGlyphs(SceneContext& ctx) {
  const std::vector<GlyphRow> rows = Rows();
  const float width = 2 * PanelWidth() + kGap, height = PanelHeight(rows.size());
  const int widthPx = static_cast<int>(std::lround(ctx.Px(width)));
  const int heightPx = static_cast<int>(std::lround(ctx.Px(height)));

  auto target = ctx.compositor.CreateWindowTarget(ctx.window, false);
  ctx.keepAlive.push_back(target);
  auto surface = ctx.compositor.CreateDrawingSurface(widthPx, heightPx);
  ctx.compositor.DrawSurface(*surface, widthPx, heightPx, [&](Canvas& canvas) {
    DrawPanel(canvas, ctx.scale, 0, false, rows);
    DrawPanel(canvas, ctx.scale, PanelWidth() + kGap, true, rows);
  });
  auto sprite = ctx.compositor.CreateSpriteVisual();
  sprite->SetBrush(ctx.compositor.CreateSurfaceBrush(surface));
  sprite->SetSize({static_cast<float>(widthPx), static_cast<float>(heightPx)});
  target->SetRoot(sprite);

  ctx.windowWidth = widthPx;
  ctx.windowHeight = heightPx;
  ctx.windowPosition = ScreenPoint{static_cast<int>(ctx.Px(24)), static_cast<int>(ctx.Px(80))};
}

const SceneRegistration kStatusGlyphs{{"status-glyphs",
                                       "Every status glyph at its call sizes in both brushes, at scale 1 and 2: "
                                       "Wi-Fi 0-3 and off, speaker levels and muted",
                                       BuildStatusGlyphs}};

}  // namespace
}  // namespace orvane::preview
