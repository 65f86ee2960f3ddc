#pragma once
// Canvas paths as Direct2D path geometries. Shared by the Direct2D canvas and
// anything that hands a Path to the compositor as a Direct2D geometry.

#include <d2d1.h>
#include <windows.h>

#include "render/Canvas.h"
#include "platform/win32/ComPtr.h"

namespace orvane {

inline D2D1_POINT_2F ToD2D(PointF p) { return D2D1::Point2F(p.x, p.y); }
inline D2D1_RECT_F ToD2D(const RectF& r) { return D2D1::RectF(r.left, r.top, r.right, r.bottom); }
inline D2D1_COLOR_F ToD2D(Color c) { return D2D1::ColorF(c.r, c.g, c.b, c.a); }
inline D2D1_MATRIX_3X2_F ToD2D(const Matrix3x2& m) { return D2D1::Matrix3x2F(m.m11, m.m12, m.m21, m.m22, m.dx, m.dy); }

// Every figure is begun filled (a fill closes open figures implicitly) and
// filled with the alternate (even-odd) rule, Direct2D's default and the cairo
// canvas's rule. Arcs become arc segments, or cubic curves where the
// platform's arc segments do not draw (`nativeArcs` false; see D2DSupport).
// Throws HResultError.
ComPtr<ID2D1PathGeometry> CreatePathGeometry(ID2D1Factory* factory, const Path& path, bool nativeArcs = true);

}  // namespace orvane
