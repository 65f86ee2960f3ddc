#include "system/win32/RecycleFiles.h"

#include <shellapi.h>
#include <shobjidl.h>

#include <cstdint>

#include "app/Log.h"
#include "platform/win32/ComPtr.h"
#include "system/RecycleFlags.h"

namespace orvane {

static_assert(kFileOpNoConfirmation == FOF_NOCONFIRMATION);
static_assert(kFileOpAllowUndo == FOF_ALLOWUNDO);
static_assert(kFileOpWantNukeWarning == FOF_WANTNUKEWARNING);
static_assert(kFileOpRecycleOnDelete == FOFX_RECYCLEONDELETE);

namespace {

std::uint32_t Code(HRESULT hr) { return static_cast<std::uint32_t>(hr); }

}  // namespace

bool RecycleDroppedFiles(HWND owner, const std::vector<std::wstring>& paths) {
  try {
    if (paths.empty()) return false;
    ComPtr<IFileOperation> operation;
    HRESULT hr = CoCreateInstance(CLSID_FileOperation, nullptr, CLSCTX_ALL, IID_IFileOperation, operation.PutVoid());
    if (FAILED(hr)) {
      Log(L"Recycling dropped files: no file operation (0x%08X)", Code(hr));
      return false;
    }
    if (owner != nullptr) operation->SetOwnerWindow(owner);
    hr = operation->SetOperationFlags(kRecycleDroppedFilesFlags);
    if (FAILED(hr)) {
      // Without these flags the files would be deleted, not recycled.
      Log(L"Recycling dropped files: flags refused (0x%08X)", Code(hr));
      return false;
    }
    int queued = 0;
    for (const std::wstring& path : paths) {
      ComPtr<IShellItem> item;
      hr = SHCreateItemFromParsingName(path.c_str(), nullptr, IID_IShellItem, item.PutVoid());
      if (FAILED(hr)) {
        Log(L"Recycling dropped files: cannot resolve %s (0x%08X)", path, Code(hr));
        continue;
      }
      hr = operation->DeleteItem(item.Get(), nullptr);
      if (FAILED(hr)) {
        Log(L"Recycling dropped files: cannot queue %s (0x%08X)", path, Code(hr));
        continue;
      }
      ++queued;
    }
    if (queued == 0) return false;
    hr = operation->PerformOperations();
    BOOL aborted = FALSE;
    if (SUCCEEDED(hr)) operation->GetAnyOperationsAborted(&aborted);
    if (FAILED(hr) || aborted) {
      Log(L"Recycling dropped files: %d queued, operation %s (0x%08X)", queued,
          FAILED(hr) ? L"failed" : L"aborted", Code(hr));
      return false;
    }
    return true;
  } catch (...) {
    // Out of memory copying a path or formatting the log line.
    return false;
  }
}

}  // namespace orvane
