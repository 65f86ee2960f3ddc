#include "render/SoftCompositionObjects.h"

#include <algorithm>
#include <atomic>
#include <cmath>

#include "app/Errors.h"
#include "render/EffectDescription.h"

namespace orvane {

void ThrowSoftError(std::int32_t code, const wchar_t* what, std::source_location where) {
  throw HResultError(code, what, where);
}

namespace {

int CheckedSide(int side) {
  if (side > kMaxSoftSurfaceSide) ThrowSoftError(kSoftInvalidArg, L"Surface larger than the largest texture");
  return std::max(side, 1);
}

}  // namespace

// --- Surfaces -----------------------------------------------------------------

SoftDrawingSurface::SoftDrawingSurface(int width, int height) { Resize(width, height); }

void SoftDrawingSurface::Resize(int width, int height) {
  const int w = CheckedSide(width), h = CheckedSide(height);
  std::vector<std::uint8_t> fresh(static_cast<size_t>(w) * h * 4, 0);
  pixels_.swap(fresh);
  width_ = w;
  height_ = h;
  MarkChanged();
}

void SoftDrawingSurface::MarkChanged() {
  static std::atomic<std::uint64_t> next{1};
  version_ = next.fetch_add(1, std::memory_order_relaxed);
}

// --- Brushes ------------------------------------------------------------------

SoftSurfaceBrush::SoftSurfaceBrush(std::shared_ptr<DrawingSurface> surface) { SetSurface(std::move(surface)); }

void SoftSurfaceBrush::SetSurface(std::shared_ptr<DrawingSurface> surface) {
  const SoftDrawingSurface* soft = nullptr;
  // A brush without a surface shows nothing.
  if (surface != nullptr) {
    soft = dynamic_cast<const SoftDrawingSurface*>(surface.get());
    if (soft == nullptr) ThrowSoftError(kSoftInvalidArg, L"Surface of another compositor");
  }
  surface_ = std::move(surface);
  soft_ = soft;
}

SoftEffectBrush::SoftEffectBrush(std::shared_ptr<BackdropBrush> backdrop, float blurAmount, float saturation)
    : backdrop_(std::move(backdrop)) {
  if (dynamic_cast<const SoftBackdropBrush*>(backdrop_.get()) == nullptr) {
    ThrowSoftError(kSoftInvalidArg, L"Effect source is not a backdrop brush of this compositor");
  }
  const BackdropEffectGraph graph = MakeBackdropEffectGraph(blurAmount, saturation);
  // The platform's blur takes deviations up to 250.
  blurAmount_ = std::min(graph.blurAmount, 250.0f);
  saturation_ = std::isfinite(graph.saturation) ? graph.saturation : 1.0f;
}

// --- Geometry and clips -------------------------------------------------------

Path SoftRoundedRectangleGeometry::Outline() const {
  const float width = std::isfinite(size_.x) ? size_.x : 0, height = std::isfinite(size_.y) ? size_.y : 0;
  if (width <= 0 || height <= 0) return {};
  return Path().RoundedRect(RectF{offset_.x, offset_.y, offset_.x + width, offset_.y + height}, radius_.x, radius_.y);
}

SoftGeometricClip::SoftGeometricClip(std::shared_ptr<Geometry> geometry) : geometry_(std::move(geometry)) {
  if (geometry_ == nullptr) return;
  shape_ = dynamic_cast<const SoftShape*>(geometry_.get());
  if (shape_ == nullptr) ThrowSoftError(kSoftInvalidArg, L"Geometry of another compositor");
}

// --- Visuals ------------------------------------------------------------------

SoftVisualNode& SoftNodeOf(Visual& visual) {
  auto* node = dynamic_cast<SoftVisualNode*>(&visual);
  if (node == nullptr) ThrowSoftError(kSoftInvalidArg, L"Visual of another compositor");
  return *node;
}

SoftVisualNode::~SoftVisualNode() {
  for (Child& child : children_) child.node->parent_ = nullptr;
}

void SoftVisualNode::InsertChild(std::shared_ptr<Visual> child, size_t position) {
  if (child == nullptr) ThrowSoftError(kSoftInvalidArg, L"No visual to insert");
  SoftVisualNode& node = SoftNodeOf(*child);
  if (node.attached()) ThrowSoftError(kSoftInvalidArg, L"Visual already has a parent");
  for (const SoftVisualNode* up = this; up != nullptr; up = up->parent_) {
    if (up == &node) ThrowSoftError(kSoftInvalidArg, L"Visual inserted into its own subtree");
  }
  node.parent_ = this;
  children_.insert(children_.begin() + static_cast<std::ptrdiff_t>(position), Child{std::move(child), &node});
}

size_t SoftVisualNode::PositionOf(const std::shared_ptr<Visual>& sibling) const {
  const auto found =
      std::find_if(children_.begin(), children_.end(), [&](const Child& c) { return c.visual == sibling; });
  if (sibling == nullptr || found == children_.end()) ThrowSoftError(kSoftInvalidArg, L"Sibling is not a child");
  return static_cast<size_t>(found - children_.begin());
}

void SoftVisualNode::RemoveChild(const std::shared_ptr<Visual>& child) {
  const size_t position = PositionOf(child);
  children_[position].node->parent_ = nullptr;
  children_.erase(children_.begin() + static_cast<std::ptrdiff_t>(position));
}

void SoftVisualNode::RemoveAllChildren() {
  std::vector<Child> removed;
  removed.swap(children_);
  for (Child& child : removed) child.node->parent_ = nullptr;
}

void SoftVisualNode::SetClipObject(std::shared_ptr<Clip> clip) {
  std::shared_ptr<SoftGeometricClip> soft;
  if (clip != nullptr) {
    soft = std::dynamic_pointer_cast<SoftGeometricClip>(clip);
    if (soft == nullptr) ThrowSoftError(kSoftInvalidArg, L"Clip of another compositor");
  }
  clip_ = std::move(soft);
}

void SoftSpriteVisual::SetBrush(std::shared_ptr<CompositionBrush> brush) {
  const bool ours = brush == nullptr || dynamic_cast<const SoftColorBrush*>(brush.get()) != nullptr ||
                    dynamic_cast<const SoftSurfaceBrush*>(brush.get()) != nullptr ||
                    dynamic_cast<const SoftNineGridBrush*>(brush.get()) != nullptr ||
                    dynamic_cast<const SoftBackdropBrush*>(brush.get()) != nullptr ||
                    dynamic_cast<const SoftEffectBrush*>(brush.get()) != nullptr;
  if (!ours) ThrowSoftError(kSoftInvalidArg, L"Brush of another compositor");
  brush_ = std::move(brush);
}

// --- Window targets -----------------------------------------------------------

SoftWindowTarget::~SoftWindowTarget() {
  if (rootNode_ != nullptr) rootNode_->SetHolder(nullptr);
}

void SoftWindowTarget::SetRoot(std::shared_ptr<Visual> root) {
  SoftVisualNode* node = root != nullptr ? &SoftNodeOf(*root) : nullptr;
  if (node == rootNode_) return;
  if (node != nullptr && node->attached()) ThrowSoftError(kSoftInvalidArg, L"Visual already has a parent");
  if (rootNode_ != nullptr) rootNode_->SetHolder(nullptr);
  if (node != nullptr) node->SetHolder(this);
  root_ = std::move(root);
  rootNode_ = node;
}

}  // namespace orvane
