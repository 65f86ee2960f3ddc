#include "platform/win32/SurfaceWindowWin32.h"

#include <dwmapi.h>
#include <imm.h>

#include <set>
#include <string>

#include "app/win32/FatalExit.h"
#include "app/win32/HResult.h"

namespace orvane {
namespace {

// DWMWINDOWATTRIBUTE DWMWA_USE_HOSTBACKDROPBRUSH (Windows 11 SDK).
constexpr DWORD kDwmUseHostBackdropBrush = 17;

// The program's icon resource, shown where the system shows a window's icon.
constexpr WORD kProgramIconId = 101;

// Classes are registered once per name for the life of the process; every
// one of them uses the one window procedure.
void RegisterClassOnce(const std::wstring& name, HINSTANCE instance, WNDPROC proc) {
  static std::set<std::wstring> registered;
  if (registered.contains(name)) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kProgramIconId));
  wc.lpszClassName = name.c_str();
  if (RegisterClassExW(&wc) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) ThrowLastError();
  registered.insert(name);
}

SurfacePoint PointFromLParam(LPARAM lParam) {
  // Signed: on a multi-monitor desktop, coordinates left of or above the
  // primary monitor are negative.
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace

SurfaceWindowWin32::~SurfaceWindowWin32() { Destroy(); }

void SurfaceWindowWin32::Create(const SurfaceWindowParams& params, SurfaceWindowDelegate* delegate) {
  if (window_ != nullptr) Destroy();
  HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterClassOnce(params.className, instance, &SurfaceWindowWin32::WindowProc);
  params_ = params;
  delegate_ = delegate;
  translator_ = SurfaceInputTranslator(delegate);
  band_ = params.band;
  trackingLeave_ = false;

  const SurfaceWindowStyles styles = SurfaceStylesFor(params);
  const SurfaceRect& r = params.initialRect;
  HWND window = CreateWindowExW(styles.exStyle, params.className.c_str(), params.title.c_str(), styles.style, r.left,
                                r.top, r.Width(), r.Height(), nullptr, nullptr, instance, this);
  if (window == nullptr) ThrowLastError();
  // Before any composition target exists on the window. Older systems
  // refuse the attribute; the glass then falls back to its tint.
  if (params.kind != SurfaceKind::Input) {
    const BOOL enable = TRUE;
    DwmSetWindowAttribute(window, kDwmUseHostBackdropBrush, &enable, sizeof(enable));
  }
}

void SurfaceWindowWin32::Destroy() {
  if (window_ != nullptr) DestroyWindow(window_);
}

void SurfaceWindowWin32::Show(bool activate) {
  if (window_ == nullptr) return;
  if (activate && SurfaceTakesFocus(params_)) {
    ShowWindow(window_, SW_SHOW);
    RaiseIntoBand();
    RequestForeground();
  } else {
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    RaiseIntoBand();
  }
}

void SurfaceWindowWin32::Hide() {
  if (window_ != nullptr) ShowWindow(window_, SW_HIDE);
}

bool SurfaceWindowWin32::IsVisible() const { return window_ != nullptr && IsWindowVisible(window_) != FALSE; }

void SurfaceWindowWin32::Place(const SurfaceRect& rect) {
  if (window_ == nullptr) return;
  SetWindowPos(window_, nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

SurfaceRect SurfaceWindowWin32::Rect() const {
  RECT r{};
  if (window_ == nullptr || !GetWindowRect(window_, &r)) return {};
  return {r.left, r.top, r.right, r.bottom};
}

void SurfaceWindowWin32::SetBand(SurfaceBand band) {
  band_ = band;
  if (window_ == nullptr) return;
  SetWindowPos(window_, band == SurfaceBand::Topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// Other programs' topmost windows may have come in front since the window
// was created; a shown topmost surface goes back to the front of its band.
// Normal-band windows (desktop widgets) keep their place.
void SurfaceWindowWin32::RaiseIntoBand() const {
  if (band_ != SurfaceBand::Topmost) return;
  SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool SurfaceWindowWin32::RequestForeground() {
  if (window_ == nullptr || !SurfaceTakesFocus(params_)) return false;
  if (GetForegroundWindow() != window_) SetForegroundWindow(window_);
  // SetForegroundWindow can succeed only in flashing the taskbar button; what
  // counts is whether the window is in front afterwards.
  const bool taken = GetForegroundWindow() == window_;
  if (taken && GetFocus() != window_) SetFocus(window_);
  return taken;
}

bool SurfaceWindowWin32::HasFocus() const { return window_ != nullptr && GetFocus() == window_; }

void SurfaceWindowWin32::SetCapture() {
  if (window_ == nullptr) return;
  ::SetCapture(window_);
  Feed(SurfaceInput::Of(SurfaceInput::Kind::CaptureTaken));
}

void SurfaceWindowWin32::ReleaseCapture() {
  if (!HasCapture()) return;
  // Announced first: ReleaseCapture sends WM_CAPTURECHANGED before it returns,
  // and that one is not a loss.
  Feed(SurfaceInput::Of(SurfaceInput::Kind::CaptureReleased));
  ::ReleaseCapture();
}

bool SurfaceWindowWin32::HasCapture() const { return window_ != nullptr && GetCapture() == window_; }

void SurfaceWindowWin32::TrackLeave() {
  if (window_ == nullptr) return;
  TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window_, 0};
  trackingLeave_ = TrackMouseEvent(&track) != FALSE;
}

void SurfaceWindowWin32::Invalidate() {
  // WM_PAINT comes only when the queue is otherwise empty, so requests made
  // while handling a burst of input make one redraw.
  if (window_ != nullptr) InvalidateRect(window_, nullptr, FALSE);
}

void SurfaceWindowWin32::SetTextInput(const std::optional<SurfaceTextInput>& input) {
  if (window_ == nullptr) return;
  const bool imeWanted = !input.has_value() || input->ime;
  if (imeWanted && imeDisabled_) {
    ImmAssociateContextEx(window_, nullptr, IACE_DEFAULT);
    imeDisabled_ = false;
  } else if (!imeWanted && !imeDisabled_) {
    // A password field: no context, so no composition and no candidates.
    ImmAssociateContextEx(window_, nullptr, 0);
    imeDisabled_ = true;
  }
  if (!input.has_value() || !input->ime) return;
  const HIMC context = ImmGetContext(window_);
  if (context == nullptr) return;  // no input method for this thread's language
  const SurfaceRect& caret = input->caret;
  COMPOSITIONFORM composition{};
  composition.dwStyle = CFS_POINT;
  composition.ptCurrentPos = POINT{caret.left, caret.top};
  ImmSetCompositionWindow(context, &composition);
  // Candidates open below the caret and never cover it.
  CANDIDATEFORM candidates{};
  candidates.dwIndex = 0;
  candidates.dwStyle = CFS_EXCLUDE;
  candidates.ptCurrentPos = POINT{caret.left, caret.bottom};
  candidates.rcArea = RECT{caret.left, caret.top, caret.right, caret.bottom};
  ImmSetCandidateWindow(context, &candidates);
  ImmReleaseContext(window_, context);
}

float SurfaceWindowWin32::Scale() const {
  const UINT dpi = window_ != nullptr ? GetDpiForWindow(window_) : 0;
  return dpi == 0 ? 1.0f : static_cast<float>(dpi) / 96.0f;
}

SurfacePointer SurfaceWindowWin32::PointerFromClient(LPARAM lParam) const {
  const SurfacePoint client = PointFromLParam(lParam);
  POINT screen{client.x, client.y};
  ClientToScreen(window_, &screen);
  return {client, {screen.x, screen.y}};
}

SurfacePointer SurfaceWindowWin32::PointerFromScreen(LPARAM lParam) const {
  const SurfacePoint screen = PointFromLParam(lParam);
  POINT client{screen.x, screen.y};
  ScreenToClient(window_, &client);
  return {{client.x, client.y}, screen};
}

// --- window procedure -------------------------------------------------------------------------

// The owner is kept in the window's user data from the first message on
// (messages arrive before CreateWindowExW returns) and forgotten on the last.
// Nothing may unwind into user32: an exception ends the program through the
// fatal-error path.
LRESULT CALLBACK SurfaceWindowWin32::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  try {
    if (message == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
      auto* owner = static_cast<SurfaceWindowWin32*>(create->lpCreateParams);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
      owner->window_ = window;
    }
    auto* self = reinterpret_cast<SurfaceWindowWin32*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      self->window_ = nullptr;
      self->trackingLeave_ = false;
      return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->Handle(window, message, wParam, lParam);
  } catch (...) {
    EndWithFatalException(L"SurfaceWindow", std::current_exception());
    return 0;
  }
}

// A delegate call may destroy the window, so after one nothing here touches
// the window handle member; `window` stays valid for DefWindowProcW.
LRESULT SurfaceWindowWin32::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  using Kind = SurfaceInput::Kind;
  switch (message) {
    case WM_MOUSEACTIVATE:
      if (!SurfaceTakesFocus(params_)) return MA_NOACTIVATE;
      break;
    case WM_MOUSEMOVE:
      if (!trackingLeave_) TrackLeave();
      Feed(SurfaceInput::Pointer(Kind::PointerMove, PointerFromClient(lParam)));
      return 0;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      Feed(SurfaceInput::Of(Kind::PointerLeave));
      return 0;
    case WM_LBUTTONDOWN:
      Feed(SurfaceInput::Pointer(Kind::ButtonDown, PointerFromClient(lParam), PointerButton::Left));
      return 0;
    case WM_LBUTTONUP:
      Feed(SurfaceInput::Pointer(Kind::ButtonUp, PointerFromClient(lParam), PointerButton::Left));
      return 0;
    case WM_RBUTTONDOWN:
      Feed(SurfaceInput::Pointer(Kind::ButtonDown, PointerFromClient(lParam), PointerButton::Right));
      return 0;
    case WM_RBUTTONUP:
      Feed(SurfaceInput::Pointer(Kind::ButtonUp, PointerFromClient(lParam), PointerButton::Right));
      return 0;
    case WM_MBUTTONDOWN:
      Feed(SurfaceInput::Pointer(Kind::ButtonDown, PointerFromClient(lParam), PointerButton::Middle));
      return 0;
    case WM_MBUTTONUP:
      Feed(SurfaceInput::Pointer(Kind::ButtonUp, PointerFromClient(lParam), PointerButton::Middle));
      return 0;
    case WM_CAPTURECHANGED:
      // lParam is the window that now holds the capture.
      if (reinterpret_cast<HWND>(lParam) != window) Feed(SurfaceInput::Of(Kind::CaptureChanged));
      return 0;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
      // Wheel messages carry the pointer in screen coordinates.
      Feed(SurfaceInput::WheelTurn(message == WM_MOUSEWHEEL ? WheelAxis::Vertical : WheelAxis::Horizontal,
                                   GET_WHEEL_DELTA_WPARAM(wParam), PointerFromScreen(lParam)));
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      // Bit 30: the key was already down (auto-repeat).
      const bool repeat = (lParam & (LPARAM{1} << 30)) != 0;
      // Unhandled system keys keep their default meaning (Alt+F4, the menu key).
      if (Feed(SurfaceInput::KeyPress(static_cast<unsigned>(wParam), repeat, message == WM_SYSKEYDOWN))) return 0;
      break;
    }
    case WM_KEYUP:
      if (Feed(SurfaceInput::KeyRelease(static_cast<unsigned>(wParam)))) return 0;
      break;
    case WM_CHAR:
      Feed(SurfaceInput::Unit(static_cast<char16_t>(wParam)));
      return 0;
    case WM_SETFOCUS:
      Feed(SurfaceInput::Of(Kind::FocusGained));
      return 0;
    case WM_KILLFOCUS:
      Feed(SurfaceInput::Of(Kind::FocusLost));
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) Feed(SurfaceInput::Of(Kind::ActivationLost));
      // The default handling gives an activated window the keyboard focus.
      return DefWindowProcW(window, message, wParam, lParam);
    case WM_DPICHANGED: {
      const RECT* r = reinterpret_cast<const RECT*>(lParam);
      Feed(SurfaceInput::Dpi(HIWORD(wParam), r != nullptr ? SurfaceRect{r->left, r->top, r->right, r->bottom} : Rect()));
      return 0;
    }
    case WM_DISPLAYCHANGE:
      Feed(SurfaceInput::Of(Kind::DisplayChanged));
      return 0;
    case WM_CLOSE:
      Feed(SurfaceInput::Of(Kind::CloseRequested));
      return 0;
    case WM_PAINT: {
      // The compositor draws the window; painting only validates it.
      PAINTSTRUCT paint;
      BeginPaint(window, &paint);
      EndPaint(window, &paint);
      if (delegate_ != nullptr) delegate_->OnRedraw();
      return 0;
    }
    default:
      if (delegate_ != nullptr) {
        if (const auto result = delegate_->OnRawMessage(message, wParam, lParam)) return *result;
      }
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace orvane
