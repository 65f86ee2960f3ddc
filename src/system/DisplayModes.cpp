#include "system/DisplayModes.h"

#include <algorithm>

namespace orvane {
namespace {

bool Contains(const std::vector<std::int32_t>& values, std::int32_t value) {
  return std::find(values.begin(), values.end(), value) != values.end();
}

void SortUnique(std::vector<std::int32_t>& values) {
  std::sort(values.begin(), values.end());
  values.erase(std::unique(values.begin(), values.end()), values.end());
}

std::vector<std::int32_t> OfferedRates(std::vector<std::int32_t> rates, std::int32_t currentHz) {
  std::sort(rates.begin(), rates.end());
  if (rates.empty() && currentHz > 0) rates.push_back(currentHz);
  if (rates.size() >= kRatesBeforeThinning) {
    std::vector<std::int32_t> thinned{rates.front(), rates[rates.size() / 2], rates.back()};
    if (!Contains(thinned, currentHz)) thinned.push_back(currentHz);
    SortUnique(thinned);
    rates = std::move(thinned);
  }
  return rates;
}

}  // namespace

DisplayModeLists BuildDisplayModeLists(const std::vector<DisplayMode>& modes, const DisplayMode& current) {
  std::vector<std::int32_t> rates;
  std::vector<DisplayResolution> sizes;
  for (const DisplayMode& mode : modes) {
    if (mode.bitsPerPixel < kMinBitsPerPixel) continue;
    if (mode.width == current.width && mode.height == current.height && mode.refreshHz >= kMinRefreshHz &&
        !Contains(rates, mode.refreshHz)) {
      rates.push_back(mode.refreshHz);
    }
    const bool listed = std::any_of(sizes.begin(), sizes.end(), [&](const DisplayResolution& size) {
      return size.width == mode.width && size.height == mode.height;
    });
    if (mode.width >= kMinListedWidth && mode.height >= kMinListedHeight && !listed) {
      sizes.push_back({mode.width, mode.height, current.refreshHz, false});
    }
  }

  DisplayModeLists lists;
  lists.refreshRates = OfferedRates(std::move(rates), current.refreshHz);

  // Stable, so sizes of equal area keep the order the display reports them in.
  std::stable_sort(sizes.begin(), sizes.end(), [](const DisplayResolution& a, const DisplayResolution& b) {
    return std::int64_t{a.width} * a.height > std::int64_t{b.width} * b.height;
  });
  if (sizes.size() > kMaxResolutions) sizes.resize(kMaxResolutions);
  for (DisplayResolution& size : sizes) {
    size.isCurrent = size.width == current.width && size.height == current.height;
  }
  lists.resolutions = std::move(sizes);
  return lists;
}

}  // namespace orvane
