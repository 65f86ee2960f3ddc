#pragma once
// Holds a file open the way a running copy or a virus scanner does, so the
// setup program meets a file it can neither replace nor delete.

// Opens FILE with no sharing at all, prints "held=1" (or "held=0 error=N"
// and returns 1), then waits until RELEASE_FILE exists or TIMEOUT_MS pass,
// closes the file and prints "released=1".
int RunFileHoldProbe(const wchar_t* file, const wchar_t* releaseFile, unsigned long timeoutMs);
