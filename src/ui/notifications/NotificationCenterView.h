#pragma once
// Drawing the notification panel and the banner on their glass plates. The
// canvas is the plate's surface in physical pixels; coordinates are DIP
// times the scale.

#include "render/Canvas.h"
#include "render/TextMeasurer.h"
#include "render/Theme.h"
#include "system/CivilClock.h"
#include "system/notifications/NotificationRecord.h"
#include "ui/notifications/NotificationCenterModel.h"

namespace orvane {

void DrawNotificationPanel(Canvas& canvas, const NotificationCenterModel& model, const Theme& theme, float scale,
                           const CivilTime& now);

void DrawNotificationBanner(Canvas& canvas, const NotificationRecord& record, bool closeHovered, const Theme& theme,
                            float scale);

// The note's caret in plate DIP, where the input method's windows open:
// the text up to the caret laid out in the note's box.
RectF NoteCaretRect(const TextField& note, TextMeasurer& measurer);

}  // namespace orvane
