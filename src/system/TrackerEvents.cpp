#include "system/TrackerEvents.h"

namespace orvane {

WinEventReaction ClassifyWinEvent(std::uint32_t event, std::int32_t objectId, std::int32_t childId) {
  if (event == kEventSystemMinimizeStart) return WinEventReaction::RecordMinimizingAndNotify;
  if (event < kEventObjectCreate) {
    const bool relevant = event == kEventSystemForeground || event == kEventSystemMinimizeEnd;
    return relevant ? WinEventReaction::Notify : WinEventReaction::Ignore;
  }
  if (objectId != kObjectIdWindow || childId != kChildIdSelf) return WinEventReaction::Ignore;
  switch (event) {
    case kEventObjectCreate:
    case kEventObjectDestroy:
    case kEventObjectShow:
    case kEventObjectHide:
    case kEventObjectNameChange:
    case kEventObjectCloaked:
    case kEventObjectUncloaked:
      return WinEventReaction::Notify;
    default:
      return WinEventReaction::Ignore;
  }
}

}  // namespace orvane
