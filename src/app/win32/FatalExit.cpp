#include "app/win32/FatalExit.h"

#include <windows.h>

#include "app/FatalError.h"
#include "app/Log.h"

namespace orvane {

void EndWithFatalException(const wchar_t* component, std::exception_ptr error) noexcept {
  try {
    FatalError fatal = DescribeException(error);
    Log(L"%s: fatal exception 0x%08X: %s", component, static_cast<std::uint32_t>(fatal.code), fatal.message);
    RecordFatalError(std::move(fatal));
  } catch (...) {
    // Out of memory while describing the error: the quit below still ends the
    // program with the failure code.
  }
  PostQuitMessage(1);
}

}  // namespace orvane
