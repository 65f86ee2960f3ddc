#include "render/SoftRender.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_map>
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

// FNV-1a over the bytes of what is added.
class Fingerprint {
 public:
  explicit Fingerprint(std::uint64_t seed = 14695981039346656037ull) : value_(seed) {}
  template <class T>
  Fingerprint& Add(const T& v) {
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &v, sizeof(T));
    for (unsigned char b : bytes) value_ = (value_ ^ b) * 1099511628211ull;
    return *this;
  }
  Fingerprint& Add(const Matrix3x2& m) { return Add(m.m11).Add(m.m12).Add(m.m21).Add(m.m22).Add(m.dx).Add(m.dy); }
  Fingerprint& Add(const Color& c) { return Add(c.r).Add(c.g).Add(c.b).Add(c.a); }
  Fingerprint& Add(const Path& path) {
    for (const Path::Segment& s : path.segments()) {
      Add(static_cast<int>(s.verb)).Add(s.p1.x).Add(s.p1.y).Add(s.p2.x).Add(s.p2.y).Add(s.p3.x).Add(s.p3.y);
      Add(s.radiusX).Add(s.radiusY).Add(s.rotationDegrees).Add(s.clockwise).Add(s.largeArc);
    }
    return *this;
  }
  std::uint64_t value() const { return value_; }

 private:
  std::uint64_t value_;
};

// The control-point box of a path: holds the whole outline.
RectF ControlBounds(const Path& path) {
  bool any = false;
  RectF box{};
  const auto add = [&](PointF p) {
    if (!any) box = RectF{p.x, p.y, p.x, p.y}, any = true;
    box.left = std::min(box.left, p.x), box.right = std::max(box.right, p.x);
    box.top = std::min(box.top, p.y), box.bottom = std::max(box.bottom, p.y);
  };
  PointF current{};
  for (const Path::Segment& s : path.segments()) {
    switch (s.verb) {
      case Path::Verb::MoveTo:
      case Path::Verb::LineTo:
        add(s.p1), current = s.p1;
        break;
      case Path::Verb::QuadTo:
        add(current), add(s.p1), add(s.p2), current = s.p2;
        break;
      case Path::Verb::CubicTo:
        add(current), add(s.p1), add(s.p2), add(s.p3), current = s.p3;
        break;
      case Path::Verb::ArcTo: {
        // The arc stays within its radii of both ends (radii too small to
        // reach grow, at most to half the chord).
        const float chord = std::hypot(s.p1.x - current.x, s.p1.y - current.y);
        const float reach = std::max({std::fabs(s.radiusX), std::fabs(s.radiusY), chord}) * 2;
        for (PointF end : {current, s.p1}) {
          add({end.x - reach, end.y - reach}), add({end.x + reach, end.y + reach});
        }
        current = s.p1;
        break;
      }
      case Path::Verb::Close:
        break;
    }
  }
  return box;
}

// Walks the tree once, either drawing it into a raster or recording what it
// would draw.
class TreeWalk {
 public:
  TreeWalk(FrameRaster* raster, std::vector<DrawRecord>* records, SizeF frame, const BackdropSource& backdrop)
      : raster_(raster), records_(records), frame_(frame), backdrop_(backdrop) {
    clipBoxes_.push_back(PixelRect{-(1 << 28), -(1 << 28), 1 << 29, 1 << 29});
  }

  // `opacity` is what the ancestors' opacity still asks of this subtree;
  // `context` fingerprints the clips and group fades around it.
  void Visual(const SoftVisualNode& node, const Matrix3x2& parentWorld, SizeF parentSize, float opacity,
              std::uint64_t context) {
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
      const std::uint64_t layered = Fingerprint(context).Add(&node).Add(combined).value();
      if (raster_ == nullptr) {
        Contents(node, world, size, 1, layered);
        return;
      }
      raster_->DrawLayer(combined, [&](FrameRaster& layer) {
        FrameRaster* outer = raster_;
        raster_ = &layer;
        Contents(node, world, size, 1, layered);
        raster_ = outer;
      });
    } else {
      Contents(node, world, size, combined, context);
    }
  }

 private:
  void Contents(const SoftVisualNode& node, const Matrix3x2& world, SizeF size, float opacity,
                std::uint64_t context) {
    const SoftShape* shape = node.clip() != nullptr ? node.clip()->shape() : nullptr;
    if (shape != nullptr) {
      const Path outline = shape->Outline();
      if (outline.empty()) return;  // clipped away entirely
      if (!PushClip(outline, world)) {
        PopClip();
        return;
      }
      context = Fingerprint(context).Add(outline).Add(world).value();
    }
    if (node.brush() != nullptr) Brush(node, *node.brush(), world, size, opacity, context);
    for (const SoftVisualNode::Child& child : node.children()) Visual(*child.node, world, size, opacity, context);
    if (shape != nullptr) PopClip();
  }

  // False when nothing inside the clip can show.
  bool PushClip(const Path& outline, const Matrix3x2& world) {
    if (raster_ != nullptr) {
      raster_->SetTransform(world);
      raster_->PushClip(outline);
      return raster_->CanDraw();
    }
    const PixelRect box = Intersect(FrameRaster::DeviceBounds(ControlBounds(outline), world), clipBoxes_.back());
    clipBoxes_.push_back(box);
    return !box.empty();
  }

  void PopClip() {
    if (raster_ != nullptr) {
      raster_->PopClip();
    } else {
      clipBoxes_.pop_back();
    }
  }

  void Record(const SoftVisualNode& node, const RectF& area, const Matrix3x2& world, const Fingerprint& print) {
    const PixelRect bounds = Intersect(FrameRaster::DeviceBounds(area, world), clipBoxes_.back());
    if (bounds.empty()) return;
    records_->push_back(DrawRecord{&node, bounds, print.value()});
  }

  void Brush(const SoftVisualNode& node, const CompositionBrush& brush, const Matrix3x2& world, SizeF size,
             float opacity, std::uint64_t context) {
    if (size.width <= 0 || size.height <= 0) return;
    if (raster_ != nullptr) {
      Draw(brush, world, size, opacity);
      return;
    }
    Fingerprint print(context);
    print.Add(world).Add(size.width).Add(size.height).Add(opacity);
    if (AddBrush(print, brush)) Record(node, RectF{0, 0, size.width, size.height}, world, print);
  }

  // Fingerprints the brush; false when it draws nothing.
  bool AddBrush(Fingerprint& print, const CompositionBrush& brush) {
    if (const auto* color = dynamic_cast<const SoftColorBrush*>(&brush)) {
      print.Add(1).Add(color->color());
    } else if (const auto* surface = dynamic_cast<const SoftSurfaceBrush*>(&brush)) {
      const SoftDrawingSurface* s = surface->softSurface();
      if (s == nullptr) return false;
      print.Add(2).Add(s).Add(s->version()).Add(s->width()).Add(s->height()).Add(static_cast<int>(surface->stretch()));
      print.Add(surface->horizontalRatio()).Add(surface->verticalRatio());
    } else if (const auto* nineGrid = dynamic_cast<const SoftNineGridBrush*>(&brush)) {
      if (nineGrid->source() == nullptr) return false;
      const NineGridInsets& i = nineGrid->insets();
      print.Add(3).Add(i.left).Add(i.top).Add(i.right).Add(i.bottom);
      return AddBrush(print, *nineGrid->source());
    } else if (dynamic_cast<const SoftBackdropBrush*>(&brush) != nullptr) {
      if (backdrop_.picture.pixels == nullptr) return false;
      print.Add(4).Add(backdrop_.pictureId).Add(backdrop_.windowLeft).Add(backdrop_.windowTop);
    } else if (const auto* effect = dynamic_cast<const SoftEffectBrush*>(&brush)) {
      if (backdrop_.picture.pixels == nullptr) return false;
      print.Add(5).Add(backdrop_.pictureId).Add(backdrop_.windowLeft).Add(backdrop_.windowTop);
      print.Add(effect->blurAmount()).Add(effect->saturation());
    } else {
      return false;
    }
    return true;
  }

  void Draw(const CompositionBrush& brush, const Matrix3x2& world, SizeF size, float opacity) {
    if (const auto* color = dynamic_cast<const SoftColorBrush*>(&brush)) {
      Color c = color->color();
      c.a = std::clamp(Finite(c.a), 0.0f, 1.0f) * opacity;
      if (c.a <= 0) return;
      raster_->SetTransform(world);
      raster_->FillRect(RectF{0, 0, size.width, size.height}, c);
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
    raster_->SetTransform(world);
    if (overflows) raster_->PushClip(Path().Rect(RectF{0, 0, size.width, size.height}));
    raster_->DrawBitmap(surface->view(), place, opacity, Interpolation::Linear);
    if (overflows) raster_->PopClip();
  }

  void NineGrid(const SoftNineGridBrush& brush, const Matrix3x2& world, SizeF size, float opacity) {
    if (brush.source() == nullptr) return;
    const auto* surfaceBrush = dynamic_cast<const SoftSurfaceBrush*>(brush.source());
    if (surfaceBrush == nullptr) {
      // A colour has no grid to keep: it fills the visual.
      Draw(*brush.source(), world, size, opacity);
      return;
    }
    const SoftDrawingSurface* surface = surfaceBrush->softSurface();
    if (surface == nullptr) return;
    const NineGridInsets& insets = brush.insets();
    const auto pieces =
        NineGridPieces(SizeF{static_cast<float>(surface->width()), static_cast<float>(surface->height())}, size,
                       insets.left, insets.top, insets.right, insets.bottom);
    raster_->SetTransform(world);
    for (const NineGridPiece& piece : pieces) {
      raster_->DrawBitmap(surface->view(), piece.dest, opacity, Interpolation::Linear, &piece.source);
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
    raster_->SetTransform(world);
    raster_->PushClip(Path().Rect(RectF{0, 0, size.width, size.height}));
    raster_->SetTransform(Matrix3x2::Identity());
    if (!raster_->CanDraw()) {
      // Outside the region being drawn: no need to blur anything.
    } else if (effect != nullptr) {
      const BackdropCache::Key key{screen, backdrop_.pictureId, effect->blurAmount(), effect->saturation()};
      const BackdropImage& image = effect->cache().Get(backdrop_.picture, key);
      const float factor = static_cast<float>(image.factor);
      raster_->DrawBitmap(image.view(),
                          RectF{dest.left, dest.top, dest.left + image.width * factor, dest.top + image.height * factor},
                          opacity, image.factor > 1 ? Interpolation::Linear : Interpolation::NearestNeighbor);
    } else if (screen.left >= 0 && screen.top >= 0 && screen.left + screen.width <= backdrop_.picture.width &&
               screen.top + screen.height <= backdrop_.picture.height) {
      const RectF source{static_cast<float>(screen.left), static_cast<float>(screen.top),
                         static_cast<float>(screen.left + screen.width),
                         static_cast<float>(screen.top + screen.height)};
      raster_->DrawBitmap(backdrop_.picture, dest, opacity, Interpolation::NearestNeighbor, &source);
    } else {
      const std::vector<std::uint8_t> region = CopyPictureRegion(backdrop_.picture, screen);
      raster_->DrawBitmap(BitmapView{screen.width, screen.height, screen.width * 4, region.data()}, dest, opacity,
                          Interpolation::NearestNeighbor);
    }
    raster_->PopClip();
  }

  FrameRaster* raster_;
  std::vector<DrawRecord>* records_;
  SizeF frame_;
  const BackdropSource& backdrop_;
  std::vector<PixelRect> clipBoxes_;  // while recording
};

std::int64_t Area(const PixelRect& r) { return r.empty() ? 0 : static_cast<std::int64_t>(r.width) * r.height; }

}  // namespace

void RenderVisualTree(FrameRaster& raster, const SoftVisualNode& root, SizeF frameSize,
                      const BackdropSource& backdrop) {
  TreeWalk(&raster, nullptr, frameSize, backdrop).Visual(root, Matrix3x2::Identity(), frameSize, 1, 0);
  raster.SetTransform(Matrix3x2::Identity());
}

void RecordVisualTree(const SoftVisualNode& root, SizeF frameSize, const BackdropSource& backdrop,
                      std::vector<DrawRecord>& out) {
  TreeWalk(nullptr, &out, frameSize, backdrop).Visual(root, Matrix3x2::Identity(), frameSize, 1, 0);
}

std::vector<PixelRect> DamageBetween(const std::vector<DrawRecord>& before, const std::vector<DrawRecord>& after,
                                     const PixelRect& everything) {
  std::unordered_map<const void*, size_t> earlier;
  earlier.reserve(before.size());
  for (size_t i = 0; i < before.size(); ++i) earlier.emplace(before[i].key, i);
  // A key drawn twice (which the tree does not do) makes matching unsafe.
  if (earlier.size() != before.size()) return {everything};

  std::vector<bool> kept(before.size(), false);
  std::vector<PixelRect> damage;
  size_t lastIndex = 0;
  bool ordered = true, first = true;
  for (const DrawRecord& now : after) {
    const auto found = earlier.find(now.key);
    if (found == earlier.end()) {
      damage.push_back(now.bounds);
      continue;
    }
    const size_t index = found->second;
    if (kept[index]) return {everything};  // drawn twice now
    kept[index] = true;
    if (!first && index < lastIndex) ordered = false;
    lastIndex = index, first = false;
    const DrawRecord& then = before[index];
    if (then.signature != now.signature || !(then.bounds == now.bounds)) {
      damage.push_back(then.bounds);
      damage.push_back(now.bounds);
    }
  }
  if (!ordered) return {everything};
  for (size_t i = 0; i < before.size(); ++i) {
    if (!kept[i]) damage.push_back(before[i].bounds);
  }
  for (PixelRect& r : damage) r = Intersect(r, everything);
  return damage;
}

void MergeDamage(std::vector<PixelRect>& rects, size_t maxCount) {
  std::erase_if(rects, [](const PixelRect& r) { return r.empty(); });
  maxCount = std::max<size_t>(maxCount, 1);
  for (;;) {
    // The pair whose union wastes the fewest pixels; merged at once when it
    // wastes almost nothing, or while there are too many rectangles.
    size_t bestA = 0, bestB = 0;
    std::int64_t bestWaste = -1;
    for (size_t a = 0; a < rects.size(); ++a) {
      for (size_t b = a + 1; b < rects.size(); ++b) {
        const std::int64_t waste =
            Area(Union(rects[a], rects[b])) - Area(rects[a]) - Area(rects[b]) + Area(Intersect(rects[a], rects[b]));
        if (bestWaste < 0 || waste < bestWaste) bestWaste = waste, bestA = a, bestB = b;
      }
    }
    if (bestWaste < 0) return;
    // A few rows of waste are cheaper than drawing and presenting twice.
    const std::int64_t cheap = std::max<std::int64_t>(
        256, (Area(rects[bestA]) + Area(rects[bestB])) / 8);
    if (rects.size() <= maxCount && bestWaste > cheap) return;
    rects[bestA] = Union(rects[bestA], rects[bestB]);
    rects.erase(rects.begin() + static_cast<std::ptrdiff_t>(bestB));
  }
}

}  // namespace orvane
