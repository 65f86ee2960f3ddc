#pragma once
// HttpClient over WinHTTP: one synchronous session per request, so any
// number of worker threads may use one instance at once.

#include "system/HttpClient.h"
#include "system/HttpTransport.h"

namespace orvane {

class WinHttpTransport final : public HttpTransport {
 public:
  std::unique_ptr<HttpResponseReader> Send(std::wstring_view host, std::wstring_view pathAndQuery,
                                           const HttpTimeouts& timeouts) override;
};

class WinHttpClient final : public HttpClient {
 public:
  std::string Get(std::wstring_view host, std::wstring_view pathAndQuery, const HttpTimeouts& timeouts) override;

 private:
  WinHttpTransport transport_;
};

}  // namespace orvane
