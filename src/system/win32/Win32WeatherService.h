#pragma once
// The weather service's Windows dependencies: WinHTTP, and a multithreaded
// COM apartment on each worker thread.

#include <memory>

#include "system/WeatherService.h"

namespace orvane {

// Joins the thread to the multithreaded apartment until the scope ends;
// nullptr when COM refuses (e.g. the thread is already single-threaded).
std::unique_ptr<WorkerThreadScope> EnterMultithreadedApartment();

WeatherServiceDeps Win32WeatherServiceDeps();

}  // namespace orvane
