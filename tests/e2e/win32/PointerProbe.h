#pragma once
// The mouse and keyboard as a user works them, for end-to-end tests of the dock's input
// window: where that window is, pointer moves and clicks through SendInput.

// "rect" prints "input=l,t,r,b" (the dock's input window); "move X Y" and
// "click X Y" put the pointer there (and press and release the left button);
// "keys VK..." presses the virtual keys in order and releases them.
int RunPointerProbe(int argc, wchar_t** argv);
