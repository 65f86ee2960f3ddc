#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

#include "CapturedLog.h"
#include "IconFakeSources.h"
#include "app/DataDirs.h"
#include "app/Log.h"
#include "app/TextUtil.h"
#include "system/AppExecutionAlias.h"
#include "system/FallbackIcon.h"
#include "system/IconCacheKey.h"
#include "system/IconExtractor.h"
#include "system/IconTarget.h"
#include "system/LogoAsset.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;
using Requests = std::vector<std::wstring>;

// ------------------------------------------------------------ classification

TEST(IconTargetTest, Classification) {
  struct Case {
    std::wstring target;
    IconTargetKind kind;
    std::wstring aumid;
  };
  const Case cases[] = {
      {L"C:\\Apps\\Tool.exe", IconTargetKind::Path, L""},
      {L"C:\\Users\\lin\\Desktop\\Tool.LNK", IconTargetKind::Shortcut, L""},
      {L"shell:AppsFolder\\Microsoft.WindowsCalculator_8wekyb3d8bbwe!App", IconTargetKind::StoreApp,
       L"Microsoft.WindowsCalculator_8wekyb3d8bbwe!App"},
      {L"SHELL:appsfolder\\A!B", IconTargetKind::StoreApp, L"A!B"},
      {L"shell:AppsFolder", IconTargetKind::Path, L""},  // no backslash: not the prefix
      {L"ms-settings:display", IconTargetKind::SettingsUri, std::wstring(kSettingsAumid)},
      {L"MS-SETTINGS:", IconTargetKind::SettingsUri, std::wstring(kSettingsAumid)},
      {L"", IconTargetKind::Path, L""},
  };
  for (const Case& c : cases) {
    const IconTarget target = ClassifyIconTarget(c.target);
    EXPECT_EQ(target.kind, c.kind) << WideToUtf8(c.target);
    EXPECT_EQ(target.aumid, c.aumid) << WideToUtf8(c.target);
  }
}

// ------------------------------------------------------------ App Execution Aliases

TEST(AppExecutionAliasTest, ParsesTheReparseData) {
  const std::u16string family = u"Microsoft.WindowsTerminal_8wekyb3d8bbwe";
  const std::u16string aumid = u"Microsoft.WindowsTerminal_8wekyb3d8bbwe!App";
  const std::u16string exe = u"C:\\Program Files\\WindowsApps\\Term\\wt.exe";
  struct Case {
    const char* name;
    std::vector<std::uint8_t> data;
    bool resolved;
    std::wstring aumid;
    std::wstring exePath;
  };
  const std::wstring wideAumid = L"Microsoft.WindowsTerminal_8wekyb3d8bbwe!App";
  const std::wstring wideExe = L"C:\\Program Files\\WindowsApps\\Term\\wt.exe";
  std::vector<std::uint8_t> thirteen = ReparseBuffer(kReparseTagAppExecLink, {u"a"});
  thirteen.resize(13);
  const Case cases[] = {
      {"four strings", ReparseBuffer(kReparseTagAppExecLink, {family, aumid, exe, u"0"}), true, wideAumid, wideExe},
      {"a fifth string is not read", ReparseBuffer(kReparseTagAppExecLink, {family, aumid, exe, u"0", u"x"}), true,
       wideAumid, wideExe},
      {"last string cut by the end of data", ReparseBuffer(kReparseTagAppExecLink, {family, aumid, exe}, false), true,
       wideAumid, wideExe},
      {"AUMID only", ReparseBuffer(kReparseTagAppExecLink, {family, aumid}), true, wideAumid, L""},
      {"empty AUMID ends the list", ReparseBuffer(kReparseTagAppExecLink, {family, u"", exe}), false, L"", L""},
      {"family name only", ReparseBuffer(kReparseTagAppExecLink, {family}), false, L"", L""},
      {"another reparse tag", ReparseBuffer(0xA000000C, {family, aumid, exe}), false, L"", L""},
      {"13 bytes", thirteen, false, L"", L""},
      {"nothing", {}, false, L"", L""},
      {"odd trailing byte", [&] {
         auto d = ReparseBuffer(kReparseTagAppExecLink, {family, aumid, exe});
         d.push_back(0x41);
         return d;
       }(),
       true, wideAumid, wideExe},
  };
  for (const Case& c : cases) {
    const std::optional<AppExecutionAlias> alias = ParseAppExecLink(c.data);
    ASSERT_EQ(alias.has_value(), c.resolved) << c.name;
    if (!alias) continue;
    EXPECT_EQ(alias->aumid, c.aumid) << c.name;
    EXPECT_EQ(alias->exePath, c.exePath) << c.name;
  }
}

TEST(AppExecutionAliasTest, NonAsciiStringsKeepTheirCharacters) {
  const auto alias = ParseAppExecLink(ReparseBuffer(kReparseTagAppExecLink, {u"f", u"应用!App", u"C:\\\xD83D\xDE00.exe"}));
  ASSERT_TRUE(alias);
  EXPECT_EQ(alias->aumid, L"应用!App");
  EXPECT_EQ(WideToUtf8(alias->exePath), "C:\\\xF0\x9F\x98\x80.exe");
}

// ------------------------------------------------------------ logo assets

TEST(LogoAssetTest, Scores) {
  struct Case {
    std::wstring name;
    std::optional<long long> score;
  };
  const Case cases[] = {
      {L"x.targetsize-256_altform-unplated.png", 15120},
      {L"x.scale-400.png", 2000},
      {L"x.targetsize-48.png", 960},
      {L"x.targetsize-1024.png", 4352},
      {L"x.targetsize-6000.png", -624},
      {L"x.targetsize-0.scale-200.png", 1000},  // a zero target size falls through to the scale
      {L"x.targetsize-.png", 100},
      {L"x.png", 100},
      {L"x.targetsize-32_altform-lightunplated.png", 8640},
      {L"x.altform-unplated_altform-lightunplated.png", 18100},
      {L"x.targetsize-99999999999999999999.png", 5376 - 1'000'000'000},
      {L"x.contrast-black_targetsize-256.png", std::nullopt},
      {L"x.contrast-white_scale-100.png", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(LogoAssetScore(c.name), c.score) << WideToUtf8(c.name);
}

TEST(LogoAssetTest, SplitsDeclaredPaths) {
  struct Case {
    std::wstring path;
    std::wstring folder, stem, extension;
  };
  const Case cases[] = {
      {L"C:\\Pkg\\Assets\\Logo.png", L"C:\\Pkg\\Assets", L"Logo", L".png"},
      {L"C:\\Pkg/Assets/Logo.v2.png", L"C:\\Pkg/Assets", L"Logo.v2", L".png"},
      {L"Logo.png", L"", L"Logo", L".png"},
      {L"C:\\Pkg\\Logo", L"C:\\Pkg", L"Logo", L""},
      {L"C:\\Pkg\\.png", L"C:\\Pkg", L"", L".png"},
  };
  for (const Case& c : cases) {
    const LogoPathParts parts = SplitLogoPath(c.path);
    EXPECT_EQ(parts.folder, c.folder) << WideToUtf8(c.path);
    EXPECT_EQ(parts.stem, c.stem) << WideToUtf8(c.path);
    EXPECT_EQ(parts.extension, c.extension) << WideToUtf8(c.path);
  }
}

TEST(LogoAssetTest, PicksTheBestVariant) {
  FakeIconSources sources;
  const std::wstring folder = L"C:\\Pkg\\Assets";
  sources.folders[folder] = {L"X.scale-400.png",
                             L"X.contrast-black_targetsize-256.png",
                             L"X.targetsize-48.png",
                             L"X.targetsize-256_altform-unplated.png",
                             L"X.targetsize-256_altform-unplated.jpg",
                             L"Y.targetsize-256_altform-unplated.png",
                             L"Xtra.targetsize-256.PNG"};
  EXPECT_EQ(FindBestLogoAsset(sources, folder + L"\\X.png"), JoinPath(folder, L"X.targetsize-256_altform-unplated.png"));
  EXPECT_EQ(FindBestLogoAsset(sources, folder + L"\\x.PNG"), JoinPath(folder, L"X.targetsize-256_altform-unplated.png"));
  // A name that only starts with the stem still counts (case-insensitively).
  EXPECT_EQ(FindBestLogoAsset(sources, folder + L"\\Xtra.png"), JoinPath(folder, L"Xtra.targetsize-256.PNG"));

  sources.folders[folder] = {L"X.contrast-black_targetsize-256.png", L"X.targetsize-9000.png"};
  EXPECT_EQ(FindBestLogoAsset(sources, folder + L"\\X.png"), L"");
  // Equal scores: the first in directory order stays.
  sources.folders[folder] = {L"X.scale-200.png", L"X.targetsize-50.png"};
  EXPECT_EQ(FindBestLogoAsset(sources, folder + L"\\X.png"), JoinPath(folder, L"X.scale-200.png"));
  EXPECT_EQ(FindBestLogoAsset(sources, L"C:\\Missing\\X.png"), L"");
  EXPECT_EQ(FindBestLogoAsset(sources, L"X.png"), L"");
}

// ------------------------------------------------------------ the extractor

fs::path MakeTempFolder() {
  std::string pattern = (fs::temp_directory_path() / "orvane-extract-XXXXXX").string();
  return fs::path(::mkdtemp(pattern.data()));
}

class IconExtractorTest : public ::testing::Test {
 protected:
  IconExtractorTest() { sources.files[kTool] = 42; }
  ~IconExtractorTest() override {
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }

  IconImage Cached(const std::wstring& key) { return extractor.cache().Load(key); }
  // Entries only; the item files that name them are not pictures.
  std::size_t CacheFileCount() const {
    return static_cast<std::size_t>(std::count_if(fs::directory_iterator(folder_), fs::directory_iterator(),
                                                  [](const fs::directory_entry& e) { return e.path().extension() == ".png"; }));
  }
  Requests TakeRequests() { return std::exchange(sources.requests, {}); }

  static inline const std::wstring kTool = L"C:\\Apps\\Tool.exe";
  const fs::path folder_ = MakeTempFolder();
  FakeIconSources sources;
  IconExtractor extractor{sources, IconCache(PlatformPngCodec(), PlatformIconCacheFiles(),
                                             Utf8ToWide(folder_.string()))};
  CapturedLog log;
};

TEST_F(IconExtractorTest, MissExtractsAndStoresHitSkipsExtraction) {
  const IconImage icon = TestIcon(32, 32, 1);
  sources.shellImages[kTool] = icon;

  EXPECT_EQ(extractor.ForTarget(kTool, 128), icon);
  EXPECT_EQ(TakeRequests(), Requests{L"factory C:\\Apps\\Tool.exe 128"});
  EXPECT_EQ(Cached(L"c:\\apps\\tool.exe|42|128"), icon);

  sources.shellImages.clear();
  EXPECT_EQ(extractor.ForTarget(L"c:\\APPS\\tool.EXE", 128), icon);
  EXPECT_TRUE(TakeRequests().empty());
  EXPECT_TRUE(log.lines.empty());
}

TEST_F(IconExtractorTest, EverySourceFailingGivesTheLoggedFallbackUncached) {
  sources.stockApplication = TestIcon(32, 32, 9);
  EXPECT_EQ(extractor.ForTarget(kTool, 128), TestIcon(32, 32, 9));
  EXPECT_EQ(TakeRequests(), (Requests{L"factory C:\\Apps\\Tool.exe 128", L"fileicon C:\\Apps\\Tool.exe#0 128",
                                      L"jumbo C:\\Apps\\Tool.exe", L"stockapp"}));
  ASSERT_EQ(log.lines.size(), 1u);
  EXPECT_EQ(log.lines[0], L"[00:00:00.000] IconExtractor: using fallback icon for C:\\Apps\\Tool.exe\r\n");
  EXPECT_EQ(CacheFileCount(), 0u);

  // Not cached: the next request tries the sources again.
  sources.jumboIcons[kTool] = TestIcon(256, 256, 2);
  EXPECT_EQ(extractor.ForTarget(kTool, 128), TestIcon(256, 256, 2));
}

TEST_F(IconExtractorTest, FallbackDrawsThePlaceholderWithoutAStockIcon) {
  const IconImage result = extractor.ForTarget(L"%NOWHERE%\\gone.exe", 64);
  EXPECT_EQ(result, DrawPlaceholderIcon(64));
  ASSERT_EQ(log.lines.size(), 1u);
  EXPECT_EQ(log.lines[0], L"[00:00:00.000] IconExtractor: using fallback icon for %NOWHERE%\\gone.exe\r\n");
  EXPECT_EQ(extractor.Fallback(0), IconImage{});
}

TEST_F(IconExtractorTest, PathSourcesInOrderFirstSuccessWins) {
  struct Case {
    const char* name;
    bool factory, fileIcon, jumbo;
    Requests requests;
  };
  const Case cases[] = {
      {"factory", true, true, true, {L"factory C:\\Apps\\Tool.exe 48"}},
      {"icon resource", false, true, true, {L"factory C:\\Apps\\Tool.exe 48", L"fileicon C:\\Apps\\Tool.exe#0 48"}},
      {"jumbo list", false, false, true,
       {L"factory C:\\Apps\\Tool.exe 48", L"fileicon C:\\Apps\\Tool.exe#0 48", L"jumbo C:\\Apps\\Tool.exe"}},
  };
  for (const Case& c : cases) {
    sources.shellImages.clear();
    sources.fileIcons.clear();
    sources.jumboIcons.clear();
    if (c.factory) sources.shellImages[kTool] = TestIcon(48, 48, 1);
    if (c.fileIcon) sources.fileIcons[{kTool, 0}] = TestIcon(48, 48, 2);
    if (c.jumbo) sources.jumboIcons[kTool] = TestIcon(48, 48, 3);
    sources.files[kTool] += 1;  // a new key each time, so the cache misses
    EXPECT_FALSE(extractor.ForTarget(kTool, 48).empty()) << c.name;
    EXPECT_EQ(TakeRequests(), c.requests) << c.name;
  }
}

// Broken or blank answers (a shell source may hand back an empty 1 x 1
// bitmap) pass on to the next source and are never cached.
TEST_F(IconExtractorTest, InvalidOrBlankPicturesCountAsFailures) {
  IconImage broken = TestIcon(4, 4, 1);
  broken.pixels.resize(10);
  IconImage blank;
  blank.width = 1;
  blank.height = 1;
  blank.pixels = {0, 0, 0, 0};
  sources.shellImages[kTool] = broken;
  sources.fileIcons[{kTool, 0}] = blank;
  sources.jumboIcons[kTool] = TestIcon(256, 256, 1);
  EXPECT_EQ(extractor.ForTarget(kTool, 48), TestIcon(256, 256, 1));

  sources.jumboIcons[kTool] = blank;
  sources.stockApplication = blank;
  EXPECT_EQ(extractor.ForTarget(kTool, 64), DrawPlaceholderIcon(64));
  EXPECT_EQ(CacheFileCount(), 1u);  // only the first answer
  sources.stockIcons[kStockIconRecycler] = blank;
  EXPECT_EQ(extractor.ForStockIcon(kStockIconRecycler, 64), IconImage{});
}

TEST_F(IconExtractorTest, EnvironmentIsExpandedForSources) {
  sources.environment[L"APPS"] = L"C:\\Apps";
  sources.fileIcons[{kTool, 0}] = TestIcon(8, 8, 1);
  EXPECT_EQ(extractor.ForTarget(L"%APPS%\\Tool.exe", 32), TestIcon(8, 8, 1));
  EXPECT_EQ(Cached(L"c:\\apps\\tool.exe|42|32"), TestIcon(8, 8, 1));
}

TEST_F(IconExtractorTest, StoreAppsAndSettingsUseThePackageLogo) {
  const std::wstring calc = L"Microsoft.WindowsCalculator_8wekyb3d8bbwe!App";
  sources.packages[calc] = {L"C:\\Pkg\\Calc", L"Assets\\CalculatorAppList.png"};
  sources.packages[std::wstring(kSettingsAumid)] = {L"C:\\Windows\\ImmersiveControlPanel", L"images\\logo.png"};
  const std::wstring assets = SplitLogoPath(JoinPath(L"C:\\Pkg\\Calc", L"Assets\\CalculatorAppList.png")).folder;
  sources.folders[assets] = {L"CalculatorAppList.scale-100.png",
                                                L"CalculatorAppList.targetsize-256_altform-unplated.png"};
  const std::wstring calcBest = JoinPath(assets, L"CalculatorAppList.targetsize-256_altform-unplated.png");
  sources.imageFiles[calcBest] = TestIcon(256, 256, 4);
  // The settings package has no variants folder listing; the declared file itself is used.
  const std::wstring settingsLogo = JoinPath(L"C:\\Windows\\ImmersiveControlPanel", L"images\\logo.png");
  sources.files[settingsLogo] = 1;
  sources.imageFiles[settingsLogo] = TestIcon(44, 44, 5);

  EXPECT_EQ(extractor.ForTarget(L"shell:AppsFolder\\" + calc, 128), TestIcon(256, 256, 4));
  EXPECT_EQ(TakeRequests(), (Requests{L"package " + calc, L"decode " + calcBest}));
  EXPECT_EQ(Cached(L"shell:appsfolder\\microsoft.windowscalculator_8wekyb3d8bbwe!app|0|128"), TestIcon(256, 256, 4));

  EXPECT_EQ(extractor.ForTarget(L"ms-settings:display", 128), TestIcon(44, 44, 5));
  EXPECT_EQ(TakeRequests(), (Requests{L"package " + std::wstring(kSettingsAumid), L"decode " + settingsLogo}));
}

TEST_F(IconExtractorTest, AnUpdatedPackageOrChangedFileReplacesItsCachedIcon) {
  const std::wstring calc = L"Microsoft.WindowsCalculator_8wekyb3d8bbwe!App";
  const std::wstring target = L"shell:AppsFolder\\" + calc;
  const std::wstring logo = JoinPath(L"C:\\Pkg\\Calc", L"Assets\\Logo.png");
  sources.packages[calc] = {L"C:\\Pkg\\Calc", L"Assets\\Logo.png"};
  sources.files[logo] = 1;
  sources.packageStamps[calc] = 100;
  sources.imageFiles[logo] = TestIcon(44, 44, 1);
  sources.shellImages[kTool] = TestIcon(32, 32, 2);
  EXPECT_EQ(extractor.ForTarget(target, 64), TestIcon(44, 44, 1));
  EXPECT_EQ(extractor.ForTarget(kTool, 64), TestIcon(32, 32, 2));
  const std::wstring oldPackageKey = extractor.TargetKey(target, 64);
  const std::wstring oldToolKey = extractor.TargetKey(kTool, 64);
  EXPECT_EQ(oldPackageKey, L"shell:appsfolder\\microsoft.windowscalculator_8wekyb3d8bbwe!app|100|64");

  // The update brings a new logo; the tool's file is rewritten.
  sources.packageStamps[calc] = 200;
  sources.imageFiles[logo] = TestIcon(44, 44, 3);
  sources.files[kTool] = 43;
  sources.shellImages[kTool] = TestIcon(32, 32, 4);
  EXPECT_EQ(extractor.ForTarget(target, 64), TestIcon(44, 44, 3));
  EXPECT_EQ(extractor.ForTarget(kTool, 64), TestIcon(32, 32, 4));
  EXPECT_TRUE(Cached(oldPackageKey).empty());
  EXPECT_TRUE(Cached(oldToolKey).empty());
  EXPECT_EQ(CacheFileCount(), 2u) << "one entry per item";

  // Another size is another item: both stay.
  EXPECT_EQ(extractor.ForTarget(kTool, 32), TestIcon(32, 32, 4));
  EXPECT_EQ(CacheFileCount(), 3u);
}

TEST_F(IconExtractorTest, StoreAppWithoutLogoFallsBackToTheShell) {
  const std::wstring target = L"shell:AppsFolder\\A!App";
  sources.packages[L"A!App"] = {L"C:\\Pkg\\A", L""};  // the logo property is missing
  sources.shellImages[target] = TestIcon(64, 64, 6);
  EXPECT_EQ(extractor.ForTarget(target, 64), TestIcon(64, 64, 6));
  EXPECT_EQ(TakeRequests(), (Requests{L"package A!App", L"factory shell:AppsFolder\\A!App 64"}));
}

TEST_F(IconExtractorTest, AliasUsesItsExecutableThenItsPackage) {
  const std::wstring alias = L"C:\\Users\\lin\\AppData\\Local\\Microsoft\\WindowsApps\\wt.exe";
  const std::wstring exe = L"C:\\Program Files\\WindowsApps\\Term\\wt.exe";
  sources.files[alias] = 7;
  sources.reparse[alias] = ReparseBuffer(kReparseTagAppExecLink, {u"Term_8we", u"Term_8we!App",
                                                                   u"C:\\Program Files\\WindowsApps\\Term\\wt.exe", u"0"});
  sources.packages[L"Term_8we!App"] = {L"C:\\Program Files\\WindowsApps\\Term", L"Logo.png"};
  const std::wstring logo = JoinPath(L"C:\\Program Files\\WindowsApps\\Term", L"Logo.png");
  sources.files[logo] = 1;
  sources.imageFiles[logo] = TestIcon(50, 50, 7);

  // The executable's icon when it has one...
  sources.fileIcons[{exe, 0}] = TestIcon(32, 32, 8);
  EXPECT_EQ(extractor.ForTarget(alias, 32), TestIcon(32, 32, 8));
  EXPECT_EQ(TakeRequests(), Requests{L"fileicon " + exe + L"#0 32"});
  EXPECT_EQ(Cached(L"c:\\users\\lin\\appdata\\local\\microsoft\\windowsapps\\wt.exe|7|32"), TestIcon(32, 32, 8));

  // ...else the package logo, else the shell's picture of the executable.
  sources.fileIcons.clear();
  EXPECT_EQ(extractor.ForTarget(alias, 48), TestIcon(50, 50, 7));
  EXPECT_EQ(TakeRequests(), (Requests{L"fileicon " + exe + L"#0 48", L"package Term_8we!App", L"decode " + logo}));

  sources.imageFiles.clear();
  sources.jumboIcons[exe] = TestIcon(256, 256, 9);
  EXPECT_EQ(extractor.ForTarget(alias, 64), TestIcon(256, 256, 9));
  EXPECT_EQ(TakeRequests(), (Requests{L"fileicon " + exe + L"#0 64", L"package Term_8we!App", L"decode " + logo,
                                      L"factory " + exe + L" 64", L"jumbo " + exe}));
}

TEST_F(IconExtractorTest, ShortcutsFallBackToTheirIconLocationOrTarget) {
  const std::wstring link = L"C:\\Users\\lin\\Desktop\\Tool.lnk";
  sources.files[link] = 3;
  sources.environment[L"SystemRoot"] = L"C:\\Windows";
  sources.shortcuts[link] = {L"%SystemRoot%\\system32\\shell32.dll", -16, kTool};
  sources.fileIcons[{L"C:\\Windows\\system32\\shell32.dll", -16}] = TestIcon(16, 16, 1);
  EXPECT_EQ(extractor.ForTarget(link, 48), TestIcon(16, 16, 1));
  EXPECT_EQ(TakeRequests(), (Requests{L"factory " + link + L" 48", L"shortcut " + link,
                                      L"fileicon C:\\Windows\\system32\\shell32.dll#-16 48"}));

  // An icon location that yields nothing: the target's own icon.
  sources.shortcuts[link] = {L"C:\\Gone\\icons.dll", 3, kTool};
  sources.fileIcons[{kTool, 0}] = TestIcon(16, 16, 2);
  EXPECT_EQ(extractor.ForTarget(link, 64), TestIcon(16, 16, 2));
  EXPECT_EQ(TakeRequests(), (Requests{L"factory " + link + L" 64", L"shortcut " + link,
                                      L"fileicon C:\\Gone\\icons.dll#3 64", L"fileicon " + kTool + L"#0 64"}));

  sources.shortcuts.clear();  // unreadable: the system image list still knows the file
  sources.jumboIcons[link] = TestIcon(256, 256, 3);
  EXPECT_EQ(extractor.ForTarget(link, 96), TestIcon(256, 256, 3));
  EXPECT_EQ(TakeRequests(), (Requests{L"factory " + link + L" 96", L"shortcut " + link, L"jumbo " + link}));
}

TEST_F(IconExtractorTest, DamagedCacheEntryIsExtractedAgainAndReplaced) {
  sources.shellImages[kTool] = TestIcon(16, 16, 3);
  const std::wstring key = extractor.TargetKey(kTool, 16);
  const fs::path file(WideToUtf8(extractor.cache().PathFor(key)));
  for (const std::string& damage : {std::string(), std::string("\x89PNG\r\n\x1a\n"), std::string(300, '\x7f')}) {
    { std::ofstream(file, std::ios::binary | std::ios::trunc) << damage; }
    EXPECT_EQ(extractor.ForTarget(kTool, 16), TestIcon(16, 16, 3));
    EXPECT_EQ(TakeRequests(), Requests{L"factory C:\\Apps\\Tool.exe 16"});
    EXPECT_EQ(Cached(key), TestIcon(16, 16, 3));
  }
}

TEST_F(IconExtractorTest, RunningAppsGoByAumidThenPathThenWindow) {
  sources.shellImages[L"shell:AppsFolder\\A!App"] = TestIcon(8, 8, 1);
  sources.shellImages[kTool] = TestIcon(8, 8, 2);
  sources.windowIcons[77] = TestIcon(8, 8, 3);
  sources.stockApplication = TestIcon(8, 8, 4);

  EXPECT_EQ(extractor.ForRunningApp(77, kTool, L"A!App", 32), TestIcon(8, 8, 1));
  EXPECT_EQ(extractor.ForRunningApp(77, kTool, L"", 32), TestIcon(8, 8, 2));
  EXPECT_EQ(extractor.ForRunningApp(77, L"", L"", 32), TestIcon(8, 8, 3));
  EXPECT_EQ(extractor.ForRunningApp(78, L"", L"", 32), TestIcon(8, 8, 4));
  EXPECT_EQ(extractor.ForRunningApp(kNoWindow, L"", L"", 32), TestIcon(8, 8, 4));
  // Window icons are the window's own: never cached.
  EXPECT_EQ(CacheFileCount(), 2u);
  EXPECT_TRUE(log.lines.empty());
}

TEST_F(IconExtractorTest, CustomImages) {
  const std::wstring picture = L"C:\\Users\\lin\\me.png";
  const std::wstring icon = L"C:\\Users\\lin\\me.ico";
  sources.files[picture] = 10;
  sources.files[icon] = 11;
  sources.imageFiles[picture] = TestIcon(20, 20, 1);
  sources.fileIcons[{icon, 0}] = TestIcon(48, 48, 2);
  sources.imageFiles[icon] = TestIcon(16, 16, 3);

  EXPECT_EQ(extractor.ForCustomImage(L"", 64), IconImage{});
  EXPECT_EQ(extractor.ForCustomImage(L"C:\\missing.png", 64), IconImage{});
  EXPECT_TRUE(TakeRequests().empty());

  EXPECT_EQ(extractor.ForCustomImage(picture, 64), TestIcon(20, 20, 1));
  EXPECT_EQ(TakeRequests(), Requests{L"decode " + picture});
  EXPECT_EQ(Cached(L"custom://c:\\users\\lin\\me.png|10|64"), TestIcon(20, 20, 1));
  EXPECT_EQ(extractor.ForCustomImage(picture, 64), TestIcon(20, 20, 1));
  EXPECT_TRUE(TakeRequests().empty());

  // An icon file: the frame picked for the size before whatever frame comes first.
  EXPECT_EQ(extractor.ForCustomImage(icon, 48), TestIcon(48, 48, 2));
  EXPECT_EQ(TakeRequests(), Requests{L"fileicon " + icon + L"#0 48"});

  // An edited picture is read again.
  sources.files[picture] = 12;
  sources.imageFiles[picture] = TestIcon(20, 20, 4);
  EXPECT_EQ(extractor.ForCustomImage(picture, 64), TestIcon(20, 20, 4));
  EXPECT_EQ(TakeRequests(), Requests{L"decode " + picture});

  // Nothing readable: empty, no fallback, nothing logged or stored.
  const std::wstring text = L"C:\\Users\\lin\\notes.txt";
  sources.files[text] = 1;
  EXPECT_EQ(extractor.ForCustomImage(text, 64), IconImage{});
  EXPECT_EQ(TakeRequests(),
            (Requests{L"decode " + text, L"fileicon " + text + L"#0 64", L"factory " + text + L" 64"}));
  EXPECT_TRUE(log.lines.empty());
}

TEST_F(IconExtractorTest, StockIconsAreCachedByIdAndSize) {
  sources.stockIcons[kStockIconRecycler] = TestIcon(256, 256, 1);
  EXPECT_EQ(extractor.ForStockIcon(kStockIconRecycler, 128), TestIcon(256, 256, 1));
  EXPECT_EQ(Cached(L"stock://31|128"), TestIcon(256, 256, 1));
  sources.stockIcons.clear();
  EXPECT_EQ(extractor.ForStockIcon(kStockIconRecycler, 128), TestIcon(256, 256, 1));
  EXPECT_EQ(extractor.ForStockIcon(kStockIconRecyclerFull, 128), IconImage{});
  EXPECT_EQ(TakeRequests(), (Requests{L"stock 31", L"stock 32"}));
  EXPECT_EQ(CacheFileCount(), 1u);
}

}  // namespace
}  // namespace orvane
