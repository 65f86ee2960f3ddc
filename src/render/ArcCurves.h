#pragma once
// Elliptical arcs in endpoint form (SVG, Direct2D) as cubic Bézier curves,
// for geometry back ends without arc segments (Wine's Direct2D drops them).

#include <vector>

#include "render/Canvas.h"

namespace orvane {

// Centre form of an elliptical arc: the unit circle scaled by the radii,
// rotated and moved to `center`, from angle `startRadians` turning by
// `sweepRadians` (positive = clockwise on screen).
struct ArcCenterForm {
  PointF center;
  float radiusX = 0, radiusY = 0, rotationRadians = 0;
  double startRadians = 0, sweepRadians = 0;
};

// The centre form of the arc from `from` to `segment.p1`. Radii too small to
// reach the end point are scaled up, as SVG and Direct2D do. Returns false
// when the arc degenerates to a straight line (a zero radius) or to nothing
// (end point equal to the start).
bool ToCenterForm(PointF from, const Path::Segment& segment, ArcCenterForm& out);

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
