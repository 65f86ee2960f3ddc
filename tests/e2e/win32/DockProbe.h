#pragma once
// The dock checks of the end-to-end probe: talk to a running Orvane the way
// other programs do (the command message on its input window) and describe
// its two top-level windows.

// Sends the command message (lParam = action, wParam = item index) and prints
// "result=N", or "result=none" when there is no input window or it does not
// answer in time. Returns 0 when an answer came.
int RunDockCommand(const wchar_t* action, const wchar_t* index, const wchar_t* timeoutMs);

// Prints one line per dock window class,
//   <class> title=<title> visible=0|1 exstyle=0x%08X rect=l,t,r,b pid=N
// ("<class> none" when missing) and "monitor=l,t,r,b" for the primary
// monitor. Returns 0 when both windows exist.
int RunDockWindows();

// Sends the render window what the system sends on a change: "display"
// (WM_DISPLAYCHANGE for the current mode) or "theme" (WM_SETTINGCHANGE for
// the colour settings). Prints "answered=1" or "answered=0".
int RunDockNotify(const wchar_t* what);
// Posts the status-area icon's callback message with LPARAM to the render window.
int RunStatusIcon(const wchar_t* lParam);
// Where the menu bar's slot of this kind is: "left=L width=W bottom=B" in
// screen pixels, "slot=absent" when the bar has no such slot.
int RunMenuBarSlot(const wchar_t* kind);
// Waits for a message box with CAPTION and answers it "yes", "no" or "ok".
int RunAnswerBox(const wchar_t* caption, const wchar_t* answer, int timeoutMs);
