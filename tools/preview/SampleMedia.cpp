#include "SampleMedia.h"

#include "render/PixelCanvas.h"

namespace orvane::preview {

MediaInfo WithSampleCover(MediaInfo info) {
  constexpr int kSide = 120;
  info.artWidth = kSide;
  info.artHeight = kSide;
  info.artPixels.assign(static_cast<size_t>(kSide) * kSide * 4, 0);
  auto canvas = CreatePixelCanvas(info.artPixels.data(), kSide, kSide, kSide * 4);
  canvas->FillRect(RectF{0, 0, kSide, kSide}, LinearGradient{{0, 0},
                                                             {0, kSide},
                                                             {{0, Color::FromArgb(0xFF1E3A8A)},
                                                              {0.6f, Color::FromArgb(0xFFDB2777)},
                                                              {1, Color::FromArgb(0xFFF59E0B)}}});
  canvas->FillEllipse({kSide * 0.62f, kSide * 0.58f}, kSide * 0.2f, kSide * 0.2f, Color{1, 0.95f, 0.8f, 0.9f});
  info.artVersion = 1;
  return info;
}

MediaInfo PlayingSample(bool lyrics) {
  MediaInfo info;
  info.hasSession = true;
  info.isPlaying = true;
  info.title = L"夜空中最亮的星 (Live)";
  info.artist = L"Example Band";
  if (lyrics) {
    info.hasLyrics = true;
    info.currentLine = L"能否听清 那仰望的人 心底的孤独和叹息";
  }
  return info;
}

}  // namespace orvane::preview
