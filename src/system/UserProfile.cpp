#include "system/UserProfile.h"

#include <string_view>
#include <utility>

#include "app/Log.h"

namespace orvane {
namespace {

constexpr std::wstring_view kBuiltInAdministrator = L"Administrator";
constexpr const wchar_t* kFallbackName = L"Admin";

wchar_t AsciiLower(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool EqualsIgnoringAsciiCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

// A folder of that name would pass an existence test but never decode.
bool IsExistingFile(UserProfilePlatform& platform, const std::wstring& path) {
  if (path.empty()) return false;
  const std::optional<std::uint32_t> attributes = platform.FileAttributes(path);
  return attributes && (*attributes & kFileAttributeDirectory) == 0;
}

}  // namespace

std::wstring DisplayNameForAccount(const std::optional<std::wstring>& accountName) {
  if (!accountName || accountName->empty()) return kFallbackName;
  if (EqualsIgnoringAsciiCase(*accountName, kBuiltInAdministrator)) return kFallbackName;
  return *accountName;
}

std::wstring FindAccountPicture(UserProfilePlatform& platform, const std::wstring& sid) {
  if (!sid.empty()) {
    const std::wstring key = kAccountPictureKey + sid;
    for (const wchar_t* valueName : kAccountPictureValues) {
      const std::optional<std::wstring> path = platform.ReadMachineString(key, valueName, kPictureValueBytes);
      // A stale value (the file was deleted) falls through to the next size.
      if (path && IsExistingFile(platform, *path)) return *path;
    }
  }

  const std::optional<std::wstring> shellPath = platform.ShellUserPicturePath(kShellPictureFlags, kShellPicturePathChars);
  if (shellPath && IsExistingFile(platform, *shellPath)) return *shellPath;

  const std::wstring folder = platform.ExpandEnvironment(kDefaultPictureFolder);
  for (const wchar_t* leaf : kDefaultPictures) {
    std::wstring path = folder + leaf;
    if (IsExistingFile(platform, path)) return path;
  }
  return std::wstring();
}

UserProfile UserProfile::Load(UserProfilePlatform& platform, IconExtractor& icons) {
  UserProfile profile;
  profile.userName = DisplayNameForAccount(platform.AccountName(kUserNameChars));
  profile.avatarPath = FindAccountPicture(platform, platform.CurrentUserSid());
  if (profile.avatarPath.empty()) return profile;

  IconImage avatar = icons.ForCustomImage(profile.avatarPath, kAvatarSize);
  // Nothing to draw leaves the avatar empty; the menu bar then draws its
  // person glyph. The path still says which file was chosen.
  if (avatar.empty()) return profile;
  profile.avatar = std::move(avatar);
  Log(L"UserProfile: loaded avatar %s (%dx%d)", profile.avatarPath, profile.avatar.width, profile.avatar.height);
  return profile;
}

}  // namespace orvane
