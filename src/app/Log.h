#pragma once
// The process-wide log: one printf-style function callable from any thread.
// Each call writes one line "[hh:mm:ss.mmm] message\r\n" to the debugger
// output and, once the log is open, appends it in UTF-8 to "orvane.log".

#include <span>
#include <string>
#include <string_view>

#include "app/Format.h"

namespace orvane {

struct LogTime {
  unsigned hour = 0;
  unsigned minute = 0;
  unsigned second = 0;
  unsigned millisecond = 0;
};

// What the log needs from the platform. Windows: GetLocalTime,
// OutputDebugStringW, CreateFileW/WriteFile. Linux: a std-library version.
class LogBackend {
 public:
  virtual ~LogBackend() = default;
  virtual LogTime Now() = 0;
  virtual void DebugOutput(const std::wstring& line) = 0;
  // Creates the folder (with parents) and truncates "<folder>/orvane.log";
  // false when the file cannot be created.
  virtual bool OpenFile(const std::wstring& logsDirectory) = 0;
  // Appends bytes at the end of the open file; errors are ignored.
  virtual void Append(std::string_view utf8) = 0;
};

// Longest message kept in one line, in wide characters.
inline constexpr size_t kMaxLogMessage = 1023;

// "[hh:mm:ss.mmm] message\r\n", the message cut to kMaxLogMessage characters.
std::wstring FormatLogLine(const LogTime& time, std::wstring_view message);

// The backend of the build (headless/StdLogBackend.cpp, win32/Win32LogBackend.cpp).
LogBackend& DefaultLogBackend();

// Installs the backend used by every later call (nullptr: the default one)
// and forgets whether a log file was open, since the new backend has none.
// Meant for start-up and tests: a Log call racing with it may still reach the
// old backend, so the old one must outlive any such call.
void SetLogBackend(LogBackend* backend);

// Opens the log in the given folder. Before this succeeds, lines reach only
// the debugger output. Returns whether the file is open.
bool OpenLog(const std::wstring& logsDirectory);

// Log functions never throw and never fail visibly; any thread may call them.
void LogMessage(std::wstring_view message);
void LogV(std::wstring_view format, std::span<const FormatArg> args);

template <class... Args>
void Log(std::wstring_view format, const Args&... args) {
  const FormatArg packed[] = {FormatArg(args)..., FormatArg(0)};
  LogV(format, std::span<const FormatArg>(packed, sizeof...(Args)));
}

}  // namespace orvane
