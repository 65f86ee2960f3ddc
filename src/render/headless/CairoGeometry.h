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

}  // namespace orvane
