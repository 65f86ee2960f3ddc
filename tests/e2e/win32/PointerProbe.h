#pragma once
// The mouse as a user works it, for end-to-end tests of the dock's input
// window: where that window is, pointer moves, clicks and drags through SendInput.

// "rect" prints "input=l,t,r,b" (the dock's input window); "move X Y" and
// "click X Y" put the pointer there (and press and release the left button).
int RunPointerProbe(int argc, wchar_t** argv);

// Moves to X, Y and presses and releases the right button.
int RunRightClick(int x, int y);

// Presses the left button at X1, Y1, moves to X2, Y2 in several steps and
// releases it there.
int RunDrag(int x1, int y1, int x2, int y2);
