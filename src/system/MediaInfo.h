#pragma once
// What the media session knows about the playing track, as the dock's music
// item, the music popup and the control center's media tile read it.

#include <cstdint>
#include <string>
#include <vector>

namespace orvane {

struct LyricLine {
  double time = 0.0;  // seconds from the start of the track
  std::wstring text;
  bool operator==(const LyricLine&) const = default;
};

struct MediaInfo {
  bool hasSession = false;  // a session exists and is not closed
  bool isPlaying = false;
  std::wstring title;
  std::wstring artist;
  std::wstring sourceApp;  // short name of the playing application
  // Cover art as premultiplied BGRA, top-down, stride artWidth * 4 (the
  // IconImage layout); 0 x 0 when there is none.
  std::int32_t artWidth = 0;
  std::int32_t artHeight = 0;
  std::vector<std::uint8_t> artPixels;
  // Counts track changes; surfaces rebuild their art bitmap when it moves.
  std::int32_t artVersion = 0;
  double position = 0.0;  // seconds
  double duration = 0.0;  // seconds, 0 when unknown
  // Filled only in snapshots: the lyric line to show now and the next one.
  std::wstring currentLine;
  std::wstring nextLine;
  bool hasLyrics = false;
  bool operator==(const MediaInfo&) const = default;
};

}  // namespace orvane
