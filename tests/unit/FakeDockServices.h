#pragma once
// The dock item list's services as scripted data, and tracked applications
// to feed it, for tests of the item list and of what is built on it.

#include <algorithm>
#include <cwctype>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/TextUtil.h"
#include "dock/DockItemList.h"
#include "system/AppIdentity.h"

namespace orvane::testing {

inline std::wstring Lower(std::wstring text) {
  std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return std::towlower(c); });
  return text;
}

// The tracker's list, targets and icons as scripted data. Every icon
// request is recorded as "kind what @size".
class FakeDockServices final : public DockItemServices {
 public:
  std::vector<TrackedApp> apps;
  WindowHandle minimizing = kNoWindow;
  std::set<WindowHandle> closedWindows;
  std::wstring downloads = L"C:\\Users\\u\\Downloads";
  std::set<std::wstring> unloadableImages;
  std::vector<std::wstring> iconRequests;
  std::vector<DockConfig> saved;
  int menuBarUpdates = 0;
  int stageManagerUpdates = 0;

  const std::vector<TrackedApp>& TrackedApps() override { return apps; }
  WindowHandle TakeMinimizingWindow() override { return std::exchange(minimizing, kNoWindow); }
  bool WindowExists(WindowHandle window) override { return !closedWindows.contains(window); }

  LaunchTargetInfo DescribeTarget(const std::wstring& target, const std::wstring& name) override {
    LaunchTargetInfo info;
    info.name = name;
    info.target = ExpandVars(target);
    const std::wstring lower = Lower(info.target);
    const std::wstring store = Lower(kStoreAppTargetPrefix);
    if (lower.starts_with(store)) {
      info.aumidLower = lower.substr(store.size());
    } else if (lower.ends_with(L".exe")) {
      info.exePathLower = lower;
      info.exeNameLower = std::wstring(FileNameOf(lower));
    }
    return info;
  }
  std::wstring DisplayNameOf(const std::wstring& path) override { return L"name of " + path; }
  std::wstring ExpandLower(const std::wstring& target) override { return Lower(ExpandVars(target)); }
  std::wstring DownloadsFolder() override { return downloads; }

  // Answered at once unless deferIcons is set: then each request waits in
  // `deferred` until Arrive hands it over.
  std::optional<IconImage> RequestIcon(const IconRequest& request) override {
    IconImage icon = Icon(Describe(request), request.size);
    if (request.kind == IconRequestKind::CustomImage && unloadableImages.contains(request.path)) icon = IconImage{};
    if (!deferIcons) return icon;
    deferred.push_back({request, std::move(icon)});
    return std::nullopt;
  }
  std::vector<IconArrival> TakeArrivedIcons() override { return std::exchange(arrived, {}); }
  // Every deferred request arrives (each with a picture of its own).
  void ArriveAll() {
    for (IconArrival& arrival : deferred) arrived.push_back(std::move(arrival));
    deferred.clear();
  }
  bool deferIcons = false;
  std::vector<IconArrival> deferred;
  std::vector<IconArrival> arrived;

  void SaveConfig(const DockConfig& config) override { saved.push_back(config); }
  void UpdateMenuBar(const std::vector<TrackedApp>&) override { ++menuBarUpdates; }
  void UpdateStageManager(const std::vector<TrackedApp>&) override { ++stageManagerUpdates; }

 private:
  static std::wstring ExpandVars(std::wstring text) {
    const std::wstring var = L"%APPS%";
    if (const std::size_t at = text.find(var); at != std::wstring::npos) text.replace(at, var.size(), L"C:\\Apps");
    return text;
  }
  static std::wstring Describe(const IconRequest& request) {
    switch (request.kind) {
      case IconRequestKind::Target:
        return L"target " + request.path;
      case IconRequestKind::CustomImage:
        return L"custom " + request.path;
      case IconRequestKind::RunningApp:
        return L"app " + (request.window != kNoWindow ? std::to_wstring(request.window) + L" " : L"") +
               request.path + request.aumid;
      case IconRequestKind::Stock:
        return L"stock " + std::to_wstring(request.stockId);
    }
    return {};
  }
  // A 1 x 1 picture whose red channel counts the requests, so two answers differ.
  IconImage Icon(const std::wstring& what, unsigned size) {
    iconRequests.push_back(what + L" @" + std::to_wstring(size));
    return IconImage{1, 1, {1, 2, static_cast<std::uint8_t>(iconRequests.size()), 255}};
  }
};

// An app with one window per handle; window titles "<name> <handle>".
inline TrackedApp ExeApp(const std::wstring& path, std::vector<WindowHandle> handles, bool minimized = false) {
  TrackedApp app;
  app.exePath = path;
  app.exePathLower = Lower(path);
  app.key = L"exe:" + app.exePathLower;
  app.displayName = std::wstring(FileNameOf(path));
  for (const WindowHandle hwnd : handles) {
    const auto pid = static_cast<std::uint32_t>(hwnd * 10);
    app.windows.push_back({hwnd, pid, app.displayName + L" " + std::to_wstring(hwnd), minimized, false});
    app.processIds.push_back(pid);
  }
  return app;
}

inline TrackedApp StoreApp(const std::wstring& aumid, WindowHandle hwnd) {
  TrackedApp app = ExeApp(L"C:\\Program Files\\WindowsApps\\app.exe", {hwnd});
  app.aumid = aumid;
  app.aumidLower = Lower(aumid);
  app.key = L"aumid:" + app.aumidLower;
  return app;
}

}  // namespace orvane::testing
