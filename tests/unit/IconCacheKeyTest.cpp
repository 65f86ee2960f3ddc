#include <gtest/gtest.h>

#include <set>
#include <string>

#include "IconFakeSources.h"
#include "app/DataDirs.h"
#include "system/IconCache.h"
#include "system/IconCacheKey.h"
#include "system/IconExtractor.h"

namespace orvane {
namespace {

// Reference values computed independently; a change here renames every
// cache file users already have.
TEST(IconCacheKeyTest, HashAndFileNameAreStable) {
  struct Case {
    std::wstring key;
    std::uint64_t hash;
  };
  const Case cases[] = {
      {L"", 0xcbf29ce484222325ull},
      {L"a", 0xaf63dc4c8601ec8cull},
      {L"c:\\apps\\tool.exe|133000000000000000|128", 0x261fcc440565702eull},
      {L"stock://31|128", 0xa75e70976896b806ull},
      {L"shell:appsfolder\\microsoft.windowscalculator_8wekyb3d8bbwe!app|0|128", 0x31974b32506c4da9ull},
      {L"c:\\用户\\应用.exe|0|256", 0x103d884e6dec7880ull},
      // Beyond U+FFFF the hash runs over the surrogate pair, as on Windows.
      {L"c:\\\U0001F600.exe|0|64", 0x09f3820671ced0efull},
  };
  for (const Case& c : cases) EXPECT_EQ(HashIconCacheKey(c.key), c.hash) << WideToUtf8(c.key);
  EXPECT_EQ(IconCacheFileName(L"c:\\apps\\tool.exe|133000000000000000|128"), L"261fcc440565702e.png");
  EXPECT_EQ(IconCacheFileName(L"a"), L"af63dc4c8601ec8c.png");
  EXPECT_EQ(IconCacheFileName(L""), L"cbf29ce484222325.png");
}

TEST(IconCacheKeyTest, KeyTextAndPath) {
  EXPECT_EQ(FormatIconCacheKey(L"c:\\apps\\tool.exe", 133000000000000000ull, 128),
            L"c:\\apps\\tool.exe|133000000000000000|128");
  EXPECT_EQ(StockIconCacheKey(31, 128), L"stock://31|128");
  EXPECT_EQ(IconCachePath(L"", L"a"), L"");
  EXPECT_EQ(IconCachePath(L"cache", L"a"), JoinPath(L"cache", L"af63dc4c8601ec8c.png"));
}

class IconKeyTest : public ::testing::Test {
 protected:
  IconKeyTest() {
    sources.files[L"C:\\Apps\\Tool.exe"] = 133000000000000000ull;
    sources.files[L"C:\\Apps\\Other.exe"] = 133000000000000000ull;
    sources.files[L"C:\\Users\\lin\\Pictures\\me.png"] = 5;
    sources.environment[L"APPS"] = L"C:\\Apps";
  }
  FakeIconSources sources;
  IconExtractor extractor{sources, IconCache(PlatformPngCodec(), PlatformIconCacheFiles(), std::wstring())};
};

TEST_F(IconKeyTest, TargetKeyIsLowerCasedExpandedTargetWithWriteTimeAndSize) {
  EXPECT_EQ(extractor.TargetKey(L"C:\\Apps\\Tool.exe", 128), L"c:\\apps\\tool.exe|133000000000000000|128");
  EXPECT_EQ(extractor.TargetKey(L"%APPS%\\Tool.exe", 128), L"c:\\apps\\tool.exe|133000000000000000|128");
  EXPECT_EQ(extractor.TargetKey(L"shell:AppsFolder\\Microsoft.WindowsCalculator_8wekyb3d8bbwe!App", 128),
            L"shell:appsfolder\\microsoft.windowscalculator_8wekyb3d8bbwe!app|0|128");
  EXPECT_EQ(extractor.TargetKey(L"ms-settings:display", 64), L"ms-settings:display|0|64");
  EXPECT_EQ(extractor.CustomImageKey(L"C:\\Users\\lin\\Pictures\\me.png", 256),
            L"custom://c:\\users\\lin\\pictures\\me.png|5|256");
}

// Which requests share a cache file and which do not.
TEST_F(IconKeyTest, KeysDistinguishWhatChangesThePicture) {
  struct Case {
    const char* name;
    std::wstring a;
    std::wstring b;
    bool same;
  };
  auto target = [this](const std::wstring& t, unsigned size) { return extractor.TargetKey(t, size); };
  const std::wstring tool = L"C:\\Apps\\Tool.exe";
  const std::wstring before = target(tool, 128);
  sources.files[tool] = 133000000000000001ull;  // the executable was replaced
  const std::wstring touched = target(tool, 128);
  const Case cases[] = {
      {"letter case", target(L"C:\\APPS\\TOOL.EXE", 128), target(L"c:\\apps\\tool.exe", 128), true},
      {"environment reference", target(L"%APPS%\\Tool.exe", 128), target(tool, 128), true},
      {"touched file", before, touched, false},
      {"size", target(tool, 128), target(tool, 256), false},
      {"other file", target(tool, 128), target(L"C:\\Apps\\Other.exe", 128), false},
      {"stock icons by id", StockIconCacheKey(31, 128), StockIconCacheKey(32, 128), false},
      {"stock icons by size", StockIconCacheKey(31, 128), StockIconCacheKey(31, 256), false},
      {"custom image and the same path", extractor.CustomImageKey(L"C:\\Users\\lin\\Pictures\\me.png", 128),
       target(L"C:\\Users\\lin\\Pictures\\me.png", 128), false},
      {"store app and settings", target(L"shell:AppsFolder\\A!App", 128), target(L"ms-settings:", 128), false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.a == c.b, c.same) << c.name;
    EXPECT_EQ(IconCacheFileName(c.a) == IconCacheFileName(c.b), c.same) << c.name;
  }
}

TEST_F(IconKeyTest, EditingACustomImageChangesItsKey) {
  const std::wstring path = L"C:\\Users\\lin\\Pictures\\me.png";
  const std::wstring before = extractor.CustomImageKey(path, 128);
  sources.files[path] = 6;
  EXPECT_NE(extractor.CustomImageKey(path, 128), before);
}

}  // namespace
}  // namespace orvane
