#include "shell/win32/StatusAreaIcon.h"

#include <shellapi.h>

#include <cwchar>

#include "app/Log.h"
#include "platform/MessageIds.h"

namespace orvane {

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

bool StatusAreaIcon::Add(HWND window, HINSTANCE instance) {
  Remove();
  window_ = window;
  icon_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kProgramIconResource), IMAGE_ICON,
                                        GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  ownsIcon_ = icon_ != nullptr;
  // The system's application icon is shared: it is used, never destroyed.
  if (icon_ == nullptr) icon_ = LoadIconW(nullptr, IDI_APPLICATION);

  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = window;
  data.uID = kStatusIconId;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = kStatusIconMessage;
  data.hIcon = icon_;
  wcsncpy(data.szTip, kStatusIconTip, sizeof(data.szTip) / sizeof(data.szTip[0]) - 1);
  added_ = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
  if (!added_) Log(L"StatusAreaIcon: the shell did not add the icon; the dock's own menu stays available");
  return added_;
}

void StatusAreaIcon::Remove() {
  if (window_ != nullptr) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = window_;
    data.uID = kStatusIconId;
    Shell_NotifyIconW(NIM_DELETE, &data);
  }
  if (icon_ != nullptr && ownsIcon_) DestroyIcon(icon_);
  icon_ = nullptr;
  ownsIcon_ = false;
  added_ = false;
  window_ = nullptr;
}

}  // namespace orvane
