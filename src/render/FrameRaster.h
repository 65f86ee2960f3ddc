#pragma once
// Composes a frame on the CPU: colour fills, scaled pictures, clips by
// outline and group opacity over a premultiplied BGRA buffer. This is all
// the software compositor needs to put its visual tree on the screen; the
// pictures themselves are drawn once, with a Canvas, when their content
// changes.
//
// Everything is drawn inside a limit rectangle (the region being brought up
// to date), so a frame can be redrawn a piece at a time. Edges of fills and
// pictures are antialiased by their exact pixel coverage, so pieces that
// share an edge (a nine-grid) leave no seam.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "render/Canvas.h"
#include "render/PathRaster.h"
#include "render/SoftBackdrop.h"

namespace orvane {

// Buffers the raster borrows while it draws (clip masks, layers, edge
// accumulation), kept between frames so a frame allocates nothing once the
// sizes have been seen.
class RasterScratch {
 public:
  std::vector<std::uint8_t> Take(size_t bytes);
  std::vector<float> TakeFloats(size_t count);
  void Give(std::vector<std::uint8_t> buffer);
  void Give(std::vector<float> buffer);
  // Drops every kept buffer (memory back to the system).
  void Clear();
  size_t keptBytes() const;

 private:
  std::vector<std::vector<std::uint8_t>> bytes_;
  std::vector<std::vector<float>> floats_;
};

class FrameRaster {
 public:
  // `pixels`: `height` rows of `width` premultiplied BGRA pixels, `stride`
  // bytes apart. Only pixels inside `limit` (clamped to the buffer) are ever
  // read or written. `scratch` must outlive the raster; null uses buffers of
  // the raster's own.
  FrameRaster(std::uint8_t* pixels, int width, int height, int stride, PixelRect limit,
              RasterScratch* scratch = nullptr);
  // The same over a buffer whose first pixel is the frame pixel
  // (originX, originY): a piece of a larger frame.
  FrameRaster(std::uint8_t* pixels, int width, int height, int stride, PixelRect limit, int originX, int originY,
              RasterScratch* scratch);
  ~FrameRaster();
  FrameRaster(const FrameRaster&) = delete;
  FrameRaster& operator=(const FrameRaster&) = delete;

  PixelRect limit() const { return limit_; }
  // The limit rectangle to transparent.
  void Clear();

  // Frame coordinates to pixels; the identity at first.
  void SetTransform(const Matrix3x2& transform) { transform_ = transform; }
  const Matrix3x2& transform() const { return transform_; }

  // `color` is straight (not premultiplied); its alpha is the fill's opacity.
  void FillRect(const RectF& rect, Color color);
  // The `source` part of `bitmap` (all of it when null) stretched over
  // `dest`. Samples stay inside the source rectangle, so neighbouring parts
  // of a picture never bleed into each other.
  void DrawBitmap(const BitmapView& bitmap, const RectF& dest, float opacity, Interpolation interpolation,
                  const RectF* source = nullptr);

  // Clips what follows to `outline` (under the current transform) until the
  // matching PopClip; clips nest by intersection. Figures are closed and
  // filled by the non-zero rule.
  void PushClip(const Path& outline);
  // The same for polygons already in frame pixels.
  void PushClipPolygons(const std::vector<Polyline>& polygons, FillRule rule);
  void PopClip();
  size_t clipDepth() const { return clips_.size() - 1; }
  // The pixels the current clip lets through (within the limit).
  PixelRect clipBox() const { return clip().box; }

  // Blends premultiplied BGRA `color` over the pixels of `box`, scaled by
  // `mask` (box.width x box.height bytes of 0..255 coverage, `maskStride`
  // bytes a row; null covers every pixel) and by the clip.
  void FillMask(const PixelRect& box, const std::uint8_t* mask, int maskStride, std::uint32_t color);
  // The same with a colour per pixel, `source(x, y)` in frame pixels.
  void FillMask(const PixelRect& box, const std::uint8_t* mask, int maskStride,
                const std::function<std::uint32_t(int, int)>& source);
  // Replaces what is under the clip with `color` (straight), as a copy, not
  // a blend; the clip's soft edges mix the old pixel with the new.
  void Replace(Color color);
  // Whether anything drawn now could still land in the frame: false inside a
  // clip that misses the limit.
  bool CanDraw() const;

  // Draws `content` into a transparent layer the size of the current clip,
  // then the layer over the frame at `opacity`: overlapping parts fade as one
  // picture.
  void DrawLayer(float opacity, const std::function<void(FrameRaster&)>& content);

  // The pixels that `rect` under `transform` could touch (its bounding box,
  // one pixel wider for the antialiased edges), in frame pixels.
  static PixelRect DeviceBounds(const RectF& rect, const Matrix3x2& transform);

 private:
  struct ClipLevel {
    PixelRect box;                   // in frame pixels, inside the limit
    std::vector<std::uint8_t> mask;  // box.width x box.height coverage; empty: the whole box
  };
  struct Span;

  const ClipLevel& clip() const { return clips_.back(); }
  // Coverage (0..255) of `rect` under the transform over `box`, from the scratch.
  std::vector<std::uint8_t> QuadCoverage(const RectF& rect, const PixelRect& box);
  std::uint8_t* PixelAt(int x, int y) const;  // frame coordinates
  // Blends premultiplied `color` (0..255 channels) scaled by per-pixel coverage.
  template <class Coverage, class Source>
  void Compose(const PixelRect& box, Coverage coverage, Source source);

  std::uint8_t* pixels_;
  int width_;
  int height_;
  int stride_;
  int originX_ = 0;  // the frame position of pixels_[0]
  int originY_ = 0;
  PixelRect limit_;
  Matrix3x2 transform_;
  std::vector<ClipLevel> clips_;
  struct Tap {
    int i0, i1, w;  // source indices (or byte offsets) and the weight of i1 (0..256)
  };
  void ComposeRows(const PixelRect& box, const std::uint8_t* pixels, int stride, bool constant,
                   const std::function<int(int)>& rowCoverage, const std::vector<int>* columnCoverage);

  // Row buffers kept between calls.
  std::vector<Tap> columnTaps_;
  std::vector<int> columnCoverage_;
  std::vector<std::uint16_t> rowCoverage_;
  std::vector<std::uint32_t> rowSource_;
  std::unique_ptr<RasterScratch> ownScratch_;
  RasterScratch* scratch_;
};

// A straight colour as a premultiplied BGRA pixel (B in the low byte).
std::uint32_t PremultipliedPixel(Color color);

// Intersection of two pixel rectangles (empty when they do not meet).
PixelRect Intersect(const PixelRect& a, const PixelRect& b);
// The smallest rectangle holding both (an empty one adds nothing).
PixelRect Union(const PixelRect& a, const PixelRect& b);

}  // namespace orvane
