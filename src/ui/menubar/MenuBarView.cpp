#include "ui/menubar/MenuBarView.h"

#include <algorithm>

#include "ui/glyphs/StatusGlyphs.h"

namespace orvane {
namespace {

using Kind = MenuBarItemKind;

constexpr Color kAccent{0.0392f, 0.5176f, 1.0f, 0.95f};
constexpr Color kChargeGreen{0.1882f, 0.8196f, 0.3451f, 0.95f};
constexpr Color kAlert{1.0f, 0.2706f, 0.2275f, 0.96f};
constexpr Color kAvatarRing{1, 1, 1, 0.45f};
constexpr Color kGlyphWhite{1, 1, 1, 0.96f};

struct BarColors {
  Color primary, secondary, hover;
};

BarColors ColorsFor(bool dark) {
  if (dark) return {{0.96f, 0.96f, 0.98f, 0.96f}, {1, 1, 1, 0.42f}, {1, 1, 1, 0.16f}};
  return {{0.08f, 0.08f, 0.10f, 0.94f}, {0, 0, 0, 0.42f}, {0, 0, 0, 0.09f}};
}

class BarPainter {
 public:
  BarPainter(Canvas& canvas, float scale) : canvas_(canvas), k_(scale) {}
  float k() const { return k_; }
  RectF Px(float l, float t, float r, float b) const { return RectF{l * k_, t * k_, r * k_, b * k_}; }
  PointF At(float x, float y) const { return {x * k_, y * k_}; }
  void Text(std::wstring_view text, const TextStyle& style, float left, float right, Color color) {
    if (text.empty() || right <= left) return;
    canvas_.DrawText(text, style, Px(left, 0, right, menu_bar::kHeightDip), color);
  }
  void RoundRect(float l, float t, float r, float b, float radius, Color color) {
    canvas_.FillRoundedRect(Px(l, t, r, b), radius * k_, radius * k_, color);
  }
  Canvas& canvas() { return canvas_; }

 private:
  Canvas& canvas_;
  float k_;
};

void DrawUser(BarPainter& p, const MenuBarItem& item, const BarColors& c, const IconImage& avatar) {
  constexpr float kMid = menu_bar::kHeightDip / 2;
  constexpr float kRadius = 8.5f;
  const float cx = item.x + 14;
  Canvas& canvas = p.canvas();
  const float k = p.k();
  if (!avatar.empty()) {
    Path circle;
    circle.Ellipse(p.At(cx, kMid), kRadius * k, kRadius * k);
    canvas.PushClipPath(circle);
    canvas.DrawBitmap(BitmapView{avatar.width, avatar.height, avatar.width * 4, avatar.pixels.data()},
                      p.Px(cx - kRadius, kMid - kRadius, cx + kRadius, kMid + kRadius), 1.0f,
                      Interpolation::HighQuality);
    canvas.PopClip();
    canvas.StrokeEllipse(p.At(cx, kMid), kRadius * k, kRadius * k, kAvatarRing, StrokeStyle::Plain(0.9f * k));
  } else {
    canvas.FillEllipse(p.At(cx, kMid), kRadius * k, kRadius * k, kAccent);
    canvas.FillEllipse(p.At(cx, kMid - 2.3f), 2.5f * k, 2.5f * k, kGlyphWhite);
    p.RoundRect(cx - 4.5f, kMid + 1, cx + 4.5f, kMid + 5.2f, 2.4f, kGlyphWhite);
  }
  p.Text(item.text, MenuBarBoldStyle(k), item.x + 25, item.x + item.width - 4, c.primary);
}

void DrawTrayGrid(BarPainter& p, const MenuBarItem& item, const BarColors& c) {
  constexpr float kSide = 4.2f, kSpacing = 1.6f;
  const float left = item.x + (item.width - (2 * kSide + kSpacing)) / 2;
  const float top = (menu_bar::kHeightDip - (2 * kSide + kSpacing)) / 2;
  for (int row = 0; row < 2; ++row) {
    for (int column = 0; column < 2; ++column) {
      const float l = left + column * (kSide + kSpacing), t = top + row * (kSide + kSpacing);
      p.RoundRect(l, t, l + kSide, t + kSide, 1.2f, c.primary);
    }
  }
}

void DrawBattery(BarPainter& p, const MenuBarItem& item, const MenuBarStatus& s, const BarColors& c) {
  constexpr float kMid = menu_bar::kHeightDip / 2;
  const float k = p.k();
  const float x = item.x;
  p.Text(item.text, MenuBarSmallStyle(k), x + 2, x + 30, c.primary);
  p.canvas().StrokeRoundedRect(p.Px(x + 31, kMid - 5.25f, x + 51, kMid + 5.25f), 2.5f * k, 2.5f * k, c.primary,
                               StrokeStyle::Plain(1.2f * k));
  p.canvas().FillRect(p.Px(x + 51.8f, kMid - 2.2f, x + 53.4f, kMid + 2.2f), c.primary);
  const float fill = std::max(16.0f * static_cast<float>(std::clamp(s.batteryPercent, 0, 100)) / 100.0f, 1.5f);
  p.RoundRect(x + 33, kMid - 3.25f, x + 33 + fill, kMid + 3.25f, 1.2f, s.charging ? kChargeGreen : c.primary);
}

}  // namespace

void DrawMenuBar(Canvas& canvas, const MenuBarModel& model, bool dark, float scale, const IconImage& avatar) {
  BarPainter p(canvas, scale);
  const BarColors c = ColorsFor(dark);
  const MenuBarStatus& s = model.status();
  constexpr float H = menu_bar::kHeightDip;
  const auto& items = model.items();
  for (std::size_t i = 0; i < items.size(); ++i) {
    const MenuBarItem& item = items[i];
    if (static_cast<int>(i) == model.hoverIndex()) {
      p.RoundRect(item.x + 1, 3, item.x + item.width - 1, H - 3, 5, c.hover);
    }
    const PointF centre = p.At(item.x + item.width / 2, H / 2);
    switch (item.kind) {
      case Kind::User:
        DrawUser(p, item, c, avatar);
        break;
      case Kind::App:
        p.Text(item.text, MenuBarBoldStyle(scale), item.x + 4, item.x + item.width - 4, c.primary);
        break;
      case Kind::Window:
      case Kind::Go:
        p.Text(item.text, MenuBarMediumStyle(scale), item.x + 2, item.x + item.width - 2, c.primary);
        break;
      case Kind::Tray:
        DrawTrayGrid(p, item, c);
        break;
      case Kind::Wifi:
        DrawWifiGlyph(canvas, centre, GlyphSizes::kMenuBarWifi * scale, s.online ? 3 : 0, !s.online, c.primary,
                      c.secondary);
        break;
      case Kind::Bluetooth:
        DrawBluetoothGlyph(canvas, centre, GlyphSizes::kMenuBarBluetooth * scale, false, c.primary);
        break;
      case Kind::Brightness:
        DrawSmallSunGlyph(canvas, centre, GlyphSizes::kMenuBarSun * scale, c.primary);
        break;
      case Kind::Volume:
        DrawSpeakerGlyph(canvas, centre, GlyphSizes::kMenuBarSpeaker * scale, s.volume, s.muted, c.primary,
                         c.secondary);
        break;
      case Kind::Battery:
        DrawBattery(p, item, s, c);
        break;
      case Kind::Search:
        DrawMagnifierGlyph(canvas, centre, GlyphSizes::kMenuBarMagnifier * scale, c.primary);
        break;
      case Kind::ControlCenter:
        DrawTogglePillsGlyph(canvas, centre, GlyphSizes::kMenuBarTogglePills * scale, c.primary, c.secondary);
        break;
      case Kind::Clock: {
        const bool unread = s.unreadCount > 0;
        p.Text(item.text, MenuBarMediumStyle(scale), item.x + 2, item.x + item.width - (unread ? 10 : 2), c.primary);
        if (unread) canvas.FillEllipse(p.At(item.x + item.width - 6, H / 2), 3 * scale, 3 * scale, kAlert);
        break;
      }
    }
  }
}

}  // namespace orvane
