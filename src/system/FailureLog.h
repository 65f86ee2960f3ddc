#pragma once
// Failures of background work (polls, fetches, workers), logged without
// flooding the log: each kind of failure is written the first time it happens
// and then at most once a minute, with how many were left out meanwhile.
// Any thread may report.

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <string_view>

namespace orvane {

inline constexpr std::chrono::seconds kFailureLogInterval{60};

class FailureLog {
 public:
  using Clock = std::function<std::chrono::steady_clock::time_point()>;

  explicit FailureLog(Clock now = [] { return std::chrono::steady_clock::now(); });

  // Logs "<kind> failed: <detail>" unless the same kind was logged less than
  // kFailureLogInterval ago; a line written after a quiet spell adds
  // " (N more since)". Returns whether a line was written.
  bool Report(std::wstring_view kind, std::wstring_view detail);

  // Forgets every kind, so the next failure of each is logged again.
  void Clear();

 private:
  struct Entry {
    std::chrono::steady_clock::time_point lastLogged;
    std::uint64_t suppressed = 0;
  };

  Clock now_;
  std::mutex mutex_;
  std::map<std::wstring, Entry, std::less<>> entries_;
};

// The one the background services report to.
FailureLog& BackgroundFailures();

// The exception being handled, as a log detail: "0x80004005 <message>" for an
// HResultError, what() for another std::exception, "unknown exception"
// otherwise. Call only inside a catch block.
std::wstring DescribeCurrentException();

// BackgroundFailures().Report(kind, DescribeCurrentException()), for catch
// blocks.
void ReportCurrentException(std::wstring_view kind);

}  // namespace orvane
