#include "platform/SurfaceWindow.h"

namespace orvane {
namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

std::size_t ButtonIndex(PointerButton button) { return static_cast<std::size_t>(button); }
std::size_t AxisIndex(WheelAxis axis) { return static_cast<std::size_t>(axis); }

}  // namespace

bool SurfaceTakesFocus(const SurfaceWindowParams& params) {
  switch (params.kind) {
    case SurfaceKind::Popup:
    case SurfaceKind::Normal:
      return params.takesFocus;
    case SurfaceKind::RenderLayer:
    case SurfaceKind::Input:
    case SurfaceKind::Strip:
      return false;
  }
  return false;
}

SurfaceWindowStyles SurfaceStylesFor(const SurfaceWindowParams& params) {
  using namespace surface_style;
  // Every surface is a borderless tool window drawn only by the compositor,
  // so it stays out of the taskbar and Alt+Tab and has no GDI surface.
  SurfaceWindowStyles styles{kPopup, kExNoRedirection | kExToolWindow};
  if (params.band == SurfaceBand::Topmost) styles.exStyle |= kExTopmost;
  if (!SurfaceTakesFocus(params)) styles.exStyle |= kExNoActivate;
  // A render layer lets every click fall through to what lies beneath it.
  if (params.kind == SurfaceKind::RenderLayer) styles.exStyle |= kExLayered | kExTransparent;
  return styles;
}

// --- input translation ------------------------------------------------------------------------

bool SurfaceInputTranslator::Feed(const SurfaceInput& input) {
  using Kind = SurfaceInput::Kind;
  SurfaceWindowDelegate& d = Delegate();
  switch (input.kind) {
    case Kind::PointerMove:
      d.OnPointerMove(input.pointer);
      return true;
    case Kind::PointerLeave:
      // Without the capture, a release outside the window is never seen, so a
      // press that left the window cannot finish a click when it comes back.
      if (!captured_) ForgetPresses();
      d.OnPointerLeave();
      return true;
    case Kind::ButtonDown:
      Press(input);
      return true;
    case Kind::ButtonUp:
      Release(input);
      return true;
    case Kind::CaptureTaken:
      captured_ = true;
      return true;
    case Kind::CaptureReleased:
      captured_ = false;
      return true;
    case Kind::CaptureChanged:
      if (captured_) {
        captured_ = false;
        ForgetPresses();
        d.OnCaptureLost();
      }
      return true;
    case Kind::Wheel:
      Wheel(input);
      return true;
    case Kind::KeyDown:
    case Kind::KeyUp:
      return Key(input);
    case Kind::Char:
      Char(input.unit);
      return true;
    case Kind::FocusGained:
      d.OnFocusGained();
      return true;
    case Kind::FocusLost:
      FlushPendingSurrogate();
      swallowChars_ = false;
      d.OnFocusLost();
      return true;
    case Kind::ActivationLost:
      d.OnActivationLost();
      return true;
    case Kind::DpiChanged:
      d.OnDpiChanged(input.dpi == 0 ? 1.0f : static_cast<float>(input.dpi) / 96.0f, input.suggested);
      return true;
    case Kind::DisplayChanged:
      d.OnDisplayChanged();
      return true;
    case Kind::CloseRequested:
      d.OnCloseRequested();
      return true;
  }
  return true;
}

void SurfaceInputTranslator::Press(const SurfaceInput& input) {
  pressed_[ButtonIndex(input.button)] = Delegate().HitTarget(input.pointer.client);
  Delegate().OnButtonDown(input.button, input.pointer);
}

void SurfaceInputTranslator::Release(const SurfaceInput& input) {
  std::optional<int>& pressed = pressed_[ButtonIndex(input.button)];
  const std::optional<int> pressTarget = pressed;
  pressed.reset();
  // The release target is taken before OnButtonUp, which may change what the
  // surface shows under the pointer.
  const int releaseTarget = Delegate().HitTarget(input.pointer.client);
  Delegate().OnButtonUp(input.button, input.pointer);
  if (pressTarget && *pressTarget != kNoSurfaceTarget && *pressTarget == releaseTarget) {
    Delegate().OnClick(input.button, releaseTarget, input.pointer);
  }
}

void SurfaceInputTranslator::Wheel(const SurfaceInput& input) {
  int& remainder = wheelRemainder_[AxisIndex(input.axis)];
  // Turning the other way starts afresh: what was left over from the old
  // direction must not eat into the new one.
  if ((remainder > 0 && input.wheelDelta < 0) || (remainder < 0 && input.wheelDelta > 0)) remainder = 0;
  const long long total = static_cast<long long>(remainder) + input.wheelDelta;
  const long long notches = total / kWheelNotch;  // toward zero, so the sign is kept
  remainder = static_cast<int>(total - notches * kWheelNotch);
  if (notches != 0) Delegate().OnWheel(input.axis, static_cast<int>(notches), input.pointer);
}

bool SurfaceInputTranslator::Key(const SurfaceInput& input) {
  SurfaceKey key = input.key;
  key.down = input.kind == SurfaceInput::Kind::KeyDown;
  const bool handled = Delegate().OnKey(key);
  // The characters of a key-down arrive after it and before the next key
  // message; a handled key-down swallows them, any other key message ends that.
  swallowChars_ = key.down && handled;
  return handled;
}

void SurfaceInputTranslator::Char(char16_t unit) {
  if (swallowChars_) return;
  if (IsHighSurrogate(unit)) {
    FlushPendingSurrogate();
    pendingHigh_ = unit;
    return;
  }
  if (IsLowSurrogate(unit)) {
    if (pendingHigh_ == 0) {
      Delegate().OnChar(kReplacementCharacter);
      return;
    }
    const char32_t codePoint = 0x10000 + ((static_cast<char32_t>(pendingHigh_) - 0xD800) << 10) +
                               (static_cast<char32_t>(unit) - 0xDC00);
    pendingHigh_ = 0;
    Delegate().OnChar(codePoint);
    return;
  }
  FlushPendingSurrogate();
  Delegate().OnChar(unit);
}

void SurfaceInputTranslator::FlushPendingSurrogate() {
  if (pendingHigh_ == 0) return;
  pendingHigh_ = 0;
  Delegate().OnChar(kReplacementCharacter);
}

SurfaceWindowDelegate& SurfaceInputTranslator::Delegate() {
  static SurfaceWindowDelegate ignoresEverything;
  return delegate_ != nullptr ? *delegate_ : ignoresEverything;
}

void SurfaceInputTranslator::ForgetPresses() { pressed_.fill(std::nullopt); }

}  // namespace orvane
