#pragma once
// Translation of the Canvas types into cairo state: paths (elliptical arcs in
// endpoint form turned into centre form, quadratic curves into cubic ones),
// paints and stroke styles.

#include <cairo.h>

#include "render/Canvas.h"

namespace orvane {

cairo_matrix_t ToCairoMatrix(const Matrix3x2& m);

// Appends the path's figures to the current cairo path, in user coordinates.
void AppendPath(cairo_t* cr, const Path& path);

// Makes `paint` the source. Gradients are placed in the current user space.
void SetSource(cairo_t* cr, const Paint& paint);

void SetStrokeStyle(cairo_t* cr, const StrokeStyle& stroke);

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

}  // namespace orvane
