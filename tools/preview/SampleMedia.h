#pragma once
// Made-up media sessions for scenes that show the music item.

#include "system/MediaInfo.h"

namespace orvane::preview {

// A playing session with a title and an artist, and a lyric line when asked.
MediaInfo PlayingSample(bool lyrics);
// The same with a made-up cover: a sunset gradient with a pale disc.
MediaInfo WithSampleCover(MediaInfo info);

}  // namespace orvane::preview
