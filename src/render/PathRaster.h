#pragma once
// Outlines to pixels on the CPU: paths flattened into polygons, strokes
// turned into the polygons they cover, and polygons into 8-bit coverage by
// exact signed-area accumulation (the same antialiasing at every angle).

#include <cstdint>
#include <vector>

#include "render/Canvas.h"
#include "render/SoftBackdrop.h"

namespace orvane {

struct Polyline {
  std::vector<PointF> points;
  bool closed = false;
};

enum class FillRule { NonZero, EvenOdd };

// The path's figures under `transform`, curves and arcs split finely enough
// for the transformed size.
std::vector<Polyline> FlattenPath(const Path& path, const Matrix3x2& transform);

// The polygons a stroke of `style` along `lines` covers, all wound the same
// way (fill them with the non-zero rule). Zero-length figures with round or
// square caps make a dot, as on the other canvases.
std::vector<Polyline> StrokePolygons(const std::vector<Polyline>& lines, const StrokeStyle& style);

// The pixel box (inside `limit`) the polygons could touch; empty when none.
PixelRect PolygonBounds(const std::vector<Polyline>& polygons, const PixelRect& limit);

// Coverage of the closed polygons over `box`: box.width x box.height bytes,
// 0..255. `cells` is working space, resized as needed.
void RasterizePolygons(const std::vector<Polyline>& polygons, const PixelRect& box, FillRule rule,
                       std::vector<float>& cells, std::vector<std::uint8_t>& coverage);

// Applies `m` to every point.
void TransformPolylines(std::vector<Polyline>& lines, const Matrix3x2& m);

}  // namespace orvane
