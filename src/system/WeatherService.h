#pragma once
// Current weather for the desktop widget. Refresh starts at most one fetch
// at a time on a worker thread; Snapshot copies the latest result. Results
// stay fresh for 25 minutes per city. The service may be destroyed while a
// fetch runs: the worker keeps the shared state alive and drops its result.

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "system/BackgroundWorker.h"
#include "system/HttpClient.h"
#include "system/WeatherJ1.h"

namespace orvane {

struct WeatherServiceDeps {
  std::shared_ptr<HttpClient> http;  // shared with running workers
  std::function<std::chrono::steady_clock::time_point()> now = [] { return std::chrono::steady_clock::now(); };
  WorkerStarter startWorker = DetachedThreadStarter();
  WorkerThreadSetup prepareThread;  // empty: nothing to set up
  std::wstring host = std::wstring(kWeatherHost);
};

// Shown while no fetch has ever succeeded and the last one failed.
inline constexpr wchar_t kWeatherOfflineText[] = L"离线（点击刷新）";

class WeatherService {
 public:
  // Shared by the service and every worker it starts.
  struct SharedState {
    std::mutex mutex;  // guards everything below except the two atomics
    WeatherSnapshot snapshot;
    std::wstring lastCity;  // city of the last successful fetch
    std::chrono::steady_clock::time_point lastFetch{};
    std::atomic<bool> busy{false};          // a worker is running
    std::atomic<bool> shuttingDown{false};  // the owner is gone; workers drop their result
  };

  explicit WeatherService(WeatherServiceDeps deps);
  ~WeatherService();
  WeatherService(const WeatherService&) = delete;
  WeatherService& operator=(const WeatherService&) = delete;

  // Fetches the weather for city ("" = where the caller is) unless the
  // stored result is for the same city, valid and under 25 minutes old, or
  // a fetch is already running (it will deliver). force skips the age check.
  void Refresh(const std::wstring& city, bool force);

  WeatherSnapshot Snapshot() const;

 private:
  WeatherServiceDeps deps_;
  std::shared_ptr<SharedState> state_;
};

}  // namespace orvane
