#include "system/AppIdentity.h"

#include <vector>

#include "system/WindowFilters.h"

namespace orvane {
namespace {

// Closes the process handle on every path out of a query.
class OpenProcessQuery {
 public:
  OpenProcessQuery(WindowSystem& system, std::uint32_t processId)
      : system_(system), handle_(system.OpenProcessForQuery(processId)) {}
  ~OpenProcessQuery() {
    if (handle_ != 0) system_.CloseProcess(handle_);
  }
  OpenProcessQuery(const OpenProcessQuery&) = delete;
  OpenProcessQuery& operator=(const OpenProcessQuery&) = delete;

  ProcessHandle handle() const { return handle_; }

 private:
  WindowSystem& system_;
  ProcessHandle handle_;
};

bool EndsWithAsciiNoCase(std::wstring_view text, std::wstring_view suffixLower) {
  if (text.size() < suffixLower.size()) return false;
  const std::wstring_view tail = text.substr(text.size() - suffixLower.size());
  for (std::size_t i = 0; i < tail.size(); ++i) {
    wchar_t c = tail[i];
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    if (c != suffixLower[i]) return false;
  }
  return true;
}

std::wstring PathStem(std::wstring_view path) {
  const std::wstring_view name = FileNameOf(path);
  if (name == L"." || name == L"..") return std::wstring(name);
  const std::size_t dot = name.rfind(L'.');
  return std::wstring(dot == std::wstring_view::npos ? name : name.substr(0, dot));
}

}  // namespace

RunningProcessIdentity ReadProcessIdentity(WindowSystem& system, std::uint32_t processId) {
  RunningProcessIdentity identity;
  OpenProcessQuery process(system, processId);
  if (process.handle() == 0) return identity;
  identity.exePath = system.ProcessImagePath(process.handle(), kImagePathBuffer).value_or(std::wstring());
  identity.exePathLower = LowerCasePath(system, identity.exePath);
  identity.aumid = ReadApplicationUserModelId(system, process.handle());
  return identity;
}

std::wstring ReadApplicationUserModelId(WindowSystem& system, ProcessHandle process) {
  std::uint32_t length = 0;
  if (system.ApplicationUserModelId(process, length, nullptr) != kErrorInsufficientBuffer || length == 0) {
    return std::wstring();
  }
  std::vector<wchar_t> buffer(length, L'\0');
  std::uint32_t written = length;
  if (system.ApplicationUserModelId(process, written, buffer.data()) != kErrorSuccess) return std::wstring();
  // The length counts the terminator; stop at the first one in any case.
  std::wstring aumid(buffer.data(), buffer.size());
  const std::size_t end = aumid.find(L'\0');
  if (end != std::wstring::npos) aumid.resize(end);
  return aumid;
}

std::wstring LowerCasePath(WindowSystem& system, const std::wstring& path) {
  if (path.find(L'%') == std::wstring::npos) return system.LowerCase(path);
  return system.LowerCase(system.ExpandEnvironment(path));
}

std::wstring IdentityKey(const std::wstring& aumidLower, const std::wstring& exePathLower) {
  if (!aumidLower.empty()) return L"aumid:" + aumidLower;
  return L"exe:" + exePathLower;
}

std::wstring_view FileNameOf(std::wstring_view path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring_view::npos ? path : path.substr(slash + 1);
}

std::wstring DisplayNameFromPath(WindowSystem& system, const std::wstring& path) {
  const std::optional<std::wstring> shellName = system.ShellDisplayName(path);
  if (shellName && !shellName->empty()) {
    std::wstring name = *shellName;
    if (name.size() > 4 && (EndsWithAsciiNoCase(name, L".exe") || EndsWithAsciiNoCase(name, L".lnk"))) {
      name.resize(name.size() - 4);
    }
    return name;
  }
  return PathStem(path);
}

std::optional<WindowIdentity> ResolveWindowIdentity(WindowSystem& system, WindowHandle window) {
  WindowIdentity identity;
  identity.processId = system.ProcessIdOf(window);
  RunningProcessIdentity process = ReadProcessIdentity(system, identity.processId);

  if (process.exePathLower.ends_with(kFrameHostSuffix)) {
    const WindowHandle core = system.FindChildWindow(window, std::wstring(kCoreWindowClass));
    if (core == kNoWindow) return std::nullopt;  // an empty frame: the app is suspended or gone
    const std::uint32_t hostedProcessId = system.ProcessIdOf(core);
    if (hostedProcessId != 0 && hostedProcessId != identity.processId) {
      identity.processId = hostedProcessId;
      process = ReadProcessIdentity(system, hostedProcessId);
    }
  }

  if (IsExcludedShellProcess(FileNameOf(process.exePathLower))) return std::nullopt;
  if (process.exePath.empty() && process.aumid.empty()) return std::nullopt;

  identity.title = system.WindowText(window, kWindowTitleBuffer);
  if (identity.title.empty()) {
    identity.title = process.exePath.empty() ? process.aumid : DisplayNameFromPath(system, process.exePath);
  }

  identity.exePath = std::move(process.exePath);
  identity.exePathLower = std::move(process.exePathLower);
  identity.aumid = std::move(process.aumid);
  identity.aumidLower = system.LowerCase(identity.aumid);
  identity.key = IdentityKey(identity.aumidLower, identity.exePathLower);
  return identity;
}

}  // namespace orvane

