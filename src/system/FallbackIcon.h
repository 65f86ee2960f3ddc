#pragma once
// The placeholder drawn when no source yields an icon: a soft blue rounded
// square, antialiased by its signed distance, on a transparent background.

#include <cstddef>  // before IconImage.h, which uses size_t
#include <cstdint>

#include "system/IconImage.h"

namespace orvane {

// Larger requests get a placeholder of this size; consumers scale anyway.
inline constexpr unsigned kMaxDrawnIconSize = 1024;

// An N x N rounded square centred at N/2, half-side 0.2 N plus corner radius
// 0.22 N (it spans 0.08 N to 0.92 N), in (red, green, blue) premultiplied at
// up to maxAlpha. Empty for N = 0.
IconImage DrawRoundedSquareIcon(unsigned size, std::uint8_t red, std::uint8_t green, std::uint8_t blue,
                                std::uint8_t maxAlpha);

// (90, 145, 210) at up to 220 opacity.
IconImage DrawPlaceholderIcon(unsigned size);

// Shown while an icon is on its way: a faint white rounded square.
IconImage DrawLoadingPlaceholder(unsigned size);

}  // namespace orvane
