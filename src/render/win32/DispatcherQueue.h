#pragma once
// The compositor needs a dispatcher queue on its thread. CoreMessaging.dll,
// which creates one, is bound at run time so the program still starts where
// it is missing (older systems, Wine).

#include "platform/win32/ComPtr.h"
#include "platform/win32/winrt/FoundationAbi.h"

namespace orvane {

// When DispatcherQueue.GetForCurrentThread returns nothing, creates a queue
// for the current thread (options size 12, DQTYPE_THREAD_CURRENT,
// DQTAT_COM_NONE) and stores its controller in `controller`; otherwise leaves
// `controller` empty. Returns the failing HRESULT instead of throwing so the
// caller can choose the software presenter.
HRESULT EnsureDispatcherQueue(ComPtr<winrt::IDispatcherQueueController>& controller);

}  // namespace orvane
