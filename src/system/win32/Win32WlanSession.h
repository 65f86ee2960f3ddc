#pragma once
// The native WLAN client API behind WlanSession.

#include <memory>

#include "system/Wireless.h"

namespace orvane {

// A session on client version 2; nullptr when WlanOpenHandle fails (for
// example when the WLAN service is not running).
std::unique_ptr<WlanSession> OpenWin32WlanSession();

}  // namespace orvane
