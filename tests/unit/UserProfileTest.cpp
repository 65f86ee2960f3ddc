#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "CapturedLog.h"
#include "app/Log.h"
#include "app/TextUtil.h"
#include "system/FakeUserProfilePlatform.h"
#include "system/IconExtractor.h"
#include "system/PngCodec.h"
#include "system/headless/HeadlessIconSources.h"
#include "system/UserProfile.h"

namespace orvane::testing {
namespace {

// ---------------------------------------------------------------- display name

struct NameCase {
  const char* name;
  std::optional<std::wstring> account;
  std::wstring shown;
};

void PrintTo(const NameCase& c, std::ostream* os) { *os << c.name; }

class DisplayNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(DisplayNameTest, ChoosesTheShownName) {
  EXPECT_EQ(DisplayNameForAccount(GetParam().account), GetParam().shown);
}

const NameCase kNameCases[] = {
    {"Unreadable", std::nullopt, L"Admin"},
    {"Empty", L"", L"Admin"},
    {"BuiltInAdministrator", L"Administrator", L"Admin"},
    {"AdministratorUpperCase", L"ADMINISTRATOR", L"Admin"},
    {"AdministratorMixedCase", L"aDmInIsTrAtOr", L"Admin"},
    {"AccountNamedAdminStays", L"admin", L"admin"},
    {"LongerNameStays", L"Administrators", L"Administrators"},
    {"PrefixStays", L"Administrato", L"Administrato"},
    {"OrdinaryName", L"Lin", L"Lin"},
    {"ChineseName", L"张伟", L"张伟"},
};

INSTANTIATE_TEST_SUITE_P(Accounts, DisplayNameTest, ::testing::ValuesIn(kNameCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(UserProfileNameTest, NameMustFitTheNameBuffer) {
  FakeUserProfilePlatform platform;
  HeadlessIconSources sources;
  IconExtractor icons(sources, IconCache(PlatformPngCodec(), PlatformIconCacheFiles(), std::wstring()));
  platform.accountName = std::wstring(kUserNameChars - 1, L'u');
  EXPECT_EQ(UserProfile::Load(platform, icons).userName, *platform.accountName);
  platform.accountName = std::wstring(kUserNameChars, L'u');
  EXPECT_EQ(UserProfile::Load(platform, icons).userName, L"Admin");
}

// ---------------------------------------------------------------- picture choice

const std::wstring kSid = L"S-1-5-21-3623811015-3361044348-30300820-1001";
const std::wstring kUserKey = std::wstring(kAccountPictureKey) + kSid;
const std::wstring kPictures = L"C:\\Users\\Public\\AccountPictures\\" + kSid + L"\\";
const std::wstring kDefaults = L"C:\\ProgramData\\Microsoft\\User Account Pictures\\";
const std::wstring kShellPicture = L"C:\\Users\\lin\\AppData\\Local\\Temp\\lin.bmp";

std::wstring Picture(const std::wstring& valueName) { return kPictures + L"{6D1C}-" + valueName + L".jpg"; }

// Registry value pointing at an existing picture file.
void AddAccountPicture(FakeUserProfilePlatform& p, const std::wstring& valueName) {
  p.SetMachineString(kUserKey, valueName, Picture(valueName));
  p.AddFile(Picture(valueName));
}

struct PictureCase {
  const char* name;
  std::function<void(FakeUserProfilePlatform&)> setup;
  std::wstring expected;
};

void PrintTo(const PictureCase& c, std::ostream* os) { *os << c.name; }

class AccountPictureTest : public ::testing::TestWithParam<PictureCase> {};

TEST_P(AccountPictureTest, PicksTheFirstExistingCandidate) {
  FakeUserProfilePlatform platform;
  platform.sid = kSid;
  platform.environment[L"ProgramData"] = L"C:\\ProgramData";
  GetParam().setup(platform);
  EXPECT_EQ(FindAccountPicture(platform, platform.sid), GetParam().expected);
}

const PictureCase kPictureCases[] = {
    {"PreferredSizeFirst",
     [](auto& p) {
       AddAccountPicture(p, L"Image96");
       AddAccountPicture(p, L"Image192");
       AddAccountPicture(p, L"Image448");
     },
     Picture(L"Image192")},
    {"ValueOrderNotSizeOrder",
     [](auto& p) {
       AddAccountPicture(p, L"Image96");
       AddAccountPicture(p, L"Image240");
       AddAccountPicture(p, L"Image208");
     },
     Picture(L"Image240")},
    {"OnlyLargestSize", [](auto& p) { AddAccountPicture(p, L"Image448"); }, Picture(L"Image448")},
    {"OnlySmallestSize", [](auto& p) { AddAccountPicture(p, L"Image32"); }, Picture(L"Image32")},
    {"StaleValueSkipped",
     [](auto& p) {
       p.SetMachineString(kUserKey, L"Image192", Picture(L"Image192"));  // file deleted
       AddAccountPicture(p, L"Image96");
     },
     Picture(L"Image96")},
    {"EmptyValueSkipped",
     [](auto& p) {
       p.SetMachineString(kUserKey, L"Image192", L"");
       AddAccountPicture(p, L"Image64");
     },
     Picture(L"Image64")},
    {"FolderValueSkipped",
     [](auto& p) {
       p.SetMachineString(kUserKey, L"Image192", kPictures);
       p.files[kPictures] = FakeFile{true};
       AddAccountPicture(p, L"Image48");
     },
     Picture(L"Image48")},
    {"ValueTooLongForTheBufferSkipped",
     [](auto& p) {
       const std::wstring longPath = kPictures + std::wstring(kPictureValueBytes / 2 - kPictures.size(), L'x');
       p.SetMachineString(kUserKey, L"Image192", longPath);
       p.AddFile(longPath);
       AddAccountPicture(p, L"Image96");
     },
     Picture(L"Image96")},
    {"LongestValueThatFits",
     [](auto& p) {
       const std::wstring longPath = kPictures + std::wstring(kPictureValueBytes / 2 - 1 - kPictures.size(), L'x');
       p.SetMachineString(kUserKey, L"Image192", longPath);
       p.AddFile(longPath);
       AddAccountPicture(p, L"Image96");
     },
     kPictures + std::wstring(kPictureValueBytes / 2 - 1 - kPictures.size(), L'x')},
    {"OtherUsersPicturesIgnored",
     [](auto& p) {
       p.SetMachineString(std::wstring(kAccountPictureKey) + L"S-1-5-21-1-2-3-500", L"Image192", Picture(L"Image192"));
       p.AddFile(Picture(L"Image192"));
       p.AddFile(kDefaults + L"user.png");
     },
     kDefaults + L"user.png"},
    {"AllRegistryValuesStaleAsksTheShell",
     [](auto& p) {
       for (const wchar_t* value : kAccountPictureValues) p.SetMachineString(kUserKey, value, Picture(value));
       p.shellPicturePath = kShellPicture;
       p.AddFile(kShellPicture);
       p.AddFile(kDefaults + L"user-192.png");
     },
     kShellPicture},
    {"NoSidAsksTheShell",
     [](auto& p) {
       p.sid = L"";
       // The bare key must not be read as if it belonged to someone.
       p.SetMachineString(kAccountPictureKey, L"Image192", Picture(L"Image192"));
       p.AddFile(Picture(L"Image192"));
       p.shellPicturePath = kShellPicture;
       p.AddFile(kShellPicture);
     },
     kShellPicture},
    {"ShellPathMissingUsesDefault",
     [](auto& p) {
       p.shellPicturePath = kShellPicture;
       p.AddFile(kDefaults + L"user-192.png");
     },
     kDefaults + L"user-192.png"},
    {"ShellEmptyUsesDefault",
     [](auto& p) {
       p.shellPicturePath = L"";
       p.AddFile(kDefaults + L"user-192.png");
     },
     kDefaults + L"user-192.png"},
    {"DefaultOrder",
     [](auto& p) {
       p.AddFile(kDefaults + L"user-48.png");
       p.AddFile(kDefaults + L"user.png");
     },
     kDefaults + L"user.png"},
    {"OnlySmallDefault", [](auto& p) { p.AddFile(kDefaults + L"user-48.png"); }, kDefaults + L"user-48.png"},
    {"NothingFound", [](auto&) {}, L""},
};

INSTANTIATE_TEST_SUITE_P(Sources, AccountPictureTest, ::testing::ValuesIn(kPictureCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- loading

// The picture is loaded through the icon extractor over real files in a
// temporary folder, with its disk cache in a folder of its own.
class UserProfileLoadTest : public ::testing::Test {
 protected:
  static std::filesystem::path MakeFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvane-profile-XXXXXX").string();
    const std::filesystem::path folder(::mkdtemp(pattern.data()));
    std::filesystem::create_directory(folder / "cache");
    return folder;
  }
  UserProfileLoadTest() {
    platform.accountName = L"Lin";
    platform.sid = kSid;
    platform.environment[L"ProgramData"] = L"C:\\ProgramData";
  }
  ~UserProfileLoadTest() override {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }

  // A file on disk that the registry's Image192 value names.
  std::wstring AccountPictureFile(const std::string& bytes) {
    const std::filesystem::path file = folder_ / "lin-192.png";
    std::ofstream(file, std::ios::binary) << bytes;
    const std::wstring path = Utf8ToWide(file.string());
    platform.SetMachineString(kUserKey, L"Image192", path);
    platform.AddFile(path);
    return path;
  }
  std::wstring CachePath(const std::wstring& picture) {
    return icons.cache().PathFor(icons.CustomImageKey(picture, kAvatarSize));
  }

  const std::filesystem::path folder_ = MakeFolder();
  FakeUserProfilePlatform platform;
  HeadlessIconSources sources;
  IconExtractor icons{sources, IconCache(PlatformPngCodec(), PlatformIconCacheFiles(), Utf8ToWide((folder_ / "cache").string()))};
  CapturedLog log;
};

TEST_F(UserProfileLoadTest, LoadsTheChosenPictureThroughTheIconCacheAndLogsIt) {
  IconImage picture;
  picture.width = 192;
  picture.height = 190;
  picture.pixels.assign(192u * 190u * 4u, 0xFF);
  const std::vector<std::uint8_t> png = PlatformPngCodec().Encode(picture);
  const std::wstring path = AccountPictureFile(std::string(png.begin(), png.end()));

  const UserProfile profile = UserProfile::Load(platform, icons);

  EXPECT_EQ(profile.userName, L"Lin");
  EXPECT_EQ(profile.avatarPath, path);
  EXPECT_EQ(profile.avatar, picture);
  EXPECT_TRUE(std::filesystem::exists(WideToUtf8(CachePath(path)))) << "the picture is cached";
  ASSERT_EQ(log.lines.size(), 1u);
  EXPECT_EQ(log.lines[0], L"[00:00:00.000] UserProfile: loaded avatar " + path + L" (192x190)\r\n");
}

TEST_F(UserProfileLoadTest, APictureThatWillNotDecodeGetsTheShellsPictureAtAvatarSize) {
  const std::wstring path = AccountPictureFile("not a picture");

  const UserProfile profile = UserProfile::Load(platform, icons);

  // The choice is made on existence; a corrupt file is not traded for the next size.
  EXPECT_EQ(profile.avatarPath, path);
  EXPECT_EQ(profile.avatar, HeadlessShellIcon(L"lin-192.png", kAvatarSize));
}

TEST_F(UserProfileLoadTest, NoPictureMeansNoAvatar) {
  platform.accountName = std::nullopt;
  platform.sid = L"";

  const UserProfile profile = UserProfile::Load(platform, icons);

  EXPECT_EQ(profile.userName, L"Admin");
  EXPECT_EQ(profile.avatarPath, L"");
  EXPECT_TRUE(profile.avatar.empty());
  EXPECT_TRUE(std::filesystem::is_empty(folder_ / "cache"));
  EXPECT_TRUE(log.lines.empty());
}

}  // namespace
}  // namespace orvane::testing
