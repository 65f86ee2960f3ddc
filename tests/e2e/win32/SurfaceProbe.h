#pragma once
// Checks of the window host under the platform's user32 (Wine in the tests):
// window styles, mouse activation, clicks, capture, wheel, characters, close,
// the raw-message hook and the fatal-error path of the window procedure.
// Prints one "ok ..." or "FAIL ..." line per check; returns the failures.

int RunSurfaceProbe();
