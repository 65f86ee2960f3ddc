#include "system/LaunchTarget.h"

#include <optional>

#include "system/AppExecutionAlias.h"
#include "system/AppIdentity.h"
#include "system/IconTarget.h"

namespace orvane {
namespace {

constexpr std::wstring_view kExecutableExtension = L".exe";

void SetExecutable(WindowSystem& system, LaunchTargetInfo& info, const std::wstring& path) {
  info.exePathLower = system.LowerCase(path);
  info.exeNameLower = std::wstring(FileNameOf(info.exePathLower));
}

}  // namespace

std::wstring ExpandTarget(WindowSystem& system, const std::wstring& target) {
  if (target.find(L'%') == std::wstring::npos) return target;
  return system.ExpandEnvironment(target);
}

LaunchTargetInfo DescribeLaunchTarget(WindowSystem& system, IconSources& files, const std::wstring& target,
                                      const std::wstring& name) {
  LaunchTargetInfo info;
  info.target = ExpandTarget(system, target);
  info.name = name.empty() ? DisplayNameFromPath(system, info.target) : name;

  const IconTarget kind = ClassifyIconTarget(info.target);
  if (kind.kind == IconTargetKind::SettingsUri || kind.kind == IconTargetKind::StoreApp) {
    info.aumidLower = system.LowerCase(kind.aumid);
    return info;
  }
  if (kind.kind == IconTargetKind::Shortcut) {
    // The raw path may hold %VARS% (shortcuts into Program Files often do);
    // expanded, it compares with the path a running process reports.
    const std::wstring linked = files.ReadShortcut(info.target).targetPath;
    if (!linked.empty()) info.target = ExpandTarget(system, linked);
  }

  if (const std::optional<AppExecutionAlias> alias = ResolveAppExecutionAlias(files, info.target)) {
    if (!alias->aumid.empty()) info.aumidLower = system.LowerCase(alias->aumid);
    if (!alias->exePath.empty()) {
      info.target = alias->exePath;
      SetExecutable(system, info, alias->exePath);
    }
    return info;
  }
  const std::wstring lower = system.LowerCase(info.target);
  if (lower.ends_with(kExecutableExtension)) SetExecutable(system, info, info.target);
  return info;
}

}  // namespace orvane
