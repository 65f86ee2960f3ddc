#pragma once
// Real threads a test can join, so it knows when every worker is done
// (workers that start workers included).

#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "system/BackgroundWorker.h"

namespace orvane::testing {

struct JoinableWorkers {
  std::mutex mutex;
  std::vector<std::thread> threads;
  WorkerStarter Starter() {
    return [this](std::function<void()> job) {
      std::lock_guard lock(mutex);
      threads.emplace_back(std::move(job));
    };
  }
  void JoinAll() {
    for (;;) {
      std::vector<std::thread> running;
      {
        std::lock_guard lock(mutex);
        running.swap(threads);
      }
      if (running.empty()) return;
      for (std::thread& thread : running) thread.join();
    }
  }
  ~JoinableWorkers() { JoinAll(); }
};

}  // namespace orvane::testing
