#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "platform/SurfaceWindow.h"
#include "platform/headless/HeadlessSurfaceWindow.h"

namespace orvane {
namespace {

using Kind = SurfaceInput::Kind;

constexpr unsigned kVkReturn = 0x0D;
constexpr unsigned kVkEscape = 0x1B;
constexpr unsigned kVkA = 0x41;

template <class... Parts>
std::string Cat(const Parts&... parts) {
  std::ostringstream out;
  (out << ... << parts);
  return out.str();
}

// Three targets side by side, 10 pixels wide each; nothing beyond x 30.
// Escape and Return are handled keys. Every event is written to a log.
class RecordingDelegate : public SurfaceWindowDelegate {
 public:
  std::vector<std::string> log;

  int HitTarget(SurfacePoint client) override { return client.x >= 0 && client.x < 30 ? client.x / 10 : -1; }
  void OnPointerMove(const SurfacePointer& p) override {
    log.push_back(Cat("move ", p.client.x, ",", p.client.y, " @", p.screen.x, ",", p.screen.y));
  }
  void OnPointerLeave() override { log.push_back("leave"); }
  void OnButtonDown(PointerButton b, const SurfacePointer&) override { log.push_back("down " + Name(b)); }
  void OnButtonUp(PointerButton b, const SurfacePointer&) override { log.push_back("up " + Name(b)); }
  void OnClick(PointerButton b, int target, const SurfacePointer&) override {
    log.push_back(Cat("click ", Name(b), " ", target));
  }
  void OnCaptureLost() override { log.push_back("capture lost"); }
  void OnWheel(WheelAxis axis, int notches, const SurfacePointer&) override {
    log.push_back(Cat("wheel ", axis == WheelAxis::Vertical ? "v" : "h", " ", notches));
  }
  bool OnKey(const SurfaceKey& key) override {
    log.push_back(Cat("key ", key.down ? "down " : "up ", std::hex, key.virtualKey, key.repeat ? " repeat" : ""));
    return key.virtualKey == kVkEscape || key.virtualKey == kVkReturn;
  }
  void OnChar(char32_t c) override { log.push_back(Cat("char ", std::hex, static_cast<unsigned>(c))); }
  void OnFocusGained() override { log.push_back("focus"); }
  void OnFocusLost() override { log.push_back("focus lost"); }
  void OnActivationLost() override { log.push_back("deactivated"); }
  void OnDpiChanged(float scale, const SurfaceRect& r) override {
    log.push_back(Cat("dpi ", scale, " ", r.left, ",", r.top, ",", r.right, ",", r.bottom));
  }
  void OnDisplayChanged() override { log.push_back("display"); }
  void OnCloseRequested() override { log.push_back("close"); }
  void OnRedraw() override { log.push_back("redraw"); }
  std::optional<std::intptr_t> OnRawMessage(std::uint32_t message, std::uintptr_t, std::intptr_t) override {
    if (message != 0x0113) return std::nullopt;  // WM_TIMER
    log.push_back("timer");
    return 0;
  }

  std::string Take() {
    std::string joined;
    for (const auto& line : log) joined += (joined.empty() ? "" : "; ") + line;
    log.clear();
    return joined;
  }

 private:
  static std::string Name(PointerButton b) {
    return b == PointerButton::Left ? "L" : b == PointerButton::Right ? "R" : "M";
  }
};

// --- window styles ----------------------------------------------------------------------------

TEST(SurfaceWindowStyles, EachKindBandAndFocusGivesItsStyles) {
  struct Case {
    const char* name;
    SurfaceKind kind;
    SurfaceBand band;
    bool takesFocus;
    std::uint32_t exStyle;
  };
  const Case cases[] = {
      {"dock render layer", SurfaceKind::RenderLayer, SurfaceBand::Topmost, false, 0x082800A8},
      {"render layer never activates", SurfaceKind::RenderLayer, SurfaceBand::Topmost, true, 0x082800A8},
      {"dock input window", SurfaceKind::Input, SurfaceBand::Topmost, false, 0x08200088},
      {"input window never activates", SurfaceKind::Input, SurfaceBand::Topmost, true, 0x08200088},
      {"menu: popup with focus", SurfaceKind::Popup, SurfaceBand::Topmost, true, 0x00200088},
      {"preview: popup without focus", SurfaceKind::Popup, SurfaceBand::Topmost, false, 0x08200088},
      {"menu bar strip", SurfaceKind::Strip, SurfaceBand::Topmost, true, 0x08200088},
      {"desktop widget card", SurfaceKind::Strip, SurfaceBand::Normal, false, 0x08200080},
      {"settings window", SurfaceKind::Normal, SurfaceBand::Topmost, true, 0x00200088},
      {"normal window in the normal band", SurfaceKind::Normal, SurfaceBand::Normal, true, 0x00200080},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SurfaceWindowParams params;
    params.kind = c.kind;
    params.band = c.band;
    params.takesFocus = c.takesFocus;
    const SurfaceWindowStyles styles = SurfaceStylesFor(params);
    EXPECT_EQ(styles.style, 0x80000000u);
    EXPECT_EQ(styles.exStyle, c.exStyle) << std::hex << styles.exStyle;
    EXPECT_EQ(SurfaceTakesFocus(params), (c.exStyle & surface_style::kExNoActivate) == 0);
  }
}

// --- input translation ------------------------------------------------------------------------

SurfaceInput At(Kind kind, int x, PointerButton button = PointerButton::Left) {
  return SurfaceInput::Pointer(kind, {{x, 5}, {100 + x, 205}}, button);
}
SurfaceInput Down(int x, PointerButton b = PointerButton::Left) { return At(Kind::ButtonDown, x, b); }
SurfaceInput Up(int x, PointerButton b = PointerButton::Left) { return At(Kind::ButtonUp, x, b); }
SurfaceInput Just(Kind kind) { return SurfaceInput::Of(kind); }
SurfaceInput Wheel(WheelAxis axis, int delta) { return SurfaceInput::WheelTurn(axis, delta); }
SurfaceInput KeyDown(unsigned vk, bool repeat = false) { return SurfaceInput::KeyPress(vk, repeat); }
SurfaceInput KeyUp(unsigned vk) { return SurfaceInput::KeyRelease(vk); }
SurfaceInput Unit(char16_t unit) { return SurfaceInput::Unit(unit); }

struct InputCase {
  const char* name;
  std::vector<SurfaceInput> inputs;
  std::string events;
};

void RunCases(const std::vector<InputCase>& cases) {
  for (const InputCase& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingDelegate delegate;
    SurfaceInputTranslator translator(&delegate);
    for (const SurfaceInput& input : c.inputs) translator.Feed(input);
    EXPECT_EQ(delegate.Take(), c.events);
  }
}

TEST(SurfaceInputTranslator, ClickNeedsPressAndReleaseOnTheSameTarget) {
  const auto R = PointerButton::Right;
  const auto M = PointerButton::Middle;
  RunCases({
      {"same target", {Down(3), Up(7)}, "down L; up L; click L 0"},
      {"other target", {Down(3), Up(13)}, "down L; up L"},
      {"release without press", {Up(3)}, "up L"},
      {"press and release on nothing", {Down(40), Up(45)}, "down L; up L"},
      {"a second release is no click", {Down(3), Up(3), Up(3)}, "down L; up L; click L 0; up L"},
      {"buttons are separate", {Down(23, R), Up(23)}, "down R; up L"},
      {"right and middle click", {Down(13, R), Down(23, M), Up(13, R), Up(23, M)},
       "down R; down M; up R; click R 1; up M; click M 2"},
      {"pointer moves report both positions", {At(Kind::PointerMove, 4)}, "move 4,5 @104,205"},
  });
}

TEST(SurfaceInputTranslator, CaptureAndLeaveDecideWhetherAPressStillCounts) {
  RunCases({
      {"capture lost mid-press",
       {Just(Kind::CaptureTaken), Down(3), Just(Kind::CaptureChanged), Up(3)},
       "down L; capture lost; up L"},
      {"own release is no loss and keeps the press",
       {Just(Kind::CaptureTaken), Down(3), Just(Kind::CaptureReleased), Just(Kind::CaptureChanged), Up(3)},
       "down L; up L; click L 0"},
      {"capture change without the capture", {Just(Kind::CaptureChanged)}, ""},
      {"leaving without the capture forgets the press",
       {Down(3), Just(Kind::PointerLeave), Up(3)},
       "down L; leave; up L"},
      {"leaving with the capture keeps it",
       {Just(Kind::CaptureTaken), Down(3), Just(Kind::PointerLeave), Up(3)},
       "down L; leave; up L; click L 0"},
  });
}

TEST(SurfaceInputTranslator, WheelReportsWholeNotchesPerAxis) {
  const auto V = WheelAxis::Vertical;
  const auto H = WheelAxis::Horizontal;
  RunCases({
      {"one notch", {Wheel(V, 120)}, "wheel v 1"},
      {"fast wheel", {Wheel(V, 360)}, "wheel v 3"},
      {"small deltas add up", {Wheel(V, 30), Wheel(V, 30), Wheel(V, 30), Wheel(V, 30)}, "wheel v 1"},
      {"backwards keeps the sign", {Wheel(V, -40), Wheel(V, -40), Wheel(V, -40)}, "wheel v -1"},
      {"remainder carries", {Wheel(V, 100), Wheel(V, 100), Wheel(V, 40)}, "wheel v 1; wheel v 1"},
      {"turning back drops the old remainder", {Wheel(V, 100), Wheel(V, -20), Wheel(V, -100)}, "wheel v -1"},
      {"axes are separate", {Wheel(V, 60), Wheel(H, 60), Wheel(V, 60), Wheel(H, -130)},
       "wheel v 1; wheel h -1"},
  });
}

TEST(SurfaceInputTranslator, CharactersAreCodePoints) {
  RunCases({
      {"plain", {Unit(u'a'), Unit(u'中')}, "char 61; char 4e2d"},
      {"surrogate pair", {Unit(0xD83D), Unit(0xDE00)}, "char 1f600"},
      {"lone low half", {Unit(0xDE00), Unit(u'a')}, "char fffd; char 61"},
      {"high half before a plain unit", {Unit(0xD83D), Unit(u'a')}, "char fffd; char 61"},
      {"two high halves", {Unit(0xD83D), Unit(0xD83D), Unit(0xDE00)}, "char fffd; char 1f600"},
      {"high half when the focus goes", {Unit(0xD83D), Just(Kind::FocusLost)}, "char fffd; focus lost"},
  });
}

TEST(SurfaceInputTranslator, AHandledKeySwallowsItsCharacters) {
  RunCases({
      {"handled key", {KeyDown(kVkEscape), Unit(0x1B), KeyUp(kVkEscape)}, "key down 1b; key up 1b"},
      {"unhandled key types", {KeyDown(kVkA), Unit(u'a'), KeyUp(kVkA)}, "key down 41; char 61; key up 41"},
      {"handled key with a surrogate pair", {KeyDown(kVkReturn), Unit(0xD83D), Unit(0xDE00)}, "key down d"},
      {"repeats are swallowed too",
       {KeyDown(kVkReturn), Unit(u'\r'), KeyDown(kVkReturn, true), Unit(u'\r')},
       "key down d; key down d repeat"},
      {"the next key types again",
       {KeyDown(kVkReturn), Unit(u'\r'), KeyDown(kVkA), Unit(u'a')},
       "key down d; key down 41; char 61"},
      {"after the key-up, units type", {KeyDown(kVkReturn), KeyUp(kVkReturn), Unit(u'x')},
       "key down d; key up d; char 78"},
  });
  RecordingDelegate delegate;
  SurfaceInputTranslator translator(&delegate);
  EXPECT_TRUE(translator.Feed(KeyDown(kVkEscape)));
  EXPECT_FALSE(translator.Feed(KeyDown(kVkA)));
  EXPECT_TRUE(translator.Feed(Unit(u'a')));
}

TEST(SurfaceInputTranslator, WindowEventsPassThrough) {
  RunCases({
      {"dpi", {SurfaceInput::Dpi(144, {10, 20, 310, 220})}, "dpi 1.5 10,20,310,220"},
      {"focus, activation, display, close",
       {Just(Kind::FocusGained), Just(Kind::ActivationLost), Just(Kind::DisplayChanged), Just(Kind::CloseRequested)},
       "focus; deactivated; display; close"},
  });
  SurfaceInputTranslator withoutDelegate;
  EXPECT_TRUE(withoutDelegate.Feed(Down(3)));
  EXPECT_FALSE(withoutDelegate.Feed(KeyDown(kVkEscape)));
}

// --- headless host ----------------------------------------------------------------------------

class HeadlessSurfaceWindowTest : public ::testing::Test {
 protected:
  HeadlessSurfaceWindowTest() {
    window.Create(Params(SurfaceKind::Popup), &delegate);
    window.Place({100, 200, 400, 500});
    window.Show(true);
    delegate.Take();
  }

  static SurfaceWindowParams Params(SurfaceKind kind, SurfaceBand band = SurfaceBand::Topmost) {
    SurfaceWindowParams params;
    params.className = L"OrvaneTestSurface";
    params.title = L"OrvaneTest";
    params.kind = kind;
    params.band = band;
    return params;
  }

  HeadlessSurfaceDesktop desktop;
  RecordingDelegate delegate;
  HeadlessSurfaceWindow window{desktop};
};

TEST_F(HeadlessSurfaceWindowTest, ClicksFollowTheTargetsUnderPressAndRelease) {
  window.MovePointer({4, 5});
  window.PressButton(PointerButton::Left, {4, 5});
  window.ReleaseButton(PointerButton::Left, {6, 5});
  EXPECT_EQ(delegate.Take(), "move 4,5 @104,205; down L; up L; click L 0");

  window.PressButton(PointerButton::Left, {4, 5});
  window.ReleaseButton(PointerButton::Left, {14, 5});
  EXPECT_EQ(delegate.Take(), "down L; up L");
}

TEST_F(HeadlessSurfaceWindowTest, CaptureTakenByAnotherProgramCancelsThePress) {
  window.PressButton(PointerButton::Left, {4, 5});
  window.SetCapture();
  desktop.CaptureByOtherProgram();
  EXPECT_FALSE(window.HasCapture());
  window.ReleaseButton(PointerButton::Left, {4, 5});
  EXPECT_EQ(delegate.Take(), "down L; capture lost; up L");

  // Released by the surface itself: no loss, and the release still clicks,
  // even outside the window.
  window.PressButton(PointerButton::Left, {4, 5});
  window.SetCapture();
  window.ReleaseCapture();
  window.ReleaseButton(PointerButton::Left, {4, 5});
  EXPECT_EQ(delegate.Take(), "down L; up L; click L 0");
}

TEST_F(HeadlessSurfaceWindowTest, OneWindowHoldsTheCapture) {
  HeadlessSurfaceWindow other(desktop);
  RecordingDelegate otherDelegate;
  other.Create(Params(SurfaceKind::Input), &otherDelegate);
  window.SetCapture();
  other.SetCapture();
  EXPECT_EQ(desktop.CaptureHolder(), &other);
  EXPECT_EQ(delegate.Take(), "capture lost");
}

TEST_F(HeadlessSurfaceWindowTest, WheelAndTextArriveWhole) {
  for (int i = 0; i < 8; ++i) window.TurnWheel(WheelAxis::Vertical, -30, {4, 5});
  EXPECT_EQ(delegate.Take(), "wheel v -1; wheel v -1");

  window.TypeUnits(u"\U0001F600");
  EXPECT_EQ(delegate.Take(), "char 1f600");

  EXPECT_TRUE(window.PressKey(kVkEscape, u"\x1b"));
  window.ReleaseKey(kVkEscape);
  EXPECT_FALSE(window.PressKey(kVkA, u"a"));
  EXPECT_EQ(delegate.Take(), "key down 1b; key up 1b; key down 41; char 61");
}

TEST_F(HeadlessSurfaceWindowTest, RefusedForegroundIsReported) {
  HeadlessSurfaceWindow popup(desktop);
  RecordingDelegate popupDelegate;
  popup.Create(Params(SurfaceKind::Popup), &popupDelegate);
  desktop.SetRefuseForeground(true);
  popup.Show(true);
  EXPECT_TRUE(popup.IsVisible());
  EXPECT_FALSE(popup.HasFocus());
  EXPECT_FALSE(popup.RequestForeground());
  EXPECT_TRUE(window.HasFocus());
  EXPECT_FALSE(popup.PressKey(kVkEscape));  // keys go to the focus window only
  EXPECT_EQ(popupDelegate.Take(), "");

  desktop.SetRefuseForeground(false);
  EXPECT_TRUE(popup.RequestForeground());
  EXPECT_EQ(popupDelegate.Take(), "focus");
  EXPECT_EQ(delegate.Take(), "deactivated; focus lost");

  desktop.ActivateOtherProgram();
  EXPECT_EQ(popupDelegate.Take(), "deactivated; focus lost");
  EXPECT_EQ(desktop.Foreground(), nullptr);
}

TEST_F(HeadlessSurfaceWindowTest, NonActivatingWindowsNeverTakeTheForeground) {
  HeadlessSurfaceWindow strip(desktop);
  RecordingDelegate stripDelegate;
  strip.Create(Params(SurfaceKind::Strip), &stripDelegate);
  strip.Show(true);
  EXPECT_FALSE(strip.RequestForeground());
  EXPECT_TRUE(window.HasFocus());
  EXPECT_EQ(stripDelegate.Take(), "");
}

TEST_F(HeadlessSurfaceWindowTest, HiddenWindowsGetNoMouseAndLoseTheFocus) {
  window.Hide();
  EXPECT_EQ(delegate.Take(), "deactivated; focus lost");
  window.MovePointer({4, 5});
  window.PressButton(PointerButton::Left, {4, 5});
  window.TurnWheel(WheelAxis::Vertical, 120, {4, 5});
  EXPECT_EQ(delegate.Take(), "");
}

TEST_F(HeadlessSurfaceWindowTest, LeaveIsReportedOncePerTrackedVisit) {
  window.LeavePointer();
  EXPECT_EQ(delegate.Take(), "");
  window.MovePointer({4, 5});
  window.LeavePointer();
  window.LeavePointer();
  EXPECT_EQ(delegate.Take(), "move 4,5 @104,205; leave");
}

TEST_F(HeadlessSurfaceWindowTest, TopmostBandStaysInFront) {
  HeadlessSurfaceWindow widget(desktop);
  RecordingDelegate widgetDelegate;
  widget.Create(Params(SurfaceKind::Strip, SurfaceBand::Normal), &widgetDelegate);
  widget.Show(false);
  EXPECT_EQ(desktop.VisibleFrontToBack(), (std::vector<const HeadlessSurfaceWindow*>{&window, &widget}));
  widget.SetBand(SurfaceBand::Topmost);
  window.SetBand(SurfaceBand::Normal);
  EXPECT_EQ(desktop.VisibleFrontToBack(), (std::vector<const HeadlessSurfaceWindow*>{&widget, &window}));
  EXPECT_NE(widget.NativeHandle(), window.NativeHandle());
}

TEST_F(HeadlessSurfaceWindowTest, RedrawsCoalesceAndRawMessagesReachTheHook) {
  window.Invalidate();
  window.Invalidate();
  EXPECT_TRUE(window.RunPendingRedraw());
  EXPECT_FALSE(window.RunPendingRedraw());
  EXPECT_EQ(delegate.Take(), "redraw");

  EXPECT_EQ(window.SendRawMessage(0x0113, 1), std::optional<std::intptr_t>(0));
  EXPECT_EQ(window.SendRawMessage(0x8001), std::nullopt);
  window.ChangeDpi(120, {0, 0, 375, 375});
  EXPECT_FLOAT_EQ(window.Scale(), 1.25f);
  EXPECT_EQ(delegate.Take(), "timer; dpi 1.25 0,0,375,375");

  window.Destroy();
  window.MovePointer({4, 5});
  EXPECT_EQ(window.SendRawMessage(0x0113), std::nullopt);
  EXPECT_EQ(desktop.Foreground(), nullptr);
  EXPECT_EQ(delegate.Take(), "");
}

}  // namespace
}  // namespace orvane
