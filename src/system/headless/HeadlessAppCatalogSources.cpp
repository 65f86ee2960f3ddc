#include "system/headless/HeadlessAppCatalogSources.h"

#include <algorithm>
#include <filesystem>

#include "app/TextUtil.h"
#include "system/FakeWindowSystem.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;

}  // namespace

std::wstring HeadlessAppCatalogSources::LowerCase(std::wstring text) { return FakeLowerCase(std::move(text)); }

void HeadlessAppCatalogSources::EnumerateAppsFolder(const std::function<bool(const AppsFolderItem&)>& visit) {
  for (const AppsFolderItem& item : appsFolder_) {
    ++appsFolderItemsRead_;
    if (!visit(item)) return;
  }
}

std::optional<std::vector<FolderEntry>> HeadlessAppCatalogSources::ListFolder(const std::wstring& folder) {
  std::error_code ec;
  fs::directory_iterator it(fs::path(WideToUtf8(folder)), ec);
  if (ec) return std::nullopt;
  std::vector<FolderEntry> entries;
  for (const fs::directory_iterator end; it != end; it.increment(ec)) {
    if (ec) break;
    std::error_code typeError;
    const fs::file_status status = it->symlink_status(typeError);
    if (typeError) continue;
    const bool link = fs::is_symlink(status);
    if (!link && !fs::is_regular_file(status) && !fs::is_directory(status)) continue;
    // A link to a folder is neither walked nor a shortcut.
    if (link && it->is_directory(typeError)) continue;
    entries.push_back(FolderEntry{Utf8ToWide(it->path().filename().string()), fs::is_directory(status)});
  }
  std::sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
  return entries;
}

}  // namespace orvane
