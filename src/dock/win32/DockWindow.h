#pragma once
// DockWindow: the hub of the program. It owns the render window
// "OrvaneRenderWindow", which is also the program's message window, and (as
// the shell grows) every surface and service.

#include <windows.h>

#include <functional>

#include "config/DockConfig.h"
#include "render/win32/CompositionHost.h"
#include "render/win32/GraphicsDevice.h"

namespace orvane {

class DockWindow {
 public:
  DockWindow() = default;
  ~DockWindow();
  DockWindow(const DockWindow&) = delete;
  DockWindow& operator=(const DockWindow&) = delete;

  // Creates the windows. requestFrame only sets the loop's frames-requested
  // flag; anything that starts an animation calls it. Throws on failure.
  void Create(HINSTANCE instance, const DockConfig& config, std::function<void()> requestFrame);

  // Advances animations by dt seconds; true while frames are still wanted.
  bool FrameStep(float dt);

  HWND renderWindow() const { return renderWindow_; }

  static constexpr const wchar_t* kRenderWindowClass = L"OrvaneRenderWindow";
  static constexpr const wchar_t* kRenderWindowTitle = L"Orvane";

 private:
  static LRESULT CALLBACK RenderWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleRenderMessage(UINT message, WPARAM wParam, LPARAM lParam);

  HINSTANCE instance_ = nullptr;
  HWND renderWindow_ = nullptr;
  DockConfig config_;
  std::function<void()> requestFrame_;
  // Torn down in reverse: the compositor before the device it draws with.
  GraphicsDevice graphicsDevice_;
  CompositionHost compositionHost_;
};

}  // namespace orvane
