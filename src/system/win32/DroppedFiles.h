#pragma once
// The file paths a drag-and-drop data object carries (CF_HDROP).

#include <windows.h>
#include <objidl.h>

#include <string>
#include <vector>

namespace orvane {

// In the order of the drop; empty entries are skipped. Empty for a null
// object or one without file paths.
std::vector<std::wstring> DroppedFilePaths(IDataObject* data);

}  // namespace orvane
