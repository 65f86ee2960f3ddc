#include "render/SoftRender.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "render/SoftBackdrop.h"
#include "render/SoftBrushLayout.h"

namespace orvane {
namespace {

float Finite(float value) { return std::isfinite(value) ? value : 0.0f; }

bool IsFinite(const Matrix3x2& m) {
  return std::isfinite(m.m11) && std::isfinite(m.m12) && std::isfinite(m.m21) && std::isfinite(m.m22) &&
         std::isfinite(m.dx) && std::isfinite(m.dy);
}

// Visual space to parent space: scale and rotation about the centre point,
// then the offset, moved back by the anchor point's share of the size.
Matrix3x2 LocalTransform(const SoftVisualProperties& p, SizeF size) {
  const PointF center{p.centerPoint.x, p.centerPoint.y};
  Matrix3x2 local;
  if (p.scale.x != 1 || p.scale.y != 1) local = Matrix3x2::Scale(p.scale.x, p.scale.y, center);
  if (p.rotationDegrees != 0) local = local.Then(Matrix3x2::Rotation(p.rotationDegrees, center));
  return local.Then(Matrix3x2::Translation(p.offset.x - p.anchorPoint.x * size.width,
                                           p.offset.y - p.anchorPoint.y * size.height));
}

bool Shows(const SoftVisualProperties& p) { return p.visible && Finite(p.opacity) > 0; }

class TreePainter {
 public:
  TreePainter(Canvas& canvas, SizeF frame, const BackdropSource& backdrop)
      : canvas_(&canvas), frame_(frame), backdrop_(backdrop) {}

  // `opacity` is what the ancestors' opacity still asks of this subtree.
  void Visual(const SoftVisualNode& node, const Matrix3x2& parentWorld, SizeF parentSize, float opacity) {
    const SoftVisualProperties& p = node.properties();
    if (!p.visible) return;
    const float combined = std::clamp(Finite(p.opacity), 0.0f, 1.0f) * opacity;
    if (combined <= 0) return;
    const SizeF size{std::max(Finite(p.size.x + p.relativeSize.x * parentSize.width), 0.0f),
                     std::max(Finite(p.size.y + p.relativeSize.y * parentSize.height), 0.0f)};
    const Matrix3x2 world = LocalTransform(p, size).Then(parentWorld);
    if (!IsFinite(world)) return;

    int parts = node.brush() != nullptr ? 1 : 0;
    for (const SoftVisualNode::Child& child : node.children()) parts += Shows(child.node->properties()) ? 1 : 0;
    if (parts == 0) return;
    if (combined < 1 && parts > 1) {
      // Overlapping parts fade as one picture, not one by one.
      canvas_->DrawLayer(combined, [&](Canvas& layer) {
        Canvas* outer = canvas_;
        canvas_ = &layer;
        Contents(node, world, size, 1);
        canvas_ = outer;
      });
    } else {
      Contents(node, world, size, combined);
    }
  }

 private:
  void Contents(const SoftVisualNode& node, const Matrix3x2& world, SizeF size, float opacity) {
    const SoftShape* shape = node.clip() != nullptr ? node.clip()->shape() : nullptr;
    if (shape != nullptr) {
      const Path outline = shape->Outline();
      if (outline.empty()) return;  // clipped away entirely
      canvas_->SetTransform(world);
      canvas_->PushClipPath(outline);
    }
    if (node.brush() != nullptr) Brush(*node.brush(), world, size, opacity);
    for (const SoftVisualNode::Child& child : node.children()) Visual(*child.node, world, size, opacity);
    if (shape != nullptr) canvas_->PopClip();
  }

  void Brush(const CompositionBrush& brush, const Matrix3x2& world, SizeF size, float opacity) {
    if (size.width <= 0 || size.height <= 0) return;
    if (const auto* color = dynamic_cast<const SoftColorBrush*>(&brush)) {
      Color c = color->color();
      c.a = std::clamp(Finite(c.a), 0.0f, 1.0f) * opacity;
      if (c.a <= 0) return;
      canvas_->SetTransform(world);
      canvas_->FillRect(RectF{0, 0, size.width, size.height}, c);
    } else if (const auto* surface = dynamic_cast<const SoftSurfaceBrush*>(&brush)) {
      Surface(*surface, world, size, opacity);
    } else if (const auto* nineGrid = dynamic_cast<const SoftNineGridBrush*>(&brush)) {
      NineGrid(*nineGrid, world, size, opacity);
    } else if (dynamic_cast<const SoftBackdropBrush*>(&brush) != nullptr) {
      Backdrop(nullptr, world, size, opacity);
    } else if (const auto* effect = dynamic_cast<const SoftEffectBrush*>(&brush)) {
      Backdrop(effect, world, size, opacity);
    }
  }

  void Surface(const SoftSurfaceBrush& brush, const Matrix3x2& world, SizeF size, float opacity) {
    const SoftDrawingSurface* surface = brush.softSurface();
    if (surface == nullptr) return;
    const SizeF natural{static_cast<float>(surface->width()), static_cast<float>(surface->height())};
    const RectF place =
        PlaceSurface(natural, size, brush.stretch(), brush.horizontalRatio(), brush.verticalRatio());
    if (!(place.width() > 0) || !(place.height() > 0)) return;
    // The brush paints only inside the visual.
    const bool overflows = place.left < 0 || place.top < 0 || place.right > size.width || place.bottom > size.height;
    canvas_->SetTransform(world);
    if (overflows) canvas_->PushClipPath(Path().Rect(RectF{0, 0, size.width, size.height}));
    canvas_->DrawBitmap(surface->view(), place, opacity, Interpolation::Linear);
    if (overflows) canvas_->PopClip();
  }

  void NineGrid(const SoftNineGridBrush& brush, const Matrix3x2& world, SizeF size, float opacity) {
    if (brush.source() == nullptr) return;
    const auto* surfaceBrush = dynamic_cast<const SoftSurfaceBrush*>(brush.source());
    if (surfaceBrush == nullptr) {
      // A colour has no grid to keep: it fills the visual.
      Brush(*brush.source(), world, size, opacity);
      return;
    }
    const SoftDrawingSurface* surface = surfaceBrush->softSurface();
    if (surface == nullptr) return;
    const NineGridInsets& insets = brush.insets();
    const auto pieces =
        NineGridPieces(SizeF{static_cast<float>(surface->width()), static_cast<float>(surface->height())}, size,
                       insets.left, insets.top, insets.right, insets.bottom);
    canvas_->SetTransform(world);
    for (const NineGridPiece& piece : pieces) {
      canvas_->DrawBitmap(surface->view(), piece.dest, opacity, Interpolation::Linear, &piece.source);
    }
  }

  // The picture behind the visual stays aligned with the screen whatever the
  // visual's transform: the region under its bounding box is taken (with
  // room for the blur at the frame's edges) and shown through its outline.
  void Backdrop(const SoftEffectBrush* effect, const Matrix3x2& world, SizeF size, float opacity) {
    if (backdrop_.picture.pixels == nullptr) return;
    const PointF corners[4] = {world.Apply({0, 0}), world.Apply({size.width, 0}),
                               world.Apply({size.width, size.height}), world.Apply({0, size.height})};
    float minX = corners[0].x, maxX = minX, minY = corners[0].y, maxY = minY;
    for (const PointF& c : corners) {
      minX = std::min(minX, c.x), maxX = std::max(maxX, c.x);
      minY = std::min(minY, c.y), maxY = std::max(maxY, c.y);
    }
    const float reach = effect != nullptr ? std::ceil(3 * effect->blurAmount()) : 0.0f;
    const int left = static_cast<int>(std::floor(std::clamp(minX, -reach, frame_.width + reach)));
    const int top = static_cast<int>(std::floor(std::clamp(minY, -reach, frame_.height + reach)));
    const int right = static_cast<int>(std::ceil(std::clamp(maxX, -reach, frame_.width + reach)));
    const int bottom = static_cast<int>(std::ceil(std::clamp(maxY, -reach, frame_.height + reach)));
    const PixelRect screen{left + backdrop_.windowLeft, top + backdrop_.windowTop, right - left, bottom - top};
    if (screen.empty()) return;

    const RectF dest{static_cast<float>(left), static_cast<float>(top), static_cast<float>(right),
                     static_cast<float>(bottom)};
    canvas_->SetTransform(world);
    canvas_->PushClipPath(Path().Rect(RectF{0, 0, size.width, size.height}));
    canvas_->SetTransform(Matrix3x2::Identity());
    if (effect != nullptr) {
      const BackdropCache::Key key{screen, backdrop_.pictureId, effect->blurAmount(), effect->saturation()};
      const BackdropImage& image = effect->cache().Get(backdrop_.picture, key);
      const float factor = static_cast<float>(image.factor);
      canvas_->DrawBitmap(image.view(),
                          RectF{dest.left, dest.top, dest.left + image.width * factor, dest.top + image.height * factor},
                          opacity, image.factor > 1 ? Interpolation::Linear : Interpolation::NearestNeighbor);
    } else if (screen.left >= 0 && screen.top >= 0 && screen.left + screen.width <= backdrop_.picture.width &&
               screen.top + screen.height <= backdrop_.picture.height) {
      const RectF source{static_cast<float>(screen.left), static_cast<float>(screen.top),
                         static_cast<float>(screen.left + screen.width),
                         static_cast<float>(screen.top + screen.height)};
      canvas_->DrawBitmap(backdrop_.picture, dest, opacity, Interpolation::NearestNeighbor, &source);
    } else {
      const std::vector<std::uint8_t> region = CopyPictureRegion(backdrop_.picture, screen);
      canvas_->DrawBitmap(BitmapView{screen.width, screen.height, screen.width * 4, region.data()}, dest, opacity,
                          Interpolation::NearestNeighbor);
    }
    canvas_->PopClip();
  }

  Canvas* canvas_;
  SizeF frame_;
  const BackdropSource& backdrop_;
};

}  // namespace

void RenderVisualTree(Canvas& canvas, const SoftVisualNode& root, SizeF frameSize, const BackdropSource& backdrop) {
  TreePainter(canvas, frameSize, backdrop).Visual(root, Matrix3x2::Identity(), frameSize, 1);
  canvas.SetTransform(Matrix3x2::Identity());
}

}  // namespace orvane
