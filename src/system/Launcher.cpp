#include "system/Launcher.h"

#include "app/Log.h"
#include "app/TextUtil.h"
#include "system/IconTarget.h"
#include "system/LaunchTarget.h"

namespace orvane {
namespace {

constexpr const wchar_t* kExplorer = L"explorer.exe";

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

}  // namespace

bool Launcher::Launch(const std::wstring& target, const std::wstring& arguments) {
  if (target.empty()) return false;
  const std::wstring file = ExpandTarget(system_, target);
  // Only an absolute path has a folder to start in.
  const std::wstring directory = ParentDirectory(file);

  if (platform_.Execute({L"", file, arguments, directory})) return true;
  if (platform_.Execute({L"open", file, arguments, directory})) return true;
  // Shell execution of an AppsFolder name can fail where activation by the
  // AUMID still works.
  if (StartsWithNoCase(file, kAppsFolderPrefix) && file.size() > kAppsFolderPrefix.size() &&
      platform_.ActivateApplication(file.substr(kAppsFolderPrefix.size()))) {
    return true;
  }
  if (arguments.empty() && platform_.Execute({L"", kExplorer, Quoted(file), L""})) return true;

  Log(L"Launcher: failed to launch (%lu) %s", static_cast<unsigned long>(platform_.LastError()), file);
  return false;
}

bool Launcher::RevealInExplorer(const std::wstring& target) {
  const std::wstring path = DescribeLaunchTarget(system_, files_, target).target;
  if (path.empty() || !files_.Exists(path)) return false;
  return Launch(kExplorer, L"/select," + Quoted(path));
}

}  // namespace orvane
