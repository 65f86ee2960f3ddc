#include "system/FakeWindowSystem.h"

#include <algorithm>

#include "app/TextUtil.h"
#include "system/AppIdentity.h"
#include "system/WindowTracker.h"

namespace orvane {
namespace {

// Handles look like window handles: non-zero, spaced apart, never reused.
constexpr WindowHandle kFirstHandle = 0x10010;
constexpr WindowHandle kHandleStep = 4;

constexpr long kErrorInvalidHandle = 6;
constexpr long kErrorAccessDenied = 5;

wchar_t LowerChar(wchar_t c) {
  const auto u = static_cast<std::uint32_t>(c);
  auto shifted = [&](std::uint32_t by) { return static_cast<wchar_t>(u + by); };
  if (u >= L'A' && u <= L'Z') return shifted(0x20);
  if (u < 0xC0) return c;
  if (u <= 0xDE) return u == 0xD7 ? c : shifted(0x20);               // Latin-1, not the multiplication sign
  if (u == 0x130) return L'i';                                         // capital I with dot above
  if (u >= 0x100 && u <= 0x137) return (u % 2 == 0) ? shifted(1) : c;  // Latin Extended-A pairs
  if (u >= 0x139 && u <= 0x148) return (u % 2 == 1) ? shifted(1) : c;
  if (u >= 0x14A && u <= 0x177) return (u % 2 == 0) ? shifted(1) : c;
  if (u == 0x178) return static_cast<wchar_t>(0xFF);
  if (u >= 0x179 && u <= 0x17E) return (u % 2 == 1) ? shifted(1) : c;
  if (u == 0x386) return static_cast<wchar_t>(0x3AC);                  // Greek with tonos
  if (u >= 0x388 && u <= 0x38A) return shifted(0x25);
  if (u == 0x38C) return static_cast<wchar_t>(0x3CC);
  if (u == 0x38E || u == 0x38F) return shifted(0x3F);
  if (u >= 0x391 && u <= 0x3AB) return u == 0x3A2 ? c : shifted(0x20);  // Greek capitals
  if (u >= 0x400 && u <= 0x40F) return shifted(0x50);                  // Cyrillic Ѐ..Џ
  if (u >= 0x410 && u <= 0x42F) return shifted(0x20);                  // Cyrillic А..Я
  if (u >= 0x460 && u <= 0x481) return (u % 2 == 0) ? shifted(1) : c;
  if (u >= 0x48A && u <= 0x4BF) return (u % 2 == 0) ? shifted(1) : c;
  if (u == 0x4C0) return static_cast<wchar_t>(0x4CF);
  if (u >= 0x4C1 && u <= 0x4CE) return (u % 2 == 1) ? shifted(1) : c;
  if (u >= 0x4D0 && u <= 0x52F) return (u % 2 == 0) ? shifted(1) : c;
  return c;
}

std::wstring Truncated(const std::wstring& text, std::size_t bufferChars) {
  if (bufferChars == 0) return std::wstring();
  return text.substr(0, std::min(text.size(), bufferChars - 1));
}

bool SameNameNoCase(const std::wstring& a, const std::wstring& b) { return FakeLowerCase(a) == FakeLowerCase(b); }

}  // namespace

std::wstring FakeLowerCase(std::wstring text) {
  for (wchar_t& c : text) c = LowerChar(c);
  return text;
}

FakeWindowSystem::FakeWindowSystem() = default;

// --- building the desktop ------------------------------------------------------------------------

WindowHandle FakeWindowSystem::AddWindow(const FakeWindow& window) {
  const WindowHandle handle = kFirstHandle + windows_.size() * kHandleStep;
  windows_.push_back(Entry{window, kNoWindow, {}, true});
  zOrder_.push_back(handle);
  return handle;
}

WindowHandle FakeWindowSystem::AddChildWindow(WindowHandle parent, const FakeWindow& window) {
  Entry* parentEntry = EntryOf(parent);
  if (parentEntry == nullptr) return kNoWindow;
  const WindowHandle handle = kFirstHandle + windows_.size() * kHandleStep;
  parentEntry->children.push_back(handle);  // before push_back, which may move the entries
  windows_.push_back(Entry{window, parent, {}, true});
  return handle;
}

void FakeWindowSystem::DestroyWindow(WindowHandle window) {
  Entry* entry = EntryOf(window);
  if (entry == nullptr) return;
  entry->alive = false;
  const std::vector<WindowHandle> children = entry->children;
  for (const WindowHandle child : children) DestroyWindow(child);
  zOrder_.erase(std::remove(zOrder_.begin(), zOrder_.end(), window), zOrder_.end());
  if (foreground_ == window) foreground_ = kNoWindow;
}

void FakeWindowSystem::BringToTop(WindowHandle window) {
  const auto it = std::find(zOrder_.begin(), zOrder_.end(), window);
  if (it != zOrder_.end()) std::rotate(zOrder_.begin(), it, it + 1);
}

FakeWindow* FakeWindowSystem::Find(WindowHandle window) {
  Entry* entry = EntryOf(window);
  return entry == nullptr ? nullptr : &entry->window;
}

void FakeWindowSystem::AddProcess(std::uint32_t processId, const FakeProcess& process) {
  processes_[processId] = process;
  if (!process.imagePath.empty()) imagePathsLower_.insert(FakeLowerCase(process.imagePath));
}

FakeProcess* FakeWindowSystem::FindProcess(std::uint32_t processId) {
  const auto it = processes_.find(processId);
  return it == processes_.end() ? nullptr : &it->second;
}

void FakeWindowSystem::SetShellDisplayName(const std::wstring& path, std::optional<std::wstring> name) {
  shellNames_[FakeLowerCase(path)] = std::move(name);
}

void FakeWindowSystem::SetEnvironmentVariable(const std::wstring& name, const std::wstring& value) {
  environment_[FakeLowerCase(name)] = value;
}

// --- events -----------------------------------------------------------------------------------------

void FakeWindowSystem::RaiseWinEvent(std::uint32_t event, WindowHandle window, std::int32_t objectId,
                                     std::int32_t childId) {
  const Entry* entry = EntryOf(window);
  if (entry != nullptr && entry->window.processId == currentProcessId_) return;  // WINEVENT_SKIPOWNPROCESS
  // Copied: a handler may install or remove hooks.
  const std::map<WinEventHookHandle, HookRange> hooks = hooks_;
  for (const auto& [handle, range] : hooks) {
    if (event >= range.first && event <= range.last) WindowTracker::DispatchWinEvent(event, window, objectId, childId);
  }
}

std::vector<FakeWindowSystem::HookRange> FakeWindowSystem::InstalledHooks() const {
  std::vector<HookRange> ranges;
  for (const auto& [handle, range] : hooks_) ranges.push_back(range);
  return ranges;
}

// --- WindowSystem: windows ----------------------------------------------------------------------------

FakeWindowSystem::Entry* FakeWindowSystem::EntryOf(WindowHandle window) {
  if (window < kFirstHandle || (window - kFirstHandle) % kHandleStep != 0) return nullptr;
  const std::size_t index = (window - kFirstHandle) / kHandleStep;
  if (index >= windows_.size() || !windows_[index].alive) return nullptr;
  return &windows_[index];
}

void FakeWindowSystem::EnumerateTopLevelWindows(const std::function<bool(WindowHandle)>& visit) {
  // A snapshot, like EnumWindows: callbacks may change the desktop.
  const std::vector<WindowHandle> order = zOrder_;
  for (const WindowHandle window : order) {
    if (EntryOf(window) == nullptr) continue;
    if (!visit(window)) return;
  }
}

bool FakeWindowSystem::IsVisible(WindowHandle window) {
  // IsWindowVisible: the window and all its ancestors carry WS_VISIBLE.
  for (Entry* entry = EntryOf(window); entry != nullptr; entry = EntryOf(entry->parent)) {
    if (!entry->window.visible) return false;
    if (entry->parent == kNoWindow) return true;
  }
  return false;
}

std::uint32_t FakeWindowSystem::ProcessIdOf(WindowHandle window) {
  const Entry* entry = EntryOf(window);
  return entry == nullptr ? 0 : entry->window.processId;
}

std::uint32_t FakeWindowSystem::ExtendedStyle(WindowHandle window) {
  const Entry* entry = EntryOf(window);
  return entry == nullptr ? 0 : entry->window.exStyle;
}

WindowHandle FakeWindowSystem::Owner(WindowHandle window) {
  const Entry* entry = EntryOf(window);
  return entry == nullptr ? kNoWindow : entry->window.owner;
}

std::optional<std::uint32_t> FakeWindowSystem::CloakedState(WindowHandle window) {
  const Entry* entry = EntryOf(window);
  if (entry == nullptr || entry->window.cloakQueryFails) return std::nullopt;
  return entry->window.cloaked;
}

std::wstring FakeWindowSystem::ClassName(WindowHandle window, std::size_t bufferChars) {
  const Entry* entry = EntryOf(window);
  return entry == nullptr ? std::wstring() : Truncated(entry->window.className, bufferChars);
}

bool FakeWindowSystem::IsIconic(WindowHandle window) {
  const Entry* entry = EntryOf(window);
  return entry != nullptr && entry->window.iconic;
}

std::optional<ScreenRect> FakeWindowSystem::WindowRect(WindowHandle window) {
  const Entry* entry = EntryOf(window);
  if (entry == nullptr || entry->window.rectQueryFails) return std::nullopt;
  return ShownRect(*entry);
}

std::optional<ScreenRect> FakeWindowSystem::ExtendedFrameBounds(WindowHandle window) {
  const Entry* entry = EntryOf(window);
  if (entry == nullptr || entry->window.frameBoundsQueryFails) return std::nullopt;
  if (IsZoomed(window)) return ShownRect(*entry);
  return entry->window.frameBounds.value_or(entry->window.rect);
}

std::optional<WindowPlacement> FakeWindowSystem::Placement(WindowHandle window) {
  const Entry* entry = EntryOf(window);
  if (entry == nullptr) return std::nullopt;
  // rect is the normal place; only a minimised window reports that it comes back maximised.
  return WindowPlacement{entry->window.rect, entry->window.zoomed && entry->window.iconic};
}

ScreenRect FakeWindowSystem::ShownRect(const Entry& entry) const {
  // A maximised window fills its monitor's work area; rect keeps its normal place.
  if (entry.window.zoomed && !entry.window.iconic) {
    if (const FakeMonitor* monitor = MonitorNearest(entry.window.rect)) return monitor->workArea;
  }
  return entry.window.rect;
}

std::wstring FakeWindowSystem::WindowText(WindowHandle window, std::size_t bufferChars) {
  const Entry* entry = EntryOf(window);
  return entry == nullptr ? std::wstring() : Truncated(entry->window.text, bufferChars);
}

WindowHandle FakeWindowSystem::ForegroundWindow() { return EntryOf(foreground_) == nullptr ? kNoWindow : foreground_; }

WindowHandle FakeWindowSystem::FindChildWindow(WindowHandle parent, const std::wstring& className) {
  const Entry* entry = EntryOf(parent);
  if (entry == nullptr) return kNoWindow;
  for (const WindowHandle child : entry->children) {
    const Entry* childEntry = EntryOf(child);
    // Window class names compare without regard to case.
    if (childEntry != nullptr && SameNameNoCase(childEntry->window.className, className)) return child;
  }
  return kNoWindow;
}

// --- WindowSystem: processes ---------------------------------------------------------------------------

const FakeProcess* FakeWindowSystem::ProcessOfHandle(ProcessHandle process) const {
  const auto open = openProcesses_.find(process);
  if (open == openProcesses_.end()) return nullptr;
  const auto it = processes_.find(open->second);
  return it == processes_.end() ? nullptr : &it->second;
}

ProcessHandle FakeWindowSystem::OpenProcessForQuery(std::uint32_t processId) {
  const auto it = processes_.find(processId);
  if (processId == 0 || it == processes_.end() || !it->second.canOpen) return 0;
  const ProcessHandle handle = nextProcessHandle_;
  nextProcessHandle_ += 4;
  openProcesses_[handle] = processId;
  return handle;
}

void FakeWindowSystem::CloseProcess(ProcessHandle process) { openProcesses_.erase(process); }

std::optional<std::wstring> FakeWindowSystem::ProcessImagePath(ProcessHandle process, std::size_t bufferChars) {
  const FakeProcess* info = ProcessOfHandle(process);
  if (info == nullptr || info->imagePath.empty()) return std::nullopt;
  if (info->imagePath.size() + 1 > bufferChars) return std::nullopt;  // ERROR_INSUFFICIENT_BUFFER
  return info->imagePath;
}

long FakeWindowSystem::ApplicationUserModelId(ProcessHandle process, std::uint32_t& length, wchar_t* buffer) {
  const FakeProcess* info = ProcessOfHandle(process);
  if (info == nullptr) return kErrorInvalidHandle;
  const auto needed = static_cast<std::uint32_t>(info->aumid.size() + 1);
  if (buffer == nullptr && info->aumidLengthResult) {
    if (*info->aumidLengthResult == kErrorInsufficientBuffer) length = needed;
    return *info->aumidLengthResult;
  }
  if (info->aumid.empty()) return kAppModelErrorNoApplication;
  if (buffer == nullptr || length < needed) {
    length = needed;
    return kErrorInsufficientBuffer;
  }
  if (info->aumidReadFails) return kErrorAccessDenied;
  std::copy(info->aumid.begin(), info->aumid.end(), buffer);
  buffer[info->aumid.size()] = L'\0';
  length = needed;
  return kErrorSuccess;
}

// --- WindowSystem: shell, text, messages ------------------------------------------------------------------

std::optional<std::wstring> FakeWindowSystem::ShellDisplayName(const std::wstring& path) {
  const std::wstring lower = FakeLowerCase(path);
  const auto it = shellNames_.find(lower);
  if (it != shellNames_.end()) return it->second;
  if (imagePathsLower_.count(lower) != 0) return std::wstring(FileNameOf(path));
  return std::nullopt;  // SHGetFileInfoW fails for a file that does not exist
}

std::wstring FakeWindowSystem::LowerCase(std::wstring text) { return FakeLowerCase(std::move(text)); }

std::wstring FakeWindowSystem::ExpandEnvironment(const std::wstring& text) {
  return ExpandEnvironmentWith(text, [this](const std::wstring& name) -> std::optional<std::wstring> {
    const auto it = environment_.find(FakeLowerCase(name));
    if (it == environment_.end()) return std::nullopt;
    return it->second;
  });
}

WinEventHookHandle FakeWindowSystem::InstallWinEventHook(std::uint32_t eventMin, std::uint32_t eventMax) {
  if (eventMin > eventMax) return 0;
  const WinEventHookHandle handle = nextHook_++;
  hooks_[handle] = HookRange{eventMin, eventMax};
  return handle;
}

void FakeWindowSystem::RemoveWinEventHook(WinEventHookHandle hook) { hooks_.erase(hook); }

bool FakeWindowSystem::PostWindowMessage(WindowHandle window, std::uint32_t message) {
  if (postsFail_ || EntryOf(window) == nullptr) return false;
  posted_.push_back(PostedMessage{window, message});
  return true;
}

// --- WindowSystem: window actions ------------------------------------------------------------------

bool FakeWindowSystem::IsWindow(WindowHandle window) { return EntryOf(window) != nullptr; }

bool FakeWindowSystem::IsZoomed(WindowHandle window) {
  const Entry* entry = EntryOf(window);
  return entry != nullptr && entry->window.zoomed && !entry->window.iconic;
}

WindowHandle FakeWindowSystem::NextActivationCandidate(WindowHandle after) {
  for (const WindowHandle window : zOrder_) {
    const Entry* entry = EntryOf(window);
    if (window != after && entry != nullptr && entry->window.visible && !entry->window.iconic) return window;
  }
  return kNoWindow;
}

void FakeWindowSystem::ShowWindowAsync(WindowHandle window, int command) { ShowWindow(window, command); }

void FakeWindowSystem::ShowWindow(WindowHandle window, int command) {
  Entry* entry = EntryOf(window);
  if (entry == nullptr) return;
  FakeWindow& state = entry->window;
  state.visible = true;
  switch (command) {
    case kShowMinimize:
      state.iconic = true;
      // Windows activates the next top-level window.
      if (foreground_ == window) foreground_ = NextActivationCandidate(window);
      break;
    case kShowRestore:
      // A minimised window comes back as it was (maximised or not); a
      // maximised one returns to its normal size.
      if (state.iconic) {
        state.iconic = false;
      } else {
        state.zoomed = false;
      }
      break;
    case kShowMaximized:
      state.iconic = false;
      state.zoomed = true;
      break;
    default:
      break;
  }
  // Activation by ShowWindow is left to SetForegroundWindow: the foreground
  // lock keeps a background process from activating this way.
}

void FakeWindowSystem::BringWindowToTop(WindowHandle window) {
  if (EntryOf(window) != nullptr) BringToTop(window);
}

bool FakeWindowSystem::SetForegroundWindow(WindowHandle window) {
  if (EntryOf(window) == nullptr) return false;
  const WindowHandle current = ForegroundWindow();
  if (foregroundLocked_ && current != kNoWindow && ProcessIdOf(current) != currentProcessId_ &&
      attachedInputs_.count({currentThreadId_, WindowThreadId(current)}) == 0) {
    return false;
  }
  foreground_ = window;
  BringToTop(window);
  return true;
}

std::uint32_t FakeWindowSystem::WindowThreadId(WindowHandle window) {
  const Entry* entry = EntryOf(window);
  if (entry == nullptr) return 0;
  return entry->window.threadId != 0 ? entry->window.threadId : entry->window.processId;
}

bool FakeWindowSystem::AttachThreadInput(std::uint32_t thread, std::uint32_t toThread, bool attach) {
  if (thread == 0 || toThread == 0 || thread == toThread) return false;
  if (attach) return attachedInputs_.insert({thread, toThread}).second;
  return attachedInputs_.erase({thread, toThread}) != 0;
}

const FakeMonitor* FakeWindowSystem::MonitorNearest(const ScreenRect& rect) const {
  // MONITOR_DEFAULTTONEAREST: the largest overlap, else the closest monitor.
  const FakeMonitor* best = nullptr;
  long long bestScore = 0;
  for (const FakeMonitor& monitor : monitors_) {
    const long long overlapWidth = std::min(rect.right, monitor.bounds.right) - std::max(rect.left, monitor.bounds.left);
    const long long overlapHeight = std::min(rect.bottom, monitor.bounds.bottom) - std::max(rect.top, monitor.bounds.top);
    long long score = 0;
    if (overlapWidth > 0 && overlapHeight > 0) {
      score = overlapWidth * overlapHeight;
    } else {
      // Negative distance: nearer monitors score higher, all below any overlap.
      const long long dx = std::max({0, monitor.bounds.left - rect.right, rect.left - monitor.bounds.right});
      const long long dy = std::max({0, monitor.bounds.top - rect.bottom, rect.top - monitor.bounds.bottom});
      score = -(dx * dx + dy * dy) - 1;
    }
    if (best == nullptr || score > bestScore) {
      best = &monitor;
      bestScore = score;
    }
  }
  return best;
}

std::optional<ScreenRect> FakeWindowSystem::MonitorWorkArea(WindowHandle window) {
  const Entry* entry = EntryOf(window);
  if (entry == nullptr || monitorInfoFails_) return std::nullopt;
  const FakeMonitor* monitor = MonitorNearest(entry->window.rect);
  if (monitor == nullptr) return std::nullopt;
  return monitor->workArea;
}

bool FakeWindowSystem::SetWindowPos(WindowHandle window, const ScreenRect& rect, std::uint32_t flags) {
  Entry* entry = EntryOf(window);
  if (entry == nullptr) return false;
  entry->window.rect = rect;
  entry->window.frameBounds.reset();
  if ((flags & kSwpShowWindow) != 0) entry->window.visible = true;
  if ((flags & kSwpNoZOrder) == 0) BringToTop(window);
  return true;
}

unsigned FakeWindowSystem::SendKeyInputs(const std::vector<KeyStroke>& keys) {
  if (inputBlocked_) return 0;
  sentKeys_.insert(sentKeys_.end(), keys.begin(), keys.end());
  return static_cast<unsigned>(keys.size());
}

}  // namespace orvane
