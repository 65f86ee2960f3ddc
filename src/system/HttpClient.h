#pragma once
// One blocking HTTPS GET, as the lyrics and weather workers use it. Always
// called on a worker thread: a call may take several seconds. Implementations
// are stateless, so any number of threads may call Get at once.

#include <string>
#include <string_view>

namespace orvane {

// Milliseconds for each stage of a request.
struct HttpTimeouts {
  int resolveMs = 0;
  int connectMs = 0;
  int sendMs = 0;
  int receiveMs = 0;
  bool operator==(const HttpTimeouts&) const = default;
};

inline constexpr HttpTimeouts kLyricsHttpTimeouts{2500, 2500, 2500, 3500};
inline constexpr HttpTimeouts kWeatherHttpTimeouts{3000, 3000, 3000, 4000};

class HttpClient {
 public:
  virtual ~HttpClient() = default;

  // The body of a 200 answer from https://host/pathAndQuery (the path is
  // already URL-encoded by the caller). Empty when no usable answer came:
  // any other status, a network failure or a timeout.
  virtual std::string Get(std::wstring_view host, std::wstring_view pathAndQuery,
                          const HttpTimeouts& timeouts) = 0;
};

}  // namespace orvane
