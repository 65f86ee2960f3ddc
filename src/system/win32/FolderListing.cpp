#include "system/win32/FolderListing.h"

#include <cwchar>

#include "app/DataDirs.h"

namespace orvane {
namespace {

class FindHandle {
 public:
  explicit FindHandle(HANDLE handle) : handle_(handle) {}
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  ~FindHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
  }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

}  // namespace

std::wstring EntryName(const WIN32_FIND_DATAW& data) {
  return std::wstring(data.cFileName, wcsnlen(data.cFileName, MAX_PATH));
}

bool ForEachFolderEntry(const std::wstring& folder, const std::function<void(const WIN32_FIND_DATAW&)>& visit) {
  WIN32_FIND_DATAW data{};
  const FindHandle find(FindFirstFileExW(JoinPath(folder, L"*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                         nullptr, FIND_FIRST_EX_LARGE_FETCH));
  if (!find.valid()) return false;
  do {
    const std::wstring name = EntryName(data);
    if (name != L"." && name != L"..") visit(data);
  } while (FindNextFileW(find.get(), &data));
  return true;
}

}  // namespace orvane
