#include <gtest/gtest.h>
#include <png.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "IconFakeSources.h"
#include "app/TextUtil.h"
#include "system/IconCache.h"
#include "system/IconCacheKey.h"
#include "system/PngCodec.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "orvane-icons-XXXXXX").string();
    path_ = fs::path(::mkdtemp(pattern.data()));
  }
  ~TempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  const fs::path& path() const { return path_; }
  std::wstring wide() const { return Utf8ToWide(path_.string()); }

 private:
  fs::path path_;
};

Bytes ReadBytes(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return Bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const Bytes& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string> FileNames(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  return names;
}

// One pixel of every kind: opaque, translucent, transparent, faint.
IconImage MixedIcon() {
  IconImage image;
  image.width = 2;
  image.height = 2;
  image.pixels = {10, 20, 30, 255, 50, 50, 50, 128, 0, 0, 0, 0, 1, 0, 2, 3};
  return image;
}

class IconCacheTest : public ::testing::Test {
 protected:
  fs::path FileOf(const std::wstring& key) const { return folder.path() / WideToUtf8(IconCacheFileName(key)); }

  TempFolder folder;
  IconCache cache{PlatformPngCodec(), PlatformIconCacheFiles(), folder.wide()};
  const std::wstring key = L"c:\\apps\\tool.exe|1|128";
};

TEST_F(IconCacheTest, SavedIconLoadsBackPixelForPixel) {
  for (const IconImage& image : {MixedIcon(), TestIcon(1, 1, 7), TestIcon(48, 40, 99), TestIcon(512, 512, 3)}) {
    cache.Save(key, image);
    EXPECT_EQ(cache.Load(key), image) << image.width << "x" << image.height;
  }
  // Nothing but the entry is left in the folder: the temporary file was renamed.
  EXPECT_EQ(FileNames(folder.path()), std::vector<std::string>{WideToUtf8(IconCacheFileName(key))});
}

TEST_F(IconCacheTest, StoredPngHoldsStraightAlpha) {
  cache.Save(key, MixedIcon());
  const Bytes png = ReadBytes(FileOf(key));
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_memory(&image, png.data(), png.size()));
  image.format = PNG_FORMAT_BGRA;
  Bytes straight(PNG_IMAGE_SIZE(image));
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, straight.data(), 0, nullptr));
  EXPECT_EQ(straight, (Bytes{10, 20, 30, 255, 100, 100, 100, 128, 0, 0, 0, 0, 85, 0, 170, 3}));
}

TEST_F(IconCacheTest, ColourAboveAlphaIsClampedOnceThenStable) {
  IconImage invalid;
  invalid.width = 1;
  invalid.height = 1;
  invalid.pixels = {200, 10, 90, 100};
  cache.Save(key, invalid);
  const IconImage once = cache.Load(key);
  ASSERT_FALSE(once.empty());
  EXPECT_EQ(once.pixels, (Bytes{100, 10, 90, 100}));
  cache.Save(key, once);
  EXPECT_EQ(cache.Load(key), once);
}

TEST_F(IconCacheTest, DamagedFilesAreMisses) {
  cache.Save(key, TestIcon(8, 8, 5));
  const Bytes good = ReadBytes(FileOf(key));
  ASSERT_GT(good.size(), 60u);

  // Every length short of the whole file, zero included.
  for (std::size_t length = 0; length < good.size(); ++length) {
    WriteBytes(FileOf(key), Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length)));
    ASSERT_TRUE(cache.Load(key).empty()) << "cut to " << length << " bytes";
  }

  Bytes idatDamaged = good;
  const std::string text(good.begin(), good.end());
  const std::size_t idat = text.find("IDAT");
  ASSERT_NE(idat, std::string::npos);
  idatDamaged[idat + 6] ^= 0x5A;
  Bytes garbage(good.size(), 0xA5);
  Bytes framedGarbage = good;  // signature and end chunk intact, everything between broken
  for (std::size_t i = 8; i + 12 < framedGarbage.size(); ++i) framedGarbage[i] = static_cast<std::uint8_t>(i * 31);
  for (const Bytes& bad : {idatDamaged, garbage, framedGarbage}) {
    WriteBytes(FileOf(key), bad);
    EXPECT_TRUE(cache.Load(key).empty());
  }

  // A save puts a good file back in place of a bad one.
  cache.Save(key, TestIcon(8, 8, 6));
  EXPECT_EQ(cache.Load(key), TestIcon(8, 8, 6));
}

TEST_F(IconCacheTest, PicturesAbove512PixelsAreMisses) {
  struct Case {
    int width;
    int height;
    bool kept;
  };
  for (const Case& c : {Case{512, 512, true}, Case{513, 1, false}, Case{1, 513, false}, Case{600, 600, false}}) {
    const IconImage image = TestIcon(c.width, c.height, 1);
    cache.Save(key, image);
    ASSERT_TRUE(fs::exists(FileOf(key)));
    EXPECT_EQ(!cache.Load(key).empty(), c.kept) << c.width << "x" << c.height;
  }
}

TEST_F(IconCacheTest, AHugeDeclaredSizeIsRejectedBeforeDecoding) {
  cache.Save(key, TestIcon(4, 4, 1));
  Bytes png = ReadBytes(FileOf(key));
  // IHDR width at offset 16: claim 100000 x 4 (the CRC no longer matches either).
  png[16] = 0x00;
  png[17] = 0x01;
  png[18] = 0x86;
  png[19] = 0xA0;
  WriteBytes(FileOf(key), png);
  EXPECT_TRUE(cache.Load(key).empty());
}

TEST_F(IconCacheTest, MissingFilesAndFoldersAreQuietMisses) {
  EXPECT_TRUE(cache.Load(L"never saved").empty());
  fs::create_directory(FileOf(key));  // a folder where the file should be
  EXPECT_TRUE(cache.Load(key).empty());

  IconCache nowhere(PlatformPngCodec(), PlatformIconCacheFiles(), (folder.path() / "missing").wstring());
  nowhere.Save(key, TestIcon(2, 2, 1));
  EXPECT_TRUE(nowhere.Load(key).empty());
  EXPECT_FALSE(fs::exists(folder.path() / "missing"));

  IconCache none(PlatformPngCodec(), PlatformIconCacheFiles(), std::wstring());
  EXPECT_EQ(none.PathFor(key), L"");
  none.Save(key, TestIcon(2, 2, 1));
  EXPECT_TRUE(none.Load(key).empty());
}

TEST_F(IconCacheTest, EmptyImagesAreNotSaved) {
  cache.Save(key, IconImage{});
  IconImage mismatched = TestIcon(2, 2, 1);
  mismatched.pixels.pop_back();
  cache.Save(key, mismatched);
  EXPECT_TRUE(FileNames(folder.path()).empty());
}

TEST_F(IconCacheTest, AnItemsNewEntryReplacesItsOldOneAndNothingElse) {
  const std::wstring item = IconCacheItem(L"c:\\apps\\tool.exe", 128);
  const std::wstring newer = L"c:\\apps\\tool.exe|2|128";
  const fs::path itemFile = folder.path() / WideToUtf8(IconCacheItemFileName(item));
  cache.Save(key, TestIcon(8, 8, 1), item);
  cache.Save(L"c:\\apps\\other.exe|1|128", TestIcon(8, 8, 2));
  cache.Save(key, TestIcon(8, 8, 3), item);  // the same entry again
  EXPECT_TRUE(fs::exists(FileOf(key)));

  cache.Save(newer, TestIcon(8, 8, 4), item);
  EXPECT_FALSE(fs::exists(FileOf(key)));
  EXPECT_EQ(cache.Load(newer), TestIcon(8, 8, 4));
  EXPECT_EQ(cache.Load(L"c:\\apps\\other.exe|1|128"), TestIcon(8, 8, 2));

  // An item file naming anything but an entry of this cache removes nothing.
  const fs::path bystander = folder.path() / "notes.txt";
  WriteBytes(bystander, Bytes{'x'});
  for (const std::string& name : {std::string("notes.txt"), std::string("../") + WideToUtf8(IconCacheFileName(newer)),
                                  std::string("0123456789ABCDEF.png"), std::string(100, 'a')}) {
    WriteBytes(itemFile, Bytes(name.begin(), name.end()));
    cache.Save(key, TestIcon(8, 8, 5), item);
    EXPECT_TRUE(fs::exists(bystander)) << name;
    EXPECT_TRUE(fs::exists(FileOf(newer))) << name;
  }
}

TEST(IconCacheNamesTest, TemporaryPathsAreUniqueAndNeverEntries) {
  std::set<std::wstring> seen;
  for (int i = 0; i < 100; ++i) {
    const std::wstring path = TemporaryCachePath(L"dir/0123456789abcdef.png");
    EXPECT_EQ(path.rfind(L"dir/0123456789abcdef.png.", 0), 0u);
    EXPECT_EQ(path.substr(path.size() - 4), L".tmp");
    EXPECT_TRUE(seen.insert(path).second);
  }
}

// Readers racing a writer that keeps replacing the entry must always find a
// whole file: the first picture or the second, never a miss or a mixture.
TEST_F(IconCacheTest, ReadersNeverSeeAPartialFile) {
  const IconImage first = TestIcon(96, 96, 11);
  const IconImage second = TestIcon(128, 128, 12);
  cache.Save(key, first);

  constexpr int kWrites = 150;
  std::atomic<bool> done{false};
  std::atomic<int> bad{0};
  std::atomic<int> reads{0};
  std::vector<std::thread> readers;
  for (int r = 0; r < 3; ++r) {
    readers.emplace_back([&] {
      IconCache reader(PlatformPngCodec(), PlatformIconCacheFiles(), folder.wide());
      while (!done.load()) {
        const IconImage seen = reader.Load(key);
        if (!(seen == first || seen == second)) bad.fetch_add(1);
        reads.fetch_add(1);
      }
    });
  }
  std::thread writer([&] {
    IconCache writing(PlatformPngCodec(), PlatformIconCacheFiles(), folder.wide());
    for (int i = 0; i < kWrites; ++i) writing.Save(key, i % 2 == 0 ? second : first);
    done.store(true);
  });
  writer.join();
  for (std::thread& t : readers) t.join();

  EXPECT_EQ(bad.load(), 0) << "of " << reads.load() << " reads";
  EXPECT_GT(reads.load(), 0);
  EXPECT_EQ(FileNames(folder.path()).size(), 1u);
}

// Two writers of one key (two program instances sharing the folder): both
// succeed, the entry is always one of the two pictures, no temporary stays.
TEST_F(IconCacheTest, ConcurrentWritersLeaveOneWholeEntry) {
  const IconImage first = TestIcon(64, 64, 21);
  const IconImage second = TestIcon(64, 64, 22);
  std::vector<std::thread> writers;
  for (const IconImage* image : {&first, &second}) {
    writers.emplace_back([&, image] {
      IconCache writing(PlatformPngCodec(), PlatformIconCacheFiles(), folder.wide());
      for (int i = 0; i < 100; ++i) writing.Save(key, *image);
    });
  }
  for (std::thread& t : writers) t.join();
  const IconImage result = cache.Load(key);
  EXPECT_TRUE(result == first || result == second);
  EXPECT_EQ(FileNames(folder.path()).size(), 1u);
}

}  // namespace
}  // namespace orvane
