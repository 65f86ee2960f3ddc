#pragma once
// The drawing checks of the end-to-end probe: the graphics device and the
// Direct2D canvases drawn under the platform's Direct2D (Wine in the tests),
// with pixels probed. Prints one "ok ..." or "FAIL ..." line per check and
// returns the number of failures. COM must be initialised on the thread.

int RunRenderProbe();
