#pragma once
// The keyboard as a user works it, for end-to-end tests: keys held and
// released across several probe runs, and text typed character by character.

// "down" or "up" with one or more keys: presses (or releases) them in the
// order given. A key is a virtual-key code (decimal, or hexadecimal with 0x)
// or a name: alt, ctrl, shift, win, tab, escape, enter, space, backspace,
// delete, insert, home, end, pageup, pagedown, left, up, right, down,
// f1 to f12, or one letter or digit. Returns 64 for an unknown key.
int RunKeyProbe(const wchar_t* direction, int count, wchar_t** keys);

// Types TEXT as characters (KEYEVENTF_UNICODE), independent of the keyboard
// layout; a character outside the basic plane goes as its two surrogates.
int RunTypeProbe(const wchar_t* text);
