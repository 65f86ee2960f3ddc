#pragma once
// The input window's drop target for files dragged from other programs. It
// only collects the dragged paths and asks its owner what a drop would mean;
// the owner (the dock) decides through DockFileDragAt and carries it out.
// OLE calls it on the thread that registered it, the UI thread.

#include <windows.h>
#include <ole2.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "dock/DockPressDrag.h"
#include "platform/win32/ComPtr.h"

namespace orvane {

class DockDropTarget final : public IDropTarget {
 public:
  // Drag enter and every move: the pointer in screen pixels and whether the
  // drag carries any file paths. The result is the effect the pointer shows.
  using OverCallback = std::function<DockDropEffect(POINT screen, bool havePaths)>;
  using LeaveCallback = std::function<void()>;
  // The files were dropped; called only when the drag carried paths.
  using DropCallback = std::function<void(const std::vector<std::wstring>& paths)>;

  // One reference, owned by the caller.
  static ComPtr<DockDropTarget> Create();

  // Installed by the owner before the target is registered.
  OverCallback onOver;
  LeaveCallback onLeave;
  DropCallback onDrop;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IDropTarget
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;

 private:
  DockDropTarget() = default;
  ~DockDropTarget() = default;

  DWORD Over(POINTL point);

  std::atomic<ULONG> references_{1};
  // Collected on drag enter and kept for the rest of the drag.
  std::vector<std::wstring> paths_;
  DWORD lastEffect_ = DROPEFFECT_NONE;
};

}  // namespace orvane
