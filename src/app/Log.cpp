#include "app/Log.h"

#include <atomic>
#include <mutex>

#include "app/TextUtil.h"

namespace orvane {
namespace {

std::atomic<LogBackend*> g_backend{nullptr};
std::atomic<bool> g_fileOpen{false};

// Serialises file writes (and reopening) so lines from different threads
// never interleave inside a line. Formatting happens outside it.
std::mutex& WriteLock() {
  static std::mutex lock;
  return lock;
}

LogBackend& CurrentBackend() {
  LogBackend* backend = g_backend.load(std::memory_order_acquire);
  return backend ? *backend : DefaultLogBackend();
}

}  // namespace

std::wstring FormatLogLine(const LogTime& time, std::wstring_view message) {
  if (message.size() > kMaxLogMessage) {
    size_t keep = kMaxLogMessage;
    // A cut through a UTF-16 surrogate pair would leave half a character.
    if constexpr (sizeof(wchar_t) == 2) {
      if (message[keep - 1] >= 0xD800 && message[keep - 1] <= 0xDBFF) --keep;
    }
    message = message.substr(0, keep);
  }
  return FormatWide(L"[%02u:%02u:%02u.%03u] %s\r\n", time.hour, time.minute, time.second, time.millisecond,
                    message);
}

void SetLogBackend(LogBackend* backend) {
  std::lock_guard<std::mutex> guard(WriteLock());
  g_backend.store(backend, std::memory_order_release);
  g_fileOpen.store(false, std::memory_order_release);
}

bool OpenLog(const std::wstring& logsDirectory) {
  try {
    std::lock_guard<std::mutex> guard(WriteLock());
    const bool open = CurrentBackend().OpenFile(logsDirectory);
    g_fileOpen.store(open, std::memory_order_release);
    return open;
  } catch (...) {
    return false;
  }
}

void LogMessage(std::wstring_view message) {
  try {
    LogBackend& backend = CurrentBackend();
    const std::wstring line = FormatLogLine(backend.Now(), message);
    backend.DebugOutput(line);
    if (!g_fileOpen.load(std::memory_order_acquire)) return;
    const std::string bytes = WideToUtf8(line);
    std::lock_guard<std::mutex> guard(WriteLock());
    // Checked again under the lock: SetLogBackend may have closed the door.
    if (g_fileOpen.load(std::memory_order_relaxed)) CurrentBackend().Append(bytes);
  } catch (...) {
    // Logging must never take the caller down (out of memory, a failing backend).
  }
}

void LogV(std::wstring_view format, std::span<const FormatArg> args) {
  try {
    LogMessage(FormatWideV(format, args));
  } catch (...) {
  }
}

}  // namespace orvane
