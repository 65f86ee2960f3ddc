#pragma once
// The error raised when a platform or Windows Runtime call fails: it carries
// the HRESULT, the system's message for it and where the call was made.
// Optional features catch it, log and carry on; anything that escapes ends
// at the entry point, which logs it and shows it to the user.

#include <cstdint>
#include <source_location>
#include <stdexcept>
#include <string>

namespace orvane {

class HResultError : public std::runtime_error {
 public:
  HResultError(std::int32_t code, std::wstring message,
               std::source_location where = std::source_location::current());

  std::int32_t code() const { return code_; }
  // The system's text for the code (may be empty), without a trailing line break.
  const std::wstring& message() const { return message_; }
  const std::source_location& where() const { return where_; }

 private:
  std::int32_t code_;
  std::wstring message_;
  std::source_location where_;
};

// "0x80004005" style, as every log line prints HRESULTs.
std::wstring HResultHex(std::int32_t code);

}  // namespace orvane
