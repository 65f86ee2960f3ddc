#include <gtest/gtest.h>

#include <stdexcept>

#include "app/Errors.h"
#include "app/FatalError.h"

namespace orvane {
namespace {

constexpr std::int32_t kFail = static_cast<std::int32_t>(0x80004005u);
constexpr std::int32_t kAccessDenied = static_cast<std::int32_t>(0x80070005u);

TEST(FatalError, DescribesEachKindOfException) {
  struct Case {
    const char* name;
    std::exception_ptr error;
    std::int32_t code;
    std::wstring message;
  };
  const Case cases[] = {
      {"HRESULT with text", std::make_exception_ptr(HResultError(kAccessDenied, L"Access is denied.")), kAccessDenied,
       L"Access is denied."},
      {"HRESULT without text", std::make_exception_ptr(HResultError(kAccessDenied, L"")), kAccessDenied,
       L"0x80070005"},
      {"standard exception", std::make_exception_ptr(std::runtime_error("bad state \xE4\xB8\xAD")), kFail,
       L"bad state \x4E2D"},
      {"anything else", std::make_exception_ptr(42), kFail, L"unknown exception"},
      {"no exception", nullptr, kFail, L"unknown exception"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const FatalError fatal = DescribeException(c.error);
    EXPECT_EQ(fatal.code, c.code);
    EXPECT_EQ(fatal.message, c.message);
  }
}

TEST(FatalError, TheFirstRecordedErrorIsReportedOnce) {
  ASSERT_FALSE(TakeFatalError().has_value());
  RecordFatalError({kAccessDenied, L"first"});
  RecordFatalError({kFail, L"consequence"});
  const auto taken = TakeFatalError();
  ASSERT_TRUE(taken.has_value());
  EXPECT_EQ(taken->code, kAccessDenied);
  EXPECT_EQ(taken->message, L"first");
  EXPECT_FALSE(TakeFatalError().has_value());
}

}  // namespace
}  // namespace orvane
