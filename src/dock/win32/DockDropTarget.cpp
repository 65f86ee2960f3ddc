#include "dock/win32/DockDropTarget.h"

#include <exception>
#include <utility>

#include "app/Log.h"
#include "system/win32/DroppedFiles.h"

namespace orvane {

namespace {

DWORD ToDropEffect(DockDropEffect effect) {
  switch (effect) {
    case DockDropEffect::Copy:
      return DROPEFFECT_COPY;
    case DockDropEffect::None:
      break;
  }
  return DROPEFFECT_NONE;
}

// Nothing may leave a COM method as an exception: the caller is another
// program's drag loop. A failure shows "no drop" and is logged.
template <class Body>
HRESULT Guarded(const wchar_t* method, DWORD* effect, Body&& body) {
  try {
    body();
    return S_OK;
  } catch (const std::exception& e) {
    if (effect != nullptr) *effect = DROPEFFECT_NONE;
    try {
      Log(L"Dock drop target %s failed: %S", method, e.what());
    } catch (...) {
    }
  } catch (...) {
    if (effect != nullptr) *effect = DROPEFFECT_NONE;
    try {
      Log(L"Dock drop target %s failed", method);
    } catch (...) {
    }
  }
  return E_UNEXPECTED;
}

}  // namespace

ComPtr<DockDropTarget> DockDropTarget::Create() { return ComPtr<DockDropTarget>::Attach(new DockDropTarget()); }

HRESULT DockDropTarget::QueryInterface(REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
    *out = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

ULONG DockDropTarget::AddRef() { return references_.fetch_add(1, std::memory_order_relaxed) + 1; }

ULONG DockDropTarget::Release() {
  const ULONG left = references_.fetch_sub(1, std::memory_order_acq_rel) - 1;
  if (left == 0) delete this;
  return left;
}

DWORD DockDropTarget::Over(POINTL point) {
  const bool havePaths = !paths_.empty();
  lastEffect_ = onOver ? ToDropEffect(onOver(POINT{point.x, point.y}, havePaths)) : DROPEFFECT_NONE;
  return lastEffect_;
}

HRESULT DockDropTarget::DragEnter(IDataObject* data, DWORD, POINTL point, DWORD* effect) {
  if (effect == nullptr) return E_INVALIDARG;
  ComPtr<DockDropTarget> keepAlive(this);
  return Guarded(L"DragEnter", effect, [&] {
    paths_.clear();
    lastEffect_ = DROPEFFECT_NONE;
    paths_ = DroppedFilePaths(data);
    *effect = Over(point);
  });
}

HRESULT DockDropTarget::DragOver(DWORD, POINTL point, DWORD* effect) {
  if (effect == nullptr) return E_INVALIDARG;
  ComPtr<DockDropTarget> keepAlive(this);
  return Guarded(L"DragOver", effect, [&] { *effect = Over(point); });
}

HRESULT DockDropTarget::DragLeave() {
  ComPtr<DockDropTarget> keepAlive(this);
  return Guarded(L"DragLeave", nullptr, [&] {
    paths_.clear();
    lastEffect_ = DROPEFFECT_NONE;
    if (onLeave) onLeave();
  });
}

HRESULT DockDropTarget::Drop(IDataObject*, DWORD, POINTL, DWORD* effect) {
  if (effect == nullptr) return E_INVALIDARG;
  ComPtr<DockDropTarget> keepAlive(this);
  return Guarded(L"Drop", effect, [&] {
    // The drag is over whatever the owner does with the files.
    std::vector<std::wstring> paths = std::exchange(paths_, {});
    const DWORD dropped = std::exchange(lastEffect_, DROPEFFECT_NONE);
    *effect = paths.empty() ? DROPEFFECT_NONE : dropped;
    if (!paths.empty() && onDrop) onDrop(paths);
  });
}

}  // namespace orvane
