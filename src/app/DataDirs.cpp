#include "app/DataDirs.h"

#include <utility>

namespace orvane {
namespace {

bool IsSeparator(wchar_t c) { return c == kPathSeparator || c == L'/'; }

}  // namespace

std::wstring JoinPath(std::wstring_view dir, std::wstring_view leaf) {
  std::wstring out(dir);
  if (out.empty() || !IsSeparator(out.back())) out.push_back(kPathSeparator);
  if (!leaf.empty() && IsSeparator(leaf.front())) leaf.remove_prefix(1);
  out.append(leaf);
  return out;
}

std::wstring ResolveDataDirectory(const std::optional<std::wstring>& override, const std::wstring& knownFolder) {
  if (override && !override->empty()) return *override;
  return JoinPath(knownFolder, L"Orvane");
}

namespace {

std::wstring& CacheDirectoryStorage() {
  static std::wstring path;
  return path;
}

}  // namespace

void SetCacheDirectory(std::wstring path) { CacheDirectoryStorage() = std::move(path); }

const std::wstring& CacheDirectory() { return CacheDirectoryStorage(); }

}  // namespace orvane
