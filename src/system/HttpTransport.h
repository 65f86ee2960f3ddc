#pragma once
// The platform-neutral half of an HTTPS GET: a transport sends the request
// and hands back the response stream; the status rule and the bounded read
// loop live here so both clients (WinHTTP, tests) share them.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "system/HttpClient.h"

namespace orvane {

// A body stops growing once it holds this many bytes; the chunk that crosses
// the mark is kept, so a body ends at most one chunk beyond it.
inline constexpr std::size_t kHttpBodyCeiling = 256 * 1024;

// One answered request. The owner closes its handles when it is destroyed.
class HttpResponseReader {
 public:
  virtual ~HttpResponseReader() = default;
  // The numeric status code; nullopt when it cannot be read.
  virtual std::optional<std::uint32_t> StatusCode() = 0;
  // Bytes ready to read now; 0 at the end of the body. False on failure.
  virtual bool QueryDataAvailable(std::uint32_t& available) = 0;
  // Reads up to size bytes into destination; bytesRead may be fewer. False on failure.
  virtual bool Read(char* destination, std::uint32_t size, std::uint32_t& bytesRead) = 0;
};

class HttpTransport {
 public:
  virtual ~HttpTransport() = default;
  // Opens a session with the timeouts, connects to host on the HTTPS port and
  // sends "GET pathAndQuery" with no extra headers, then waits for the
  // response headers. nullptr when any step fails.
  virtual std::unique_ptr<HttpResponseReader> Send(std::wstring_view host, std::wstring_view pathAndQuery,
                                                   const HttpTimeouts& timeouts) = 0;
};

// The body of a 200 answer, read until the end, a failed read or the ceiling.
// Any other status (or none) gives "": error pages are never returned.
std::string ReadHttpBody(HttpResponseReader& response);

// Send, then ReadHttpBody; "" when the request could not be sent.
std::string HttpGetVia(HttpTransport& transport, std::wstring_view host, std::wstring_view pathAndQuery,
                       const HttpTimeouts& timeouts);

}  // namespace orvane
