#include "system/win32/Win32UserProfilePlatform.h"

#include <sddl.h>

#include <algorithm>
#include <cwchar>
#include <vector>

#include "app/TextUtil.h"
#include "platform/win32/Handles.h"
#include "platform/win32/SystemProc.h"

namespace orvane {
namespace {

constexpr WORD kUserPicturePathOrdinal = 261;

// The text up to the first NUL within the buffer; never reads past it.
std::wstring TerminatedText(const wchar_t* buffer, std::size_t capacity) {
  return std::wstring(buffer, wcsnlen(buffer, capacity));
}

}  // namespace

Win32UserProfilePlatform::Win32UserProfilePlatform() {
  // Under Wine the ordinal resolves to an unimplemented stub that raises when
  // called (ending the process), so the shell is not asked there.
  if (FindSystemProc(L"ntdll.dll", "wine_get_version") != nullptr) return;
  userPicturePath_ = LoadSystemProc<UserPicturePathFn>(L"shell32.dll", ProcName::Ordinal(kUserPicturePathOrdinal));
}

std::optional<std::wstring> Win32UserProfilePlatform::AccountName(std::size_t bufferChars) {
  if (bufferChars == 0) return std::nullopt;
  std::vector<wchar_t> buffer(bufferChars, L'\0');
  DWORD size = static_cast<DWORD>(bufferChars);
  if (!GetUserNameW(buffer.data(), &size)) return std::nullopt;
  return TerminatedText(buffer.data(), buffer.size());
}

std::wstring Win32UserProfilePlatform::CurrentUserSid() {
  KernelHandle token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Put())) return std::wstring();
  DWORD needed = 0;
  GetTokenInformation(token.Get(), TokenUser, nullptr, 0, &needed);
  if (needed < sizeof(TOKEN_USER)) return std::wstring();
  // TOKEN_USER holds a pointer; 64-bit elements keep the buffer aligned for it.
  std::vector<std::uint64_t> buffer((needed + sizeof(std::uint64_t) - 1) / sizeof(std::uint64_t));
  if (!GetTokenInformation(token.Get(), TokenUser, buffer.data(), needed, &needed)) return std::wstring();
  const auto* user = reinterpret_cast<const TOKEN_USER*>(buffer.data());
  LPWSTR text = nullptr;
  if (!ConvertSidToStringSidW(user->User.Sid, &text) || text == nullptr) return std::wstring();
  std::wstring sid(text);
  LocalFree(text);
  return sid;
}

std::optional<std::wstring> Win32UserProfilePlatform::ReadMachineString(const std::wstring& subKey,
                                                                        const std::wstring& valueName,
                                                                        std::size_t bufferBytes) {
  const std::size_t capacity = bufferBytes / sizeof(wchar_t);
  if (capacity == 0) return std::nullopt;
  std::vector<wchar_t> buffer(capacity, L'\0');
  DWORD bytes = static_cast<DWORD>(capacity * sizeof(wchar_t));
  if (RegGetValueW(HKEY_LOCAL_MACHINE, subKey.c_str(), valueName.c_str(), RRF_RT_REG_SZ, nullptr, buffer.data(),
                   &bytes) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return TerminatedText(buffer.data(), std::min<std::size_t>(capacity, bytes / sizeof(wchar_t)));
}

std::optional<std::wstring> Win32UserProfilePlatform::ShellUserPicturePath(std::uint32_t flags,
                                                                           std::size_t bufferChars) {
  if (userPicturePath_ == nullptr || bufferChars == 0) return std::nullopt;
  std::vector<wchar_t> buffer(bufferChars, L'\0');
  if (FAILED(userPicturePath_(nullptr, flags, buffer.data(), static_cast<UINT>(bufferChars)))) return std::nullopt;
  return TerminatedText(buffer.data(), buffer.size());
}

std::optional<std::uint32_t> Win32UserProfilePlatform::FileAttributes(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return attributes;
}

std::wstring Win32UserProfilePlatform::ExpandEnvironment(const std::wstring& text) {
  return orvane::ExpandEnvironment(text);
}

}  // namespace orvane
