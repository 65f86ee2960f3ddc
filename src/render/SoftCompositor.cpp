#include "render/SoftCompositor.h"

#include <algorithm>
#include <atomic>
#include <cstring>

#include "render/PixelCanvas.h"
#include "render/SoftCompositionObjects.h"
#include "render/SoftRender.h"

namespace orvane {
namespace {

// Picture ids are unique across compositors, since an effect brush's cache
// outlives nothing but could be shown by any of them.
std::uint64_t NextPictureId() {
  static std::atomic<std::uint64_t> next{1};
  return next.fetch_add(1);
}

SoftDrawingSurface& SoftSurfaceOf(DrawingSurface& surface) {
  auto* soft = dynamic_cast<SoftDrawingSurface*>(&surface);
  if (soft == nullptr) ThrowSoftError(kSoftInvalidArg, L"Surface of another compositor");
  return *soft;
}

const SoftWindowTarget& SoftTargetOf(const WindowTarget& target) {
  const auto* soft = dynamic_cast<const SoftWindowTarget*>(&target);
  if (soft == nullptr) ThrowSoftError(kSoftInvalidArg, L"Window target of another compositor");
  return *soft;
}

bool IsSoftBrush(const CompositionBrush& brush) {
  return dynamic_cast<const SoftColorBrush*>(&brush) != nullptr ||
         dynamic_cast<const SoftSurfaceBrush*>(&brush) != nullptr ||
         dynamic_cast<const SoftNineGridBrush*>(&brush) != nullptr ||
         dynamic_cast<const SoftBackdropBrush*>(&brush) != nullptr ||
         dynamic_cast<const SoftEffectBrush*>(&brush) != nullptr;
}

}  // namespace

SoftCompositor::SoftCompositor() = default;
SoftCompositor::~SoftCompositor() = default;

void SoftCompositor::SetWallpaper(const BitmapView& picture) {
  wallpaperId_ = NextPictureId();
  if (picture.pixels == nullptr || picture.width <= 0 || picture.height <= 0 || picture.stride < picture.width * 4) {
    wallpaper_.clear();
    wallpaperWidth_ = wallpaperHeight_ = 0;
    return;
  }
  const size_t row = static_cast<size_t>(picture.width) * 4;
  wallpaper_.resize(row * picture.height);
  for (int y = 0; y < picture.height; ++y) {
    std::memcpy(wallpaper_.data() + row * y, picture.pixels + static_cast<size_t>(y) * picture.stride, row);
  }
  wallpaperWidth_ = picture.width;
  wallpaperHeight_ = picture.height;
}

std::shared_ptr<ContainerVisual> SoftCompositor::CreateContainerVisual() {
  return std::make_shared<SoftContainerVisual>();
}

std::shared_ptr<SpriteVisual> SoftCompositor::CreateSpriteVisual() { return std::make_shared<SoftSpriteVisual>(); }

std::shared_ptr<ColorBrush> SoftCompositor::CreateColorBrush(Color color) {
  return std::make_shared<SoftColorBrush>(color);
}

std::shared_ptr<SurfaceBrush> SoftCompositor::CreateSurfaceBrush(std::shared_ptr<DrawingSurface> surface) {
  return std::make_shared<SoftSurfaceBrush>(std::move(surface));
}

std::shared_ptr<NineGridBrush> SoftCompositor::CreateNineGridBrush(std::shared_ptr<CompositionBrush> source) {
  if (source != nullptr && !IsSoftBrush(*source)) ThrowSoftError(kSoftInvalidArg, L"Brush of another compositor");
  return std::make_shared<SoftNineGridBrush>(std::move(source));
}

std::shared_ptr<RoundedRectangleGeometry> SoftCompositor::CreateRoundedRectangleGeometry() {
  return std::make_shared<SoftRoundedRectangleGeometry>();
}

std::shared_ptr<PathGeometry> SoftCompositor::CreatePathGeometry() { return std::make_shared<SoftPathGeometry>(); }

std::shared_ptr<Clip> SoftCompositor::CreateGeometricClip(std::shared_ptr<Geometry> geometry) {
  return std::make_shared<SoftGeometricClip>(std::move(geometry));
}

std::shared_ptr<BackdropBrush> SoftCompositor::CreateHostBackdropBrush() {
  if (!hasWallpaper()) ThrowSoftError(kSoftNotImplemented, L"No host backdrop without a desktop picture");
  return std::make_shared<SoftBackdropBrush>();
}

std::shared_ptr<EffectBrush> SoftCompositor::CreateBackdropEffectBrush(std::shared_ptr<BackdropBrush> backdrop,
                                                                       float blurAmount, float saturation) {
  return std::make_shared<SoftEffectBrush>(std::move(backdrop), blurAmount, saturation);
}

std::shared_ptr<WindowTarget> SoftCompositor::CreateWindowTarget(NativeWindow window, bool topmost) {
  if (window == 0) ThrowSoftError(kSoftInvalidArg, L"No window for the target");
  std::erase_if(targets_, [](const TargetRecord& r) { return r.target.expired(); });
  for (const TargetRecord& record : targets_) {
    if (record.window == window && record.topmost == topmost) {
      ThrowSoftError(kSoftWindowAlreadyComposed, L"The window already has a composition target");
    }
  }
  auto target = std::make_shared<SoftWindowTarget>(window, topmost);
  targets_.push_back(TargetRecord{window, topmost, target});
  return target;
}

std::shared_ptr<DrawingSurface> SoftCompositor::CreateDrawingSurface(int width, int height) {
  return std::make_shared<SoftDrawingSurface>(width, height);
}

bool SoftCompositor::DrawSurface(DrawingSurface& surface, int widthPx, int heightPx,
                                 const std::function<void(Canvas&)>& draw) {
  SoftDrawingSurface& soft = SoftSurfaceOf(surface);
  soft.MarkChanged();
  std::unique_ptr<Canvas> canvas = CreatePixelCanvas(soft.pixels(), soft.width(), soft.height(), soft.stride());
  if (canvas == nullptr) return ReportSurfaceDrawFailure(*this, kSoftOutOfMemory);
  canvas->PushClipRect(RectF{0, 0, static_cast<float>(widthPx), static_cast<float>(heightPx)}, false);
  canvas->Clear(Color::Transparent());
  if (draw) draw(*canvas);
  canvas->PopClip();
  return true;
}

bool SoftCompositor::DrawPixels(DrawingSurface& surface, int width, int height, const std::uint8_t* pixels) {
  SoftDrawingSurface& soft = SoftSurfaceOf(surface);
  soft.MarkChanged();
  const int rows = std::clamp(height, 0, soft.height());
  const size_t clearBytes = static_cast<size_t>(std::clamp(width, 0, soft.width())) * 4;
  for (int y = 0; y < rows; ++y) {
    std::uint8_t* row = soft.pixels() + static_cast<size_t>(y) * soft.stride();
    std::memset(row, 0, clearBytes);
    // A bitmap that cannot be made is skipped, as on the platform.
    if (pixels != nullptr) std::memcpy(row, pixels + static_cast<size_t>(y) * width * 4, clearBytes);
  }
  return true;
}

BackdropSource SoftCompositor::Backdrop(ScreenPoint window) const {
  BackdropSource backdrop;
  if (hasWallpaper()) {
    backdrop.picture = BitmapView{wallpaperWidth_, wallpaperHeight_, wallpaperWidth_ * 4, wallpaper_.data()};
    backdrop.pictureId = wallpaperId_;
  }
  backdrop.windowLeft = window.x;
  backdrop.windowTop = window.y;
  return backdrop;
}

void SoftCompositor::Compose(const std::vector<std::shared_ptr<WindowTarget>>& targets, FrameRaster& raster,
                             SizeF frame, ScreenPoint window) {
  const BackdropSource backdrop = Backdrop(window);
  for (const auto& target : targets) {
    const SoftWindowTarget& soft = SoftTargetOf(*target);
    if (soft.root() != nullptr) RenderVisualTree(raster, *soft.root(), frame, backdrop);
  }
}

bool SoftCompositor::RenderTarget(const WindowTarget& target, std::uint8_t* pixels, int width, int height,
                                  int stride, ScreenPoint window) {
  SoftTargetOf(target);
  if (pixels == nullptr || width <= 0 || height <= 0 || stride < width * 4) return false;
  FrameRaster raster(pixels, width, height, stride, PixelRect{0, 0, width, height}, &scratch_);
  raster.Clear();
  const SoftWindowTarget& soft = SoftTargetOf(target);
  if (soft.root() != nullptr) {
    RenderVisualTree(raster, *soft.root(), SizeF{static_cast<float>(width), static_cast<float>(height)},
                     Backdrop(window));
  }
  return true;
}

SoftFrame SoftCompositor::RenderTarget(const WindowTarget& target, int width, int height, ScreenPoint window) {
  SoftFrame frame;
  frame.width = std::max(width, 0);
  frame.height = std::max(height, 0);
  frame.pixels.assign(static_cast<size_t>(frame.width) * frame.height * 4, 0);
  SoftTargetOf(target);
  if (frame.width > 0 && frame.height > 0) {
    RenderTarget(target, frame.pixels.data(), frame.width, frame.height, frame.width * 4, window);
  }
  return frame;
}

std::vector<std::shared_ptr<WindowTarget>> SoftCompositor::TargetsOf(NativeWindow window) {
  std::vector<std::shared_ptr<WindowTarget>> found;
  for (bool topmost : {false, true}) {
    for (const TargetRecord& record : targets_) {
      if (record.window != window || record.topmost != topmost) continue;
      if (auto target = record.target.lock()) found.push_back(std::move(target));
    }
  }
  return found;
}

SoftFrame SoftCompositor::RenderWindow(NativeWindow window, int width, int height, ScreenPoint position) {
  SoftFrame frame;
  frame.width = std::max(width, 0);
  frame.height = std::max(height, 0);
  frame.pixels.assign(static_cast<size_t>(frame.width) * frame.height * 4, 0);
  if (frame.width == 0 || frame.height == 0) return frame;
  FrameRaster raster(frame.pixels.data(), frame.width, frame.height, frame.width * 4,
                     PixelRect{0, 0, frame.width, frame.height}, &scratch_);
  Compose(TargetsOf(window), raster, SizeF{static_cast<float>(frame.width), static_cast<float>(frame.height)},
          position);
  return frame;
}

std::vector<PixelRect> SoftCompositor::UpdateWindowFrame(NativeWindow window, std::uint8_t* pixels, int width,
                                                         int height, int stride, ScreenPoint position) {
  if (pixels == nullptr || width <= 0 || height <= 0 || stride < width * 4) return {};
  const std::vector<std::shared_ptr<WindowTarget>> targets = TargetsOf(window);
  const SizeF frame{static_cast<float>(width), static_cast<float>(height)};
  const BackdropSource backdrop = Backdrop(position);
  std::vector<DrawRecord> records;
  for (const auto& target : targets) {
    const SoftWindowTarget& soft = SoftTargetOf(*target);
    if (soft.root() != nullptr) RecordVisualTree(*soft.root(), frame, backdrop, records);
  }

  const PixelRect everything{0, 0, width, height};
  WindowFrame& previous = frames_[window];
  std::vector<PixelRect> damage;
  if (previous.width != width || previous.height != height) {
    damage.push_back(everything);
  } else {
    damage = DamageBetween(previous.records, records, everything);
    MergeDamage(damage, 4);
  }
  previous.width = width;
  previous.height = height;
  previous.records = std::move(records);

  for (const PixelRect& rect : damage) {
    FrameRaster raster(pixels, width, height, stride, rect, &scratch_);
    raster.Clear();
    Compose(targets, raster, frame, position);
  }
  return damage;
}

void SoftCompositor::ForgetWindowFrame(NativeWindow window) { frames_.erase(window); }

BitmapView SoftCompositor::SurfacePixels(const DrawingSurface& surface) {
  const auto* soft = dynamic_cast<const SoftDrawingSurface*>(&surface);
  if (soft == nullptr) ThrowSoftError(kSoftInvalidArg, L"Surface of another compositor");
  return soft->view();
}

}  // namespace orvane
