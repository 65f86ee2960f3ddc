#pragma once
// The signed-in user's display name and account picture, loaded once when the
// menu bar is created. Runs synchronously on the UI thread.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "system/IconExtractor.h"
#include "system/IconImage.h"

namespace orvane {

// GetFileAttributesW's directory bit.
inline constexpr std::uint32_t kFileAttributeDirectory = 0x10;

// What the profile asks of the platform. Windows: win32/Win32UserProfilePlatform;
// tests and the preview tool: FakeUserProfilePlatform. Each call answers what
// the Win32 call it names answers, nullopt or "" where that call fails.
class UserProfilePlatform {
 public:
  virtual ~UserProfilePlatform() = default;

  // GetUserNameW into a buffer of bufferChars, terminator included.
  virtual std::optional<std::wstring> AccountName(std::size_t bufferChars) = 0;
  // The process token's user SID as a string ("S-1-5-21-..."); "" on failure.
  virtual std::wstring CurrentUserSid() = 0;
  // RegGetValueW(HKEY_LOCAL_MACHINE, subKey, valueName, RRF_RT_REG_SZ) into a
  // buffer of bufferBytes.
  virtual std::optional<std::wstring> ReadMachineString(const std::wstring& subKey, const std::wstring& valueName,
                                                        std::size_t bufferBytes) = 0;
  // The shell's picture path for the current user (shell32 ordinal 261, no
  // user name); nullopt when the entry point is missing or the call fails.
  virtual std::optional<std::wstring> ShellUserPicturePath(std::uint32_t flags, std::size_t bufferChars) = 0;
  // GetFileAttributesW.
  virtual std::optional<std::uint32_t> FileAttributes(const std::wstring& path) = 0;
  virtual std::wstring ExpandEnvironment(const std::wstring& text) = 0;
};

// Registry key (under HKEY_LOCAL_MACHINE) that, followed by the user's SID,
// holds the account picture paths, and its values in the order they are tried.
inline constexpr const wchar_t* kAccountPictureKey =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\AccountPicture\\Users\\";
inline constexpr const wchar_t* kAccountPictureValues[] = {L"Image192", L"Image240", L"Image208", L"Image96",
                                                           L"Image448", L"Image64",  L"Image48",  L"Image32"};
// The system's default pictures, tried in this order.
inline constexpr const wchar_t* kDefaultPictureFolder = L"%ProgramData%\\Microsoft\\User Account Pictures";
inline constexpr const wchar_t* kDefaultPictures[] = {L"\\user-192.png", L"\\user.png", L"\\user-48.png"};

inline constexpr std::size_t kUserNameChars = 128;
inline constexpr std::size_t kPictureValueBytes = 1040;
inline constexpr std::size_t kShellPicturePathChars = 520;
inline constexpr std::uint32_t kShellPictureFlags = 0x80000000;
inline constexpr unsigned kAvatarSize = 192;

// The name shown for an account: "Admin" for the built-in "Administrator"
// (any case) and when the name could not be read or is empty.
std::wstring DisplayNameForAccount(const std::optional<std::wstring>& accountName);

// The account picture file: the SID's registry values, then the shell's
// answer, then the default pictures; the first that names an existing file
// wins. "" when none does.
std::wstring FindAccountPicture(UserProfilePlatform& platform, const std::wstring& sid);

struct UserProfile {
  std::wstring userName;
  std::wstring avatarPath;  // "" when no picture file was found
  IconImage avatar;         // empty when none was found or nothing could draw it

  // Never fails: every failure leaves its field at the fallback or empty. The
  // picture comes through the icons' custom-image path at kAvatarSize, so it
  // is cached and another source stands in for a file that will not decode.
  static UserProfile Load(UserProfilePlatform& platform, IconExtractor& icons);
};

}  // namespace orvane
