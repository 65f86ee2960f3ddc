#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "system/HttpTransport.h"

namespace orvane {
namespace {

// One step of a scripted body: the size announced by QueryDataAvailable and
// what the following Read delivers (fewer bytes than announced, or failure).
struct Chunk {
  std::uint32_t announced = 0;
  std::string delivered;
  bool readFails = false;
};

Chunk Full(std::string bytes) {
  const auto size = static_cast<std::uint32_t>(bytes.size());
  return {size, std::move(bytes), false};
}

class ScriptedResponse final : public HttpResponseReader {
 public:
  ScriptedResponse(std::optional<std::uint32_t> status, std::vector<Chunk> chunks)
      : status_(status), chunks_(chunks.begin(), chunks.end()) {}

  std::optional<std::uint32_t> StatusCode() override { return status_; }
  bool QueryDataAvailable(std::uint32_t& available) override {
    available = chunks_.empty() ? 0 : chunks_.front().announced;
    return true;
  }
  bool Read(char* destination, std::uint32_t size, std::uint32_t& bytesRead) override {
    ++reads;
    Chunk chunk = std::move(chunks_.front());
    chunks_.pop_front();
    if (chunk.readFails) return false;
    EXPECT_LE(chunk.delivered.size(), size);
    // Scribble over the whole offered space so stale bytes would show.
    std::memset(destination, '#', size);
    std::memcpy(destination, chunk.delivered.data(), chunk.delivered.size());
    bytesRead = static_cast<std::uint32_t>(chunk.delivered.size());
    return true;
  }

  int reads = 0;

 private:
  std::optional<std::uint32_t> status_;
  std::deque<Chunk> chunks_;
};

TEST(HttpTransportTest, StatusAndReadLoop) {
  struct Case {
    const char* name;
    std::optional<std::uint32_t> status;
    std::vector<Chunk> chunks;
    std::string expected;
  };
  const Case cases[] = {
      {"200 in two chunks", 200, {Full("{\"a\":"), Full("1}")}, "{\"a\":1}"},
      {"404 error page is discarded", 404, {Full("{\"error\":\"not found\"}")}, ""},
      {"301 is not followed", 301, {Full("moved")}, ""},
      {"unreadable status", std::nullopt, {Full("body")}, ""},
      {"empty 200", 200, {}, ""},
      {"failing read keeps what came before", 200, {Full("abc"), {5, "", true}, Full("never")}, "abc"},
      {"short reads are trimmed", 200, {{10, "abcd"}, {6, "ef"}}, "abcdef"},
      {"a successful empty read ends the body", 200, {{4, ""}, Full("late")}, ""},
  };
  for (const Case& c : cases) {
    ScriptedResponse response(c.status, c.chunks);
    EXPECT_EQ(ReadHttpBody(response), c.expected) << c.name;
  }
}

TEST(HttpTransportTest, BodyStopsWithinOneChunkOfTheCeiling) {
  constexpr std::uint32_t kChunk = 7000;
  const std::size_t total = 300 * 1024;
  std::vector<Chunk> chunks;
  for (std::size_t sent = 0; sent < total; sent += kChunk) chunks.push_back(Full(std::string(kChunk, 'x')));
  ScriptedResponse response(200, chunks);

  const std::string body = ReadHttpBody(response);
  EXPECT_GE(body.size(), kHttpBodyCeiling);
  EXPECT_LT(body.size(), kHttpBodyCeiling + kChunk);
  EXPECT_EQ(body.size(), static_cast<std::size_t>(response.reads) * kChunk);
  EXPECT_EQ(body.find_first_not_of('x'), std::string::npos);
}

// Records what it was asked and answers with a scripted response, or with
// nothing as a failed connection does.
class RecordingTransport final : public HttpTransport {
 public:
  std::unique_ptr<HttpResponseReader> Send(std::wstring_view host, std::wstring_view pathAndQuery,
                                           const HttpTimeouts& timeouts) override {
    hosts.emplace_back(host);
    paths.emplace_back(pathAndQuery);
    sentTimeouts.push_back(timeouts);
    if (!connects) return nullptr;
    return std::make_unique<ScriptedResponse>(200, std::vector<Chunk>{Full("ok")});
  }

  bool connects = true;
  std::vector<std::wstring> hosts;
  std::vector<std::wstring> paths;
  std::vector<HttpTimeouts> sentTimeouts;
};

TEST(HttpTransportTest, EachCallerKeepsItsOwnTimeouts) {
  RecordingTransport transport;
  EXPECT_EQ(HttpGetVia(transport, L"lyrics.example", L"/api/get?x=1", kLyricsHttpTimeouts), "ok");
  EXPECT_EQ(HttpGetVia(transport, L"weather.example", L"/?format=j1", kWeatherHttpTimeouts), "ok");
  EXPECT_EQ(transport.sentTimeouts, (std::vector<HttpTimeouts>{{2500, 2500, 2500, 3500}, {3000, 3000, 3000, 4000}}));
  EXPECT_EQ(transport.hosts, (std::vector<std::wstring>{L"lyrics.example", L"weather.example"}));
  EXPECT_EQ(transport.paths, (std::vector<std::wstring>{L"/api/get?x=1", L"/?format=j1"}));

  transport.connects = false;
  EXPECT_EQ(HttpGetVia(transport, L"h", L"/", kLyricsHttpTimeouts), "");
}

}  // namespace
}  // namespace orvane
