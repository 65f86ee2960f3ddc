#pragma once
// A window system held in memory, for tests, benchmarks and the preview tool.
// It keeps top-level windows with their attributes in Z order, child windows,
// processes with image paths and AUMIDs, the shell's display names, an
// environment, WinEvent hooks, posted messages, monitors, the foreground
// window with its lock, attached thread inputs and injected keys, and
// answers every call the way Windows does, including its failures (each can
// be switched on per window or process).

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
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
  bool zoomed = false;        // maximised (kept while iconic, as WS_MAXIMIZE is restored with the window)
  std::uint32_t threadId = 0;  // 0: the same number as processId (one UI thread per process)
};

struct FakeMonitor {
  ScreenRect bounds;
  ScreenRect workArea;
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
  void SetForeground(WindowHandle window) { foreground_ = window; }
  void SetCurrentProcessId(std::uint32_t processId) { currentProcessId_ = processId; }
  void SetCurrentThreadId(std::uint32_t threadId) { currentThreadId_ = threadId; }
  // With the lock on, as for a process that did not receive the last input,
  // SetForegroundWindow succeeds only when there is no foreground window, it
  // belongs to this process, or this thread's input is attached to its thread.
  void SetForegroundLocked(bool locked) { foregroundLocked_ = locked; }
  // One 1920 x 1080 monitor with a 1920 x 1040 work area until replaced.
  void SetMonitors(std::vector<FakeMonitor> monitors) { monitors_ = std::move(monitors); }
  void SetMonitorInfoFails(bool fail) { monitorInfoFails_ = fail; }
  // SendInput is blocked (another desktop, UIPI): nothing is injected.
  void SetInputBlocked(bool blocked) { inputBlocked_ = blocked; }
  const std::vector<KeyStroke>& SentKeys() const { return sentKeys_; }
  // Thread pairs whose input is attached right now.
  std::size_t AttachedInputCount() const { return attachedInputs_.size(); }

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
  std::optional<WindowPlacement> Placement(WindowHandle window) override;
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
  bool IsWindow(WindowHandle window) override;
  bool IsZoomed(WindowHandle window) override;
  void ShowWindowAsync(WindowHandle window, int command) override;
  void ShowWindow(WindowHandle window, int command) override;
  void BringWindowToTop(WindowHandle window) override;
  bool SetForegroundWindow(WindowHandle window) override;
  std::uint32_t WindowThreadId(WindowHandle window) override;
  std::uint32_t CurrentThreadId() override { return currentThreadId_; }
  bool AttachThreadInput(std::uint32_t thread, std::uint32_t toThread, bool attach) override;
  std::optional<ScreenRect> MonitorWorkArea(WindowHandle window) override;
  bool SetWindowPos(WindowHandle window, const ScreenRect& rect, std::uint32_t flags) override;
  unsigned SendKeyInputs(const std::vector<KeyStroke>& keys) override;

 private:
  struct Entry {
    FakeWindow window;
    WindowHandle parent = kNoWindow;
    std::vector<WindowHandle> children;
    bool alive = true;
  };

  Entry* EntryOf(WindowHandle window);
  const FakeMonitor* MonitorNearest(const ScreenRect& rect) const;
  ScreenRect ShownRect(const Entry& entry) const;
  WindowHandle NextActivationCandidate(WindowHandle after);
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
  std::uint32_t currentThreadId_ = 1;
  bool foregroundLocked_ = false;
  std::set<std::pair<std::uint32_t, std::uint32_t>> attachedInputs_;
  std::vector<FakeMonitor> monitors_{FakeMonitor{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}}};
  bool monitorInfoFails_ = false;
  bool inputBlocked_ = false;
  std::vector<KeyStroke> sentKeys_;
};

// Lower-casing as CharLowerBuffW does it for ASCII, Latin-1, Latin
// Extended-A, Greek and Cyrillic; other characters are kept.
std::wstring FakeLowerCase(std::wstring text);

}  // namespace orvane
