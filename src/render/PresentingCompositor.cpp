#include "render/PresentingCompositor.h"

#include <algorithm>

namespace orvane {

PresentingCompositor::PresentingCompositor(Compositor& inner, std::function<void()> afterDraw)
    : inner_(inner), afterDraw_(std::move(afterDraw)) {}

PresentingCompositor::Windows PresentingCompositor::CollectWindows() {
  Windows result;
  std::vector<NativeWindow> expired;
  std::erase_if(windows_, [&](const auto& entry) {
    if (entry.second.expired()) {
      expired.push_back(entry.first);
      return true;
    }
    if (std::find(result.live.begin(), result.live.end(), entry.first) == result.live.end()) {
      result.live.push_back(entry.first);
    }
    return false;
  });
  // A window with a released target and a live one (the other layer) is still shown.
  for (NativeWindow window : expired) {
    const auto seen = [&](const std::vector<NativeWindow>& list) {
      return std::find(list.begin(), list.end(), window) != list.end();
    };
    if (!seen(result.live) && !seen(result.closed)) result.closed.push_back(window);
  }
  return result;
}

std::shared_ptr<WindowTarget> PresentingCompositor::CreateWindowTarget(NativeWindow window, bool topmost) {
  auto target = inner_.CreateWindowTarget(window, topmost);
  windows_.emplace_back(window, target);
  return target;
}

bool PresentingCompositor::DrawSurface(DrawingSurface& surface, int widthPx, int heightPx,
                                       const std::function<void(Canvas&)>& draw) {
  const bool drawn = inner_.DrawSurface(surface, widthPx, heightPx, draw);
  TakeDeviceLoss();
  if (afterDraw_) afterDraw_();
  return drawn;
}

bool PresentingCompositor::DrawPixels(DrawingSurface& surface, int width, int height, const std::uint8_t* pixels) {
  const bool drawn = inner_.DrawPixels(surface, width, height, pixels);
  TakeDeviceLoss();
  if (afterDraw_) afterDraw_();
  return drawn;
}

void PresentingCompositor::TakeDeviceLoss() {
  if (!inner_.deviceLost) return;
  inner_.deviceLost = false;
  deviceLost = true;
}

}  // namespace orvane
