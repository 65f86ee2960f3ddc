#pragma once
// Ending the program from a place an exception must not cross, such as a
// window procedure: the error is logged, recorded for the entry point, and the
// message loop ends with exit code 1. The entry point then shows its error box.

#include <exception>

namespace orvane {

// Logs "<component>: fatal exception 0x%08X: <message>", records the first such
// error (see app/FatalError.h) and posts WM_QUIT with 1.
void EndWithFatalException(const wchar_t* component, std::exception_ptr error) noexcept;

}  // namespace orvane
