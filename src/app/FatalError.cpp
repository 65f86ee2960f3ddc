#include "app/FatalError.h"

#include <mutex>

#include "app/Errors.h"
#include "app/TextUtil.h"

namespace orvane {
namespace {

constexpr std::int32_t kUnspecifiedFailure = static_cast<std::int32_t>(0x80004005u);  // E_FAIL

std::mutex& FatalMutex() {
  static std::mutex mutex;
  return mutex;
}

std::optional<FatalError>& FatalSlot() {
  static std::optional<FatalError> slot;
  return slot;
}

}  // namespace

FatalError DescribeException(std::exception_ptr error) noexcept {
  try {
    if (error) std::rethrow_exception(error);
    return {kUnspecifiedFailure, L"unknown exception"};
  } catch (const HResultError& e) {
    return {e.code(), e.message().empty() ? HResultHex(e.code()) : e.message()};
  } catch (const std::exception& e) {
    try {
      return {kUnspecifiedFailure, Utf8ToWide(e.what())};
    } catch (...) {
      return {kUnspecifiedFailure, L"unknown exception"};
    }
  } catch (...) {
    return {kUnspecifiedFailure, L"unknown exception"};
  }
}

void RecordFatalError(FatalError error) noexcept {
  std::lock_guard lock(FatalMutex());
  if (!FatalSlot()) FatalSlot() = std::move(error);
}

std::optional<FatalError> TakeFatalError() {
  std::lock_guard lock(FatalMutex());
  std::optional<FatalError> taken = std::move(FatalSlot());
  FatalSlot().reset();
  return taken;
}

}  // namespace orvane
