#pragma once
// An HTTP client held in memory, for tests, benchmarks and the preview tool.
// It answers by path (and optionally host) with a stored body or the current
// contents of a file, answers unknown paths like a 404 (empty), records every
// request, and can hold requests until released so tests can race workers
// against their owner.

#include <condition_variable>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "system/HttpClient.h"

namespace orvane {

struct RecordedHttpRequest {
  std::wstring host;
  std::wstring pathAndQuery;
  HttpTimeouts timeouts;
};

class FakeHttpClient final : public HttpClient {
 public:
  // Answers pathAndQuery with body (from any host).
  void Serve(std::wstring pathAndQuery, std::string body);
  // Answers pathAndQuery with the file's bytes, read at request time; a
  // missing file answers empty.
  void ServeFile(std::wstring pathAndQuery, std::filesystem::path file);
  // Answers every path not served explicitly (unset: empty, like a 404).
  void ServeByDefault(std::string body);

  // While held, Get blocks (after recording the request) until released.
  void HoldRequests();
  void ReleaseRequests();
  // Blocks until at least count requests have been made.
  void WaitForRequests(size_t count);

  std::vector<RecordedHttpRequest> Requests() const;

  std::string Get(std::wstring_view host, std::wstring_view pathAndQuery,
                  const HttpTimeouts& timeouts) override;

 private:
  struct Answer {
    std::string body;
    std::filesystem::path file;
    bool fromFile = false;
  };

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::map<std::wstring, Answer, std::less<>> answers_;
  bool hasDefault_ = false;
  std::string defaultBody_;
  bool held_ = false;
  std::vector<RecordedHttpRequest> requests_;
};

}  // namespace orvane
