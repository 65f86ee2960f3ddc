#include "SurfaceProbe.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/Errors.h"
#include "app/FatalError.h"
#include "platform/win32/SurfaceWindowWin32.h"

namespace {

using orvane::PointerButton;
using orvane::SurfaceKind;
using orvane::SurfaceWindowParams;
using orvane::SurfaceWindowWin32;

constexpr UINT kAnswerMessage = WM_APP + 5;
constexpr UINT kThrowMessage = WM_APP + 6;

// Two targets, 10 pixels wide each; records what arrives.
class ProbeDelegate : public orvane::SurfaceWindowDelegate {
 public:
  std::vector<std::string> events;

  int HitTarget(orvane::SurfacePoint client) override { return client.x >= 0 && client.x < 20 ? client.x / 10 : -1; }
  void OnClick(PointerButton, int target, const orvane::SurfacePointer&) override {
    events.push_back("click " + std::to_string(target));
  }
  void OnCaptureLost() override { events.push_back("capture lost"); }
  void OnWheel(orvane::WheelAxis, int notches, const orvane::SurfacePointer&) override {
    events.push_back("wheel " + std::to_string(notches));
  }
  void OnChar(char32_t c) override { events.push_back("char " + std::to_string(static_cast<unsigned>(c))); }
  void OnCloseRequested() override { events.push_back("close"); }
  std::optional<std::intptr_t> OnRawMessage(std::uint32_t message, std::uintptr_t, std::intptr_t) override {
    if (message == kAnswerMessage) return 42;
    if (message == kThrowMessage) throw orvane::HResultError(static_cast<std::int32_t>(0x80070005u), L"denied");
    return std::nullopt;
  }

  std::string Take() {
    std::string joined;
    for (const auto& e : events) joined += (joined.empty() ? "" : "; ") + e;
    events.clear();
    return joined;
  }
};

int failures = 0;

void Check(const char* what, bool passed) {
  std::printf("%s %s\n", passed ? "ok  " : "FAIL", what);
  if (!passed) ++failures;
}

void CheckEvents(const char* what, ProbeDelegate& delegate, const std::string& expected) {
  const std::string got = delegate.Take();
  if (got != expected) std::printf("     got \"%s\", expected \"%s\"\n", got.c_str(), expected.c_str());
  Check(what, got == expected);
}

SurfaceWindowParams Params(const wchar_t* name, SurfaceKind kind) {
  SurfaceWindowParams params;
  params.className = name;
  params.title = name;
  params.kind = kind;
  params.initialRect = {40, 40, 140, 140};
  return params;
}

LRESULT Send(const SurfaceWindowWin32& window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendMessageW(window.Window(), message, wParam, lParam);
}

}  // namespace

int RunSurfaceProbe() {
  failures = 0;
  ProbeDelegate renderDelegate, inputDelegate, popupDelegate;
  SurfaceWindowWin32 render, input, popup;
  render.Create(Params(L"OrvaneProbeRender", SurfaceKind::RenderLayer), &renderDelegate);
  input.Create(Params(L"OrvaneProbeInput", SurfaceKind::Input), &inputDelegate);
  popup.Create(Params(L"OrvaneProbePopup", SurfaceKind::Popup), &popupDelegate);

  Check("render window extended styles are 0x082800A8",
        GetWindowLongPtrW(render.Window(), GWL_EXSTYLE) == 0x082800A8);
  Check("input window extended styles are 0x08200088", GetWindowLongPtrW(input.Window(), GWL_EXSTYLE) == 0x08200088);
  Check("input window answers WM_MOUSEACTIVATE with MA_NOACTIVATE", Send(input, WM_MOUSEACTIVATE) == MA_NOACTIVATE);
  Check("popup lets WM_MOUSEACTIVATE activate it", Send(popup, WM_MOUSEACTIVATE) != MA_NOACTIVATE);

  Send(input, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  Send(input, WM_LBUTTONUP, 0, MAKELPARAM(7, 5));
  Send(input, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  Send(input, WM_LBUTTONUP, 0, MAKELPARAM(15, 5));
  CheckEvents("press and release on one target click; on two do not", inputDelegate, "click 0");

  input.SetCapture();
  Send(input, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SetCapture(popup.Window());
  Send(input, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  CheckEvents("capture taken by another window cancels the press", inputDelegate, "capture lost");
  ReleaseCapture();

  input.SetCapture();
  Send(input, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  input.ReleaseCapture();
  Send(input, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  CheckEvents("releasing the capture ourselves is no loss", inputDelegate, "click 0");

  POINT origin{0, 0};
  ClientToScreen(input.Window(), &origin);
  for (int i = 0; i < 3; ++i) Send(input, WM_MOUSEWHEEL, MAKEWPARAM(0, 40), MAKELPARAM(origin.x + 5, origin.y + 5));
  CheckEvents("three 40-unit wheel steps make one notch", inputDelegate, "wheel 1");

  Send(popup, WM_CHAR, 0xD83D);
  Send(popup, WM_CHAR, 0xDE00);
  CheckEvents("a surrogate pair arrives as one code point", popupDelegate, "char 128512");

  Send(popup, WM_CLOSE);
  CheckEvents("WM_CLOSE is reported and the window stays", popupDelegate, "close");
  Check("window still exists after WM_CLOSE", IsWindow(popup.Window()) != FALSE);
  Check("raw-message hook answers", Send(render, kAnswerMessage) == 42);

  MSG stale;
  while (PeekMessageW(&stale, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  Send(render, kThrowMessage);
  MSG quit{};
  const bool quitPosted = PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
  Check("an exception in a window procedure posts WM_QUIT with 1", quitPosted && quit.wParam == 1);
  const auto fatal = orvane::TakeFatalError();
  Check("and records the error for the entry point",
        fatal && fatal->code == static_cast<std::int32_t>(0x80070005u) && fatal->message == L"denied");

  HWND popupWindow = popup.Window();
  popup.Destroy();
  Check("destroyed window is gone and forgotten", !IsWindow(popupWindow) && popup.NativeHandle() == 0);
  return failures;
}
