#pragma once
// The refresh rates and resolutions the display page offers, picked from the
// display's full mode list.

#include <cstdint>
#include <vector>

#include "system/SystemControlsPlatform.h"

namespace orvane {

struct DisplayResolution {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t refreshHz = 0;  // the current rate, applied with the resolution
  bool isCurrent = false;
  bool operator==(const DisplayResolution&) const = default;
};

struct DisplayModeLists {
  std::vector<std::int32_t> refreshRates;      // ascending, no duplicates
  std::vector<DisplayResolution> resolutions;  // at most kMaxResolutions, largest area first
};

inline constexpr std::int32_t kMinBitsPerPixel = 32;
inline constexpr std::int32_t kMinRefreshHz = 48;
inline constexpr std::int32_t kMinListedWidth = 1280;
inline constexpr std::int32_t kMinListedHeight = 720;
inline constexpr std::size_t kMaxResolutions = 4;
// From this many rates on, only the lowest, middle and highest (and the
// current one) are offered.
inline constexpr std::size_t kRatesBeforeThinning = 5;

// Rates come from true-colour modes at the current size (48 Hz and up);
// resolutions from true-colour modes of at least 1280 x 720.
DisplayModeLists BuildDisplayModeLists(const std::vector<DisplayMode>& modes, const DisplayMode& current);

}  // namespace orvane
