#include <gtest/gtest.h>

#include "dock/DockItem.h"

namespace orvane {
namespace {

LaunchTargetInfo Store(const wchar_t* aumidLower) {
  LaunchTargetInfo info;
  info.aumidLower = aumidLower;
  return info;
}

LaunchTargetInfo Exe(const wchar_t* pathLower, const wchar_t* nameLower) {
  LaunchTargetInfo info;
  info.exePathLower = pathLower;
  info.exeNameLower = nameLower;
  return info;
}

TrackedApp Running(const wchar_t* aumidLower, const wchar_t* exePathLower) {
  TrackedApp app;
  app.aumidLower = aumidLower;
  app.exePathLower = exePathLower;
  return app;
}

struct MatchCase {
  const char* what;
  LaunchTargetInfo pinned;
  TrackedApp app;
  bool matches;
};

TEST(DockItemMatchTest, PinnedTargetsMatchRunningApps) {
  const MatchCase cases[] = {
      {"same aumid", Store(L"pkg_1!app"), Running(L"pkg_1!app", L""), true},
      {"other app of the same package", Store(L"pkg_1!app"), Running(L"pkg_1!helper", L""), true},
      {"other package", Store(L"pkg_1!app"), Running(L"pkg_2!app", L""), false},
      {"package is a prefix only", Store(L"pkg!app"), Running(L"pkg_1!app", L""), false},
      {"no '!' on one side", Store(L"pkg_1"), Running(L"pkg_1!app", L""), false},
      {"no '!' on either side, different", Store(L"contoso.editor"), Running(L"contoso.viewer", L""), false},
      {"aumid against an app without one", Store(L"pkg_1!app"), Running(L"", L"c:\\a\\app.exe"), false},
      {"same executable path", Exe(L"c:\\a\\app.exe", L"app.exe"), Running(L"", L"c:\\a\\app.exe"), true},
      {"same file name elsewhere", Exe(L"c:\\a\\app.exe", L"app.exe"), Running(L"", L"d:\\b\\app.exe"), true},
      {"same file name behind a slash", Exe(L"c:\\a\\app.exe", L"app.exe"), Running(L"", L"d:/b/app.exe"), true},
      {"file name only a suffix", Exe(L"c:\\a\\app.exe", L"app.exe"), Running(L"", L"d:\\b\\myapp.exe"), false},
      {"different executable", Exe(L"c:\\a\\app.exe", L"app.exe"), Running(L"", L"c:\\a\\other.exe"), false},
      {"running app without a path", Exe(L"c:\\a\\app.exe", L"app.exe"), Running(L"", L""), false},
      {"nothing known on either side", LaunchTargetInfo{}, Running(L"", L""), false},
  };
  for (const MatchCase& c : cases) {
    EXPECT_EQ(MatchesTrackedApp(c.pinned, c.app), c.matches) << c.what;
  }
}

TEST(DockItemMatchTest, DifferentAumidsFallBackToTheExecutable) {
  LaunchTargetInfo pinned = Exe(L"c:\\a\\app.exe", L"app.exe");
  pinned.aumidLower = L"contoso.app";
  EXPECT_TRUE(MatchesTrackedApp(pinned, Running(L"contoso.other", L"c:\\a\\app.exe")));
}

TEST(DockItemMatchTest, IconRequestSizeIsTheMagnifiedPhysicalSizeWithinLimits) {
  struct Case {
    float magnification, iconSize, dpiScale;
    unsigned size;
  };
  const Case cases[] = {
      {1.65f, 48.0f, 1.0f, 128},   // 79.2: raised to the minimum
      {1.65f, 96.0f, 1.0f, 159},   // 158.4 rounded up
      {2.0f, 64.0f, 1.5f, 192},
      {2.0f, 64.0f, 1.0f, 128},
      {2.5f, 96.0f, 2.0f, 256},    // 480: cut to the maximum
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IconRequestSize(c.magnification, c.iconSize, c.dpiScale), c.size)
        << c.magnification << " x " << c.iconSize << " x " << c.dpiScale;
  }
}

}  // namespace
}  // namespace orvane
