#include "system/FailureLog.h"

#include <exception>
#include <utility>

#include "app/Errors.h"
#include "app/Log.h"
#include "app/TextUtil.h"

namespace orvane {

FailureLog::FailureLog(Clock now) : now_(std::move(now)) {}

bool FailureLog::Report(std::wstring_view kind, std::wstring_view detail) {
  const auto now = now_();
  std::uint64_t suppressed = 0;
  {
    std::lock_guard lock(mutex_);
    auto it = entries_.find(kind);
    if (it == entries_.end()) {
      entries_.emplace(std::wstring(kind), Entry{now, 0});
    } else {
      Entry& entry = it->second;
      if (now - entry.lastLogged < kFailureLogInterval) {
        ++entry.suppressed;
        return false;
      }
      suppressed = entry.suppressed;
      entry = Entry{now, 0};
    }
  }
  // Outside the lock: the log may be slow, and other kinds need not wait.
  if (suppressed == 0) {
    Log(L"%s failed: %s", kind, detail);
  } else {
    Log(L"%s failed: %s (%llu more since)", kind, detail, suppressed);
  }
  return true;
}

void FailureLog::Clear() {
  std::lock_guard lock(mutex_);
  entries_.clear();
}

FailureLog& BackgroundFailures() {
  static FailureLog log;
  return log;
}

std::wstring DescribeCurrentException() {
  try {
    throw;
  } catch (const HResultError& error) {
    return error.message().empty() ? HResultHex(error.code()) : HResultHex(error.code()) + L" " + error.message();
  } catch (const std::exception& error) {
    return Utf8ToWide(error.what());
  } catch (...) {
    return L"unknown exception";
  }
}

void ReportCurrentException(std::wstring_view kind) {
  BackgroundFailures().Report(kind, DescribeCurrentException());
}

}  // namespace orvane
