#include "render/FrameRaster.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define ORVANE_RASTER_SSE2 1
#endif

#include "render/PathRaster.h"

namespace orvane {
namespace {

constexpr int kOne = 256;  // coverage and opacity in fixed point

int ToFixed(float unit) {
  if (!(unit > 0)) return 0;
  if (unit >= 1) return kOne;
  return static_cast<int>(unit * kOne + 0.5f);
}

inline std::uint32_t Div255(std::uint32_t x) {
  x += 128;
  return (x + (x >> 8)) >> 8;
}

inline std::uint32_t Load(const std::uint8_t* p) {
  std::uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

inline void Store(std::uint8_t* p, std::uint32_t v) { std::memcpy(p, &v, 4); }

// Pixels are handled as two pairs of channels in 16-bit lanes (B and R,
// G and A), so one multiply serves two channels.
constexpr std::uint32_t kLanes = 0x00FF00FF;

// `p` scaled by f / 256 (f in 0..256).
inline std::uint32_t ScalePixel(std::uint32_t p, std::uint32_t f) {
  const std::uint32_t rb = (((p & kLanes) * f) >> 8) & kLanes;
  const std::uint32_t ag = (((p >> 8) & kLanes) * f) & ~kLanes;
  return rb | ag;
}

// `p` scaled by k / 255 (k in 0..255), rounded.
inline std::uint32_t ScalePixel255(std::uint32_t p, std::uint32_t k) {
  std::uint32_t rb = (p & kLanes) * k + 0x00800080;
  rb = ((rb + ((rb >> 8) & kLanes)) >> 8) & kLanes;
  std::uint32_t ag = ((p >> 8) & kLanes) * k + 0x00800080;
  ag = (ag + ((ag >> 8) & kLanes)) & ~kLanes;
  return rb | ag;
}

// Lane-wise a + b, each channel saturating at 255 (a pixel that is not
// properly premultiplied must not spill into its neighbour channel).
inline std::uint32_t AddSaturating(std::uint32_t a, std::uint32_t b) {
  std::uint32_t rb = (a & kLanes) + (b & kLanes);
  std::uint32_t ag = ((a >> 8) & kLanes) + ((b >> 8) & kLanes);
  rb |= ((rb & 0x01000100) - ((rb & 0x01000100) >> 8));
  ag |= ((ag & 0x01000100) - ((ag & 0x01000100) >> 8));
  return (rb & kLanes) | ((ag & kLanes) << 8);
}

// Source-over of premultiplied `s` (B, G, R, A in the low to high bytes)
// scaled by `f` (0..256) onto the pixel at `d`.
inline void Blend(std::uint8_t* d, std::uint32_t s, int f) {
  if (f <= 0 || s == 0) return;
  if (f < kOne) s = ScalePixel(s, static_cast<std::uint32_t>(f));
  const std::uint32_t a = s >> 24;
  if (a == 255) {
    Store(d, s);
    return;
  }
  Store(d, AddSaturating(s, ScalePixel255(Load(d), 255 - a)));
}

inline std::uint32_t Lerp(std::uint32_t a, std::uint32_t b, std::uint32_t w) {
  const std::uint32_t rb = (((a & kLanes) * (kOne - w) + (b & kLanes) * w) >> 8) & kLanes;
  const std::uint32_t ag = (((a >> 8) & kLanes) * (kOne - w) + ((b >> 8) & kLanes) * w) & ~kLanes;
  return rb | ag;
}

// Bilinear mix of four premultiplied pixels with weights wx, wy in 0..256.
inline std::uint32_t Mix(std::uint32_t p00, std::uint32_t p01, std::uint32_t p10, std::uint32_t p11, int wx, int wy) {
  const auto x = static_cast<std::uint32_t>(wx), y = static_cast<std::uint32_t>(wy);
  return Lerp(Lerp(p00, p01, x), Lerp(p10, p11, x), y);
}

// One row of a scaled picture: out[i] mixes the pixels at columns[i].i0 and
// .i1 (byte offsets) of rows r0 and r1 by columns[i].w and wy (0..256), or
// is 0 where coverage[i] is 0. The same arithmetic as Mix.
template <class ColumnTap>
void SampleRow(const std::uint8_t* r0, const std::uint8_t* r1, const ColumnTap* columns, std::uint32_t wy,
               const std::uint16_t* coverage, std::uint32_t* out, int n) {
  int i = 0;
#ifdef ORVANE_RASTER_SSE2
  // Two pixels at a time, a channel per 16-bit lane: a * (256 - w) + b * w
  // stays within 16 bits for every w in 0..256.
  const __m128i zero = _mm_setzero_si128();
  const __m128i one = _mm_set1_epi16(kOne);
  const __m128i y1 = _mm_set1_epi16(static_cast<short>(wy));
  const __m128i y0 = _mm_sub_epi16(one, y1);
  const auto pair = [&](const std::uint8_t* row, int a, int b) {
    return _mm_unpacklo_epi8(_mm_unpacklo_epi32(_mm_cvtsi32_si128(static_cast<int>(Load(row + a))),
                                                _mm_cvtsi32_si128(static_cast<int>(Load(row + b)))),
                             zero);
  };
  for (; i + 2 <= n; i += 2) {
    if ((coverage[i] | coverage[i + 1]) == 0) {
      out[i] = out[i + 1] = 0;
      continue;
    }
    const ColumnTap& a = columns[i];
    const ColumnTap& b = columns[i + 1];
    const __m128i x1 = _mm_set_epi16(static_cast<short>(b.w), static_cast<short>(b.w), static_cast<short>(b.w),
                                     static_cast<short>(b.w), static_cast<short>(a.w), static_cast<short>(a.w),
                                     static_cast<short>(a.w), static_cast<short>(a.w));
    const __m128i x0 = _mm_sub_epi16(one, x1);
    const __m128i top = _mm_srli_epi16(
        _mm_add_epi16(_mm_mullo_epi16(pair(r0, a.i0, b.i0), x0), _mm_mullo_epi16(pair(r0, a.i1, b.i1), x1)), 8);
    const __m128i bottom = _mm_srli_epi16(
        _mm_add_epi16(_mm_mullo_epi16(pair(r1, a.i0, b.i0), x0), _mm_mullo_epi16(pair(r1, a.i1, b.i1), x1)), 8);
    const __m128i mixed =
        _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(top, y0), _mm_mullo_epi16(bottom, y1)), 8);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(mixed, zero));
  }
#endif
  for (; i < n; ++i) {
    std::uint32_t source = 0;
    if (coverage[i] != 0) {
      const ColumnTap& tx = columns[i];
      const std::uint32_t p00 = Load(r0 + tx.i0);
      if (wy == 0) {
        source = tx.w == 0 ? p00 : Lerp(p00, Load(r0 + tx.i1), static_cast<std::uint32_t>(tx.w));
      } else {
        const std::uint32_t p01 = Load(r0 + tx.i1), p10 = Load(r1 + tx.i0), p11 = Load(r1 + tx.i1);
        if ((p00 | p01 | p10 | p11) != 0) source = Mix(p00, p01, p10, p11, tx.w, static_cast<int>(wy));
      }
    }
    out[i] = source;
  }
}

// Source-over of a row: each source pixel scaled by f[i] / 256 (0..256)
// over d[i]. The source advances a pixel per pixel, or, when kConstant,
// is one pixel for the whole row. The same arithmetic as Blend.
template <bool kConstant>
void BlendRow(std::uint8_t* d, const std::uint8_t* s, const std::uint16_t* f, int n) {
  int i = 0;
#ifdef ORVANE_RASTER_SSE2
  const __m128i zero = _mm_setzero_si128();
  const __m128i full = _mm_set1_epi16(255);
  const __m128i half = _mm_set1_epi16(128);
  const __m128i constant = kConstant ? _mm_set1_epi32(static_cast<int>(Load(s))) : zero;
  for (; i + 4 <= n; i += 4) {
    const __m128i fv = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(f + i));
    if (_mm_movemask_epi8(_mm_cmpeq_epi16(fv, zero)) == 0xFFFF) continue;  // nothing lands
    const __m128i src =
        kConstant ? constant : _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + static_cast<size_t>(i) * 4));
    const __m128i dst = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + static_cast<size_t>(i) * 4));
    const __m128i f01 = _mm_unpacklo_epi16(fv, fv);
    const __m128i fLow = _mm_unpacklo_epi32(f01, f01), fHigh = _mm_unpackhi_epi32(f01, f01);
    const __m128i sLow = _mm_srli_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(src, zero), fLow), 8);
    const __m128i sHigh = _mm_srli_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(src, zero), fHigh), 8);
    const __m128i kLow = _mm_sub_epi16(full, _mm_shufflehi_epi16(_mm_shufflelo_epi16(sLow, 0xFF), 0xFF));
    const __m128i kHigh = _mm_sub_epi16(full, _mm_shufflehi_epi16(_mm_shufflelo_epi16(sHigh, 0xFF), 0xFF));
    __m128i tLow = _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(dst, zero), kLow), half);
    __m128i tHigh = _mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(dst, zero), kHigh), half);
    tLow = _mm_srli_epi16(_mm_add_epi16(tLow, _mm_srli_epi16(tLow, 8)), 8);
    tHigh = _mm_srli_epi16(_mm_add_epi16(tHigh, _mm_srli_epi16(tHigh, 8)), 8);
    const __m128i out = _mm_packus_epi16(_mm_add_epi16(sLow, tLow), _mm_add_epi16(sHigh, tHigh));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + static_cast<size_t>(i) * 4), out);
  }
#endif
  for (; i < n; ++i) Blend(d + static_cast<size_t>(i) * 4, Load(kConstant ? s : s + static_cast<size_t>(i) * 4), f[i]);
}

std::uint32_t PremultipliedColorOf(Color c) {
  const float a = std::clamp(std::isfinite(c.a) ? c.a : 0.0f, 0.0f, 1.0f);
  const auto channel = [a](float v) {
    const float clamped = std::clamp(std::isfinite(v) ? v : 0.0f, 0.0f, 1.0f);
    return static_cast<std::uint32_t>(clamped * a * 255.0f + 0.5f);
  };
  const std::uint32_t alpha = static_cast<std::uint32_t>(a * 255.0f + 0.5f);
  return channel(c.b) | (channel(c.g) << 8) | (channel(c.r) << 16) | (alpha << 24);
}

bool AxisAligned(const Matrix3x2& m) { return m.m12 == 0 && m.m21 == 0; }

// How much of the pixel [i, i + 1) the interval [lo, hi) covers, 0..256.
inline int SpanCoverage(int i, float lo, float hi) {
  const float covered = std::min(hi, static_cast<float>(i + 1)) - std::max(lo, static_cast<float>(i));
  return ToFixed(covered);
}

}  // namespace

std::uint32_t PremultipliedPixel(Color color) { return PremultipliedColorOf(color); }

// --- scratch ------------------------------------------------------------------------

namespace {

// The kept buffer that fits `size` most closely, moved out of `pool`; a new
// one when none is large enough.
template <class T>
std::vector<T> TakeClosest(std::vector<std::vector<T>>& pool, size_t size) {
  size_t best = pool.size();
  for (size_t i = 0; i < pool.size(); ++i) {
    if (pool[i].capacity() >= size && (best == pool.size() || pool[i].capacity() < pool[best].capacity())) best = i;
  }
  if (best == pool.size()) return std::vector<T>(size);
  std::vector<T> found = std::move(pool[best]);
  pool.erase(pool.begin() + static_cast<std::ptrdiff_t>(best));
  found.resize(size);
  return found;
}

}  // namespace

std::vector<std::uint8_t> RasterScratch::Take(size_t bytes) { return TakeClosest(bytes_, bytes); }

std::vector<float> RasterScratch::TakeFloats(size_t count) { return TakeClosest(floats_, count); }

void RasterScratch::Give(std::vector<std::uint8_t> buffer) {
  if (buffer.capacity() > 0 && bytes_.size() < 16) bytes_.push_back(std::move(buffer));
}

void RasterScratch::Give(std::vector<float> buffer) {
  if (buffer.capacity() > 0 && floats_.size() < 4) floats_.push_back(std::move(buffer));
}

void RasterScratch::Clear() {
  bytes_.clear();
  floats_.clear();
}

size_t RasterScratch::keptBytes() const {
  size_t total = 0;
  for (const auto& b : bytes_) total += b.capacity();
  for (const auto& f : floats_) total += f.capacity() * sizeof(float);
  return total;
}

// --- rectangles ---------------------------------------------------------------------

PixelRect Intersect(const PixelRect& a, const PixelRect& b) {
  const int left = std::max(a.left, b.left), top = std::max(a.top, b.top);
  const int right = std::min(a.left + a.width, b.left + b.width), bottom = std::min(a.top + a.height, b.top + b.height);
  if (right <= left || bottom <= top) return PixelRect{};
  return PixelRect{left, top, right - left, bottom - top};
}

PixelRect Union(const PixelRect& a, const PixelRect& b) {
  if (a.empty()) return b;
  if (b.empty()) return a;
  const int left = std::min(a.left, b.left), top = std::min(a.top, b.top);
  const int right = std::max(a.left + a.width, b.left + b.width), bottom = std::max(a.top + a.height, b.top + b.height);
  return PixelRect{left, top, right - left, bottom - top};
}

// --- the raster ---------------------------------------------------------------------

FrameRaster::FrameRaster(std::uint8_t* pixels, int width, int height, int stride, PixelRect limit,
                         RasterScratch* scratch)
    : FrameRaster(pixels, width, height, stride, limit, 0, 0, scratch) {}

FrameRaster::FrameRaster(std::uint8_t* pixels, int width, int height, int stride, PixelRect limit, int originX,
                         int originY, RasterScratch* scratch)
    : pixels_(pixels), width_(width), height_(height), stride_(stride), originX_(originX), originY_(originY) {
  const bool usable = pixels != nullptr && width > 0 && height > 0 && stride >= width * 4;
  limit_ = usable ? Intersect(limit, PixelRect{originX, originY, width, height}) : PixelRect{};
  clips_.push_back(ClipLevel{limit_, {}});
  if (scratch == nullptr) {
    ownScratch_ = std::make_unique<RasterScratch>();
    scratch = ownScratch_.get();
  }
  scratch_ = scratch;
}

FrameRaster::~FrameRaster() {
  for (ClipLevel& level : clips_) scratch_->Give(std::move(level.mask));
}

std::uint8_t* FrameRaster::PixelAt(int x, int y) const {
  return pixels_ + static_cast<size_t>(y - originY_) * stride_ + static_cast<size_t>(x - originX_) * 4;
}

void FrameRaster::Clear() {
  if (limit_.empty()) return;
  for (int y = limit_.top; y < limit_.top + limit_.height; ++y) {
    std::memset(PixelAt(limit_.left, y), 0, static_cast<size_t>(limit_.width) * 4);
  }
}

PixelRect FrameRaster::DeviceBounds(const RectF& rect, const Matrix3x2& m) {
  const PointF corners[4] = {m.Apply({rect.left, rect.top}), m.Apply({rect.right, rect.top}),
                             m.Apply({rect.right, rect.bottom}), m.Apply({rect.left, rect.bottom})};
  float minX = corners[0].x, maxX = minX, minY = corners[0].y, maxY = minY;
  for (const PointF& c : corners) {
    if (!std::isfinite(c.x) || !std::isfinite(c.y)) return PixelRect{};
    minX = std::min(minX, c.x), maxX = std::max(maxX, c.x);
    minY = std::min(minY, c.y), maxY = std::max(maxY, c.y);
  }
  // Far outside any frame: nothing to draw, and no overflow below.
  constexpr float kFar = 1 << 24;
  minX = std::clamp(minX, -kFar, kFar), maxX = std::clamp(maxX, -kFar, kFar);
  minY = std::clamp(minY, -kFar, kFar), maxY = std::clamp(maxY, -kFar, kFar);
  const int left = static_cast<int>(std::floor(minX)) - 1, top = static_cast<int>(std::floor(minY)) - 1;
  const int right = static_cast<int>(std::ceil(maxX)) + 1, bottom = static_cast<int>(std::ceil(maxY)) + 1;
  if (right <= left || bottom <= top || maxX <= minX || maxY <= minY) return PixelRect{};
  return PixelRect{left, top, right - left, bottom - top};
}

bool FrameRaster::CanDraw() const { return !clip().box.empty(); }

// Blends `source(x, y)` (a premultiplied pixel) scaled by `coverage(x, y)`
// (0..256) and the clip over every pixel of `box`, a part of the clip's box.
template <class Coverage, class Source>
void FrameRaster::Compose(const PixelRect& box, Coverage coverage, Source source) {
  const ClipLevel& level = clip();
  const bool masked = !level.mask.empty();
  rowCoverage_.resize(static_cast<size_t>(box.width));
  rowSource_.resize(static_cast<size_t>(box.width));
  for (int y = box.top; y < box.top + box.height; ++y) {
    const std::uint8_t* mask =
        masked ? level.mask.data() + static_cast<size_t>(y - level.box.top) * level.box.width + (box.left - level.box.left)
               : nullptr;
    for (int i = 0; i < box.width; ++i) {
      int f = coverage(box.left + i, y);
      if (mask != nullptr) f = (f * mask[i] * 257 + 32768) >> 16;
      rowCoverage_[i] = static_cast<std::uint16_t>(f);
      rowSource_[i] = f > 0 ? source(box.left + i, y) : 0;
    }
    BlendRow<false>(PixelAt(box.left, y), reinterpret_cast<const std::uint8_t*>(rowSource_.data()),
                    rowCoverage_.data(), box.width);
  }
}

// Blends `pixels` (a row of premultiplied pixels per frame row, `stride`
// bytes apart, or one pixel for everything when `constant`) over `box`,
// scaled by `rowCoverage(y) * columnCoverage[i]` (0..256 each) and the clip.
void FrameRaster::ComposeRows(const PixelRect& box, const std::uint8_t* pixels, int stride, bool constant,
                              const std::function<int(int)>& rowCoverage, const std::vector<int>* columnCoverage) {
  const ClipLevel& level = clip();
  const bool masked = !level.mask.empty();
  rowCoverage_.resize(static_cast<size_t>(box.width));
  for (int y = box.top; y < box.top + box.height; ++y) {
    const int row = rowCoverage(y);
    if (row <= 0) continue;
    const std::uint8_t* mask =
        masked ? level.mask.data() + static_cast<size_t>(y - level.box.top) * level.box.width + (box.left - level.box.left)
               : nullptr;
    for (int i = 0; i < box.width; ++i) {
      int f = columnCoverage != nullptr ? ((*columnCoverage)[i] * row) >> 8 : row;
      if (mask != nullptr) f = (f * mask[i] * 257 + 32768) >> 16;
      rowCoverage_[i] = static_cast<std::uint16_t>(f);
    }
    std::uint8_t* d = PixelAt(box.left, y);
    if (constant) {
      BlendRow<true>(d, pixels, rowCoverage_.data(), box.width);
    } else {
      BlendRow<false>(d, pixels + static_cast<size_t>(y - box.top) * stride, rowCoverage_.data(), box.width);
    }
  }
}

void FrameRaster::FillRect(const RectF& rect, Color color) {
  if (!CanDraw() || !(rect.right > rect.left) || !(rect.bottom > rect.top)) return;
  const std::uint32_t premultiplied = PremultipliedColorOf(color);
  if (premultiplied >> 24 == 0) return;
  const PixelRect box = Intersect(DeviceBounds(rect, transform_), clip().box);
  if (box.empty()) return;
  if (AxisAligned(transform_)) {
    const PointF a = transform_.Apply({rect.left, rect.top}), b = transform_.Apply({rect.right, rect.bottom});
    const float x0 = std::min(a.x, b.x), x1 = std::max(a.x, b.x), y0 = std::min(a.y, b.y), y1 = std::max(a.y, b.y);
    std::vector<int>& columns = columnCoverage_;
    columns.resize(static_cast<size_t>(box.width));
    for (int i = 0; i < box.width; ++i) columns[i] = SpanCoverage(box.left + i, x0, x1);
    std::uint8_t pixel[4];
    std::memcpy(pixel, &premultiplied, 4);
    ComposeRows(box, pixel, 0, true, [&](int y) { return SpanCoverage(y, y0, y1); }, &columns);
    return;
  }
  // Rotated or skewed: the exact area of each pixel the transformed
  // rectangle covers.
  std::vector<std::uint8_t> coverage = QuadCoverage(rect, box);
  FillMask(box, coverage.data(), box.width, premultiplied);
  scratch_->Give(std::move(coverage));
}

std::vector<std::uint8_t> FrameRaster::QuadCoverage(const RectF& rect, const PixelRect& box) {
  const Polyline quad{{transform_.Apply({rect.left, rect.top}), transform_.Apply({rect.right, rect.top}),
                       transform_.Apply({rect.right, rect.bottom}), transform_.Apply({rect.left, rect.bottom})},
                      true};
  std::vector<float> cells = scratch_->TakeFloats(static_cast<size_t>(box.width + 2) * box.height);
  std::vector<std::uint8_t> coverage = scratch_->Take(static_cast<size_t>(box.width) * box.height);
  RasterizePolygons({quad}, box, FillRule::NonZero, cells, coverage);
  scratch_->Give(std::move(cells));
  return coverage;
}

void FrameRaster::DrawBitmap(const BitmapView& bitmap, const RectF& dest, float opacity, Interpolation interpolation,
                             const RectF* source) {
  if (!CanDraw() || bitmap.pixels == nullptr || bitmap.width <= 0 || bitmap.height <= 0 ||
      bitmap.stride < bitmap.width * 4) {
    return;
  }
  const int alpha = ToFixed(opacity);
  if (alpha == 0 || !(dest.right > dest.left) || !(dest.bottom > dest.top)) return;
  RectF src = source != nullptr ? *source
                                : RectF{0, 0, static_cast<float>(bitmap.width), static_cast<float>(bitmap.height)};
  src.left = std::clamp(src.left, 0.0f, static_cast<float>(bitmap.width));
  src.right = std::clamp(src.right, 0.0f, static_cast<float>(bitmap.width));
  src.top = std::clamp(src.top, 0.0f, static_cast<float>(bitmap.height));
  src.bottom = std::clamp(src.bottom, 0.0f, static_cast<float>(bitmap.height));
  if (!(src.right > src.left) || !(src.bottom > src.top)) return;
  const PixelRect box = Intersect(DeviceBounds(dest, transform_), clip().box);
  if (box.empty()) return;

  // Samples stay inside the whole pixels of the source rectangle.
  const int firstColumn = static_cast<int>(std::floor(src.left));
  const int lastColumn = std::max(firstColumn, static_cast<int>(std::ceil(src.right)) - 1);
  const int firstRow = static_cast<int>(std::floor(src.top));
  const int lastRow = std::max(firstRow, static_cast<int>(std::ceil(src.bottom)) - 1);
  const bool nearest = interpolation == Interpolation::NearestNeighbor;
  const float scaleX = (src.right - src.left) / (dest.right - dest.left);
  const float scaleY = (src.bottom - src.top) / (dest.bottom - dest.top);
  const auto row = [&](int y) { return bitmap.pixels + static_cast<size_t>(y) * bitmap.stride; };

  const auto tap = [&](float position, int first, int last) {
    if (nearest) {
      const int i = std::clamp(static_cast<int>(std::floor(position)), first, last);
      return Tap{i, i, 0};
    }
    const float s = position - 0.5f;
    const float floorS = std::floor(s);
    const int i = static_cast<int>(floorS);
    const int w = ToFixed(s - floorS);
    return Tap{std::clamp(i, first, last), std::clamp(i + 1, first, last), w};
  };
  const auto sample = [&](const Tap& tx, const Tap& ty) {
    const std::uint8_t* r0 = row(ty.i0);
    if (tx.w == 0 && ty.w == 0) return Load(r0 + tx.i0 * 4);
    const std::uint8_t* r1 = row(ty.i1);
    return Mix(Load(r0 + tx.i0 * 4), Load(r0 + tx.i1 * 4), Load(r1 + tx.i0 * 4), Load(r1 + tx.i1 * 4), tx.w, ty.w);
  };

  if (AxisAligned(transform_)) {
    const PointF a = transform_.Apply({dest.left, dest.top}), b = transform_.Apply({dest.right, dest.bottom});
    const bool flipX = b.x < a.x, flipY = b.y < a.y;
    const float x0 = std::min(a.x, b.x), x1 = std::max(a.x, b.x), y0 = std::min(a.y, b.y), y1 = std::max(a.y, b.y);
    std::vector<Tap>& columns = columnTaps_;
    std::vector<int>& columnCoverage = columnCoverage_;
    columns.resize(static_cast<size_t>(box.width));
    columnCoverage.resize(static_cast<size_t>(box.width));
    for (int i = 0; i < box.width; ++i) {
      const float center = box.left + i + 0.5f;
      const float local = flipX ? x1 - center : center - x0;
      const Tap t = tap(src.left + local * scaleX * (dest.right - dest.left) / (x1 - x0), firstColumn, lastColumn);
      columns[i] = Tap{t.i0 * 4, t.i1 * 4, t.w};  // byte offsets in a row
      columnCoverage[i] = SpanCoverage(box.left + i, x0, x1);
    }
    // A picture drawn at its own size on whole pixels needs no sampling:
    // its rows are blended straight from the bitmap.
    bool unit = true;
    for (int i = 0; i < box.width && unit; ++i) unit = columns[i].w == 0 && columns[i].i0 == columns[0].i0 + 4 * i;
    rowSource_.resize(static_cast<size_t>(box.width));
    const ClipLevel& level = clip();
    const bool masked = !level.mask.empty();
    rowCoverage_.resize(static_cast<size_t>(box.width));
    for (int y = box.top; y < box.top + box.height; ++y) {
      const int rowCoverage = (SpanCoverage(y, y0, y1) * alpha) >> 8;
      if (rowCoverage == 0) continue;
      const float center = y + 0.5f;
      const float local = flipY ? y1 - center : center - y0;
      const Tap ty = tap(src.top + local * scaleY * (dest.bottom - dest.top) / (y1 - y0), firstRow, lastRow);
      const std::uint8_t* r0 = row(ty.i0);
      const std::uint8_t* r1 = row(ty.i1);
      const auto wy = static_cast<std::uint32_t>(ty.w);
      const std::uint8_t* mask =
          masked ? level.mask.data() + static_cast<size_t>(y - level.box.top) * level.box.width + (box.left - level.box.left)
                 : nullptr;
      for (int i = 0; i < box.width; ++i) {
        int f = (columnCoverage[i] * rowCoverage) >> 8;
        if (mask != nullptr) f = (f * mask[i] * 257 + 32768) >> 16;
        rowCoverage_[i] = static_cast<std::uint16_t>(f);
      }
      std::uint8_t* d = PixelAt(box.left, y);
      if (unit && wy == 0) {
        BlendRow<false>(d, r0 + columns[0].i0, rowCoverage_.data(), box.width);
        continue;
      }
      SampleRow(r0, wy == 0 ? r0 : r1, columns.data(), wy, rowCoverage_.data(), rowSource_.data(), box.width);
      BlendRow<false>(d, reinterpret_cast<const std::uint8_t*>(rowSource_.data()), rowCoverage_.data(), box.width);
    }
    return;
  }

  // Rotated or skewed: edges by the exact area covered, the picture sampled
  // at each pixel's centre (held inside the picture at its edges).
  Matrix3x2 inverse;
  if (!transform_.Invert(inverse)) return;
  std::vector<std::uint8_t> coverage = QuadCoverage(dest, box);
  Tap tx{}, ty{};
  Compose(
      box,
      [&](int x, int y) {
        const int c = coverage[static_cast<size_t>(y - box.top) * box.width + (x - box.left)];
        if (c == 0) return 0;
        const PointF p = inverse.Apply({x + 0.5f, y + 0.5f});
        const float px = std::clamp(p.x, dest.left, dest.right), py = std::clamp(p.y, dest.top, dest.bottom);
        tx = tap(src.left + (px - dest.left) * scaleX, firstColumn, lastColumn);
        ty = tap(src.top + (py - dest.top) * scaleY, firstRow, lastRow);
        return ((c + (c >> 7)) * alpha) >> 8;
      },
      [&](int, int) { return sample(tx, ty); });
  scratch_->Give(std::move(coverage));
}

void FrameRaster::PushClip(const Path& outline) {
  PushClipPolygons(FlattenPath(outline, transform_), FillRule::NonZero);
}

void FrameRaster::PushClipPolygons(const std::vector<Polyline>& polygons, FillRule rule) {
  const ClipLevel& parent = clip();
  ClipLevel level;
  level.box = PolygonBounds(polygons, parent.box);
  if (!level.box.empty()) {
    const int w = level.box.width, h = level.box.height;
    std::vector<float> cells = scratch_->TakeFloats(static_cast<size_t>(w + 2) * h);
    level.mask = scratch_->Take(static_cast<size_t>(w) * h);
    RasterizePolygons(polygons, level.box, rule, cells, level.mask);
    scratch_->Give(std::move(cells));
    bool full = true;
    for (int y = 0; y < h; ++y) {
      std::uint8_t* out = level.mask.data() + static_cast<size_t>(y) * w;
      const std::uint8_t* outer =
          parent.mask.empty() ? nullptr
                              : parent.mask.data() + static_cast<size_t>(level.box.top + y - parent.box.top) * parent.box.width +
                                    (level.box.left - parent.box.left);
      for (int x = 0; x < w; ++x) {
        if (outer != nullptr) out[x] = static_cast<std::uint8_t>(Div255(static_cast<std::uint32_t>(out[x] * outer[x])));
        full = full && out[x] == 255;
      }
    }
    if (full) {
      scratch_->Give(std::move(level.mask));
      level.mask.clear();
    }
  }
  clips_.push_back(std::move(level));
}

namespace {

// Coverage 0..256 from a mask of 0..255 laid over `area` (null: full).
auto MaskCoverage(const PixelRect& area, const std::uint8_t* mask, int maskStride) {
  return [&area, mask, maskStride](int x, int y) {
    if (mask == nullptr) return kOne;
    const int m = mask[static_cast<size_t>(y - area.top) * maskStride + (x - area.left)];
    return m + (m >> 7);
  };
}

}  // namespace

void FrameRaster::FillMask(const PixelRect& area, const std::uint8_t* mask, int maskStride, std::uint32_t color) {
  const PixelRect box = Intersect(area, clip().box);
  if (box.empty() || color == 0) return;
  Compose(box, MaskCoverage(area, mask, maskStride), [color](int, int) { return color; });
}

void FrameRaster::FillMask(const PixelRect& area, const std::uint8_t* mask, int maskStride,
                           const std::function<std::uint32_t(int, int)>& source) {
  const PixelRect box = Intersect(area, clip().box);
  if (box.empty()) return;
  Compose(box, MaskCoverage(area, mask, maskStride), source);
}

void FrameRaster::Replace(Color color) {
  const ClipLevel& level = clip();
  if (level.box.empty()) return;
  const std::uint32_t c = PremultipliedColorOf(color);
  for (int y = level.box.top; y < level.box.top + level.box.height; ++y) {
    std::uint8_t* d = PixelAt(level.box.left, y);
    const std::uint8_t* mask =
        level.mask.empty() ? nullptr : level.mask.data() + static_cast<size_t>(y - level.box.top) * level.box.width;
    for (int x = 0; x < level.box.width; ++x, d += 4) {
      const std::uint32_t m = mask == nullptr ? 255 : mask[x];
      for (int k = 0; k < 4; ++k) {
        const std::uint32_t source = (c >> (8 * k)) & 0xFF;
        d[k] = static_cast<std::uint8_t>(Div255(source * m + d[k] * (255 - m)));
      }
    }
  }
}

void FrameRaster::PopClip() {
  if (clips_.size() <= 1) return;  // the limit itself stays
  scratch_->Give(std::move(clips_.back().mask));
  clips_.pop_back();
}

void FrameRaster::DrawLayer(float opacity, const std::function<void(FrameRaster&)>& content) {
  const int alpha = ToFixed(opacity);
  const PixelRect box = clip().box;
  if (alpha == 0 || box.empty() || !content) return;
  std::vector<std::uint8_t> layerPixels = scratch_->Take(static_cast<size_t>(box.width) * box.height * 4);
  std::fill(layerPixels.begin(), layerPixels.end(), std::uint8_t{0});
  {
    FrameRaster layer(layerPixels.data(), box.width, box.height, box.width * 4, box, box.left, box.top, scratch_);
    layer.SetTransform(transform_);
    content(layer);
  }
  ComposeRows(box, layerPixels.data(), box.width * 4, false, [alpha](int) { return alpha; }, nullptr);
  scratch_->Give(std::move(layerPixels));
}

}  // namespace orvane
