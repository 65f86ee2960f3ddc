#pragma once
// The status glyphs of the menu bar and the control center: Wi-Fi, the
// Bluetooth rune, suns, the theme glyph, the speaker, chevrons, rescan, media
// transport, device types, the padlock, the magnifier and the toggle pills.
//
// Each glyph is a free function that draws at once and keeps nothing: centre
// (cx, cy) and nominal size s in pixels (the caller's DIP size times its
// scale), colours from the caller. Lengths are multiples of a glyph unit u
// (s / 18 unless the glyph's rule says otherwise); every stroke keeps a floor
// in pixels so that small glyphs stay legible.

#include <array>

#include "render/Canvas.h"

namespace orvane {

// The stroke families, each with its unit and its width rule.
enum class GlyphStroke {
  WifiArc,
  BluetoothRune,
  SmallSunRay,
  NightLight,
  ThemeRing,
  Speaker,
  Chevron,
  Rescan,
  Device,
  PadlockShackle,
  MagnifierRing,
  TogglePill,
};

struct GlyphStrokeRule {
  float unitDivisor = 18;  // u = s / unitDivisor
  float widthUnits = 1;    // stroke = max(widthUnits x u, floorPx)
  float floorPx = 1;
};

GlyphStrokeRule StrokeRuleOf(GlyphStroke stroke);
float GlyphUnit(GlyphStroke stroke, float sizePx);
float GlyphStrokeWidth(GlyphStroke stroke, float sizePx);

// Which of the three Wi-Fi arcs (inner first) take the "on" colour.
std::array<bool, 3> WifiArcsLit(int bars, bool off);

// The speaker's right side: the mute cross, or one to three waves.
struct SpeakerMarks {
  bool cross = false;
  int waves = 0;
  bool operator==(const SpeakerMarks&) const = default;
};
// level is 0..1; a level that is not a number counts as silent.
SpeakerMarks SpeakerMarksFor(float level, bool muted);

enum class ChevronDirection { Right, Left };

// The Bluetooth device classes of the control center's device rows.
enum class BluetoothDeviceType { AudioVideo = 0, Peripheral = 1, Phone = 2, Other = 3 };
// A device type number as reported; unknown numbers draw as Other.
BluetoothDeviceType BluetoothDeviceTypeOf(int deviceType);

// Nominal sizes at the call sites, in DIP.
struct GlyphSizes {
  // Menu bar
  static constexpr float kMenuBarWifi = 15;
  static constexpr float kMenuBarBluetooth = 14.5f;
  static constexpr float kMenuBarSun = 14.5f;
  static constexpr float kMenuBarSpeaker = 15;
  static constexpr float kMenuBarMagnifier = 14.5f;
  static constexpr float kMenuBarTogglePills = 16.5f;
  // Control center
  static constexpr float kGridWifi = 15;
  static constexpr float kGridBluetooth = 15.5f;
  static constexpr float kChevron = 10.5f;
  static constexpr float kTheme = 15.5f;
  static constexpr float kNightLight = 16;
  static constexpr float kMediaSkip = 13.5f;  // previous, next
  static constexpr float kMediaPlay = 14.5f;  // play, pause
  static constexpr float kArtSpeaker = 16;
  static constexpr float kSliderGlyphPerHeight = 0.62f;  // x the slider's height
  static constexpr float kWifiPageConnected = 13.5f;
  static constexpr float kWifiRow = 11.5f;
  static constexpr float kPadlock = 11.5f;
};

void DrawWifiGlyph(Canvas& canvas, PointF center, float size, int bars, bool off, Color on, Color dim);
void DrawBluetoothGlyph(Canvas& canvas, PointF center, float size, bool slash, Color color);
void DrawSmallSunGlyph(Canvas& canvas, PointF center, float size, Color color);
void DrawNightLightGlyph(Canvas& canvas, PointF center, float size, Color color);
void DrawThemeGlyph(Canvas& canvas, PointF center, float size, Color color);
void DrawSpeakerGlyph(Canvas& canvas, PointF center, float size, float level, bool muted, Color color,
                      Color cross);
void DrawChevronGlyph(Canvas& canvas, PointF center, float size, ChevronDirection direction, Color color);
void DrawRescanGlyph(Canvas& canvas, PointF center, float size, Color color);
void DrawPreviousGlyph(Canvas& canvas, PointF center, float size, Color color);
void DrawPlayGlyph(Canvas& canvas, PointF center, float size, Color color);
void DrawPauseGlyph(Canvas& canvas, PointF center, float size, Color color);
void DrawNextGlyph(Canvas& canvas, PointF center, float size, Color color);
void DrawDeviceGlyph(Canvas& canvas, PointF center, float size, BluetoothDeviceType type, Color color);
void DrawPadlockGlyph(Canvas& canvas, PointF center, float size, Color color);
void DrawMagnifierGlyph(Canvas& canvas, PointF center, float size, Color color);
void DrawTogglePillsGlyph(Canvas& canvas, PointF center, float size, Color primary, Color secondary);

}  // namespace orvane
