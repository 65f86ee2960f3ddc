#include "render/win32/D2DGeometry.h"

#include "render/ArcCurves.h"
#include "render/PathFigures.h"

namespace orvane {
namespace {

class GeometrySinkAdapter final : public FigureSink {
 public:
  GeometrySinkAdapter(ID2D1GeometrySink* sink, bool nativeArcs) : sink_(sink), nativeArcs_(nativeArcs) {}

  void BeginFigure(PointF start) override {
    sink_->BeginFigure(ToD2D(start), D2D1_FIGURE_BEGIN_FILLED);
    current_ = start;
  }
  void AddSegment(const Path::Segment& s) override {
    switch (s.verb) {
      case Path::Verb::LineTo: sink_->AddLine(ToD2D(s.p1)); break;
      case Path::Verb::ArcTo: {
        if (!nativeArcs_) {
          for (const CubicCurve& c : ArcToCubics(current_, s)) {
            const D2D1_BEZIER_SEGMENT cubic{ToD2D(c.control1), ToD2D(c.control2), ToD2D(c.end)};
            sink_->AddBezier(&cubic);
          }
          break;
        }
        D2D1_ARC_SEGMENT arc{};
        arc.point = ToD2D(s.p1);
        arc.size = D2D1::SizeF(s.radiusX, s.radiusY);
        arc.rotationAngle = s.rotationDegrees;
        arc.sweepDirection = s.clockwise ? D2D1_SWEEP_DIRECTION_CLOCKWISE : D2D1_SWEEP_DIRECTION_COUNTER_CLOCKWISE;
        arc.arcSize = s.largeArc ? D2D1_ARC_SIZE_LARGE : D2D1_ARC_SIZE_SMALL;
        sink_->AddArc(&arc);
        break;
      }
      case Path::Verb::QuadTo: {
        const D2D1_QUADRATIC_BEZIER_SEGMENT quad{ToD2D(s.p1), ToD2D(s.p2)};
        sink_->AddQuadraticBezier(&quad);
        break;
      }
      case Path::Verb::CubicTo: {
        const D2D1_BEZIER_SEGMENT cubic{ToD2D(s.p1), ToD2D(s.p2), ToD2D(s.p3)};
        sink_->AddBezier(&cubic);
        break;
      }
      default: break;
    }
    current_ = s.verb == Path::Verb::QuadTo ? s.p2 : s.verb == Path::Verb::CubicTo ? s.p3 : s.p1;
  }
  void EndFigure(bool closed) override { sink_->EndFigure(closed ? D2D1_FIGURE_END_CLOSED : D2D1_FIGURE_END_OPEN); }

 private:
  ID2D1GeometrySink* sink_;
  bool nativeArcs_;
  PointF current_;
};

}  // namespace

ComPtr<ID2D1PathGeometry> CreatePathGeometry(ID2D1Factory* factory, const Path& path, bool nativeArcs) {
  ComPtr<ID2D1PathGeometry> geometry;
  ThrowIfFailed(factory->CreatePathGeometry(geometry.Put()));
  ComPtr<ID2D1GeometrySink> sink;
  ThrowIfFailed(geometry->Open(sink.Put()));
  sink->SetFillMode(D2D1_FILL_MODE_ALTERNATE);
  GeometrySinkAdapter adapter(sink.Get(), nativeArcs);
  WalkFigures(path, adapter);
  ThrowIfFailed(sink->Close());
  return geometry;
}

}  // namespace orvane
