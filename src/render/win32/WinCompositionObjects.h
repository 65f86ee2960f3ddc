#pragma once
// The composition model's objects over Windows.UI.Composition: each wraps
// the ABI interface(s) of one compositor object and forwards the setters.
// Every failing call throws HResultError. Created only by WinCompositor.

#include <memory>

#include "render/Composition.h"
#include "platform/win32/ComPtr.h"
#include "platform/win32/winrt/CompositionAbi.h"

namespace orvane {

// The ABI side of objects created by WinCompositor; used to unwrap the
// arguments of calls such as InsertAtTop or SetBrush.
class WinVisualAbi {
 public:
  virtual ~WinVisualAbi() = default;
  virtual winrt::IVisual* visualAbi() const = 0;
};
class WinBrushAbi {
 public:
  virtual ~WinBrushAbi() = default;
  virtual winrt::ICompositionBrush* brushAbi() const = 0;
};
class WinGeometryAbi {
 public:
  virtual ~WinGeometryAbi() = default;
  virtual winrt::ICompositionGeometry* geometryAbi() const = 0;
};

// Throw E_INVALIDARG for objects that another compositor made.
winrt::IVisual* VisualAbiOf(const Visual& visual);
winrt::ICompositionBrush* BrushAbiOf(const CompositionBrush& brush);
winrt::ICompositionGeometry* GeometryAbiOf(const Geometry& geometry);

winrt::Color ToAbiColor(Color color);
// Surfaces are at least 1 x 1 pixels.
winrt::SizeInt32 SurfaceSize(int width, int height);
Color FromAbiColor(winrt::Color color);

// Visual and ContainerVisual behaviour, shared by containers and sprites.
template <class Base>
class WinContainerBase : public Base, public WinVisualAbi {
 public:
  explicit WinContainerBase(ComPtr<winrt::IVisual> visual);

  winrt::IVisual* visualAbi() const override { return visual_.Get(); }

  void SetOffset(Vector3 offset) override;
  void SetSize(Vector2 size) override;
  void SetRelativeSizeAdjustment(Vector2 relative) override;
  void SetOpacity(float opacity) override;
  void SetIsVisible(bool visible) override;
  void SetScale(Vector3 scale) override;
  void SetRotationAngleInDegrees(float degrees) override;
  void SetCenterPoint(Vector3 center) override;
  void SetAnchorPoint(Vector2 anchor) override;
  void SetClip(std::shared_ptr<Clip> clip) override;
  Vector3 offset() const override;
  Vector2 size() const override;
  float opacity() const override;
  bool isVisible() const override;

  void InsertAtTop(std::shared_ptr<Visual> child) override;
  void InsertAtBottom(std::shared_ptr<Visual> child) override;
  void InsertAbove(std::shared_ptr<Visual> child, const std::shared_ptr<Visual>& sibling) override;
  void InsertBelow(std::shared_ptr<Visual> child, const std::shared_ptr<Visual>& sibling) override;
  void Remove(const std::shared_ptr<Visual>& child) override;
  void RemoveAll() override;
  size_t childCount() const override;

 protected:
  ComPtr<winrt::IVisual> visual_;

 private:
  winrt::IVisualCollection* children() const;

  ComPtr<winrt::IVisual2> visual2_;
  mutable ComPtr<winrt::IVisualCollection> children_;
  std::shared_ptr<Clip> clip_;  // keeps the clip's geometry wrapper alive with the visual
};

using WinContainerVisual = WinContainerBase<ContainerVisual>;

class WinSpriteVisual final : public WinContainerBase<SpriteVisual> {
 public:
  explicit WinSpriteVisual(ComPtr<winrt::ISpriteVisual> sprite);
  void SetBrush(std::shared_ptr<CompositionBrush> brush) override;

 private:
  ComPtr<winrt::ISpriteVisual> sprite_;
  std::shared_ptr<CompositionBrush> brush_;
};

class WinColorBrush final : public ColorBrush, public WinBrushAbi {
 public:
  explicit WinColorBrush(ComPtr<winrt::ICompositionColorBrush> brush);
  winrt::ICompositionBrush* brushAbi() const override { return base_.Get(); }
  void SetColor(Color color) override;
  Color color() const override;

 private:
  ComPtr<winrt::ICompositionColorBrush> brush_;
  ComPtr<winrt::ICompositionBrush> base_;
};

class WinSurfaceBrush final : public SurfaceBrush, public WinBrushAbi {
 public:
  WinSurfaceBrush(ComPtr<winrt::ICompositionSurfaceBrush> brush, std::shared_ptr<DrawingSurface> surface);
  winrt::ICompositionBrush* brushAbi() const override { return base_.Get(); }
  void SetStretch(Stretch stretch) override;
  void SetAlignment(float horizontalRatio, float verticalRatio) override;
  void SetSurface(std::shared_ptr<DrawingSurface> surface) override;
  std::shared_ptr<DrawingSurface> surface() const override { return surface_; }

 private:
  ComPtr<winrt::ICompositionSurfaceBrush> brush_;
  ComPtr<winrt::ICompositionBrush> base_;
  std::shared_ptr<DrawingSurface> surface_;
};

class WinNineGridBrush final : public NineGridBrush, public WinBrushAbi {
 public:
  WinNineGridBrush(ComPtr<winrt::ICompositionNineGridBrush> brush, std::shared_ptr<CompositionBrush> source);
  winrt::ICompositionBrush* brushAbi() const override { return base_.Get(); }
  void SetInsets(float left, float top, float right, float bottom) override;

 private:
  ComPtr<winrt::ICompositionNineGridBrush> brush_;
  ComPtr<winrt::ICompositionBrush> base_;
  std::shared_ptr<CompositionBrush> source_;
};

class WinBackdropBrush final : public BackdropBrush, public WinBrushAbi {
 public:
  explicit WinBackdropBrush(ComPtr<winrt::ICompositionBrush> brush) : brush_(std::move(brush)) {}
  winrt::ICompositionBrush* brushAbi() const override { return brush_.Get(); }

 private:
  ComPtr<winrt::ICompositionBrush> brush_;
};

class WinEffectBrush final : public EffectBrush, public WinBrushAbi {
 public:
  WinEffectBrush(ComPtr<winrt::ICompositionBrush> brush, std::shared_ptr<BackdropBrush> source)
      : brush_(std::move(brush)), source_(std::move(source)) {}
  winrt::ICompositionBrush* brushAbi() const override { return brush_.Get(); }

 private:
  ComPtr<winrt::ICompositionBrush> brush_;
  std::shared_ptr<BackdropBrush> source_;
};

class WinRoundedRectangleGeometry final : public RoundedRectangleGeometry, public WinGeometryAbi {
 public:
  explicit WinRoundedRectangleGeometry(ComPtr<winrt::ICompositionRoundedRectangleGeometry> geometry);
  winrt::ICompositionGeometry* geometryAbi() const override { return base_.Get(); }
  void SetCornerRadius(Vector2 radius) override;
  void SetSize(Vector2 size) override;
  void SetOffset(Vector2 offset) override;

 private:
  ComPtr<winrt::ICompositionRoundedRectangleGeometry> geometry_;
  ComPtr<winrt::ICompositionGeometry> base_;
};

class WinPathGeometry final : public PathGeometry, public WinGeometryAbi {
 public:
  // Turns a Path into a CompositionPath (Direct2D geometry -> geometry source).
  using PathMaker = std::function<ComPtr<winrt::ICompositionPath>(const Path&)>;

  WinPathGeometry(ComPtr<winrt::ICompositionPathGeometry> geometry, PathMaker makePath);
  winrt::ICompositionGeometry* geometryAbi() const override { return base_.Get(); }
  void SetPath(const Path& path) override;

 private:
  ComPtr<winrt::ICompositionPathGeometry> geometry_;
  ComPtr<winrt::ICompositionGeometry> base_;
  PathMaker makePath_;
};

class WinClip final : public Clip {
 public:
  WinClip(ComPtr<winrt::ICompositionClip> clip, std::shared_ptr<Geometry> geometry)
      : clip_(std::move(clip)), geometry_(std::move(geometry)) {}
  winrt::ICompositionClip* clipAbi() const { return clip_.Get(); }

 private:
  ComPtr<winrt::ICompositionClip> clip_;
  std::shared_ptr<Geometry> geometry_;
};

class WinDrawingSurface final : public DrawingSurface {
 public:
  WinDrawingSurface(ComPtr<winrt::ICompositionDrawingSurface> surface, int width, int height);
  int width() const override { return width_; }
  int height() const override { return height_; }
  void Resize(int width, int height) override;
  winrt::ICompositionDrawingSurface* surfaceAbi() const { return surface_.Get(); }

 private:
  ComPtr<winrt::ICompositionDrawingSurface> surface_;
  int width_;
  int height_;
};

class WinWindowTarget final : public WindowTarget {
 public:
  explicit WinWindowTarget(ComPtr<winrt::ICompositionTarget> target) : target_(std::move(target)) {}
  void SetRoot(std::shared_ptr<Visual> root) override;

 private:
  ComPtr<winrt::ICompositionTarget> target_;
  std::shared_ptr<Visual> root_;
};

// The composition surface behind one of our surfaces; null for null.
// Throws E_INVALIDARG for a surface of another compositor.
ComPtr<winrt::ICompositionSurface> CompositionSurfaceOf(const DrawingSurface* surface);

}  // namespace orvane
