#include "render/PathRaster.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "render/ArcCurves.h"
#include "render/PathFigures.h"

namespace orvane {
namespace {

// Accumulates signed edge areas per row (the running sum along a row is the
// winding coverage); `w` + 2 cells per row hold what falls past the right edge.
class EdgeAccumulator {
 public:
  EdgeAccumulator(float* cells, int w, int h) : cells_(cells), w_(w), h_(h), stride_(w + 2) {}

  void Line(PointF p0, PointF p1) {
    if (!(std::isfinite(p0.x) && std::isfinite(p0.y) && std::isfinite(p1.x) && std::isfinite(p1.y))) return;
    if (p0.y == p1.y) return;
    // Pieces left of the box count in full from its left edge; pieces right
    // of it touch no pixel. Split where the line crosses either side.
    float cuts[4] = {0, 1, 1, 1};
    int count = 1;
    const float dx = p1.x - p0.x;
    if (dx != 0) {
      for (float side : {0.0f, static_cast<float>(w_)}) {
        const float t = (side - p0.x) / dx;
        if (t > 0 && t < 1) cuts[count++] = t;
      }
    }
    if (count == 3 && cuts[2] < cuts[1]) std::swap(cuts[1], cuts[2]);
    cuts[count++] = 1;
    for (int i = 0; i + 1 < count; ++i) {
      const PointF a{p0.x + dx * cuts[i], p0.y + (p1.y - p0.y) * cuts[i]};
      const PointF b{p0.x + dx * cuts[i + 1], p0.y + (p1.y - p0.y) * cuts[i + 1]};
      Clamped(PointF{std::clamp(a.x, 0.0f, static_cast<float>(w_)), a.y},
              PointF{std::clamp(b.x, 0.0f, static_cast<float>(w_)), b.y});
    }
  }

 private:
  // A line with x in [0, w]: its signed area spread over the cells it crosses.
  void Clamped(PointF p0, PointF p1) {
    if (p0.y == p1.y) return;
    float dir = 1;
    if (p0.y > p1.y) {
      std::swap(p0, p1);
      dir = -1;
    }
    const float dxdy = (p1.x - p0.x) / (p1.y - p0.y);
    float x = p0.x;
    if (p0.y < 0) x -= p0.y * dxdy;
    const int yEnd = std::min(h_, static_cast<int>(std::ceil(p1.y)));
    for (int y = std::max(0, static_cast<int>(std::floor(p0.y))); y < yEnd; ++y) {
      float* row = cells_ + static_cast<size_t>(y) * stride_;
      const float dy = std::min(static_cast<float>(y + 1), p1.y) - std::max(static_cast<float>(y), p0.y);
      const float xNext = x + dxdy * dy;
      const float d = dy * dir;
      const float x0 = std::min(x, xNext), x1 = std::max(x, xNext);
      const float x0Floor = std::floor(x0);
      const int x0i = static_cast<int>(x0Floor);
      const float x1Ceil = std::ceil(x1);
      const int x1i = static_cast<int>(x1Ceil);
      if (x1i <= x0i + 1) {
        const float xmf = 0.5f * (x + xNext) - x0Floor;
        row[x0i] += d - d * xmf;
        row[x0i + 1] += d * xmf;
      } else {
        const float s = 1.0f / (x1 - x0);
        const float x0f = x0 - x0Floor;
        const float a0 = 0.5f * s * (1 - x0f) * (1 - x0f);
        const float x1f = x1 - x1Ceil + 1;
        const float am = 0.5f * s * x1f * x1f;
        row[x0i] += d * a0;
        if (x1i == x0i + 2) {
          row[x0i + 1] += d * (1 - a0 - am);
        } else {
          const float a1 = s * (1.5f - x0f);
          row[x0i + 1] += d * (a1 - a0);
          for (int xi = x0i + 2; xi < x1i - 1; ++xi) row[xi] += d * s;
          const float a2 = a1 + static_cast<float>(x1i - x0i - 3) * s;
          row[x1i - 1] += d * (1 - a2 - am);
        }
        row[x1i] += d * am;
      }
      x = xNext;
    }
  }

  float* cells_;
  int w_, h_, stride_;
};

// Flattens a path under a transform into closed polygons.
class Flattener final : public FigureSink {
 public:
  explicit Flattener(const Matrix3x2& m) : m_(m) {}

  void BeginFigure(PointF start) override {
    figures_.emplace_back();
    current_ = start;
    figures_.back().points.push_back(m_.Apply(start));
  }
  void AddSegment(const Path::Segment& s) override {
    switch (s.verb) {
      case Path::Verb::LineTo:
        To(s.p1);
        break;
      case Path::Verb::QuadTo: {
        const PointF c1{current_.x + (s.p1.x - current_.x) * 2 / 3, current_.y + (s.p1.y - current_.y) * 2 / 3};
        const PointF c2{s.p2.x + (s.p1.x - s.p2.x) * 2 / 3, s.p2.y + (s.p1.y - s.p2.y) * 2 / 3};
        Cubic(c1, c2, s.p2);
        break;
      }
      case Path::Verb::CubicTo:
        Cubic(s.p1, s.p2, s.p3);
        break;
      case Path::Verb::ArcTo:
        for (const CubicCurve& c : ArcToCubics(current_, s)) Cubic(c.control1, c.control2, c.end);
        break;
      default:
        break;
    }
  }
  void EndFigure(bool closed) override { figures_.back().closed = closed; }

  std::vector<Polyline>& figures() { return figures_; }

 private:
  void To(PointF p) {
    figures_.back().points.push_back(m_.Apply(p));
    current_ = p;
  }
  void Cubic(PointF c1, PointF c2, PointF end) {
    const PointF a = m_.Apply(current_), b = m_.Apply(c1), c = m_.Apply(c2), d = m_.Apply(end);
    const float reach = std::hypot(b.x - a.x, b.y - a.y) + std::hypot(c.x - b.x, c.y - b.y) +
                        std::hypot(d.x - c.x, d.y - c.y);
    const int pieces = std::clamp(static_cast<int>(std::ceil(std::sqrt(std::isfinite(reach) ? reach : 0) * 1.5f)), 2, 64);
    for (int i = 1; i < pieces; ++i) {
      const float t = static_cast<float>(i) / pieces, u = 1 - t;
      const float w0 = u * u * u, w1 = 3 * u * u * t, w2 = 3 * u * t * t, w3 = t * t * t;
      figures_.back().points.push_back(PointF{w0 * a.x + w1 * b.x + w2 * c.x + w3 * d.x,
                                       w0 * a.y + w1 * b.y + w2 * c.y + w3 * d.y});
    }
    figures_.back().points.push_back(d);
    current_ = end;
  }

  Matrix3x2 m_;
  PointF current_;
  std::vector<Polyline> figures_;
};


PointF Sub(PointF a, PointF b) { return {a.x - b.x, a.y - b.y}; }
PointF Add(PointF a, PointF b) { return {a.x + b.x, a.y + b.y}; }
PointF Mul(PointF a, float s) { return {a.x * s, a.y * s}; }

// Turns each stroked figure into its outline: the left offset of the
// figure walked forward, the end cap, the left offset of the figure walked
// backward, the start cap (a closed figure gives its two offset loops, the
// second reversed). Inner joins pass through the vertex; the small loops
// that makes lie inside the stroke, which the non-zero fill keeps covered.
// One outline per figure, so antialiased edges are never counted twice.
class StrokeBuilder {
 public:
  StrokeBuilder(const StrokeStyle& style, std::vector<Polyline>& out) : style_(style), h_(style.width / 2), out_(out) {
    // Arc steps short enough that the outline strays under a tenth of a pixel.
    step_ = std::max(2 * std::acos(std::clamp(1 - 0.1f / h_, -1.0f, 1.0f)), 0.02f);
  }

  void Line(const Polyline& line) {
    std::vector<PointF> pts;
    for (const PointF& p : line.points) {
      if (!std::isfinite(p.x) || !std::isfinite(p.y)) return;
      if (pts.empty() || p.x != pts.back().x || p.y != pts.back().y) pts.push_back(p);
    }
    if (line.closed && pts.size() > 1 && pts.front().x == pts.back().x && pts.front().y == pts.back().y) pts.pop_back();
    if (pts.empty()) return;
    if (pts.size() == 1) {
      const PointF c = pts[0];
      if (style_.cap == LineCap::Round) {
        std::vector<PointF> dot;
        ArcAround(c, 0, 2 * std::numbers::pi_v<float>, dot);
        Emit(std::move(dot));
      } else if (style_.cap == LineCap::Square) {
        Emit({{c.x - h_, c.y - h_}, {c.x + h_, c.y - h_}, {c.x + h_, c.y + h_}, {c.x - h_, c.y + h_}});
      }
      return;
    }
    const bool closed = line.closed && pts.size() > 2;
    std::vector<PointF> reversed(pts.rbegin(), pts.rend());
    if (closed) {
      std::vector<PointF> outer, inner;
      Side(pts, true, outer);
      Side(reversed, true, inner);
      Emit(std::move(outer));
      Emit(std::move(inner));
      return;
    }
    std::vector<PointF> outline;
    Side(pts, false, outline);
    Cap(pts[pts.size() - 2], pts.back(), outline);
    Side(reversed, false, outline);
    Cap(pts[1], pts.front(), outline);
    Emit(std::move(outline));
  }

 private:
  void Emit(std::vector<PointF> polygon) {
    if (polygon.size() >= 3) out_.push_back(Polyline{std::move(polygon), true});
  }

  PointF Direction(PointF a, PointF b) const {
    const PointF d = Sub(b, a);
    return Mul(d, 1 / std::hypot(d.x, d.y));
  }
  PointF LeftNormal(PointF d) const { return PointF{-d.y * h_, d.x * h_}; }

  // Points on the circle of the pen around `c` from angle a0 over `sweep`
  // (radians, either way), the end points included.
  void ArcAround(PointF c, float a0, float sweep, std::vector<PointF>& out) const {
    const int n = std::clamp(static_cast<int>(std::ceil(std::fabs(sweep) / step_)), 1, 256);
    const bool whole = std::fabs(sweep) >= 2 * std::numbers::pi_v<float> - 1e-4f;
    for (int i = 0; i <= n - (whole ? 1 : 0); ++i) {
      const float a = a0 + sweep * static_cast<float>(i) / static_cast<float>(n);
      out.push_back(PointF{c.x + h_ * std::cos(a), c.y + h_ * std::sin(a)});
    }
  }

  // The left offset of `pts` walked forward, with the joins between
  // segments (and, closed, the one at the first point).
  void Side(const std::vector<PointF>& pts, bool closed, std::vector<PointF>& out) const {
    const size_t n = pts.size();
    const size_t segments = closed ? n : n - 1;
    for (size_t i = 0; i < segments; ++i) {
      const PointF a = pts[i], b = pts[(i + 1) % n];
      const PointF d = Direction(a, b);
      const PointF normal = LeftNormal(d);
      out.push_back(Add(a, normal));
      out.push_back(Add(b, normal));
      if (closed || i + 1 < segments) Join(a, b, pts[(i + 2) % n], out);
    }
  }

  // The join at `v` between the segments from `a` and to `b`; the last
  // point in `out` is the first segment's offset end.
  void Join(PointF a, PointF v, PointF b, std::vector<PointF>& out) const {
    const PointF d0 = Direction(a, v), d1 = Direction(v, b);
    const float cross = d0.x * d1.y - d0.y * d1.x;
    const float dot = d0.x * d1.x + d0.y * d1.y;
    if (std::fabs(cross) < 1e-6f && dot > 0) return;  // straight on
    const PointF n0 = LeftNormal(d0), n1 = LeftNormal(d1);
    if (cross > 0) {
      // The left side is the inside of this turn: the two offsets cross.
      // Cut both there, so the outline does not fold back over the stroke
      // (the fold would count twice in the edge pixels). Where the crossing
      // lies beyond either segment, pass through the vertex instead.
      const PointF start0 = Add(a, n0), start1 = Add(v, n1);
      const float denominator = d0.x * d1.y - d0.y * d1.x;
      const PointF gap = Sub(start1, start0);
      const float t = (gap.x * d1.y - gap.y * d1.x) / denominator;
      const float u = (gap.x * d0.y - gap.y * d0.x) / denominator;
      const float length0 = std::hypot(v.x - a.x, v.y - a.y), length1 = std::hypot(b.x - v.x, b.y - v.y);
      if (t >= 0 && t <= length0 && u >= 0 && u <= length1) {
        out.back() = Add(start0, Mul(d0, t));
      } else {
        out.push_back(v);
      }
      return;
    }
    switch (style_.join) {
      case LineJoin::Round: {
        const float a0 = std::atan2(n0.y, n0.x);
        float sweep = std::atan2(n1.y, n1.x) - a0;
        // The outer side turns the short way round, against the path's turn.
        while (sweep > 0) sweep -= 2 * std::numbers::pi_v<float>;
        if (sweep < -2 * std::numbers::pi_v<float> + 1e-6f) sweep = 0;
        ArcAround(v, a0, sweep, out);
        return;
      }
      case LineJoin::Miter: {
        const PointF sum = Add(n0, n1);
        const float sumLength = std::hypot(sum.x, sum.y);
        if (sumLength > 1e-6f) {
          const float cosHalf = (sum.x * n0.x + sum.y * n0.y) / (sumLength * h_);
          const float ratio = cosHalf > 1e-6f ? 1 / cosHalf : INFINITY;
          if (ratio <= std::max(style_.miterLimit, 1.0f)) out.push_back(Add(v, Mul(sum, h_ * ratio / sumLength)));
        }
        return;
      }
      case LineJoin::Bevel:
        return;  // the straight line between the two offsets
    }
  }

  // From the left offset at `end` (coming from `before`) round to the right one.
  void Cap(PointF before, PointF end, std::vector<PointF>& out) const {
    const PointF d = Direction(before, end);
    const PointF normal = LeftNormal(d);
    switch (style_.cap) {
      case LineCap::Flat:
        return;
      case LineCap::Square:
        out.push_back(Add(Add(end, normal), Mul(d, h_)));
        out.push_back(Add(Sub(end, normal), Mul(d, h_)));
        return;
      case LineCap::Round:
        // Forward of the end, from the left normal to the right one.
        ArcAround(end, std::atan2(normal.y, normal.x), -std::numbers::pi_v<float>, out);
        return;
    }
  }

  StrokeStyle style_;
  float h_;
  float step_ = 0.1f;
  std::vector<Polyline>& out_;
};

}  // namespace

std::vector<Polyline> FlattenPath(const Path& path, const Matrix3x2& transform) {
  Flattener flattener(transform);
  WalkFigures(path, flattener);
  return std::move(flattener.figures());
}

std::vector<Polyline> StrokePolygons(const std::vector<Polyline>& lines, const StrokeStyle& style) {
  std::vector<Polyline> out;
  if (!(style.width > 0) || !std::isfinite(style.width)) return out;
  StrokeBuilder builder(style, out);
  for (const Polyline& line : lines) builder.Line(line);
  return out;
}

void TransformPolylines(std::vector<Polyline>& lines, const Matrix3x2& m) {
  for (Polyline& line : lines) {
    for (PointF& p : line.points) p = m.Apply(p);
  }
}

PixelRect PolygonBounds(const std::vector<Polyline>& polygons, const PixelRect& limit) {
  float minX = 0, maxX = 0, minY = 0, maxY = 0;
  bool any = false;
  for (const Polyline& polygon : polygons) {
    for (const PointF& p : polygon.points) {
      if (!std::isfinite(p.x) || !std::isfinite(p.y)) continue;
      if (!any) minX = maxX = p.x, minY = maxY = p.y, any = true;
      minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
      minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
    }
  }
  if (!any || limit.empty()) return PixelRect{};
  constexpr float kFar = 1 << 24;
  const float left = std::floor(std::clamp(minX, -kFar, kFar)), top = std::floor(std::clamp(minY, -kFar, kFar));
  const float right = std::ceil(std::clamp(maxX, -kFar, kFar)), bottom = std::ceil(std::clamp(maxY, -kFar, kFar));
  const PixelRect bounds{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                         static_cast<int>(bottom - top)};
  const int l = std::max(bounds.left, limit.left), t = std::max(bounds.top, limit.top);
  const int r = std::min(bounds.left + bounds.width, limit.left + limit.width);
  const int b = std::min(bounds.top + bounds.height, limit.top + limit.height);
  if (r <= l || b <= t) return PixelRect{};
  return PixelRect{l, t, r - l, b - t};
}

void RasterizePolygons(const std::vector<Polyline>& polygons, const PixelRect& box, FillRule rule,
                       std::vector<float>& cells, std::vector<std::uint8_t>& coverage) {
  coverage.assign(static_cast<size_t>(std::max(box.width, 0)) * std::max(box.height, 0), 0);
  if (box.empty()) return;
  const int w = box.width, h = box.height;
  cells.assign(static_cast<size_t>(w + 2) * h, 0.0f);
  EdgeAccumulator edges(cells.data(), w, h);
  const float offsetX = static_cast<float>(box.left), offsetY = static_cast<float>(box.top);
  for (const Polyline& polygon : polygons) {
    const auto& points = polygon.points;
    for (size_t i = 0; i < points.size(); ++i) {
      const PointF& a = points[i];
      const PointF& b = points[(i + 1) % points.size()];
      edges.Line(PointF{a.x - offsetX, a.y - offsetY}, PointF{b.x - offsetX, b.y - offsetY});
    }
  }
  for (int y = 0; y < h; ++y) {
    const float* row = cells.data() + static_cast<size_t>(y) * (w + 2);
    std::uint8_t* out = coverage.data() + static_cast<size_t>(y) * w;
    float sum = 0;
    for (int x = 0; x < w; ++x) {
      sum += row[x];
      float c = std::fabs(sum);
      if (rule == FillRule::EvenOdd) {
        c = std::fmod(c, 2.0f);
        if (c > 1) c = 2 - c;
      } else {
        c = std::min(c, 1.0f);
      }
      out[x] = static_cast<std::uint8_t>(c * 255.0f + 0.5f);
    }
  }
}

}  // namespace orvane
