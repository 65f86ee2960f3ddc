// fuzz-sources: src/system/Lyrics.cpp src/app/Json.cpp src/app/TextUtil.cpp src/app/headless/EnvironmentPosix.cpp
// LRC text and lyrics service answers straight from the network: whatever
// arrives, parsing must not crash, and the lines must come out sorted, with
// trimmed non-empty text, and usable for the line lookup.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "app/TextUtil.h"
#include "system/FailureLog.h"
#include "system/Lyrics.h"

// The fetch path reports failures to the log; the parsers fuzzed here never
// reach it, and the log (with its source locations) is not part of this build.
void orvane::ReportCurrentException(std::wstring_view) {}

namespace {

void CheckLines(const std::vector<orvane::LyricLine>& lines) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const orvane::LyricLine& line = lines[i];
    if (line.text.empty() || !(line.time >= 0.0)) std::abort();
    const wchar_t first = line.text.front();
    const wchar_t last = line.text.back();
    if (first == L' ' || first == L'\t' || last == L' ' || last == L'\t') std::abort();
    if (i > 0 && lines[i - 1].time > line.time) std::abort();
  }
  if (lines.empty()) return;
  for (const double position : {-1.0, 0.0, lines.front().time, lines.back().time, 1e12}) {
    if (orvane::LyricIndexAt(lines, position) >= lines.size()) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CheckLines(orvane::ParseLrc(orvane::Utf8ToWide(bytes)));
  CheckLines(orvane::LyricsFromResponse(bytes));
  return 0;
}
