#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "app/TextUtil.h"
#include "system/FakeHttpClient.h"
#include "system/Lyrics.h"

namespace orvane {
namespace {

using Lines = std::vector<LyricLine>;

struct LrcCase {
  const char* name;
  std::wstring text;
  Lines expected;
};

TEST(LyricsTest, ParseLrcTable) {
  const LrcCase cases[] = {
      {"one stamp", L"[00:12.50]Hello", {{12.5, L"Hello"}}},
      {"several stamps share the text", L"[00:12.50][01:10.00]Hello", {{12.5, L"Hello"}, {70.0, L"Hello"}}},
      {"header tags skipped, no offset applied",
       L"[ar:Someone]\n[ti:Song]\n[offset:+500]\n[00:01.00]a",
       {{1.0, L"a"}}},
      {"stamp without text dropped", L"[00:20.00]\n[00:21.00]   \t\n[00:22.00]x", {{22.0, L"x"}}},
      {"CRLF, blank lines and a final line without terminator",
       L"[00:01.00]a\r\n\r\n\n[00:02.00]b\r\n[00:03.00]c",
       {{1.0, L"a"}, {2.0, L"b"}, {3.0, L"c"}}},
      {"text trimmed of spaces and tabs only", L"[00:01.00] \t a b \u3000\t ", {{1.0, L"a b \u3000"}}},
      {"header tag between stamps is skipped", L"[00:01.00][by:x][00:02.00]t", {{1.0, L"t"}, {2.0, L"t"}}},
      {"out-of-order stamps sorted, equal times keep file order",
       L"[00:30.00]c\n[00:10.00]a\n[00:10.00]b\n[00:20.00]m",
       {{10.0, L"a"}, {10.0, L"b"}, {20.0, L"m"}, {30.0, L"c"}}},
      {"minutes above 59 and fractions of any length",
       L"[75:00]long\n[0:1.5]short\n[00:02.123456]fine",
       {{1.5, L"short"}, {2.123456, L"fine"}, {4500.0, L"long"}}},
      {"seconds read up to the first non-number", L"[00:05.5abc]x\n[00:07:99]y\n[00:]z",
       {{0.0, L"z"}, {5.5, L"x"}, {7.0, L"y"}}},
      {"not a time tag: empty or non-digit minutes", L"[:10]a\n[0a:10]b\n[ 1:10]c\n[-1:10]d", {}},
      {"no time tags at all", L"plain lyrics\nwithout stamps", {}},
      {"line not starting with a tag", L" [00:01.00]late\nx[00:02.00]y", {}},
      {"unclosed first tag", L"[00:01.00 text", {}},
      {"unclosed later tag becomes text", L"[00:01.00][00:02 rest", {{1.0, L"[00:02 rest"}}},
      {"tag-looking text after the text stays text", L"[00:01.00]a [00:02.00] b", {{1.0, L"a [00:02.00] b"}}},
      {"empty input", L"", {}},
      {"lone carriage returns and newlines", L"\r\r\n\n\r", {}},
  };
  for (const LrcCase& c : cases) {
    EXPECT_EQ(ParseLrc(c.text), c.expected) << c.name;
  }
}

TEST(LyricsTest, ParseLrcSurvivesAdversarialInput) {
  // A minute count far beyond any integer type must not overflow or throw.
  const Lines huge = ParseLrc(std::wstring(L"[") + std::wstring(400, L'9') + L":00]x");
  ASSERT_EQ(huge.size(), 1u);
  EXPECT_GT(huge[0].time, 1e300);

  // Non-UTF-8 bytes arrive as replacement characters and are kept as text.
  const Lines broken = ParseLrc(Utf8ToWide("[00:01.00]caf\xE9 \xFF\xFE\n\xC3[00:02]x"));
  ASSERT_EQ(broken.size(), 1u);
  EXPECT_EQ(broken[0].text, L"caf\uFFFD \uFFFD\uFFFD");

  // Large input: many lines, each with many stamps, out of order.
  std::wstring big;
  for (int i = 5000; i > 0; --i) {
    big += L"[" + std::to_wstring(i / 60) + L":" + std::to_wstring(i % 60) + L"][" + std::to_wstring(i) +
           L":00]line\n";
  }
  big += std::wstring(100000, L'[');  // tags that never close
  const auto start = std::chrono::steady_clock::now();
  const Lines many = ParseLrc(big);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  ASSERT_EQ(many.size(), 10000u);
  EXPECT_TRUE(std::is_sorted(many.begin(), many.end(),
                             [](const LyricLine& a, const LyricLine& b) { return a.time < b.time; }));
}

TEST(LyricsTest, UrlEncodeTable) {
  const struct {
    std::wstring text;
    std::wstring expected;
  } cases[] = {
      {L"AZaz09-._~", L"AZaz09-._~"},
      {L"Rock & Roll?", L"Rock%20%26%20Roll%3F"},
      {L"a+b=c/d#e%", L"a%2Bb%3Dc%2Fd%23e%25"},
      {L"晴天", L"%E6%99%B4%E5%A4%A9"},
      {L"caf\u00e9", L"caf%C3%A9"},
      {L"\U0001F3B5", L"%F0%9F%8E%B5"},
      {L"", L""},
  };
  for (const auto& c : cases) EXPECT_EQ(UrlEncode(c.text), c.expected);
}

TEST(LyricsTest, RequestPaths) {
  EXPECT_EQ(LyricsGetPath(L"A&B", L"Ann"), L"/api/get?track_name=A%26B&artist_name=Ann");
  EXPECT_EQ(LyricsGetPath(L"Song", L""), L"/api/get?track_name=Song");
  EXPECT_EQ(LyricsSearchPath(L"Song?", L"The Band"), L"/api/search?q=Song%3F%20The%20Band");
  EXPECT_EQ(LyricsSearchPath(L"Song", L""), L"/api/search?q=Song");
}

TEST(LyricsTest, LinesFromServiceAnswers) {
  const struct {
    const char* name;
    std::string body;
    Lines expected;
  } cases[] = {
      {"object", R"({"id":1,"syncedLyrics":"[00:01.00]a\n[00:02.00]b","plainLyrics":"a\nb"})",
       {{1.0, L"a"}, {2.0, L"b"}}},
      {"null synced lyrics", R"({"syncedLyrics":null,"plainLyrics":"a"})", {}},
      {"missing key", R"({"plainLyrics":"a"})", {}},
      {"not a string", R"({"syncedLyrics":["[00:01]a"]})", {}},
      {"array: first element with lines wins",
       R"([{"syncedLyrics":null},{"syncedLyrics":"no stamps"},7,{"syncedLyrics":"[00:03]c"},{"syncedLyrics":"[00:04]d"}])",
       {{3.0, L"c"}}},
      {"empty array", "[]", {}},
      {"chinese text", "{\"syncedLyrics\":\"[00:01.00]\xE6\x99\xB4\xE5\xA4\xA9\"}", {{1.0, L"晴天"}}},
      {"escaped text", R"({"syncedLyrics":"[00:01.00]\u6674 \"q\"\r\n[00:02]x"})", {{1.0, L"晴 \"q\""}, {2.0, L"x"}}},
      {"invalid UTF-8 elsewhere does not spoil the answer",
       "{\"artistName\":\"\xFF\",\"syncedLyrics\":\"[00:01]a\"}", {{1.0, L"a"}}},
      {"malformed JSON", R"({"syncedLyrics":"[00:01]a")", {}},
      {"cut at the size limit", std::string(R"([{"syncedLyrics":"[00:01]a"},{"syncedLyr)"), {}},
      {"empty body", "", {}},
      {"html error page", "<html>404</html>", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(LyricsFromResponse(c.body), c.expected) << c.name;
}

// A hostile answer nested as deep as the body ceiling allows must be refused,
// not recursed into on a worker thread's small stack.
TEST(LyricsTest, DeeplyNestedAnswerIsRefused) {
  const std::string body = std::string(256 * 1024, '[') + std::string(256 * 1024, ']');
  EXPECT_TRUE(LyricsFromResponse(body).empty());
}

class LyricsFetchTest : public ::testing::Test {
 protected:
  static constexpr const wchar_t* kGet = L"/api/get?track_name=Song&artist_name=Ann";
  static constexpr const wchar_t* kSearch = L"/api/search?q=Song%20Ann";

  std::vector<std::wstring> RequestedPaths() const {
    std::vector<std::wstring> paths;
    for (const RecordedHttpRequest& request : http.Requests()) {
      EXPECT_EQ(request.host, L"lyrics.test");
      EXPECT_EQ(request.timeouts, kLyricsHttpTimeouts);
      paths.push_back(request.pathAndQuery);
    }
    return paths;
  }

  FakeHttpClient http;
};

TEST_F(LyricsFetchTest, ExactMatchAnswersWithoutASearch) {
  http.Serve(kGet, R"({"syncedLyrics":"[00:01]a"})");
  http.Serve(kSearch, R"([{"syncedLyrics":"[00:09]z"}])");
  EXPECT_EQ(FetchLyrics(http, L"lyrics.test", L"Song", L"Ann"), (Lines{{1.0, L"a"}}));
  EXPECT_EQ(RequestedPaths(), (std::vector<std::wstring>{kGet}));
}

TEST_F(LyricsFetchTest, NonEmptyAnswerWithoutLyricsIsFinal) {
  http.Serve(kGet, R"({"syncedLyrics":null,"plainLyrics":"a"})");
  http.Serve(kSearch, R"([{"syncedLyrics":"[00:09]z"}])");
  EXPECT_TRUE(FetchLyrics(http, L"lyrics.test", L"Song", L"Ann").empty());
  EXPECT_EQ(RequestedPaths(), (std::vector<std::wstring>{kGet}));
}

TEST_F(LyricsFetchTest, NoAnswerToTheExactMatchFallsBackToSearch) {
  http.Serve(kSearch, R"([{"syncedLyrics":""},{"syncedLyrics":"[00:09]z"}])");
  EXPECT_EQ(FetchLyrics(http, L"lyrics.test", L"Song", L"Ann"), (Lines{{9.0, L"z"}}));
  EXPECT_EQ(RequestedPaths(), (std::vector<std::wstring>{kGet, kSearch}));
}

TEST_F(LyricsFetchTest, NoAnswerAtAll) {
  EXPECT_TRUE(FetchLyrics(http, L"lyrics.test", L"Song", L"Ann").empty());
  EXPECT_EQ(RequestedPaths().size(), 2u);
}

TEST(LyricsTest, LineIndexAtBoundaries) {
  const Lines lines = {{10.0, L"a"}, {20.0, L"b"}, {20.0, L"b2"}, {30.0, L"c"}};
  const struct {
    double position;
    std::size_t index;
  } cases[] = {
      {0.0, 0},      // before the first line: the first is shown early
      {9.74, 0},     {9.75, 0},  // 10.0 starts a quarter second early
      {19.74, 0},    {19.75, 2},  // equal stamps: the later one
      {29.75, 3},    {1e9, 3},   {-5.0, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(LyricIndexAt(lines, c.position), c.index) << c.position;
  EXPECT_EQ(LyricIndexAt({{10.0, L"only"}}, 9.75), 0u);
}

}  // namespace
}  // namespace orvane
