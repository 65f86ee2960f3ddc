#pragma once
// IconImage <-> PNG bytes. PNG holds straight (un-premultiplied) alpha, so
// encoding un-premultiplies a copy and decoding premultiplies again, both
// with the rules of IconPixels.h. Consequences, on every build:
//   - a valid IconImage (each colour <= its alpha) decodes back byte for
//     byte from its own encoding, translucent pixels included;
//   - a pixel with a colour above its alpha (not valid premultiplied data)
//     comes back clamped after the first trip and stays that way after.
// The platform supplies only the container format (libpng on Linux, WIC on
// Windows); both work on straight BGRA, rows top-down.

#include <cstddef>  // before IconImage.h, which uses size_t
#include <cstdint>
#include <span>
#include <vector>

#include "system/IconImage.h"

namespace orvane {

class PngCodec {
 public:
  virtual ~PngCodec() = default;

  // Empty on failure or for an empty image.
  std::vector<std::uint8_t> Encode(const IconImage& image);
  // Empty unless `png` is one complete PNG file (signature first, the IEND
  // chunk last: a file cut short anywhere is rejected) whose width and
  // height are both at most maxSide.
  IconImage Decode(std::span<const std::uint8_t> png, int maxSide);

  // Straight BGRA, stride width * 4.
  struct Straight {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bgra;
  };

 protected:
  // One 8-bit BGRA PNG of the pixels; empty on failure.
  virtual std::vector<std::uint8_t> EncodeStraight(const Straight& image) = 0;
  // The first frame as straight BGRA; false when the data is not a readable
  // PNG or either side exceeds maxSide (checked before pixels are allocated).
  virtual bool DecodeStraight(std::span<const std::uint8_t> png, int maxSide, Straight& out) = 0;
};

// The platform's codec (headless/PngCodecLibpng.cpp, win32/PngCodecWic.cpp).
PngCodec& PlatformPngCodec();

// True for bytes that begin with the PNG signature and end with an IEND chunk.
bool HasPngFraming(std::span<const std::uint8_t> bytes);

}  // namespace orvane
