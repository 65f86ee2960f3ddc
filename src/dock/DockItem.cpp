#include "dock/DockItem.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "system/AppIdentity.h"

namespace orvane {
namespace {

// The package family: the part of an AUMID before its "!".
std::wstring_view PackageFamily(std::wstring_view aumid) { return aumid.substr(0, aumid.find(L'!')); }

bool MatchesByExecutable(const LaunchTargetInfo& info, const std::wstring& runningPath) {
  if (info.exePathLower.empty() || runningPath.empty()) return false;
  if (info.exePathLower == runningPath) return true;
  // Installers move programs between versioned folders; the file name
  // still identifies them.
  return !info.exeNameLower.empty() && FileNameOf(runningPath) == info.exeNameLower;
}

}  // namespace

unsigned IconRequestSize(float magnification, float iconSize, float dpiScale) {
  const double pixels = std::ceil(static_cast<double>(magnification) * iconSize * dpiScale);
  return static_cast<unsigned>(std::clamp(pixels, 128.0, 256.0));
}

bool MatchesByAumid(const std::wstring& pinned, const std::wstring& running) {
  if (pinned.empty() || running.empty()) return false;
  if (pinned == running) return true;
  // One package may run several application ids (a launcher and its main
  // app); a pinned store app stands for all of them.
  const bool bothHaveApp = pinned.find(L'!') != std::wstring::npos && running.find(L'!') != std::wstring::npos;
  return bothHaveApp && PackageFamily(pinned) == PackageFamily(running);
}

bool MatchesTrackedApp(const LaunchTargetInfo& info, const TrackedApp& app) {
  return MatchesByAumid(info.aumidLower, app.aumidLower) || MatchesByExecutable(info, app.exePathLower);
}

}  // namespace orvane
