// The music item: a wide now-playing tile on a bottom dock, the cover alone
// on a side dock, and the signature that keeps it from being redrawn on
// every poll.

#include <algorithm>
#include <cmath>

#include "dock/DockItem.h"
#include "dock/DockPictures.h"

namespace orvane {
namespace {

constexpr Color kPlaceholderPink{0.98f, 0.24f, 0.42f, 0.96f};
constexpr Color kNoteWhite{1, 1, 1, 0.98f};

// Fills `square` with the cover stretched over it, clipped to its rounded
// corners; false when the art cannot be made into a bitmap.
bool FillWithCover(Canvas& canvas, const MediaInfo& info, const RectF& square, float radius) {
  if (!HasCoverArt(info)) return false;
  canvas.PushClipPath(Path().RoundedRect(square, radius, radius));
  const bool drawn = canvas.DrawBitmap(BitmapView{info.artWidth, info.artHeight, info.artWidth * 4, info.artPixels.data()},
                                       square, 1.0f, Interpolation::HighQuality);
  canvas.PopClip();
  return drawn;
}

// Two beamed notes around `m`; `u` is the unit of the tile's measures.
void TileNote(Canvas& canvas, float m, float u) {
  canvas.FillEllipse({m - 4.5f * u, m + 5 * u}, 3 * u, 2.4f * u, kNoteWhite);
  canvas.FillEllipse({m + 4.5f * u, m + 3.2f * u}, 3 * u, 2.4f * u, kNoteWhite);
  canvas.DrawLine({m - 1.8f * u, m + 4.6f * u}, {m - 1.8f * u, m - 6.8f * u}, kNoteWhite, StrokeStyle::Plain(1.8f * u));
  canvas.DrawLine({m + 7.2f * u, m + 2.8f * u}, {m + 7.2f * u, m - 8.5f * u}, kNoteWhite, StrokeStyle::Plain(1.8f * u));
  canvas.DrawLine({m - 1.8f * u, m - 6.8f * u}, {m + 7.2f * u, m - 8.5f * u}, kNoteWhite, StrokeStyle::Plain(2.8f * u));
}

TextStyle MusicTextStyle(float size, int weight) {
  TextStyle style;
  style.family = L"Microsoft YaHei UI";
  style.size = size;
  style.weight = weight;
  style.alignment = TextAlignment::Leading;
  style.paragraph = ParagraphAlignment::Center;
  style.wrap = false;
  style.ellipsis = true;
  style.grayscale = true;
  style.locale = L"zh-CN";
  return style;
}

}  // namespace

bool IsSideDock(std::wstring_view dockPosition) { return dockPosition == L"left" || dockPosition == L"right"; }

PictureSize MusicTileSize(float scale, float iconSize) {
  return PictureSize{std::max(160, static_cast<int>(std::lround(206 * scale))),
                     std::max(40, static_cast<int>(std::lround(std::max(iconSize, 40.0f) * scale)))};
}

bool HasCoverArt(const MediaInfo& info) {
  return info.artWidth > 0 && info.artHeight > 0 &&
         info.artPixels.size() >= static_cast<size_t>(info.artWidth) * static_cast<size_t>(info.artHeight) * 4;
}

MusicTileText MusicTileTextOf(const MediaInfo& info) {
  MusicTileText text;
  text.title = info.hasSession && !info.title.empty() ? info.title : kMusicIdleTitle;
  if (!info.currentLine.empty()) {
    text.line = L"\u266A " + info.currentLine;
    text.lyricLine = true;
  } else if (info.hasSession && !info.artist.empty()) {
    text.line = info.artist;
  } else {
    text.line = kMusicIdleLine;
  }
  return text;
}

void EnsureMusicTextFormats(MusicTextFormats& formats, float scale) {
  // Text sized for another DPI would stay too small or too large on the tile.
  if (formats.scale != scale) formats = MusicTextFormats{{}, {}, scale};
  if (!formats.title) formats.title = MusicTextStyle(11.5f * scale, 600);
  if (!formats.line) formats.line = MusicTextStyle(10.2f * scale, 400);
}

void DrawMusicTile(Canvas& canvas, const MediaInfo& info, const Theme& theme, float scale, PictureSize size,
                   const MusicTextFormats& formats) {
  const float s = scale, w = static_cast<float>(size.width), h = static_cast<float>(size.height);

  const float radius = std::min(0.28f * h, 13 * s);
  const RectF tile{1, 1, w - 1, h - 1};
  canvas.FillRoundedRect(tile, radius, radius, theme.dark ? Color{1, 1, 1, 0.11f} : Color{0, 0, 0, 0.08f});
  canvas.StrokeRoundedRect(tile, radius, radius, theme.dark ? Color{1, 1, 1, 0.22f} : Color{0, 0, 0, 0.14f},
                           StrokeStyle::Plain(std::max(s, 1.0f)));

  const float o = 5 * s, t = std::max(h - 2 * o, 24.0f);
  const RectF cover{o, o, o + t, o + t};
  if (!FillWithCover(canvas, info, cover, 8 * s)) {
    canvas.FillRoundedRect(cover, 8 * s, 8 * s, kPlaceholderPink);
    TileNote(canvas, o + t / 2, s);
  }

  const MusicTileText text = MusicTileTextOf(info);
  const float x0 = o + t + 8 * s, right = w - (info.isPlaying ? 18 : 8) * s;
  const Color textColour = ToColor(theme.tooltipText);
  if (formats.title) canvas.DrawText(text.title, *formats.title, RectF{x0, 4 * s, right, 0.52f * h}, textColour);
  if (formats.line) {
    const Color lineColour = !info.hasLyrics ? textColour.WithAlpha(textColour.a * 0.68f)
                             : theme.dark    ? Color{1.0f, 0.48f, 0.62f, 0.98f}
                                             : Color{0.84f, 0.12f, 0.34f, 0.98f};
    canvas.DrawText(text.line, *formats.line, RectF{x0, 0.48f * h, right, h - 4 * s}, lineColour);
  }

  if (info.isPlaying) canvas.FillEllipse({w - 10 * s, h / 2}, 3.2f * s, 3.2f * s, Color{0.1882f, 0.8196f, 0.3451f, 0.98f});
}

void DrawMusicSquare(Canvas& canvas, const MediaInfo& info) {
  const RectF square{10, 10, 150, 150};
  if (FillWithCover(canvas, info, square, 34)) return;
  canvas.FillRoundedRect(square, 34, 34, kPlaceholderPink);
  canvas.FillEllipse({62, 102}, 14, 11, kNoteWhite);
  canvas.FillEllipse({104, 92}, 14, 11, kNoteWhite);
  canvas.DrawLine({74, 100}, {74, 52}, kNoteWhite, StrokeStyle::Plain(8));
  canvas.DrawLine({116, 90}, {116, 44}, kNoteWhite, StrokeStyle::Plain(8));
  canvas.DrawLine({74, 52}, {116, 44}, kNoteWhite, StrokeStyle::Plain(11));
}

std::wstring MusicSignature(const MediaInfo& info) {
  std::wstring signature = info.hasSession ? L"1|" : L"0|";
  signature += info.isPlaying ? L"P|" : L"S|";
  signature += info.title + L"|" + info.artist + L"|" + info.currentLine + L"|";
  signature += info.hasLyrics ? L"L" : L"N";
  return signature;
}

std::wstring MusicItemName(const MediaInfo& info) {
  return info.hasSession && !info.title.empty() ? info.title : std::wstring(kMusicItemName);
}

std::optional<MusicItemUpdate> MusicItemTracker::Update(const MediaInfo& info) {
  std::wstring signature = MusicSignature(info);
  if (signature == signature_ && info.artVersion == artVersion_) return std::nullopt;
  signature_ = std::move(signature);
  artVersion_ = info.artVersion;
  return MusicItemUpdate{info.isPlaying, MusicItemName(info)};
}

}  // namespace orvane
