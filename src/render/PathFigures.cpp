#include "render/PathFigures.h"

#include <optional>

namespace orvane {

void WalkFigures(const Path& path, FigureSink& sink) {
  std::optional<PointF> current;  // none until the first point
  PointF figureStart;
  bool open = false;

  for (const Path::Segment& segment : path.segments()) {
    switch (segment.verb) {
      case Path::Verb::MoveTo:
        if (open) sink.EndFigure(false);
        open = false;
        current = segment.p1;
        break;
      case Path::Verb::Close:
        if (open) {
          sink.EndFigure(true);
          open = false;
          current = figureStart;
        }
        break;
      case Path::Verb::LineTo:
      case Path::Verb::ArcTo:
      case Path::Verb::QuadTo:
      case Path::Verb::CubicTo: {
        if (!open) {
          figureStart = current.value_or(segment.p1);
          sink.BeginFigure(figureStart);
          open = true;
        }
        sink.AddSegment(segment);
        switch (segment.verb) {
          case Path::Verb::QuadTo: current = segment.p2; break;
          case Path::Verb::CubicTo: current = segment.p3; break;
          default: current = segment.p1; break;
        }
        break;
      }
    }
  }
  if (open) sink.EndFigure(false);
}

}  // namespace orvane
