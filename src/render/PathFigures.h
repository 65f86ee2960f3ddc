#pragma once
// Splits a Path into figures for geometry APIs that want each figure opened
// at a start point and ended open or closed (Direct2D's geometry sink).
//
// The rules follow the cairo canvas, so both backends draw the same shape:
// MoveTo only records where the next figure starts (a MoveTo without drawing
// after it makes nothing); a drawing segment with no current point starts at
// its own first point; after Close the current point is the closed figure's
// start, so drawing on continues from there in a new figure.

#include "render/Canvas.h"

namespace orvane {

class FigureSink {
 public:
  virtual ~FigureSink() = default;
  virtual void BeginFigure(PointF start) = 0;
  // LineTo, ArcTo, QuadTo or CubicTo, in the segment's own fields.
  virtual void AddSegment(const Path::Segment& segment) = 0;
  virtual void EndFigure(bool closed) = 0;
};

void WalkFigures(const Path& path, FigureSink& sink);

}  // namespace orvane
