#pragma once
// A top-level window and a display monitor as portable code sees them; the
// types live with the platform layer's screen types.

#include "platform/ScreenTypes.h"
