#include "system/win32/DroppedFiles.h"

#include <shellapi.h>

namespace orvane {

std::vector<std::wstring> DroppedFilePaths(IDataObject* data) {
  std::vector<std::wstring> paths;
  if (data == nullptr) return paths;
  FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium{};
  if (FAILED(data->GetData(&format, &medium))) return paths;
  if (auto* drop = static_cast<HDROP>(GlobalLock(medium.hGlobal))) {
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
      const UINT length = DragQueryFileW(drop, i, nullptr, 0);
      if (length == 0) continue;
      std::wstring path(length + 1, L'\0');
      path.resize(DragQueryFileW(drop, i, path.data(), length + 1));
      if (!path.empty()) paths.push_back(std::move(path));
    }
    GlobalUnlock(medium.hGlobal);
  }
  ReleaseStgMedium(&medium);
  return paths;
}

}  // namespace orvane
