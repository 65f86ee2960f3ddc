#include "shell/win32/StatusAreaIcon.h"

#include <shellapi.h>

#include <cwchar>
#include <system_error>
#include <thread>
#include <utility>

#include "app/Log.h"
#include "platform/MessageIds.h"

namespace orvane {

// One icon's life, shared with the threads that add and remove it (the
// picture is freed when the last of them is done with it). The removal
// waits for the addition, so an icon never comes back after it was removed.
struct StatusAreaIcon::State {
  HWND window = nullptr;
  HICON icon = nullptr;
  bool ownsIcon = false;  // loaded for this icon, not the system's shared one
  HANDLE added = CreateEventW(nullptr, TRUE, FALSE, nullptr);    // the addition has returned
  HANDLE removed = CreateEventW(nullptr, TRUE, FALSE, nullptr);  // the removal has returned
  ~State() {
    if (icon != nullptr && ownsIcon) DestroyIcon(icon);
    if (added != nullptr) CloseHandle(added);
    if (removed != nullptr) CloseHandle(removed);
  }
};

StatusIconAction StatusIconActionFor(LPARAM lParam) {
  switch (LOWORD(lParam)) {
    case WM_CONTEXTMENU:
    case WM_RBUTTONUP:
      return StatusIconAction::GlobalMenu;
    case WM_LBUTTONDBLCLK:
      return StatusIconAction::Settings;
    default:
      return StatusIconAction::None;
  }
}

namespace {

NOTIFYICONDATAW IconData(const StatusAreaIcon::State& state) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = state.window;
  data.uID = kStatusIconId;
  return data;
}

}  // namespace

void StatusAreaIcon::Add(HWND window, HINSTANCE instance) {
  Remove();
  auto state = std::make_shared<State>();
  state->window = window;
  state->icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kProgramIconResource), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  state->ownsIcon = state->icon != nullptr;
  // The system's application icon is shared: it is used, never destroyed.
  if (state->icon == nullptr) state->icon = LoadIconW(nullptr, IDI_APPLICATION);
  state_ = state;
  try {
    std::thread([state] {
      NOTIFYICONDATAW data = IconData(*state);
      data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
      data.uCallbackMessage = kStatusIconMessage;
      data.hIcon = state->icon;
      wcsncpy(data.szTip, kStatusIconTip, sizeof(data.szTip) / sizeof(data.szTip[0]) - 1);
      if (Shell_NotifyIconW(NIM_ADD, &data) == FALSE) {
        Log(L"StatusAreaIcon: the shell did not add the icon; the dock's own menu stays available");
      }
      SetEvent(state->added);
    }).detach();
  } catch (const std::system_error&) {
    Log(L"StatusAreaIcon: no thread for the icon; the dock's own menu stays available");
    state_.reset();
  }
}

void StatusAreaIcon::Remove() {
  std::shared_ptr<State> state = std::exchange(state_, nullptr);
  if (state == nullptr) return;
  // On a thread of its own once the addition has returned, and waited for
  // only a moment.
  try {
    std::thread([state] {
      WaitForSingleObject(state->added, INFINITE);
      NOTIFYICONDATAW data = IconData(*state);
      Shell_NotifyIconW(NIM_DELETE, &data);
      SetEvent(state->removed);
    }).detach();
  } catch (const std::system_error&) {
    return;
  }
  WaitForSingleObject(state->removed, kStatusIconRemoveWaitMs);
}

}  // namespace orvane
