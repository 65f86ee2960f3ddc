#pragma once
// The compositor of the UI thread, the render window's target and root
// visual. The hub owns exactly one; every window borrows its compositor.
//
// Where Windows.UI.Composition cannot be created (no CoreMessaging or no
// compositor class, as under Wine) the host runs the software compositor
// instead and presents every window's tree itself as a per-pixel-alpha
// layered window: after each frame (Present), and after a surface draw
// outside a frame through the frame the draw asks for.

#include <windows.h>

#include <functional>
#include <memory>

#include "render/Composition.h"
#include "platform/win32/ComPtr.h"
#include "platform/win32/winrt/FoundationAbi.h"

namespace orvane {

class GraphicsDevice;
class LayeredWindowPresenter;
class PresentingCompositor;
class SoftCompositor;
class WinCompositor;

class CompositionHost {
 public:
  CompositionHost();
  ~CompositionHost();
  CompositionHost(const CompositionHost&) = delete;
  CompositionHost& operator=(const CompositionHost&) = delete;

  // Dispatcher queue when the thread has none, compositor, topmost target of
  // `renderWindow`, root container of relative size (1, 1) as the target's
  // root, compositor graphics device over the device's Direct2D device, then
  // "CompositionHost initialized". The caller has already set
  // DWMWA_USE_HOSTBACKDROPBRUSH on the window. Throws HResultError.
  //
  // The graphics device is created here (when it has not been) only for the
  // system compositor: the software presenter draws on the CPU and never
  // touches it. With the software presenter, a surface drawn outside a frame
  // calls `requestFrame` so the next frame shows it (and many draws cost one
  // present); without one it is shown at once.
  void Initialize(HWND renderWindow, GraphicsDevice& graphicsDevice, std::function<void()> requestFrame = {});
  bool software() const { return presenter_ != nullptr; }

  Compositor& compositor() { return *compositor_; }
  WindowTarget& target() { return *target_; }
  const std::shared_ptr<ContainerVisual>& root() const { return root_; }

  // Called by the frame loop's owner once per frame: the software presenter
  // shows every window whose content changed. The system compositor presents
  // by itself, so this does nothing there.
  void Present();

  // Device-loss recovery, after GraphicsDevice::Create: hands the new Direct2D
  // device to the existing compositor graphics device. Throws HResultError.
  void RecoverRenderingDevice();

 private:
  void StartSoftwarePresenter(HRESULT reason, std::function<void()> requestFrame);
  void PresentSoftware();

  // Fields in the order they are built; destroyed in reverse.
  ComPtr<winrt::IDispatcherQueueController> dispatcherQueueController_;
  std::unique_ptr<SoftCompositor> softCompositor_;       // software presenter only
  std::unique_ptr<LayeredWindowPresenter> presenter_;    // software presenter only
  std::unique_ptr<Compositor> compositor_;               // WinCompositor or PresentingCompositor
  WinCompositor* winCompositor_ = nullptr;               // compositor_ when it is the system one
  std::shared_ptr<WindowTarget> target_;
  std::shared_ptr<ContainerVisual> root_;
};

}  // namespace orvane
