#pragma once
// Known-folder lookup shared by the Windows code (data directories, the
// Downloads stack, the notification database, the launcher grid).

#include <windows.h>

#include <string>

namespace orvane {

// SHGetKnownFolderPath with KF_FLAG_CREATE; "" when the lookup fails.
std::wstring KnownFolderPath(const GUID& folderId);

}  // namespace orvane
