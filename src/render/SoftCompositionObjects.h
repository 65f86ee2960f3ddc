#pragma once
// The software compositor's objects: plain records of the properties the
// platform compositor keeps, plus the tree links. SoftCompositor creates
// them; SoftRender reads them to draw a frame.

#include <cstdint>
#include <memory>
#include <source_location>
#include <vector>

#include "render/Composition.h"
#include "render/SoftBackdrop.h"

namespace orvane {

// --- Surfaces -----------------------------------------------------------------

// Largest surface side, as the platform's largest texture.
inline constexpr int kMaxSoftSurfaceSide = 16384;

class SoftDrawingSurface final : public DrawingSurface {
 public:
  SoftDrawingSurface(int width, int height);  // throws HResultError beyond kMaxSoftSurfaceSide

  int width() const override { return width_; }
  int height() const override { return height_; }
  // A new, transparent buffer.
  void Resize(int width, int height) override;

  std::uint8_t* pixels() { return pixels_.data(); }
  int stride() const { return width_ * 4; }
  BitmapView view() const { return BitmapView{width_, height_, stride(), pixels_.data()}; }

  // Changes whenever the pixels may have: after each Resize and each
  // MarkChanged (called by whoever writes through pixels()). Unique across
  // surfaces, so a frame can tell one surface's picture from another's.
  std::uint64_t version() const { return version_; }
  void MarkChanged();

 private:
  std::uint64_t version_ = 0;
  int width_ = 1;
  int height_ = 1;
  std::vector<std::uint8_t> pixels_;
};

// --- Brushes ------------------------------------------------------------------

class SoftColorBrush final : public ColorBrush {
 public:
  explicit SoftColorBrush(Color color) : color_(color) {}
  void SetColor(Color color) override { color_ = color; }
  Color color() const override { return color_; }

 private:
  Color color_;
};

class SoftSurfaceBrush final : public SurfaceBrush {
 public:
  explicit SoftSurfaceBrush(std::shared_ptr<DrawingSurface> surface);
  void SetSurface(std::shared_ptr<DrawingSurface> surface) override;
  void SetStretch(Stretch stretch) override { stretch_ = stretch; }
  void SetAlignment(float horizontalRatio, float verticalRatio) override {
    horizontal_ = horizontalRatio;
    vertical_ = verticalRatio;
  }
  std::shared_ptr<DrawingSurface> surface() const override { return surface_; }

  const SoftDrawingSurface* softSurface() const { return soft_; }
  Stretch stretch() const { return stretch_; }
  float horizontalRatio() const { return horizontal_; }
  float verticalRatio() const { return vertical_; }

 private:
  std::shared_ptr<DrawingSurface> surface_;
  const SoftDrawingSurface* soft_ = nullptr;
  // The platform's defaults.
  Stretch stretch_ = Stretch::Fill;
  float horizontal_ = 0.5f;
  float vertical_ = 0.5f;
};

struct NineGridInsets {
  float left = 0, top = 0, right = 0, bottom = 0;
};

class SoftNineGridBrush final : public NineGridBrush {
 public:
  explicit SoftNineGridBrush(std::shared_ptr<CompositionBrush> source) : source_(std::move(source)) {}
  void SetInsets(float left, float top, float right, float bottom) override { insets_ = {left, top, right, bottom}; }

  const CompositionBrush* source() const { return source_.get(); }
  const NineGridInsets& insets() const { return insets_; }

 private:
  std::shared_ptr<CompositionBrush> source_;
  NineGridInsets insets_;
};

class SoftBackdropBrush final : public BackdropBrush {};

class SoftEffectBrush final : public EffectBrush {
 public:
  SoftEffectBrush(std::shared_ptr<BackdropBrush> backdrop, float blurAmount, float saturation);

  float blurAmount() const { return blurAmount_; }  // already raised to the floor
  float saturation() const { return saturation_; }
  // The last processed region; filled while rendering.
  BackdropCache& cache() const { return cache_; }

 private:
  std::shared_ptr<BackdropBrush> backdrop_;
  float blurAmount_;
  float saturation_;
  mutable BackdropCache cache_;
};

// --- Geometry and clips -------------------------------------------------------

// What a clip needs from a geometry: its outline in the visual's coordinates
// (empty when the geometry covers nothing).
class SoftShape {
 public:
  virtual ~SoftShape() = default;
  virtual Path Outline() const = 0;
};

class SoftRoundedRectangleGeometry final : public RoundedRectangleGeometry, public SoftShape {
 public:
  void SetCornerRadius(Vector2 radius) override { radius_ = radius; }
  void SetSize(Vector2 size) override { size_ = size; }
  void SetOffset(Vector2 offset) override { offset_ = offset; }
  Path Outline() const override;

 private:
  Vector2 radius_;
  Vector2 size_;
  Vector2 offset_;
};

class SoftPathGeometry final : public PathGeometry, public SoftShape {
 public:
  void SetPath(const Path& path) override { path_ = path; }
  Path Outline() const override { return path_; }

 private:
  Path path_;
};

class SoftGeometricClip final : public Clip {
 public:
  explicit SoftGeometricClip(std::shared_ptr<Geometry> geometry);
  // Null when the clip has no geometry (it then clips nothing).
  const SoftShape* shape() const { return shape_; }

 private:
  std::shared_ptr<Geometry> geometry_;
  const SoftShape* shape_ = nullptr;
};

// --- Visuals ------------------------------------------------------------------

struct SoftVisualProperties {
  Vector3 offset;
  Vector2 size;
  Vector2 relativeSize;
  float opacity = 1;
  bool visible = true;
  Vector3 scale{1, 1, 1};
  float rotationDegrees = 0;
  Vector3 centerPoint;
  Vector2 anchorPoint;
};

// The tree side of every visual: properties, children and the one place it
// hangs (a parent or a window target), as the platform allows only one.
class SoftVisualNode {
 public:
  struct Child {
    std::shared_ptr<Visual> visual;
    SoftVisualNode* node;
  };

  virtual ~SoftVisualNode();

  const SoftVisualProperties& properties() const { return properties_; }
  const std::vector<Child>& children() const { return children_; }  // bottom to top
  const SoftGeometricClip* clip() const { return clip_.get(); }
  virtual const CompositionBrush* brush() const { return nullptr; }

  bool attached() const { return parent_ != nullptr || holder_ != nullptr; }
  // For window targets: marks the node as a target's root (nullptr releases it).
  void SetHolder(const void* holder) { holder_ = holder; }
  const void* holder() const { return holder_; }

 protected:
  void InsertChild(std::shared_ptr<Visual> child, size_t position);
  size_t PositionOf(const std::shared_ptr<Visual>& sibling) const;  // throws when not a child
  void RemoveChild(const std::shared_ptr<Visual>& child);
  void RemoveAllChildren();
  void SetClipObject(std::shared_ptr<Clip> clip);

  SoftVisualProperties properties_;
  std::vector<Child> children_;

 private:
  SoftVisualNode* parent_ = nullptr;
  const void* holder_ = nullptr;
  std::shared_ptr<SoftGeometricClip> clip_;
};

// The node of a visual made by a SoftCompositor; throws E_INVALIDARG for
// visuals of another compositor.
SoftVisualNode& SoftNodeOf(Visual& visual);

template <class Base>
class SoftVisual : public Base, public SoftVisualNode {
 public:
  void SetOffset(Vector3 offset) override { properties_.offset = offset; }
  void SetSize(Vector2 size) override { properties_.size = size; }
  void SetRelativeSizeAdjustment(Vector2 relative) override { properties_.relativeSize = relative; }
  void SetOpacity(float opacity) override { properties_.opacity = opacity; }
  void SetIsVisible(bool visible) override { properties_.visible = visible; }
  void SetScale(Vector3 scale) override { properties_.scale = scale; }
  void SetRotationAngleInDegrees(float degrees) override { properties_.rotationDegrees = degrees; }
  void SetCenterPoint(Vector3 center) override { properties_.centerPoint = center; }
  void SetAnchorPoint(Vector2 anchor) override { properties_.anchorPoint = anchor; }
  void SetClip(std::shared_ptr<Clip> clip) override { SetClipObject(std::move(clip)); }

  Vector3 offset() const override { return properties_.offset; }
  Vector2 size() const override { return properties_.size; }
  float opacity() const override { return properties_.opacity; }
  bool isVisible() const override { return properties_.visible; }

  void InsertAtTop(std::shared_ptr<Visual> child) override { InsertChild(std::move(child), children_.size()); }
  void InsertAtBottom(std::shared_ptr<Visual> child) override { InsertChild(std::move(child), 0); }
  void InsertAbove(std::shared_ptr<Visual> child, const std::shared_ptr<Visual>& sibling) override {
    InsertChild(std::move(child), PositionOf(sibling) + 1);
  }
  void InsertBelow(std::shared_ptr<Visual> child, const std::shared_ptr<Visual>& sibling) override {
    InsertChild(std::move(child), PositionOf(sibling));
  }
  void Remove(const std::shared_ptr<Visual>& child) override { RemoveChild(child); }
  void RemoveAll() override { RemoveAllChildren(); }
  size_t childCount() const override { return children_.size(); }
};

using SoftContainerVisual = SoftVisual<ContainerVisual>;

class SoftSpriteVisual final : public SoftVisual<SpriteVisual> {
 public:
  void SetBrush(std::shared_ptr<CompositionBrush> brush) override;
  const CompositionBrush* brush() const override { return brush_.get(); }

 private:
  std::shared_ptr<CompositionBrush> brush_;
};

// --- Window targets -----------------------------------------------------------

class SoftWindowTarget final : public WindowTarget {
 public:
  SoftWindowTarget(NativeWindow window, bool topmost) : window_(window), topmost_(topmost) {}
  ~SoftWindowTarget() override;

  void SetRoot(std::shared_ptr<Visual> root) override;

  NativeWindow window() const { return window_; }
  bool topmost() const { return topmost_; }
  const SoftVisualNode* root() const { return rootNode_; }

 private:
  NativeWindow window_;
  bool topmost_;
  std::shared_ptr<Visual> root_;
  SoftVisualNode* rootNode_ = nullptr;
};

// The HRESULTs these objects throw (the platform's values).
inline constexpr std::int32_t kSoftInvalidArg = static_cast<std::int32_t>(0x80070057u);   // E_INVALIDARG
inline constexpr std::int32_t kSoftOutOfMemory = static_cast<std::int32_t>(0x8007000Eu);  // E_OUTOFMEMORY
inline constexpr std::int32_t kSoftNotImplemented = static_cast<std::int32_t>(0x80004001u);  // E_NOTIMPL
// DCOMPOSITION_ERROR_WINDOW_ALREADY_COMPOSED: the window already has such a target.
inline constexpr std::int32_t kSoftWindowAlreadyComposed = static_cast<std::int32_t>(0x88980800u);

[[noreturn]] void ThrowSoftError(std::int32_t code, const wchar_t* what,
                                 std::source_location where = std::source_location::current());

}  // namespace orvane
