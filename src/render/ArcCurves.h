#pragma once
// Elliptical arcs in endpoint form (SVG, Direct2D) as cubic Bézier curves,
// for geometry back ends without arc segments (Wine's Direct2D drops them).

#include <vector>

#include "render/Canvas.h"

namespace orvane {

struct CubicCurve {
  PointF control1;
  PointF control2;
  PointF end;
};

// The arc of an ArcTo segment drawn from `start`, in pieces of at most 90
// degrees; the last piece ends exactly at the segment's end point. As in SVG:
// an arc to its own start point is nothing, a zero radius makes a straight
// line (one curve along it), and radii too small to reach the end point are
// scaled up just enough.
std::vector<CubicCurve> ArcToCubics(PointF start, const Path::Segment& arc);

}  // namespace orvane
