#pragma once
// Who a tracked window belongs to: the process's image path and Application
// User Model ID, the store-app frame host resolved to the app it hosts, the
// window's title with its fallbacks, and the identity key that groups windows
// into apps.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "system/WindowSystem.h"

namespace orvane {

// Buffer sizes (characters, terminator included) of the reads below.
inline constexpr std::size_t kImagePathBuffer = 520;
inline constexpr std::size_t kWindowTitleBuffer = 256;

// Store apps are drawn inside a frame owned by this process; the app itself
// runs in the process of the frame's core-window child.
inline constexpr std::wstring_view kFrameHostSuffix = L"applicationframehost.exe";
inline constexpr std::wstring_view kCoreWindowClass = L"Windows.UI.Core.CoreWindow";

struct WindowIdentity {
  std::uint32_t processId = 0;
  std::wstring exePath;
  std::wstring exePathLower;
  std::wstring aumid;
  std::wstring aumidLower;
  std::wstring key;
  std::wstring title;
};

// A running process's executable and AUMID; empty fields where they cannot
// be read.
struct RunningProcessIdentity {
  std::wstring exePath;
  std::wstring exePathLower;
  std::wstring aumid;
};
RunningProcessIdentity ReadProcessIdentity(WindowSystem& system, std::uint32_t processId);

// The AUMID of an open process by the two-call protocol: the length query
// must answer ERROR_INSUFFICIENT_BUFFER; "" on any failure.
std::wstring ReadApplicationUserModelId(WindowSystem& system, ProcessHandle process);

// The path with environment variables expanded (only when it has "%") and
// lower-cased by the system's rules.
std::wstring LowerCasePath(WindowSystem& system, const std::wstring& path);

// "aumid:" + aumidLower when there is an AUMID, else "exe:" + exePathLower.
std::wstring IdentityKey(const std::wstring& aumidLower, const std::wstring& exePathLower);

// The text after the last "\" or "/" (the whole text when there is none).
std::wstring_view FileNameOf(std::wstring_view path);

// The shell's name for the file without ".exe"/".lnk", or the path's stem
// when the shell has none.
std::wstring DisplayNameFromPath(WindowSystem& system, const std::wstring& path);

// The identity of a window that passed IsTrackableWindow, or nullopt when the
// window is not tracked after all (frame without app, shell process, no
// identity at all).
std::optional<WindowIdentity> ResolveWindowIdentity(WindowSystem& system, WindowHandle window);

}  // namespace orvane
