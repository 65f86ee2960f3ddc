#pragma once
// For code that must not block without bound: runs body on a thread of its
// own and reports whether it returned within a generous 10 s. A hung body is
// abandoned, so the test fails instead of hanging; body must therefore own
// (share) everything it touches.

#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <thread>

namespace orvane {

inline bool ReturnsInTime(std::function<void()> body) {
  auto done = std::make_shared<std::promise<void>>();
  std::future<void> finished = done->get_future();
  std::thread([body = std::move(body), done] {
    body();
    done->set_value();
  }).detach();
  return finished.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
}

}  // namespace orvane
