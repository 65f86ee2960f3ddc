#include "system/IconService.h"

#include <utility>

#include "system/FailureLog.h"

namespace orvane {
namespace {

constexpr wchar_t kIconJob[] = L"Icon extraction";

}  // namespace

IconImage ExtractRequestedIcon(IconExtractor& extractor, const IconRequest& request) {
  switch (request.kind) {
    case IconRequestKind::Target:
      return extractor.ForTarget(request.path, request.size);
    case IconRequestKind::CustomImage:
      return extractor.ForCustomImage(request.path, request.size);
    case IconRequestKind::RunningApp:
      return extractor.ForRunningApp(request.window, request.path, request.aumid, request.size);
    case IconRequestKind::Stock:
      return extractor.ForStockIcon(request.stockId, request.size);
  }
  return IconImage{};
}

IconService::IconService(Deps deps) : deps_(std::make_shared<const Deps>(std::move(deps))) {}

IconService::~IconService() { Stop(); }

void IconService::Request(const IconRequest& request) {
  {
    std::lock_guard lock(state_->mutex);
    if (state_->stopped || state_->outstanding.contains(request)) return;
    for (const IconArrival& arrival : state_->arrivals) {
      if (arrival.request == request) return;
    }
    state_->queue.push_back(request);
    state_->outstanding.emplace(request, false);
    if (state_->working) return;
    state_->working = true;
  }
  // Started outside the lock: a starter may run the job at once.
  try {
    deps_->startWorker([state = state_, deps = deps_] { Drain(state, *deps); });
  } catch (...) {
    ReportCurrentException(kIconJob);
    std::lock_guard lock(state_->mutex);
    state_->working = false;  // the queue stays; the next request tries again
  }
}

void IconService::Drain(const std::shared_ptr<SharedState>& state, const Deps& deps) {
  std::unique_ptr<WorkerThreadScope> scope;
  try {
    scope = deps.prepareThread ? deps.prepareThread() : std::make_unique<WorkerThreadScope>();
  } catch (...) {
    ReportCurrentException(kIconJob);
  }
  // Without a prepared thread the sources that need it fail and the
  // extractor answers from the disk cache or with its fallback.
  if (!scope) BackgroundFailures().Report(kIconJob, L"the worker thread could not be prepared");

  for (;;) {
    IconRequest request;
    std::uint64_t generation = 0;
    {
      std::lock_guard lock(state->mutex);
      if (state->stopped || state->queue.empty()) {
        state->working = false;
        return;
      }
      request = std::move(state->queue.front());
      state->queue.pop_front();
      state->outstanding[request] = true;
      generation = state->generation;
    }
    IconImage image;
    try {
      image = deps.extract(request);
    } catch (...) {
      ReportCurrentException(kIconJob);
      image = IconImage{};
    }
    bool notify = false;
    {
      std::lock_guard lock(state->mutex);
      if (state->stopped) {
        state->working = false;
        return;
      }
      if (generation == state->generation) {
        state->outstanding.erase(request);
        state->arrivals.push_back({std::move(request), std::move(image)});
        notify = !std::exchange(state->signalled, true);
      }
    }
    if (notify && deps.arrived) deps.arrived();
  }
}

std::vector<IconArrival> IconService::TakeArrivals() {
  std::lock_guard lock(state_->mutex);
  state_->signalled = false;
  return std::exchange(state_->arrivals, {});
}

void IconService::Forget() {
  std::lock_guard lock(state_->mutex);
  state_->queue.clear();
  state_->outstanding.clear();
  state_->arrivals.clear();
  state_->signalled = false;
  ++state_->generation;
}

void IconService::Stop() {
  std::lock_guard lock(state_->mutex);
  state_->stopped = true;
  state_->queue.clear();
  state_->outstanding.clear();
  state_->arrivals.clear();
}

std::size_t IconService::Outstanding() {
  std::lock_guard lock(state_->mutex);
  return state_->outstanding.size();
}

}  // namespace orvane
