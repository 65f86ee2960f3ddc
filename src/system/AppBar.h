#pragma once
// A window registered with the shell as an application desktop toolbar: it
// reserves a strip along one edge of a monitor so maximised windows stay
// clear of it. The shell may grant less or another place than asked (a
// native taskbar on the same edge pushes the strip inwards), so every
// placement hands back the rectangle the window must move to. One AppBar
// serves one window at a time, on the UI thread.

#include <cstdint>
#include <optional>

#include "platform/ScreenTypes.h"

namespace orvane {

// ABE_LEFT, ABE_TOP, ABE_RIGHT, ABE_BOTTOM.
enum class AppBarEdge : std::uint32_t { Left = 0, Top = 1, Right = 2, Bottom = 3 };

// The notification codes the shell sends as wParam of the callback message.
inline constexpr std::uintptr_t kAppBarStateChanged = 0;    // ABN_STATECHANGE
inline constexpr std::uintptr_t kAppBarPosChanged = 1;      // ABN_POSCHANGED
inline constexpr std::uintptr_t kAppBarFullScreenApp = 2;   // ABN_FULLSCREENAPP
inline constexpr std::uintptr_t kAppBarWindowArrange = 3;   // ABN_WINDOWARRANGE

// SHAppBarMessage, one call per method. Windows: win32/Win32AppBarPlatform.
class AppBarPlatform {
 public:
  virtual ~AppBarPlatform() = default;
  // ABM_NEW; false when the shell refuses (or the window is registered already).
  virtual bool New(WindowHandle window, std::uint32_t callbackMessage) = 0;
  // ABM_QUERYPOS: the proposal as the shell would adjust it.
  virtual ScreenRect QueryPos(WindowHandle window, AppBarEdge edge, const ScreenRect& proposed) = 0;
  // ABM_SETPOS: the rectangle the shell reserved.
  virtual ScreenRect SetPos(WindowHandle window, AppBarEdge edge, const ScreenRect& proposed) = 0;
  virtual void Remove(WindowHandle window) = 0;  // ABM_REMOVE
};

// What a callback message asks of the owner.
struct AppBarNotice {
  enum class Kind {
    None,               // nothing to do
    Moved,              // move the window to `rect`
    FullScreenOpened,   // a full-screen application now covers the monitor
    FullScreenClosed,   // the last one went away
  };
  Kind kind = Kind::None;
  ScreenRect rect;  // Moved only
  bool operator==(const AppBarNotice&) const = default;
};

class AppBar {
 public:
  // callbackMessage: the message id the shell posts notifications with.
  AppBar(AppBarPlatform& platform, std::uint32_t callbackMessage);
  ~AppBar();  // releases the registration
  AppBar(const AppBar&) = delete;
  AppBar& operator=(const AppBar&) = delete;

  // Registers window (once; a refused registration is tried again on the
  // next call) and reserves a strip `thickness` pixels deep along `edge` of
  // the monitor rectangle. Returns the rectangle the shell granted, where
  // the window belongs; nothing when the shell refused the registration.
  // A window other than the registered one replaces it.
  std::optional<ScreenRect> Reserve(WindowHandle window, AppBarEdge edge, const ScreenRect& monitor,
                                    int thickness);
  // Gives the strip back; does nothing when not registered.
  void Release();
  bool Registered() const { return registered_; }

  // The callback message's wParam and lParam. A position change repeats
  // the last reservation and reports where the window now belongs; a
  // full-screen application reports lParam's TRUE or FALSE. Everything else,
  // and anything while unregistered, asks nothing.
  AppBarNotice OnNotify(std::uintptr_t wParam, std::intptr_t lParam);

 private:
  ScreenRect Place();

  AppBarPlatform& platform_;
  const std::uint32_t callbackMessage_;
  bool registered_ = false;
  WindowHandle window_ = kNoWindow;
  AppBarEdge edge_ = AppBarEdge::Top;
  ScreenRect monitor_;
  int thickness_ = 0;
};

}  // namespace orvane
