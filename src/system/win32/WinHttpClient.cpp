#include "system/win32/WinHttpClient.h"

#include <windows.h>
#include <winhttp.h>

#include <string>

namespace orvane {
namespace {

constexpr wchar_t kUserAgent[] = L"Orvane/3.0";

// Session, connection and request; closed request first, session last.
// Filled in step by step, so an early return closes whatever was opened.
class WinHttpResponse final : public HttpResponseReader {
 public:
  WinHttpResponse() = default;
  WinHttpResponse(const WinHttpResponse&) = delete;
  WinHttpResponse& operator=(const WinHttpResponse&) = delete;
  ~WinHttpResponse() override {
    if (request != nullptr) WinHttpCloseHandle(request);
    if (connection != nullptr) WinHttpCloseHandle(connection);
    if (session != nullptr) WinHttpCloseHandle(session);
  }

  std::optional<std::uint32_t> StatusCode() override {
    DWORD status = 0;
    DWORD size = sizeof(status);
    if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX)) {
      return std::nullopt;
    }
    return status;
  }

  bool QueryDataAvailable(std::uint32_t& available) override {
    DWORD bytes = 0;
    if (!WinHttpQueryDataAvailable(request, &bytes)) return false;
    available = bytes;
    return true;
  }

  bool Read(char* destination, std::uint32_t size, std::uint32_t& bytesRead) override {
    DWORD read = 0;
    if (!WinHttpReadData(request, destination, size, &read)) return false;
    bytesRead = read;
    return true;
  }

  HINTERNET session = nullptr;
  HINTERNET connection = nullptr;
  HINTERNET request = nullptr;
};

}  // namespace

std::unique_ptr<HttpResponseReader> WinHttpTransport::Send(std::wstring_view host, std::wstring_view pathAndQuery,
                                                           const HttpTimeouts& timeouts) {
  auto response = std::make_unique<WinHttpResponse>();
  response->session = WinHttpOpen(kUserAgent, WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY, WINHTTP_NO_PROXY_NAME,
                                  WINHTTP_NO_PROXY_BYPASS, 0);
  if (response->session == nullptr) return nullptr;
  WinHttpSetTimeouts(response->session, timeouts.resolveMs, timeouts.connectMs, timeouts.sendMs,
                     timeouts.receiveMs);

  const std::wstring hostName(host);
  response->connection = WinHttpConnect(response->session, hostName.c_str(), INTERNET_DEFAULT_HTTPS_PORT, 0);
  if (response->connection == nullptr) return nullptr;

  const std::wstring path(pathAndQuery);
  response->request = WinHttpOpenRequest(response->connection, L"GET", path.c_str(), nullptr, WINHTTP_NO_REFERER,
                                         WINHTTP_DEFAULT_ACCEPT_TYPES, WINHTTP_FLAG_SECURE);
  if (response->request == nullptr) return nullptr;
  if (!WinHttpSendRequest(response->request, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0)) {
    return nullptr;
  }
  if (!WinHttpReceiveResponse(response->request, nullptr)) return nullptr;
  return response;
}

std::string WinHttpClient::Get(std::wstring_view host, std::wstring_view pathAndQuery, const HttpTimeouts& timeouts) {
  return HttpGetVia(transport_, host, pathAndQuery, timeouts);
}

}  // namespace orvane
