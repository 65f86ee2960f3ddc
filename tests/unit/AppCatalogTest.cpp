#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/TextUtil.h"
#include "system/AppCatalog.h"
#include "system/headless/HeadlessAppCatalogSources.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;

// A Programs folder tree of shortcut stand-ins in a temporary folder.
class AppCatalogTest : public ::testing::Test {
 protected:
  AppCatalogTest() {
    std::string pattern = (fs::temp_directory_path() / "orvane-catalog-XXXXXX").string();
    root_ = fs::path(::mkdtemp(pattern.data()));
  }
  ~AppCatalogTest() override {
    std::error_code ec;
    fs::permissions(root_ / "common" / "Locked", fs::perms::owner_all, ec);
    fs::remove_all(root_, ec);
  }

  fs::path Path(const std::string& relative) const { return root_ / fs::path(relative); }
  std::wstring Folder(const std::string& relative) const { return Utf8ToWide(Path(relative).string()); }

  void Shortcut(const std::string& relative) {
    fs::create_directories(Path(relative).parent_path());
    std::ofstream(Path(relative)) << "L";
  }
  void BrokenShortcut(const std::string& relative) {
    fs::create_directories(Path(relative).parent_path());
    fs::create_symlink(root_ / "nowhere" / "target.exe", Path(relative));
  }

  static std::vector<std::string> Names(const AppCatalog& catalog) {
    std::vector<std::string> names;
    for (const CatalogApp& app : catalog.apps()) names.push_back(WideToUtf8(app.name));
    return names;
  }

  fs::path root_;
};

TEST_F(AppCatalogTest, MergesPinnedItemsStoreAppsAndShortcuts) {
  BrokenShortcut("common/Foo.lnk");
  Shortcut("common/Accessories/Paint.lnk");
  Shortcut("common/Accessories/Uninstall Paint.lnk");
  Shortcut("common/Tools/Foo.lnk");
  Shortcut("common/README.LNK");
  Shortcut("common/notes.txt");
  Shortcut("common/Games.lnk/Chess.lnk");  // a folder with a shortcut's name is walked
  fs::create_directory_symlink(Path("common/Accessories"), Path("common/Linked"));
  const bool canLock = ::geteuid() != 0;  // permissions do not stop root
  if (canLock) {
    Shortcut("common/Locked/Secret.lnk");
    fs::permissions(Path("common/Locked"), fs::perms::none);
  }
  Shortcut("user/foo.lnk");
  Shortcut("user/Bar.LNK");
  Shortcut("user/Node.js.lnk");
  Shortcut("user/Foo 卸载.lnk");
  Shortcut("user/Release Notes.lnk");
  Shortcut("user/.lnk");
  Shortcut("user/Zed.lnk");
  Shortcut("user/ Zed\u3000.lnk");  // blanks trimmed: a second Zed
  Shortcut("user/ \t.lnk");        // blanks alone: no name
  Shortcut("user/Ärger.lnk");

  HeadlessAppCatalogSources sources(
      {Folder("common"), L"", Folder("user"), Folder("missing")},
      {{L"Calculator", L"Microsoft.WindowsCalculator_8wekyb3d8bbwe!App"},
       {L"Bar", L"Contoso.Bar_123!App"},
       {L"NoAumid", L""},
       {L"", L"Nameless!App"},
       {L"Contoso Uninstaller", L"Contoso.Uninstall!App"},
       {L"Paint 3D", L"Microsoft.MSPaint_8wekyb3d8bbwe!Microsoft.MSPaint"},
       {L"\U0001F600 Emoji", L"Emoji!App"},
       {L"\uFF26ullwidth", L"Fullwidth!App"},
       {L"\u00A0Padded App ", L"Padded!App"}});
  const std::vector<DockItemConfig> pinned = {
      {L"Calculator", L"calc.exe", L"", L""},
      {L"Terminal", L"wt.exe", L"-p Ubuntu", L""},
      {L"", L"nameless.exe", L"", L""},
      {L"No target", L"", L"", L""},
  };

  AppCatalog catalog;
  catalog.Build(pinned, sources);

  // UTF-16 order: "paint" before "paint 3d", Latin-1 before the surrogate
  // pair of the emoji, which comes before U+FF26.
  const std::vector<std::string> expected = {"Bar",      "Calculator", "Chess",      "Foo",
                                             "Node.js",  "Padded App", "Paint",      "Paint 3D",   "Terminal",
                                             "Zed",      "Ärger",      "\U0001F600 Emoji", "\uFF26ullwidth"};
  EXPECT_EQ(Names(catalog), expected);

  auto find = [&](const std::string& name) -> const CatalogApp& {
    for (const CatalogApp& app : catalog.apps()) {
      if (WideToUtf8(app.name) == name) return app;
    }
    throw std::runtime_error("missing " + name);
  };
  // The first of a name wins: pinned before store apps before shortcuts.
  EXPECT_EQ(find("Calculator").target, L"calc.exe");
  EXPECT_EQ(find("Bar").target, L"shell:AppsFolder\\Contoso.Bar_123!App");
  EXPECT_EQ(find("Foo").target, Folder("common/Foo.lnk")) << "a broken shortcut is still listed";
  EXPECT_EQ(find("Terminal").arguments, L"-p Ubuntu");
  EXPECT_EQ(find("Ärger").nameLower, L"ärger");
  EXPECT_EQ(find("Chess").target, Folder("common/Games.lnk/Chess.lnk"));
  // Listed first (a blank sorts before letters), the padded shortcut wins
  // under its trimmed name.
  EXPECT_EQ(find("Zed").target, Folder("user/ Zed\u3000.lnk"));
  for (const CatalogApp& app : catalog.apps()) {
    EXPECT_TRUE(app.icon.empty());
    EXPECT_FALSE(app.iconRequested);
  }
}

TEST_F(AppCatalogTest, StopsAtItsBounds) {
  struct Case {
    const char* what;
    int pinned;
    int storeApps;
    int shortcuts;
    std::size_t storeAppsRead;
    std::size_t fromStore;
    std::size_t fromShortcuts;
  };
  const Case cases[] = {
      {"600 shortcuts", 0, 0, 600, 0, 0, 500},
      {"450 store apps, then shortcuts fill up", 3, 450, 200, 397, 397, 100},
      {"pinned items fill the store apps' share", 400, 10, 200, 0, 0, 100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(Path("programs"));
    for (int i = 0; i < c.shortcuts; ++i) Shortcut("programs/Group" + std::to_string(i / 100) + "/App" + std::to_string(1000 + i) + ".lnk");
    std::vector<AppsFolderItem> store;
    for (int i = 0; i < c.storeApps; ++i) store.push_back({L"Store" + std::to_wstring(1000 + i), L"Store!" + std::to_wstring(i)});
    std::vector<DockItemConfig> pinned;
    for (int i = 0; i < c.pinned; ++i) pinned.push_back({L"Pinned" + std::to_wstring(1000 + i), L"p.exe", L"", L""});
    HeadlessAppCatalogSources sources({Folder("programs")}, store);

    AppCatalog catalog;
    catalog.Build(pinned, sources);

    std::size_t fromStore = 0;
    std::size_t fromShortcuts = 0;
    for (const CatalogApp& app : catalog.apps()) {
      fromStore += app.name.starts_with(L"Store");
      fromShortcuts += app.name.starts_with(L"App");
    }
    EXPECT_EQ(sources.AppsFolderItemsRead(), c.storeAppsRead);
    EXPECT_EQ(fromStore, c.fromStore);
    EXPECT_EQ(fromShortcuts, c.fromShortcuts);
    EXPECT_EQ(catalog.apps().size(), std::min<std::size_t>(c.pinned + c.storeApps + c.shortcuts, kCatalogLimit));
    // The walk's first shortcuts are the ones kept.
    std::wstring lastShortcut;
    for (const CatalogApp& app : catalog.apps()) {
      if (app.name.starts_with(L"App")) lastShortcut = app.name;
    }
    EXPECT_EQ(lastShortcut, L"App" + std::to_wstring(1000 + c.fromShortcuts - 1));
  }
}

TEST_F(AppCatalogTest, IsBuiltOnce) {
  Shortcut("programs/Foo.lnk");
  HeadlessAppCatalogSources sources({Folder("programs")}, {});
  AppCatalog catalog;
  catalog.Build({}, sources);
  Shortcut("programs/Bar.lnk");
  const std::vector<DockItemConfig> pinned = {{L"Pinned later", L"x.exe", L"", L""}};
  catalog.Build(pinned, sources);
  EXPECT_TRUE(catalog.built());
  EXPECT_EQ(Names(catalog), std::vector<std::string>{"Foo"});
}

TEST(AppCatalogFilterTest, MatchesSubstringsOfTheLowerCasedName) {
  std::vector<CatalogApp> apps;
  for (const wchar_t* name : {L"bar", L"foo", L"football", L"node.js"}) {
    CatalogApp app;
    app.name = app.nameLower = name;
    apps.push_back(app);
  }
  struct Case {
    std::wstring query;
    std::vector<std::size_t> matches;
  };
  const Case cases[] = {
      {L"", {0, 1, 2, 3}}, {L"oo", {1, 2}}, {L"foot", {2}}, {L"e.j", {3}}, {L"zzz", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(FilterCatalog(apps, c.query), c.matches) << WideToUtf8(c.query);
}

}  // namespace
}  // namespace orvane
