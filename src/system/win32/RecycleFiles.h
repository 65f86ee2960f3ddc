#pragma once
// Moving files to the recycle bin through the shell's file operation engine.

#include <windows.h>

#include <string>
#include <vector>

namespace orvane {

// Recycles every path the shell can resolve; a path it cannot resolve stays
// where it is. The shell asks before deleting anything that cannot be
// recycled. True when at least one path was queued and the operation ran to
// the end without being aborted. Never throws; failures are logged. Needs COM
// on the calling thread (the UI thread's OLE apartment).
bool RecycleDroppedFiles(HWND owner, const std::vector<std::wstring>& paths);

}  // namespace orvane
