#include <gtest/gtest.h>

#include "DockPictureFixture.h"
#include "SoftCompositorProbe.h"
#include "dock/DockItem.h"
#include "dock/DockPictures.h"

namespace orvane {
namespace {

using testing::Pixel;
using testing::PixelAt;

MediaInfo Playing() {
  MediaInfo info;
  info.hasSession = true;
  info.isPlaying = true;
  info.title = L"Song";
  info.artist = L"Singer";
  info.artVersion = 3;
  info.position = 12;
  return info;
}

TEST(MusicSignatureTest, NamesSessionStateTextsAndLyrics) {
  MediaInfo withLyrics = Playing();
  withLyrics.currentLine = L"A line";
  withLyrics.hasLyrics = true;
  MediaInfo paused = Playing();
  paused.isPlaying = false;
  const std::pair<MediaInfo, std::wstring> cases[] = {
      {MediaInfo{}, L"0|S||||N"},
      {Playing(), L"1|P|Song|Singer||N"},
      {withLyrics, L"1|P|Song|Singer|A line|L"},
      {paused, L"1|S|Song|Singer||N"},
  };
  for (const auto& [info, signature] : cases) EXPECT_EQ(MusicSignature(info), signature);
}

TEST(MusicItemTrackerTest, ReportsOnlyChangesOfWhatTheItemShows) {
  MusicItemTracker tracker;
  const auto first = tracker.Update(MediaInfo{});
  ASSERT_TRUE(first.has_value());
  EXPECT_FALSE(first->running);
  EXPECT_EQ(first->name, kMusicItemName);
  EXPECT_FALSE(tracker.Update(MediaInfo{}).has_value());

  MediaInfo info = Playing();
  const auto playing = tracker.Update(info);
  ASSERT_TRUE(playing.has_value());
  EXPECT_TRUE(playing->running);
  EXPECT_EQ(playing->name, L"Song");

  info.position = 40;  // the clock alone
  info.duration = 200;
  info.nextLine = L"later";
  EXPECT_FALSE(tracker.Update(info).has_value());

  info.currentLine = L"New line";
  EXPECT_TRUE(tracker.Update(info).has_value());
  info.artVersion = 4;  // new cover, same texts
  EXPECT_TRUE(tracker.Update(info).has_value());
  EXPECT_FALSE(tracker.Update(info).has_value());

  info.isPlaying = false;
  const auto paused = tracker.Update(info);
  ASSERT_TRUE(paused.has_value());
  EXPECT_FALSE(paused->running);
}

TEST(MusicItemNameTest, TitleOnlyFromALiveSession) {
  MediaInfo noTitle = Playing();
  noTitle.title.clear();
  MediaInfo stale = Playing();
  stale.hasSession = false;
  EXPECT_EQ(MusicItemName(Playing()), L"Song");
  EXPECT_EQ(MusicItemName(noTitle), kMusicItemName);
  EXPECT_EQ(MusicItemName(stale), kMusicItemName);
}

TEST(MusicTileTextTest, LinesFallBackInOrder) {
  MediaInfo lyric = Playing();
  lyric.currentLine = L"Sung now";
  MediaInfo noArtist = Playing();
  noArtist.artist.clear();
  MediaInfo stale = Playing();
  stale.hasSession = false;
  struct Case {
    const char* name;
    MediaInfo info;
    std::wstring title, line;
    bool lyricLine;
  };
  const Case cases[] = {
      {"no session", MediaInfo{}, L"音乐 · 暂无播放", L"悬停弹出播放控制", false},
      {"title and artist", Playing(), L"Song", L"Singer", false},
      {"lyric line wins over the artist", lyric, L"Song", L"\u266A Sung now", true},
      {"no artist", noArtist, L"Song", L"悬停弹出播放控制", false},
      {"texts of a closed session", stale, L"音乐 · 暂无播放", L"悬停弹出播放控制", false},
  };
  for (const Case& c : cases) {
    const MusicTileText text = MusicTileTextOf(c.info);
    EXPECT_EQ(text.title, c.title) << c.name;
    EXPECT_EQ(text.line, c.line) << c.name;
    EXPECT_EQ(text.lyricLine, c.lyricLine) << c.name;
  }
}

TEST(MusicTileSizeTest, WideTileWithFloors) {
  EXPECT_EQ(MusicTileSize(1, 48), (PictureSize{206, 48}));
  EXPECT_EQ(MusicTileSize(1, 28), (PictureSize{206, 40}));
  EXPECT_EQ(MusicTileSize(0.5f, 48), (PictureSize{160, 40}));
  EXPECT_EQ(MusicTileSize(1.5f, 64), (PictureSize{309, 96}));
}

// Records what the tile draws; bitmaps succeed or fail as told.
class RecordingCanvas final : public Canvas {
 public:
  struct Text {
    std::wstring text;
    TextStyle style;
    RectF layout;
    Color color;
  };
  struct Fill {
    RectF rect;
    Color color;
  };

  SizeF Size() const override { return {206, 48}; }
  void Clear(Color) override {}
  void FillRect(const RectF&, const Paint&) override {}
  void StrokeRect(const RectF&, const Paint&, const StrokeStyle&) override {}
  void FillRoundedRect(const RectF& rect, float, float, const Paint& paint) override {
    fills.push_back({rect, std::get<Color>(paint)});
  }
  void StrokeRoundedRect(const RectF&, float, float, const Paint&, const StrokeStyle&) override {}
  void FillEllipse(PointF center, float rx, float ry, const Paint& paint) override {
    fills.push_back({{center.x - rx, center.y - ry, center.x + rx, center.y + ry}, std::get<Color>(paint)});
  }
  void StrokeEllipse(PointF, float, float, const Paint&, const StrokeStyle&) override {}
  void DrawLine(PointF, PointF, const Paint&, const StrokeStyle&) override {}
  void FillPath(const Path&, const Paint&) override {}
  void StrokePath(const Path&, const Paint&, const StrokeStyle&) override {}
  bool DrawBitmap(const BitmapView&, const RectF& dest, float, Interpolation interpolation, const RectF*) override {
    bitmaps.push_back({dest, interpolation});
    return bitmapsWork;
  }
  void DrawText(std::wstring_view text, const TextStyle& style, const RectF& layout, const Paint& paint) override {
    texts.push_back({std::wstring(text), style, layout, std::get<Color>(paint)});
  }
  TextMetrics MeasureText(std::wstring_view, const TextStyle&, float, float) override { return {}; }
  void PushClipRect(const RectF&, bool) override { ++clips; }
  void PushClipPath(const Path&) override { ++clips; }
  void PopClip() override { --clips; }
  void DrawLayer(float, const std::function<void(Canvas&)>& content) override { content(*this); }
  void DrawShadow(const ShadowStyle&, const std::function<void(Canvas&)>&) override {}
  void SetTransform(const Matrix3x2&) override {}
  Matrix3x2 Transform() const override { return {}; }

  bool HasFill(Color color) const {
    return std::any_of(fills.begin(), fills.end(), [&](const Fill& f) { return f.color == color; });
  }

  bool bitmapsWork = true;
  int clips = 0;
  std::vector<Text> texts;
  std::vector<Fill> fills;
  std::vector<std::pair<RectF, Interpolation>> bitmaps;
};

constexpr Color kPink{0.98f, 0.24f, 0.42f, 0.96f};
constexpr Color kGreenDot{0.1882f, 0.8196f, 0.3451f, 0.98f};

MediaInfo WithCover(MediaInfo info) {
  info.artWidth = 4;
  info.artHeight = 2;
  info.artPixels = testing::OpaquePixels(4, 2, [](int, int) { return testing::kBlue; });
  return info;
}

class MusicTileTest : public ::testing::Test {
 protected:
  MusicTileTest() { EnsureMusicTextFormats(formats, 1); }

  void Draw(const MediaInfo& info, const Theme& theme) {
    DrawMusicTile(canvas, info, theme, 1, MusicTileSize(1, 48), formats);
    EXPECT_EQ(canvas.clips, 0);
  }

  RecordingCanvas canvas;
  MusicTextFormats formats;
  const Theme light = MakeTheme(false, true);
  const Theme dark = MakeTheme(true, true);
};

TEST_F(MusicTileTest, NoSessionShowsFallbacksPlaceholderAndNoDot) {
  Draw(MediaInfo{}, light);
  ASSERT_EQ(canvas.texts.size(), 2u);
  const Color text = ToColor(light.tooltipText);
  EXPECT_EQ(canvas.texts[0].text, L"音乐 · 暂无播放");
  EXPECT_EQ(canvas.texts[0].color, text);
  EXPECT_EQ(canvas.texts[1].text, L"悬停弹出播放控制");
  EXPECT_EQ(canvas.texts[1].color, text.WithAlpha(text.a * 0.68f));
  // The column runs from after the 38-pixel cover to 8 pixels from the edge.
  EXPECT_EQ(canvas.texts[0].layout, (RectF{51, 4, 198, 0.52f * 48}));
  EXPECT_EQ(canvas.texts[1].layout, (RectF{51, 0.48f * 48, 198, 44}));
  EXPECT_TRUE(canvas.HasFill(kPink));
  EXPECT_FALSE(canvas.HasFill(kGreenDot));
  EXPECT_TRUE(canvas.bitmaps.empty());
}

TEST_F(MusicTileTest, LyricLineInTheAccentColourAndTheDotWhilePlaying) {
  MediaInfo info = Playing();
  info.currentLine = L"Sung now";
  info.hasLyrics = true;
  for (const auto& [theme, accent] : {std::pair{dark, Color{1.0f, 0.48f, 0.62f, 0.98f}},
                                      std::pair{light, Color{0.84f, 0.12f, 0.34f, 0.98f}}}) {
    canvas = {};
    Draw(info, theme);
    ASSERT_EQ(canvas.texts.size(), 2u);
    EXPECT_EQ(canvas.texts[0].text, L"Song");
    EXPECT_EQ(canvas.texts[1].text, L"\u266A Sung now");
    EXPECT_EQ(canvas.texts[1].color, accent);
    EXPECT_EQ(canvas.texts[1].layout.right, 206 - 18);  // room for the dot
    EXPECT_TRUE(canvas.HasFill(kGreenDot));
  }
}

TEST_F(MusicTileTest, CoverFillsTheSquareOrFallsBackToThePlaceholder) {
  Draw(WithCover(Playing()), dark);
  ASSERT_EQ(canvas.bitmaps.size(), 1u);
  EXPECT_EQ(canvas.bitmaps[0].first, (RectF{5, 5, 43, 43}));
  EXPECT_EQ(canvas.bitmaps[0].second, Interpolation::HighQuality);
  EXPECT_FALSE(canvas.HasFill(kPink));

  canvas = {};
  canvas.bitmapsWork = false;
  Draw(WithCover(Playing()), dark);
  EXPECT_TRUE(canvas.HasFill(kPink));

  // Art that claims more pixels than it carries is not read at all.
  canvas = {};
  MediaInfo shortArt = WithCover(Playing());
  shortArt.artPixels.resize(8);
  Draw(shortArt, dark);
  EXPECT_TRUE(canvas.bitmaps.empty());
  EXPECT_TRUE(canvas.HasFill(kPink));
}

TEST_F(MusicTileTest, LineWithoutATextFormatIsSkipped) {
  formats.line.reset();
  Draw(Playing(), dark);
  ASSERT_EQ(canvas.texts.size(), 1u);
  EXPECT_EQ(canvas.texts[0].text, L"Song");
  EXPECT_TRUE(canvas.texts[0].style.grayscale);
  EXPECT_TRUE(canvas.texts[0].style.ellipsis);
  EXPECT_EQ(canvas.texts[0].style.weight, 600);
}

// --- The music item through the dock's picture state ------------------------------------

bool Pinkish(Pixel p) { return p.a > 200 && p.r > 200 && p.g < 90 && p.b > 70 && p.b < 140; }
bool Greenish(Pixel p) { return p.a > 200 && p.g > 180 && p.r < 90; }

using MusicItemTest = testing::DockPictureFixture;

TEST_F(MusicItemTest, BottomDockTileWithoutSession) {
  pictures.RefreshItemPicture(DockItemKind::Music, item, {}, MediaInfo{}, settings);
  ASSERT_NE(item.surface, nullptr);
  EXPECT_EQ(item.brush->surface(), item.surface);
  EXPECT_EQ(item.surface->width(), 206);
  EXPECT_EQ(item.surface->height(), 48);
  const BitmapView view = Picture();
  EXPECT_TRUE(Pinkish(PixelAt(view, 10, 10)));
  EXPECT_FALSE(Pinkish(PixelAt(view, 19, 29)));  // a white note head
  EXPECT_GT(PixelAt(view, 19, 29).g, 200);
  EXPECT_FALSE(Greenish(PixelAt(view, 196, 24)));
}

TEST_F(MusicItemTest, RefreshRedrawsOnlyOnChangeAndShowsTheDotWhilePlaying) {
  const auto first = pictures.RefreshMusicItem(item, Playing(), settings);
  ASSERT_TRUE(first.has_value());
  EXPECT_TRUE(first->running);
  EXPECT_EQ(first->name, L"Song");
  EXPECT_TRUE(Greenish(PixelAt(Picture(), 196, 24)));

  // Scribble on the surface: an unchanged snapshot must leave it alone.
  compositor.DrawSurface(*item.surface, 206, 48, [](Canvas&) {});
  MediaInfo later = Playing();
  later.position = 30;
  EXPECT_FALSE(pictures.RefreshMusicItem(item, later, settings).has_value());
  EXPECT_EQ(PixelAt(Picture(), 196, 24).a, 0);

  later.currentLine = L"Next line";
  EXPECT_TRUE(pictures.RefreshMusicItem(item, later, settings).has_value());
  EXPECT_TRUE(Greenish(PixelAt(Picture(), 196, 24)));
}

TEST_F(MusicItemTest, SideDockDrawsTheSquareCover) {
  pictures.RefreshItemPicture(DockItemKind::Music, item, {}, MediaInfo{}, settings);
  const auto tile = item.surface;
  settings.dockPosition = L"left";
  pictures.DrawMusicItem(item, MediaInfo{}, settings);
  EXPECT_EQ(item.surface, tile);
  EXPECT_EQ(item.surface->width(), 160);
  EXPECT_EQ(item.surface->height(), 160);
  BitmapView view = Picture();
  EXPECT_TRUE(Pinkish(PixelAt(view, 30, 30)));
  EXPECT_EQ(PixelAt(view, 62, 102).r, 255);  // a note head
  EXPECT_EQ(PixelAt(view, 5, 5).a, 0);

  settings.dockPosition = L"right";
  pictures.DrawMusicItem(item, WithCover(Playing()), settings);
  view = Picture();
  EXPECT_TRUE(testing::Shows(PixelAt(view, 80, 80), testing::kBlue));
  EXPECT_TRUE(testing::Shows(PixelAt(view, 30, 140), testing::kBlue));
  EXPECT_EQ(PixelAt(view, 12, 12).a, 0);  // rounded corner
}

}  // namespace
}  // namespace orvane
