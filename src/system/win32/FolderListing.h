#pragma once
// Listing one folder with FindFirstFileExW (basic information, large fetch).

#include <windows.h>

#include <functional>
#include <string>

namespace orvane {

// Calls visit for each entry except "." and "..", in directory order;
// false when the folder cannot be listed.
bool ForEachFolderEntry(const std::wstring& folder, const std::function<void(const WIN32_FIND_DATAW&)>& visit);

// The entry's name: cFileName up to its NUL.
std::wstring EntryName(const WIN32_FIND_DATAW& data);

}  // namespace orvane
