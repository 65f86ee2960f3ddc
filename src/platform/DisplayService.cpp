#include "platform/DisplayService.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace orvane {
namespace {

// Squared distance from the point to the nearest pixel of the rectangle.
std::int64_t DistanceSquared(const ScreenRect& r, ScreenPoint p) {
  const std::int64_t dx = p.x < r.left ? std::int64_t{r.left} - p.x : p.x >= r.right ? std::int64_t{p.x} - (r.right - 1) : 0;
  const std::int64_t dy = p.y < r.top ? std::int64_t{r.top} - p.y : p.y >= r.bottom ? std::int64_t{p.y} - (r.bottom - 1) : 0;
  return dx * dx + dy * dy;
}

DisplayMonitor StandInMonitor() {
  DisplayMonitor monitor;
  monitor.rect = {0, 0, 1920, 1080};
  monitor.workArea = monitor.rect;
  monitor.primary = true;
  return monitor;
}

}  // namespace

float DpiScale(std::optional<unsigned> monitorDpi, unsigned windowDpi) {
  if (monitorDpi && *monitorDpi != 0) return static_cast<float>(*monitorDpi) / 96.0f;
  if (windowDpi != 0) return static_cast<float>(windowDpi) / 96.0f;
  return 1.0f;
}

std::optional<std::size_t> NearestMonitorIndex(const std::vector<DisplayMonitor>& monitors, ScreenPoint point) {
  std::optional<std::size_t> best;
  std::int64_t bestDistance = std::numeric_limits<std::int64_t>::max();
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    const std::int64_t distance = DistanceSquared(monitors[i].rect, point);
    if (distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best;
}

DisplayService::DisplayService(DisplayPlatform& platform) : platform_(platform), monitors_(platform.EnumerateMonitors()) {}

bool DisplayService::Refresh() {
  std::vector<DisplayMonitor> monitors = platform_.EnumerateMonitors();
  if (monitors == monitors_) return false;
  monitors_ = std::move(monitors);
  // A listener may add or remove listeners; it is called from a copy.
  const auto listeners = listeners_;
  for (const auto& [id, listener] : listeners) {
    if (listener) listener();
  }
  return true;
}

DisplayMonitor DisplayService::Primary() const {
  if (monitors_.empty()) return StandInMonitor();
  const auto primary = std::find_if(monitors_.begin(), monitors_.end(), [](const DisplayMonitor& m) { return m.primary; });
  return primary != monitors_.end() ? *primary : monitors_.front();
}

std::optional<std::size_t> DisplayService::IndexOf(MonitorHandle monitor) const {
  if (monitor == 0) return std::nullopt;
  for (std::size_t i = 0; i < monitors_.size(); ++i) {
    if (monitors_[i].handle == monitor) return i;
  }
  return std::nullopt;
}

DisplayMonitor DisplayService::Find(MonitorHandle monitor) const {
  const auto index = IndexOf(monitor);
  return index ? monitors_[*index] : Primary();
}

DisplayMonitor DisplayService::FromPoint(ScreenPoint point) const {
  // The system answers with the layout it has now; until the owner refreshes
  // the list may be older, so a handle it does not know is placed by the list.
  if (const auto index = IndexOf(platform_.MonitorAtPoint(point))) return monitors_[*index];
  const auto nearest = NearestMonitorIndex(monitors_, point);
  return nearest ? monitors_[*nearest] : Primary();
}

DisplayMonitor DisplayService::FromWindow(WindowHandle window) const {
  if (window == kNoWindow) return Primary();
  return Find(platform_.MonitorOfWindow(window));
}

DisplayMonitor DisplayService::UnderPointer() const {
  const auto pointer = platform_.PointerPosition();
  return pointer ? FromPoint(*pointer) : Primary();
}

DisplayService::ListenerId DisplayService::AddListener(std::function<void()> listener) {
  const ListenerId id = nextListener_++;
  listeners_.emplace_back(id, std::move(listener));
  return id;
}

void DisplayService::RemoveListener(ListenerId id) {
  std::erase_if(listeners_, [id](const auto& entry) { return entry.first == id; });
}

}  // namespace orvane
