// The Linux icon sources end to end: real files, libpng, the disk cache.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "IconFakeSources.h"
#include "app/Log.h"
#include "app/TextUtil.h"
#include "system/IconCacheKey.h"
#include "system/IconExtractor.h"
#include "system/headless/HeadlessIconSources.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;

class SilentLog : public LogBackend {
 public:
  SilentLog() { SetLogBackend(this); }
  ~SilentLog() override { SetLogBackend(nullptr); }
  LogTime Now() override { return {}; }
  void DebugOutput(const std::wstring& line) override { lines.push_back(line); }
  bool OpenFile(const std::wstring&) override { return false; }
  void Append(std::string_view) override {}
  std::vector<std::wstring> lines;
};

class IconHeadlessTest : public ::testing::Test {
 protected:
  IconHeadlessTest() {
    std::string pattern = (fs::temp_directory_path() / "orvane-headless-XXXXXX").string();
    root_ = fs::path(::mkdtemp(pattern.data()));
    fs::create_directories(root_ / "cache");
    fs::create_directories(root_ / "files");
  }
  ~IconHeadlessTest() override {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }

  std::wstring File(const std::string& name) const { return Utf8ToWide((root_ / "files" / name).string()); }
  void WritePng(const std::string& name, const IconImage& image) const {
    const std::vector<std::uint8_t> png = PlatformPngCodec().Encode(image);
    std::ofstream out(root_ / "files" / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  }
  void Touch(const std::string& name) const { std::ofstream(root_ / "files" / name) << "MZ"; }
  IconExtractor MakeExtractor(HeadlessIconSources& sources) const {
    return IconExtractor(sources, IconCache(PlatformPngCodec(), PlatformIconCacheFiles(),
                                            Utf8ToWide((root_ / "cache").string())));
  }

  fs::path root_;
  HeadlessIconSources sources;
  SilentLog log;
};

TEST_F(IconHeadlessTest, CustomPngDecodesToItsPixels) {
  WritePng("me.png", TestIcon(24, 20, 5));
  IconExtractor extractor = MakeExtractor(sources);
  EXPECT_EQ(extractor.ForCustomImage(File("me.png"), 64), TestIcon(24, 20, 5));
  EXPECT_EQ(extractor.ForCustomImage(File("missing.png"), 64), IconImage{});
}

TEST_F(IconHeadlessTest, ExecutableIconIsCachedForTheNextStart) {
  Touch("Tool.exe");
  IconExtractor first = MakeExtractor(sources);
  const IconImage icon = first.ForTarget(File("Tool.exe"), 128);
  EXPECT_EQ(icon, HeadlessShellIcon(L"tool.exe", 128));

  const std::wstring key = first.TargetKey(File("Tool.exe"), 128);
  EXPECT_NE(key.find(L"|128"), std::wstring::npos);
  EXPECT_TRUE(fs::exists(root_ / "cache" / WideToUtf8(IconCacheFileName(key))));

  HeadlessIconSources later;
  EXPECT_EQ(MakeExtractor(later).cache().Load(key), icon);
  EXPECT_TRUE(log.lines.empty());
}

TEST_F(IconHeadlessTest, RewrittenFileGetsANewKey) {
  Touch("Tool.exe");
  IconExtractor extractor = MakeExtractor(sources);
  const std::wstring before = extractor.TargetKey(File("Tool.exe"), 128);
  fs::last_write_time(root_ / "files" / "Tool.exe", fs::last_write_time(root_ / "files" / "Tool.exe") + std::chrono::seconds(5));
  EXPECT_NE(extractor.TargetKey(File("Tool.exe"), 128), before);
}

TEST_F(IconHeadlessTest, MissingTargetGetsTheStockApplicationIcon) {
  IconExtractor extractor = MakeExtractor(sources);
  const IconImage icon = extractor.ForTarget(File("gone.exe"), 128);
  EXPECT_EQ(icon.width, 32);
  EXPECT_FALSE(icon.empty());
  ASSERT_EQ(log.lines.size(), 1u);
  EXPECT_EQ(log.lines[0], L"[00:00:00.000] IconExtractor: using fallback icon for " + File("gone.exe") + L"\r\n");
}

TEST_F(IconHeadlessTest, RegisteredStoreAppShowsItsBestLogo) {
  fs::create_directories(root_ / "files" / "pkg" / "Assets");
  WritePng("pkg/Assets/Logo.scale-200.png", TestIcon(88, 88, 1));
  WritePng("pkg/Assets/Logo.targetsize-256_altform-unplated.png", TestIcon(64, 64, 2));
  WritePng("pkg/Assets/Logo.contrast-black_targetsize-256_altform-unplated.png", TestIcon(64, 64, 3));
  sources.RegisterPackage(L"Pkg_1!App", {File("pkg"), L"Assets/Logo.png"});

  IconExtractor extractor = MakeExtractor(sources);
  EXPECT_EQ(extractor.ForTarget(L"shell:AppsFolder\\Pkg_1!App", 128), TestIcon(64, 64, 2));
}

TEST_F(IconHeadlessTest, RecycleBinStockIconsDiffer) {
  IconExtractor extractor = MakeExtractor(sources);
  const IconImage empty = extractor.ForStockIcon(kStockIconRecycler, 128);
  const IconImage full = extractor.ForStockIcon(kStockIconRecyclerFull, 128);
  ASSERT_FALSE(empty.empty());
  ASSERT_FALSE(full.empty());
  EXPECT_NE(empty, full);
  EXPECT_EQ(extractor.ForStockIcon(-1, 128), IconImage{});
}

}  // namespace
}  // namespace orvane
