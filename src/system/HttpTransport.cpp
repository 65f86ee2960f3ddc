#include "system/HttpTransport.h"

#include <algorithm>

namespace orvane {

std::string ReadHttpBody(HttpResponseReader& response) {
  if (response.StatusCode() != std::optional<std::uint32_t>(200)) return {};
  std::string body;
  std::uint32_t available = 0;
  while (response.QueryDataAvailable(available) && available > 0) {
    if (body.size() >= kHttpBodyCeiling) break;
    // A server announcing absurd chunk sizes must not make us reserve them.
    const std::uint32_t chunk = std::min<std::uint32_t>(available, kHttpBodyCeiling);
    const std::size_t start = body.size();
    body.resize(start + chunk);
    std::uint32_t read = 0;
    const bool ok = response.Read(body.data() + start, chunk, read);
    // Keep only what arrived: a failed or short read leaves no filler bytes.
    body.resize(start + (ok ? std::min(read, chunk) : 0));
    if (!ok || read == 0) break;
  }
  return body;
}

std::string HttpGetVia(HttpTransport& transport, std::wstring_view host, std::wstring_view pathAndQuery,
                       const HttpTimeouts& timeouts) {
  const std::unique_ptr<HttpResponseReader> response = transport.Send(host, pathAndQuery, timeouts);
  if (!response) return {};
  return ReadHttpBody(*response);
}

}  // namespace orvane
