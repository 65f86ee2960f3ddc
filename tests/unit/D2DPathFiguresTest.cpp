#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "render/PathFigures.h"

namespace orvane {
namespace {

// Writes the figures as "B(x,y) L(x,y) ... E|" (E| open, E. closed).
class RecordingSink : public FigureSink {
 public:
  void BeginFigure(PointF start) override { out << "B(" << start.x << ',' << start.y << ") "; }
  void AddSegment(const Path::Segment& s) override {
    switch (s.verb) {
      case Path::Verb::LineTo: out << "L(" << s.p1.x << ',' << s.p1.y << ") "; break;
      case Path::Verb::ArcTo: out << "A(" << s.p1.x << ',' << s.p1.y << ") "; break;
      case Path::Verb::QuadTo: out << "Q(" << s.p2.x << ',' << s.p2.y << ") "; break;
      case Path::Verb::CubicTo: out << "C(" << s.p3.x << ',' << s.p3.y << ") "; break;
      default: out << "?? "; break;
    }
  }
  void EndFigure(bool closed) override { out << (closed ? "E. " : "E| "); }
  std::ostringstream out;
};

std::string Walk(const Path& path) {
  RecordingSink sink;
  WalkFigures(path, sink);
  return sink.out.str();
}

TEST(D2DPathFiguresTest, SplitsPathsIntoFigures) {
  struct Case {
    const char* name;
    Path path;
    std::string figures;
  };
  const Case cases[] = {
      {"closed triangle", Path().MoveTo({0, 0}).LineTo({10, 0}).LineTo({10, 10}).Close(),
       "B(0,0) L(10,0) L(10,10) E. "},
      {"two open figures", Path().MoveTo({0, 0}).LineTo({1, 1}).MoveTo({5, 5}).LineTo({6, 6}),
       "B(0,0) L(1,1) E| B(5,5) L(6,6) E| "},
      {"only the last of several moves counts", Path().MoveTo({0, 0}).MoveTo({3, 4}).LineTo({5, 5}),
       "B(3,4) L(5,5) E| "},
      {"drawing without a current point starts at its own point", Path().LineTo({7, 8}).LineTo({9, 9}),
       "B(7,8) L(7,8) L(9,9) E| "},
      {"drawing on after close starts at the closed figure's start",
       Path().MoveTo({1, 1}).LineTo({4, 1}).Close().LineTo({1, 5}), "B(1,1) L(4,1) E. B(1,1) L(1,5) E| "},
      {"curves move the current point to their end",
       Path().MoveTo({0, 0}).QuadTo({1, 1}, {2, 0}).CubicTo({3, 1}, {4, 1}, {5, 0}).Close().MoveTo({9, 9}),
       "B(0,0) Q(2,0) C(5,0) E. "},
      {"arc figure", Path().MoveTo({0, 0}).ArcTo({10, 10}, 10, 10, true, false), "B(0,0) A(10,10) E| "},
      {"nothing drawn", Path().MoveTo({1, 1}).Close().MoveTo({2, 2}), ""},
      {"empty", Path(), ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Walk(c.path), c.figures) << c.name;
  }
}

}  // namespace
}  // namespace orvane
