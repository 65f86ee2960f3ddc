// App catalog build at its full bound and the launcher grid's type-to-filter
// over it, from sources held in memory: 6 pinned items, 420 AppsFolder items
// (some without AUMID, some named like uninstallers) and Programs folders
// with nested groups, duplicate names in other case and read-me shortcuts,
// more than the 500 entries the catalog keeps.

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

#include "app/DataDirs.h"
#include "config/DockConfig.h"
#include "system/AppCatalog.h"
#include "system/FakeWindowSystem.h"

namespace orvane {
namespace {

class MemoryCatalogSources : public AppCatalogSources {
 public:
  MemoryCatalogSources() {
    for (int i = 0; i < 420; ++i) {
      const std::wstring n = std::to_wstring(i);
      if (i % 50 == 7) {
        store_.push_back({L"Uninstall Tool " + n, L"Vendor.Uninstall" + n + L"!App"});
      } else {
        store_.push_back({L"Store App " + n, i % 40 == 3 ? L"" : L"Vendor.App" + n + L"_8wekyb3d8bbwe!App"});
      }
    }
    std::vector<FolderEntry> root;
    for (int group = 0; group < 30; ++group) {
      const std::wstring folder = JoinPath(L"C:\\Programs", L"Group " + std::to_wstring(group));
      root.push_back({L"Group " + std::to_wstring(group), true});
      std::vector<FolderEntry>& entries = folders_[folder];
      for (int i = 0; i < 8; ++i) {
        const std::wstring n = std::to_wstring(group * 8 + i);
        entries.push_back({L"Программа " + n + L".lnk", false});
        entries.push_back({L"STORE APP " + n + L".LNK", false});  // same name as a store app
      }
      entries.push_back({L"ReadMe.lnk", false});
      entries.push_back({L"license.txt", false});
    }
    folders_[L"C:\\Programs"] = root;
  }

  std::wstring LowerCase(std::wstring text) override { return FakeLowerCase(std::move(text)); }
  void EnumerateAppsFolder(const std::function<bool(const AppsFolderItem&)>& visit) override {
    for (const AppsFolderItem& item : store_) {
      if (!visit(item)) return;
    }
  }
  std::vector<std::wstring> ProgramsFolders() override { return {L"C:\\Programs", L"C:\\Users\\lin\\Programs"}; }
  std::optional<std::vector<FolderEntry>> ListFolder(const std::wstring& folder) override {
    const auto found = folders_.find(folder);
    if (found == folders_.end()) return std::nullopt;
    return found->second;
  }

 private:
  std::vector<AppsFolderItem> store_;
  std::map<std::wstring, std::vector<FolderEntry>> folders_;
};

std::vector<DockItemConfig> PinnedItems() {
  return {{L"文件资源管理器", L"%WINDIR%\\explorer.exe", L"", L""},
          {L"Edge", L"C:\\Program Files (x86)\\Microsoft\\Edge\\Application\\msedge.exe", L"", L""},
          {L"终端", L"wt.exe", L"-p Ubuntu", L""},
          {L"计算器", L"shell:AppsFolder\\Microsoft.WindowsCalculator_8wekyb3d8bbwe!App", L"", L""},
          {L"设置", L"ms-settings:", L"", L""},
          {L"Store App 1", L"shell:AppsFolder\\Vendor.App1_8wekyb3d8bbwe!App", L"", L""}};
}

void BM_CatalogBuild(benchmark::State& state) {
  MemoryCatalogSources sources;
  const std::vector<DockItemConfig> pinned = PinnedItems();
  std::size_t size = 0;
  for (auto _ : state) {
    AppCatalog catalog;
    catalog.Build(pinned, sources);
    size = catalog.apps().size();
    benchmark::DoNotOptimize(catalog.apps().data());
  }
  state.counters["entries"] = static_cast<double>(size);
}
BENCHMARK(BM_CatalogBuild)->Unit(benchmark::kMicrosecond);

// Typing "store app 12" one character at a time: one filter per keystroke.
void BM_CatalogFilterWhileTyping(benchmark::State& state) {
  MemoryCatalogSources sources;
  AppCatalog catalog;
  catalog.Build(PinnedItems(), sources);
  const std::wstring typed = L"Store App 12";
  for (auto _ : state) {
    for (std::size_t length = 1; length <= typed.size(); ++length) {
      const std::vector<std::size_t> matches = FilterCatalog(catalog.apps(), sources.LowerCase(typed.substr(0, length)));
      benchmark::DoNotOptimize(matches.data());
    }
  }
  state.counters["entries"] = static_cast<double>(catalog.apps().size());
}
BENCHMARK(BM_CatalogFilterWhileTyping)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace orvane
