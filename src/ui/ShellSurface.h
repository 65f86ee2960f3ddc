#pragma once
// What every surface the shell hosts answers to. The shell calls these on
// the UI thread for each registered surface, in registration order (teardown
// and the exit restores in reverse). Every member has a default that does
// nothing, so a surface overrides only what concerns it.

#include <cstdint>

#include "config/DockConfig.h"
#include "render/Theme.h"
#include "ui/ShellCommands.h"

namespace orvane {

class ShellSurface {
 public:
  virtual ~ShellSurface() = default;

  // The live configuration changed from `before` (the shell's record already
  // holds the new values): redo what depends on the fields that differ.
  virtual void ConfigurationChanged(const DockConfig& /*before*/) {}
  // Only on a real change of the theme.
  virtual void ThemeChanged(const Theme& /*theme*/) {}
  // Monitors, work areas or scales changed.
  virtual void DisplayChanged() {}
  // The window tracker refreshed its list.
  virtual void TrackerChanged() {}
  // The 260 ms timer; `tick` counts from 1.
  virtual void PeriodicTick(unsigned /*tick*/) {}
  // One frame; true while the surface wants another.
  virtual bool FrameStep(float /*dt*/) { return false; }
  // The graphics device came back: draw everything again.
  virtual void DeviceLost() {}
  // The program is ending (or the session): put back what the surface
  // changed outside itself. Runs before teardown.
  virtual void RestoreOnExit() {}
  // Release windows, hooks and registrations, before the services go.
  virtual void Teardown() {}

  // The commands and queries the surface was registered for.
  virtual void Run(ShellCommand /*command*/, const ShellCommandArgs& /*args*/) {}
  virtual std::int64_t Answer(ShellQuery /*query*/) { return 0; }
};

}  // namespace orvane
