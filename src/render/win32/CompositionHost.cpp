#include "render/win32/CompositionHost.h"

#include "app/Log.h"
#include "render/PresentingCompositor.h"
#include "render/SoftCompositor.h"
#include "render/win32/DispatcherQueue.h"
#include "render/win32/GraphicsDevice.h"
#include "render/win32/LayeredWindowPresenter.h"
#include "render/win32/WinCompositor.h"

namespace orvane {

CompositionHost::CompositionHost() = default;

CompositionHost::~CompositionHost() = default;

void CompositionHost::Initialize(HWND renderWindow, GraphicsDevice& graphicsDevice,
                                 std::function<void()> requestFrame) {
  HRESULT hr = EnsureDispatcherQueue(dispatcherQueueController_);
  ComPtr<winrt::ICompositor> system;
  if (SUCCEEDED(hr)) hr = WinCompositor::TryActivate(system);

  if (FAILED(hr)) {
    StartSoftwarePresenter(hr, std::move(requestFrame));
  } else {
    if (graphicsDevice.d3dDevice() == nullptr) graphicsDevice.Create();
    auto winCompositor = std::make_unique<WinCompositor>(std::move(system), graphicsDevice);
    winCompositor_ = winCompositor.get();
    compositor_ = std::move(winCompositor);
  }

  target_ = compositor_->CreateWindowTarget(reinterpret_cast<NativeWindow>(renderWindow), true);
  root_ = compositor_->CreateContainerVisual();
  root_->SetRelativeSizeAdjustment({1, 1});
  target_->SetRoot(root_);
  if (winCompositor_ != nullptr) winCompositor_->CreateGraphicsDevice();
  Log(L"CompositionHost initialized");
}

void CompositionHost::StartSoftwarePresenter(HRESULT reason, std::function<void()> requestFrame) {
  Log(L"CompositionHost: system compositor unavailable (0x%08X), using software presenter",
      static_cast<std::uint32_t>(reason));
  softCompositor_ = std::make_unique<SoftCompositor>();
  presenter_ = std::make_unique<LayeredWindowPresenter>(*softCompositor_);
  std::function<void()> afterDraw = [this] { PresentSoftware(); };
  if (requestFrame) afterDraw = std::move(requestFrame);
  compositor_ = std::make_unique<PresentingCompositor>(*softCompositor_, std::move(afterDraw));
}

void CompositionHost::Present() {
  if (presenter_) PresentSoftware();
}

void CompositionHost::PresentSoftware() {
  presenter_->Present(static_cast<PresentingCompositor&>(*compositor_).CollectWindows());
}

void CompositionHost::RecoverRenderingDevice() {
  if (winCompositor_ != nullptr) winCompositor_->SetRenderingDevice();
}

}  // namespace orvane
