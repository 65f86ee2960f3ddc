// Process environment and file queries for the Linux build (tests, preview).
#include <cstdlib>
#include <filesystem>

#include "app/TextUtil.h"

namespace orvane {

std::optional<std::wstring> GetEnvironment(const std::wstring& name) {
  const char* value = std::getenv(WideToUtf8(name).c_str());
  if (value == nullptr) return std::nullopt;
  return Utf8ToWide(value);
}

std::wstring ExpandEnvironment(const std::wstring& text) {
  return ExpandEnvironmentWith(text, [](const std::wstring& name) { return GetEnvironment(name); });
}

bool PathExists(const std::wstring& path) {
  std::error_code ec;
  return std::filesystem::exists(std::filesystem::path(WideToUtf8(path)), ec);
}

}  // namespace orvane
