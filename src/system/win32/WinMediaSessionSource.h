#pragma once
// The system media transport controls (Windows.Media.Control) as a
// MediaSessionSource: the current session's track, timeline and thumbnail,
// its transport commands, and media keys through SendInput.

#include <memory>

#include "system/MediaSessionSource.h"

namespace orvane {

std::shared_ptr<MediaSessionSource> CreateWinMediaSessionSource();

}  // namespace orvane
