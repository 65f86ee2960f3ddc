#include "app/Errors.h"

#include "app/Format.h"
#include "app/TextUtil.h"

namespace orvane {
namespace {

std::string Describe(std::int32_t code, const std::wstring& message, const std::source_location& where) {
  std::string text = WideToUtf8(message.empty() ? HResultHex(code) : message);
  text += " (";
  text += where.file_name();
  text += ":" + std::to_string(where.line()) + ")";
  return text;
}

}  // namespace

HResultError::HResultError(std::int32_t code, std::wstring message, std::source_location where)
    : std::runtime_error(Describe(code, message, where)),
      code_(code),
      message_(std::move(message)),
      where_(where) {
  while (!message_.empty() && (message_.back() == L'\n' || message_.back() == L'\r' || message_.back() == L' ')) {
    message_.pop_back();
  }
}

std::wstring HResultHex(std::int32_t code) {
  return FormatWide(L"0x%08X", static_cast<std::uint32_t>(code));
}

}  // namespace orvane
