#pragma once
// What the cost-measuring script needs from inside Wine: a pointer that
// sweeps across the dock like a hand, and the floor program (the same
// graphics device and one layered window of the dock's size, nothing else)
// whose memory and CPU are what Wine itself costs.

// "sweep SECONDS": moves the pointer back and forth across the dock's input
// window, one step every 16 ms, for SECONDS seconds.
int RunPointerSweep(int seconds);

// "floor WIDTH HEIGHT SECONDS": creates the graphics device and one layered
// window of WIDTH x HEIGHT pixels, shows one frame in it, prints "ready" and
// pumps messages for SECONDS seconds.
int RunFloorProgram(int width, int height, int seconds);

// "frame-count": prints "frames=N", the frame steps the running dock has run.
int RunFrameCount();
