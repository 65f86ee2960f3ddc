#pragma once
// The system-control reads of the end-to-end probe, through the same
// adapters the program uses: display snapshot, battery, recycle bin, volume,
// and a night-light round trip on the screen's gamma ramp. Prints one
// "name=value" line per reading for the script to check; returns 0.
// COM must be initialised on the thread.

int RunSystemControlsProbe();
