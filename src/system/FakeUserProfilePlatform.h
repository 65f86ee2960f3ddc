#pragma once
// An account held in memory, for tests and the preview tool: a user name, a
// SID, machine registry strings, files and folders, the shell's picture
// answer and an environment. Buffer limits fail the way the
// Win32 calls do when the text does not fit.

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "system/UserProfile.h"

namespace orvane {

struct FakeFile {
  bool directory = false;
};

class FakeUserProfilePlatform : public UserProfilePlatform {
 public:
  std::optional<std::wstring> accountName;  // nullopt: GetUserNameW fails
  std::wstring sid;                         // "": the token query fails
  // (subKey, valueName) -> REG_SZ text.
  std::map<std::pair<std::wstring, std::wstring>, std::wstring> machineStrings;
  std::optional<std::wstring> shellPicturePath;  // nullopt: the call fails
  std::map<std::wstring, FakeFile> files;
  std::map<std::wstring, std::wstring> environment;

  void AddFile(const std::wstring& path) { files[path] = FakeFile{}; }
  void SetMachineString(const std::wstring& subKey, const std::wstring& valueName, const std::wstring& text) {
    machineStrings[{subKey, valueName}] = text;
  }

  std::optional<std::wstring> AccountName(std::size_t bufferChars) override;
  std::wstring CurrentUserSid() override { return sid; }
  std::optional<std::wstring> ReadMachineString(const std::wstring& subKey, const std::wstring& valueName,
                                                std::size_t bufferBytes) override;
  std::optional<std::wstring> ShellUserPicturePath(std::uint32_t flags, std::size_t bufferChars) override;
  std::optional<std::uint32_t> FileAttributes(const std::wstring& path) override;
  std::wstring ExpandEnvironment(const std::wstring& text) override;
};

}  // namespace orvane
