#include "dock/win32/DockWindow.h"

#include <stdexcept>

#include "app/Log.h"
#include "app/TextUtil.h"
#include "app/win32/HResult.h"
#include "render/DeviceRecovery.h"
#include "render/win32/HostBackdrop.h"

namespace orvane {
namespace {

// Test hook for the start-up failure path: with ORVANE_TEST_FAIL_AFTER_WINDOW
// set to "exception" or "hresult", Create throws once the render window
// exists, exactly where a real failure of a later member would.
void FailForTestIfAsked() {
  const auto mode = GetEnvironment(L"ORVANE_TEST_FAIL_AFTER_WINDOW");
  if (!mode || mode->empty()) return;
  if (*mode == L"hresult") ThrowHResult(E_ACCESSDENIED);
  throw std::runtime_error("Test failure after the render window was created");
}

}  // namespace

DockWindow::~DockWindow() {
  if (renderWindow_ != nullptr) DestroyWindow(renderWindow_);
}

void DockWindow::Create(HINSTANCE instance, const DockConfig& config, std::function<void()> requestFrame) {
  instance_ = instance;
  config_ = config;
  requestFrame_ = std::move(requestFrame);

  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &DockWindow::RenderWindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(101));
  wc.lpszClassName = kRenderWindowClass;
  if (RegisterClassExW(&wc) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) ThrowLastError();

  renderWindow_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOREDIRECTIONBITMAP, kRenderWindowClass,
                                  kRenderWindowTitle, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, this);
  if (renderWindow_ == nullptr) ThrowLastError();

  FailForTestIfAsked();

  graphicsDevice_.Create();
  EnableHostBackdrop(renderWindow_);
  compositionHost_.Initialize(renderWindow_, graphicsDevice_);

  Log(L"DockWindow created");
  if (requestFrame_) requestFrame_();
}

bool DockWindow::FrameStep(float /*dt*/) {
  RecoverLostDevice(compositionHost_.compositor(),
                    DeviceRecoverySteps{[this] { graphicsDevice_.Create(); },
                                        [this] { compositionHost_.RecoverRenderingDevice(); }, [] {}, [] {},
                                        requestFrame_});
  compositionHost_.Present();
  return false;
}

LRESULT CALLBACK DockWindow::RenderWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    auto* owner = static_cast<DockWindow*>(create->lpCreateParams);
    owner->renderWindow_ = hwnd;  // messages arrive before CreateWindowExW returns
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
  }
  auto* self = reinterpret_cast<DockWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->renderWindow_ = nullptr;
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  return self->HandleRenderMessage(message, wParam, lParam);
}

LRESULT DockWindow::HandleRenderMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      // Sent by the setup program to end a running copy.
      DestroyWindow(renderWindow_);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(renderWindow_, message, wParam, lParam);
  }
}

}  // namespace orvane
