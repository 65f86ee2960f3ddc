#pragma once
// The defaults beyond the bare member initialisers of DockConfig: the widget
// set, the welcome note and what a first start pins to the dock.

#include <functional>
#include <string>
#include <vector>

#include "config/DockConfig.h"

namespace orvane {

// How first-run pinning looks at the machine; tests pass fakes.
struct PinProbe {
  std::function<std::wstring(const std::wstring&)> expand;  // %VAR% expansion
  std::function<bool(const std::wstring&)> exists;          // file or folder present
};

// ExpandEnvironment and PathExists of this process.
PinProbe ProcessPinProbe();

// The quick note a first start shows ("\n" separates lines).
const std::wstring& WelcomeNote();

// clock, weather, calendar, sysmon, note: in that order.
std::vector<WidgetConfig> DefaultWidgets();

// True when a target is a shell path or URI rather than something on disk:
// it holds ':' anywhere except as a drive letter's colon.
bool IsNonFileTarget(const std::wstring& expandedTarget);

// The candidate items that can work on this machine, targets kept
// unexpanded; two plain items when none qualifies.
std::vector<DockItemConfig> FirstRunPinned(const PinProbe& probe);

// Bare defaults plus welcome note, default widgets and first-run pins.
DockConfig FirstRunDefaults(const PinProbe& probe);

}  // namespace orvane
