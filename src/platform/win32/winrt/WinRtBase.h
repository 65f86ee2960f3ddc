#pragma once
// Value types and enums shared by the hand-declared WinRT ABI interfaces in
// this folder. The mingw-w64 headers lack them; layouts follow the public
// Windows metadata (Windows.Foundation.Numerics, Windows.UI.Color,
// Windows.Graphics.SizeInt32, Windows.Graphics.DirectX) as written in the
// Wine project's public IDL files.
//
// Every interface declared here lists its methods in vtable order. Methods
// the program never calls are declared too, so the slots after them line up.
// No two methods of one interface share a name: compilers group overloaded
// virtual functions differently, and the ABI has no overloads anyway.

#include <windows.h>
#include <eventtoken.h>
#include <inspectable.h>
#include <winstring.h>

#include <cstdint>

namespace orvane::winrt {

// Windows.Foundation.Numerics
struct Vector2 {
  float X, Y;
};
struct Vector3 {
  float X, Y, Z;
};
struct Vector4 {
  float X, Y, Z, W;
};
struct Quaternion {
  float X, Y, Z, W;
};
struct Matrix3x2 {
  float M11, M12, M21, M22, M31, M32;
};
struct Matrix4x4 {
  float M11, M12, M13, M14, M21, M22, M23, M24, M31, M32, M33, M34, M41, M42, M43, M44;
};

// Windows.Foundation.Size (DIP floats) and the Windows.Graphics integer types.
struct FoundationSize {
  float Width, Height;
};
struct SizeInt32 {
  std::int32_t Width, Height;
};
struct PointInt32 {
  std::int32_t X, Y;
};
struct RectInt32 {
  std::int32_t X, Y, Width, Height;
};

// Windows.UI.Color: alpha first.
struct Color {
  BYTE A, R, G, B;
};

// Windows.Graphics.DirectX (values as DXGI_FORMAT).
enum DirectXPixelFormat : std::int32_t {
  DirectXPixelFormat_B8G8R8A8UIntNormalized = 87,
};
enum DirectXAlphaMode : std::int32_t {
  DirectXAlphaMode_Unspecified = 0,
  DirectXAlphaMode_Premultiplied = 1,
  DirectXAlphaMode_Straight = 2,
  DirectXAlphaMode_Ignore = 3,
};

// Windows.UI.Composition enums.
enum CompositionBackfaceVisibility : std::int32_t {};
enum CompositionBorderMode : std::int32_t {};
enum CompositionCompositeMode : std::int32_t {};
enum CompositionBatchTypes : std::int32_t {};
enum CompositionEffectFactoryLoadStatus : std::int32_t {};
enum CompositionBitmapInterpolationMode : std::int32_t {};
enum CompositionStretch : std::int32_t {
  CompositionStretch_None = 0,
  CompositionStretch_Fill = 1,
  CompositionStretch_Uniform = 2,
  CompositionStretch_UniformToFill = 3,
};

// Windows.Graphics.Effects: how a named property maps onto a D2D property.
enum GRAPHICS_EFFECT_PROPERTY_MAPPING : std::int32_t {};

}  // namespace orvane::winrt
