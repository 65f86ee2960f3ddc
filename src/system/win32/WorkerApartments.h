#pragma once
// COM on worker threads: each scope joins the calling thread to an
// apartment until it ends; nullptr when COM refuses (e.g. the thread is
// already in the other kind of apartment).

#include <memory>

#include "system/BackgroundWorker.h"

namespace orvane {

std::unique_ptr<WorkerThreadScope> EnterMultithreadedApartment();
// For the shell's icon and image sources, which expect a single-threaded
// apartment.
std::unique_ptr<WorkerThreadScope> EnterSingleThreadedApartment();

}  // namespace orvane
