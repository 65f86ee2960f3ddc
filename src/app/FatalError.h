#pragma once
// An error that ends the program when it cannot be thrown to the entry point,
// such as an exception caught at a window procedure: it is recorded here, the
// message loop is ended, and the entry point reports it as it reports an
// exception that reached it.

#include <cstdint>
#include <exception>
#include <optional>
#include <string>

namespace orvane {

struct FatalError {
  std::int32_t code = 0;  // HRESULT
  std::wstring message;   // what the user is shown
};

// An HResultError keeps its code and message (the code in hex when the system
// has no text for it); any other exception is E_FAIL with its what() text.
FatalError DescribeException(std::exception_ptr error) noexcept;

// The first fatal error is kept; later ones (often consequences of the
// first) are dropped. Any thread may call these.
void RecordFatalError(FatalError error) noexcept;
std::optional<FatalError> TakeFatalError();

}  // namespace orvane
