#pragma once
// Which top-level windows count as application windows, and which belong to
// the shell or to Orvane itself.

#include <cstdint>
#include <string>
#include <string_view>

#include "system/WindowSystem.h"

namespace orvane {

// Buffer sizes (characters, terminator included) of the class-name reads.
inline constexpr std::size_t kTrackerClassNameBuffer = 128;
inline constexpr std::size_t kShellSurfaceClassNameBuffer = 96;  // up to 95 characters

// Every window class and title Orvane registers starts with this.
inline constexpr std::wstring_view kOwnWindowPrefix = L"Orvane";

// The tracking filter: visible, owned by another process, not a tool,
// no-activate or owned window (unless it asks for a taskbar button), not
// cloaked, not Orvane's or the shell's, and not a collapsed non-minimised one.
bool IsTrackableWindow(WindowSystem& system, WindowHandle window, std::uint32_t ownProcessId);

// Orvane's own windows and the desktop and taskbar windows.
bool IsShellSurfaceWindow(WindowSystem& system, WindowHandle window);

// Processes of the shell's own surfaces (start menu, search, ...) that show
// ordinary-looking windows; fileNameLower is the image's lower-cased file name.
bool IsExcludedShellProcess(std::wstring_view fileNameLower);

}  // namespace orvane
