#pragma once
// Shell icons and bitmaps as IconImages.

#include <windows.h>

#include <cstddef>

#include "system/IconImage.h"

namespace orvane {

// Draws the icon with DrawIconEx into a top-down 32-bit DIB section at the
// size of its colour bitmap (requestedSize squared when it has none), and
// once more with only its mask, which gives icons without alpha theirs
// (FinishDrawnIcon). The icon itself is left alone; the caller destroys it
// if it owns it.
IconImage ImageFromIcon(HICON icon, unsigned requestedSize);

// A bitmap from IShellItemImageFactory, read as a top-down 32-bit DIB with
// its alpha fixed up. The bitmap is left alone.
IconImage ImageFromShellBitmap(HBITMAP bitmap);

}  // namespace orvane
