// Process environment and file queries on Windows.
#include <windows.h>

#include <vector>

#include "app/TextUtil.h"

namespace orvane {

std::optional<std::wstring> GetEnvironment(const std::wstring& name) {
  SetLastError(ERROR_SUCCESS);
  const DWORD needed = GetEnvironmentVariableW(name.c_str(), nullptr, 0);
  if (needed == 0) {
    if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
    return std::wstring();
  }
  std::vector<wchar_t> buffer(needed);
  const DWORD written = GetEnvironmentVariableW(name.c_str(), buffer.data(), needed);
  if (written == 0 || written >= needed) return std::wstring();
  return std::wstring(buffer.data(), written);
}

std::wstring ExpandEnvironment(const std::wstring& text) {
  if (text.find(L'%') == std::wstring::npos) return text;
  const DWORD size = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
  if (size == 0) return text;
  std::wstring out(size, L'\0');
  const DWORD written = ExpandEnvironmentStringsW(text.c_str(), out.data(), size);
  if (written == 0 || written > size) return text;
  out.resize(written - 1);  // drop the terminator the count includes
  return out;
}

bool PathExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace orvane
