#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/InstanceName.h"

namespace orvane {
namespace {

TEST(InstanceNameTest, TagTable) {
  const std::wstring base = L"Local\\OrvaneSingleInstanceMutex";
  const std::wstring tag63(63, L't');
  const struct {
    const char* label;
    std::optional<std::wstring> tag;
    std::wstring name;
  } cases[] = {
      {"unset", std::nullopt, base},
      {"empty behaves as unset", L"", base},
      {"tagged", L"beta", base + L"_beta"},
      {"63 characters fit the buffer", tag63, base + L"_" + tag63},
      // Too long for the 64-character buffer: never read, only the "_" stays.
      {"64 characters", std::wstring(64, L't'), base + L"_"},
      {"100 characters", std::wstring(100, L't'), base + L"_"},
  };
  for (const auto& c : cases) EXPECT_EQ(InstanceMutexName(c.tag), c.name) << c.label;
}

}  // namespace
}  // namespace orvane
