#pragma once
// Routes the process log into memory for the lifetime of the object, so a
// test can check which lines were written. Whole lines, as the log formats
// them ("[hh:mm:ss.mmm] message\r\n").

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "app/Log.h"

namespace orvane {

class CapturedLog : public LogBackend {
 public:
  CapturedLog() { SetLogBackend(this); }
  ~CapturedLog() override { SetLogBackend(nullptr); }
  LogTime Now() override { return {}; }
  void DebugOutput(const std::wstring& line) override {
    std::lock_guard<std::mutex> guard(mutex_);
    lines.push_back(line);
  }
  bool OpenFile(const std::wstring&) override { return false; }
  void Append(std::string_view) override {}

  std::vector<std::wstring> lines;

 private:
  std::mutex mutex_;
};

}  // namespace orvane
