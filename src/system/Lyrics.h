#pragma once
// Synchronised lyrics: the LRC text a lyrics web service returns in
// "syncedLyrics", the two requests that ask for it, and which line to show at
// a playback position.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "system/HttpClient.h"
#include "system/MediaInfo.h"

namespace orvane {

// A public service answering /api/get and /api/search with "syncedLyrics".
inline constexpr std::wstring_view kLyricsHost = L"lrclib.net";

// Lines ordered by time (stable: lines at the same time keep their order).
// Each time tag of a line yields one entry; lines without time tags or
// without text are dropped; header tags such as [ar:] or [offset:] are
// skipped and no offset is applied.
std::vector<LyricLine> ParseLrc(std::wstring_view text);

// Percent-encodes the UTF-8 form of text for a query string: A-Z a-z 0-9 and
// "-._~" stay, every other byte becomes %XX (upper-case hex).
std::wstring UrlEncode(std::wstring_view text);

// Request A (exact match) and request B (free search), as paths with query.
std::wstring LyricsGetPath(std::wstring_view title, std::wstring_view artist);
std::wstring LyricsSearchPath(std::wstring_view title, std::wstring_view artist);

// The lines in a service answer: an object's "syncedLyrics", or in an array
// the first element whose "syncedLyrics" yields any line. Anything else
// (malformed JSON, null, plain lyrics only) gives none.
std::vector<LyricLine> LyricsFromResponse(std::string_view body);

// Request A, and request B only when A brought no answer at all. Blocks for
// the network; never throws.
std::vector<LyricLine> FetchLyrics(HttpClient& http, std::wstring_view host, std::wstring_view title,
                                   std::wstring_view artist);

// Lines switch this much before their time stamp.
inline constexpr double kLyricLead = 0.25;

// Index of the line to show at position: the last one starting at or before
// position + kLyricLead, or 0 before the first line (so it shows early).
// lines must be sorted and not empty.
std::size_t LyricIndexAt(const std::vector<LyricLine>& lines, double position);

}  // namespace orvane
