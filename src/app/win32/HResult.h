#pragma once
// Turning failed HRESULTs into HResultError with the system's message text.
#include <windows.h>

#include <source_location>

#include "app/Errors.h"

namespace orvane {

// The system's message for an HRESULT, or "" when it has none.
std::wstring SystemMessage(HRESULT hr);

[[noreturn]] void ThrowHResult(HRESULT hr, std::source_location where = std::source_location::current());

inline void ThrowIfFailed(HRESULT hr, std::source_location where = std::source_location::current()) {
  if (FAILED(hr)) ThrowHResult(hr, where);
}

// For calls that report failure through GetLastError.
[[noreturn]] void ThrowLastError(std::source_location where = std::source_location::current());

}  // namespace orvane
