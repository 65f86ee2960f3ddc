#include "system/Lyrics.h"

#include <algorithm>
#include <exception>

#include <nlohmann/json.hpp>

#include "app/TextUtil.h"
#include "app/Json.h"
#include "system/FailureLog.h"

namespace orvane {
namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// The leading decimal number of text ("12.50xyz" -> 12.5); 0 when there is
// none. Accumulated in double so no digit string can overflow.
double LeadingDecimal(std::wstring_view text) {
  double value = 0.0;
  std::size_t i = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) value = value * 10.0 + (text[i] - L'0');
  if (i < text.size() && text[i] == L'.') {
    double scale = 0.1;
    for (++i; i < text.size() && IsDigit(text[i]); ++i, scale /= 10.0) value += (text[i] - L'0') * scale;
  }
  return value;
}

// The time of a tag's inside ("01:10.00" -> 70), or a negative value when the
// tag is not a time tag (header tags like "ar:Someone" or "offset:+500").
double TagTime(std::wstring_view tag) {
  const std::size_t colon = tag.find(L':');
  if (colon == std::wstring_view::npos || colon == 0) return -1.0;
  const std::wstring_view minutes = tag.substr(0, colon);
  if (!std::all_of(minutes.begin(), minutes.end(), IsDigit)) return -1.0;
  return LeadingDecimal(minutes) * 60.0 + LeadingDecimal(tag.substr(colon + 1));
}

std::wstring_view TrimSpacesAndTabs(std::wstring_view text) {
  const auto isBlank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

void ParseLrcLine(std::wstring_view line, std::vector<LyricLine>& out) {
  std::vector<double> times;
  std::size_t read = 0;
  while (read < line.size() && line[read] == L'[') {
    const std::size_t close = line.find(L']', read + 1);
    if (close == std::wstring_view::npos) break;
    const double time = TagTime(line.substr(read + 1, close - read - 1));
    if (time >= 0.0) times.push_back(time);
    read = close + 1;
  }
  if (times.empty()) return;
  const std::wstring_view text = TrimSpacesAndTabs(line.substr(read));
  if (text.empty()) return;
  for (const double time : times) out.push_back({time, std::wstring(text)});
}

std::vector<LyricLine> LinesOfElement(const nlohmann::json& element) {
  if (!element.is_object()) return {};
  const auto it = element.find("syncedLyrics");
  if (it == element.end() || !it->is_string()) return {};
  return ParseLrc(Utf8ToWide(it->get_ref<const std::string&>()));
}

}  // namespace

std::vector<LyricLine> ParseLrc(std::wstring_view text) {
  std::vector<LyricLine> lines;
  while (!text.empty()) {
    const std::size_t end = text.find(L'\n');
    std::wstring_view line = text.substr(0, end);
    if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);
    ParseLrcLine(line, lines);
    if (end == std::wstring_view::npos) break;
    text.remove_prefix(end + 1);
  }
  std::stable_sort(lines.begin(), lines.end(),
                   [](const LyricLine& a, const LyricLine& b) { return a.time < b.time; });
  return lines;
}

std::wstring UrlEncode(std::wstring_view text) {
  return PercentEncodeUtf8(text, [](unsigned char byte) {
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') ||
           byte == '-' || byte == '.' || byte == '_' || byte == '~';
  });
}

std::wstring LyricsGetPath(std::wstring_view title, std::wstring_view artist) {
  std::wstring path = L"/api/get?track_name=" + UrlEncode(title);
  if (!artist.empty()) path += L"&artist_name=" + UrlEncode(artist);
  return path;
}

std::wstring LyricsSearchPath(std::wstring_view title, std::wstring_view artist) {
  std::wstring query(title);
  if (!artist.empty()) {
    query += L' ';
    query += artist;
  }
  return L"/api/search?q=" + UrlEncode(query);
}

std::vector<LyricLine> LyricsFromResponse(std::string_view body) {
  // Malformed UTF-8 reads as U+FFFD, so one bad byte in a field nobody reads
  // does not make the whole answer unreadable; a hostile answer nested
  // thousands deep is refused instead of exhausting the worker's stack.
  const nlohmann::json root = ParseJsonDocument(body);
  if (root.is_object()) return LinesOfElement(root);
  if (root.is_array()) {
    for (const nlohmann::json& element : root) {
      std::vector<LyricLine> lines = LinesOfElement(element);
      if (!lines.empty()) return lines;
    }
  }
  return {};
}

std::vector<LyricLine> FetchLyrics(HttpClient& http, std::wstring_view host, std::wstring_view title,
                                   std::wstring_view artist) {
  try {
    std::string body = http.Get(host, LyricsGetPath(title, artist), kLyricsHttpTimeouts);
    if (body.empty()) body = http.Get(host, LyricsSearchPath(title, artist), kLyricsHttpTimeouts);
    return LyricsFromResponse(body);
  } catch (...) {
    ReportCurrentException(L"Lyrics fetch");
    return {};
  }
}

std::size_t LyricIndexAt(const std::vector<LyricLine>& lines, double position) {
  const auto after = std::upper_bound(lines.begin(), lines.end(), position + kLyricLead,
                                      [](double t, const LyricLine& line) { return t < line.time; });
  return after == lines.begin() ? 0 : static_cast<std::size_t>(after - lines.begin() - 1);
}

}  // namespace orvane
