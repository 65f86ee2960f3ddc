#pragma once
// The composition model: a retained tree of visuals that the system
// compositor (Windows.UI.Composition on Windows) or the software compositor
// (Linux, and Windows systems without the compositor) renders.
//
// Objects are created by a Compositor and held by shared_ptr; a visual tree
// hangs under a WindowTarget's root. Every setter either takes effect or
// throws HResultError (app/Errors.h), matching the platform's behaviour.
// All calls happen on the UI thread.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "render/Canvas.h"

namespace orvane {

struct Vector2 {
  float x = 0, y = 0;
  bool operator==(const Vector2&) const = default;
};

struct Vector3 {
  float x = 0, y = 0, z = 0;
  bool operator==(const Vector3&) const = default;
};

class Compositor;

// --- Surfaces -----------------------------------------------------------------

// A premultiplied BGRA drawing surface of integer pixel size (at least 1 x 1).
class DrawingSurface {
 public:
  virtual ~DrawingSurface() = default;
  virtual int width() const = 0;
  virtual int height() const = 0;
  // New size (each clamped to at least 1); the content is undefined after.
  virtual void Resize(int width, int height) = 0;
};

// --- Brushes ------------------------------------------------------------------

class CompositionBrush {
 public:
  virtual ~CompositionBrush() = default;
};

class ColorBrush : public CompositionBrush {
 public:
  virtual void SetColor(Color color) = 0;
  virtual Color color() const = 0;
};

enum class Stretch { None, Fill, Uniform, UniformToFill };

class SurfaceBrush : public CompositionBrush {
 public:
  virtual void SetStretch(Stretch stretch) = 0;
  // Where the surface sits inside the visual when it does not fill it
  // (0 = left/top, 0.5 = centre, 1 = right/bottom).
  virtual void SetAlignment(float horizontalRatio, float verticalRatio) = 0;
  // Shows another surface of the same compositor; nullptr shows nothing.
  virtual void SetSurface(std::shared_ptr<DrawingSurface> surface) = 0;
  virtual std::shared_ptr<DrawingSurface> surface() const = 0;
};

// Stretches a source brush keeping the inset margins unscaled.
class NineGridBrush : public CompositionBrush {
 public:
  virtual void SetInsets(float left, float top, float right, float bottom) = 0;
};

// The blurred host backdrop (what lies behind the window), or the effect
// brush built over it: host backdrop -> saturation -> Gaussian blur.
class BackdropBrush : public CompositionBrush {};
class EffectBrush : public CompositionBrush {};

// --- Geometry and clips -------------------------------------------------------

class Geometry {
 public:
  virtual ~Geometry() = default;
};

class RoundedRectangleGeometry : public Geometry {
 public:
  virtual void SetCornerRadius(Vector2 radius) = 0;
  virtual void SetSize(Vector2 size) = 0;
  virtual void SetOffset(Vector2 offset) = 0;
};

class PathGeometry : public Geometry {
 public:
  virtual void SetPath(const Path& path) = 0;
};

class Clip {
 public:
  virtual ~Clip() = default;
};

// --- Visuals ------------------------------------------------------------------

class Visual {
 public:
  virtual ~Visual() = default;
  virtual void SetOffset(Vector3 offset) = 0;
  virtual void SetSize(Vector2 size) = 0;
  // Size as a fraction of the parent's size, added to the absolute size.
  virtual void SetRelativeSizeAdjustment(Vector2 relative) = 0;
  virtual void SetOpacity(float opacity) = 0;
  virtual void SetIsVisible(bool visible) = 0;
  virtual void SetScale(Vector3 scale) = 0;
  virtual void SetRotationAngleInDegrees(float degrees) = 0;
  virtual void SetCenterPoint(Vector3 center) = 0;
  virtual void SetAnchorPoint(Vector2 anchor) = 0;
  virtual void SetClip(std::shared_ptr<Clip> clip) = 0;  // nullptr removes it

  virtual Vector3 offset() const = 0;
  virtual Vector2 size() const = 0;
  virtual float opacity() const = 0;
  virtual bool isVisible() const = 0;
};

class ContainerVisual : public Visual {
 public:
  // Children are drawn bottom to top.
  virtual void InsertAtTop(std::shared_ptr<Visual> child) = 0;
  virtual void InsertAtBottom(std::shared_ptr<Visual> child) = 0;
  virtual void InsertAbove(std::shared_ptr<Visual> child, const std::shared_ptr<Visual>& sibling) = 0;
  virtual void InsertBelow(std::shared_ptr<Visual> child, const std::shared_ptr<Visual>& sibling) = 0;
  virtual void Remove(const std::shared_ptr<Visual>& child) = 0;
  virtual void RemoveAll() = 0;
  virtual size_t childCount() const = 0;
};

class SpriteVisual : public ContainerVisual {
 public:
  virtual void SetBrush(std::shared_ptr<CompositionBrush> brush) = 0;  // nullptr shows nothing
};

// The composition target of one window: what the window shows.
class WindowTarget {
 public:
  virtual ~WindowTarget() = default;
  virtual void SetRoot(std::shared_ptr<Visual> root) = 0;
};

// Opaque platform window handle (HWND on Windows).
using NativeWindow = std::uintptr_t;

// --- The compositor -----------------------------------------------------------

class Compositor {
 public:
  virtual ~Compositor() = default;

  virtual std::shared_ptr<ContainerVisual> CreateContainerVisual() = 0;
  virtual std::shared_ptr<SpriteVisual> CreateSpriteVisual() = 0;
  virtual std::shared_ptr<ColorBrush> CreateColorBrush(Color color) = 0;
  // A null surface gives a brush that shows nothing until SetSurface.
  virtual std::shared_ptr<SurfaceBrush> CreateSurfaceBrush(std::shared_ptr<DrawingSurface> surface) = 0;
  virtual std::shared_ptr<NineGridBrush> CreateNineGridBrush(std::shared_ptr<CompositionBrush> source) = 0;
  virtual std::shared_ptr<RoundedRectangleGeometry> CreateRoundedRectangleGeometry() = 0;
  virtual std::shared_ptr<PathGeometry> CreatePathGeometry() = 0;
  virtual std::shared_ptr<Clip> CreateGeometricClip(std::shared_ptr<Geometry> geometry) = 0;

  // Throws when the system offers no host backdrop (callers fall back to a tint).
  virtual std::shared_ptr<BackdropBrush> CreateHostBackdropBrush() = 0;
  // source -> saturation -> Gaussian blur of max(blurAmount, 4) pixels. Throws on failure.
  virtual std::shared_ptr<EffectBrush> CreateBackdropEffectBrush(std::shared_ptr<BackdropBrush> backdrop,
                                                                 float blurAmount, float saturation) = 0;

  // Creates the target of a window (Windows: sets DWMWA_USE_HOSTBACKDROPBRUSH first).
  virtual std::shared_ptr<WindowTarget> CreateWindowTarget(NativeWindow window, bool topmost) = 0;

  // A premultiplied BGRA surface of max(w, 1) x max(h, 1) pixels.
  virtual std::shared_ptr<DrawingSurface> CreateDrawingSurface(int width, int height) = 0;

  // The one way anything is drawn into a surface: clears the area
  // (0, 0, widthPx, heightPx) to transparent, clips to it and calls draw.
  // On failure logs "Surface draw failed: 0x%08X", sets deviceLost for the
  // device-loss codes, and returns false.
  virtual bool DrawSurface(DrawingSurface& surface, int widthPx, int heightPx,
                           const std::function<void(Canvas&)>& draw) = 0;
  // Uploads width x height premultiplied BGRA pixels (row pitch width x 4) at (0, 0).
  virtual bool DrawPixels(DrawingSurface& surface, int width, int height, const std::uint8_t* pixels) = 0;

  // Set by DrawSurface on device loss; read and cleared by the frame step's recovery.
  bool deviceLost = false;
};

// The HRESULTs that mean the graphics device is gone and must be rebuilt.
inline constexpr std::int32_t kDxgiErrorDeviceRemoved = static_cast<std::int32_t>(0x887A0005u);
inline constexpr std::int32_t kDxgiErrorDeviceReset = static_cast<std::int32_t>(0x887A0007u);
inline constexpr std::int32_t kD2dErrRecreateTarget = static_cast<std::int32_t>(0x8899000Cu);
bool IsDeviceLossCode(std::int32_t hr);

// The common tail of the surface-draw routine: logs the failure and flags
// device loss for the codes above. Returns false for the caller to pass on.
bool ReportSurfaceDrawFailure(Compositor& compositor, std::int32_t hr);

}  // namespace orvane
