#include "system/WeatherService.h"

#include <utility>

#include "system/FailureLog.h"

namespace orvane {
namespace {

constexpr std::chrono::minutes kFreshFor{25};
constexpr wchar_t kFetchFailure[] = L"Weather fetch";

// Stores a worker's result. A failed fetch keeps earlier good data only when
// that data is for the city asked for; another city's numbers must never
// show under this city's name.
void Publish(WeatherService::SharedState& state, const std::wstring& city, WeatherSnapshot parsed,
             std::chrono::steady_clock::time_point now) {
  if (state.shuttingDown) return;
  std::lock_guard lock(state.mutex);
  if (parsed.valid) {
    parsed.fetching = false;
    state.snapshot = std::move(parsed);
    state.lastCity = city;
    state.lastFetch = now;
    return;
  }
  if (state.snapshot.valid && city != state.lastCity) {
    state.snapshot = WeatherSnapshot{};
    state.lastCity.clear();
  }
  state.snapshot.fetching = false;
  if (!city.empty()) state.snapshot.city = city;
  if (!state.snapshot.valid) state.snapshot.description = kWeatherOfflineText;
}

}  // namespace

WeatherService::WeatherService(WeatherServiceDeps deps)
    : deps_(std::move(deps)), state_(std::make_shared<SharedState>()) {}

WeatherService::~WeatherService() {
  state_->shuttingDown.exchange(true);
}

void WeatherService::Refresh(const std::wstring& city, bool force) {
  {
    std::lock_guard lock(state_->mutex);
    const bool fresh = state_->snapshot.valid &&
                       std::chrono::duration_cast<std::chrono::minutes>(deps_.now() - state_->lastFetch) < kFreshFor;
    if (!force && fresh && city == state_->lastCity) return;
  }

  auto job = [state = state_, city, http = deps_.http, now = deps_.now, prepare = deps_.prepareThread,
              host = deps_.host] {
    WeatherSnapshot parsed;
    std::unique_ptr<WorkerThreadScope> scope;
    try {
      scope = prepare ? prepare() : std::make_unique<WorkerThreadScope>();
      if (!scope) {
        BackgroundFailures().Report(kFetchFailure, L"the worker thread could not be prepared");
      } else if (http) {
        parsed = ParseWeatherJ1(http->Get(host, WeatherRequestPath(city), kWeatherHttpTimeouts), city);
        if (!parsed.valid) BackgroundFailures().Report(kFetchFailure, L"no usable answer for \"" + city + L"\"");
      }
    } catch (...) {
      ReportCurrentException(kFetchFailure);
      parsed = WeatherSnapshot{};  // a failed fetch, like any other
    }
    Publish(*state, city, std::move(parsed), now());
  };

  // fetching is raised only once this call owns the busy flag, just before
  // the worker starts: a worker that is finishing right now has already
  // published and would never lower it again.
  StartClaimedWorker(state_->busy,
                     [this, &city](std::function<void()> worker) {
                       {
                         std::lock_guard lock(state_->mutex);
                         state_->snapshot.fetching = true;
                       }
                       try {
                         deps_.startWorker(std::move(worker));
                       } catch (...) {
                         Publish(*state_, city, WeatherSnapshot{}, deps_.now());
                         throw;
                       }
                     },
                     std::move(job), kFetchFailure);
}

WeatherSnapshot WeatherService::Snapshot() const {
  std::lock_guard lock(state_->mutex);
  return state_->snapshot;
}

}  // namespace orvane
