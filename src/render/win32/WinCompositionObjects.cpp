#include "render/win32/WinCompositionObjects.h"

#include <algorithm>

#include "app/win32/HResult.h"
#include "render/ColorArgb.h"

namespace orvane {
namespace {

winrt::Vector2 Abi(Vector2 v) { return {v.x, v.y}; }
winrt::Vector3 Abi(Vector3 v) { return {v.x, v.y, v.z}; }

}  // namespace

winrt::IVisual* VisualAbiOf(const Visual& visual) {
  const auto* abi = dynamic_cast<const WinVisualAbi*>(&visual);
  if (abi == nullptr) ThrowHResult(E_INVALIDARG);
  return abi->visualAbi();
}

winrt::ICompositionBrush* BrushAbiOf(const CompositionBrush& brush) {
  const auto* abi = dynamic_cast<const WinBrushAbi*>(&brush);
  if (abi == nullptr) ThrowHResult(E_INVALIDARG);
  return abi->brushAbi();
}

winrt::ICompositionGeometry* GeometryAbiOf(const Geometry& geometry) {
  const auto* abi = dynamic_cast<const WinGeometryAbi*>(&geometry);
  if (abi == nullptr) ThrowHResult(E_INVALIDARG);
  return abi->geometryAbi();
}

winrt::Color ToAbiColor(Color color) {
  const std::uint32_t argb = ToArgb(color);
  return {static_cast<BYTE>(argb >> 24), static_cast<BYTE>(argb >> 16), static_cast<BYTE>(argb >> 8),
          static_cast<BYTE>(argb)};
}

winrt::SizeInt32 SurfaceSize(int width, int height) { return {std::max(width, 1), std::max(height, 1)}; }

Color FromAbiColor(winrt::Color color) {
  return Color::FromArgb((static_cast<std::uint32_t>(color.A) << 24) | (static_cast<std::uint32_t>(color.R) << 16) |
                         (static_cast<std::uint32_t>(color.G) << 8) | color.B);
}

// --- Visuals ------------------------------------------------------------------

template <class Base>
WinContainerBase<Base>::WinContainerBase(ComPtr<winrt::IVisual> visual) : visual_(std::move(visual)) {}

template <class Base>
void WinContainerBase<Base>::SetOffset(Vector3 offset) {
  ThrowIfFailed(visual_->put_Offset(Abi(offset)));
}

template <class Base>
void WinContainerBase<Base>::SetSize(Vector2 size) {
  ThrowIfFailed(visual_->put_Size(Abi(size)));
}

template <class Base>
void WinContainerBase<Base>::SetRelativeSizeAdjustment(Vector2 relative) {
  if (!visual2_) visual2_ = visual_.template As<winrt::IVisual2>();
  ThrowIfFailed(visual2_->put_RelativeSizeAdjustment(Abi(relative)));
}

template <class Base>
void WinContainerBase<Base>::SetOpacity(float opacity) {
  ThrowIfFailed(visual_->put_Opacity(opacity));
}

template <class Base>
void WinContainerBase<Base>::SetIsVisible(bool visible) {
  ThrowIfFailed(visual_->put_IsVisible(visible ? 1 : 0));
}

template <class Base>
void WinContainerBase<Base>::SetScale(Vector3 scale) {
  ThrowIfFailed(visual_->put_Scale(Abi(scale)));
}

template <class Base>
void WinContainerBase<Base>::SetRotationAngleInDegrees(float degrees) {
  ThrowIfFailed(visual_->put_RotationAngleInDegrees(degrees));
}

template <class Base>
void WinContainerBase<Base>::SetCenterPoint(Vector3 center) {
  ThrowIfFailed(visual_->put_CenterPoint(Abi(center)));
}

template <class Base>
void WinContainerBase<Base>::SetAnchorPoint(Vector2 anchor) {
  ThrowIfFailed(visual_->put_AnchorPoint(Abi(anchor)));
}

template <class Base>
void WinContainerBase<Base>::SetClip(std::shared_ptr<Clip> clip) {
  winrt::ICompositionClip* abi = nullptr;
  if (clip) {
    const auto* winClip = dynamic_cast<const WinClip*>(clip.get());
    if (winClip == nullptr) ThrowHResult(E_INVALIDARG);
    abi = winClip->clipAbi();
  }
  ThrowIfFailed(visual_->put_Clip(abi));
  clip_ = std::move(clip);
}

template <class Base>
Vector3 WinContainerBase<Base>::offset() const {
  winrt::Vector3 value{};
  ThrowIfFailed(visual_->get_Offset(&value));
  return {value.X, value.Y, value.Z};
}

template <class Base>
Vector2 WinContainerBase<Base>::size() const {
  winrt::Vector2 value{};
  ThrowIfFailed(visual_->get_Size(&value));
  return {value.X, value.Y};
}

template <class Base>
float WinContainerBase<Base>::opacity() const {
  float value = 0;
  ThrowIfFailed(visual_->get_Opacity(&value));
  return value;
}

template <class Base>
bool WinContainerBase<Base>::isVisible() const {
  boolean value = 0;
  ThrowIfFailed(visual_->get_IsVisible(&value));
  return value != 0;
}

template <class Base>
winrt::IVisualCollection* WinContainerBase<Base>::children() const {
  if (!children_) {
    auto container = visual_.template As<winrt::IContainerVisual>();
    ThrowIfFailed(container->get_Children(children_.Put()));
  }
  return children_.Get();
}

template <class Base>
void WinContainerBase<Base>::InsertAtTop(std::shared_ptr<Visual> child) {
  ThrowIfFailed(children()->InsertAtTop(VisualAbiOf(*child)));
}

template <class Base>
void WinContainerBase<Base>::InsertAtBottom(std::shared_ptr<Visual> child) {
  ThrowIfFailed(children()->InsertAtBottom(VisualAbiOf(*child)));
}

template <class Base>
void WinContainerBase<Base>::InsertAbove(std::shared_ptr<Visual> child, const std::shared_ptr<Visual>& sibling) {
  ThrowIfFailed(children()->InsertAbove(VisualAbiOf(*child), VisualAbiOf(*sibling)));
}

template <class Base>
void WinContainerBase<Base>::InsertBelow(std::shared_ptr<Visual> child, const std::shared_ptr<Visual>& sibling) {
  ThrowIfFailed(children()->InsertBelow(VisualAbiOf(*child), VisualAbiOf(*sibling)));
}

template <class Base>
void WinContainerBase<Base>::Remove(const std::shared_ptr<Visual>& child) {
  ThrowIfFailed(children()->Remove(VisualAbiOf(*child)));
}

template <class Base>
void WinContainerBase<Base>::RemoveAll() {
  ThrowIfFailed(children()->RemoveAll());
}

template <class Base>
size_t WinContainerBase<Base>::childCount() const {
  INT32 count = 0;
  ThrowIfFailed(children()->get_Count(&count));
  return count > 0 ? static_cast<size_t>(count) : 0;
}

template class WinContainerBase<ContainerVisual>;
template class WinContainerBase<SpriteVisual>;

WinSpriteVisual::WinSpriteVisual(ComPtr<winrt::ISpriteVisual> sprite)
    : WinContainerBase<SpriteVisual>(sprite.As<winrt::IVisual>()), sprite_(std::move(sprite)) {}

void WinSpriteVisual::SetBrush(std::shared_ptr<CompositionBrush> brush) {
  ThrowIfFailed(sprite_->put_Brush(brush ? BrushAbiOf(*brush) : nullptr));
  brush_ = std::move(brush);
}

// --- Brushes ------------------------------------------------------------------

WinColorBrush::WinColorBrush(ComPtr<winrt::ICompositionColorBrush> brush)
    : brush_(std::move(brush)), base_(brush_.As<winrt::ICompositionBrush>()) {}

void WinColorBrush::SetColor(Color color) { ThrowIfFailed(brush_->put_Color(ToAbiColor(color))); }

Color WinColorBrush::color() const {
  winrt::Color value{};
  ThrowIfFailed(brush_->get_Color(&value));
  return FromAbiColor(value);
}

WinSurfaceBrush::WinSurfaceBrush(ComPtr<winrt::ICompositionSurfaceBrush> brush,
                                 std::shared_ptr<DrawingSurface> surface)
    : brush_(std::move(brush)), base_(brush_.As<winrt::ICompositionBrush>()), surface_(std::move(surface)) {}

void WinSurfaceBrush::SetStretch(Stretch stretch) {
  winrt::CompositionStretch value = winrt::CompositionStretch_Fill;
  switch (stretch) {
    case Stretch::None: value = winrt::CompositionStretch_None; break;
    case Stretch::Fill: value = winrt::CompositionStretch_Fill; break;
    case Stretch::Uniform: value = winrt::CompositionStretch_Uniform; break;
    case Stretch::UniformToFill: value = winrt::CompositionStretch_UniformToFill; break;
  }
  ThrowIfFailed(brush_->put_Stretch(value));
}

void WinSurfaceBrush::SetAlignment(float horizontalRatio, float verticalRatio) {
  ThrowIfFailed(brush_->put_HorizontalAlignmentRatio(horizontalRatio));
  ThrowIfFailed(brush_->put_VerticalAlignmentRatio(verticalRatio));
}

ComPtr<winrt::ICompositionSurface> CompositionSurfaceOf(const DrawingSurface* surface) {
  if (surface == nullptr) return {};
  const auto* winSurface = dynamic_cast<const WinDrawingSurface*>(surface);
  if (winSurface == nullptr) ThrowHResult(E_INVALIDARG);
  return ComPtr<winrt::ICompositionDrawingSurface>(winSurface->surfaceAbi()).As<winrt::ICompositionSurface>();
}

void WinSurfaceBrush::SetSurface(std::shared_ptr<DrawingSurface> surface) {
  const auto compositionSurface = CompositionSurfaceOf(surface.get());
  ThrowIfFailed(brush_->put_Surface(compositionSurface.Get()));
  surface_ = std::move(surface);
}

WinNineGridBrush::WinNineGridBrush(ComPtr<winrt::ICompositionNineGridBrush> brush,
                                   std::shared_ptr<CompositionBrush> source)
    : brush_(std::move(brush)), base_(brush_.As<winrt::ICompositionBrush>()), source_(std::move(source)) {}

void WinNineGridBrush::SetInsets(float left, float top, float right, float bottom) {
  ThrowIfFailed(brush_->SetInsetsWithValues(left, top, right, bottom));
}

// --- Geometry -----------------------------------------------------------------

WinRoundedRectangleGeometry::WinRoundedRectangleGeometry(
    ComPtr<winrt::ICompositionRoundedRectangleGeometry> geometry)
    : geometry_(std::move(geometry)), base_(geometry_.As<winrt::ICompositionGeometry>()) {}

void WinRoundedRectangleGeometry::SetCornerRadius(Vector2 radius) {
  ThrowIfFailed(geometry_->put_CornerRadius(Abi(radius)));
}

void WinRoundedRectangleGeometry::SetSize(Vector2 size) { ThrowIfFailed(geometry_->put_Size(Abi(size))); }

void WinRoundedRectangleGeometry::SetOffset(Vector2 offset) { ThrowIfFailed(geometry_->put_Offset(Abi(offset))); }

WinPathGeometry::WinPathGeometry(ComPtr<winrt::ICompositionPathGeometry> geometry, PathMaker makePath)
    : geometry_(std::move(geometry)), base_(geometry_.As<winrt::ICompositionGeometry>()),
      makePath_(std::move(makePath)) {}

void WinPathGeometry::SetPath(const Path& path) {
  const auto compositionPath = makePath_(path);
  ThrowIfFailed(geometry_->put_Path(compositionPath.Get()));
}

// --- Surfaces and targets -----------------------------------------------------

WinDrawingSurface::WinDrawingSurface(ComPtr<winrt::ICompositionDrawingSurface> surface, int width, int height)
    : surface_(std::move(surface)), width_(width), height_(height) {}

void WinDrawingSurface::Resize(int width, int height) {
  const winrt::SizeInt32 size = SurfaceSize(width, height);
  ThrowIfFailed(surface_.As<winrt::ICompositionDrawingSurface2>()->Resize(size));
  width_ = size.Width;
  height_ = size.Height;
}

void WinWindowTarget::SetRoot(std::shared_ptr<Visual> root) {
  ThrowIfFailed(target_->put_Root(root ? VisualAbiOf(*root) : nullptr));
  root_ = std::move(root);
}

}  // namespace orvane
