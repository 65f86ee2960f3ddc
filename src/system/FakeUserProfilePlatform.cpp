#include "system/FakeUserProfilePlatform.h"

#include "app/TextUtil.h"

namespace orvane {
namespace {

constexpr std::uint32_t kFileAttributeNormal = 0x80;

// Whether text plus its terminator fits a buffer of that many characters.
bool FitsWithTerminator(const std::wstring& text, std::size_t bufferChars) { return text.size() < bufferChars; }

}  // namespace

std::optional<std::wstring> FakeUserProfilePlatform::AccountName(std::size_t bufferChars) {
  if (!accountName || !FitsWithTerminator(*accountName, bufferChars)) return std::nullopt;
  return accountName;
}

std::optional<std::wstring> FakeUserProfilePlatform::ReadMachineString(const std::wstring& subKey,
                                                                       const std::wstring& valueName,
                                                                       std::size_t bufferBytes) {
  const auto found = machineStrings.find({subKey, valueName});
  if (found == machineStrings.end()) return std::nullopt;
  // RegGetValueW fails with ERROR_MORE_DATA rather than cutting the text.
  // The buffer holds UTF-16 units whatever wchar_t is here.
  if (!FitsWithTerminator(found->second, bufferBytes / 2)) return std::nullopt;
  return found->second;
}

std::optional<std::wstring> FakeUserProfilePlatform::ShellUserPicturePath(std::uint32_t, std::size_t bufferChars) {
  if (!shellPicturePath || !FitsWithTerminator(*shellPicturePath, bufferChars)) return std::nullopt;
  return shellPicturePath;
}

std::optional<std::uint32_t> FakeUserProfilePlatform::FileAttributes(const std::wstring& path) {
  const auto found = files.find(path);
  if (found == files.end()) return std::nullopt;
  return found->second.directory ? kFileAttributeDirectory : kFileAttributeNormal;
}

std::wstring FakeUserProfilePlatform::ExpandEnvironment(const std::wstring& text) {
  return ExpandEnvironmentWith(text, [this](const std::wstring& name) -> std::optional<std::wstring> {
    const auto found = environment.find(name);
    if (found == environment.end()) return std::nullopt;
    return found->second;
  });
}

}  // namespace orvane
