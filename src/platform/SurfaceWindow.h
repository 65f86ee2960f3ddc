#pragma once
// SurfaceWindow: the one window host every surface stands on. A surface
// describes its window with SurfaceWindowParams, receives portable events
// through a SurfaceWindowDelegate, and drives the window through the
// SurfaceWindow interface. Windows: platform/win32/SurfaceWindowWin32;
// tests and the preview tool: platform/headless/HeadlessSurfaceWindow.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace orvane {

// Physical pixels.
struct SurfacePoint {
  int x = 0;
  int y = 0;
  bool operator==(const SurfacePoint&) const = default;
};

// Physical pixels, right and bottom exclusive.
struct SurfaceRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const SurfaceRect&) const = default;
};

enum class SurfaceKind {
  RenderLayer,       // carries visuals only: click-through, never activates
  Input,             // receives the mouse, never activates
  Popup,             // popup that takes the focus unless told otherwise
  Strip,             // non-activating strip or card (menu bar, banner, widget)
  Normal,            // an ordinary window that takes the focus
};

enum class SurfaceBand { Normal, Topmost };

struct SurfaceWindowParams {
  std::wstring className;  // registered once per name
  std::wstring title;
  SurfaceKind kind = SurfaceKind::Popup;
  SurfaceBand band = SurfaceBand::Topmost;
  // Popup and Normal windows take the focus when this is set; render layers,
  // input windows and strips never do.
  bool takesFocus = true;
  SurfaceRect initialRect{0, 0, 100, 100};
};

// Window style bits, as the platform defines them.
namespace surface_style {
inline constexpr std::uint32_t kPopup = 0x80000000u;            // WS_POPUP
inline constexpr std::uint32_t kExTopmost = 0x00000008u;        // WS_EX_TOPMOST
inline constexpr std::uint32_t kExTransparent = 0x00000020u;    // WS_EX_TRANSPARENT
inline constexpr std::uint32_t kExToolWindow = 0x00000080u;     // WS_EX_TOOLWINDOW
inline constexpr std::uint32_t kExLayered = 0x00080000u;        // WS_EX_LAYERED
inline constexpr std::uint32_t kExNoRedirection = 0x00200000u;  // WS_EX_NOREDIRECTIONBITMAP
inline constexpr std::uint32_t kExNoActivate = 0x08000000u;     // WS_EX_NOACTIVATE
}  // namespace surface_style

struct SurfaceWindowStyles {
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  bool operator==(const SurfaceWindowStyles&) const = default;
};

// Whether the window may become the active, focused window.
bool SurfaceTakesFocus(const SurfaceWindowParams& params);
SurfaceWindowStyles SurfaceStylesFor(const SurfaceWindowParams& params);

enum class PointerButton { Left, Right, Middle };
enum class WheelAxis { Vertical, Horizontal };

// Where the pointer is: in the window's client area and on the screen,
// both in physical pixels.
struct SurfacePointer {
  SurfacePoint client;
  SurfacePoint screen;
};

struct SurfaceKey {
  unsigned virtualKey = 0;
  bool down = true;
  bool repeat = false;  // key-down only: the key was already down
  bool system = false;  // reached the window as a system key (Alt held, F10)
};

// Hit-test result that names nothing; clicks are reported only for targets
// other than this.
inline constexpr int kNoSurfaceTarget = -1;

// One wheel notch.
inline constexpr int kWheelNotch = 120;

// What a window tells its owner. Every function has an empty default, so a
// surface overrides only what it uses.
class SurfaceWindowDelegate {
 public:
  virtual ~SurfaceWindowDelegate() = default;

  // Which target lies under a client point; press and release on the same
  // target make a click.
  virtual int HitTarget(SurfacePoint /*client*/) { return kNoSurfaceTarget; }

  virtual void OnPointerMove(const SurfacePointer& /*pointer*/) {}
  virtual void OnPointerLeave() {}
  virtual void OnButtonDown(PointerButton /*button*/, const SurfacePointer& /*pointer*/) {}
  virtual void OnButtonUp(PointerButton /*button*/, const SurfacePointer& /*pointer*/) {}
  // After OnButtonUp, when the press and the release hit the same target.
  virtual void OnClick(PointerButton /*button*/, int /*target*/, const SurfacePointer& /*pointer*/) {}
  // The capture went to another window (not when the surface released it).
  virtual void OnCaptureLost() {}
  // Whole notches, positive away from the user (vertical) or to the right
  // (horizontal).
  virtual void OnWheel(WheelAxis /*axis*/, int /*notches*/, const SurfacePointer& /*pointer*/) {}

  // Returns true when the key was handled; the characters the same key-down
  // produces are then swallowed, so a key acts once.
  virtual bool OnKey(const SurfaceKey& /*key*/) { return false; }
  // One Unicode code point (surrogate pairs joined, lone halves U+FFFD).
  virtual void OnChar(char32_t /*codePoint*/) {}

  virtual void OnFocusGained() {}
  virtual void OnFocusLost() {}
  virtual void OnActivationLost() {}
  // scale = new DPI / 96; suggested is where the system proposes the window.
  virtual void OnDpiChanged(float /*scale*/, const SurfaceRect& /*suggested*/) {}
  virtual void OnDisplayChanged() {}
  virtual void OnCloseRequested() {}
  // The window needs drawing again (after Invalidate, coalesced).
  virtual void OnRedraw() {}

  // Every message the host does not translate (timers, hotkeys, private and
  // registered messages). A value is the message's result; nullopt leaves
  // the message to the system's default handling.
  virtual std::optional<std::intptr_t> OnRawMessage(std::uint32_t /*message*/, std::uintptr_t /*wParam*/,
                                                    std::intptr_t /*lParam*/) {
    return std::nullopt;
  }
};

// One message-like input for SurfaceInputTranslator.
struct SurfaceInput {
  enum class Kind {
    PointerMove,
    PointerLeave,
    ButtonDown,
    ButtonUp,
    CaptureTaken,     // the surface took the capture
    CaptureReleased,  // the surface is releasing the capture itself
    CaptureChanged,   // the window no longer holds the capture
    Wheel,            // wheelDelta in 1/120 notches along axis
    KeyDown,
    KeyUp,
    Char,             // one UTF-16 unit
    FocusGained,
    FocusLost,
    ActivationLost,
    DpiChanged,       // dpi, suggested
    DisplayChanged,
    CloseRequested,
  };
  Kind kind = Kind::PointerMove;
  SurfacePointer pointer;
  PointerButton button = PointerButton::Left;
  WheelAxis axis = WheelAxis::Vertical;
  int wheelDelta = 0;
  SurfaceKey key;
  char16_t unit = 0;
  unsigned dpi = 96;
  SurfaceRect suggested;

  static SurfaceInput Of(Kind kind) {
    SurfaceInput input;
    input.kind = kind;
    return input;
  }
  static SurfaceInput Pointer(Kind kind, const SurfacePointer& pointer, PointerButton button = PointerButton::Left) {
    SurfaceInput input = Of(kind);
    input.pointer = pointer;
    input.button = button;
    return input;
  }
  static SurfaceInput WheelTurn(WheelAxis axis, int delta, const SurfacePointer& pointer = {}) {
    SurfaceInput input = Of(Kind::Wheel);
    input.pointer = pointer;
    input.axis = axis;
    input.wheelDelta = delta;
    return input;
  }
  static SurfaceInput KeyPress(unsigned virtualKey, bool repeat = false, bool system = false) {
    SurfaceInput input = Of(Kind::KeyDown);
    input.key = {virtualKey, true, repeat, system};
    return input;
  }
  static SurfaceInput KeyRelease(unsigned virtualKey) {
    SurfaceInput input = Of(Kind::KeyUp);
    input.key = {virtualKey, false, false, false};
    return input;
  }
  static SurfaceInput Unit(char16_t unit) {
    SurfaceInput input = Of(Kind::Char);
    input.unit = unit;
    return input;
  }
  static SurfaceInput Dpi(unsigned dpi, const SurfaceRect& suggested) {
    SurfaceInput input = Of(Kind::DpiChanged);
    input.dpi = dpi;
    input.suggested = suggested;
    return input;
  }
};

// Turns the window's raw input into the delegate's events: clicks from
// press/release pairs, whole wheel notches, code points from UTF-16 units,
// each key acting once, and capture loss that the surface did not cause.
class SurfaceInputTranslator {
 public:
  explicit SurfaceInputTranslator(SurfaceWindowDelegate* delegate = nullptr) : delegate_(delegate) {}

  void SetDelegate(SurfaceWindowDelegate* delegate) { delegate_ = delegate; }

  // Returns whether the input was handled; false only for key messages the
  // delegate left alone (the platform's default handling then runs).
  bool Feed(const SurfaceInput& input);

  bool HasCapture() const { return captured_; }

 private:
  void Press(const SurfaceInput& input);
  void Release(const SurfaceInput& input);
  void Wheel(const SurfaceInput& input);
  bool Key(const SurfaceInput& input);
  void Char(char16_t unit);
  void FlushPendingSurrogate();
  void ForgetPresses();
  SurfaceWindowDelegate& Delegate();

  SurfaceWindowDelegate* delegate_ = nullptr;
  // Target under each button's press, or nullopt when it is not down.
  std::array<std::optional<int>, 3> pressed_{};
  bool captured_ = false;
  std::array<int, 2> wheelRemainder_{};
  bool swallowChars_ = false;
  char16_t pendingHigh_ = 0;
};

// Where typed text goes while a text field has the keyboard: the caret in
// client pixels. The input method's composition and candidate windows open
// at it; without `ime` the input method is off (passwords).
struct SurfaceTextInput {
  SurfaceRect caret;
  bool ime = true;
  bool operator==(const SurfaceTextInput&) const = default;
};

// The host interface of one window.
class SurfaceWindow {
 public:
  virtual ~SurfaceWindow() = default;

  // Creates the window hidden at params.initialRect (a window that exists is
  // destroyed first); throws when the platform refuses. The delegate must
  // outlive the window, and the window must not be destroyed from inside one
  // of the delegate's calls: hide it there instead.
  virtual void Create(const SurfaceWindowParams& params, SurfaceWindowDelegate* delegate) = 0;
  virtual void Destroy() = 0;
  virtual bool IsCreated() const = 0;

  // activate: make it the foreground window (ignored for windows that never
  // take the focus).
  virtual void Show(bool activate) = 0;
  virtual void Hide() = 0;
  virtual bool IsVisible() const = 0;

  // Screen rectangle in physical pixels.
  virtual void Place(const SurfaceRect& rect) = 0;
  virtual SurfaceRect Rect() const = 0;
  virtual void SetBand(SurfaceBand band) = 0;
  virtual SurfaceBand Band() const = 0;

  // Asks to become the foreground window with the keyboard focus. Returns
  // whether it is the foreground window afterwards: the system may refuse.
  virtual bool RequestForeground() = 0;
  virtual bool HasFocus() const = 0;
  // Whether it is the foreground window now (the system may not have told
  // the window yet).
  virtual bool IsForeground() const = 0;

  virtual void SetCapture() = 0;
  // Releasing the capture does not report OnCaptureLost.
  virtual void ReleaseCapture() = 0;
  virtual bool HasCapture() const = 0;
  // Asks for one OnPointerLeave when the pointer leaves the window; moves
  // over the window ask on their own.
  virtual void TrackLeave() = 0;

  // Asks for one OnRedraw; several requests before it runs make one.
  virtual void Invalidate() = 0;

  // A text field took the keyboard (or moved its caret); nullopt: none has
  // it, and the input method returns to its default for the window.
  virtual void SetTextInput(const std::optional<SurfaceTextInput>& input) = 0;

  // HWND on Windows; an opaque id in the headless host.
  virtual std::uintptr_t NativeHandle() const = 0;
  // DPI of the window's monitor / 96.
  virtual float Scale() const = 0;
};

using SurfaceWindowFactory = std::function<std::unique_ptr<SurfaceWindow>()>;

}  // namespace orvane
