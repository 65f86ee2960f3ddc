#pragma once
// What the dock items' pictures hold: scaled icons, the built-in vector
// glyphs, the music tile or cover, and the two sprites every item shares
// (the running-indicator dot and the puff texture of the vanish effect).
// Everything is drawn through the composition model, so the same code runs
// on the system compositor and on the software one.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dock/DockItemKind.h"
#include "render/Canvas.h"
#include "render/Composition.h"
#include "render/Theme.h"
#include "system/IconImage.h"
#include "system/MediaInfo.h"

namespace orvane {

// --- Icons --------------------------------------------------------------------

// Side of the largest picture the magnified dock can show, in pixels: the
// icon is scaled to it once, never per frame.
int IconPictureTarget(float magnification, float iconSize, float scale);

// Creates `surface` at width x height, or resizes it when its size differs.
void EnsureSurfaceSize(Compositor& compositor, std::shared_ptr<DrawingSurface>& surface, int width, int height);

// Draws the icon into `surface`: scaled down to target x target when it is
// larger, else uploaded unchanged. False (and the surface untouched) for an
// icon without pixels, or when the draw failed.
bool DrawIconPicture(Compositor& compositor, std::shared_ptr<DrawingSurface>& surface, const IconImage& icon,
                     int target);

// --- Built-in glyphs ------------------------------------------------------------

inline constexpr int kGlyphSide = 160;

// The launcher button, the notification area and the power item draw glyphs.
bool HasBuiltInGlyph(DockItemKind kind);
// Draws the kind's glyph on a kGlyphSide square; nothing for other kinds.
void DrawBuiltInGlyph(Canvas& canvas, DockItemKind kind);

// --- Music ----------------------------------------------------------------------

inline constexpr wchar_t kMusicIdleTitle[] = L"音乐 · 暂无播放";
inline constexpr wchar_t kMusicIdleLine[] = L"悬停弹出播放控制";

// Left and right docks show the square cover; any other position the tile.
bool IsSideDock(std::wstring_view dockPosition);

struct PictureSize {
  int width = 0;
  int height = 0;
  bool operator==(const PictureSize&) const = default;
};

// The bottom dock's wide tile.
PictureSize MusicTileSize(float scale, float iconSize);

// The two text lines of the tile and how they look.
struct MusicTileText {
  std::wstring title;
  std::wstring line;
  bool lyricLine = false;  // the line is the current lyric (note sign first)
};
MusicTileText MusicTileTextOf(const MediaInfo& info);

// The tile's text formats; made on first use and again for another scale,
// dropped when the device is lost.
struct MusicTextFormats {
  std::optional<TextStyle> title;
  std::optional<TextStyle> line;
  float scale = 0;  // the scale the formats were made for
};
void EnsureMusicTextFormats(MusicTextFormats& formats, float scale);

bool HasCoverArt(const MediaInfo& info);

void DrawMusicTile(Canvas& canvas, const MediaInfo& info, const Theme& theme, float scale, PictureSize size,
                   const MusicTextFormats& formats);
void DrawMusicSquare(Canvas& canvas, const MediaInfo& info);

// What the music item showed last, as text: session, playing state, title,
// artist, lyric line and whether lyrics exist. The position is left out, so
// the ticking clock alone never redraws the tile.
std::wstring MusicSignature(const MediaInfo& info);

// The item's name: the title while a session has one, else kMusicItemName.
std::wstring MusicItemName(const MediaInfo& info);

// What a music refresh changes on the item.
struct MusicItemUpdate {
  bool running = false;  // the item's running flag follows playback
  std::wstring name;
};

// Remembers what the music item shows and tells whether a snapshot changes it.
class MusicItemTracker {
 public:
  // nullopt when the signature and the art version are as last time;
  // otherwise stores both and returns the item's new flag and name.
  std::optional<MusicItemUpdate> Update(const MediaInfo& info);

 private:
  std::wstring signature_;
  std::int32_t artVersion_ = 0;
};

// --- Shared sprites -------------------------------------------------------------

// Side of the indicator dot's surface; each indicator sprite is 8 x scale
// square and stretches it.
int IndicatorSurfaceSide(float scale);
void DrawIndicatorDot(Canvas& canvas, float scale, const Theme& theme);

inline constexpr int kPuffSide = 64;
// The soft, slightly lumpy cloud of the vanish effect: kPuffSide square,
// premultiplied BGRA, rows top-down.
std::vector<std::uint8_t> PuffTexturePixels();

// --- The dock's picture state -----------------------------------------------------

// The picture fields of one dock item.
struct ItemPicture {
  std::shared_ptr<DrawingSurface> surface;  // made on first draw, owned by the item
  std::shared_ptr<SurfaceBrush> brush;      // the sprite's brush, made with the item
};

// The dock settings the pictures depend on.
struct PictureSettings {
  float iconSize = 48;
  float magnification = 1.65f;
  float scale = 1;  // physical pixels per DIP
  std::wstring dockPosition = L"bottom";
  bool operator==(const PictureSettings&) const = default;
};

// The per-dock side of the item pictures, driven by the hub.
class DockPictures {
 public:
  // Once, when the dock is made: the effect container, both shared brushes
  // (stretched over their sprites) and both sprites drawn.
  void CreateSharedSprites(Compositor& compositor, float scale, const Theme& theme);
  // Every item rebuild: redraws both shared sprites.
  void SetScaleAndTheme(float scale, const Theme& theme);
  // A theme change alone: the indicator dot follows it (the hub redraws the
  // music item).
  void SetTheme(const Theme& theme);
  // After the device came back: the text formats are made again on the next
  // music draw, the shared sprites are redrawn now.
  void DeviceLost();

  // Redraws one item's picture by its kind (music uses `media`).
  void RefreshItemPicture(DockItemKind kind, ItemPicture& item, const IconImage& icon, const MediaInfo& media,
                          const PictureSettings& settings);
  // The tile (bottom dock) or the square cover (side docks).
  void DrawMusicItem(ItemPicture& item, const MediaInfo& media, const PictureSettings& settings);
  // The periodic music refresh: redraws only when what the item shows
  // changed, and then returns what the hub sets on the item before asking
  // for a frame.
  std::optional<MusicItemUpdate> RefreshMusicItem(ItemPicture& item, const MediaInfo& media,
                                                  const PictureSettings& settings);

  const std::shared_ptr<ContainerVisual>& effectContainer() const { return effectContainer_; }
  const std::shared_ptr<SurfaceBrush>& indicatorBrush() const { return indicatorBrush_; }
  const std::shared_ptr<SurfaceBrush>& puffBrush() const { return puffBrush_; }
  const MusicTextFormats& musicTextFormats() const { return musicFormats_; }
  float scale() const { return scale_; }
  const Theme& theme() const { return theme_; }

 private:
  void DrawIndicator();
  void DrawPuff();

  Compositor* compositor_ = nullptr;
  float scale_ = 1;
  Theme theme_;
  MusicItemTracker music_;
  MusicTextFormats musicFormats_;
  std::shared_ptr<ContainerVisual> effectContainer_;
  std::shared_ptr<DrawingSurface> indicatorSurface_;
  std::shared_ptr<SurfaceBrush> indicatorBrush_;
  std::shared_ptr<DrawingSurface> puffSurface_;
  std::shared_ptr<SurfaceBrush> puffBrush_;
};

}  // namespace orvane
