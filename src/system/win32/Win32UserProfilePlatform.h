#pragma once
// The signed-in user as Windows reports it: GetUserNameW, the process token's
// SID, machine registry strings, the shell's picture path, file attributes
// and environment expansion.

#include <windows.h>

#include "system/UserProfile.h"

namespace orvane {

class Win32UserProfilePlatform : public UserProfilePlatform {
 public:
  // Binds the shell's picture-path export (shell32 ordinal 261); without it
  // the shell simply has no answer.
  Win32UserProfilePlatform();

  std::optional<std::wstring> AccountName(std::size_t bufferChars) override;
  std::wstring CurrentUserSid() override;
  std::optional<std::wstring> ReadMachineString(const std::wstring& subKey, const std::wstring& valueName,
                                                std::size_t bufferBytes) override;
  std::optional<std::wstring> ShellUserPicturePath(std::uint32_t flags, std::size_t bufferChars) override;
  std::optional<std::uint32_t> FileAttributes(const std::wstring& path) override;
  std::wstring ExpandEnvironment(const std::wstring& text) override;

 private:
  // HRESULT (user name or picture name, flags, path buffer, buffer length in characters).
  using UserPicturePathFn = HRESULT(WINAPI*)(LPCWSTR, DWORD, LPWSTR, UINT);
  UserPicturePathFn userPicturePath_ = nullptr;
};

}  // namespace orvane
