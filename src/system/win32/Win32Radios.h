#pragma once
// The radios of Windows.Devices.Radios behind the portable Radio.

#include <memory>
#include <vector>

#include "system/Wireless.h"

namespace orvane {

// Every radio the radio service lists, in its order. Throws HResultError
// when the service is missing or its operation fails, is cancelled or
// takes longer than its time-out (15 s).
std::vector<std::unique_ptr<Radio>> ListWin32Radios();

// Radio.RequestAccessAsync's answer; throws like ListWin32Radios. Call on the
// UI thread.
RadioAccess RequestWin32RadioAccess();

}  // namespace orvane
