#pragma once
// The system window events the tracker listens to, and which of them mean
// that the list of running apps may have changed.

#include <cstdint>

#include "platform/MessageIds.h"

namespace orvane {

// WinEvent ids (EVENT_SYSTEM_* and EVENT_OBJECT_*).
inline constexpr std::uint32_t kEventSystemForeground = 0x0003;
inline constexpr std::uint32_t kEventSystemMinimizeStart = 0x0016;
inline constexpr std::uint32_t kEventSystemMinimizeEnd = 0x0017;
inline constexpr std::uint32_t kEventObjectCreate = 0x8000;
inline constexpr std::uint32_t kEventObjectDestroy = 0x8001;
inline constexpr std::uint32_t kEventObjectShow = 0x8002;
inline constexpr std::uint32_t kEventObjectHide = 0x8003;
inline constexpr std::uint32_t kEventObjectNameChange = 0x800C;
inline constexpr std::uint32_t kEventObjectCloaked = 0x8017;
inline constexpr std::uint32_t kEventObjectUncloaked = 0x8018;

// OBJID_WINDOW and CHILDID_SELF: the event concerns the window itself.
inline constexpr std::int32_t kObjectIdWindow = 0;
inline constexpr std::int32_t kChildIdSelf = 0;

struct WinEventRange {
  std::uint32_t first;
  std::uint32_t last;
};

// The three hooked ranges: foreground..minimise end, create..name change,
// cloaked..uncloaked.
inline constexpr WinEventRange kSystemEventRange = {kEventSystemForeground, kEventSystemMinimizeEnd};
inline constexpr WinEventRange kObjectEventRange = {kEventObjectCreate, kEventObjectNameChange};
inline constexpr WinEventRange kCloakEventRange = {kEventObjectCloaked, kEventObjectUncloaked};
inline constexpr WinEventRange kTrackerHookRanges[3] = {kSystemEventRange, kObjectEventRange, kCloakEventRange};

enum class WinEventReaction {
  Ignore,
  Notify,
  RecordMinimizingAndNotify,  // a window began minimising: remember it for the dock's effect
};

// Only window-level events that change which windows exist, show, are named
// or are in front matter; everything else in the hooked ranges is noise.
WinEventReaction ClassifyWinEvent(std::uint32_t event, std::int32_t objectId, std::int32_t childId);

}  // namespace orvane
