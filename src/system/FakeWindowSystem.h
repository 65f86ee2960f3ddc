#pragma once
// A window system held in memory, for tests, benchmarks and the preview tool.
// It keeps top-level windows with their attributes in Z order, child windows,
// processes with image paths and AUMIDs, the shell's display names, an
// environment, WinEvent hooks and posted messages, and answers every call the
// way Windows does, including its failures (each can be switched on per
// window or process).

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "system/WindowSystem.h"

namespace orvane {

struct FakeWindow {
  std::uint32_t processId = 0;
  std::wstring className = L"FakeAppWindow";
  std::wstring text;
  bool visible = true;
  std::uint32_t exStyle = 0;
  WindowHandle owner = kNoWindow;
  bool iconic = false;
  std::uint32_t cloaked = 0;  // DWM_CLOAKED_* bits; 0: not cloaked
  bool cloakQueryFails = false;
  ScreenRect rect{100, 100, 900, 700};
  bool rectQueryFails = false;
  std::optional<ScreenRect> frameBounds;  // unset: the same as rect
  bool frameBoundsQueryFails = false;
};

struct FakeProcess {
  std::wstring imagePath;  // "": the image-name query fails
  std::wstring aumid;      // "": the process has no package identity
  bool canOpen = true;     // false: OpenProcess is denied (protected or elevated process)
  std::optional<long> aumidLengthResult;  // forces the answer of the AUMID length query
  bool aumidReadFails = false;            // the second AUMID call fails
};

struct PostedMessage {
  WindowHandle window = kNoWindow;
  std::uint32_t message = 0;
};

class FakeWindowSystem : public WindowSystem {
 public:
  FakeWindowSystem();

  // --- building the desktop --------------------------------------------------------
  // A new top-level window below all others (tables read topmost first).
  WindowHandle AddWindow(const FakeWindow& window);
  WindowHandle AddChildWindow(WindowHandle parent, const FakeWindow& window);
  void DestroyWindow(WindowHandle window);  // with its children
  void BringToTop(WindowHandle window);
  FakeWindow* Find(WindowHandle window);    // null when the window does not exist
  void SetForegroundWindow(WindowHandle window) { foreground_ = window; }
  void SetCurrentProcessId(std::uint32_t processId) { currentProcessId_ = processId; }

  void AddProcess(std::uint32_t processId, const FakeProcess& process);
  FakeProcess* FindProcess(std::uint32_t processId);
  // The shell's display name of a file; nullopt makes the lookup fail. Files
  // without an entry that are some process's image show their file name, as
  // the shell does with extensions visible; any other path fails.
  void SetShellDisplayName(const std::wstring& path, std::optional<std::wstring> name);
  void SetEnvironmentVariable(const std::wstring& name, const std::wstring& value);

  // --- events ------------------------------------------------------------------------------
  // Delivers the event to WindowTracker::DispatchWinEvent once per installed
  // hook whose range holds it, unless the window belongs to this process.
  void RaiseWinEvent(std::uint32_t event, WindowHandle window, std::int32_t objectId = 0, std::int32_t childId = 0);
  struct HookRange {
    std::uint32_t first = 0;
    std::uint32_t last = 0;
  };
  std::vector<HookRange> InstalledHooks() const;
  const std::vector<PostedMessage>& PostedMessages() const { return posted_; }
  void ClearPostedMessages() { posted_.clear(); }
  void SetPostsFail(bool fail) { postsFail_ = fail; }
  std::size_t OpenProcessHandleCount() const { return openProcesses_.size(); }

  // --- WindowSystem --------------------------------------------------------------------------
  void EnumerateTopLevelWindows(const std::function<bool(WindowHandle)>& visit) override;
  bool IsVisible(WindowHandle window) override;
  std::uint32_t ProcessIdOf(WindowHandle window) override;
  std::uint32_t ExtendedStyle(WindowHandle window) override;
  WindowHandle Owner(WindowHandle window) override;
  std::optional<std::uint32_t> CloakedState(WindowHandle window) override;
  std::wstring ClassName(WindowHandle window, std::size_t bufferChars) override;
  bool IsIconic(WindowHandle window) override;
  std::optional<ScreenRect> WindowRect(WindowHandle window) override;
  std::optional<ScreenRect> ExtendedFrameBounds(WindowHandle window) override;
  std::wstring WindowText(WindowHandle window, std::size_t bufferChars) override;
  WindowHandle ForegroundWindow() override;
  WindowHandle FindChildWindow(WindowHandle parent, const std::wstring& className) override;
  std::uint32_t CurrentProcessId() override { return currentProcessId_; }
  ProcessHandle OpenProcessForQuery(std::uint32_t processId) override;
  void CloseProcess(ProcessHandle process) override;
  std::optional<std::wstring> ProcessImagePath(ProcessHandle process, std::size_t bufferChars) override;
  long ApplicationUserModelId(ProcessHandle process, std::uint32_t& length, wchar_t* buffer) override;
  std::optional<std::wstring> ShellDisplayName(const std::wstring& path) override;
  std::wstring LowerCase(std::wstring text) override;
  std::wstring ExpandEnvironment(const std::wstring& text) override;
  WinEventHookHandle InstallWinEventHook(std::uint32_t eventMin, std::uint32_t eventMax) override;
  void RemoveWinEventHook(WinEventHookHandle hook) override;
  bool PostWindowMessage(WindowHandle window, std::uint32_t message) override;

 private:
  struct Entry {
    FakeWindow window;
    WindowHandle parent = kNoWindow;
    std::vector<WindowHandle> children;
    bool alive = true;
  };

  Entry* EntryOf(WindowHandle window);
  const FakeProcess* ProcessOfHandle(ProcessHandle process) const;

  std::vector<Entry> windows_;            // indexed by handle
  std::vector<WindowHandle> zOrder_;      // top-level windows, topmost first
  std::unordered_map<std::uint32_t, FakeProcess> processes_;
  std::unordered_set<std::wstring> imagePathsLower_;
  std::unordered_map<ProcessHandle, std::uint32_t> openProcesses_;
  ProcessHandle nextProcessHandle_ = 0x100;
  std::unordered_map<std::wstring, std::optional<std::wstring>> shellNames_;  // by lower-cased path
  std::unordered_map<std::wstring, std::wstring> environment_;                // by lower-cased name
  std::map<WinEventHookHandle, HookRange> hooks_;  // in installation order
  WinEventHookHandle nextHook_ = 1;
  std::vector<PostedMessage> posted_;
  bool postsFail_ = false;
  WindowHandle foreground_ = kNoWindow;
  std::uint32_t currentProcessId_ = 1;
};

// Lower-casing as CharLowerBuffW does it for ASCII, Latin-1, Latin
// Extended-A, Greek and Cyrillic; other characters are kept.
std::wstring FakeLowerCase(std::wstring text);

}  // namespace orvane
