#include "app/win32/HResult.h"

namespace orvane {

std::wstring SystemMessage(HRESULT hr) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text;
  if (length != 0 && buffer != nullptr) text.assign(buffer, length);
  if (buffer != nullptr) LocalFree(buffer);
  return text;
}

void ThrowHResult(HRESULT hr, std::source_location where) {
  throw HResultError(static_cast<std::int32_t>(hr), SystemMessage(hr), where);
}

void ThrowLastError(std::source_location where) {
  ThrowHResult(HRESULT_FROM_WIN32(GetLastError()), where);
}

}  // namespace orvane
